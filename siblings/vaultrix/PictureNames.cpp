#include "PictureNames.h"

namespace quenta::vaultrix {

std::string PictureFileName(int32_t number, const char* extension) {
    return std::to_string(number) + extension;
}

}  // namespace quenta::vaultrix
