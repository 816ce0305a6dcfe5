// Runs a program and measures it: its processor time and the largest
// resident set among it and every process it starts.
//
// The kernel carries a process's high-water mark across exec, so a program
// spawned straight from this benchmark (or from a fork of it) would report
// at least the benchmark's own resident set. The program is therefore
// started from a fresh, small copy of this binary (`quenta_bench
// --measure-run PROGRAM ARGS...`), which forks, execs the program, and
// reports what the program's processes used.
#pragma once

#include <sys/resource.h>

#include <string>
#include <vector>

namespace quenta::bench {

struct CommandRun {
    int status = -1;
    long peakKiB = 0;       // the largest resident set among the program and its children
    double cpuSeconds = 0;  // theirs, user and system, all processes together
};

// User and system time together.
double CpuSeconds(const rusage& usage);

// The program's standard error goes to /dev/null.
CommandRun RunMeasured(const std::vector<std::string>& words);

// `quenta_bench --measure-run PROGRAM ARGS...`: runs the program and writes
// its CommandRun to standard output. Returns the exit status.
int MeasureRunMain(int argc, char** argv);

}  // namespace quenta::bench
