#include "ui/recorder/RecorderCommandBar.h"

#include "recording/recorderrules.h"
#include "text/texts.h"

#include "ui/common/standardshortcuts.h"

#include <QAction>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QToolButton>

#include <utility>

namespace telmora {

RecorderCommandBar::RecorderCommandBar(QMainWindow& window) : QObject(&window) {
    buildToolPanel(window);
    buildMenus(window);
}

QToolButton*& RecorderCommandBar::button(RecorderCommand command) {
    return m_buttons[static_cast<std::size_t>(command)];
}

QAction*& RecorderCommandBar::action(RecorderCommand command) {
    return m_actions[static_cast<std::size_t>(command)];
}

// --- tool panel -------------------------------------------------------------------

void RecorderCommandBar::addButton(QHBoxLayout& tools, RecorderCommand command, const char* name,
                                   TextId hint, RecorderGlyph glyph) {
    auto* b = new QToolButton(m_toolPanel);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(text(hint));
    b->setAccessibleName(text(hint));
    b->setIcon(MakeRecorderGlyph(glyph));
    b->setIconSize(QSize(22, 22));
    b->setAutoRaise(true);
    // Start and Stop (checkable) run their command as they become checked, however
    // that happens: a click, a key or assistive technology's toggle.
    connect(b, &QToolButton::toggled, this, [this, command](bool checked) {
        if (checked)
            emit commandTriggered(command);
    });
    connect(b, &QToolButton::clicked, this, [this, b, command] {
        if (!b->isCheckable())
            emit commandTriggered(command);
    });
    tools.addWidget(b);
    button(command) = b;
}

void RecorderCommandBar::buildToolPanel(QMainWindow& window) {
    using C = RecorderCommand;
    using G = RecorderGlyph;
    m_toolPanel = new QWidget(&window);
    m_toolPanel->setObjectName(QStringLiteral("toolPanel"));
    auto* tools = new QHBoxLayout(m_toolPanel);
    tools->setContentsMargins(4, 2, 4, 2);
    tools->setSpacing(1);
    addButton(*tools, C::Start, "startRecordingButton", TextId::HintAcquisitionStart, G::Start);
    addButton(*tools, C::Stop, "stopRecordingButton", TextId::HintAcquisitionStop, G::Stop);
    addButton(*tools, C::Manual, "takeSampleButton", TextId::HintManualAcquisition, G::Manual);
    addButton(*tools, C::Interval, "intervalButton", TextId::HintIntervalOption, G::Option);
    tools->addSpacing(10);
    addButton(*tools, C::Open, "openButton", TextId::HintOpenFile, G::Open);
    addButton(*tools, C::SaveAs, "saveButton", TextId::HintSaveFile, G::Save);
    addButton(*tools, C::Print, "printButton", TextId::HintPrintPage, G::Print);
    addButton(*tools, C::Clear, "clearButton", TextId::HintClearRecord, G::Clear);
    addButton(*tools, C::Import, "downloadButton", TextId::HintImport, G::Import);
    addButton(*tools, C::Export, "exportButton", TextId::HintExport, G::Export);
    tools->addSpacing(10);
    addButton(*tools, C::FirstPage, "firstPageButton", TextId::HintFirstPage, G::First);
    addButton(*tools, C::PageUp, "previousPageButton", TextId::HintPageUp, G::PageUp);
    addButton(*tools, C::PageDown, "nextPageButton", TextId::HintPageDown, G::PageDown);
    addButton(*tools, C::LastPage, "lastPageButton", TextId::HintLastPage, G::Last);
    tools->addSpacing(10);
    addButton(*tools, C::UndoZoom, "undoZoomButton", TextId::HintUndoZoom, G::UndoZoom);
    addButton(*tools, C::FitView, "fitViewButton", TextId::HintFitAll, G::Fit);
    button(C::UndoZoom)->setEnabled(false);

    // Start and Stop are the two down-state buttons of one group.
    auto* group = new QButtonGroup(m_toolPanel);
    group->setExclusive(true);
    for (RecorderCommand c : {C::Start, C::Stop}) {
        button(c)->setCheckable(true);
        group->addButton(button(c));
    }
    showRecording(false);

    tools->addStretch(1);
    auto* caption = new QLabel(window.windowTitle() + QStringLiteral("   "), m_toolPanel);
    caption->setObjectName(QStringLiteral("toolPanelCaption"));
    QFont italic = caption->font();
    italic.setItalic(true);
    italic.setBold(true);
    caption->setFont(italic);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    tools->addWidget(caption);
}

// --- menus --------------------------------------------------------------------------

QAction* RecorderCommandBar::addItem(QMenu& menu, RecorderCommand command, TextId id,
                                     const QKeySequence& key) {
    QAction* a = addItem(menu, command, id);
    a->setShortcut(key);
    return a;
}

QAction* RecorderCommandBar::addItem(QMenu& menu, RecorderCommand command, TextId id) {
    QAction* a = menu.addAction(text(id));
    connect(a, &QAction::triggered, this, [this, command] { emit commandTriggered(command); });
    action(command) = a;
    return a;
}

void RecorderCommandBar::buildMenus(QMainWindow& window) {
    QMenuBar* bar = window.menuBar();
    buildFileMenu(*bar->addMenu(text(TextId::MenuFile)));
    buildAcquisitionMenu(*bar->addMenu(text(TextId::MenuAcquisition)));
    buildViewMenu(*bar->addMenu(text(TextId::MenuView)));
    // The desktop's usual keys for the commands that have none of their own.
    using C = RecorderCommand;
    using K = QKeySequence;
    const std::pair<C, K::StandardKey> standard[] = {
        {C::Open, K::Open}, {C::SaveAs, K::Save}, {C::Print, K::Print}, {C::Exit, K::Close}};
    for (const auto& [command, key] : standard)
        AddStandardShortcut(window, *action(command), key);
}

void RecorderCommandBar::buildFileMenu(QMenu& menu) {
    using C = RecorderCommand;
    addItem(menu, C::Open, TextId::MenuFileOpen);
    addItem(menu, C::SaveAs, TextId::MenuFileSaveAs);
    addItem(menu, C::Clear, TextId::MenuFileClear);
    menu.addSeparator();
    addItem(menu, C::Import, TextId::MenuFileImport);
    addItem(menu, C::Export, TextId::MenuFileExport);
    addItem(menu, C::Print, TextId::MenuFilePrintPage);
    addItem(menu, C::PrinterSetup, TextId::MenuFilePrinterSetup);
    menu.addSeparator();
    addItem(menu, C::Exit, TextId::MenuFileClose);
}

void RecorderCommandBar::buildAcquisitionMenu(QMenu& menu) {
    using C = RecorderCommand;
    addItem(menu, C::Start, TextId::MenuAcquisitionStart, QKeySequence(Qt::Key_F9));
    addItem(menu, C::Stop, TextId::MenuAcquisitionStop, QKeySequence(Qt::Key_F3));
    addItem(menu, C::Manual, TextId::MenuAcquisitionManual, QKeySequence(Qt::Key_F7));
    menu.addSeparator();
    addItem(menu, C::Interval, TextId::MenuAcquisitionInterval);
    // A channel computed from the meters' readings (several meters linked).
    QAction* math = menu.addAction(translate("RecorderWindow", "M&ath channel..."));
    math->setObjectName(QStringLiteral("mathChannelAction"));
    connect(math, &QAction::triggered, this,
            [this] { emit commandTriggered(RecorderCommand::MathChannel); });
    action(C::MathChannel) = math;
    // When a recording starts and stops by itself.
    QAction* trigger = menu.addAction(translate("RecorderWindow", "T&rigger..."));
    trigger->setObjectName(QStringLiteral("triggerAction"));
    connect(trigger, &QAction::triggered, this,
            [this] { emit commandTriggered(RecorderCommand::Trigger); });
    action(C::Trigger) = trigger;
}

void RecorderCommandBar::buildViewMenu(QMenu& menu) {
    using C = RecorderCommand;
    addItem(menu, C::FirstPage, TextId::MenuViewFirstPage, QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    addItem(menu, C::PageUp, TextId::MenuViewPageUp);
    addItem(menu, C::PageDown, TextId::MenuViewPageDown);
    addItem(menu, C::LastPage, TextId::MenuViewLastPage, QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    menu.addSeparator();
    addItem(menu, C::FitView, TextId::MenuViewFitAll, QKeySequence(Qt::CTRL | Qt::Key_F));
    addItem(menu, C::UndoZoom, TextId::MenuViewUndoZoom, QKeySequence(Qt::CTRL | Qt::Key_Z))
        ->setEnabled(false);
    menu.addSeparator();
    addItem(menu, C::LineColor, TextId::MenuViewLineColor);
}

// --- state --------------------------------------------------------------------------

void RecorderCommandBar::apply(const RecorderControlState& s) {
    using C = RecorderCommand;
    const std::pair<C, bool> buttons[] = {
        {C::Start, s.start},       {C::Stop, s.stop},           {C::Manual, s.manual},
        {C::Interval, s.option},   {C::Open, s.openFile},       {C::Import, s.import},
        {C::SaveAs, s.saveFile},   {C::Print, s.print},         {C::Clear, s.clear},
        {C::Export, s.exportData}, {C::FirstPage, s.firstPage}, {C::PageUp, s.pageUp},
        {C::PageDown, s.pageDown}, {C::LastPage, s.lastPage},   {C::FitView, s.fitView}};
    for (const auto& [command, enabled] : buttons)
        button(command)->setEnabled(enabled);
    // The menu items follow their buttons, except where the menu has its own rule.
    const std::pair<C, bool> items[] = {
        {C::Open, s.openFile},   {C::Import, s.import},     {C::PrinterSetup, s.menuPrinterSetup},
        {C::Interval, s.option}, {C::SaveAs, s.saveFile},   {C::Clear, s.clear},
        {C::Print, s.print},     {C::Export, s.exportData}, {C::Start, s.menuStart},
        {C::Stop, s.menuStop},   {C::Manual, s.menuManual}, {C::FirstPage, s.firstPage},
        {C::PageUp, s.pageUp},   {C::PageDown, s.pageDown}, {C::LastPage, s.lastPage},
        {C::FitView, s.fitView}};
    for (const auto& [command, enabled] : items)
        action(command)->setEnabled(enabled);
}

void RecorderCommandBar::showRecording(bool recording) {
    // Shows the state only: the other button is unchecked by the group, and
    // neither runs its command.
    QToolButton* shown = button(recording ? RecorderCommand::Start : RecorderCommand::Stop);
    QToolButton* other = button(recording ? RecorderCommand::Stop : RecorderCommand::Start);
    const QSignalBlocker quietShown(shown);
    const QSignalBlocker quietOther(other);
    shown->setChecked(true);
}

void RecorderCommandBar::setUndoZoomEnabled(bool enabled) {
    button(RecorderCommand::UndoZoom)->setEnabled(enabled);
    action(RecorderCommand::UndoZoom)->setEnabled(enabled);
}

} // namespace telmora
