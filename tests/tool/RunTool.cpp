#include "RunTool.h"

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

#include "FileBytes.h"

extern char** environ;

namespace quenta::testing {

namespace {

class TempFile {
public:
    explicit TempFile(const std::string& contents = "") {
        char pattern[] = "/tmp/quenta-tool-XXXXXX";
        const int fd = mkstemp(pattern);
        EXPECT_GE(fd, 0);
        path_ = pattern;
        if (fd >= 0) {
            EXPECT_EQ(write(fd, contents.data(), contents.size()), static_cast<ssize_t>(contents.size()));
            close(fd);
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() { unlink(path_.c_str()); }

    const char* Path() const { return path_.c_str(); }
    std::string Read() const { return ReadBytes(path_); }

private:
    std::string path_;
};

}  // namespace

ToolRun RunTool(const std::vector<std::string>& args, const std::string& input, const std::string& workingFolder) {
    TempFile in(input);
    TempFile out;
    TempFile err;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.Path(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.Path(), O_WRONLY | O_TRUNC, 0);
    posix_spawn_file_actions_addopen(&actions, 2, err.Path(), O_WRONLY | O_TRUNC, 0);
    posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());

    std::vector<std::string> words = {ToolPath()};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);

    // This environment, with LeakSanitizer told what the modules keep on purpose.
    std::vector<std::string> environment = {std::string("LSAN_OPTIONS=print_suppressions=0:suppressions=") + QUENTA_LSAN_SUPPRESSIONS};
    for (char** e = environ; *e; ++e) {
        if (std::string(*e).rfind("LSAN_OPTIONS=", 0) != 0) environment.emplace_back(*e);
    }
    std::vector<char*> envp;
    for (std::string& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);

    ToolRun run;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(spawned, 0) << "cannot start " << argv[0];
    if (spawned != 0) return run;
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = out.Read();
    run.err = err.Read();
    return run;
}

std::string SourcePath(const std::string& relative) { return std::string(QUENTA_SOURCE_DIR) + "/" + relative; }

std::string ToolPath() { return QUENTA_RENDER_TOOL; }

}  // namespace quenta::testing
