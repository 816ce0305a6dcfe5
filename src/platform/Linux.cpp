// Linux: siblings are shared objects already loaded in the process, global
// memory is ordinary heap memory, and the message box is a line on stderr.
#include <dlfcn.h>
#include <iconv.h>
#include <link.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/Platform.h"

namespace quenta::platform {

namespace {

struct ModuleSearch {
    const char* name;
    size_t nameLength;
    std::string path;
};

int MatchModule(struct dl_phdr_info* info, size_t, void* data) {
    auto* search = static_cast<ModuleSearch*>(data);
    const char* path = info->dlpi_name;
    if (!path || !*path) return 0;
    const char* slash = std::strrchr(path, '/');
    const char* file = slash ? slash + 1 : path;
    if (std::strncmp(file, search->name, search->nameLength) == 0 &&
        std::strcmp(file + search->nameLength, ".so") == 0) {
        search->path = path;
        return 1;
    }
    return 0;
}

struct GlobalBlock {
    void* memory;
    int32_t locks;
};

}  // namespace

ModuleHandle FindLoadedModule(const char* name) {
    if (!name || !*name) return nullptr;
    ModuleSearch search{name, std::strlen(name), {}};
    if (!dl_iterate_phdr(MatchModule, &search)) return nullptr;
    // RTLD_NOLOAD only hands back a module that is already there; closing it
    // again returns the reference it took, so the host's load is the only one.
    void* handle = dlopen(search.path.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    if (handle) dlclose(handle);
    return handle;
}

void* FindExport(ModuleHandle module, const char* exportName) {
    if (!module) return nullptr;
    return dlsym(module, exportName);
}

GlobalHandle GlobalAllocMoveable(int32_t bytes) {
    if (bytes <= 0) return nullptr;
    auto* block = static_cast<GlobalBlock*>(std::malloc(sizeof(GlobalBlock)));
    if (!block) return nullptr;
    block->memory = std::malloc(static_cast<size_t>(bytes));
    if (!block->memory) {
        std::free(block);
        return nullptr;
    }
    block->locks = 0;
    return block;
}

void* GlobalLockBlock(GlobalHandle handle) {
    if (!handle) return nullptr;
    auto* block = static_cast<GlobalBlock*>(handle);
    ++block->locks;
    return block->memory;
}

bool GlobalUnlockBlock(GlobalHandle handle) {
    if (!handle) return false;
    auto* block = static_cast<GlobalBlock*>(handle);
    if (block->locks > 0) --block->locks;
    return block->locks > 0;
}

GlobalHandle GlobalReAllocMoveable(GlobalHandle handle, int32_t bytes) {
    if (!handle || bytes <= 0) return nullptr;
    auto* block = static_cast<GlobalBlock*>(handle);
    if (block->locks > 0) return nullptr;  // a locked block cannot move
    void* moved = std::realloc(block->memory, static_cast<size_t>(bytes));
    if (!moved) return nullptr;
    block->memory = moved;
    return block;
}

GlobalHandle GlobalFreeBlock(GlobalHandle handle) {
    if (!handle) return nullptr;
    auto* block = static_cast<GlobalBlock*>(handle);
    std::free(block->memory);
    std::free(block);
    return nullptr;
}

void ShowMessageBox(const char* text, const char* caption) {
    std::string line = caption ? caption : "";
    line += ": ";
    const char* in = text ? text : "";
    size_t inLeft = std::strlen(in);
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        line.append(in, inLeft);
    } else {
        char buffer[256];
        char* src = const_cast<char*>(in);
        while (inLeft > 0) {
            char* out = buffer;
            size_t outLeft = sizeof buffer;
            if (iconv(cd, &src, &inLeft, &out, &outLeft) == static_cast<size_t>(-1) && out == buffer) {
                // A byte the code page cannot map: show it as '?' and go on.
                line += '?';
                ++src;
                --inLeft;
            }
            line.append(buffer, static_cast<size_t>(out - buffer));
        }
        iconv_close(cd);
    }
    line += '\n';
    // One write, so that the line is never interleaved with other output.
    const char* p = line.data();
    size_t left = line.size();
    while (left > 0) {
        ssize_t n = write(STDERR_FILENO, p, left);
        if (n <= 0) break;
        p += n;
        left -= static_cast<size_t>(n);
    }
}

}  // namespace quenta::platform
