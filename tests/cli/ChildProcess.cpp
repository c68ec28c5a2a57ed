#include "cli/ChildProcess.h"

#include <cstdio>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>
#else
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#endif

namespace velmor::test {

#ifdef _WIN32

namespace {

HANDLE Handle(std::intptr_t value) {
    return reinterpret_cast<HANDLE>(value);
}

// Shared with everyone, so that no handle of an earlier run, however late it closes, keeps the
// next run out.
HANDLE Inheritable(const std::filesystem::path& file) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return ::CreateFileW(file.c_str(), GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

// No argument of the tests holds a double quote or ends in a backslash, so quotes alone keep each
// one whole.
ChildProcess::ChildProcess(const std::vector<std::string>& command, const Setup& setup) {
    std::wstring line;
    for (const std::string& argument : command) {
        line += L"\"" + std::filesystem::path(argument).native() + L"\" ";
    }
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE errors = INVALID_HANDLE_VALUE, pipe = INVALID_HANDLE_VALUE;
    if (setup.errors.empty()) {
        if (!::CreatePipe(&pipe, &errors, &inherit, 0)) {
            throw std::runtime_error("cannot make a pipe");
        }
        ::SetHandleInformation(pipe, HANDLE_FLAG_INHERIT, 0);
        m_pipe = reinterpret_cast<std::intptr_t>(pipe);
    } else {
        errors = Inheritable(setup.errors);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = Inheritable(setup.out);
    startup.hStdError = errors;
    // The program takes the folder for its temporary files from TMP, as it finds ours.
    std::wstring ours(32767, L'\0');
    const bool hadOurs = ::GetEnvironmentVariableW(L"TMP", ours.data(), 32767) > 0;
    if (!setup.scratch.empty()) {
        ::SetEnvironmentVariableW(L"TMP", setup.scratch.c_str());
    }
    PROCESS_INFORMATION process{};
    const bool started = ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                          nullptr, &startup, &process);
    const DWORD failure = ::GetLastError();
    ::SetEnvironmentVariableW(L"TMP", hadOurs ? ours.c_str() : nullptr);
    ::CloseHandle(startup.hStdOutput);
    ::CloseHandle(errors);
    if (!started) {
        throw std::runtime_error("cannot start " + command[0] + ": error " +
                                 std::to_string(failure));
    }
    ::CloseHandle(process.hThread);
    m_process = reinterpret_cast<std::intptr_t>(process.hProcess);
}

ChildProcess::~ChildProcess() {
    closePipe();
    if (!m_ended) {
        wait();
    }
    ::CloseHandle(Handle(m_process));
}

int ChildProcess::readError() {
    char byte = 0;
    DWORD count = 0;
    return ::ReadFile(Handle(m_pipe), &byte, 1, &count, nullptr) && count == 1
               ? static_cast<unsigned char>(byte)
               : EOF;
}

void ChildProcess::closePipe() {
    if (m_pipe != -1) {
        ::CloseHandle(Handle(m_pipe));
        m_pipe = -1;
    }
}

ChildProcess::Ended ChildProcess::wait() {
    ::WaitForSingleObject(Handle(m_process), INFINITE);
    DWORD status = 0;
    ::GetExitCodeProcess(Handle(m_process), &status);
    PROCESS_MEMORY_COUNTERS memory{};
    ::GetProcessMemoryInfo(Handle(m_process), &memory, sizeof memory);
    m_ended = true;
    return {static_cast<int>(status), static_cast<long>(memory.PeakWorkingSetSize / 1024)};
}

#else

ChildProcess::ChildProcess(const std::vector<std::string>& command, const Setup& setup) {
    int pipe[2] = {-1, -1};
    if (setup.errors.empty() && ::pipe2(pipe, O_CLOEXEC) != 0) {
        throw std::runtime_error("cannot make a pipe");
    }
    const pid_t child = ::fork();
    if (child == 0) {
        constexpr int kWrite = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
        const int errors =
            setup.errors.empty() ? pipe[1] : ::open(setup.errors.c_str(), kWrite, 0666);
        if (::dup2(::open(setup.out.c_str(), kWrite, 0666), 1) < 0 || ::dup2(errors, 2) < 0) {
            ::_exit(127);
        }
        if (!setup.scratch.empty()) {
            ::setenv("TMPDIR", setup.scratch.c_str(), 1);
        }
        const rlimit limit{setup.fileSizeLimit, setup.fileSizeLimit};
        if (setup.fileSizeLimit > 0) {
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        std::vector<char*> arguments;
        for (const std::string& argument : command) {
            arguments.push_back(const_cast<char*>(argument.c_str()));
        }
        arguments.push_back(nullptr);
        ::execv(arguments[0], arguments.data());
        ::_exit(127);
    }
    if (child < 0) {
        throw std::runtime_error("cannot start " + command[0]);
    }
    m_process = child;
    if (pipe[0] != -1) {
        ::close(pipe[1]);
        m_pipe = pipe[0];
    }
}

ChildProcess::~ChildProcess() {
    closePipe();
    if (!m_ended) {
        wait();
    }
}

int ChildProcess::readError() {
    unsigned char byte = 0;
    return ::read(static_cast<int>(m_pipe), &byte, 1) == 1 ? byte : EOF;
}

void ChildProcess::closePipe() {
    if (m_pipe != -1) {
        ::close(static_cast<int>(m_pipe));
        m_pipe = -1;
    }
}

ChildProcess::Ended ChildProcess::wait() {
    int status = 0;
    rusage usage{};
    ::wait4(static_cast<pid_t>(m_process), &status, 0, &usage);
    m_ended = true;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, usage.ru_maxrss};
}

#endif

}  // namespace velmor::test
