// The worker pool: every item reported once, by the worker whose share it
// is, and what a worker that dies leaves undone reported with the reason.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <map>
#include <stdexcept>
#include <string>

#include "WorkerPool.h"

namespace quenta::script {
namespace {

std::map<int32_t, WorkOutcome> RunPool(int32_t workers, int32_t items, const WorkerBody& body) {
    std::map<int32_t, WorkOutcome> outcomes;
    WorkerPool pool;
    pool.Start(workers, items, body);
    const bool complete = pool.Wait(
        [&](const WorkOutcome& outcome) {
            EXPECT_TRUE(outcomes.emplace(outcome.item, outcome).second) << "item " << outcome.item << " reported twice";
        },
        [] {});
    EXPECT_TRUE(complete);
    return outcomes;
}

TEST(WorkerPool, DealsTheItemsInTurnAndHearsOfEachOnce) {
    const auto outcomes = RunPool(3, 10, [](const WorkerShare& share, const ReportOutcome& report, const StopRequested&) {
        for (int32_t item = share.worker; item < share.items; item += share.workers) {
            report({item, true, std::to_string(share.worker)});
        }
    });
    ASSERT_EQ(outcomes.size(), 10u);
    for (const auto& [item, outcome] : outcomes) {
        EXPECT_TRUE(outcome.done);
        EXPECT_EQ(outcome.reason, std::to_string(item % 3)) << "item " << item;
    }
}

TEST(WorkerPool, NoMoreWorkersThanItems) {
    const auto outcomes = RunPool(8, 2, [](const WorkerShare& share, const ReportOutcome& report, const StopRequested&) {
        report({share.worker, true, std::to_string(share.workers)});
    });
    ASSERT_EQ(outcomes.size(), 2u);
    for (const auto& [item, outcome] : outcomes) EXPECT_EQ(outcome.reason, "2") << "item " << item;
}

struct DeathCase {
    const char* name;
    void (*die)();
    const char* reason;  // what the items it left are reported with
};

class WorkerDeath : public ::testing::TestWithParam<DeathCase> {};

// Worker 1 of 2 does its first item, then dies; its items 3, 5 and 7 are
// reported undone, and worker 0's are all done.
TEST_P(WorkerDeath, ReportsTheRestOfItsShareWithTheReason) {
    const DeathCase& death = GetParam();
    const auto outcomes = RunPool(2, 8, [&](const WorkerShare& share, const ReportOutcome& report, const StopRequested&) {
        for (int32_t item = share.worker; item < share.items; item += share.workers) {
            if (item == 3) death.die();
            report({item, true, ""});
        }
    });
    ASSERT_EQ(outcomes.size(), 8u);
    for (const auto& [item, outcome] : outcomes) {
        const bool left = item == 3 || item == 5 || item == 7;
        EXPECT_EQ(outcome.done, !left) << "item " << item;
        if (left) {
            EXPECT_NE(outcome.reason.find(death.reason), std::string::npos) << outcome.reason;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Deaths, WorkerDeath,
    ::testing::Values(DeathCase{"Killed", [] { raise(SIGKILL); }, "killed by signal 9"},
                      DeathCase{"Exited", [] { _exit(3); }, "exit status 3"},
                      DeathCase{"Threw", [] { throw std::runtime_error("out of paint"); }, "out of paint"}),
    [](const ::testing::TestParamInfo<DeathCase>& info) { return std::string(info.param.name); });

// Two workers failing differently: each one's items carry its own reason.
TEST(WorkerPool, EachWorkersItemsCarryItsOwnReason) {
    const auto outcomes = RunPool(2, 6, [](const WorkerShare& share, const ReportOutcome& report, const StopRequested&) {
        if (share.worker == 0) throw std::runtime_error("out of paint");
        report({1, true, ""});
        raise(SIGKILL);
    });
    ASSERT_EQ(outcomes.size(), 6u);
    for (const auto& [item, outcome] : outcomes) {
        const char* reason = item % 2 == 0 ? "out of paint" : item == 1 ? "" : "killed by signal 9";
        EXPECT_EQ(outcome.done, item == 1) << "item " << item;
        EXPECT_NE(outcome.reason.find(reason), std::string::npos) << "item " << item << ": " << outcome.reason;
    }
}

}  // namespace
}  // namespace quenta::script
