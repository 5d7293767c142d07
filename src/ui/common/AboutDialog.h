#pragma once

#include "meter/CableIdentity.h"

#include <QDialog>
#include <QStringList>

#include <memory>
#include <optional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace telmora {

class BusyCursor;
class CableAccess;

// The About box: the program's icon, nine read-only lines (program, version,
// notice, system) and, after a click on the icon, the firmware version and serial
// number of the USB adapter cable in lines 8 and 9.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kLineCount = 9;

    // A click on the icon asks `cable` for its identity (off this thread) and
    // shows it in lines 8 and 9 when it arrives; without a cable (null) a click
    // leaves them empty.
    explicit AboutDialog(CableAccess* cable, QWidget* parent = nullptr);
    ~AboutDialog() override;

    // The nine lines the box shows.
    QStringList lines() const { return m_lines; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildPanel();
    void fillFixedLines();
    void fitTextToLines();
    // The click on the icon: asks the cable for its identity.
    void showCableIdentity();
    // Fills lines 8 and 9 with the identity that arrived.
    void showIdentity(bool opened, const CableIdentity& identity);
    void setLine(int number, const QString& text);
    void showLines();

    QLabel* m_icon = nullptr;
    QLabel* m_logo = nullptr; // kept for layouts that show it; the About box hides it
    QPlainTextEdit* m_text = nullptr;
    QPushButton* m_okButton = nullptr;

    QStringList m_lines;
    CableAccess* m_cable = nullptr;
    std::unique_ptr<BusyCursor> m_busy; // while a query is under way
};

} // namespace telmora
