// How pictures are named inside an archive: the number in decimal (with a
// minus sign when negative) and an extension, tried in a fixed order.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quenta::vaultrix {

// When a number is stored under more than one extension, the first of these wins.
inline constexpr std::array<const char*, 2> kPictureExtensions{".png", ".bmp"};

// "7.png", "-3.bmp".
std::string PictureFileName(int32_t number, const char* extension);

}  // namespace quenta::vaultrix
