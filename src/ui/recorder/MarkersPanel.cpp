#include "ui/recorder/MarkersPanel.h"

#include "app/UserDialogs.h"
#include "recording/RecorderController.h"
#include "text/texts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace telmora {

namespace {

QPushButton* makeButton(QWidget* parent, QHBoxLayout* row, const QString& label, const char* name) {
    auto* button = new QPushButton(label, parent);
    button->setObjectName(QLatin1String(name));
    row->addWidget(button);
    return button;
}

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

} // namespace

MarkersPanel::MarkersPanel(UserDialogs& dialogs, RecorderController& controller, QWidget* parent)
    : QWidget(parent), m_dialogs(dialogs), m_controller(controller) {
    setObjectName(QStringLiteral("markersPanel"));
    setWindowTitle(translate("MarkersPanel", "Markers"));
    auto* layout = new QVBoxLayout(this);
    m_table = new QTableWidget(0, 4, this);
    m_table->setObjectName(QStringLiteral("markersTable"));
    m_table->setAccessibleName(translate("MarkersPanel", "Markers of the recording"));
    m_table->setHorizontalHeaderLabels(
        {translate("MarkersPanel", "Sample"), translate("MarkersPanel", "Time"),
         translate("MarkersPanel", "Meter"), translate("MarkersPanel", "Note")});
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(m_table, 1);
    auto* row = new QHBoxLayout;
    m_goTo = makeButton(this, row, translate("MarkersPanel", "Go to"), "goToMarkerButton");
    m_edit = makeButton(this, row, translate("MarkersPanel", "Edit Note..."), "editMarkerButton");
    m_delete = makeButton(this, row, translate("MarkersPanel", "Delete"), "deleteMarkerButton");
    row->addStretch(1);
    layout->addLayout(row);

    connect(m_goTo, &QPushButton::clicked, this, &MarkersPanel::goToSelected);
    connect(m_edit, &QPushButton::clicked, this, &MarkersPanel::editSelected);
    connect(m_delete, &QPushButton::clicked, this, &MarkersPanel::deleteSelected);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &MarkersPanel::goToSelected);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &MarkersPanel::updateButtons);
    connect(&m_controller, &RecorderController::markersChanged, this, &MarkersPanel::refresh);
    refresh();
}

int MarkersPanel::selectedMarker() const {
    const QList<QTableWidgetItem*> selected = m_table->selectedItems();
    return selected.isEmpty() ? -1 : selected.front()->row();
}

void MarkersPanel::goToSelected() {
    const int marker = selectedMarker();
    if (marker >= 0 && marker < m_controller.markers().count())
        emit sampleChosen(m_controller.markers().at(marker).sample);
}

void MarkersPanel::editSelected() {
    const int marker = selectedMarker();
    if (marker < 0 || marker >= m_controller.markers().count())
        return;
    TextInputRequest request;
    request.owner = this;
    request.caption = translate("MarkersPanel", "Marker at sample %1")
                          .arg(m_controller.markers().at(marker).sample + 1);
    request.label = translate("MarkersPanel", "Note:");
    request.text = m_controller.markers().at(marker).note;
    if (const std::optional<QString> note = m_dialogs.askText(request))
        m_controller.setMarkerNote(marker, note->trimmed());
}

void MarkersPanel::deleteSelected() {
    const int marker = selectedMarker();
    if (marker >= 0)
        m_controller.removeMarker(marker);
}

void MarkersPanel::refresh() {
    const int selected = selectedMarker();
    const RecordingMarkers& markers = m_controller.markers();
    m_table->setRowCount(markers.count());
    for (int i = 0; i < markers.count(); ++i) {
        const Marker& marker = markers.at(i);
        m_table->setItem(i, 0, cell(QString::number(marker.sample + 1)));
        m_table->setItem(i, 1, cell(marker.time));
        m_table->setItem(i, 2, cell(marker.meter));
        m_table->setItem(i, 3, cell(marker.note));
    }
    if (selected >= 0 && selected < markers.count())
        m_table->selectRow(selected);
    updateButtons();
}

void MarkersPanel::updateButtons() {
    const bool any = selectedMarker() >= 0;
    for (QPushButton* button : {m_goTo, m_edit, m_delete})
        button->setEnabled(any);
}

} // namespace telmora
