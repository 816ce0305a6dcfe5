// Runs saved inputs through a fuzz target without libFuzzer, so that the
// normal test suite (and its sanitizer build) replays the seed corpus and
// every input that once failed: each file named, and each file in each
// folder named, in name order. Fails when there was nothing to run, and, as
// the fuzzer does, when an input takes the process's memory past a limit.
#include <sys/resource.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) __attribute__((weak));

namespace {

namespace fs = std::filesystem;

// Below the fuzzer's 2 GiB, since the replay keeps no corpus in memory.
constexpr long kPeakResidentLimit = 1L << 30;

long PeakResidentBytes() {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss * 1024L;
}

bool Collect(const fs::path& path, std::vector<fs::path>& files) {
    std::error_code error;
    if (fs::is_directory(path, error)) {
        for (const auto& entry : fs::directory_iterator(path)) {
            if (entry.is_regular_file()) files.push_back(entry.path());
        }
        return true;
    }
    if (!fs::is_regular_file(path, error)) return false;
    files.push_back(path);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        if (!Collect(argv[i], files)) {
            std::fprintf(stderr, "no such file or folder: %s\n", argv[i]);
            return 2;
        }
    }
    std::sort(files.begin(), files.end());
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        // A block of exactly the input's size, so that a read past its end is caught.
        const std::unique_ptr<uint8_t[]> input(new uint8_t[bytes.size()]);
        std::copy(bytes.begin(), bytes.end(), input.get());
        std::printf("%s\n", file.string().c_str());
        std::fflush(stdout);
        LLVMFuzzerTestOneInput(input.get(), bytes.size());
        if (PeakResidentBytes() > kPeakResidentLimit) {
            std::fprintf(stderr, "%s took the process to %ld MiB\n", file.string().c_str(),
                         PeakResidentBytes() >> 20);
            return 1;
        }
    }
    std::printf("replayed %zu inputs\n", files.size());
    return files.empty() ? 1 : 0;
}
