#include "ScriptedDialogs.h"
#include "recording/Recording.h"
#include "ui/chart/ChartWidget.h"
#include "ui/export/ExportDialog.h"
#include "ui/recorder/RecordingOverview.h"
#include "ui/recorder/recorderwidgets.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>

using namespace telmora;

namespace {

SampleEntry sample(float value, int i) {
    SampleEntry e;
    e.main.value = value;
    e.main.displayText.assign(std::to_string(int(value)));
    e.main.timeText.assign(" 12:00:" + std::to_string(10 + i % 50) + ".0");
    e.main.functionCode = 0x180;
    e.main.prefixText.assign("k");
    e.main.unitText.assign("W");
    return e;
}

void fill(Recording& state, int n, int peakAt = -1, int dipAt = -1) {
    for (int i = 0; i < n; ++i) {
        float v = float(std::sin(i * 0.01) * 10.0);
        if (i == peakAt)
            v = 500.0f;
        if (i == dipAt)
            v = -400.0f;
        state.addSample(sample(v, i));
    }
}

class ViewerTest : public ::testing::Test {
protected:
    ChartWidget& chart() {
        return *m_viewer.findChild<ChartWidget*>(QStringLiteral("ChartWidgetView"));
    }
    QLabel& panel(const char* name) { return *m_viewer.findChild<QLabel*>(QLatin1String(name)); }
    QToolButton& button(const char* name) {
        return *m_viewer.findChild<QToolButton*>(QLatin1String(name));
    }
    // A left click on a read-out, as the user puts the cursor on an extreme.
    void clickPanel(const char* name) {
        QLabel& target = panel(name);
        const QPointF at(2, 2);
        QMouseEvent press(QEvent::MouseButtonPress, at, target.mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, target.mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &press);
        QApplication::sendEvent(&target, &release);
    }
    ScriptedDialogs m_dialogs;
    Recording m_state;
    RecordingOverview m_viewer{m_dialogs};
};

} // namespace

TEST_F(ViewerTest, ShortRecordingIsShownSampleBySample) {
    fill(m_state, 8191, 4000, 17);
    m_viewer.showRecording(m_state);
    EXPECT_TRUE(m_viewer.isDirect());
    EXPECT_EQ(chart().pointCount(), 8191);
    EXPECT_EQ(chart().value(4000), 500.0f);
    EXPECT_EQ(chart().pointLabel(8190), QStringLiteral(" 12:00:50.0"));
    EXPECT_EQ(panel("MaxDataPanel").text(), QStringLiteral("500"));
    EXPECT_EQ(panel("MaxPrefixPanel").text(), QStringLiteral("k"));
    EXPECT_EQ(panel("MaxUnitPanel").text(), QString(QChar(0x03A9)));
    EXPECT_EQ(panel("MinDataPanel").text(), QStringLiteral("-400"));
    EXPECT_EQ(chart().cursorPoint(), 0);
    EXPECT_FALSE(button("undoZoomButton").isEnabled());
    clickPanel("MaxDataPanel");
    EXPECT_EQ(chart().cursorPoint(), 4000);
    clickPanel("MinDataPanel");
    EXPECT_EQ(chart().cursorPoint(), 17);
}

TEST_F(ViewerTest, LongRecordingIsReducedAndPanelsFindTheExtremes) {
    fill(m_state, 30001, 22222, 12345);
    m_viewer.showRecording(m_state);
    EXPECT_FALSE(m_viewer.isDirect());
    EXPECT_EQ(m_viewer.reduction().blockSize, 7);
    EXPECT_LE(m_viewer.pointCount(), 12288);
    EXPECT_EQ(chart().pointCount(), m_viewer.pointCount());
    clickPanel("MaxDataPanel");
    EXPECT_EQ(chart().value(chart().cursorPoint()), 500.0f);
    clickPanel("MinDataPanel");
    EXPECT_EQ(chart().value(chart().cursorPoint()), -400.0f);

    // Closing resets the graph to the first 100 samples of the buffer.
    m_viewer.releaseRecording();
    EXPECT_EQ(chart().pointCount(), 100);
    EXPECT_EQ(chart().value(99), m_state.sampleAt(99).main.value);
}

TEST_F(ViewerTest, EmptyBufferShowsAnEmptyGraph) {
    m_viewer.showRecording(m_state);
    EXPECT_EQ(m_viewer.pointCount(), 0);
    EXPECT_TRUE(panel("MaxDataPanel").text().isEmpty());
    clickPanel("MaxDataPanel"); // nothing to point at, nothing happens
}

TEST_F(ViewerTest, ExportWritesAVectorPictureOrAsksForAName) {
    QTemporaryDir dir;
    ExportDialog& dlg = m_viewer.exportDialog();
    fill(m_state, 300);
    m_viewer.showRecording(m_state);
    std::vector<int> messages;
    m_dialogs.onBox = [&](const BoxRequest& r) {
        messages.push_back(r.caption.mid(7, 4).toInt());
        return BoxButton::Ok;
    };

    const QString svg = dir.filePath(QStringLiteral("view.svg"));
    QTimer::singleShot(0, &dlg, [&] {
        EXPECT_FALSE(dlg.findChild<QRadioButton*>("textButton")->isVisibleTo(&dlg));
        EXPECT_EQ(dlg.exportType(), ExportType::MetaFile);
        dlg.selectDestination(ExportDestination::File);
        dlg.setFileName(svg);
        dlg.confirmExport();
    });
    button("exportButton").click();
    QFile f(svg);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("<svg"));
    EXPECT_TRUE(messages.empty());

    QTimer::singleShot(0, &dlg, [&] {
        dlg.selectDestination(ExportDestination::File); // no Browse: no name
        dlg.confirmExport();
        EXPECT_TRUE(dlg.isVisible()); // told with the dialog still open
        dlg.reject();
    });
    button("exportButton").click();
    EXPECT_EQ(messages, std::vector<int>{textNumber(TextId::BrowseForFileName)});
}

TEST_F(ViewerTest, UndoZoomFollowsTheGraphsZoom) {
    fill(m_state, 300);
    m_viewer.showRecording(m_state);
    QToolButton& undo = button("undoZoomButton");
    EXPECT_FALSE(undo.isEnabled());
    emit chart().zoomed();
    EXPECT_TRUE(undo.isEnabled());
    undo.click();
    EXPECT_FALSE(undo.isEnabled());
}

// Every tool-button picture comes from its SVG resource and draws something.
TEST(RecorderGlyphs, EachLoadsFromItsResourceAndIsDrawn) {
    for (int g = static_cast<int>(RecorderGlyph::Start);
         g <= static_cast<int>(RecorderGlyph::ViewerExport); ++g) {
        const auto glyph = static_cast<RecorderGlyph>(g);
        const QIcon icon = MakeRecorderGlyph(glyph);
        EXPECT_TRUE(QFile::exists(RecorderGlyphPath(glyph))) << g;
        const QImage image = icon.pixmap(QSize(24, 24)).toImage();
        ASSERT_FALSE(image.isNull()) << g;
        int inked = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                inked += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
        EXPECT_GT(inked, 20) << g;
    }
    EXPECT_NE(RecorderGlyphPath(RecorderGlyph::First), RecorderGlyphPath(RecorderGlyph::Last));
}
