// The peak resident memory of this process image, reported by each start-up child on its
// standard output just before it ends. The rusage of a child cannot give it: the kernel
// counts there the memory the process had before exec, that is the parent's.
#pragma once

#include <cstdio>
#include <cstring>

inline void ReportPeakMemory() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) {
        return;
    }
    char line[256];
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, "VmHWM:", 6) == 0) {
            std::fputs(line, stdout);
        }
    }
    std::fclose(status);
    std::fflush(stdout);
}
