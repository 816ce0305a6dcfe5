// The style a message starts in, written as tags: handed to a parser or a
// renderer in the default style, it brings back the switches, the values in
// force and every saved value, so that one message can be laid out or drawn
// as a host shows it without the messages before it being read again.
#pragma once

#include <string>

#include "markup/MarkupParser.h"

namespace quenta::script {

// Empty for the default style. Every saved-value stack holds the default at
// its bottom (a stack is only pushed onto, and emptied back to the default),
// so each stack is rebuilt by opening its saved values above the bottom and
// then the value in force.
std::string StyleInForce(const core::MarkupParser& parser);

}  // namespace quenta::script
