// The answer to the page's question for the script: its messages as JSON,
// written a message at a time as the connection takes them, so that an
// answer costs the same memory whatever the script's size.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "ScriptSnapshot.h"

namespace quenta::preview {

class ScriptAnswer {
public:
    explicit ScriptAnswer(std::shared_ptr<const ScriptSnapshot> snapshot);

    // Copies up to `room` bytes of the answer into `into`; 0 at the end.
    size_t Read(char* into, size_t room);

private:
    void Refill();

    std::shared_ptr<const ScriptSnapshot> snapshot_;
    size_t next_ = 0;  // the message to write after `pending_`
    bool headWritten_ = false;
    bool ended_ = false;
    std::string pending_;
    size_t taken_ = 0;  // of `pending_`
};

}  // namespace quenta::preview
