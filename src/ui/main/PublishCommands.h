#pragma once

#include <QObject>

#include <memory>

class QLabel;
class QWidget;

namespace telmora {

class PublishDialog;
class ReadingPublisher;
class UserDialogs;

// The main window's part of publishing readings: the "Publish readings..."
// command with its dialog, and the status panel that says whether the broker
// is connected and how many readings had to be dropped.
class PublishCommands : public QObject {
    Q_OBJECT

public:
    PublishCommands(ReadingPublisher& publishing, UserDialogs& dialogs, QLabel& statusPanel,
                    QWidget& window);
    ~PublishCommands() override;

    // Reads the password, then opens the dialog; its OK keeps the settings and
    // (re)starts publishing.
    void showDialog();
    PublishDialog* dialog() const { return m_dialog; }

signals:
    // The dialog is open with the kept settings (tests wait for it).
    void dialogShown();

private:
    void updateStatus();
    void tellKeepFailed(const QString& reason);

    ReadingPublisher& m_publishing;
    UserDialogs& m_dialogs;
    QLabel& m_status;
    QWidget& m_window;
    PublishDialog* m_dialog = nullptr; // child of the window
};

} // namespace telmora
