#include "ui/recorder/IntervalsPanel.h"

#include "app/IntervalTableModel.h"
#include "app/UserDialogs.h"
#include "text/texts.h"
#include "ui/recorder/recorderfiles.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace telmora {

namespace {

QString lengthName(std::int64_t seconds) {
    switch (seconds) {
    case 1:
        return translate("IntervalsPanel", "1 second");
    case 10:
        return translate("IntervalsPanel", "10 seconds");
    case 60:
        return translate("IntervalsPanel", "1 minute");
    case 600:
        return translate("IntervalsPanel", "10 minutes");
    case 3600:
        return translate("IntervalsPanel", "1 hour");
    default:
        return translate("IntervalsPanel", "1 day");
    }
}

} // namespace

IntervalsPanel::IntervalsPanel(UserDialogs& dialogs, RecorderController& controller,
                               QWidget* parent)
    : QWidget(parent), m_dialogs(dialogs), m_model(new IntervalTableModel(controller, this)) {
    setObjectName(QStringLiteral("intervalsPanel"));
    setWindowTitle(translate("IntervalsPanel", "Intervals"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(translate("IntervalsPanel", "&Interval:"), this);
    m_length = new QComboBox(this);
    m_length->setObjectName(QStringLiteral("intervalLength"));
    m_length->setAccessibleName(translate("IntervalsPanel", "Interval length"));
    for (const std::int64_t seconds : IntervalTableModel::kLengths)
        m_length->addItem(lengthName(seconds), QVariant::fromValue<qint64>(seconds));
    m_length->setCurrentIndex(
        m_length->findData(QVariant::fromValue<qint64>(m_model->lengthSeconds())));
    label->setBuddy(m_length);
    row->addWidget(label);
    row->addWidget(m_length);
    m_state = new QLabel(this);
    m_state->setObjectName(QStringLiteral("intervalState"));
    row->addWidget(m_state, 1);
    m_export = new QPushButton(translate("IntervalsPanel", "&Export..."), this);
    m_export->setObjectName(QStringLiteral("exportIntervalsButton"));
    m_export->setAccessibleName(translate("IntervalsPanel", "Export the intervals as CSV"));
    row->addWidget(m_export);
    layout->addLayout(row);

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("intervalsTable"));
    m_table->setAccessibleName(translate("IntervalsPanel", "Figures of each interval"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_table, 1);

    connect(m_length, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_model->setLengthSeconds(m_length->itemData(index).toLongLong());
        showState();
    });
    connect(m_export, &QPushButton::clicked, this, &IntervalsPanel::exportTable);
    connect(m_model, &IntervalTableModel::refreshed, this, &IntervalsPanel::showState);
    connect(m_model, &IntervalTableModel::exportFinished, this,
            [this](bool written, const QString& path, const QString& reason) {
                m_export->setEnabled(true);
                if (!written && !reason.isEmpty())
                    showFileSaveError(m_dialogs, this, path, reason);
            });
    showState();
}

IntervalsPanel::~IntervalsPanel() = default;

void IntervalsPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_model->setActive(true);
}

void IntervalsPanel::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    m_model->setActive(false);
}

void IntervalsPanel::showState() {
    m_state->setText(m_model->pending() ? translate("IntervalsPanel", "Counting...") : QString());
}

void IntervalsPanel::exportTable() {
    FileDialogRequest request;
    request.owner = this;
    request.caption = translate("IntervalsPanel", "Export Intervals");
    request.defaultExt = QStringLiteral("csv");
    request.fileName = QStringLiteral("intervals.csv");
    request.filter = translate("IntervalsPanel", "CSV files (*.csv)|*.csv|All files (*)|*");
    const std::optional<QString> path = m_dialogs.chooseFile(request);
    if (!path)
        return;
    if (m_model->startExport(*path))
        m_export->setEnabled(false);
}

} // namespace telmora
