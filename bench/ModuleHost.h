// The five modules loaded as a host loads them: the siblings first, then
// Quenta, which finds them among the modules already loaded.
#pragma once

#include <memory>
#include <string>

#include "quenta/MessageRenderer.h"
#include "quenta/Ref.h"
#include "quenta/Vaultrix.h"

namespace quenta::bench {

using RendererPtr = Ref<IMessageRenderer>;

class ModuleHost {
public:
    // Throws std::runtime_error naming the module that did not load.
    ModuleHost();
    ModuleHost(const ModuleHost&) = delete;
    ModuleHost& operator=(const ModuleHost&) = delete;
    ~ModuleHost();

    // A new renderer whose text painter draws the Gothic face from `fontFile`:
    // a renderer binds its siblings on its first SetText, so this sets one
    // character and clears it again.
    RendererPtr NewRenderer(const std::string& fontFile);

    // Points Vaultrix archive 0, where Quenta's picture tags look, at `path`.
    void SetPictureArchive(const std::string& path);

private:
    static constexpr int kCount = 5;
    void* handles_[kCount] = {};
    Vaultrix* vaultrix_ = nullptr;
};

}  // namespace quenta::bench
