// What a run does with the pictures an earlier run left, before it draws
// anything.
#pragma once

#include <filesystem>
#include <vector>

#include "PictureNames.h"

namespace quenta::script {

// Removes the pictures of messages the script no longer has (it got
// shorter, or the names changed), but only those the manifest says this
// tool drew; and rewrites the manifest to hold the pictures kept as they
// are (`toDraw[n - 1]` false for message n) and, with no key, the ones
// about to be drawn. A run killed before it finishes then leaves no
// manifest line vouching for a picture it was redrawing, and every picture
// it drew is still known as this tool's. Throws std::runtime_error when the manifest cannot be written.
void SettleOldPictures(const std::filesystem::path& folder, const PictureNames& names, const std::vector<bool>& toDraw);

}  // namespace quenta::script
