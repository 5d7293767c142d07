// Colours under a light and a dark palette: backgrounds follow the palette, text
// stands out from its background by 4.5:1 and pictures by 3:1, measured on the
// pixels the widgets draw offscreen.
#include "ScriptedDialogs.h"
#include "logger/LoggerSessions.h"
#include "meter/CableAccess.h"
#include "sim/SimulatedMeter.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/UiResources.h"
#include "ui/common/contrast.h"
#include "ui/live/AnalogMeterWindow.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/live/DisplayArt.h"
#include "ui/logger/LoggerWindow.h"
#include "ui/recorder/AccentLabel.h"
#include "ui/recorder/recorderwidgets.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPalette>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleFactory>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

using namespace telmora;

namespace {

// A dark Fusion palette as desktop themes set it.
QPalette darkPalette() {
    QPalette p;
    const QColor window(0x35, 0x35, 0x35);
    const QColor base(0x2a, 0x2a, 0x2a);
    const QColor text(0xee, 0xee, 0xee);
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(g, QPalette::Window, window);
        p.setColor(g, QPalette::WindowText, text);
        p.setColor(g, QPalette::Base, base);
        p.setColor(g, QPalette::AlternateBase, window);
        p.setColor(g, QPalette::Text, text);
        p.setColor(g, QPalette::Button, window);
        p.setColor(g, QPalette::ButtonText, text);
        p.setColor(g, QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
        p.setColor(g, QPalette::HighlightedText, Qt::black);
        p.setColor(g, QPalette::Link, QColor(0x6e, 0xa8, 0xff));
        p.setColor(g, QPalette::Light, QColor(0x50, 0x50, 0x50));
        p.setColor(g, QPalette::Midlight, QColor(0x42, 0x42, 0x42));
        p.setColor(g, QPalette::Mid, QColor(0x25, 0x25, 0x25));
        p.setColor(g, QPalette::Dark, QColor(0x1a, 0x1a, 0x1a));
        p.setColor(g, QPalette::Shadow, Qt::black);
        p.setColor(g, QPalette::ToolTipBase, window);
        p.setColor(g, QPalette::ToolTipText, text);
        p.setColor(g, QPalette::PlaceholderText, QColor(0x9a, 0x9a, 0x9a));
    }
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Disabled, QPalette::Window, window);
    p.setColor(QPalette::Disabled, QPalette::Base, window);
    p.setColor(QPalette::Disabled, QPalette::Button, window);
    return p;
}

// The largest contrast of any opaque pixel of `image` inside `area` against
// `background`: what the eye finds of the marks drawn there.
double strongestContrast(const QImage& image, const QRect& area, const QColor& background) {
    double best = 1.0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() < 200)
                continue;
            best = std::max(best, ContrastRatio(c, background));
        }
    return best;
}

QImage grabbed(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

enum class Theme { Light, Dark };

// Runs each test under the light Fusion palette and a dark one.
class UnderPalette : public ::testing::TestWithParam<Theme> {
protected:
    void SetUp() override {
        m_oldStyle = QApplication::style()->name();
        m_oldPalette = QApplication::palette();
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(
            GetParam() == Theme::Dark ? darkPalette() : QApplication::style()->standardPalette());
    }
    void TearDown() override {
        QApplication::setStyle(QStyleFactory::create(m_oldStyle));
        QApplication::setPalette(m_oldPalette);
    }
    bool dark() const { return GetParam() == Theme::Dark; }
    QPalette palette() const { return QApplication::palette(); }

    QString m_oldStyle;
    QPalette m_oldPalette;
};

} // namespace

TEST(Contrast, MeasuresAsTheGuidelinesDo) {
    EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(Qt::white, Qt::black), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(QColor(0x77, 0x77, 0x77), Qt::white), 4.48, 0.01);
    EXPECT_NEAR(ContrastRatio(QColor(0xe8, 0xe8, 0xe8), Qt::white), 1.22, 0.01);
    EXPECT_NEAR(ContrastRatio(Qt::red, Qt::red), 1.0, 1e-9);
    // The first candidate that is good enough, else the best.
    EXPECT_EQ(ReadableOn(Qt::white, {Qt::yellow, Qt::blue, Qt::black}, 4.5), QColor(Qt::blue));
    EXPECT_EQ(ReadableOn(Qt::white, {Qt::yellow, QColor(0xaa, 0xaa, 0xaa)}, 4.5),
              QColor(0xaa, 0xaa, 0xaa));
    EXPECT_EQ(TextColourOn(QColor(0x35, 0x35, 0x35)), QColor(Qt::white));
    EXPECT_EQ(TextColourOn(QColor(0xef, 0xef, 0xef)), QColor(Qt::black));
    EXPECT_TRUE(IsDarkPalette(darkPalette()));
}

// Every picture of the recorder's and the overview's tool buttons shows on the
// buttons, enabled, in the palette in use.
TEST_P(UnderPalette, RecorderToolPicturesStandOutFromTheButtons) {
    const QColor button = palette().color(QPalette::Button);
    for (int g = 0; g <= static_cast<int>(RecorderGlyph::ViewerExport); ++g) {
        const QImage image = MakeRecorderGlyph(static_cast<RecorderGlyph>(g))
                                 .pixmap(QSize(22, 22))
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32);
        EXPECT_GE(strongestContrast(image, image.rect(), button), kGraphicContrast)
            << RecorderGlyphPath(static_cast<RecorderGlyph>(g)).toStdString();
    }
}

// The main window's tool pictures show on its background.
TEST_P(UnderPalette, MainToolPicturesStandOutFromTheWindow) {
    InitUiResources();
    const QColor window = palette().color(QPalette::Window);
    for (const char* name : {"link", "digital", "analog", "datalist", "recorder", "comparator",
                             "tile", "port", "about"}) {
        const QImage image = QIcon(QStringLiteral(":/toolbar/%1.svg").arg(QLatin1String(name)))
                                 .pixmap(QSize(28, 28))
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(image.isNull()) << name;
        EXPECT_GE(strongestContrast(image, image.rect(), window), kGraphicContrast) << name;
    }
}

// The pictures on the comparator's buttons and the logger's tool buttons show on them.
TEST_P(UnderPalette, ComparatorAndLoggerPicturesStandOutFromTheButtons) {
    InitUiResources();
    const QColor button = palette().color(QPalette::Button);
    for (const char* name : {"glyph_alarm", "glyph_alarm_off", "glyph_limits"}) {
        const QImage image = QIcon(QStringLiteral(":/displays/%1.svg").arg(QLatin1String(name)))
                                 .pixmap(QSize(24, 24))
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(image.isNull()) << name;
        EXPECT_GE(strongestContrast(image, image.rect(), button), kGraphicContrast) << name;
    }
    ScriptedDialogs dialogs;
    CableAccess access{std::make_shared<SimulatedMeter>(SimScenario::Demo, false)};
    LoggerSessions sessions{access};
    LoggerWindow logger(dialogs, sessions);
    for (QToolButton* tool : logger.findChildren<QToolButton*>()) {
        // Qt's own extension buttons are the style's business.
        if (tool->icon().isNull() || tool->objectName().startsWith(QLatin1String("qt_")))
            continue;
        const QImage image =
            tool->icon().pixmap(QSize(24, 24)).toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_GE(strongestContrast(image, image.rect(), button), kGraphicContrast)
            << tool->objectName().toStdString();
    }
}

// A chart left to the palette: desk in the window colour, graph area in the base
// colour, titles and tick labels readable on the desk, the line on the graph area.
TEST_P(UnderPalette, ChartColoursFollowThePalette) {
    ChartWidget chart;
    chart.setMainTitle(QStringLiteral("Session"));
    chart.setXAxisLabel(QStringLiteral("Time"));
    chart.setYAxisLabel(QStringLiteral("Reading"));
    chart.setPointCount(20);
    for (int i = 0; i < 20; ++i)
        chart.setValue(i, static_cast<float>(i % 5));
    chart.resize(480, 320);
    chart.refresh();
    const QImage image = grabbed(chart);
    const QColor desk = palette().color(QPalette::Window);
    const QColor base = palette().color(QPalette::Base);
    EXPECT_EQ(image.pixelColor(2, 2), desk);
    EXPECT_GE(ContrastRatio(chart.lineColor(), base), kGraphicContrast);
    // The title along the top and the tick labels down the left edge.
    EXPECT_GE(strongestContrast(image, QRect(0, 0, image.width(), 30), desk), kTextContrast);
    EXPECT_GE(strongestContrast(image, QRect(0, 40, 60, image.height() - 80), desk), kTextContrast);
    // Somewhere in the middle the graph area shows its base colour.
    int baseCount = 0;
    for (int x = image.width() / 3; x < image.width() * 2 / 3; ++x)
        baseCount += image.pixelColor(x, image.height() / 2) == base ? 1 : 0;
    EXPECT_GT(baseCount, 10);
}

// The logger's session graph is a chart left to the palette.
TEST_P(UnderPalette, SessionGraphFollowsThePalette) {
    ScriptedDialogs dialogs;
    CableAccess access{std::make_shared<SimulatedMeter>(SimScenario::Demo, false)};
    LoggerSessions sessions{access};
    LoggerWindow logger(dialogs, sessions);
    logger.resize(900, 600);
    auto* chart = logger.findChild<ChartWidget*>();
    ASSERT_NE(chart, nullptr);
    chart->resize(500, 300);
    chart->refresh();
    const QImage image = grabbed(*chart);
    EXPECT_EQ(image.pixelColor(2, 2), palette().color(QPalette::Window));
    EXPECT_GE(ContrastRatio(chart->lineColor(), palette().color(QPalette::Base)), kGraphicContrast);
}

// The dial faces take the look of the palette: a dark face on a dark palette,
// with the scale's numbers readable on either.
TEST_P(UnderPalette, DialFacesFollowThePaletteAndTheirMarksRead) {
    AnalogMeterWindow analog;
    const QImage a = grabbed(analog);
    const int left = (analog.width() - art::Size(art::id::DialFace).width()) / 2;
    const QColor face = a.pixelColor(left + 175, 135);
    EXPECT_EQ(RelativeLuminance(face) < 0.2, dark()) << face.name().toStdString();
    // The numbers and ticks of the scale (the label panels below are left out).
    EXPECT_GE(strongestContrast(a, QRect(left + 12, 30, 60, 40), face), kTextContrast);

    ScriptedDialogs dialogs;
    ComparatorWindow comparator(dialogs, 1.0, 0.0);
    const QImage c = grabbed(comparator);
    const int dialLeft = (comparator.width() - art::Size(art::id::ComparatorDial).width()) / 2;
    const QColor comparatorFace = c.pixelColor(dialLeft + 14, 108);
    EXPECT_EQ(RelativeLuminance(comparatorFace) < 0.2, dark())
        << comparatorFace.name().toStdString();
}

// The red and fuchsia titles of the read-outs read on the window.
TEST_P(UnderPalette, AccentTitlesReadOnTheWindow) {
    for (const auto& colours : {AccentLabel::reds(), AccentLabel::fuchsias()}) {
        AccentLabel label(QStringLiteral("Max."), colours);
        label.resize(label.sizeHint());
        const QColor window = palette().color(QPalette::Window);
        EXPECT_GE(strongestContrast(grabbed(label), QRect(QPoint(0, 0), label.size()), window),
                  kTextContrast);
    }
}

INSTANTIATE_TEST_SUITE_P(LightAndDark, UnderPalette, ::testing::Values(Theme::Light, Theme::Dark),
                         [](const ::testing::TestParamInfo<Theme>& info) {
                             return info.param == Theme::Dark ? std::string("Dark")
                                                              : std::string("Light");
                         });

// Every background in the manual's style sheet comes with a text colour that
// reads on it, whatever colour the help window's theme gives to text.
TEST(ManualStyle, EveryBackgroundHasAReadableTextColour) {
    InitUiResources();
    QFile manual(QStringLiteral(":/manual/index.html"));
    ASSERT_TRUE(manual.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(manual.readAll());
    const qsizetype from = html.indexOf(QStringLiteral("<style>"));
    const qsizetype to = html.indexOf(QStringLiteral("</style>"));
    ASSERT_TRUE(from >= 0 && to > from);
    const QString css = html.mid(from, to - from);
    static const QRegularExpression rule(QStringLiteral("([^{}]+)\\{([^}]*)\\}"));
    static const QRegularExpression background(
        QStringLiteral("background(?:-color)?\\s*:\\s*(#[0-9a-fA-F]{3,6})"));
    static const QRegularExpression colour(
        QStringLiteral("(?:^|;)\\s*color\\s*:\\s*(#[0-9a-fA-F]{3,6})"));
    int backgrounds = 0;
    for (const QRegularExpressionMatch& m : rule.globalMatch(css)) {
        const QString body = m.captured(2);
        const QRegularExpressionMatch back = background.match(body);
        if (!back.hasMatch())
            continue;
        ++backgrounds;
        const QRegularExpressionMatch fore = colour.match(body);
        ASSERT_TRUE(fore.hasMatch()) << m.captured(1).trimmed().toStdString();
        EXPECT_GE(ContrastRatio(QColor(fore.captured(1)), QColor(back.captured(1))), kTextContrast)
            << m.captured(1).trimmed().toStdString();
    }
    EXPECT_GT(backgrounds, 0);
}
