#include "layout/TextString.h"

#include <cstring>
#include <new>

namespace quenta::core {

namespace {

int32_t LengthOf(const char* text) {
    return text ? static_cast<int32_t>(std::strlen(text)) : 0;
}

}  // namespace

void TextString::Allocate(const char* bytes, int32_t length) {
    data = length < kInlineSize ? inline_ : new (std::nothrow) char[static_cast<size_t>(length) + 1];
    if (!data) return;  // no buffer: data null, capacity 0
    capacity = length + 1;
    if (length > 0) std::memcpy(data, bytes, static_cast<size_t>(length));
    data[length] = '\0';
}

TextString::TextString(const char* text) { Allocate(text, LengthOf(text)); }

TextString::TextString(const TextString& other) { Allocate(other.data, other.Length()); }

TextString::TextString(TextString&& other) noexcept : data(other.data), capacity(other.capacity) {
    if (other.IsInline()) {
        std::memcpy(inline_, other.inline_, kInlineSize);
        data = inline_;
    }
    other.data = nullptr;
    other.capacity = 0;
}

TextString::~TextString() {
    if (!IsInline()) delete[] data;
    data = nullptr;
    capacity = 0;
}

TextString& TextString::Assign(const char* text) { return Assign(text, LengthOf(text)); }

TextString& TextString::Assign(const char* bytes, int32_t length) {
    if (capacity == 0) return *this;
    if (!bytes || length <= 0) {
        data[0] = '\0';
        return *this;
    }
    if (capacity < length + 1 && IsInline() && length < kInlineSize) {
        capacity = length + 1;  // still fits inside
    } else if (capacity < length + 1) {
        char* grown = new (std::nothrow) char[static_cast<size_t>(length) + 1];
        if (!grown) return *this;  // keep the old contents rather than lose the buffer
        // Copied before the old buffer goes, in case `bytes` lie inside it.
        std::memcpy(grown, bytes, static_cast<size_t>(length));
        grown[length] = '\0';
        if (!IsInline()) delete[] data;
        data = grown;
        capacity = length + 1;
        return *this;
    }
    std::memmove(data, bytes, static_cast<size_t>(length));
    data[length] = '\0';
    return *this;
}

bool TextString::Equals(const char* text) const {
    if (!text) return false;
    const int32_t length = Length();
    if (length != LengthOf(text)) return false;
    return length == 0 || std::memcmp(data, text, static_cast<size_t>(length)) == 0;
}

int32_t TextString::Length() const { return data ? static_cast<int32_t>(std::strlen(data)) : 0; }

}  // namespace quenta::core
