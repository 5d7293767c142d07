// A held label looks and sits exactly as the label itself would, shows every new
// text, and asks its window for a relayout only when its size hint changes.
#include "ui/common/LabelHolder.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <array>

using namespace telmora;

namespace {

// Counts the relayouts the window is asked for.
class LayoutRequests : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::LayoutRequest ? 1 : 0;
        return false;
    }
    int count = 0;
};

// A row like the recorder's read-outs: labels with smallest widths and stretch.
struct Row {
    QWidget window;
    std::array<QLabel*, 3> labels{};
    explicit Row(bool held) {
        auto* row = new QHBoxLayout(&window);
        const int widths[3] = {110, 40, 60};
        const int stretch[3] = {3, 1, 0};
        for (int i = 0; i < 3; ++i) {
            auto* label = new QLabel(QStringLiteral("12:00:0%1").arg(i), &window);
            label->setFrameShape(QFrame::Panel);
            label->setMinimumWidth(widths[i]);
            label->setAlignment(Qt::AlignCenter);
            row->addWidget(held ? static_cast<QWidget*>(HoldLabel(label)) : label, stretch[i]);
            labels[static_cast<std::size_t>(i)] = label;
        }
        window.resize(600, 60);
    }
    // The label's request reaches its holder, the holder's the window.
    void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::sendPostedEvents();
    }
    // The label's place in the window.
    QRect place(int i) const {
        const QLabel* label = labels[static_cast<std::size_t>(i)];
        return QRect(label->mapTo(&window, QPoint(0, 0)), label->size());
    }
};

} // namespace

TEST(LabelHolder, HeldLabelsTakeTheSamePlacesAsPlainOnes) {
    Row plain(false);
    Row held(true);
    plain.window.show();
    held.window.show();
    plain.settle();
    held.settle();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(held.place(i), plain.place(i)) << "label " << i;
    // A text too wide for its place widens it in both.
    const QString wide = QStringLiteral("a much longer text than before");
    plain.labels[2]->setText(wide);
    held.labels[2]->setText(wide);
    plain.settle();
    held.settle();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(held.place(i), plain.place(i)) << "label " << i << " after a wider text";
    EXPECT_GE(held.labels[2]->width(), held.labels[2]->sizeHint().width());
}

TEST(LabelHolder, ANewTextOfTheSameSizeAsksForNoRelayout) {
    Row held(true);
    held.window.show();
    held.settle();
    LayoutRequests requests;
    held.window.installEventFilter(&requests);
    held.labels[0]->setText(QStringLiteral("12:00:09"));
    held.settle();
    EXPECT_EQ(requests.count, 0);
    EXPECT_EQ(held.labels[0]->text(), QStringLiteral("12:00:09"));
    // Wider than the smallest width: now the window lays out again.
    held.labels[0]->setText(QStringLiteral("a text far wider than one hundred and ten pixels"));
    held.settle();
    EXPECT_GE(requests.count, 1);
    EXPECT_GE(held.labels[0]->width(), held.labels[0]->sizeHint().width());
}

TEST(LabelHolder, ATextThatGrewWhileHiddenFitsWhenShownAgain) {
    Row held(true);
    held.window.show();
    held.settle();
    held.window.hide();
    held.labels[1]->setText(QStringLiteral("a text that needs far more room"));
    held.window.show();
    held.settle();
    EXPECT_GE(held.labels[1]->width(), held.labels[1]->sizeHint().width());
}

TEST(LabelHolder, ANewFontOrIndentWithTheSameDigitsStillLaysOut) {
    // Texts of one digit pattern are taken to need the same room; anything else
    // the label's size follows is still looked at.
    Row held(true);
    held.window.show();
    held.settle();
    QLabel& label = *held.labels[1];
    QFont big = label.font();
    big.setPointSize(big.pointSize() * 3);
    label.setFont(big);
    label.setText(QStringLiteral("12:00:07")); // same pattern as before
    held.settle();
    EXPECT_GE(label.width(), label.sizeHint().width());
    EXPECT_GE(label.height(), label.sizeHint().height());
    label.setIndent(200);
    held.settle();
    EXPECT_GE(label.width(), label.sizeHint().width());
}

TEST(LabelHolder, AWordWrappedLabelKeepsItsHeightForEachWidth) {
    // A column like the recorder's line of readings above its graph.
    const auto build = [](QWidget& window, bool held) {
        auto* column = new QVBoxLayout(&window);
        auto* label =
            new QLabel(QStringLiteral("M1 1.234 V    M2 230.4 V    M3 4.702 kΩ"), &window);
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        column->addWidget(held ? static_cast<QWidget*>(HoldLabel(label)) : label);
        column->addStretch(1);
        window.resize(600, 300);
        window.show();
        return label;
    };
    QWidget plainWindow;
    QWidget heldWindow;
    QLabel* plain = build(plainWindow, false);
    QLabel* held = build(heldWindow, true);
    const auto settle = [] {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::sendPostedEvents();
    };
    const auto expectSame = [&](const char* what) {
        settle();
        EXPECT_EQ(held->height(), plain->height()) << what;
        EXPECT_EQ(held->width(), plain->width()) << what;
        for (int width : {80, 200, 600})
            EXPECT_EQ(held->parentWidget()->heightForWidth(width), plain->heightForWidth(width))
                << what << " at " << width;
    };
    expectSame("at first");
    // The same digits, then a text that wraps into more lines at the same hints.
    for (const QString& text :
         {QStringLiteral("M1 1.235 V    M2 230.5 V    M3 4.703 kΩ"),
          QStringLiteral("M1 1.235 V    M2 230.5 V    M3 4.703 kΩ    M4 47.12 nF    M5 18.02 "
                         "mA    M6 -6.01 dBm    M7 64.1 °C    M8 1.201 V")}) {
        plain->setText(text);
        held->setText(text);
        expectSame(qPrintable(text));
    }
    // A narrower window wraps both alike.
    plainWindow.resize(150, 300);
    heldWindow.resize(150, 300);
    expectSame("narrow");
}
