// The module's own owning byte string. Holds Shift-JIS or ASCII bytes, every
// length in bytes; callers read `data` directly and may write within
// `capacity`. The buffer only grows after construction. A buffer of up to
// four bytes (any one character and its NUL) lies inside the string itself,
// so the one-character runs of a parsed text allocate nothing.
#pragma once

#include <cstdint>

namespace quenta::core {

class TextString {
public:
    explicit TextString(const char* text = nullptr);
    TextString(const TextString& other);
    TextString(TextString&& other) noexcept;
    ~TextString();

    TextString& operator=(const TextString&) = delete;
    TextString& operator=(TextString&&) = delete;

    // Replaces the contents; keeps the buffer when it is large enough.
    TextString& Assign(const char* text);
    // Replaces the contents with `length` bytes that need not end in NUL.
    TextString& Assign(const char* bytes, int32_t length);
    bool Equals(const char* text) const;
    int32_t Length() const;

    char* data = nullptr;     // contents, then NUL; null only when no buffer was had
    int32_t capacity = 0;     // buffer size including the NUL

private:
    static constexpr int32_t kInlineSize = 4;

    void Allocate(const char* bytes, int32_t length);
    bool IsInline() const { return data == inline_; }

    char inline_[kInlineSize] = {};  // fills what would be padding after `capacity`
};

}  // namespace quenta::core
