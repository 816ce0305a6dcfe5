// A picture archive named on the command line, opened through the Vaultrix
// and Pictura modules, answering the parser's picture-size questions.
#pragma once

#include <memory>
#include <string>

#include "ArchivePictures.h"
#include "quenta/ModuleSet.h"
#include "quenta/Pictura.h"
#include "quenta/Ref.h"
#include "quenta/Vaultrix.h"

namespace quenta::script {

class OpenedArchive {
public:
    // Throws quenta::render::ToolError when a module or the archive cannot
    // be opened.
    explicit OpenedArchive(const std::string& path);
    ~OpenedArchive();
    // Also a PictureProblems, which tells why a picture that is there
    // cannot be read.
    core::PictureSizes* Pictures();

private:
    host::ModuleSet modules_;
    Ref<Vaultrix> vaultrix_;
    Ref<Pictura> pictura_;
    class ReadPictures;
    std::unique_ptr<ReadPictures> sizes_;
};

}  // namespace quenta::script
