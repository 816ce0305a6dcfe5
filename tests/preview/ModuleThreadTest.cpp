#include "ModuleThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>
#include <thread>
#include <vector>

namespace quenta::preview {
namespace {

using namespace std::chrono_literals;
constexpr auto kAmple = 10s;

// A job that holds the thread until released, to fill the queue behind it.
struct Blocker {
    std::promise<void> release;
    std::shared_future<void> released{release.get_future().share()};
    std::atomic<bool> started{false};

    std::function<void()> Job() {
        return [this] {
            started = true;
            released.wait();
        };
    }
    void WaitStarted() const {
        while (!started) std::this_thread::yield();
    }
};

TEST(ModuleThreadTest, RunsEveryJobOnOneThreadOfItsOwn) {
    ModuleThread thread(4);
    std::vector<std::thread::id> seen;
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(thread.Run([&] { seen.push_back(std::this_thread::get_id()); }, kAmple), RunStatus::kDone);
    }
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_NE(seen[0], std::this_thread::get_id());
    EXPECT_EQ(seen[1], seen[0]);
    EXPECT_EQ(seen[2], seen[0]);
}

TEST(ModuleThreadTest, TurnsCallersAwayWhenTheQueueIsFull) {
    ModuleThread thread(1);
    Blocker blocker;
    auto holding = std::async(std::launch::async, [&] { return thread.Run(blocker.Job(), kAmple); });
    blocker.WaitStarted();
    // A caller that gave up still holds its place in the queue until the
    // thread comes to it, so the one place is taken.
    EXPECT_EQ(thread.Run([] {}, 1ms), RunStatus::kTimedOut);
    bool ran = false;
    EXPECT_EQ(thread.Run([&] { ran = true; }, kAmple), RunStatus::kBusy);
    blocker.release.set_value();
    EXPECT_EQ(holding.get(), RunStatus::kDone);
    // Once the thread has skipped the abandoned job, there is room again.
    RunStatus later = RunStatus::kBusy;
    for (int tries = 0; tries < 1000 && later == RunStatus::kBusy; ++tries) {
        later = thread.Run([&] { ran = true; }, kAmple);
        if (later == RunStatus::kBusy) std::this_thread::sleep_for(1ms);
    }
    EXPECT_EQ(later, RunStatus::kDone);
    EXPECT_TRUE(ran);
}

TEST(ModuleThreadTest, GivesUpAfterTheLimitAndSkipsTheAbandonedJob) {
    ModuleThread thread(4);
    Blocker blocker;
    auto holding = std::async(std::launch::async, [&] { return thread.Run(blocker.Job(), kAmple); });
    blocker.WaitStarted();
    auto ran = std::make_shared<std::atomic<bool>>(false);
    EXPECT_EQ(thread.Run([ran] { *ran = true; }, 20ms), RunStatus::kTimedOut);
    blocker.release.set_value();
    EXPECT_EQ(holding.get(), RunStatus::kDone);
    ASSERT_EQ(thread.Run([] {}, kAmple), RunStatus::kDone);  // everything queued before has been handled
    EXPECT_FALSE(*ran);
}

TEST(ModuleThreadTest, HandsAJobsExceptionToItsCaller) {
    ModuleThread thread(1);
    EXPECT_THROW(thread.Run([] { throw std::runtime_error("drawing failed"); }, kAmple), std::runtime_error);
    EXPECT_EQ(thread.Run([] {}, kAmple), RunStatus::kDone);
}

}  // namespace
}  // namespace quenta::preview
