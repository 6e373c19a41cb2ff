// A publisher run of several files offers every one of its sources to the copy-to folders.

#include "publish/Ferrydock95Main.h"

#include "TestSupport.h"
#include "platform/FileUtils.h"
#include "platform/StdCtrls.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(MultiFileCopyTest, EverySourceOfTheRunReachesTheCopyToFolder) {
    const String site = IncludeTrailingPathDelimiter(TestSupport::Sandbox("site"));
    const String upload = IncludeTrailingPathDelimiter(TestSupport::Sandbox("upload"));
    const String copies = IncludeTrailingPathDelimiter(TestSupport::Sandbox("copies"));
    for (const String& folder : {site, upload, copies})
        ForceDirectories(folder);
    auto form = std::make_unique<TFerrydock95Form>(nullptr);
    const std::vector<String> names{"one.html", "two.html", "three.html"};
    for (size_t i = 0; i < names.size(); ++i) {
        WriteFileAtomic(site + names[i], names[i]);
        form->SourceFiles[i] = site + names[i];
    }
    form->SourceFileCount = static_cast<int>(names.size());
    form->MultipleRun = true;
    form->PubFileName->SetText(site + names[0]);
    form->PublishTo->SetText(upload);
    form->CopyTo1->SetText(copies);
    form->NoPublishedMessage = true;
    TestHooks::AnswerMessageBox(IDYES);

    form->PublishFiles();

    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Text, "Copy to " + copies);
    for (const String& name : names)
        EXPECT_EQ(ReadFileBytes(copies + name), name);
}

} // namespace
