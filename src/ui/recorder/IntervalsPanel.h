#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace telmora {

class IntervalTableModel;
class RecorderController;
class UserDialogs;

// The recorder's recording reduced to intervals: the length chosen from 1 s to a
// day, a table of the figures of each interval, meter and unit (with the limit
// counts of meters that have limits), and Export..., which writes the table as
// the interval CSV. The table follows the recording while the panel is shown.
class IntervalsPanel : public QWidget {
    Q_OBJECT

public:
    IntervalsPanel(UserDialogs& dialogs, RecorderController& controller, QWidget* parent = nullptr);
    ~IntervalsPanel() override;

    IntervalTableModel& model() const { return *m_model; }
    // Asks for a file and writes the export there as a job.
    void exportTable();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void showState();

    UserDialogs& m_dialogs;
    IntervalTableModel* m_model = nullptr;
    QComboBox* m_length = nullptr;
    QTableView* m_table = nullptr;
    QPushButton* m_export = nullptr;
    QLabel* m_state = nullptr;
};

} // namespace telmora
