#include "ui/common/BusyCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace telmora {

BusyCursor::BusyCursor() {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor() {
    QGuiApplication::restoreOverrideCursor();
}

} // namespace telmora
