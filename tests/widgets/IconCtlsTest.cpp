#include "widgets/IconCtls.h"

#include "IconFixture.h"
#include "TestSupport.h"
#include "platform/FileUtils.h"
#include "platform/ShellApi.h"

#include <gtest/gtest.h>

namespace {

class IconComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override { IconExtractions() = 0; }

    String Fixture(const String& name, const String& bytes) {
        String path = TestSupport::CurrentSandbox + PathDelim + name;
        WriteFileAtomic(path, bytes);
        return path;
    }

    TIconComboBox Combo{nullptr};
};

} // namespace

TEST_F(IconComboBoxTest, ListsOneItemPerIconAndDisablesItselfForAMissingFile) {
    struct Case {
        String Name;
        String Bytes; // none: the file is not made
        int Icons;
        std::vector<String> Items;
        bool Enabled;
    };
    const String damagedIcon = IconFixture::SolidIcon(0xFF0000FF).substr(0, 30);
    for (const Case& c : {
             Case{"missing.ico", "", -1, {}, false},
             Case{"page.txt", "just text", 0, {}, true},
             Case{"red.ico", IconFixture::SolidIcon(0xFFFF0000), 1, {"0"}, true},
             Case{"damaged.ico", damagedIcon, 0, {}, true},
             Case{"program.exe", "MZ and nothing more", 0, {}, true},
         }) {
        String path = c.Bytes.empty() ? TestSupport::CurrentSandbox + PathDelim + c.Name
                                      : Fixture(c.Name, c.Bytes);
        Combo.SetFileName(path);
        EXPECT_EQ(Combo.NumberOfIcons(), c.Icons) << c.Name;
        std::vector<String> items;
        for (int i = 0; i < Combo.Items().Count(); ++i)
            items.push_back(Combo.Items()[i]);
        EXPECT_EQ(items, c.Items) << c.Name;
        EXPECT_EQ(Combo.Enabled(), c.Enabled) << c.Name;
        EXPECT_EQ(Combo.ItemIndex(), c.Items.empty() ? -1 : 0) << c.Name;
    }
}

TEST_F(IconComboBoxTest, AFileChangeIsReportedOnlyWhenTheNameDiffers) {
    int changes = 0;
    Combo.OnFileChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &Combo);
        ++changes;
    };
    String icon = Fixture("a.ico", IconFixture::SolidIcon(0xFF00FF00));
    Combo.SetFileName(icon);
    Combo.SetFileName(icon);
    EXPECT_EQ(changes, 1);
    Combo.SetFileName("");
    EXPECT_EQ(changes, 2);
    EXPECT_FALSE(Combo.Enabled());
    Combo.SetAutoDisable(false);
    EXPECT_TRUE(Combo.Enabled());
}

TEST_F(IconComboBoxTest, WithCachingAnIconIsReadWhenItsItemIsFirstDrawn) {
    Combo.SetFileName(Fixture("b.ico", IconFixture::SolidIcon(0xFF0000FF)));
    EXPECT_EQ(IconExtractions(), 0);
    EXPECT_EQ(Combo.Items().GetObject(0), nullptr);
    Combo.DrawItem(0, Rect(0, 0, 50, 38));
    EXPECT_EQ(IconExtractions(), 1);
    auto* icon = dynamic_cast<TBitmap*>(Combo.Items().GetObject(0));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->Width(), 32);
    EXPECT_EQ(icon->PixelAt(16, 16), TColor(0xFF0000)); // blue, as a framework colour
    Combo.DrawItem(0, Rect(0, 0, 50, 38));
    EXPECT_EQ(IconExtractions(), 1);
}

TEST_F(IconComboBoxTest, WithoutCachingEveryIconIsReadAtLoad) {
    Combo.SetFileName(Fixture("c.ico", IconFixture::SolidIcon(0xFF0000FF)));
    Combo.SetEnableCaching(false);
    EXPECT_EQ(IconExtractions(), 1);
    EXPECT_NE(Combo.Items().GetObject(0), nullptr);
}
