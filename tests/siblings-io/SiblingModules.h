// Vaultrix and Pictura as a host gets them: loaded from the built modules and
// asked for their interfaces through CreateInterface.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "LoadedModule.h"
#include "quenta/Pictura.h"
#include "quenta/Ref.h"
#include "quenta/Vaultrix.h"

namespace quenta::testing {

// Loads the module and hands out its interface; the module stays loaded for
// the fixture's lifetime, so every Ref must be reset before it ends.
template <typename Interface>
class SiblingModule {
public:
    SiblingModule(const char* path, const InterfaceId& id) : module_(path), id_(id) {
        EXPECT_TRUE(module_.IsLoaded()) << module_.Error();
    }

    Ref<Interface> Create() {
        EXPECT_NE(module_.Create(), nullptr) << "module not loaded or without CreateInterface";
        return module_.Obtain<Interface>(id_);
    }

private:
    LoadedModule module_;
    InterfaceId id_;
};

// A fresh folder under the system's temporary folder, removed at the end.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quenta-test-XXXXXX").string();
        path_ = mkdtemp(pattern.data()) ? pattern : "";
        EXPECT_FALSE(path_.empty()) << "cannot make a scratch folder";
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }

    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    std::string Path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

}  // namespace quenta::testing
