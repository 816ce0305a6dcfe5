// The protocol's base layer on a byte stream: each message a header of
// "Name: value" lines (only Content-Length is read) and a blank line, then
// that many bytes of JSON.
#pragma once

#include <cstddef>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

namespace quenta::lsp {

enum class FrameStatus {
    kMessage,    // body holds the message
    kEnd,        // the stream ended between messages
    kTooLarge,   // a message over the limit, read past and dropped
    kBadHeader,  // no way to tell where the next message starts
};

struct Frame {
    FrameStatus status = FrameStatus::kEnd;
    std::string body;
};

class FrameReader {
public:
    // `in` is lent. A message longer than `limit` bytes is dropped.
    FrameReader(std::istream& in, size_t limit) : in_(in), limit_(limit) {}
    Frame Next();

private:
    std::istream& in_;
    size_t limit_;
};

// False when the stream can no longer be written (the client went away).
bool WriteFrame(std::ostream& out, std::string_view body);

}  // namespace quenta::lsp
