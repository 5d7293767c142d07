#include "ui/recorder/LimitCountsView.h"

#include "model/LimitTest.h"
#include "model/decimaltext.h"
#include "text/texts.h"
#include "ui/common/LabelHolder.h"

#include <QGridLayout>
#include <QLabel>

namespace telmora {

namespace {

enum Row { Limits, Inside, Above, Below, Excursions };

QString decimal(double value) {
    std::string text;
    AppendShortestDouble(text, value);
    return QString::fromStdString(text);
}

} // namespace

LimitCountsView::LimitCountsView(QWidget* parent) : QGroupBox(parent) {
    setObjectName(QStringLiteral("LimitCountsView"));
    setTitle(translate("LimitCountsView", "Limits"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(3);
    const char* names[kRows] = {QT_TRANSLATE_NOOP("LimitCountsView", "Range"),
                                QT_TRANSLATE_NOOP("LimitCountsView", "Inside"),
                                QT_TRANSLATE_NOOP("LimitCountsView", "Above"),
                                QT_TRANSLATE_NOOP("LimitCountsView", "Below"),
                                QT_TRANSLATE_NOOP("LimitCountsView", "Excursions")};
    const char* accessible[kRows] = {
        QT_TRANSLATE_NOOP("LimitCountsView", "Lower and upper limit"),
        QT_TRANSLATE_NOOP("LimitCountsView", "Samples inside the limits"),
        QT_TRANSLATE_NOOP("LimitCountsView", "Samples above the upper limit"),
        QT_TRANSLATE_NOOP("LimitCountsView", "Samples below the lower limit"),
        QT_TRANSLATE_NOOP("LimitCountsView", "Excursions outside the limits")};
    const char* objectNames[kRows] = {"limitsRange", "limitsInside", "limitsAbove", "limitsBelow",
                                      "limitsExcursions"};
    for (int row = 0; row < kRows; ++row) {
        auto* name = new QLabel(translate("LimitCountsView", names[row]), this);
        auto* figure = new QLabel(this);
        figure->setObjectName(QLatin1String(objectNames[row]));
        figure->setAccessibleName(translate("LimitCountsView", accessible[row]));
        figure->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        figure->setTextInteractionFlags(Qt::TextSelectableByMouse);
        name->setBuddy(figure);
        grid->addWidget(name, row, 0);
        // Held: a new figure repaints itself without relaying out the window.
        grid->addWidget(HoldLabel(figure), row, 1);
        m_figures[static_cast<std::size_t>(row)] = figure;
    }
    hide();
}

void LimitCountsView::show(const LimitTest* test, bool pending) {
    setVisible(test != nullptr);
    if (test == nullptr)
        return;
    m_figures[Limits]->setText(decimal(test->low()) + QStringLiteral(" \u2026 ") +
                               decimal(test->high()));
    const LimitCounts& c = test->counts();
    const std::int64_t values[] = {c.inside, c.above, c.below, c.excursions};
    for (int row = Inside; row <= Excursions; ++row)
        m_figures[static_cast<std::size_t>(row)]->setText(
            pending ? QStringLiteral("\u2013") : QString::number(values[row - Inside]));
}

QString LimitCountsView::figureText(int row) const {
    return m_figures[static_cast<std::size_t>(row)]->text();
}

} // namespace telmora
