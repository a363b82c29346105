#pragma once

#include <string>

// Runs helper programs and reports their wall time and their own peak memory.
//
// A process made by exec inherits the high-water mark of the memory it replaced, and with
// fork or posix_spawn that is the spawning process's: spawned straight from shujian-bench, whose
// big-paste runs grow it to hundreds of MiB, every child would report that as its peak. So the
// children are spawned by a small launcher forked before Qt or any benchmark has grown us.
namespace launcher {

// Forks the launcher. Call first thing in main, while the process is small and has one thread.
void Start();
// Closes the launcher and waits for it.
void Stop();

struct Outcome {
    bool ok = false;
    std::string error;
    double seconds = 0; // from just before the spawn to the child's exit being collected
    double peakMiB = 0; // the child's own maximum resident set size
};

// Runs `program` without arguments, with QT_QPA_PLATFORM=offscreen, and waits for it.
Outcome Run(const std::string &program);

} // namespace launcher
