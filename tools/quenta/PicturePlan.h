// Every message of a script as a picture to draw, in file order.
#pragma once

#include <string>
#include <vector>

#include "PictureNames.h"
#include "PlannedPicture.h"
#include "ScriptFile.h"

namespace quenta::script {

// `settings` is everything besides the text that shapes a picture; it goes
// into each picture's key. Throws std::runtime_error when the file is not
// of its form.
std::vector<PlannedPicture> PlanPictures(const ScriptFile& file, const PictureNames& names, const std::string& settings);

// A short, stable digest of the bytes (hexadecimal).
std::string ContentKey(const std::string& bytes);

}  // namespace quenta::script
