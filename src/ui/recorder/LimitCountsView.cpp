#include "ui/recorder/LimitCountsView.h"

#include "model/LimitTest.h"
#include "model/decimaltext.h"
#include "text/texts.h"
#include "ui/common/LabelHolder.h"
#include "ui/common/SelectableOnHover.h"

#include <QGridLayout>
#include <QLabel>

namespace telmora {

namespace {

QString limitText(double value) {
    std::string text;
    AppendShortestDouble(text, value);
    return QString::fromStdString(text);
}

} // namespace

LimitCountsView::LimitCountsView(QWidget* parent) : FramedBox(parent) {
    setObjectName(QStringLiteral("LimitCountsView"));
    setTitle(translate("LimitCountsView", "Limits"));
    // Two rows under the title, which names the limits: the statistics column
    // above it stays as high as it was.
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 2, 8, 2);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(0);
    const char* names[kCounts] = {QT_TRANSLATE_NOOP("LimitCountsView", "Inside"),
                                  QT_TRANSLATE_NOOP("LimitCountsView", "Above"),
                                  QT_TRANSLATE_NOOP("LimitCountsView", "Below"),
                                  QT_TRANSLATE_NOOP("LimitCountsView", "Excursions")};
    const char* accessible[kCounts] = {
        QT_TRANSLATE_NOOP("LimitCountsView", "Samples inside the limits"),
        QT_TRANSLATE_NOOP("LimitCountsView", "Samples above the upper limit"),
        QT_TRANSLATE_NOOP("LimitCountsView", "Samples below the lower limit"),
        QT_TRANSLATE_NOOP("LimitCountsView", "Excursions outside the limits")};
    const char* objectNames[kCounts] = {"limitsInside", "limitsAbove", "limitsBelow",
                                        "limitsExcursions"};
    for (int column = 0; column < kCounts; ++column) {
        auto* name = new QLabel(translate("LimitCountsView", names[column]), this);
        name->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* figure = new QLabel(this);
        figure->setObjectName(QLatin1String(objectNames[column]));
        figure->setAccessibleName(translate("LimitCountsView", accessible[column]));
        figure->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        SelectableOnHover::apply(figure);
        name->setBuddy(figure);
        grid->addWidget(name, 0, column);
        // Held: a new figure repaints itself without relaying out the window.
        grid->addWidget(HoldLabel(figure), 1, column);
        m_figures[static_cast<std::size_t>(column)] = figure;
    }
    hide();
}

void LimitCountsView::show(const LimitTest* test, bool pending) {
    setVisible(test != nullptr);
    if (test == nullptr)
        return;
    m_range = limitText(test->low()) + QStringLiteral(" \u2026 ") + limitText(test->high());
    setTitle(translate("LimitCountsView", "Limits") + QLatin1Char(' ') + m_range);
    const LimitCounts& c = test->counts();
    const std::int64_t values[kCounts] = {c.inside, c.above, c.below, c.excursions};
    for (std::size_t i = 0; i < m_figures.size(); ++i)
        m_figures[i]->setText(pending ? QStringLiteral("\u2013") : QString::number(values[i]));
}

QString LimitCountsView::figureText(int row) const {
    if (row == 0)
        return m_range;
    return m_figures[static_cast<std::size_t>(row - 1)]->text();
}

} // namespace telmora
