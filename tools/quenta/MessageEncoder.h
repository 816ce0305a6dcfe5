// Turns a message's source bytes into the code page 932 text the parser
// reads, keeping each byte's file offset. Every character code page 932
// cannot hold is recorded, with the nearest one it can hold, and stands in
// the text as a full-width question mark so that the rest still lays out.
#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

#include "ScriptEncoding.h"
#include "ScriptMessage.h"
#include "SourceText.h"

namespace quenta::script {

class MessageEncoder {
public:
    explicit MessageEncoder(ScriptEncoding encoding);
    MessageEncoder(const MessageEncoder&) = delete;
    MessageEncoder& operator=(const MessageEncoder&) = delete;
    ~MessageEncoder();

    // Fills message.text, origin and unencodable; keeps message.number.
    void Encode(const SourceText& source, ScriptMessage& message);

    // The nearest character sequence (UTF-8) that code page 932 holds, or "".
    std::string Suggest(char32_t codePoint);

    // Code page 932 text as UTF-8, to show it to a writer; a byte that is no
    // character shows as U+FFFD.
    std::string Show(std::string_view cp932);

private:
    bool Convertible(const std::string& utf8);
    void EncodeUtf8(const SourceText& source, ScriptMessage& message);

    ScriptEncoding encoding_;
    iconv_t toCp932_;
    iconv_t fromCp932_;
};

}  // namespace quenta::script
