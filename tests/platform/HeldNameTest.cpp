// A name that one process holds while it runs: taken once, met by the user's other processes,
// free again when its holder goes.
#include "platform/HeldName.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using platform::THeldName;
using TResult = THeldName::TResult;

// A name no other test program uses at the same time.
std::string TestName(const std::string& what)
{
    return "garvo held name test " + std::to_string(::getpid()) + " " + what;
}

TEST(HeldName, OneHolderAtATimeUntilItGoes)
{
    const std::string name = TestName("holder");
    {
        THeldName holder;
        ASSERT_EQ(holder.Take(name), TResult::Taken);
        THeldName other;
        EXPECT_EQ(other.Take(name), TResult::HeldByThisUser);
        EXPECT_EQ(other.Take(TestName("another")), TResult::Taken) << "a name not held is taken";
    }
    THeldName next;
    EXPECT_EQ(next.Take(name), TResult::Taken);
}

TEST(HeldName, NamesTheAddressCannotHoldAreUnavailable)
{
    THeldName held;
    EXPECT_EQ(held.Take(""), TResult::Unavailable);
    EXPECT_EQ(held.Take(std::string(108, 'g')), TResult::Unavailable);
    EXPECT_EQ(held.Take(std::string(107, 'g')), TResult::Taken);
}

// Each check connects to the holder: more checks than the queue of waiting connections holds
// still find it, as long as its event loop runs between them.
TEST(HeldName, ChecksNeverFillTheHoldersQueue)
{
    const std::string name = TestName("queue");
    THeldName holder;
    ASSERT_EQ(holder.Take(name), TResult::Taken);
    for (int check = 0; check < SOMAXCONN + 2; ++check) {
        THeldName other;
        ASSERT_EQ(other.Take(name), TResult::HeldByThisUser) << "check " << check;
        QCoreApplication::processEvents();
    }
}

} // namespace
