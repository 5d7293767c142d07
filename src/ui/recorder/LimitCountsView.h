#pragma once

#include "ui/common/FramedBox.h"

#include <array>

class QLabel;

namespace telmora {

class LimitTest;

// How a meter's recording lies against its limits, under its statistics: the limits
// in the title, and the samples inside, above and below them and the excursions
// side by side. Hidden for a meter without limits.
class LimitCountsView : public FramedBox {
    Q_OBJECT

public:
    explicit LimitCountsView(QWidget* parent = nullptr);

    // `test` null: no limits (hidden). `pending`: they are being counted (dashes).
    void show(const LimitTest* test, bool pending);

    // The text of a read-out as shown (tests): 0 the limits, 1 inside, 2 above,
    // 3 below, 4 excursions.
    QString figureText(int row) const;

private:
    static constexpr int kCounts = 4;
    std::array<QLabel*, kCounts> m_figures{};
    QString m_range;
};

} // namespace telmora
