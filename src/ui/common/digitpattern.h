#pragma once

#include <QString>
#include <QStringView>

namespace telmora {

// `text` with every digit written as 0. Screen fonts give all digits one width,
// so texts of one pattern (readings, times of day) take the same room: one
// measurement of the pattern serves them all, where each new text measured
// would be shaped anew.
inline QString DigitPattern(QStringView text) {
    QString pattern = text.toString();
    for (QChar& c : pattern)
        if (c.isDigit())
            c = QLatin1Char('0');
    return pattern;
}

} // namespace telmora
