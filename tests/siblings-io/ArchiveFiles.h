// Picture archives for the tests: the same named files as a folder or as a
// ZIP file written with libzip.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "PictureBytes.h"

namespace quenta::testing {

using NamedFiles = std::vector<std::pair<std::string, Bytes>>;

void MakeFolder(const std::string& folder, const NamedFiles& files);
// Stored (uncompressed) members keep their bytes verbatim in the ZIP file.
void MakeZip(const std::string& path, const NamedFiles& files, bool stored);
Bytes ReadFile(const std::string& path);

}  // namespace quenta::testing
