#include "OptionValues.h"

#include <charconv>
#include <cstdlib>

#include "ToolError.h"

namespace quenta::render {

namespace {

// A whole decimal integer in [min, max], or nothing.
std::optional<int32_t> ParseInt(std::string_view text, int32_t min, int32_t max) {
    int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

[[noreturn]] void Reject(const std::string& option, const std::string& value, const char* expected) {
    throw UsageError(option + ": expected " + expected + ", got '" + value + "'");
}

}  // namespace

CanvasSize ParseSize(const std::string& option, const std::string& value) {
    const size_t x = value.find('x');
    const char* expected = "WIDTHxHEIGHT, each from 1 to 16384 (e.g. 640x480)";
    if (x == std::string::npos) Reject(option, value, expected);
    const auto w = ParseInt(std::string_view(value).substr(0, x), 1, kMaxCanvasSide);
    const auto h = ParseInt(std::string_view(value).substr(x + 1), 1, kMaxCanvasSide);
    if (!w || !h) Reject(option, value, expected);
    return {*w, *h};
}

Point ParsePoint(const std::string& option, const std::string& value) {
    const size_t comma = value.find(',');
    const char* expected = "X,Y in pixels (e.g. 16,16)";
    if (comma == std::string::npos) Reject(option, value, expected);
    constexpr int32_t kLimit = 1'000'000;
    const auto x = ParseInt(std::string_view(value).substr(0, comma), -kLimit, kLimit);
    const auto y = ParseInt(std::string_view(value).substr(comma + 1), -kLimit, kLimit);
    if (!x || !y) Reject(option, value, expected);
    return {*x, *y};
}

Rgb ParseColor(const std::string& option, const std::string& value) {
    std::string_view hex = value;
    if (!hex.empty() && hex.front() == '#') hex.remove_prefix(1);
    unsigned rgb = 0;
    const auto [stop, error] = std::from_chars(hex.data(), hex.data() + hex.size(), rgb, 16);
    if (hex.size() != 6 || error != std::errc() || stop != hex.data() + hex.size()) {
        Reject(option, value, "a colour as RRGGBB in hexadecimal (e.g. 1a2b3c)");
    }
    return {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb)};
}

int32_t ParseCount(const std::string& option, const std::string& value, int32_t max) {
    const auto n = ParseInt(value, 0, max);
    if (!n) Reject(option, value, ("a whole number from 0 to " + std::to_string(max)).c_str());
    return *n;
}

}  // namespace quenta::render
