// Each message of a script as a picture to draw, a message at a time in
// file order, so that a script of any length is planned in the same memory.
#pragma once

#include <functional>
#include <string>

#include "MessageEncoder.h"
#include "PictureNames.h"
#include "PlannedPicture.h"
#include "ScriptFile.h"
#include "ScriptMessage.h"
#include "SourcePlaces.h"
#include "SourceText.h"

namespace quenta::script {

class PicturePlanner {
public:
    // `settings` is everything besides the text that shapes a picture; it
    // goes into each picture's key. The file must outlive the planner.
    PicturePlanner(const ScriptFile& file, const PictureNames& names, std::string settings);

    // The picture of a message that a reader found and an encoder encoded.
    // Asked for in file order; valid until the next call.
    const PlannedPicture& Plan(const SourceText& source, const ScriptMessage& message);

private:
    const ScriptFile& file_;
    const PictureNames& names_;
    std::string settings_;
    SourcePlaces places_;
    MessageEncoder shower_;
    PlannedPicture picture_;
};

// Reads the script and hands each message's picture to `visit`, in file
// order. Throws std::runtime_error as ReadMessages does.
void ForEachPicture(const ScriptFile& file, const PictureNames& names, const std::string& settings,
                    const std::function<void(const PlannedPicture&)>& visit);

// A short, stable digest of the bytes (hexadecimal).
std::string ContentKey(const std::string& bytes);

}  // namespace quenta::script
