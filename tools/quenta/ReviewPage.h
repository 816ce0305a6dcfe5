// index.html: one page that shows every message's picture beside its
// source text, its place in the script and what the checker found in it.
// It is self-contained (styles and the little script inline) and links the
// pictures by relative names, so it works opened from disk.
#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "Finding.h"
#include "PlannedPicture.h"
#include "WindowSettings.h"

namespace quenta::script {

struct PictureState {
    bool drawn = false;   // the picture exists (drawn now or up to date)
    std::string reason;   // why it could not be drawn
};

struct ReviewContent {
    std::string scriptPath;
    WindowSettings window;
    const std::vector<PlannedPicture>* pictures = nullptr;
    const std::vector<PictureState>* states = nullptr;   // one per picture
    const std::vector<Finding>* findings = nullptr;      // in message order
};

void WriteReviewPage(std::ostream& out, const ReviewContent& content);

}  // namespace quenta::script
