#include "BenchMain.h"

#include "platform/Forms.h"
#include "platform/SHDocVw.h"
#include "platform/TestHooks.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

String RepeatedPage(const String& head, const String& section, const String& tail, size_t size) {
    String page = head;
    page.reserve(size + section.size() + tail.size());
    while (page.size() < size)
        page += section;
    return page + tail;
}

int RunBenchmarks(int argc, char** argv, const std::function<void()>& setUp) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    PrepareBrowserEngine();
    const std::filesystem::path sandbox =
        std::filesystem::temp_directory_path() / ("quiltmarker-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(sandbox / "tmp");
    setenv("QUILTMARKER_REGISTRY", (sandbox / "registry.reg").c_str(), 1);
    setenv("QUILTMARKER_HOME", (sandbox / "home").c_str(), 1);
    setenv("TMPDIR", (sandbox / "tmp").c_str(), 1);
    Application->Initialize(argc, argv);
    TestHooks::Install();
    if (setUp)
        setUp();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(sandbox);
    return 0;
}
