#include "platform/FileUtils.h"
#include "platform/ShellApi.h"

#include "IconFixture.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

String Fixture(const String& name, const String& bytes) {
    String path = TestSupport::CurrentSandbox + PathDelim + name;
    WriteFileAtomic(path, bytes);
    return path;
}

} // namespace

// An icon file gives its own picture; any other file the desktop's icon for its type (or the
// generic file icon), at the size asked for; a missing file none.
TEST(ShellApiIconsTest, AFileGivesItsOwnIconOrTheIconOfItsType) {
    TBitmap icon;
    ASSERT_TRUE(SHGetFileIcon(Fixture("red.ico", IconFixture::SolidIcon(0xFFFF0000)), 16, icon));
    EXPECT_EQ(icon.Width(), 16);
    EXPECT_EQ(icon.PixelAt(8, 8), TColor(0x0000FF)); // red, as a framework colour

    TBitmap typed;
    ASSERT_TRUE(SHGetFileIcon(Fixture("page.htm", "<P>"), 16, typed));
    EXPECT_EQ(typed.Width(), 16);
    EXPECT_EQ(typed.Height(), 16);

    TBitmap none;
    EXPECT_FALSE(SHGetFileIcon(TestSupport::CurrentSandbox + "/missing.htm", 16, none));
    EXPECT_TRUE(none.Empty());
}

TEST(ShellApiIconsTest, OnlyAReadableIconFileHoldsAnIconToExtract) {
    const String good = IconFixture::SolidIcon(0xFF00FF00);
    struct Case {
        String Name;
        String Bytes;
        int Count;
    };
    for (const Case& c : {
             Case{"green.ico", good, 1},
             Case{"cut.ico", good.substr(0, 40), 0},
             Case{"far.ico", good.substr(0, 18) + String("\xFF\xFF\xFF\x7F", 4) + good.substr(22),
                  0},
             Case{"program.exe", "MZ" + String(200, '\0'), 0},
             Case{"notes.txt", "green", 0},
         }) {
        String path = Fixture(c.Name, c.Bytes);
        EXPECT_EQ(ExtractIconCount(path), c.Count) << c.Name;
        TBitmap icon;
        EXPECT_EQ(ExtractIcon(path, 0, 32, icon), c.Count == 1) << c.Name;
        EXPECT_FALSE(ExtractIcon(path, 1, 32, icon)) << c.Name;
    }
    EXPECT_EQ(ExtractIconCount(TestSupport::CurrentSandbox + "/missing.ico"), 0);
}
