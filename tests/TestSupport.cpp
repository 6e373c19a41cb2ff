// Starts the platform for tests: offscreen windows, prompts answered from the test hooks, and a
// test failed for every prompt it left unanswered and every answer it queued but never used.

#include "TestSupport.h"

#include "platform/Forms.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void FailUnansweredPrompt(const TestHooks::TPrompt& prompt, const String& reason) {
    ADD_FAILURE() << "Unanswered " << prompt.Kind << " \"" << prompt.Caption << "\": \""
                  << prompt.Text << "\" (" << reason << ")";
}

class PromptChecks : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { TestHooks::Reset(); }
    void OnTestEnd(const testing::TestInfo&) override {
        Application->ProcessMessages();
        if (TestHooks::QueuedAnswers() > 0)
            ADD_FAILURE() << "Answers queued by the test were never used:\n"
                          << TestHooks::DescribeQueuedAnswers();
        TestHooks::Reset();
    }
};

} // namespace

void TestSupport::StartPlatform(int& argc, char** argv) {
    Application->Initialize(argc, argv);
    TestHooks::Install();
    TestHooks::SetUnansweredPromptHandler(FailUnansweredPrompt);
    testing::UnitTest::GetInstance()->listeners().Append(new PromptChecks);
}

TestSupport::ShortTempFolder::ShortTempFolder() {
    char folder[] = "/tmp/qm-XXXXXX";
    if (!mkdtemp(folder))
        throw std::runtime_error("cannot make a temporary folder");
    FPath = folder;
    FEnv.emplace("TMPDIR", FPath);
}

TestSupport::ShortTempFolder::~ShortTempFolder() {
    FEnv.reset();
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
}

int TestSupport::EndedProcessId() {
    pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

void TestSupport::PlantFile(const String& path, const String& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

mode_t TestSupport::ModeOf(const String& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info.st_mode & 07777;
}
