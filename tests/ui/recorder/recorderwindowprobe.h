#pragma once

#include "ui/chart/ChartWidget.h"
#include "ui/recorder/RecorderWindow.h"

#include <QLabel>
#include <QToolButton>

#include <gtest/gtest.h>

namespace telmora {

// Reaches the recorder window's private controls by their object names.
class RecorderWindowProbe {
public:
    explicit RecorderWindowProbe(const RecorderWindow& window) : m_window(window) {}

    QToolButton& button(const char* name) const { return child<QToolButton>(name); }
    // The text of a read-out or status panel.
    QString text(const char* name) const { return child<QLabel>(name).text(); }
    ChartWidget& chart() const { return child<ChartWidget>("ChartWidget"); }

private:
    template <typename T> T& child(const char* name) const {
        T* found = m_window.findChild<T*>(QLatin1String(name));
        if (found == nullptr)
            ADD_FAILURE() << "no control named " << name;
        return *found;
    }

    const RecorderWindow& m_window;
};

} // namespace telmora
