#include "ModuleThread.h"

#include <atomic>
#include <future>

namespace quenta::preview {

struct ModuleThread::Job {
    std::function<void()> work;
    std::promise<void> done;
    std::atomic<bool> abandoned{false};  // the caller stopped waiting
    std::promise<void> started;
};

ModuleThread::ModuleThread(size_t capacity) : capacity_(capacity), worker_([this] { Work(); }) {}

ModuleThread::~ModuleThread() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

RunStatus ModuleThread::Run(std::function<void()> work, std::chrono::milliseconds limit) {
    return Run(std::move(work), std::chrono::milliseconds::zero(), limit);
}

RunStatus ModuleThread::Run(std::function<void()> work, std::chrono::milliseconds wait, std::chrono::milliseconds limit) {
    auto job = std::make_shared<Job>();
    job->work = std::move(work);
    std::future<void> finished = job->done.get_future();
    {
        std::lock_guard lock(mutex_);
        if (stopping_ || jobs_.size() >= capacity_) return RunStatus::kBusy;
        jobs_.push_back(job);
    }
    wake_.notify_one();
    if (wait > std::chrono::milliseconds::zero()) {
        std::future<void> started = job->started.get_future();
        if (started.wait_for(wait) != std::future_status::ready) {
            job->abandoned = true;
            return RunStatus::kTimedOut;
        }
    }
    if (finished.wait_for(limit) != std::future_status::ready) {
        job->abandoned = true;
        return RunStatus::kTimedOut;
    }
    finished.get();
    return RunStatus::kDone;
}

void ModuleThread::Work() {
    for (;;) {
        std::shared_ptr<Job> job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (stopping_) return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job->started.set_value();
        // Nobody waits for the job of a caller who gave up: skip it.
        if (!job->abandoned) {
            try {
                job->work();
            } catch (...) {
                job->done.set_exception(std::current_exception());
                continue;
            }
        }
        job->done.set_value();
    }
}

}  // namespace quenta::preview
