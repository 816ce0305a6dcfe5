// The cursor over a marked-up Shift-JIS text. It never copies the text and
// never skips anything: every byte is consumed by one of its operations or
// handed on as text.
#pragma once

#include <cstdint>

#include "layout/TextString.h"

namespace quenta::core {

class MarkupScanner {
public:
    void SetInput(const char* text) { position_ = text; }
    // One character: one byte, or two when the first opens a pair (a byte
    // from 0x80 up that is no half-width katakana).
    bool NextChar(TextString& piece);
    // The longest run of '/' and 'A'..'Z'; false (nothing consumed) when
    // empty. True with an empty name when the run could not be stored.
    bool ReadTagName(TextString& name);
    // The longest run of decimal digits; false (nothing consumed) when there
    // is none or its value does not fit a signed 32-bit integer.
    bool ReadNumber(int32_t& value);
    // Takes one character when it equals `literal`; otherwise consumes nothing.
    bool Expect(const char* literal);

    const char* Position() const { return position_; }

private:
    const char* position_ = nullptr;
    TextString scratch_;
};

}  // namespace quenta::core
