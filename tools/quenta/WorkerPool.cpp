#include "WorkerPool.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/signalfd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <stdexcept>

namespace quenta::script {

namespace {

// One outcome on the pipe: a fixed header and the reason's bytes. Kept
// under PIPE_BUF so that the workers' writes never interleave.
struct RecordHeader {
    int32_t item;
    int32_t done;
    uint32_t reasonLength;
};
constexpr size_t kMaxReason = 1024;
static_assert(sizeof(RecordHeader) + kMaxReason <= PIPE_BUF);

// A worker's last word goes as the item -1 - its number.
int32_t LastWordOf(int32_t worker) { return -1 - worker; }

sigset_t StopSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

void WriteRecord(int fd, const WorkOutcome& outcome) {
    const std::string reason = outcome.reason.substr(0, kMaxReason);
    const RecordHeader header{outcome.item, outcome.done ? 1 : 0, static_cast<uint32_t>(reason.size())};
    std::string record(reinterpret_cast<const char*>(&header), sizeof header);
    record += reason;
    while (write(fd, record.data(), record.size()) < 0 && errno == EINTR) {
    }
}

bool StopPending() {
    sigset_t pending;
    if (sigpending(&pending) != 0) return false;
    return sigismember(&pending, SIGINT) == 1 || sigismember(&pending, SIGTERM) == 1;
}

// A test's handshake, not for users: with QUENTA_TEST_HOLD_AFTER=N in its
// environment each worker stops after N items and waits for Ctrl-C, so
// that a test interrupts a run at a known point instead of racing it.
int32_t HoldAfter() {
    const char* hold = std::getenv("QUENTA_TEST_HOLD_AFTER");
    return hold ? static_cast<int32_t>(std::strtol(hold, nullptr, 10)) : 0;
}

[[noreturn]] void RunWorker(int fd, const WorkerShare& share, const WorkerBody& body) {
    int status = 0;
    const int32_t holdAfter = HoldAfter();
    int32_t reported = 0;
    bool stopped = false;
    const ReportOutcome report = [&](const WorkOutcome& outcome) {
        WriteRecord(fd, outcome);
        if (holdAfter <= 0 || ++reported != holdAfter) return;
        const sigset_t stop = StopSignals();
        while (sigwaitinfo(&stop, nullptr) < 0 && errno == EINTR) {
        }
        stopped = true;
    };
    try {
        body(share, report, [&] { return stopped || StopPending(); });
    } catch (const std::exception& error) {
        WriteRecord(fd, {LastWordOf(share.worker), false, error.what()});
        status = 1;
    }
    close(fd);
    // No exit handlers, no flushing of buffers copied from the parent.
    _exit(status);
}

std::string Describe(int status) {
    if (WIFSIGNALED(status)) return "the worker drawing it was killed by signal " + std::to_string(WTERMSIG(status));
    return "the worker drawing it stopped (exit status " + std::to_string(WEXITSTATUS(status)) + ")";
}

}  // namespace

WorkerPool::WorkerPool() {
    const sigset_t stop = StopSignals();
    sigprocmask(SIG_BLOCK, &stop, &savedMask_);
    signals_ = signalfd(-1, &stop, SFD_CLOEXEC);
    if (signals_ < 0) throw std::runtime_error(std::string("signalfd: ") + std::strerror(errno));
}

WorkerPool::~WorkerPool() {
    Interrupt();
    for (int pid : pids_) {
        if (pid > 0) waitpid(pid, nullptr, 0);
    }
    if (results_ >= 0) close(results_);
    close(signals_);
    if (!restored_) sigprocmask(SIG_SETMASK, &savedMask_, nullptr);
}

void WorkerPool::Start(int32_t workers, int32_t items, const WorkerBody& body) {
    const int32_t count = std::clamp(workers, 1, std::max(items, 1));
    items_ = items;
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    results_ = pipeEnds[0];
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    for (int32_t w = 0; w < count; ++w) {
        const pid_t pid = fork();
        if (pid < 0) {
            close(pipeEnds[1]);
            throw std::runtime_error(std::string("cannot start a worker: ") + std::strerror(errno));
        }
        if (pid == 0) {
            close(pipeEnds[0]);
            close(signals_);
            RunWorker(pipeEnds[1], WorkerShare{w, count, items}, body);
        }
        pids_.push_back(pid);
    }
    close(pipeEnds[1]);
}

void WorkerPool::Interrupt() {
    // Workers in the terminal's process group have the signal already;
    // those that are not (a SIGTERM to the parent alone) get it here.
    for (int pid : pids_) {
        if (pid > 0) kill(pid, SIGTERM);
    }
}

bool WorkerPool::Wait(const std::function<void(const WorkOutcome&)>& sink, const std::function<void()>& tick) {
    // A worker reports its items in order: what it has not reported yet is
    // the rest of its share from the item after its last report.
    const auto workers = static_cast<int32_t>(pids_.size());
    std::vector<int32_t> unreported(pids_.size());
    for (int32_t w = 0; w < workers; ++w) unreported[static_cast<size_t>(w)] = w;
    std::vector<std::string> lastWord(pids_.size());  // for the items each leaves
    std::string buffer;
    char chunk[65536];
    bool open = results_ >= 0 && workers > 0;  // nothing to wait for before Start
    while (open) {
        pollfd fds[2] = {{results_, POLLIN, 0}, {signals_, POLLIN, 0}};
        const int ready = poll(fds, caught_ ? 1 : 2, 100);
        if (ready < 0 && errno != EINTR) break;
        if (fds[1].revents & POLLIN && !caught_) {
            signalfd_siginfo info;
            if (read(signals_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
                caught_ = static_cast<int>(info.ssi_signo);
                Interrupt();
            }
        }
        if (fds[0].revents & (POLLIN | POLLHUP)) {
            const ssize_t got = read(results_, chunk, sizeof chunk);
            if (got == 0) open = false;
            if (got > 0) buffer.append(chunk, static_cast<size_t>(got));
            size_t at = 0;
            while (buffer.size() - at >= sizeof(RecordHeader)) {
                RecordHeader header;
                std::memcpy(&header, buffer.data() + at, sizeof header);
                if (buffer.size() - at < sizeof header + header.reasonLength) break;
                WorkOutcome outcome{header.item, header.done != 0,
                                    buffer.substr(at + sizeof header, header.reasonLength)};
                at += sizeof header + header.reasonLength;
                if (outcome.item < 0) {
                    const int32_t worker = LastWordOf(outcome.item);  // its own inverse
                    if (worker < workers) lastWord[static_cast<size_t>(worker)] = outcome.reason;
                    continue;
                }
                if (outcome.item >= items_) continue;
                int32_t& next = unreported[static_cast<size_t>(outcome.item % workers)];
                next = std::max(next, outcome.item + workers);
                sink(outcome);
            }
            buffer.erase(0, at);
        }
        tick();
    }
    // Every worker has closed the pipe; what they did not report, they
    // did not draw.
    std::vector<std::string> why(pids_.size());
    for (size_t w = 0; w < pids_.size(); ++w) {
        int status = 0;
        if (waitpid(pids_[w], &status, 0) == pids_[w]) why[w] = Describe(status);
        pids_[w] = -1;
    }
    if (!caught_) {
        for (size_t w = 0; w < pids_.size(); ++w) {
            for (int32_t item = unreported[w]; item < items_; item += workers) {
                sink({item, false, lastWord[w].empty() ? why[w] : lastWord[w]});
            }
        }
    }
    tick();
    return caught_ == 0;
}

void WorkerPool::Reraise() const {
    sigset_t stop = StopSignals();
    signal(caught_ ? caught_ : SIGINT, SIG_DFL);
    sigprocmask(SIG_UNBLOCK, &stop, nullptr);
    raise(caught_ ? caught_ : SIGINT);
    _exit(128 + (caught_ ? caught_ : SIGINT));
}

}  // namespace quenta::script
