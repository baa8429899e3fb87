#include "tools/ReportThreads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

cpu_set_t AllowedHere() {
    cpu_set_t set;
    CPU_ZERO(&set);
    EXPECT_EQ(::sched_getaffinity(0, sizeof set, &set), 0);
    return set;
}

// What the side thread may run on, once its work has begun.
cpu_set_t AllowedInSideThread() {
    cpu_set_t seen;
    CPU_ZERO(&seen);
    TSideThread side([&] { seen = AllowedHere(); });
    return seen;
}

} // namespace

// Started away from its creator's processor, the thread may then run on every
// processor its creator may: it is not left pinned to the others.
TEST(SideThread, RunsItsWorkWithTheProcessorsOfItsCreator) {
    const cpu_set_t all = AllowedHere();
    cpu_set_t seen = AllowedInSideThread();
    EXPECT_TRUE(CPU_EQUAL(&seen, &all));

    // A creator held to one processor: the thread runs there, with no other.
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(::sched_getcpu(), &one);
    ASSERT_EQ(::sched_setaffinity(0, sizeof one, &one), 0);
    seen = AllowedInSideThread();
    ASSERT_EQ(::sched_setaffinity(0, sizeof all, &all), 0);
    EXPECT_TRUE(CPU_EQUAL(&seen, &one));
}

TEST(SideThread, TheDestructorWaitsForTheWorkToEnd) {
    std::atomic<bool> done = false;
    {
        const TSideThread side([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            done = true;
        });
    }
    EXPECT_TRUE(done);
}
