#include "ModuleHost.h"

#include <dlfcn.h>

#include <stdexcept>

#include "quenta/CreateInterface.h"
#include "quenta/TextPainter.h"

namespace quenta::bench {

namespace {

// In load order; Quenta last.
constexpr const char* kPaths[] = {SCRIVO2_MODULE_PATH, PLOTRA_MODULE_PATH, VAULTRIX_MODULE_PATH,
                                  PICTURA_MODULE_PATH, QUENTA_MODULE_PATH};
constexpr int kVaultrix = 2;
constexpr int kQuenta = 4;

// "ＭＳ ゴシック" in code page 932: the face name Quenta selects for <F0>.
constexpr char kGothicFace[] = "\x82l\x82r \x83S\x83V\x83\x62\x83N";

void* Create(void* module, const InterfaceId& id) {
    auto create = reinterpret_cast<CreateInterfaceFn>(dlsym(module, "CreateInterface"));
    return create ? create(&id) : nullptr;
}

}  // namespace

ModuleHost::ModuleHost() {
    for (int i = 0; i < kCount; ++i) {
        handles_[i] = dlopen(kPaths[i], RTLD_NOW | RTLD_LOCAL);
        if (!handles_[i]) {
            const char* why = dlerror();
            throw std::runtime_error(std::string("cannot load ") + kPaths[i] + ": " + (why ? why : ""));
        }
    }
    vaultrix_ = static_cast<Vaultrix*>(Create(handles_[kVaultrix], kVaultrixId));
    if (!vaultrix_) throw std::runtime_error("Vaultrix handed out no interface");
}

ModuleHost::~ModuleHost() {
    if (vaultrix_) vaultrix_->Release();
    // Quenta first: at unload it releases pictures that live in Pictura.
    for (int i = kCount - 1; i >= 0; --i) {
        if (handles_[i]) dlclose(handles_[i]);
    }
}

RendererPtr ModuleHost::NewRenderer(const std::string& fontFile) {
    RendererPtr renderer(static_cast<IMessageRenderer*>(Create(handles_[kQuenta], kMessageRendererId)));
    if (!renderer) throw std::runtime_error("Quenta handed out no renderer");
    renderer->SetText(" ");
    renderer->Clear();
    auto* painter = static_cast<TextPainter*>(renderer->GetSubInterface(&kScrivo2Id));
    if (!painter) throw std::runtime_error("the renderer has no text painter");
    if (!painter->SetFontFile(kGothicFace, fontFile.c_str())) {
        throw std::runtime_error("Scrivo2 cannot use " + fontFile);
    }
    return renderer;
}

void ModuleHost::SetPictureArchive(const std::string& path) {
    if (!vaultrix_->SetArchivePath(0, path.c_str())) throw std::runtime_error("Vaultrix cannot open " + path);
}

}  // namespace quenta::bench
