#pragma once
// What assistive technology is told about a widget whose content changes with the
// readings (a meter display, a dial, a graph): a name, a value and a description,
// passed on as they change but not more than once an interval, so that a screen
// reader is not flooded by a meter that sends several readings a second. The
// widget's own pieces (panels, labels drawn into it) are hidden behind it: the
// readout speaks for them.

#include <QAccessible>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>

class QWidget;

namespace telmora {

class LiveReadout : public QObject {
    Q_OBJECT
public:
    struct Texts {
        QString name;
        QString value;
        QString description;
        bool operator==(const Texts&) const = default;
    };

    using Source = std::function<Texts()>;

    // Speaks for `widget` (and becomes its child) in `role`, with the texts `source`
    // gives at the time they are passed on.
    LiveReadout(QWidget& widget, QAccessible::Role role, Source source,
                std::chrono::milliseconds interval = std::chrono::seconds(1));

    // The texts may have changed: they are taken and passed on at once when the last
    // change is an interval ago, else when the interval is over.
    void changed();
    // The texts passed on, as the widget's accessible interface gives them.
    const Texts& texts() const { return m_shown; }
    QAccessible::Role role() const { return m_role; }

    // The readout that speaks for `widget`; none when it has none.
    static const LiveReadout* of(const QObject* widget);

signals:
    // New texts were passed on.
    void textsChanged();

private:
    void passOn();

    QWidget& m_widget;
    QAccessible::Role m_role;
    std::chrono::milliseconds m_interval;
    Source m_source;
    Texts m_shown;
    QElapsedTimer m_sinceLast;
    QTimer m_wait;
};

} // namespace telmora
