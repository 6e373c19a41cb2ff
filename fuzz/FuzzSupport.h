#pragma once
// What the fuzz targets share: a private folder for the registry file, program folder and
// temporary folder, so that no run touches the user's own settings; the window system started
// offscreen for the readers that live on forms; and the prompt hooks, so that a message box
// never waits for a user but is answered at once with Cancel (or No).

#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "platform/TestHooks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace FuzzSupport {

// Made at the first call and removed when the process ends; kept alive until then on purpose, so
// that the removal at exit still has its name.
inline const String& Sandbox() {
    static const String& folder = *new String([] {
        char name[] = "/tmp/qm-fuzz-XXXXXX";
        const String made = mkdtemp(name) ? String(name) : String("/tmp/qm-fuzz");
        for (const char* sub : {"/home", "/tmp", "/xdg-data"})
            ForceDirectories(made + sub);
        setenv("QUILTMARKER_REGISTRY", (made + "/registry.reg").c_str(), 1);
        setenv("QUILTMARKER_HOME", (made + "/home").c_str(), 1);
        setenv("TMPDIR", (made + "/tmp").c_str(), 1);
        setenv("XDG_DATA_HOME", (made + "/xdg-data").c_str(), 1);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(Sandbox(), ignored);
        });
        TestHooks::Install();
        return made;
    }());
    return folder;
}

// For the readers that are members of forms or controls.
inline void StartWindowSystem() {
    static const bool started = [] {
        Sandbox();
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static char program[] = "fuzz";
        static char* argv[] = {program, nullptr};
        static int argc = 1;
        Application->Initialize(argc, argv);
        TestHooks::Install();
        return true;
    }();
    (void)started;
}

// The prompts are recorded while the hooks are on; one input's record is forgotten before the
// next, so that a long run does not grow.
inline void NextInput() {
    Sandbox();
    TestHooks::Reset();
}

inline String Bytes(const uint8_t* data, size_t size) {
    return String(reinterpret_cast<const char*>(data), size);
}

// A file of the sandbox holding exactly the bytes (plain writes: a fuzz run writes a file per
// input, and the atomic replacement's flush to disk would be most of its time).
inline String SandboxFile(const String& name, const String& bytes) {
    const String path = Sandbox() + "/" + name;
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    return path;
}

// Stops the run, so that the fuzzer keeps the input, when a property of the reader fails.
inline void Expect(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

} // namespace FuzzSupport
