#pragma once
// What every test executable shares: the per-test sandbox, the platform's start for tests and a
// few small helpers.

#include "platform/SysUtils.h"

#include <cstdlib>
#include <optional>
#include <sys/stat.h>

namespace TestSupport {
// The folder of the running test; its registry file, program folder ("home") and temporary
// folder ("tmp") lie inside it.
extern String CurrentSandbox;
String Sandbox(const String& name);
// Starts the stand-in offscreen and makes any prompt that no test answered fail the test.
void StartPlatform(int& argc, char** argv);

// The message of the exception of type Error that the action raises, or "(nothing raised)".
template <typename Error, typename Action> String MessageOf(Action action) {
    try {
        action();
    } catch (const Error& error) {
        return error.Message();
    }
    return "(nothing raised)";
}

// Sets or clears an environment variable for one test and restores it afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::optional<String>& value) : FName(name) {
        if (const char* old = std::getenv(name))
            FOld = old;
        Set(value);
    }
    ~ScopedEnv() { Set(FOld); }

private:
    void Set(const std::optional<String>& value) {
        if (value)
            setenv(FName, value->c_str(), 1);
        else
            unsetenv(FName);
    }
    const char* FName;
    std::optional<String> FOld;
};

// A fresh temporary folder of a short path, made TMPDIR while the object lives and removed with
// it: the path of a local socket in the temporary folder must stay short, and the sandbox's own
// folder may be too deep for one.
class ShortTempFolder {
public:
    ShortTempFolder();
    ~ShortTempFolder();
    ShortTempFolder(const ShortTempFolder&) = delete;
    ShortTempFolder& operator=(const ShortTempFolder&) = delete;
    const String& Path() const { return FPath; }

private:
    String FPath;
    std::optional<ScopedEnv> FEnv;
};

// Sets the umask for one test and restores it afterwards.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : FOld(::umask(mask)) {}
    ~ScopedUmask() { ::umask(FOld); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

private:
    mode_t FOld;
};

// The id of a process that has ended, as the names of a killed run's files carry it.
int EndedProcessId();
// Makes a file as another process would, without the program's own file routines, which look into
// the folder at their first use.
void PlantFile(const String& path, const String& bytes = "");
mode_t ModeOf(const String& path);
} // namespace TestSupport
