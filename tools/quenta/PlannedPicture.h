// One message of a script on its way to a picture: what the module draws,
// what the review page shows beside it, and the file it goes to.
#pragma once

#include <cstdint>
#include <string>

#include "SourcePlaces.h"

namespace quenta::script {

struct PlannedPicture {
    int32_t number = 0;   // the message's, from 1
    std::string text;     // code page 932 with tags, as the module gets it
    std::string styleBefore;  // tags bringing back the style it starts in; "" for the default
    std::string source;   // the message as written in the file, UTF-8
    SourcePlace place;    // where it starts in the file
    std::string name;     // the picture's file name in the output folder
    std::string key;      // changes whenever the picture would
};

}  // namespace quenta::script
