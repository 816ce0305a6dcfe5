// The command line of quenta-render.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quenta::render {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
};

struct CanvasSize {
    int32_t width = 0;
    int32_t height = 0;
};

struct Point {
    int32_t x = 0;
    int32_t y = 0;
};

// Where the text's top-left corner goes on a canvas of known size when no
// --position is given.
inline constexpr Point kDefaultPosition{16, 16};

struct Options {
    bool help = false;
    bool version = false;
    std::string output;
    std::string input;  // empty or "-": standard input
    std::optional<CanvasSize> size;
    std::optional<Point> position;
    int32_t margin = 16;
    Rgb background{0, 0, 0};
    std::string backgroundImage;
    std::string archive;
    std::string gothicFont;
    std::string minchoFont;
    bool cp932 = false;
    bool keepNewlines = false;
};

// What the tool does, for --help and its manual page.
inline constexpr char kToolDescription[] = "Draws marked-up message text with Quenta and writes it as a PNG picture.";

// Reads the command line with CLI11; throws a usage ToolError for anything
// it cannot accept.
Options ParseOptions(int argc, char** argv);

}  // namespace quenta::render
