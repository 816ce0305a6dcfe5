// Keeps the previewed script as it is on disk: a thread looks at the file a
// few times a second and, when its size or time of change moves (the writer
// saved it in their own editor), reads and checks it again. The preview
// never writes the script.
#pragma once

#include <chrono>
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
    // Reads and checks the file; false with the reason when it cannot.
    bool Read(std::string& error);
    void Watch();

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
