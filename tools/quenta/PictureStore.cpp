#include "PictureStore.h"

namespace quenta::preview {

int64_t PictureStore::Add(std::string png) {
    auto picture = std::make_shared<const std::string>(std::move(png));
    std::lock_guard lock(mutex_);
    const int64_t number = next_++;
    pictures_.emplace_back(number, std::move(picture));
    while (pictures_.size() > keep_) pictures_.pop_front();
    return number;
}

std::shared_ptr<const std::string> PictureStore::Find(int64_t number) const {
    std::lock_guard lock(mutex_);
    for (const auto& [n, picture] : pictures_) {
        if (n == number) return picture;
    }
    return nullptr;
}

}  // namespace quenta::preview
