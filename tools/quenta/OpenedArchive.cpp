#include "OpenedArchive.h"

#include "ModuleFolder.h"
#include "ToolError.h"

namespace quenta::script {

OpenedArchive::OpenedArchive(const std::string& path) {
    // Vaultrix and Pictura are all it needs: the archive's pictures are only
    // measured, never drawn.
    const host::Result<void> loaded =
        modules_.Load(render::ModuleFolderBesideTool(), {host::Module::kVaultrix, host::Module::kPictura});
    if (!loaded) throw render::ToolError("cannot load " + loaded.Error().Describe());
    vaultrix_ = render::ValueOrThrow(modules_.Create<Vaultrix>(host::Module::kVaultrix, kVaultrixId));
    pictura_ = render::ValueOrThrow(modules_.Create<Pictura>(host::Module::kPictura, kPicturaId));
    if (host::Result<void> set = modules_.SetArchivePath(0, path); !set) {
        throw render::ToolError("cannot open picture archive: " + set.Error().Describe());
    }
    sizes_ = std::make_unique<render::ArchivePictures>(*vaultrix_, *pictura_);
}

}  // namespace quenta::script
