// A program started directly with its arguments, no shell between, as a script would start
// velmor-save: its standard output and standard error go into files, or standard error into a
// pipe that the test reads.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace velmor::test {

class ChildProcess {
public:
    struct Setup {
        std::filesystem::path out{};
        std::filesystem::path errors{};   // empty: a pipe, read with readError()
        std::filesystem::path scratch{};  // the folder for its temporary files; empty: ours
        std::uint64_t fileSizeLimit = 0;  // in bytes, where the system has such limits; 0: none
    };
    struct Ended {
        int status;      // the exit status; -1 when a signal ended it
        long kilobytes;  // the most memory that it held at once
    };

    // The first of `command` is the program: its path, or on Windows also a name in the folder of
    // the program that starts it.
    ChildProcess(const std::vector<std::string>& command, const Setup& setup);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next byte of standard error, or EOF once the program has closed it.
    int readError();
    // Closes the test's end of the pipe, so that the program's next write to it fails.
    void closePipe();
    Ended wait();

private:
    std::intptr_t m_process = -1;  // a process id, or a handle on Windows
    std::intptr_t m_pipe = -1;
    bool m_ended = false;
};

}  // namespace velmor::test
