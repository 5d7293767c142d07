// The meter strip: one card per linked meter with its reading, unit, mode, range
// and comparator state, in words for screen readers too, and the meter's panels
// one click away.
#include "ui/main/MeterStrip.h"
#include "LinkWaits.h"
#include "MainUnderTest.h"
#include "ScriptedDialogs.h"
#include "UserDirectories.h"
#include "app/Meter.h"
#include "model/DecodedReply.h"
#include "sim/SimulatedCables.h"
#include "sim/SimulatedMeter.h"
#include "ui/live/ComparatorLimitsDialog.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/main/LinkCommands.h"
#include "ui/main/MeterCard.h"
#include "ui/main/MeterWindowSets.h"

#include <QAccessible>
#include <QDir>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

using namespace telmora;

namespace {

class MeterStripTest : public ::testing::Test {
protected:
    void start(int meters) {
        std::vector<std::shared_ptr<SimulatedMeter>> sims;
        for (int i = 0; i < meters; ++i)
            sims.push_back(std::make_shared<SimulatedMeter>(SimScenario::Demo, false));
        auto cables = std::make_shared<SimulatedCables>(std::move(sims));
        cables->nameCables();
        m_parts =
            std::make_unique<MainUnderTest>(cables, m_dialogs, LocateUserFiles(m_start.path()));
        m_parts->window.show();
        m_parts->window.createWindows();
    }
    MainWindow& form() const { return m_parts->window; }
    Application& app() const { return m_parts->app; }
    // Waits for the next reading of meter `index`.
    bool nextReading(int index) const {
        QSignalSpy spy(&app().meter(index).link(), &MeterLink::readingReceived);
        return spy.wait(5000);
    }
    // Waits for a reading of meter `index` with a number: the demo meter overloads
    // now and then, and an overload stands above any upper limit.
    bool nextReadingWithNumber(int index) const {
        QSignalSpy spy(&app().meter(index).link(), &MeterLink::readingReceived);
        for (int n = 0; n < 30; ++n) {
            if (!spy.wait(5000))
                return false;
            if (spy.last().at(0).value<DecodedReply>().main.hasNumber())
                return true;
        }
        return false;
    }

    UserDirectories m_home;
    QTemporaryDir m_start;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<MainUnderTest> m_parts;
};

QToolButton* buttonOf(const MeterCard& card, const QString& caption) {
    for (QToolButton* b : card.findChildren<QToolButton*>())
        if (b->text() == caption)
            return b;
    return nullptr;
}

} // namespace

TEST_F(MeterStripTest, EveryLinkedMeterHasACardWithItsReadingInWords) {
    start(3);
    ASSERT_EQ(form().meterStrip()->cardCount(), 1) << "the first meter's card is always there";
    EXPECT_EQ(form().meterStrip()->card(0)->stateText(), "Not linked");
    ASSERT_EQ(LinkAllAndWait(app()), 3);
    ASSERT_EQ(form().meterStrip()->cardCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const MeterCard* card = form().meterStrip()->card(i);
        // A range needs two readings with a value; the demo meter overloads now and then.
        ASSERT_TRUE(nextReading(i));
        for (int n = 0; n < 30 && !card->rangeText().startsWith(QStringLiteral("Min ")); ++n)
            ASSERT_TRUE(nextReading(i));
        const QString name = QStringLiteral("Meter %1").arg(i + 1);
        EXPECT_EQ(card->accessibleName(), name);
        EXPECT_FALSE(card->readingText().isEmpty()) << i;
        EXPECT_TRUE(card->rangeText().startsWith(QStringLiteral("Min "))) << i;
        EXPECT_FALSE(card->stateText().isEmpty()) << i;
        EXPECT_EQ(card->summary(), name + ": " + card->readingText() + ", " + card->rangeText() +
                                       ", " + card->stateText());
        EXPECT_TRUE(card->accessibleDescription().startsWith(name + ": ")) << i;
    }
    // Cards follow renaming.
    m_dialogs.textAnswers.push_back(QStringLiteral("Shunt"));
    ASSERT_TRUE(form().linkCommands().renameMeter(1));
    EXPECT_EQ(form().meterStrip()->card(1)->accessibleName(), "Shunt");
    // An unlink leaves the card saying so.
    app().meter(2).link().unlink();
    EXPECT_EQ(form().meterStrip()->card(2)->stateText(), "Not linked");
    EXPECT_EQ(form().meterStrip()->card(2)->readingText(), "----");
}

TEST_F(MeterStripTest, ACardsButtonsBringUpThatMetersPanels) {
    start(2);
    ASSERT_EQ(LinkAllAndWait(app()), 2);
    const MeterCard* card = form().meterStrip()->card(1);
    ASSERT_NE(card, nullptr);
    const LiveWindowSet set = form().meterWindows()->windowsOf(1);
    for (const auto& [caption, kind] :
         {std::pair{QStringLiteral("Analog Meter"), LiveWindowKind::Analog},
          std::pair{QStringLiteral("Comparator"), LiveWindowKind::Comparator},
          std::pair{QStringLiteral("Digital Meter"), LiveWindowKind::Digital}}) {
        QToolButton* button = buttonOf(*card, caption);
        ASSERT_NE(button, nullptr) << caption.toStdString();
        EXPECT_EQ(button->focusPolicy(), Qt::TabFocus);
        button->click();
        EXPECT_TRUE(set.window(kind)->isVisible()) << caption.toStdString();
        EXPECT_FALSE(form().meterWindows()->windowsOf(0).window(kind) == set.window(kind));
    }
}

TEST_F(MeterStripTest, TheStateTellsWhereTheReadingStandsAgainstTheLimits) {
    start(1);
    ASSERT_TRUE(LinkAndWait(app().link()));
    // Cards of the same meter with limits far above and far below any reading of
    // the demo meter, and around all of them.
    const auto comparator = [this](double high, double low) {
        auto* limits = new ComparatorLimitsDialog(m_dialogs);
        auto window = std::make_unique<ComparatorWindow>(m_dialogs, high, low, limits);
        limits->setParent(window.get(), limits->windowFlags());
        return window;
    };
    const auto above = comparator(-1e12, -2e12);
    const auto below = comparator(2e12, 1e12);
    const auto within = comparator(1e12, -1e12);
    MeterCard high(app().meter(0), {nullptr, nullptr, above.get()});
    MeterCard low(app().meter(0), {nullptr, nullptr, below.get()});
    MeterCard inside(app().meter(0), {nullptr, nullptr, within.get()});
    ASSERT_TRUE(nextReadingWithNumber(0));
    EXPECT_EQ(high.stateText(), "Above the upper limit");
    EXPECT_EQ(low.stateText(), "Below the lower limit");
    EXPECT_EQ(inside.stateText(), "Within the limits");
}

// A resistance is written with the ohm sign, as the displays draw it, not with
// the display's unit letter.
TEST_F(MeterStripTest, AResistanceIsWrittenWithTheOhmSign) {
    start(1);
    ASSERT_TRUE(LinkAndWait(app().link()));
    MeterCard card(app().meter(0), {});
    ASSERT_TRUE(nextReading(0));
    DecodedReply reading;
    reading.main = MeasureDisplay(" 4.732", false, 0x80, 3, DisplayKind::Main);
    card.showReading(reading);
    EXPECT_TRUE(card.readingText().endsWith(QChar(0x03A9))) << card.readingText().toStdString();
    EXPECT_FALSE(card.rangeText().contains(QLatin1Char('W'))) << card.rangeText().toStdString();
}

// The strip shows the readings of every card together, a moment after they came:
// the labels then hold the last reading, and the range counts every reading,
// shown or not.
TEST_F(MeterStripTest, CardsShowTheirLastReadingsTogether) {
    start(2);
    ASSERT_EQ(LinkAllAndWait(app()), 2);
    MeterCard* first = form().meterStrip()->card(0);
    MeterCard* second = form().meterStrip()->card(1);
    ASSERT_NE(second, nullptr);
    // The readings of this test alone: the meters are unlinked, the cards told
    // otherwise.
    app().unlinkAll();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return first->stateText() == QStringLiteral("Not linked") &&
               second->stateText() == QStringLiteral("Not linked");
    }));
    first->setLinked(true);
    second->setLinked(true);
    auto* shown = first->findChild<QLabel*>(QStringLiteral("cardReading"));
    auto* shownToo = second->findChild<QLabel*>(QStringLiteral("cardReading"));
    ASSERT_NE(shown, nullptr);
    ASSERT_NE(shownToo, nullptr);
    const auto reading = [](const char* text) {
        DecodedReply r;
        r.main = MeasureDisplay(text, false, 0x6, 0, DisplayKind::Main);
        return r;
    };
    QSignalSpy changed(first, &MeterCard::changed);
    first->showReading(reading(" 1.500"));
    first->showReading(reading(" 9.000"));
    first->showReading(reading(" 2.250"));
    second->showReading(reading(" 3.000"));
    EXPECT_EQ(changed.count(), 3);
    EXPECT_TRUE(first->readingText().startsWith(QStringLiteral("2.250"))) << "known at once";
    EXPECT_FALSE(shown->text().startsWith(QStringLiteral("2.250"))) << "shown a moment later";
    // Both cards are shown at the same turn of the strip, before the next reading
    // could change them again.
    ASSERT_TRUE(
        QTest::qWaitFor([shown] { return shown->text().startsWith(QStringLiteral("2.250")); }));
    EXPECT_TRUE(shownToo->text().startsWith(QStringLiteral("3.000")));
    EXPECT_TRUE(first->rangeText().contains(QStringLiteral("9.000"))) << "the range saw them all";
}
