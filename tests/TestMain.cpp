// Every test runs with its own registry file, program folder and temporary folder, so no test
// sees what another left behind and none touches the user's own settings.

#include "TestSupport.h"

#include "platform/SHDocVw.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

fs::path SandboxRoot;

class FreshFolders : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo& info) override {
        fs::path dir = SandboxRoot / (String(info.test_suite_name()) + "." + info.name());
        fs::remove_all(dir);
        fs::create_directories(dir / "home");
        fs::create_directories(dir / "tmp");
        setenv("QUILTMARKER_REGISTRY", (dir / "registry.reg").c_str(), 1);
        setenv("QUILTMARKER_HOME", (dir / "home").c_str(), 1);
        setenv("TMPDIR", (dir / "tmp").c_str(), 1);
        setenv("XDG_DATA_HOME", (dir / "xdg-data").c_str(), 1);
        TestSupport::CurrentSandbox = dir.string();
    }
};

} // namespace

String TestSupport::CurrentSandbox;

String TestSupport::Sandbox(const String& name) {
    return CurrentSandbox + "/" + name;
}

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    PrepareBrowserEngine();
    SandboxRoot = fs::temp_directory_path() / ("quiltmarker-tests-" + std::to_string(getpid()));
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new FreshFolders);
    TestSupport::StartPlatform(argc, argv);
    int result = RUN_ALL_TESTS();
    if (result == 0)
        fs::remove_all(SandboxRoot);
    return result;
}
