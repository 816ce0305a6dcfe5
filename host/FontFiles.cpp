#include "quenta/FontFiles.h"

#include "quenta/FaceNames.h"
#include "quenta/TextPainter.h"

namespace quenta::host {

const char* FaceName(Face face) { return face == Face::kMincho ? kMinchoFace : kGothicFace; }

Result<void> SetFontFile(IMessageRenderer& renderer, Face face, const std::string& path) {
    auto* painter = static_cast<TextPainter*>(renderer.GetSubInterface(&kScrivo2Id));
    if (!painter) return HostError{"Quenta", "the renderer has no text painter before its first SetText binds Scrivo2"};
    if (!painter->SetFontFile(FaceName(face), path.c_str())) {
        return HostError{"Scrivo2", "cannot use font file '" + path + "'"};
    }
    return {};
}

}  // namespace quenta::host
