// Draws in separate processes: the module's picture cache and blitter are
// process-wide, so parallel drawing is one process per worker, each loading
// the modules once and drawing many messages. Workers are forked; each
// reports every message it finishes through one pipe, which the parent
// reads while it does its own work.
//
// Ctrl-C and SIGTERM are taken through a signalfd while the pool runs: the
// workers finish the message in hand and stop, and the pool says it was
// interrupted, so that its caller can tidy up before it exits.
#pragma once

#include <signal.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quenta::script {

struct WorkOutcome {
    int32_t item = 0;
    bool done = false;
    std::string reason;  // why not, when not done
};

// Items are numbered from 0; worker `w` of `n` has the items w, w + n,
// w + 2n and so on, so that each gets its share of long and short messages
// and nobody holds a list of them.
struct WorkerShare {
    int32_t worker = 0;
    int32_t workers = 1;
    int32_t items = 0;  // of all the workers together

    bool Owns(int32_t item) const { return item % workers == worker; }
};

// What a worker process runs: its share of the items, in order. It calls
// `report` once per item and stops early when `stopRequested` says so. An
// exception it lets out ends the worker; its text is the reason for every
// item of its share not yet reported.
using ReportOutcome = std::function<void(const WorkOutcome&)>;
using StopRequested = std::function<bool()>;
using WorkerBody = std::function<void(const WorkerShare& share, const ReportOutcome& report,
                                      const StopRequested& stopRequested)>;

class WorkerPool {
public:
    // Blocks SIGINT and SIGTERM until Wait returns.
    WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;
    ~WorkerPool();

    // Forks `workers` processes (at least one, at most one per item) to do
    // `items` items between them.
    void Start(int32_t workers, int32_t items, const WorkerBody& body);

    // Hands each outcome to `sink` as it arrives and calls `tick` about ten
    // times a second, until every worker has exited. Returns false when the
    // run was interrupted.
    bool Wait(const std::function<void(const WorkOutcome&)>& sink, const std::function<void()>& tick);

    // After an interrupted Wait: ends the process as the signal would have.
    [[noreturn]] void Reraise() const;

private:
    void Interrupt();

    std::vector<int> pids_;
    int32_t items_ = 0;
    int results_ = -1;    // read end of the workers' pipe
    int signals_ = -1;    // signalfd for SIGINT and SIGTERM
    int caught_ = 0;      // the signal that interrupted the run
    bool restored_ = false;
    sigset_t savedMask_{};
};

}  // namespace quenta::script
