#pragma once

#include "meter/CableIdentity.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace telmora {

class CableBackend;

// The About box: the program's icon, nine read-only lines (program, version,
// notice, system) and, after a click on the icon, the firmware version and serial
// number of the USB adapter cable in lines 8 and 9.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kLineCount = 9;

    // `backend` is the cable whose identity a click on the icon shows.
    explicit AboutDialog(std::shared_ptr<CableBackend> backend, QWidget* parent = nullptr);

    // The cable query that a click on the icon runs. It opens the cable, fills the
    // identity and closes the cable; it returns false when the cable could not be
    // opened. The window starts with the query of its cable backend;
    // without a query (an empty function) a click leaves lines 8 and 9 empty.
    using CableQuery = std::function<bool(telmora::CableIdentity&)>;
    void setCableQuery(CableQuery query);

    // The nine lines the box shows.
    QStringList lines() const { return m_lines; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildPanel();
    void fillFixedLines();
    void fitTextToLines();
    // The click on the icon: queries the cable and fills lines 8 and 9.
    void showCableIdentity();
    void setLine(int number, const QString& text);
    void showLines();

    QLabel* m_icon = nullptr;
    QLabel* m_logo = nullptr; // kept for layouts that show it; the About box hides it
    QPlainTextEdit* m_text = nullptr;
    QPushButton* m_okButton = nullptr;

    QStringList m_lines;
    CableQuery m_cableQuery;
};

} // namespace telmora
