#include "ui/main/toolrow.h"

#include "text/texts.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace telmora {

namespace {

constexpr int kToolIconSize = 28;

// Each button of the row, in the order it is shown.
struct ToolButtonSpec {
    QToolButton* ToolRow::*button;
    const char* objectName;
    const char* icon;
    TextId hint;
};

constexpr ToolButtonSpec kToolButtons[] = {
    {&ToolRow::link, "linkButton", ":/toolbar/link.svg", TextId::HintLink},
    {&ToolRow::digital, "digitalMeterButton", ":/toolbar/digital.svg", TextId::HintDigitalMeter},
    {&ToolRow::analog, "analogMeterButton", ":/toolbar/analog.svg", TextId::HintAnalogMeter},
    {&ToolRow::dataList, "dataListButton", ":/toolbar/datalist.svg", TextId::HintDataList},
    {&ToolRow::recorder, "recorderButton", ":/toolbar/recorder.svg", TextId::HintRecorder},
    {&ToolRow::comparator, "comparatorButton", ":/toolbar/comparator.svg", TextId::HintComparator},
    {&ToolRow::tile, "tileButton", ":/toolbar/tile.svg", TextId::HintTileWindows},
    {&ToolRow::port, "portButton", ":/toolbar/port.svg", TextId::HintPortSelection},
    {&ToolRow::about, "aboutButton", ":/toolbar/about.svg", TextId::HintAbout},
};

QToolButton* makeToolButton(QWidget* parent, const ToolButtonSpec& entry) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(entry.objectName));
    b->setIcon(QIcon(QString::fromLatin1(entry.icon)));
    b->setIconSize(QSize(kToolIconSize, kToolIconSize));
    b->setFixedSize(kToolButtonSize, kToolButtonSize);
    b->setAutoRaise(true);
    b->setToolTip(text(entry.hint));
    // Named by its command for screen readers; reached with Tab like any control.
    b->setAccessibleName(text(entry.hint));
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QLabel* makeStatusPanel(QWidget* parent, const char* objectName) {
    auto* p = new QLabel(parent);
    p->setObjectName(QString::fromLatin1(objectName));
    p->setFrameShape(QFrame::StyledPanel);
    p->setFrameShadow(QFrame::Sunken);
    p->setMinimumWidth(120);
    return p;
}

// Puts the buttons into `row` in their groups; the status panels are made
// after the separating lines, so that the controls follow in the order shown.
void fillRow(QHBoxLayout& row, QWidget* central, ToolRow& tools) {
    const auto separator = [&] {
        auto* line = new QFrame(central);
        line->setFrameShape(QFrame::VLine);
        line->setFrameShadow(QFrame::Sunken);
        line->setFixedHeight(kToolButtonSize - 8);
        row.addSpacing(4);
        row.addWidget(line);
        row.addSpacing(4);
    };
    row.addWidget(tools.link);
    separator();
    for (QToolButton* b :
         {tools.digital, tools.analog, tools.dataList, tools.recorder, tools.comparator})
        row.addWidget(b);
    separator();
    row.addWidget(tools.tile);
    row.addWidget(tools.port);
    row.addWidget(tools.about);
    tools.statusPanels = {makeStatusPanel(central, "linkStatusPanel"),
                          makeStatusPanel(central, "recordingStatusPanel"),
                          makeStatusPanel(central, "loggerStatusPanel"),
                          makeStatusPanel(central, "publishStatusPanel")};
    row.addSpacing(8);
    for (QLabel* panel : tools.statusPanels)
        row.addWidget(panel);
    row.addStretch(1);
}

} // namespace

ToolRow BuildToolRow(QWidget* central) {
    ToolRow tools;
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    tools.bevel = new QFrame(central);
    tools.bevel->setObjectName(QStringLiteral("toolRowSeparator"));
    tools.bevel->setFixedHeight(0);
    column->addWidget(tools.bevel);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(5, kToolButtonSize / 4, 5, kToolButtonSize / 4);
    row->setSpacing(2);
    column->addLayout(row);

    for (const ToolButtonSpec& entry : kToolButtons)
        tools.*entry.button = makeToolButton(central, entry);
    fillRow(*row, central, tools);
    return tools;
}

} // namespace telmora
