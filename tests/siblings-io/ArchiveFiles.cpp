#include "ArchiveFiles.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <fstream>
#include <iterator>

namespace quenta::testing {

void MakeFolder(const std::string& folder, const NamedFiles& files) {
    for (const auto& [name, bytes] : files) WriteFile(folder + "/" + name, bytes);
}

void MakeZip(const std::string& path, const NamedFiles& files, bool stored) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr) << "libzip error " << error;
    for (const auto& [name, bytes] : files) {
        zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        ASSERT_NE(source, nullptr);
        const zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE);
        ASSERT_GE(index, 0) << zip_strerror(archive);
        const zip_int32_t method = stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
        ASSERT_EQ(zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), method, 0), 0);
    }
    ASSERT_EQ(zip_close(archive), 0) << zip_strerror(archive);
}

Bytes ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace quenta::testing
