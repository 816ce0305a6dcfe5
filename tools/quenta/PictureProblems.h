// Why a picture the archive holds cannot be used: asked by the checker of
// the picture sizes it was given, when they can tell, so that a damaged
// picture is reported as damaged rather than as missing.
#pragma once

#include <cstdint>
#include <string>

namespace quenta::script {

class PictureProblems {
public:
    // Empty when picture `number` is fine or not in the archive at all.
    virtual std::string Problem(int32_t number) = 0;

protected:
    ~PictureProblems() = default;
};

}  // namespace quenta::script
