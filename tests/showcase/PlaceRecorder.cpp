#include "PlaceRecorder.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace quenta::testing {

std::string ModuleHolding(const void* address) {
    std::string path;
#if defined(_WIN32)
    HMODULE module = nullptr;
    char name[MAX_PATH] = {};
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCSTR>(address), &module) &&
        GetModuleFileNameA(module, name, MAX_PATH) > 0) {
        path = name;
    }
#else
    Dl_info info{};
    if (dladdr(address, &info) && info.dli_fname) path = info.dli_fname;
#endif
    const size_t slash = path.find_last_of("/\\");
    std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    return file.substr(0, file.find('.'));
}

uint8_t* PlaceRecorder::GetPixelAddress(int32_t x, int32_t y) {
    places_.push_back({ModuleHolding(__builtin_return_address(0)), "pixel", x, y});
    return canvas_->GetPixelAddress(x, y);
}

uint8_t* PlaceRecorder::GetAlphaAddress(int32_t x, int32_t y) {
    places_.push_back({ModuleHolding(__builtin_return_address(0)), "alpha", x, y});
    return canvas_->GetAlphaAddress(x, y);
}

}  // namespace quenta::testing
