#include "MessageEncoder.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <stdexcept>

#include "ScriptError.h"
#include "quenta/CharacterBytes.h"

namespace quenta::script {

namespace {

constexpr char kStandIn[] = "\x81\x48";  // full-width "?"

// The length of the UTF-8 character at p and its code point; 1 and the byte
// itself where no well-formed character starts (overlong forms, surrogates
// and code points past U+10FFFF included).
size_t Utf8Character(const unsigned char* p, size_t left, char32_t& cp) {
    int32_t length = 0;
    UChar32 c = 0;
    U8_NEXT(p, length, static_cast<int32_t>(std::min<size_t>(left, 4)), c);
    if (c < 0) {
        cp = p[0];
        return 1;
    }
    cp = static_cast<char32_t>(c);
    return static_cast<size_t>(length);
}

std::string ToUtf8(const icu::UnicodeString& text) {
    std::string out;
    text.toUTF8String(out);
    return out;
}

}  // namespace

MessageEncoder::MessageEncoder(ScriptEncoding encoding)
    : encoding_(encoding), toCp932_(iconv_open("CP932", "UTF-8")), fromCp932_(iconv_open("UTF-8", "CP932")) {
    if (toCp932_ == reinterpret_cast<iconv_t>(-1) || fromCp932_ == reinterpret_cast<iconv_t>(-1)) {
        if (toCp932_ != reinterpret_cast<iconv_t>(-1)) iconv_close(toCp932_);
        if (fromCp932_ != reinterpret_cast<iconv_t>(-1)) iconv_close(fromCp932_);
        throw MissingResource("this system's iconv cannot convert between UTF-8 and code page 932");
    }
}

MessageEncoder::~MessageEncoder() {
    iconv_close(toCp932_);
    iconv_close(fromCp932_);
}

std::string MessageEncoder::Show(std::string_view cp932) {
    std::string out;
    size_t i = 0;
    char buffer[16];
    while (i < cp932.size()) {
        const auto lead = static_cast<unsigned char>(cp932[i]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        const size_t length = std::min<size_t>(OpensPair(lead) ? 2 : 1, cp932.size() - i);
        char* in = const_cast<char*>(cp932.data() + i);
        size_t inLeft = length;
        char* dest = buffer;
        size_t outLeft = sizeof buffer;
        iconv(fromCp932_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(fromCp932_, &in, &inLeft, &dest, &outLeft) == static_cast<size_t>(-1)) {
            out += "\xEF\xBF\xBD";
        } else {
            out.append(buffer, sizeof buffer - outLeft);
        }
        i += length;
    }
    return out;
}

void MessageEncoder::Encode(const SourceText& source, ScriptMessage& message) {
    message.Clear();
    if (encoding_ == ScriptEncoding::kCp932) {
        message.text = source.bytes;
        message.origin = source.origin;
    } else {
        EncodeUtf8(source, message);
    }
    // The module reads up to a NUL and no further: the message ends there,
    // as the host's would.
    uint32_t end = source.end;
    if (const size_t nul = message.text.find('\0'); nul != std::string::npos) {
        end = message.origin[nul];
        message.unencodable.push_back({end, 0, ""});
        message.text.resize(nul);
        message.origin.resize(nul);
    }
    message.origin.push_back(end);
}

void MessageEncoder::EncodeUtf8(const SourceText& source, ScriptMessage& message) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(source.bytes.data());
    const size_t size = source.bytes.size();
    message.text.reserve(size);
    message.origin.reserve(size);
    size_t i = 0;
    while (i < size) {
        // ASCII is the same in both encodings.
        if (bytes[i] < 0x80) {
            size_t stop = i + 1;
            while (stop < size && bytes[stop] < 0x80) ++stop;
            message.text.append(source.bytes, i, stop - i);
            message.origin.insert(message.origin.end(), source.origin.begin() + static_cast<std::ptrdiff_t>(i),
                                  source.origin.begin() + static_cast<std::ptrdiff_t>(stop));
            i = stop;
            continue;
        }
        // A stretch of other characters goes through iconv at once; each of
        // its characters gives exactly one code page 932 character.
        size_t stop = i;
        while (stop < size && bytes[stop] >= 0x80) ++stop;
        const size_t before = message.text.size();
        message.text.resize(before + (stop - i) + 4);
        char* in = const_cast<char*>(source.bytes.data()) + i;
        size_t inLeft = stop - i;
        char* out = message.text.data() + before;
        size_t outLeft = message.text.size() - before;
        iconv(toCp932_, nullptr, nullptr, nullptr, nullptr);
        const bool complete = iconv(toCp932_, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1);
        const size_t converted = static_cast<size_t>(out - (message.text.data() + before));
        message.text.resize(before + converted);
        // Map the converted characters to their sources.
        size_t from = i;
        for (size_t o = before; o < message.text.size();) {
            char32_t cp = 0;
            const size_t inLength = Utf8Character(bytes + from, size - from, cp);
            const size_t outLength = (OpensPair(static_cast<unsigned char>(message.text[o])) ? 2u : 1u);
            for (size_t k = 0; k < outLength; ++k) message.origin.push_back(source.origin[from]);
            o += outLength;
            from += inLength;
        }
        i = static_cast<size_t>(in - source.bytes.data());
        if (complete) continue;
        // A character iconv cannot take: record it and stand in for it.
        char32_t cp = 0;
        const size_t length = Utf8Character(bytes + i, size - i, cp);
        const bool valid = length > 1 || bytes[i] < 0x80;
        message.unencodable.push_back({source.origin[i], valid ? cp : kNotUtf8 + bytes[i], valid ? Suggest(cp) : ""});
        message.text += kStandIn;
        message.origin.push_back(source.origin[i]);
        message.origin.push_back(source.origin[i]);
        i += length;
    }
}

bool MessageEncoder::Convertible(const std::string& utf8) {
    if (utf8.empty()) return false;
    std::string buffer(utf8.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* out = buffer.data();
    size_t outLeft = buffer.size();
    iconv(toCp932_, nullptr, nullptr, nullptr, nullptr);
    return iconv(toCp932_, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1);
}

std::string MessageEncoder::Suggest(char32_t codePoint) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString original(static_cast<UChar32>(codePoint));
    // The compatibility form: full-width and ligature variants, circled
    // forms and the like.
    if (const icu::Normalizer2* nfkc = icu::Normalizer2::getNFKCInstance(status); U_SUCCESS(status)) {
        const std::string folded = ToUtf8(nfkc->normalize(original, status));
        if (U_SUCCESS(status) && folded != ToUtf8(original) && Convertible(folded)) return folded;
    }
    // The code page's own best-fit mappings, as Windows applies them.
    status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, void (*)(UConverter*)> converter(ucnv_open("windows-932", &status), ucnv_close);
    if (U_SUCCESS(status)) {
        ucnv_setFallback(converter.get(), true);
        ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
        char bytes[8];
        const UChar32 c = static_cast<UChar32>(codePoint);
        UChar units[2];
        int32_t count = 0;
        [[maybe_unused]] UBool error = false;
        U16_APPEND(units, count, 2, c, error);
        const int32_t written = ucnv_fromUChars(converter.get(), bytes, sizeof bytes, units, count, &status);
        if (U_SUCCESS(status) && written > 0) {
            UChar back[4];
            status = U_ZERO_ERROR;
            const int32_t length = ucnv_toUChars(converter.get(), back, 4, bytes, written, &status);
            const std::string fitted = ToUtf8(icu::UnicodeString(back, length));
            if (U_SUCCESS(status) && fitted != ToUtf8(original) && Convertible(fitted)) return fitted;
        }
    }
    // The letter without its accents.
    status = U_ZERO_ERROR;
    if (const icu::Normalizer2* nfkd = icu::Normalizer2::getNFKDInstance(status); U_SUCCESS(status)) {
        const icu::UnicodeString split = nfkd->normalize(original, status);
        icu::UnicodeString bare;
        for (int32_t k = 0; k < split.length(); k = split.moveIndex32(k, 1)) {
            const UChar32 c = split.char32At(k);
            if (u_charType(c) != U_NON_SPACING_MARK) bare.append(c);
        }
        const std::string plain = ToUtf8(bare);
        if (U_SUCCESS(status) && plain != ToUtf8(original) && Convertible(plain)) return plain;
    }
    return "";
}

}  // namespace quenta::script
