// A file read whole, for the tests that look at what a run of the tool wrote.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace quenta::testing {

// Empty when the file cannot be read.
inline std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace quenta::testing
