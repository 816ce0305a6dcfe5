// The pictures' file names: a pattern with one run of '#' that the
// message's number fills, zero-padded to the run's length ("####.png"
// gives 0007.png; "line-#.png" gives line-7.png).
#pragma once

#include <cstdint>
#include <string>

namespace quenta::script {

class PictureNames {
public:
    // Throws std::invalid_argument unless the pattern has exactly one run
    // of '#', ends in ".png" and names a file, not a folder.
    explicit PictureNames(std::string pattern);
    std::string For(int32_t number) const;

private:
    std::string before_, after_;
    size_t width_ = 0;
};

}  // namespace quenta::script
