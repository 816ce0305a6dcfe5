#include "OpenedArchive.h"

#include "ToolError.h"

namespace quenta::script {

OpenedArchive::OpenedArchive(const std::string& path)
    : modules_(render::ModuleSet::DefaultFolder()),
      vaultrix_(static_cast<Vaultrix*>(modules_.Create(render::Module::kVaultrix, kVaultrixId))),
      pictura_(static_cast<Pictura*>(modules_.Create(render::Module::kPictura, kPicturaId))),
      sizes_(*vaultrix_, *pictura_) {
    if (!vaultrix_->SetArchivePath(0, path.c_str())) {
        throw render::ToolError("cannot open picture archive '" + path +
                                "': it is neither a readable folder nor a ZIP file");
    }
}

}  // namespace quenta::script
