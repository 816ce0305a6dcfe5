#include "StagedFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace quenta::script {

std::filesystem::path StagingPath(const std::filesystem::path& path) {
    return path.parent_path() / ("." + path.filename().string() + "." + std::to_string(getpid()) + ".tmp");
}

std::optional<std::string> StagedName(const std::string& fileName) {
    constexpr std::string_view kEnd = ".tmp";
    if (fileName.size() < 1 + kEnd.size() || fileName[0] != '.' || !fileName.ends_with(kEnd)) return std::nullopt;
    const std::string inner = fileName.substr(1, fileName.size() - 1 - kEnd.size());  // <name>.<pid>
    const size_t dot = inner.rfind('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == inner.size()) return std::nullopt;
    if (!std::all_of(inner.begin() + static_cast<std::ptrdiff_t>(dot) + 1, inner.end(),
                     [](unsigned char c) { return std::isdigit(c); })) {
        return std::nullopt;
    }
    return inner.substr(0, dot);
}

StagedFile::StagedFile(std::filesystem::path path) : path_(std::move(path)), temporary_(StagingPath(path_)) {
    const int fd = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int reason = errno;
        throw render::WriteError("cannot write '" + temporary_.string() + "': " + std::strerror(reason), reason);
    }
    out_ = std::make_unique<render::CheckedOutput>(fd, "'" + temporary_.string() + "'", true);
}

StagedFile::~StagedFile() {
    if (committed_) return;
    out_.reset();
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
}

void StagedFile::Flush() {
    out_->Stream().flush();
    if (out_->Error() != 0) {
        throw render::WriteError("cannot write '" + temporary_.string() + "': " + std::strerror(out_->Error()),
                                 out_->Error());
    }
}

void StagedFile::Commit() {
    out_->Finish();
    std::error_code error;
    std::filesystem::rename(temporary_, path_, error);
    if (error) {
        throw render::WriteError("cannot write '" + path_.string() + "': " + error.message(), error.value());
    }
    committed_ = true;
}

}  // namespace quenta::script
