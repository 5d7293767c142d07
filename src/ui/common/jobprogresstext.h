#pragma once
// The one place where a job's progress report becomes what the progress window
// shows: the title line and its colour, the detail line, the bar and whether
// Abort can still be pressed.

#include "jobs/JobProgress.h"

#include <QColor>
#include <QString>

namespace telmora {

struct ProgressLook {
    QString title;
    QColor colour; // the default text colour when invalid
    QString detail;
    int value = 0;
    int maximum = 0; // 0 (with value 0): the bar only says that work goes on
    bool abortEnabled = true;
};

ProgressLook LookOfProgress(const JobProgress& progress);

} // namespace telmora
