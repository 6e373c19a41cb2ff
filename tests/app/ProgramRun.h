#pragma once
// The program itself, started by a test as a user starts it, with the test's environment.

#include "platform/SysUtils.h"

#include <chrono>
#include <csignal>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

// A copy of the program run with the environment of the test. Waits are bounded only so that a
// broken program fails the test instead of hanging it.
class TProgramRun {
public:
    explicit TProgramRun(const std::vector<String>& arguments) {
        std::vector<char*> argv{const_cast<char*>(QM_TEST_EXECUTABLE)};
        for (const String& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        if (posix_spawn(&FPid, QM_TEST_EXECUTABLE, nullptr, nullptr, argv.data(), environ) != 0)
            FPid = 0;
    }
    ~TProgramRun() {
        if (Running()) {
            kill(FPid, SIGKILL);
            waitpid(FPid, nullptr, 0);
        }
    }
    bool Started() const { return FPid != 0; }
    pid_t Pid() const { return FPid; }
    bool Running() {
        if (FPid && !FStatus) {
            int status = 0;
            if (waitpid(FPid, &status, WNOHANG) == FPid)
                FStatus = status;
        }
        return FPid && !FStatus;
    }
    // The exit code, or nothing when the program has not ended normally.
    std::optional<int> ExitCode() {
        for (int i = 0; i < 3000 && Running(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (Running() || !WIFEXITED(*FStatus))
            return std::nullopt;
        return WEXITSTATUS(*FStatus);
    }
    void Kill() {
        kill(FPid, SIGKILL);
        ExitCode();
    }

private:
    pid_t FPid = 0;
    std::optional<int> FStatus;
};
