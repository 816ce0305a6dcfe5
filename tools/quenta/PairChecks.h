// The checks between a translation and its source, both read by the
// module's parser: the same tags with the same arguments (a multiset: word
// order may move them; the break tag not counted unless asked, as wrapping
// changes it), the same pictures, the same styles left open at the end, and
// a translation that is its Japanese source unchanged.
#pragma once

#include <string>
#include <vector>

#include "LaidOutMessage.h"
#include "MessageChecks.h"
#include "MessageFinding.h"
#include "MessageLayout.h"

namespace quenta::script {

// One text of a pair: its code page 932 text, its tags as the parser told
// them, and what was open before and after it in its own run of messages.
struct PairSide {
    const std::string& text;
    const LaidOutMessage& laid;
    MessageLayout::OpenState before;
    MessageLayout::OpenState after;
};

struct PairSettings {
    bool countBreaks = false;  // compare <R> too
    // Check each source as a translation is checked (its markup, its
    // characters, its fit in the window): a source already over the
    // window is a problem for every language.
    bool checkSource = false;
};

// Findings at offsets into the translation's text, each with the source
// offset where its other half stands (0, the source's start, when there is
// none). A style left open is reported where the difference starts: the
// sides' open depths agreed before the message and differ after it.
void ComparePair(const PairSide& source, const PairSide& translation, const PairSettings& settings,
                 const ShowText& show, std::vector<MessageFinding>& out);

// True for the checks that compare a translation with its source.
bool ComparesWithSource(Check check);

// True when the code page 932 text holds kana or kanji.
bool HoldsJapanese(const std::string& cp932);

}  // namespace quenta::script
