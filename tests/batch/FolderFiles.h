// The output folder as the tests look at it: its files, their bytes and
// identities, and the review page parsed as a browser would parse it.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

#include "FileBytes.h"

namespace quenta::testing {

// A fresh, empty folder under the build tree for one test.
std::string FreshFolder(const std::string& name);

void WriteBytes(const std::string& path, const std::string& bytes);

// Every file in the folder (hidden ones too), name -> bytes.
std::map<std::string, std::string> FolderContents(const std::string& folder);
// Name -> inode of every picture; a rename gives a redrawn picture a new one.
std::map<std::string, ino_t> PictureInodes(const std::string& folder);

// One message as index.html shows it.
struct ShownFinding {
    std::string level, check, place, text;
};
struct ShownMessage {
    int number = 0;
    std::string picture;  // the img src without its query; empty when not drawn
    std::string failure;  // the text shown instead of a picture
    std::string place;
    std::string source;
    std::vector<ShownFinding> findings;
};

// Parsed with libxml2's HTML parser; fails the test when it cannot be read.
std::vector<ShownMessage> ReadReviewPage(const std::string& path);

}  // namespace quenta::testing
