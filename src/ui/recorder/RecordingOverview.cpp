#include "ui/recorder/RecordingOverview.h"

#include "recording/Recording.h"
#include "recording/recordertext.h"
#include "text/texts.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/MessageBox.h"
#include "ui/export/ExportDialog.h"
#include "ui/export/pictureexport.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

namespace telmora {

namespace {

constexpr float kNull = -99999.0f;

constexpr int kResetPoints = 100;

// The hourglass while the viewer fills its graph.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

enum class Glyph { Print, UndoZoom, Export };

QIcon drawGlyph(Glyph glyph) {
    QPixmap pm(40, 40);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(2.0, 2.0);
    p.setPen(QPen(QColor(40, 40, 40), 1.3));
    switch (glyph) {
    case Glyph::Print:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6, 2.5, 8, 5));
        p.setBrush(QColor(150, 150, 160));
        p.drawRoundedRect(QRectF(2.5, 7.5, 15, 7), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 12, 9, 5.5));
        break;
    case Glyph::UndoZoom: {
        p.setBrush(QColor(210, 230, 250));
        p.drawEllipse(QRectF(2.5, 2.5, 10, 10));
        p.setPen(QPen(QColor(40, 40, 40), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(11, 11), QPointF(17, 17));
        p.setPen(QPen(QColor(170, 30, 30), 1.6));
        p.drawLine(QPointF(5, 7.5), QPointF(10, 7.5));
        break;
    }
    case Glyph::Export: {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2.5, 5.5, 10, 12));
        p.setPen(QPen(QColor(20, 110, 40), 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(7.5, 11.5), QPointF(17, 2.5));
        p.drawLine(QPointF(11.5, 2.5), QPointF(17, 2.5));
        p.drawLine(QPointF(17, 2.5), QPointF(17, 8));
        break;
    }
    }
    p.end();
    return QIcon(pm);
}

QLabel* valuePanel(QWidget* parent, const char* name, int minWidth) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAutoFillBackground(true);
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, QColor(0, 255, 0));
    l->setPalette(pal);
    QFont f(QStringLiteral("Airal"));
    f.setPointSize(11);
    f.setBold(true);
    l->setFont(f);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumWidth(minWidth);
    l->setMinimumHeight(QFontMetrics(f).height() + 8);
    return l;
}

// Time, reading, prefix and unit of a sample in four panels, with the degree and
// ohm signs as the recorder shows them.
void showSample(const ReadingRecord& r, QLabel* time, QLabel* data, QLabel* unit, QLabel* func) {
    const std::uint32_t code = r.function();
    const bool degree = code == 0x20 || code == 0x40;
    time->setText(RecordText(r.timeText).trimmed());
    data->setText(RecordText(r.displayText).trimmed());
    unit->setText(RecordText(r.prefixText));
    unit->setAlignment(degree ? (Qt::AlignRight | Qt::AlignVCenter) : Qt::AlignCenter);
    QString unitText = RecordText(r.unitText);
    if (IsOhmCode(code) && unitText == QStringLiteral("W"))
        unitText = QString(QChar(0x03A9));
    func->setText(unitText);
    func->setAlignment(degree ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter);
}

void reportExportFailure(QWidget* owner, const QString& path) {
    QString message = text(TextId::FileSaveError);
    if (!path.isEmpty())
        message += QStringLiteral("\n\"%1\" could not be written.").arg(path);
    showDirectBox(owner, message, CaptionKind::Error, TextId::FileSaveError, BoxIcon::Error,
                  {BoxButton::Ok});
}

} // namespace

RecordingOverview::RecordingOverview(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormViewGraphic"));
    setWindowTitle(text(TextId::ViewerCaption));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    setModal(true);
    buildControls();
    setUpGraph();
}

RecordingOverview::~RecordingOverview() = default;

void RecordingOverview::buildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    DisplayPanel = new QWidget(this);
    DisplayPanel->setObjectName(QStringLiteral("DisplayPanel"));
    auto* row = new QHBoxLayout(DisplayPanel);
    row->setContentsMargins(6, 4, 6, 4);
    row->setSpacing(3);
    auto tool = [this](const char* name, TextId hint, Glyph glyph) {
        auto* b = new QToolButton(DisplayPanel);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(text(hint));
        b->setIcon(drawGlyph(glyph));
        b->setIconSize(QSize(20, 20));
        b->setAutoRaise(true);
        return b;
    };
    sbtnPrint = tool("sbtnPrint", TextId::HintPrintPage, Glyph::Print);
    sbtnUndoZoom = tool("sbtnUndoZoom", TextId::HintUndoZoom, Glyph::UndoZoom);
    sbtnUndoZoom->setEnabled(false);
    sbtnExport = tool("sbtnExport", TextId::HintExport, Glyph::Export);
    row->addWidget(sbtnPrint);
    row->addWidget(sbtnUndoZoom);
    row->addWidget(sbtnExport);
    row->addSpacing(14);

    MaxLabel = new QLabel(QStringLiteral("Max."), DisplayPanel);
    MaxLabel->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    MaxTimePanel = valuePanel(DisplayPanel, "MaxTimePanel", 100);
    MaxDataPanel = valuePanel(DisplayPanel, "MaxDataPanel", 90);
    MaxUnitPanel = valuePanel(DisplayPanel, "MaxUnitPanel", 34);
    MaxFuncPanel = valuePanel(DisplayPanel, "MaxFuncPanel", 40);
    MaxPFPanel = valuePanel(DisplayPanel, "MaxPFPanel", 40);
    MinLabel = new QLabel(QStringLiteral("Min."), DisplayPanel);
    MinLabel->setStyleSheet(QStringLiteral("color: fuchsia; font-weight: bold;"));
    MinTimePanel = valuePanel(DisplayPanel, "MinTimePanel", 100);
    MinDataPanel = valuePanel(DisplayPanel, "MinDataPanel", 90);
    MinUnitPanel = valuePanel(DisplayPanel, "MinUnitPanel", 34);
    MinFuncPanel = valuePanel(DisplayPanel, "MinFuncPanel", 40);
    MinPFPanel = valuePanel(DisplayPanel, "MinPFPanel", 40);
    LabelPFMain = new QLabel(DisplayPanel);
    LabelPFSub = new QLabel(DisplayPanel);
    for (QWidget* hidden : {static_cast<QWidget*>(MaxPFPanel), static_cast<QWidget*>(MinPFPanel),
                            static_cast<QWidget*>(LabelPFMain), static_cast<QWidget*>(LabelPFSub)})
        hidden->hide();
    for (QLabel* clickable : {MaxDataPanel, MinDataPanel}) {
        clickable->setCursor(Qt::PointingHandCursor);
        clickable->installEventFilter(this);
    }
    MaxDataPanel->setToolTip(QStringLiteral("Put the cursor on the largest sample"));
    MinDataPanel->setToolTip(QStringLiteral("Put the cursor on the smallest sample"));

    row->addWidget(MaxLabel);
    row->addWidget(MaxTimePanel, 3);
    row->addWidget(MaxDataPanel, 3);
    row->addWidget(MaxUnitPanel, 1);
    row->addWidget(MaxFuncPanel, 1);
    row->addWidget(MaxPFPanel);
    row->addSpacing(14);
    row->addWidget(MinLabel);
    row->addWidget(MinTimePanel, 3);
    row->addWidget(MinDataPanel, 3);
    row->addWidget(MinUnitPanel, 1);
    row->addWidget(MinFuncPanel, 1);
    row->addWidget(MinPFPanel);
    row->addWidget(LabelPFMain);
    row->addWidget(LabelPFSub);
    row->addSpacing(14);
    bbtnClose = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                                text(TextId::CloseButton), DisplayPanel);
    bbtnClose->setObjectName(QStringLiteral("bbtnClose"));
    bbtnClose->setAutoDefault(false);
    row->addWidget(bbtnClose);
    layout->addWidget(DisplayPanel);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);

    ChartWidgetView = new telmora::ChartWidget(this);
    ChartWidgetView->setObjectName(QStringLiteral("ChartWidgetView"));
    layout->addWidget(ChartWidgetView, 1);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setSizeGripEnabled(false);
    layout->addWidget(StatusBar1);

    connect(sbtnPrint, &QToolButton::clicked, this, &RecordingOverview::sbtnPrintClick);
    connect(sbtnUndoZoom, &QToolButton::clicked, this, &RecordingOverview::sbtnUndoZoomClick);
    connect(sbtnExport, &QToolButton::clicked, this, &RecordingOverview::sbtnExportClick);
    connect(bbtnClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(ChartWidgetView, &telmora::ChartWidget::zoomed, this,
            &RecordingOverview::ChartWidgetViewZoomIn);
}

void RecordingOverview::setUpGraph() {
    telmora::ChartWidget* g = ChartWidgetView;
    const QColor buttonFace = palette().color(QPalette::Button);
    g->setMainTitle(QStringLiteral("Data Logger"));
    g->setSubTitle(QString());
    g->setYAxisLabel(QStringLiteral("Reading"));
    g->setXAxisLabel(QStringLiteral("Time"));
    g->setDeskColor(buttonFace);
    g->setGraphBackColor(Qt::white);
    g->setGraphForeColor(buttonFace);
    g->setLineColor(Qt::blue);
    g->setPlotStyle(telmora::ChartWidget::PlotStyle::Line);
    g->setLineType(telmora::ChartWidget::LineWeight::Medium,
                   telmora::ChartWidget::LineStyle::DashDotDot);
    g->setWidestValueText(QStringLiteral("00000000.000"));
    g->setWidestPointLabel(QStringLiteral("00:00:00.000"));
    g->setDecimals(3);
    g->setNullValue(kNull);
    g->setViewStart(telmora::ChartWidget::ViewStart::LastPoint);
    g->setPointSize(telmora::ChartWidget::PointSize::Large);
    g->setGridLines(telmora::ChartWidget::GridLines::Both);
    g->setCursorMode(telmora::ChartWidget::CursorMode::VerticalLine);
    g->setMouseMovesCursor(true);
    g->setZoomMode(telmora::ChartWidget::ZoomMode::Both);
    g->setPointCount(kResetPoints);
    g->setYRange(-100.0, 100.0);
    refreshGraph();
}

void RecordingOverview::refreshGraph() {
    ChartWidgetView->refresh();
}

void RecordingOverview::viewRecording(const Recording& recording) {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (s != nullptr)
        setGeometry(s->availableGeometry());
    FormShow(recording);
    exec();
}

void RecordingOverview::FormShow(const Recording& recording) {
    WaitCursor wait;
    m_recording = &recording;
    ChartWidgetView->setFocus();
    m_scaleMax = recording.scaleMax();
    m_scaleMin = recording.scaleMin();
    const SampleList& buffer = recording.buffer();
    m_reduction = ReduceForView(buffer, recording.maxIndex(), recording.minIndex());
    m_pointCount = static_cast<std::int32_t>(m_reduction.pointCount());

    telmora::ChartWidget* g = ChartWidgetView;
    const int points = std::max(m_pointCount, 1);
    g->setPointCount(points);
    g->setVisiblePoints(points);
    g->setYRange(m_scaleMin, m_scaleMax);
    if (m_pointCount == 0) {
        g->setValue(0, kNull);
        g->setPointLabel(0, QStringLiteral(" "));
    }
    for (std::int32_t p = 0; p < m_pointCount; ++p) {
        const SampleEntry& e = buffer[static_cast<std::size_t>(m_reduction.indexOfPoint(p))];
        g->setValue(p, e.main.value);
        g->setPointLabel(p, RecordText(e.main.timeText));
    }
    refreshGraph();
    g->setCursorPoint(0);
    g->resetZoom();
    sbtnUndoZoom->setEnabled(false);

    const auto count = static_cast<std::int64_t>(buffer.size());
    auto inBuffer = [&](std::int64_t i) { return i >= 0 && i < count; };
    if (inBuffer(recording.maxIndex()))
        showSample(buffer[static_cast<std::size_t>(recording.maxIndex())].main, MaxTimePanel,
                   MaxDataPanel, MaxUnitPanel, MaxFuncPanel);
    else
        for (QLabel* l : {MaxTimePanel, MaxDataPanel, MaxUnitPanel, MaxFuncPanel})
            l->clear();
    if (inBuffer(recording.minIndex()))
        showSample(buffer[static_cast<std::size_t>(recording.minIndex())].main, MinTimePanel,
                   MinDataPanel, MinUnitPanel, MinFuncPanel);
    else
        for (QLabel* l : {MinTimePanel, MinDataPanel, MinUnitPanel, MinFuncPanel})
            l->clear();
}

void RecordingOverview::FormClose() {
    m_reduction = ViewReduction{};
    m_pointCount = 0;
    telmora::ChartWidget* g = ChartWidgetView;
    g->setPointCount(kResetPoints);
    g->setVisiblePoints(kResetPoints);
    g->setYRange(-100.0, 100.0);
    std::size_t available = 0;
    if (m_recording != nullptr)
        available = std::min<std::size_t>(m_recording->buffer().size(), kResetPoints);
    for (int p = 0; p < kResetPoints; ++p) {
        if (static_cast<std::size_t>(p) < available) {
            const SampleEntry& e = m_recording->buffer()[static_cast<std::size_t>(p)];
            g->setValue(p, e.main.value);
            g->setPointLabel(p, RecordText(e.main.timeText));
        } else {
            g->setValue(p, kNull);
            g->setPointLabel(p, QStringLiteral(" "));
        }
    }
    refreshGraph();
    m_recording = nullptr;
}

void RecordingOverview::done(int result) {
    FormClose();
    QDialog::done(result);
}

bool RecordingOverview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == MaxDataPanel) {
            MaxDataPanelClick();
            return true;
        }
        if (watched == MinDataPanel) {
            MinDataPanelClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void RecordingOverview::MaxDataPanelClick() {
    if (m_pointCount > 0)
        ChartWidgetView->setCursorPoint(static_cast<int>(m_reduction.maxPoint));
}

void RecordingOverview::MinDataPanelClick() {
    if (m_pointCount > 0)
        ChartWidgetView->setCursorPoint(static_cast<int>(m_reduction.minPoint));
}

void RecordingOverview::ChartWidgetViewZoomIn() {
    sbtnUndoZoom->setEnabled(true);
}

void RecordingOverview::sbtnUndoZoomClick() {
    ChartWidgetView->resetZoom();
    sbtnUndoZoom->setEnabled(false);
}

void RecordingOverview::sbtnPrintClick() {
    ChartWidgetView->setViewingStyle(telmora::ChartWidget::ViewingStyle::Monochrome);
    ChartWidgetView->restyle();
    ChartWidgetView->printWithDialog(telmora::ChartWidget::printer());
    ChartWidgetView->setViewingStyle(telmora::ChartWidget::ViewingStyle::Colour);
    ChartWidgetView->restyle();
}

ExportDialog& RecordingOverview::exportDialog() {
    if (m_exportDialog == nullptr)
        m_exportDialog = new ExportDialog(ExportDialog::PrinterPages::ThisPageOnly, this);
    return *m_exportDialog;
}

void RecordingOverview::sbtnExportClick() {
    ExportDialog* dlg = &exportDialog();
    dlg->setTextExportAllowed(false);
    dlg->selectType(ExportType::MetaFile);
    dlg->selectPageScope(PageScope::ThisPage);
    dlg->setPageRange(1, 1);
    dlg->setFileName(QString());
    dlg->focusExport();
    if (dlg->exec() != QDialog::Accepted)
        return;

    const ExportDestination destination = dlg->destination();
    const QString fileName = dlg->fileName();
    if (destination == ExportDestination::File && fileName.isEmpty()) {
        showError(this, TextId::BrowseForFileName);
        return;
    }
    // A bitmap for the printer goes through the print dialog like the Print button.
    if (dlg->exportType() == ExportType::BitMap && destination == ExportDestination::Printer) {
        sbtnPrintClick();
        return;
    }
    PictureExportRequest request{
        dlg->exportType(), destination, fileName,
        QSize(static_cast<int>(dlg->pictureWidth()), static_cast<int>(dlg->pictureHeight()))};
    if (exportChartPictures(*ChartWidgetView, request, telmora::ChartWidget::printer()) ==
        PictureExportResult::WriteFailed)
        reportExportFailure(this, fileName);
}

} // namespace telmora
