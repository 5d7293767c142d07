#include "recording/Recording.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/MessageBox.h"
#include "ui/export/ExportDialog.h"
#include "ui/recorder/RecordingOverview.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
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
    void TearDown() override { SetBoxInterceptor(nullptr); }
    Recording m_state;
    RecordingOverview m_viewer;
};

} // namespace

TEST_F(ViewerTest, ShortRecordingIsShownSampleBySample) {
    fill(m_state, 8191, 4000, 17);
    m_viewer.FormShow(m_state);
    EXPECT_TRUE(m_viewer.isDirect());
    EXPECT_EQ(m_viewer.ChartWidgetView->pointCount(), 8191);
    EXPECT_EQ(m_viewer.ChartWidgetView->value(4000), 500.0f);
    EXPECT_EQ(m_viewer.ChartWidgetView->pointLabel(8190), QStringLiteral(" 12:00:50.0"));
    EXPECT_EQ(m_viewer.MaxDataPanel->text(), QStringLiteral("500"));
    EXPECT_EQ(m_viewer.MaxUnitPanel->text(), QStringLiteral("k"));
    EXPECT_EQ(m_viewer.MaxFuncPanel->text(), QString(QChar(0x03A9)));
    EXPECT_EQ(m_viewer.MinDataPanel->text(), QStringLiteral("-400"));
    EXPECT_EQ(m_viewer.ChartWidgetView->cursorPoint(), 0);
    EXPECT_FALSE(m_viewer.sbtnUndoZoom->isEnabled());
    m_viewer.MaxDataPanelClick();
    EXPECT_EQ(m_viewer.ChartWidgetView->cursorPoint(), 4000);
    m_viewer.MinDataPanelClick();
    EXPECT_EQ(m_viewer.ChartWidgetView->cursorPoint(), 17);
}

TEST_F(ViewerTest, LongRecordingIsReducedAndPanelsFindTheExtremes) {
    fill(m_state, 30001, 22222, 12345);
    m_viewer.FormShow(m_state);
    EXPECT_FALSE(m_viewer.isDirect());
    EXPECT_EQ(m_viewer.reduction().blockSize, 7);
    EXPECT_LE(m_viewer.pointCount(), 12288);
    EXPECT_EQ(m_viewer.ChartWidgetView->pointCount(), m_viewer.pointCount());
    m_viewer.MaxDataPanelClick();
    EXPECT_EQ(m_viewer.ChartWidgetView->value(m_viewer.ChartWidgetView->cursorPoint()), 500.0f);
    m_viewer.MinDataPanelClick();
    EXPECT_EQ(m_viewer.ChartWidgetView->value(m_viewer.ChartWidgetView->cursorPoint()), -400.0f);

    // Closing resets the graph to the first 100 samples of the buffer.
    m_viewer.FormClose();
    EXPECT_EQ(m_viewer.ChartWidgetView->pointCount(), 100);
    EXPECT_EQ(m_viewer.ChartWidgetView->value(99), m_state.buffer()[99].main.value);
}

TEST_F(ViewerTest, EmptyBufferShowsAnEmptyGraph) {
    m_viewer.FormShow(m_state);
    EXPECT_EQ(m_viewer.pointCount(), 0);
    EXPECT_TRUE(m_viewer.MaxDataPanel->text().isEmpty());
    m_viewer.MaxDataPanelClick(); // nothing to point at, nothing happens
}

TEST_F(ViewerTest, ExportWritesAVectorPictureOrAsksForAName) {
    QTemporaryDir dir;
    ExportDialog& dlg = m_viewer.exportDialog();
    fill(m_state, 300);
    m_viewer.FormShow(m_state);
    std::vector<int> messages;
    SetBoxInterceptor([&](const BoxRequest& r) {
        messages.push_back(r.caption.mid(7, 4).toInt());
        return BoxButton::Ok;
    });

    const QString svg = dir.filePath(QStringLiteral("view.svg"));
    QTimer::singleShot(0, &dlg, [&] {
        EXPECT_FALSE(dlg.findChild<QRadioButton*>("rbtnText")->isVisibleTo(&dlg));
        EXPECT_EQ(dlg.exportType(), ExportType::MetaFile);
        dlg.selectDestination(ExportDestination::File);
        dlg.setFileName(svg);
        dlg.confirmExport();
    });
    m_viewer.sbtnExportClick();
    QFile f(svg);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("<svg"));
    EXPECT_TRUE(messages.empty());

    QTimer::singleShot(0, &dlg, [&] {
        dlg.selectDestination(ExportDestination::File); // no Browse: no name
        dlg.confirmExport();
    });
    m_viewer.sbtnExportClick();
    EXPECT_EQ(messages, std::vector<int>{textNumber(TextId::BrowseForFileName)});
}
