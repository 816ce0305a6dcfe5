// What is wrong with a PNG or BMP picture's bytes, read by the tool itself
// (libpng, and the BMP header) so that a report can say it: the decoding
// module only answers that it could not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quenta::script {

// Empty when the bytes read as a whole picture this way.
std::string PictureDamage(const uint8_t* bytes, size_t size);

}  // namespace quenta::script
