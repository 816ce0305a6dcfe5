#include "MessageFraming.h"

#include <charconv>
#include <vector>

namespace quenta::lsp {

namespace {

// A header line longer than this is no header of the protocol's.
constexpr size_t kLongestHeaderLine = 4096;

// One header line without its line break; false at the end of the stream
// or for a line too long.
bool ReadHeaderLine(std::istream& in, std::string& line, bool& ended) {
    line.clear();
    ended = false;
    for (;;) {
        const int c = in.get();
        if (c == std::char_traits<char>::eof()) {
            ended = true;
            return false;
        }
        if (c == '\n') break;
        if (line.size() >= kLongestHeaderLine) return false;
        line += static_cast<char>(c);
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

bool NameIs(std::string_view line, std::string_view name) {
    if (line.size() <= name.size() || line[name.size()] != ':') return false;
    for (size_t i = 0; i < name.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(line[i])) != std::tolower(static_cast<unsigned char>(name[i]))) return false;
    }
    return true;
}

}  // namespace

Frame FrameReader::Next() {
    Frame frame;
    std::string line;
    bool ended = false;
    bool any = false;
    bool haveLength = false;
    size_t length = 0;
    for (;;) {
        if (!ReadHeaderLine(in_, line, ended)) {
            frame.status = ended && !any ? FrameStatus::kEnd : FrameStatus::kBadHeader;
            return frame;
        }
        if (line.empty()) {
            if (!any) continue;  // blank lines between messages
            break;
        }
        any = true;
        if (NameIs(line, "Content-Length")) {
            std::string_view value(line);
            value.remove_prefix(sizeof "Content-Length:" - 1);
            while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
            while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), length);
            if (error != std::errc() || end != value.data() + value.size()) {
                frame.status = FrameStatus::kBadHeader;
                return frame;
            }
            haveLength = true;
        }
    }
    if (!haveLength) {
        frame.status = FrameStatus::kBadHeader;
        return frame;
    }
    if (length > limit_) {
        // Read past it in pieces, so that its size costs no memory.
        std::vector<char> piece(64 * 1024);
        size_t left = length;
        while (left > 0 && in_) {
            in_.read(piece.data(), static_cast<std::streamsize>(std::min(left, piece.size())));
            left -= static_cast<size_t>(in_.gcount());
            if (in_.gcount() == 0) break;
        }
        frame.status = left == 0 ? FrameStatus::kTooLarge : FrameStatus::kBadHeader;
        return frame;
    }
    frame.body.resize(length);
    in_.read(frame.body.data(), static_cast<std::streamsize>(length));
    if (static_cast<size_t>(in_.gcount()) != length) {
        frame.status = FrameStatus::kBadHeader;  // cut off: the client went away mid-message
        frame.body.clear();
        return frame;
    }
    frame.status = FrameStatus::kMessage;
    return frame;
}

bool WriteFrame(std::ostream& out, std::string_view body) {
    out << "Content-Length: " << body.size() << "\r\n\r\n";
    out.write(body.data(), static_cast<std::streamsize>(body.size()));
    out.flush();
    return static_cast<bool>(out);
}

}  // namespace quenta::lsp
