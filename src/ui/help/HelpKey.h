#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace telmora {

// F1 in any window of the program opens the manual at that window's section
// (HelpAnchorFor). One object serves every window: it filters the key events of
// the whole application, so windows made later need nothing of their own.
class HelpKey : public QObject {
    Q_OBJECT

public:
    using Opener = std::function<void(const QString& anchor)>;

    // Starts filtering the application's events; stops when destroyed.
    explicit HelpKey(Opener open, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Opener m_open;
};

} // namespace telmora
