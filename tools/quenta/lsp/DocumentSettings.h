// What the server checks a document with: the window, the script's form,
// the checks, and the editor's own choices (formatting, inlay hints).
// Taken from the client's initialization options and workspace
// configuration (the "quenta" section), over the defaults.
#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json_fwd.hpp>

#include "ScriptChecker.h"

namespace quenta::lsp {

enum class InlayHintMode { kAll, kNear, kNone };

struct DocumentSettings {
    script::CheckSettings check;  // its pictures stay null: the server lends the archive's
    std::string form;             // "" from the document's name, else text, csv, tsv or po
    std::string column;           // CSV and TSV: the column of the messages
    bool includeFuzzy = false;
    std::string archive;          // the pictures' folder or ZIP file; "" for none
    bool formatting = false;      // textDocument/formatting wraps, when asked for
    InlayHintMode inlayHints = InlayHintMode::kAll;
    int32_t nearPercent = 90;     // kNear: lines at least this wide, of the window
};

// `options` over `base`. A value of the wrong kind is left out, with what
// was wrong added to `problems` for the writer to see.
DocumentSettings SettingsFrom(const nlohmann::json& options, DocumentSettings base, std::string& problems);

}  // namespace quenta::lsp
