// index.html: one page that shows every message's picture beside its
// source text, its place in the script and what the checker found in it.
// It is self-contained (styles and the little script inline) and links the
// pictures by relative names, so it works opened from disk.
//
// Messages are added one at a time and go straight to a file, so that the
// page of a long script is never held whole; the summary at its top is
// written last, in front of them, when the page is finished.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "Finding.h"
#include "PlannedPicture.h"
#include "StagedFile.h"
#include "WindowSettings.h"

namespace quenta::script {

// The source a message translates, as a translator reads it beside the
// translation: its text and what the file says about it. UTF-8.
struct ReviewedOriginal {
    std::string text;
    std::string id;        // an XLIFF unit's id; a CSV row's number
    std::string context;   // PO msgctxt, XLIFF context
    std::string comments;  // PO extracted comments, XLIFF notes
};

struct PictureState {
    bool drawn = false;   // the picture exists (drawn now or up to date)
    std::string reason;   // why it could not be drawn
};

class ReviewPage {
public:
    // Nothing is written at `path` until Finish; without it, the page that
    // was there stays. Throws std::runtime_error when the folder cannot be
    // written.
    ReviewPage(std::filesystem::path path, std::string scriptPath, WindowSettings window);
    // Messages go in order; `findings` are the message's, in place order;
    // `original`, when the script holds one, its source.
    void Add(const PlannedPicture& picture, const PictureState& state, const std::vector<Finding>& findings,
             const ReviewedOriginal* original = nullptr);

    // Writes the page under a temporary name and renames it over the old
    // one; throws std::runtime_error when it cannot.
    void Finish();

private:
    std::filesystem::path path_;
    std::string scriptPath_;
    WindowSettings window_;
    // The messages, written as they are added; never committed, the page is
    // made from them.
    StagedFile messages_;
    size_t count_ = 0;
    size_t drawn_ = 0;
    size_t originals_ = 0;  // messages with a source
    std::array<size_t, 3> byLevel_{};
};

}  // namespace quenta::script
