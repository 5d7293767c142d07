#include "ui/live/LiveReadout.h"

#include <QAccessibleWidget>
#include <QWidget>

#include <utility>

namespace telmora {

namespace {

// The accessible side of a widget with a readout: its texts come from the
// readout, and it has no children of its own.
class ReadoutAccessible : public QAccessibleWidget {
public:
    explicit ReadoutAccessible(QWidget* widget) : QAccessibleWidget(widget) {}

    QAccessible::Role role() const override {
        const LiveReadout* readout = LiveReadout::of(object());
        return readout ? readout->role() : QAccessible::StaticText;
    }

    QString text(QAccessible::Text t) const override {
        const LiveReadout* readout = LiveReadout::of(object());
        if (!readout)
            return QAccessibleWidget::text(t);
        switch (t) {
        case QAccessible::Name:
            return readout->texts().name;
        case QAccessible::Value:
            return readout->texts().value;
        case QAccessible::Description:
            return readout->texts().description;
        default:
            return QAccessibleWidget::text(t);
        }
    }

    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
};

QAccessibleInterface* readoutFactory(const QString&, QObject* object) {
    if (object && object->isWidgetType() && LiveReadout::of(object))
        return new ReadoutAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

LiveReadout::LiveReadout(QWidget& widget, QAccessible::Role role, Source source,
                         std::chrono::milliseconds interval)
    : QObject(&widget), m_widget(widget), m_role(role), m_interval(interval),
      m_source(std::move(source)) {
    setObjectName(QStringLiteral("liveReadout"));
    // Installing the same factory again does nothing.
    QAccessible::installFactory(&readoutFactory);
    m_wait.setSingleShot(true);
    connect(&m_wait, &QTimer::timeout, this, &LiveReadout::passOn);
}

const LiveReadout* LiveReadout::of(const QObject* widget) {
    return widget ? widget->findChild<LiveReadout*>(QString(), Qt::FindDirectChildrenOnly)
                  : nullptr;
}

void LiveReadout::changed() {
    if (m_wait.isActive())
        return;
    const auto since = std::chrono::milliseconds(m_sinceLast.isValid() ? m_sinceLast.elapsed() : 0);
    if (!m_sinceLast.isValid() || since >= m_interval)
        passOn();
    else
        m_wait.start(m_interval - since);
}

void LiveReadout::passOn() {
    Texts now = m_source();
    if (now == m_shown)
        return;
    m_sinceLast.start();
    const Texts before = std::exchange(m_shown, std::move(now));
    if (QAccessible::isActive()) {
        if (before.name != m_shown.name || before.value != m_shown.value) {
            QAccessibleEvent event(&m_widget, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&event);
        }
        if (before.description != m_shown.description) {
            QAccessibleEvent event(&m_widget, QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&event);
        }
    }
    emit textsChanged();
}

} // namespace telmora
