// The live path end to end: the simulated meter behind the cable, the
// acquisition thread, the decoder, and the three live windows following it.
#include "LinkWaits.h"
#include "ScriptedDialogs.h"
#include "meter/CableAccess.h"
#include "meter/CableBackend.h"
#include "meter/MeterLink.h"
#include "model/decode.h"
#include "sim/DisplayEncoder.h"
#include "sim/SimulatedMeter.h"
#include "ui/live/AnalogMeterWindow.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/live/DigitalMeterWindow.h"
#include "ui/live/LcdPanel.h"
#include "ui/live/SpokenReading.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace telmora;

namespace {

bool waitUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

struct Step {
    const char* name;
    const char* text;
    std::uint32_t code;
    int exponent;
    const char* subText = nullptr;
    std::uint32_t subCode = 0;
    bool lowBattery = false;
};

std::array<std::uint8_t, telmora::kReplySize> encode(const Step& step) {
    telmora::DesiredReading r;
    EXPECT_TRUE(telmora::SetDisplayText(step.text, r.main)) << step.text;
    r.main.code = step.code;
    r.main.prefixExponent = step.exponent;
    if (step.subText) {
        EXPECT_TRUE(telmora::SetDisplayText(step.subText, r.sub));
        r.sub.code = step.subCode;
    }
    r.lowBattery = step.lowBattery;
    return telmora::EncodeDisplay(r);
}

// The three windows side by side, as one picture.
QImage composite(QWidget& digital, QWidget& analog, QWidget& comparator, int dpr) {
    const int w = digital.width() + analog.width() + comparator.width() + 16;
    const int h = std::max({digital.height(), analog.height(), comparator.height()}) + 8;
    QImage image(QSize(w, h) * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(QColor(0x50, 0x58, 0x60));
    QPainter p(&image);
    int x = 4;
    for (QWidget* window : {&digital, &analog, &comparator}) {
        window->render(&p, QPoint(x, 4));
        x += window->width() + 4;
    }
    return image;
}

} // namespace

TEST(LivePath, WindowsFollowTheSimulatedMeter) {
    auto meter = std::make_shared<telmora::SimulatedMeter>(telmora::SimScenario::Demo, true);

    DigitalMeterWindow digital;
    AnalogMeterWindow analog;
    ScriptedDialogs dialogs;
    ComparatorWindow comparator(dialogs, 5.0, 1.0);
    // Wired as the main window wires them: digital meter first.
    CableAccess cable(meter);
    MeterLink link(cable);
    QObject::connect(&link, &MeterLink::readingReceived, &digital,
                     &DigitalMeterWindow::showReading);
    QObject::connect(&link, &MeterLink::readingReceived, &analog, &AnalogMeterWindow::showReading);
    QObject::connect(&link, &MeterLink::readingReceived, &comparator,
                     &ComparatorWindow::showReading);
    QObject::connect(&link, &MeterLink::linkedChanged, &digital, &DigitalMeterWindow::setLinked);
    QObject::connect(&link, &MeterLink::linkedChanged, &analog, &AnalogMeterWindow::setLinked);
    QObject::connect(&link, &MeterLink::linkedChanged, &comparator, &ComparatorWindow::setLinked);
    digital.resize(420, 210);
    digital.show();
    analog.show();
    comparator.show();
    std::vector<int> tones;
    comparator.setTonePlayer([&](int hz, int) { tones.push_back(hz); });
    auto* alarm = comparator.findChild<QPushButton*>(QStringLiteral("alarmButton"));
    ASSERT_NE(alarm, nullptr);
    alarm->click();
    ASSERT_TRUE(comparator.alarmOn());

    const Step steps[] = {
        {"volts", "3.456", 0x6, 0},
        {"ohms", "4.700", 0x80, 3},
        {"temperature", " 25C", 0x8020, 0},
        {"capacitance", "10.00", 0x8, -9},
        {"dbm", "-12.3", 0x2000, -3},
        {"overload", " 0.L ", 0x4, 0},
        {"ac-with-frequency", "2.345", 0x5, 0, "50.00", 0x400, true},
    };
    meter->setDisplayData(telmora::ExtractDataBytes(encode(steps[0])));
    ASSERT_TRUE(LinkAndWait(link));

    // With TELMORA_RENDER_DIR set, each step's windows are written there as one picture.
    const QString dir = qEnvironmentVariable("TELMORA_RENDER_DIR");
    for (const Step& step : steps) {
        const auto reply = encode(step);
        meter->setDisplayData(telmora::ExtractDataBytes(reply));
        telmora::DecodedReply decoded;
        telmora::DecodeReply(reply, decoded);
        QString text = QString::fromLatin1(decoded.main.text.view().data(),
                                           static_cast<int>(decoded.main.text.size()));
        // A temperature shows its number; the unit panel has the degree sign and letter.
        const QString degrees = DegreeUnit(step.code);
        if (!degrees.isEmpty() && text.endsWith(degrees.back()))
            text.chop(1);
        ASSERT_TRUE(waitUntil([&] {
            return digital.readingPanel()->text() == text && analog.function() == step.code &&
                   comparator.function() == step.code && !analog.sweeping() &&
                   !comparator.sweeping();
        })) << step.name
            << " digital=\"" << digital.readingPanel()->text().toStdString()
            << "\" analog=" << analog.function() << " comparator=" << comparator.function()
            << " polls=" << meter->polls();
        for (int dpr : {1, 2})
            if (!dir.isEmpty())
                composite(digital, analog, comparator, dpr)
                    .save(QStringLiteral("%1/live-%2@%3x.png")
                              .arg(dir, QLatin1String(step.name))
                              .arg(dpr));
    }
    // What the last steps must have shown.
    EXPECT_EQ(digital.subReadingPanel()->text(), QLatin1String("50.00Hz"));
    EXPECT_EQ(digital.lowBatteryPanel()->text(), QLatin1String("LB"));
    EXPECT_FALSE(tones.empty()) << "readings outside 1..5 sound the alarm";

    QSignalSpy stopped(&link, &MeterLink::stopped);

    link.unlink();
    ASSERT_TRUE(stopped.wait(5000));
    EXPECT_EQ(meter->openDevices(), 0);
    ASSERT_TRUE(waitUntil([&] {
        return analog.shownNeedleAngle() == telmora::kNeedleZero &&
               comparator.shownNeedleAngle() == 90.0;
    }));
    EXPECT_TRUE(digital.readingPanel()->text().isEmpty());
    if (!dir.isEmpty())
        composite(digital, analog, comparator, 1)
            .save(QStringLiteral("%1/live-unlinked@1x.png").arg(dir));
}
