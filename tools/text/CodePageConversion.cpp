#include "CodePageConversion.h"

#include <iconv.h>

#include <cerrno>

namespace quenta::text {

namespace {

Conversion Convert(const std::string& input, const char* to, const char* from) {
    Conversion result;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        result.outcome = Conversion::Outcome::kNoConverter;
        return result;
    }
    std::string& out = result.text;
    out.resize(input.size() + 16);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char* dest = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &dest, &outLeft) != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) {
            const size_t used = out.size() - outLeft;
            out.resize(out.size() * 2);
            dest = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        // EILSEQ and EINVAL: a sequence iconv cannot take stands at `in`.
        result.outcome = Conversion::Outcome::kRejected;
        result.rejectedAt = static_cast<size_t>(in - input.data());
        break;
    }
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return result;
}

}  // namespace

Conversion Utf8ToCp932(const std::string& utf8) { return Convert(utf8, "CP932", "UTF-8"); }

Conversion Cp932ToUtf8(const std::string& cp932) { return Convert(cp932, "UTF-8", "CP932"); }

Conversion Utf16ToUtf8(const std::string& utf16) { return Convert(utf16, "UTF-8", "UTF-16"); }

Conversion Recode(const std::string& input, const std::string& to, const std::string& from) {
    return Convert(input, to.c_str(), from.c_str());
}

}  // namespace quenta::text
