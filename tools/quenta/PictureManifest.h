// The output folder's record of what each picture was drawn from, so that
// a rerun draws only the messages whose text or settings changed. A small
// file beside the pictures, one JSON line per picture in message order, so
// that it is read and written as the script is, a message at a time, and
// never held whole.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "StagedFile.h"

namespace quenta::script {

inline constexpr const char* kManifestFileName = ".quenta-pictures.jsonl";

struct ManifestEntry {
    int32_t number = 0;  // the message's
    std::string name;    // its picture's file name, in the output folder
    std::string key;     // what it was drawn from
};

// Reads a folder's manifest an entry at a time. A missing, unreadable or
// foreign manifest reads as empty (everything is drawn); a line that is no
// entry, or names anything but a picture in the folder itself, is skipped.
class ManifestReader {
public:
    explicit ManifestReader(const std::filesystem::path& folder);

    // The next entry; false at the end.
    bool Next(ManifestEntry& entry);

    // The entry of message `number`, or null. Asked for in increasing
    // order, as the script's messages come.
    const ManifestEntry* Find(int32_t number);

private:
    std::ifstream in_;
    ManifestEntry ahead_;  // the entry read but not yet passed by Find
    bool haveAhead_ = false;
    bool ended_ = false;
};

// Writes a manifest under a temporary name; Commit renames it over the old
// one. Without Commit the old one stays as it was.
class ManifestWriter {
public:
    // Throws std::runtime_error when the folder cannot be written.
    explicit ManifestWriter(const std::filesystem::path& folder);

    // Entries go in message order.
    void Add(const ManifestEntry& entry);
    // Throws std::runtime_error when the file cannot be written.
    void Commit();

private:
    StagedFile file_;
};

}  // namespace quenta::script
