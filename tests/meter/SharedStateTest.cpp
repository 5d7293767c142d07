#include "meter/SharedState.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace std::chrono_literals;
using telmora::AutoResetEvent;

TEST(AutoResetEvent, TwoSetsBeforeAWaitWakeOneWaiterOnce) {
    AutoResetEvent e;
    e.set();
    e.set();
    EXPECT_TRUE(e.waitFor(0ms));
    EXPECT_FALSE(e.waitFor(20ms)) << "the second set must not leave a second signal";
}

TEST(AutoResetEvent, ASignalReleasesExactlyOneOfTwoWaiters) {
    AutoResetEvent e;
    std::atomic<int> woken{0};
    std::jthread a([&] { woken += e.waitFor(2s) ? 1 : 0; });
    std::jthread b([&] { woken += e.waitFor(300ms) ? 1 : 0; });
    std::this_thread::sleep_for(50ms);
    e.set();
    a.join();
    b.join();
    EXPECT_EQ(woken.load(), 1);
}

TEST(AutoResetEvent, ShutdownWakesAWaitWithoutTimeout) {
    AutoResetEvent e;
    std::atomic<bool> result{true};
    std::jthread waiter([&] { result = e.wait(); });
    std::this_thread::sleep_for(30ms);
    e.shutdown();
    waiter.join();
    EXPECT_FALSE(result.load());
    EXPECT_FALSE(e.wait()) << "a shut-down event must not block later waits";
    e.restart();
    e.set();
    EXPECT_TRUE(e.wait());
}

TEST(SharedState, ReaderNeverSeesAHalfWrittenReading) {
    telmora::SharedState s;
    telmora::LiveReading first;
    first.mainText.assign("0");
    s.publish(first);
    std::atomic<bool> stop{false};
    // Declared before the writer so that it is set (and the writer ends) even
    // when an assertion leaves the test early.
    struct StopOnExit {
        std::atomic<bool>& flag;
        ~StopOnExit() { flag = true; }
    };
    std::jthread writer([&] {
        for (std::uint32_t i = 0; !stop; ++i) {
            if (i % 64 == 0)
                std::this_thread::yield();
            telmora::LiveReading r;
            r.mainFunction = i;
            r.mainText.assign(std::to_string(i));
            s.publish(r);
        }
    });
    StopOnExit guard{stop};
    for (int n = 0; n < 2000; ++n) {
        const telmora::LiveReading copy = s.copyReading();
        ASSERT_EQ(copy.mainText.str(), std::to_string(copy.mainFunction));
    }
}

TEST(SharedState, TwoPublishesBeforeTheWaiterWakesGiveTheSecondReadingOnce) {
    telmora::SharedState s;
    telmora::LiveReading r;
    r.mainText.assign(" 1.00");
    s.publish(r);
    r.mainText.assign(" 2.00");
    s.publish(r);
    ASSERT_TRUE(s.NewReadingEvent.waitFor(0ms));
    EXPECT_EQ(s.copyReading().mainText, " 2.00");
    EXPECT_FALSE(s.NewReadingEvent.waitFor(10ms));
}
