#include "ui/recorder/MarkerCommands.h"

#include "app/UserDialogs.h"
#include "recording/RecorderController.h"
#include "text/texts.h"

#include <QAction>
#include <QBoxLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace telmora {

namespace {

// A flag on a pole in the palette's button text colour.
QIcon markIcon(const QPalette& palette) {
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = palette.color(QPalette::ButtonText);
    painter.setPen(QPen(ink, 2));
    painter.drawLine(QPointF(6, 3), QPointF(6, 20));
    QPainterPath flag;
    flag.moveTo(7, 4);
    flag.lineTo(18, 7.5);
    flag.lineTo(7, 11);
    flag.closeSubpath();
    painter.fillPath(flag, ink);
    return QIcon(pixmap);
}

} // namespace

MarkerCommands::MarkerCommands(QMainWindow& window, QWidget& toolPanel, UserDialogs& dialogs,
                               RecorderController& controller, MarkerCommandHooks hooks)
    : QObject(&window), m_window(window), m_dialogs(dialogs), m_controller(controller),
      m_hooks(std::move(hooks)) {
    QMenu* menu = window.menuBar()->addMenu(translate("MarkerCommands", "Mar&kers"));
    menu->setObjectName(QStringLiteral("markersMenu"));
    m_mark = addAction(*menu, translate("MarkerCommands", "&Mark Sample..."), "markSampleAction",
                       QKeySequence(Qt::CTRL | Qt::Key_M));
    m_next = addAction(*menu, translate("MarkerCommands", "&Next Marker"), "nextMarkerAction",
                       QKeySequence(Qt::CTRL | Qt::Key_Period));
    m_previous = addAction(*menu, translate("MarkerCommands", "&Previous Marker"),
                           "previousMarkerAction", QKeySequence(Qt::CTRL | Qt::Key_Comma));
    menu->addSeparator();
    QAction* panel = addAction(*menu, translate("MarkerCommands", "Markers P&anel"),
                               "markersPanelAction", QKeySequence());
    connect(m_mark, &QAction::triggered, this, &MarkerCommands::markSample);
    connect(m_next, &QAction::triggered, this, &MarkerCommands::nextMarker);
    connect(m_previous, &QAction::triggered, this, &MarkerCommands::previousMarker);
    connect(panel, &QAction::triggered, this, &MarkerCommands::panelRequested);

    m_button = new QToolButton(&toolPanel);
    m_button->setObjectName(QStringLiteral("markButton"));
    const QString hint = translate("MarkerCommands", "Mark the current sample (Ctrl+M)");
    m_button->setToolTip(hint);
    m_button->setAccessibleName(hint);
    m_button->setIcon(markIcon(toolPanel.palette()));
    m_button->setIconSize(QSize(22, 22));
    m_button->setAutoRaise(true);
    connect(m_button, &QToolButton::clicked, this, &MarkerCommands::markSample);
    // After the acquisition buttons: the first spacing of the row.
    if (auto* row = qobject_cast<QBoxLayout*>(toolPanel.layout()))
        row->insertWidget(4, m_button);
}

QAction* MarkerCommands::addAction(QWidget& menu, const QString& text, const char* name,
                                   const QKeySequence& key) {
    auto* action = new QAction(text, &menu);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(key);
    menu.addAction(action);
    return action;
}

void MarkerCommands::markSample() {
    const std::int64_t sample = m_hooks.currentSample ? m_hooks.currentSample() : -1;
    const auto count = static_cast<std::int64_t>(m_controller.recording().size());
    if (count == 0 || sample >= count)
        return;
    // The sample is the one current when the command came, not when the note is in.
    const std::int64_t marked = sample < 0 ? count - 1 : sample;
    TextInputRequest request;
    request.owner = &m_window;
    request.caption = translate("MarkerCommands", "Mark sample %1").arg(marked + 1);
    request.label = translate("MarkerCommands", "Note (may be left empty):");
    const std::optional<QString> note = m_dialogs.askText(request);
    if (note)
        m_controller.addMarker(note->trimmed(), marked);
}

void MarkerCommands::nextMarker() {
    const RecordingMarkers& markers = m_controller.markers();
    const int at = markers.nextAfter(m_hooks.cursorSample());
    if (at >= 0)
        m_hooks.goToSample(markers.at(at).sample);
}

void MarkerCommands::previousMarker() {
    const RecordingMarkers& markers = m_controller.markers();
    const int at = markers.previousBefore(m_hooks.cursorSample());
    if (at >= 0)
        m_hooks.goToSample(markers.at(at).sample);
}

void MarkerCommands::setEnabled(bool enabled) {
    for (QAction* action : {m_mark, m_next, m_previous})
        action->setEnabled(enabled);
    m_button->setEnabled(enabled);
}

} // namespace telmora
