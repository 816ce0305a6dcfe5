#include "CheckedOutput.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>


namespace quenta::render {

namespace {
constexpr size_t kBufferSize = 64 * 1024;
}  // namespace

bool WriteError::NoRoom() const { return error_ == ENOSPC || error_ == EDQUOT || error_ == EFBIG; }

CheckedOutput::CheckedOutput(int fd, std::string name, bool closeAtEnd)
    : fd_(fd), name_(std::move(name)), closeAtEnd_(closeAtEnd), buffer_(kBufferSize), stream_(this) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

CheckedOutput::~CheckedOutput() {
    if (closeAtEnd_ && !closed_) ::close(fd_);
}

void CheckedOutput::WriteThrough(const char* bytes, size_t size) {
    // After one failure nothing more is written: the output is lost already,
    // and the first reason is the one to tell.
    while (size > 0 && error_ == 0) {
        const ssize_t n = ::write(fd_, bytes, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error_ = n < 0 ? errno : EIO;
            break;
        }
        bytes += n;
        size -= static_cast<size_t>(n);
    }
}

bool CheckedOutput::Drain() {
    WriteThrough(pbase(), static_cast<size_t>(pptr() - pbase()));
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return error_ == 0;
}

int CheckedOutput::overflow(int c) {
    if (!Drain()) return traits_type::eof();
    if (c != traits_type::eof()) {
        *pptr() = static_cast<char>(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

std::streamsize CheckedOutput::xsputn(const char* s, std::streamsize n) {
    const auto size = static_cast<size_t>(n);
    if (size <= static_cast<size_t>(epptr() - pptr())) {
        std::memcpy(pptr(), s, size);
        pbump(static_cast<int>(n));
        return n;
    }
    if (!Drain()) return 0;
    if (size < buffer_.size()) {
        std::memcpy(pptr(), s, size);
        pbump(static_cast<int>(n));
    } else {
        WriteThrough(s, size);
    }
    return error_ == 0 ? n : 0;
}

int CheckedOutput::sync() { return Drain() ? 0 : -1; }

void CheckedOutput::Write(const void* bytes, size_t size) {
    stream_.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
}

void CheckedOutput::Finish() {
    Drain();
    if (closeAtEnd_ && !closed_) {
        closed_ = true;
        // Some file systems tell of a failed write only at the close.
        if (::close(fd_) != 0 && error_ == 0) error_ = errno;
    }
    if (error_ != 0) throw WriteError("cannot write " + name_ + ": " + std::strerror(error_), error_);
}

}  // namespace quenta::render
