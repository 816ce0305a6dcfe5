#include "FileReplacement.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace quenta::script {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTemplateEnd = ".XXXXXX";

std::runtime_error Refusal(const std::string& path, const std::string& why) {
    return std::runtime_error("cannot rewrite '" + path + "' in place: " + why);
}

// ".NAME.XXXXXX" as mkstemp fills it in, for the file called `name`.
bool IsTemporaryOf(const std::string& entry, const std::string& name) {
    const std::string start = "." + name + ".";
    if (entry.size() != start.size() + kTemplateEnd.size() - 1 || !entry.starts_with(start)) return false;
    return std::all_of(entry.begin() + static_cast<std::ptrdiff_t>(start.size()), entry.end(),
                       [](unsigned char c) { return std::isalnum(c); });
}

// The leftovers of a run killed while writing: regular files of this user
// only, so that nobody else's file of a like name goes.
void RemoveStaleTemporaries(const fs::path& folder, const std::string& name) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsTemporaryOf(entry->d_name, name)) continue;
        const fs::path stale = folder / entry->d_name;
        struct stat info {};
        if (::lstat(stale.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid()) {
            ::unlink(stale.c_str());
        }
    }
    ::closedir(dir);
}

void WriteAll(int fd, const std::string& bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            throw std::runtime_error(std::strerror(errno));
        }
        written += static_cast<size_t>(n);
    }
}

}  // namespace

std::string ReplaceablePath(const std::string& path) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved) throw Refusal(path, std::strerror(errno));
    const std::string real = resolved;
    std::free(resolved);
    struct stat info {};
    if (::stat(real.c_str(), &info) != 0) throw Refusal(path, std::strerror(errno));
    // A FIFO, a device or a folder would become a regular file.
    if (!S_ISREG(info.st_mode)) throw Refusal(path, "not a regular file");
    // A new file renamed over one of several names would part it from the
    // others.
    if (info.st_nlink > 1) throw Refusal(path, "the file has other names (hard links)");
    // Renaming over a file one may not write would replace another's file
    // with one's own.
    if (::access(real.c_str(), W_OK) != 0) throw Refusal(path, std::strerror(errno));
    if (::access(fs::path(real).parent_path().c_str(), W_OK | X_OK) != 0) {
        throw Refusal(path, std::string("its folder: ") + std::strerror(errno));
    }
    if (info.st_uid != ::geteuid() && ::geteuid() != 0) throw Refusal(path, "it is another user's file, whose owner the new file could not keep");
    return real;
}

void ReplaceFile(const std::string& path, const std::string& bytes) {
    const fs::path target(ReplaceablePath(path));
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0) throw Refusal(path, std::strerror(errno));
    RemoveStaleTemporaries(target.parent_path(), target.filename().string());

    std::string temporary = (target.parent_path() / ("." + target.filename().string() + std::string(kTemplateEnd))).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) throw std::runtime_error("cannot write beside '" + path + "': " + std::strerror(errno));
    int open = fd;
    const auto fail = [&](const std::string& why) {
        if (open >= 0) ::close(open);
        ::unlink(temporary.c_str());
        return std::runtime_error("cannot write '" + path + "': " + why);
    };
    if (::fchmod(fd, info.st_mode & 07777) != 0) throw fail(std::strerror(errno));
    if ((info.st_uid != ::geteuid() || info.st_gid != ::getegid()) && ::fchown(fd, info.st_uid, info.st_gid) != 0) {
        throw fail(std::string("cannot keep its owner: ") + std::strerror(errno));
    }
    try {
        WriteAll(fd, bytes);
    } catch (const std::runtime_error& error) {
        throw fail(error.what());
    }
    if (::fsync(fd) != 0) throw fail(std::strerror(errno));
    open = -1;
    // Some file systems tell of a failed write only at the close.
    if (::close(fd) != 0) throw fail(std::strerror(errno));
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        ::unlink(temporary.c_str());
        throw std::runtime_error("cannot write '" + path + "': " + reason);
    }
}

}  // namespace quenta::script
