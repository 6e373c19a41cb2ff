// The path routines the file commands share.

#include "services/GeneralRoutines.h"

#include "TestSupport.h"
#include "platform/FileUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

TEST(GeneralRoutines, AddDirSlashAddsOneDelimiterOnlyWhereItIsMissing) {
    TGeneralRoutines routines(nullptr);
    const std::pair<const char*, const char*> cases[] = {
        {"/", "/"}, {"/home/web", "/home/web/"}, {"/home/web/", "/home/web/"}, {"web", "web/"},
        {"", ""},
    };
    for (auto [path, expected] : cases) {
        SCOPED_TRACE(path);
        EXPECT_EQ(routines.AddDirSlash(path), expected);
    }
    EXPECT_EQ(routines.LastChar("index.htm"), 'm');
    EXPECT_EQ(routines.GetLastChar("/web/"), '/');
    EXPECT_EQ(routines.LastChar(""), '\0');
}

TEST(GeneralRoutines, DirectoryExistsLeavesTheCurrentFolderAsItWas) {
    TGeneralRoutines routines(nullptr);
    String folder = TestSupport::Sandbox("site");
    std::filesystem::create_directories(folder + "/images");
    std::ofstream(folder + "/index.htm") << "<html>";
    String previous = GetCurrentDir();
    ASSERT_TRUE(SetCurrentDir(folder));

    const std::pair<String, bool> cases[] = {
        {folder + "/images", true},     {"images", true}, {folder + "/missing", false},
        {folder + "/index.htm", false}, {"", false},
    };
    for (const auto& [path, exists] : cases) {
        SCOPED_TRACE(path);
        EXPECT_EQ(routines.DirectoryExists(path), exists);
        EXPECT_EQ(GetCurrentDir(), folder);
    }
    SetCurrentDir(previous);
}
