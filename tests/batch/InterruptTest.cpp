// Ctrl-C in the middle of a run: the workers stop, only complete pictures
// are left, and the next run draws just the ones that are missing.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "FolderFiles.h"
#include "PngImage.h"
#include "RunTool.h"

extern char** environ;

namespace quenta::testing {
namespace {

namespace fs = std::filesystem;

size_t CountPictures(const std::string& folder) {
    size_t count = 0;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) count += entry.path().extension() == ".png";
    return count;
}

TEST(Interrupt, LeavesOnlyCompletePicturesAndTheRerunFinishes) {
    constexpr int kMessages = 1000;
    const std::string folder = FreshFolder("interrupt");
    std::string script;
    for (int i = 1; i <= kMessages; ++i) script += "<S24>message " + std::to_string(i) + " of a long script</S>\n\n";
    WriteBytes(folder + "/script.txt", script);
    const std::string out = folder + "/out";

    std::vector<std::string> words = {ToolPath(), "render", "--script", folder + "/script.txt", "--out-dir", out,
                                      "-j", "2", "--size", "320x80"};
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    // Each worker stops after kHeld pictures and waits to be interrupted:
    // the run is cut at a known point, however fast or slow the machine.
    constexpr size_t kHeld = 10;
    std::vector<std::string> environment = {"QUENTA_TEST_HOLD_AFTER=" + std::to_string(kHeld)};
    for (char** e = environ; *e; ++e) environment.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()), 0);
    // The workers say they hold by the pictures they leave; the deadline
    // only keeps a broken build from hanging the test.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(5);
    while (CountPictures(out) < 2 * kHeld && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_EQ(CountPictures(out), 2 * kHeld) << "the workers did not hold";
    kill(pid, SIGINT);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << "status " << status << ": it ran to the end";

    size_t pictures = 0;
    for (const auto& entry : fs::directory_iterator(out)) {
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(name.find(".tmp"), std::string::npos) << "a partial file is left: " << name;
        if (entry.path().extension() != ".png") continue;
        ++pictures;
        const auto image = ReadPng(entry.path().string());
        ASSERT_TRUE(image) << name << " is not a whole picture";
        EXPECT_EQ(image->width, 320);
    }
    EXPECT_EQ(pictures, 2 * kHeld) << "a worker drew on after it was interrupted";
    EXPECT_FALSE(fs::exists(out + "/index.html"));

    const ToolRun rest = RunTool({"render", "--script", folder + "/script.txt", "--out-dir", out, "-j", "2", "--size", "320x80"});
    ASSERT_EQ(rest.status, 0) << rest.err;
    const std::string expected = std::to_string(kMessages - pictures) + " pictures drawn, " + std::to_string(pictures) + " up to date";
    EXPECT_NE(rest.err.find(expected), std::string::npos) << rest.err;
    EXPECT_EQ(CountPictures(out), static_cast<size_t>(kMessages));
}

}  // namespace
}  // namespace quenta::testing
