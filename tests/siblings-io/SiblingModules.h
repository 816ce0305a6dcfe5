// Vaultrix and Pictura as a host gets them: loaded from the built modules and
// asked for their interfaces through CreateInterface.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#if defined(_WIN32)
#include <process.h>
#endif

#include "quenta/ModuleSet.h"
#include "quenta/Pictura.h"
#include "quenta/Ref.h"
#include "quenta/Vaultrix.h"

namespace quenta::testing {

// Loads the module and hands out its interface; the module stays loaded for
// the fixture's lifetime, so every Ref must be reset before it ends.
template <typename Interface>
class SiblingModule {
public:
    SiblingModule(host::Module module, const char* path, const InterfaceId& id) : module_(module), id_(id) {
        const host::Result<void> loaded = modules_.LoadFile(module, path);
        EXPECT_TRUE(loaded) << loaded.Error().Describe();
    }
    SiblingModule(const SiblingModule&) = delete;
    SiblingModule& operator=(const SiblingModule&) = delete;
    ~SiblingModule() { modules_.UnloadAll(); }

    Ref<Interface> Create() {
        host::Result<Ref<Interface>> made = modules_.Create<Interface>(module_, id_);
        EXPECT_TRUE(made) << made.Error().Describe();
        return made ? made.Take() : nullptr;
    }

private:
    host::ModuleSet modules_;
    host::Module module_;
    InterfaceId id_;
};

// A fresh folder under the system's temporary folder, removed at the end.
class ScratchFolder {
public:
    ScratchFolder() {
#if defined(_WIN32)
        // No mkdtemp: a name of the process and a count, made or refused at once.
        static int made = 0;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const std::filesystem::path candidate = std::filesystem::temp_directory_path() /
                ("quenta-test-" + std::to_string(_getpid()) + "-" + std::to_string(++made));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error)) path_ = candidate;
        }
#else
        std::string pattern = (std::filesystem::temp_directory_path() / "quenta-test-XXXXXX").string();
        path_ = mkdtemp(pattern.data()) ? pattern : "";
#endif
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
