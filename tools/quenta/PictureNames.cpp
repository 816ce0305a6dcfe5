#include "PictureNames.h"

#include <stdexcept>

namespace quenta::script {

PictureNames::PictureNames(std::string pattern) {
    const size_t first = pattern.find('#');
    const size_t last = pattern.find_last_of('#');
    const auto refuse = [&](const char* why) {
        throw std::invalid_argument("picture name pattern '" + pattern + "': " + why);
    };
    if (first == std::string::npos) refuse("needs a run of '#' for the message's number");
    if (pattern.find_first_not_of('#', first) < last) refuse("has more than one run of '#'");
    if (pattern.find_first_of("/\\") != std::string::npos) refuse("must name a file in the output folder, without '/'");
    if (pattern.size() < 4 || pattern.compare(pattern.size() - 4, 4, ".png") != 0) refuse("must end in .png");
    if (pattern == "index.html") refuse("is the review page's name");
    before_ = pattern.substr(0, first);
    after_ = pattern.substr(last + 1);
    width_ = last - first + 1;
}

std::string PictureNames::For(int32_t number) const {
    std::string digits = std::to_string(number);
    if (digits.size() < width_) digits.insert(0, width_ - digits.size(), '0');
    return before_ + digits + after_;
}

}  // namespace quenta::script
