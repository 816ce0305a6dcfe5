#include "ScriptFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace quenta::script {

ScriptForm FormOfPath(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == ".csv") return ScriptForm::kCsv;
    if (extension == ".tsv") return ScriptForm::kTsv;
    if (extension == ".po" || extension == ".pot") return ScriptForm::kPo;
    return ScriptForm::kPlain;
}

std::string ReadFileBytes(const std::string& path) {
    if (path == "-") {
        std::ostringstream buffer;
        buffer << std::cin.rdbuf();
        if (std::cin.bad()) throw std::runtime_error("cannot read standard input");
        return buffer.str();
    }
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) throw std::runtime_error("cannot read '" + path + "': it is a folder");
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot read '" + path + "': " + std::strerror(errno));
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) throw std::runtime_error("cannot read '" + path + "': " + std::strerror(errno));
    return bytes;
}

}  // namespace quenta::script
