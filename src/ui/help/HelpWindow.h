#pragma once

#include <QString>
#include <QWidget>

class QLineEdit;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

namespace telmora {

// The user manual: the HTML shipped inside the program, in a browser of its own
// with back and forward, a contents list built from the manual's headings and a
// find field. Links inside the manual move within it; links to the web open in
// the desktop's browser.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the window at the manual's element with id `anchor` (the top for an
    // empty or unknown one) and brings it to the front. Over a modal window it is
    // modal itself, so that it can be read and closed before going back there.
    void showSection(const QString& anchor);
    // The id the manual was last moved to ("" at its top).
    QString currentAnchor() const;

    QTextBrowser* browser() const { return m_browser; }
    QTreeWidget* contents() const { return m_contents; }

private:
    void buildControls();
    // One entry per h2 heading, with the h3 headings below it.
    void fillContents();
    void selectContentsEntry(const QUrl& source);
    void findNext();
    void placeOnScreen();

    QTextBrowser* m_browser = nullptr;
    QTreeWidget* m_contents = nullptr;
    QLineEdit* m_find = nullptr;
    bool m_placed = false;
};

} // namespace telmora
