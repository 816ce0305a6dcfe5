// A file of the output folder written under a temporary name beside its
// place and renamed into it when complete, so that a reader finds the old
// file or the new, never a part. The temporary names follow one pattern, so
// that a later run can tell the leftovers of an interrupted one.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "CheckedOutput.h"

namespace quenta::script {

// ".<name>.<pid>.tmp" beside `path`.
std::filesystem::path StagingPath(const std::filesystem::path& path);

// The name a staging file name stands for, whichever process made it; none
// when `fileName` is not one.
std::optional<std::string> StagedName(const std::string& fileName);

class StagedFile {
public:
    // Throws a quenta::render::WriteError when the temporary cannot be made.
    explicit StagedFile(std::filesystem::path path);
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;
    // Without Commit, the temporary goes and the file that was there stays.
    ~StagedFile();

    std::ostream& Out() { return out_->Stream(); }
    // Writes what is held; throws a WriteError when any write failed.
    void Flush();
    const std::filesystem::path& Temporary() const { return temporary_; }

    // Renames the temporary over the file; throws a WriteError (a
    // std::runtime_error) with the system's reason.
    void Commit();

private:
    std::filesystem::path path_;
    std::filesystem::path temporary_;
    std::unique_ptr<render::CheckedOutput> out_;
    bool committed_ = false;
};

}  // namespace quenta::script
