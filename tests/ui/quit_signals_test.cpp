#include "platform/ui/quit_signals.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <csignal>

namespace {

void Ignore(int /*signal*/) {}

}  // namespace

TEST(QuitSignals, EachSignalAsksToQuitOnTheEventLoopAndTheOldHandlersReturn) {
    struct sigaction before = {};
    before.sa_handler = Ignore;
    sigemptyset(&before.sa_mask);
    struct sigaction saved = {};
    ASSERT_EQ(::sigaction(SIGHUP, &before, &saved), 0);
    {
        CQuitSignals quitSignals;
        QSignalSpy spy(&quitSignals, &CQuitSignals::QuitRequested);
        for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
            int count = spy.count();
            ASSERT_EQ(std::raise(signal), 0);
            EXPECT_TRUE(QTest::qWaitFor([&] { return spy.count() == count + 1; }));
        }
    }
    struct sigaction after = {};
    ::sigaction(SIGHUP, &saved, &after);
    EXPECT_EQ(after.sa_handler, Ignore);
}
