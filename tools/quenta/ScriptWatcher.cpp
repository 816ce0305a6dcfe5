#include "ScriptWatcher.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "ScriptChecker.h"

namespace quenta::preview {

namespace {

constexpr std::chrono::seconds kReadLimit{10};

}  // namespace

ScriptWatcher::FileStamp ScriptWatcher::StampOf(const std::string& path) {
    struct stat info {};
    FileStamp stamp;
    if (::stat(path.c_str(), &info) != 0) return stamp;
    stamp.exists = true;
    stamp.size = info.st_size;
    stamp.changed = info.st_mtim;
    stamp.inode = info.st_ino;
    return stamp;
}

ScriptWatcher::ScriptWatcher(ScriptSource source, ModuleThread& modules, MessagePreviewer& previewer,
                             std::chrono::milliseconds interval)
    : source_(std::move(source)), modules_(modules), previewer_(previewer), interval_(interval) {
    const FileStamp first = StampOf(source_.path);
    std::string error;
    if (!Read(error)) throw std::runtime_error(error);
    watcher_ = std::thread([this, first] { Watch(first); });
}

ScriptWatcher::~ScriptWatcher() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    watcher_.join();
}

std::shared_ptr<const ScriptSnapshot> ScriptWatcher::Current() const {
    std::lock_guard lock(mutex_);
    return current_;
}

bool ScriptWatcher::Read(std::string& error) {
    auto result = std::make_shared<ScriptSnapshot>();
    auto failure = std::make_shared<std::string>();
    try {
        // Opening a FIFO or a device waits for a writer, or reads for ever:
        // only a regular file is read.
        struct stat info {};
        if (::stat(source_.path.c_str(), &info) != 0) throw std::runtime_error(std::strerror(errno));
        if (!S_ISREG(info.st_mode)) throw std::runtime_error("not a regular file; it is not read");
        const script::ScriptFile file = script::OpenScript(source_.path, source_.form, source_.cp932, source_.column);
        MessagePreviewer* previewer = &previewer_;
        const bool reset = source_.resetBetweenMessages;
        const RunStatus status = modules_.Run(
            [file, previewer, reset, result, failure] {
                try {
                    *result = previewer->ReadScript(file, reset);
                } catch (const std::exception& e) {
                    *failure = e.what();
                }
            },
            kReadLimit);
        if (status != RunStatus::kDone) *failure = "the preview was too busy to read the script";
    } catch (const std::exception& e) {
        *failure = e.what();
    }
    std::lock_guard lock(mutex_);
    const int64_t version = current_ ? current_->version + 1 : 1;
    if (!failure->empty()) {
        error = source_.path + ": " + *failure;
        if (current_) {
            auto kept = std::make_shared<ScriptSnapshot>(*current_);
            kept->version = version;
            kept->error = error;
            current_ = std::move(kept);
        }
        return false;
    }
    result->version = version;
    current_ = std::move(result);
    return true;
}

void ScriptWatcher::Watch(FileStamp seen) {
    std::unique_lock lock(mutex_);
    while (!wake_.wait_for(lock, interval_, [this] { return stopping_; })) {
        lock.unlock();
        const FileStamp now = StampOf(source_.path);
        if (!(now == seen)) {
            seen = now;
            std::string error;
            Read(error);
        }
        lock.lock();
    }
}

}  // namespace quenta::preview
