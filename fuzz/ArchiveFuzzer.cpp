// Vaultrix on arbitrary ZIP bytes: the bytes become a file that archive 7 is
// pointed at; every entry found is loaded, shared and decoded as the picture
// cache does, and must keep the promises of the archive interfaces.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "PicturaObject.h"
#include "Require.h"
#include "VaultrixObject.h"

using namespace quenta;
using namespace quenta::fuzzing;

namespace {

constexpr int32_t kArchiveNumber = 7;
// The names the seeds use, and a few more that a mutation reaches by one byte.
constexpr int32_t kEntryNumbers[] = {-3, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9};

// The file the current input is written to, removed at exit.
class ScratchFile {
public:
    ScratchFile()
        : path_((std::filesystem::temp_directory_path() /
                 ("quenta-archive-fuzz-" + std::to_string(getpid()) + ".zip"))
                    .string()) {}
    ~ScratchFile() { std::remove(path_.c_str()); }

    bool Write(const uint8_t* data, size_t size) const {
        std::FILE* file = std::fopen(path_.c_str(), "wb");
        if (!file) return false;
        const bool written = std::fwrite(data, 1, size, file) == size;
        return std::fclose(file) == 0 && written;
    }
    const char* Path() const { return path_.c_str(); }

private:
    std::string path_;
};

void ReadEntry(Pictura* decoder, ArchiveEntry* entry, int32_t number) {
    Require(entry->GetNumber() == number, "an entry keeps its number");
    Require(entry->GetBytes() == nullptr && entry->GetSize() == 0, "an entry has no bytes until loaded");
    const std::uintptr_t loaded = entry->Load();
    if (loaded == 0) {
        Require(entry->Share(0) == 0, "a failed load shares nothing");
        return;
    }
    Require(entry->Load() == loaded, "loading again answers the same handle");
    const uint8_t* bytes = entry->GetBytes();
    const int32_t size = entry->GetSize();
    Require(bytes != nullptr && size >= 0, "a loaded entry has its bytes");
    unsigned sum = 0;
    for (int32_t i = 0; i < size; ++i) sum += bytes[i];  // every byte is inside the buffer
    (void)sum;
    Require(entry->Share(loaded + 1) == 0, "only the loaded handle is shared");
    const std::uintptr_t shared = entry->Share(loaded);
    Require(shared == reinterpret_cast<std::uintptr_t>(entry), "the shared handle is the entry itself");
    if (Surface* picture = decoder->DecodeEntry(shared)) picture->Release();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ScratchFile file;
    static Vaultrix* const vaultrix = new vaultrix::VaultrixObject();
    static Pictura* const decoder = new pictura::PicturaObject();

    Require(file.Write(data, size), "the scratch file can be written");
    if (!vaultrix->SetArchivePath(kArchiveNumber, file.Path())) return 0;
    Archive* archive = vaultrix->OpenArchive(kArchiveNumber);
    Require(archive != nullptr, "an archive whose path was accepted opens");
    for (int32_t number : kEntryNumbers) {
        if (ArchiveEntry* entry = archive->OpenEntry(number)) {
            ReadEntry(decoder, entry, number);
            Require(entry->Release() == 0, "the opener holds an entry's only reference");
        }
    }
    archive->Release();
    return 0;
}
