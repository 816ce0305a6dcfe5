#include "OpenedArchive.h"

#include <algorithm>
#include <map>

#include "ModuleFolder.h"
#include "PictureDamage.h"
#include "PictureProblems.h"
#include "ToolError.h"

namespace quenta::script {

// The sizes as the module reads the pictures; for one it cannot read, the
// reason as the tool's own reading of its bytes finds it.
class OpenedArchive::ReadPictures final : public core::PictureSizes, public PictureProblems {
public:
    ReadPictures(Vaultrix& vaultrix, Pictura& pictura) : vaultrix_(vaultrix), sizes_(vaultrix, pictura) {}

    bool PictureSize(int32_t number, int32_t& width, int32_t& height) override {
        return sizes_.PictureSize(number, width, height);
    }

    std::string Problem(int32_t number) override {
        const auto known = problems_.find(number);
        if (known != problems_.end()) return known->second;
        std::string problem;
        int32_t width = 0, height = 0;
        if (!sizes_.PictureSize(number, width, height)) {
            Ref<Archive> archive(vaultrix_.OpenArchive(0));
            Ref<ArchiveEntry> entry(archive ? archive->OpenEntry(number) : nullptr);
            if (entry && entry->Load() != 0 && entry->GetBytes()) {
                problem = PictureDamage(entry->GetBytes(), static_cast<size_t>(std::max(0, entry->GetSize())));
                if (problem.empty()) problem = "a picture the decoding module cannot read";
            } else if (entry) {
                problem = "its entry cannot be read from the archive";
            }
        }
        return problems_.emplace(number, problem).first->second;
    }

private:
    Vaultrix& vaultrix_;
    render::ArchivePictures sizes_;
    std::map<int32_t, std::string> problems_;
};

OpenedArchive::~OpenedArchive() = default;

core::PictureSizes* OpenedArchive::Pictures() { return sizes_.get(); }

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
    sizes_ = std::make_unique<ReadPictures>(*vaultrix_, *pictura_);
}

}  // namespace quenta::script
