// The call log and behaviour switches that the sibling doubles share with the
// tests. A plain C interface, so that one log serves every double module in
// the process, whichever runtime each was linked with.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#if defined(_WIN32)
#if defined(QUENTA_RECORDER_BUILD)
#define QUENTA_RECORDER_API extern "C" __declspec(dllexport)
#else
#define QUENTA_RECORDER_API extern "C" __declspec(dllimport)
#endif
#else
#define QUENTA_RECORDER_API extern "C" __attribute__((visibility("default")))
#endif

QUENTA_RECORDER_API void RecordCall(const char* line);
QUENTA_RECORDER_API int32_t CallCount();
QUENTA_RECORDER_API const char* CallAt(int32_t index);
QUENTA_RECORDER_API void ClearCalls();
QUENTA_RECORDER_API void SetSetting(const char* key, int32_t value);
QUENTA_RECORDER_API int32_t GetSetting(const char* key, int32_t fallback);
QUENTA_RECORDER_API void ClearSettings();

namespace quenta::testing {

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
inline void Record(const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    RecordCall(line);
}

inline std::vector<std::string> Calls() {
    std::vector<std::string> calls;
    for (int32_t i = 0; i < CallCount(); ++i) calls.emplace_back(CallAt(i));
    return calls;
}

// The calls whose text starts with `prefix`, in order.
inline std::vector<std::string> CallsStartingWith(const std::string& prefix) {
    std::vector<std::string> calls;
    for (const auto& call : Calls()) {
        if (call.rfind(prefix, 0) == 0) calls.push_back(call);
    }
    return calls;
}

// Shift-JIS or ASCII bytes as readable text: printable ASCII as is, the rest
// as \xNN.
inline std::string Printable(const char* bytes) {
    std::string out;
    for (const char* p = bytes ? bytes : ""; *p; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

}  // namespace quenta::testing
