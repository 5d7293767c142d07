// The recorder on the live path: main window, acquisition thread and the
// simulated meter; the recording survives in its temporary file.
#include "meter/AppState.h"
#include "meter/CableBackend.h"
#include "meter/SharedState.h"
#include "recording/RecorderController.h"
#include "sim/SimulatedMeter.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/MessageBox.h"
#include "ui/main/AppWindows.h"
#include "ui/main/MainWindow.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/RecorderWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QToolButton>

#include <array>
#include <chrono>
#include <thread>

using namespace telmora;
using namespace std::chrono_literals;

namespace {

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

} // namespace

TEST(RecorderLive, RecordsFromTheSimulatedMeterUntilTheLinkEnds) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    std::vector<BoxRequest> boxes;
    SetBoxInterceptor([&](const BoxRequest& r) {
        boxes.push_back(r);
        return BoxButton::Ok;
    });
    SetCableBackend(std::make_shared<SimulatedMeter>(SimScenario::Demo, false));
    QString tmp;
    {
        MainWindow main;
        main.createWindows();
        RecorderWindow* recorder = Windows().GraphicalForm;
        ASSERT_NE(recorder, nullptr);
        App().applicationDirectory = dir.path();

        main.sbtnLink->setChecked(true);
        main.sbtnLinkClick();
        ASSERT_TRUE(Shared().linkActive());
        recorder->sbtnRecordStart->setChecked(true);
        recorder->sbtnRecordStartClick();
        ASSERT_TRUE(recorder->controller().isRecording());
        tmp = recorder->controller().temporaryFilePath();

        ASSERT_TRUE(waitUntil([&] { return recorder->recording().sampleCount() >= 4; }, 10s));
        // Unlinking tells the recorder, which stops with its file closed.
        main.sbtnLink->setChecked(false);
        main.sbtnLinkClick();
        EXPECT_FALSE(recorder->controller().isRecording());
        EXPECT_TRUE(recorder->sbtnRecordStop->isChecked());
        QCoreApplication::processEvents();

        const auto& buffer = recorder->recording().buffer();
        QFile file(tmp);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        ASSERT_EQ(bytes.size(), qsizetype(buffer.size() * kSampleSize));
        for (std::size_t i = 0; i < buffer.size(); ++i) {
            std::array<std::uint8_t, kSampleSize> expected{};
            EncodeSample(buffer[i], expected);
            EXPECT_EQ(
                0, std::memcmp(bytes.constData() + i * kSampleSize, expected.data(), kSampleSize));
        }
        EXPECT_EQ(Windows().DataStringGridForm->lineCount(), qint64(buffer.size()));
        EXPECT_TRUE(recorder->hasUnsavedData());

        recorder->resize(1200, 640);
        recorder->show();
        QCoreApplication::processEvents();
        const QByteArray out = qgetenv("TELMORA_TEST_TMP");
        if (!out.isEmpty())
            recorder->grab().save(QString::fromLocal8Bit(out) + "/recorder-live.png");
    }
    // The recorder went with the main window, and its temporary file with it.
    EXPECT_FALSE(QFile::exists(tmp));
    EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
    SetCableBackend(nullptr);
    SetBoxInterceptor(nullptr);
    QDir::setCurrent(oldDir);
}
