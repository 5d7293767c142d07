#pragma once

#include <QWidget>

#include <cstdint>

class QPushButton;
class QTableWidget;

namespace telmora {

class RecorderController;
class UserDialogs;

// The list of the recording's markers: sample, time, meter and note of each, in
// the order of their samples. Go to (or a double click) shows a marker's sample in
// the recorder; Edit changes its note; Delete removes it.
class MarkersPanel : public QWidget {
    Q_OBJECT

public:
    MarkersPanel(UserDialogs& dialogs, RecorderController& controller, QWidget* parent = nullptr);

    // The marker of the selected row; -1 when none is selected.
    int selectedMarker() const;
    void goToSelected();
    void editSelected();
    void deleteSelected();

signals:
    // The user wants to see sample `index` (from 0).
    void sampleChosen(std::int64_t index);

private:
    void refresh();
    void updateButtons();

    UserDialogs& m_dialogs;
    RecorderController& m_controller;
    QTableWidget* m_table = nullptr;
    QPushButton* m_goTo = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
};

} // namespace telmora
