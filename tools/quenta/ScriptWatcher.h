// Keeps the previewed script as it is on disk: a thread looks at the file a
// few times a second and, when its size or time of change moves (the writer
// saved it in their own editor), reads and checks it again. The preview
// never writes the script.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <ctime>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "MessagePreviewer.h"
#include "ModuleThread.h"
#include "ScriptSnapshot.h"

namespace quenta::preview {

struct ScriptSource {
    std::string path;
    std::string form;  // "" for what the name suggests
    bool cp932 = false;
    std::string column;
    bool resetBetweenMessages = false;
};

class ScriptWatcher {
public:
    // Reads the script once; throws std::runtime_error when it cannot.
    ScriptWatcher(ScriptSource source, ModuleThread& modules, MessagePreviewer& previewer,
                  std::chrono::milliseconds interval);
    ScriptWatcher(const ScriptWatcher&) = delete;
    ScriptWatcher& operator=(const ScriptWatcher&) = delete;
    ~ScriptWatcher();

    std::shared_ptr<const ScriptSnapshot> Current() const;

private:
    // What tells that the file changed: its size and time of change, and
    // the file itself (an editor that saves by renaming puts a new one in
    // place).
    struct FileStamp {
        bool exists = false;
        off_t size = 0;
        timespec changed{};
        ino_t inode = 0;

        bool operator==(const FileStamp& o) const {
            return exists == o.exists && size == o.size && changed.tv_sec == o.changed.tv_sec &&
                   changed.tv_nsec == o.changed.tv_nsec && inode == o.inode;
        }
    };
    static FileStamp StampOf(const std::string& path);

    // Reads and checks the file; false with the reason when it cannot.
    bool Read(std::string& error);
    // `seen` is the file as it was before the first read, so that a change
    // made while the thread starts is not missed.
    void Watch(FileStamp seen);

    ScriptSource source_;
    ModuleThread& modules_;
    MessagePreviewer& previewer_;
    std::chrono::milliseconds interval_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::shared_ptr<const ScriptSnapshot> current_;
    std::thread watcher_;
};

}  // namespace quenta::preview
