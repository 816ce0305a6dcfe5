// The checks on one laid-out message: what its tags did, what it left
// open, and whether it fits the window.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "LaidOutMessage.h"
#include "MessageFinding.h"
#include "MessageLayout.h"
#include "WindowSettings.h"

namespace quenta::script {

// Shows a piece of the message's text to a writer: code page 932 to UTF-8.
using ShowText = std::function<std::string(std::string_view)>;

// `pictures`, when it can tell (a PictureProblems), says why a picture that
// is there cannot be used.
void CheckTags(const std::string& text, const LaidOutMessage& laid, const ShowText& show, std::vector<MessageFinding>& out,
               core::PictureSizes* pictures = nullptr);

void CheckLeftOpen(const LaidOutMessage& laid, const MessageLayout::OpenState& before,
                   const MessageLayout::OpenState& after, const std::string& text, const ShowText& show,
                   std::vector<MessageFinding>& out);

void CheckFit(const LaidOutMessage& laid, const WindowSettings& window, std::vector<MessageFinding>& out);

}  // namespace quenta::script
