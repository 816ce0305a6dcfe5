// The pictures the preview drew last, each under a number of its own, kept
// for the page to show and save. Only the newest few are kept, so memory
// does not grow with the number of renders.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

namespace quenta::preview {

class PictureStore {
public:
    explicit PictureStore(size_t keep) : keep_(keep) {}

    // The new picture's number.
    int64_t Add(std::string png);
    // Null when the number is unknown or its picture was dropped.
    std::shared_ptr<const std::string> Find(int64_t number) const;

private:
    size_t keep_;
    mutable std::mutex mutex_;
    int64_t next_ = 1;
    std::deque<std::pair<int64_t, std::shared_ptr<const std::string>>> pictures_;
};

}  // namespace quenta::preview
