#include "MeasuredRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

extern char** environ;

namespace quenta::bench {

namespace {

std::vector<char*> Argv(std::vector<std::string>& words) {
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    return argv;
}

}  // namespace

double CpuSeconds(const rusage& usage) {
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

CommandRun RunMeasured(const std::vector<std::string>& words) {
    std::vector<std::string> helper = {std::filesystem::read_symlink("/proc/self/exe").string(), "--measure-run"};
    helper.insert(helper.end(), words.begin(), words.end());
    std::vector<char*> argv = Argv(helper);
    int channel[2];
    if (pipe(channel) != 0) throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, channel[1], 1);
    posix_spawn_file_actions_addclose(&actions, channel[0]);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(channel[1]);
    CommandRun run;
    if (spawned == 0 && read(channel[0], &run, sizeof run) != static_cast<ssize_t>(sizeof run)) run.status = -1;
    close(channel[0]);
    if (spawned == 0) waitpid(pid, nullptr, 0);
    return run;
}

int MeasureRunMain(int argc, char** argv) {
    if (argc < 1) return 2;
    std::vector<std::string> words(argv, argv + argc);
    std::vector<char*> programArgv = Argv(words);
    // A real fork of this small, fresh process: its copy of memory is what
    // the program's high-water mark starts from.
    const pid_t pid = fork();
    if (pid < 0) return 1;
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) dup2(null, 2);
        execve(programArgv[0], programArgv.data(), environ);
        _exit(127);
    }
    CommandRun run;
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    run.peakKiB = usage.ru_maxrss;
    run.cpuSeconds = CpuSeconds(usage);
    return write(1, &run, sizeof run) == static_cast<ssize_t>(sizeof run) ? 0 : 1;
}

}  // namespace quenta::bench
