#include "FileReplacement.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace quenta::script {

void ReplaceFile(const std::string& path, const std::string& bytes) {
    const std::filesystem::path target(path);
    std::string temporary = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(temporary.data());
    if (fd < 0) throw std::runtime_error("cannot write beside '" + path + "': " + std::strerror(errno));
    struct stat info {};
    if (stat(path.c_str(), &info) == 0) fchmod(fd, info.st_mode & 07777);
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n <= 0) break;
        written += static_cast<size_t>(n);
    }
    const bool ok = written == bytes.size() && fsync(fd) == 0;
    close(fd);
    if (!ok || std::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        std::remove(temporary.c_str());
        throw std::runtime_error("cannot write '" + path + "': " + reason);
    }
}

}  // namespace quenta::script
