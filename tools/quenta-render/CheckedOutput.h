// An output whose every write is checked through to the close: a full disk,
// a closed pipe or a file past its size limit is an error carrying the
// system's reason, never a short file reported as success.
#pragma once

#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "ToolError.h"

namespace quenta::render {

// A write that failed, with the system's errno: a caller can tell a full
// disk from other failures.
class WriteError : public ToolError {
public:
    WriteError(const std::string& message, int error) : ToolError(message), error_(error) {}
    int Errno() const { return error_; }
    // No space, no quota or past the size limit: room might be made.
    bool NoRoom() const;

private:
    int error_;
};

class CheckedOutput : private std::streambuf {
public:
    // Writes to descriptor `fd`, called `name` in errors ("standard
    // output", "'out.po'"); Finish closes it when `closeAtEnd`.
    CheckedOutput(int fd, std::string name, bool closeAtEnd);
    CheckedOutput(const CheckedOutput&) = delete;
    CheckedOutput& operator=(const CheckedOutput&) = delete;
    // Without Finish, closes without a word: the caller is failing already.
    ~CheckedOutput() override;

    std::ostream& Stream() { return stream_; }
    void Write(const void* bytes, size_t size);

    // Writes what is held and closes; throws a WriteError ("cannot write to
    // standard output: No space left on device") when any write failed.
    void Finish();

    // The first failed write's errno; 0 while all went well.
    int Error() const { return error_; }

private:
    int overflow(int c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;
    bool Drain();
    void WriteThrough(const char* bytes, size_t size);

    int fd_;
    std::string name_;
    bool closeAtEnd_;
    bool closed_ = false;
    int error_ = 0;
    std::vector<char> buffer_;
    std::ostream stream_;
};

}  // namespace quenta::render
