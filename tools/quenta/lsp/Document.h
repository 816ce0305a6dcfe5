// One document the client has open: its text (as a script file of its
// form), where its lines start, its settings and what its last check found.
#pragma once

#include <cstdint>
#include <string>

#include "CheckedDocument.h"
#include "DocumentSettings.h"
#include "ScriptFile.h"
#include "TextPositions.h"

namespace quenta::lsp {

struct Document {
    std::string uri;
    int64_t version = 0;
    script::ScriptFile file;  // bytes: the text, always UTF-8 as the protocol carries it
    LineIndex lines;
    DocumentSettings settings;  // settings.check.pictures: the archive's, or null
    CheckedDocument checked;
    std::string error;  // why the text could not be read as its form, or ""
    // The quenta.toml the settings came from, with its time and size, so
    // that a change to it is seen at the next check; "" for none.
    std::string projectStamp = "unread";

    const std::string& Text() const { return file.bytes; }
};

// What every feature is handed: the document, and how the client counts.
struct FeatureContext {
    Document& document;
    PositionEncoding encoding;

    TextPosition At(uint32_t offset) const { return document.lines.At(document.Text(), offset, encoding); }
    uint32_t OffsetOf(TextPosition position) const { return document.lines.OffsetOf(document.Text(), position, encoding); }
};

}  // namespace quenta::lsp
