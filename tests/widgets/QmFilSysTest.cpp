#include "widgets/QmFilSys.h"

#include "TestSupport.h"
#include "platform/Forms.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// A folder list on a shown form, over a small tree in the sandbox:
// site/pages with the subfolders "img" and "Drafts", a hidden one and a file.
class QmFilSysTest : public testing::Test {
protected:
    void SetUp() override {
        StartFolder = GetCurrentDir();
        Site = TestSupport::Sandbox("site");
        Pages = Site + "/pages";
        for (const char* folder : {"/img", "/Drafts", "/.cache"})
            ASSERT_TRUE(ForceDirectories(Pages + folder));
        WriteFileAtomic(Pages + "/index.html", "<html>");
        Form = new TForm(nullptr);
        Form->SetBounds(0, 0, 300, 400);
        Form->Show();
        List = new TQmDirectoryListBox(Form);
        List->SetParent(Form);
        List->SetBounds(0, 0, 200, 300);
        List->OnChange = [this](TObject*) { Changes.push_back(List->Directory()); };
    }
    void TearDown() override {
        Form->Free();
        SetCurrentDir(StartFolder);
        SetLogicalDrivesForTests(std::nullopt);
    }

    std::vector<String> Items() const {
        std::vector<String> items;
        for (int i = 0; i < List->Items().Count(); ++i)
            items.push_back(List->Items()[i]);
        return items;
    }

    String StartFolder;
    String Site;
    String Pages;
    TForm* Form = nullptr;
    TQmDirectoryListBox* List = nullptr;
    std::vector<String> Changes;
};

} // namespace

TEST_F(QmFilSysTest, SettingTheFolderMakesItCurrentAndListsItsPathAndVisibleSubfolders) {
    List->SetDirectory(Pages);
    EXPECT_EQ(GetCurrentDir(), Pages);
    EXPECT_EQ(List->Directory(), Pages);
    EXPECT_EQ(Changes, std::vector<String>{Pages});

    std::vector<String> items = Items();
    ASSERT_GE(items.size(), 5u);
    EXPECT_EQ(items.front(), "/");
    EXPECT_EQ(std::vector<String>(items.end() - 4, items.end()),
              (std::vector<String>{"site", "pages", "Drafts", "img"}));
    int pagesItem = static_cast<int>(items.size()) - 3;
    EXPECT_EQ(List->ItemIndex(), pagesItem);
    EXPECT_EQ(List->GetItemPath(0), "/");
    EXPECT_EQ(List->GetItemPath(pagesItem - 1), Site);
    EXPECT_EQ(List->GetItemPath(pagesItem), Pages);
    EXPECT_EQ(List->GetItemPath(pagesItem + 1), Pages + "/Drafts");

    // A folder relative to the current one; the same folder again changes nothing.
    List->SetDirectory("img");
    EXPECT_EQ(GetCurrentDir(), Pages + "/img");
    List->SetDirectory(Pages + "/img/");
    EXPECT_EQ(Changes, (std::vector<String>{Pages, Pages + "/img"}));
}

TEST_F(QmFilSysTest, AFolderThatCannotBeEnteredIsNamedAndChangesNothing) {
    List->SetDirectory(Pages);
    std::vector<String> before = Items();
    for (const String& bad : {Pages + "/missing", Pages + "/index.html"}) {
        try {
            List->SetDirectory(bad);
            ADD_FAILURE() << "no error for " << bad;
        } catch (const EInOutError& e) {
            EXPECT_NE(e.Message().find(bad), String::npos) << e.Message();
        }
    }
    EXPECT_EQ(GetCurrentDir(), Pages);
    EXPECT_EQ(List->Directory(), Pages);
    EXPECT_EQ(Items(), before);
    EXPECT_EQ(Changes.size(), 1u);
}

TEST_F(QmFilSysTest, DoubleClickingAFolderOpensIt) {
    List->SetDirectory(Pages);
    bool doubleClicked = false;
    List->OnDblClick = [&](TObject*) {
        doubleClicked = true;
        EXPECT_EQ(List->Directory(), Pages);
    };
    int drafts = List->Items().IndexOf("Drafts");
    List->SetItemIndex(drafts);
    TRect item = List->ItemRect(drafts);
    TestHooks::DoubleClickMouse(*List, item.Left + 5, item.Top + 2);
    EXPECT_TRUE(doubleClicked);
    EXPECT_EQ(List->Directory(), Pages + "/Drafts");
    EXPECT_EQ(GetCurrentDir(), Pages + "/Drafts");
}

// Every subfolder sits one step further in than the current folder, except at the root, whose
// own separator counts as a step.
TEST_F(QmFilSysTest, SubfoldersAreIndentedPastTheCurrentFolder) {
    List->SetDirectory("/");
    EXPECT_EQ(List->ItemIndent(0), 2);
    EXPECT_EQ(List->ItemIndent(1), 10);

    List->SetDirectory(Pages);
    int pagesItem = List->Items().IndexOf("pages");
    EXPECT_EQ(List->ItemIndent(pagesItem - 1) + 4, List->ItemIndent(pagesItem));
    EXPECT_EQ(List->ItemIndent(pagesItem) + 4, List->ItemIndent(pagesItem + 1));
    EXPECT_EQ(List->ItemIndent(pagesItem + 1), List->ItemIndent(pagesItem + 2));
}

TEST_F(QmFilSysTest, TheDriveListShowsTheKindsAskedForEachWithTheTextOfItsKind) {
    SetLogicalDrivesForTests(std::vector<TLogicalDrive>{
        {"/media/usb", "/media/usb", DRIVE_REMOVABLE, "Stick", ""},
        {"/", "/", DRIVE_FIXED, "System", ""},
        {"/media/cd", "/media/cd", DRIVE_CDROM, "", ""},
        {"/mnt/share", "/mnt/share", DRIVE_REMOTE, "Net", "\\\\Server\\Share"},
        {"/mnt/lost", "/mnt/lost", DRIVE_REMOTE, "Lost", ""},
        {"/proc", "/proc", DRIVE_UNKNOWN, "", ""},
        {"/gone", "/gone", DRIVE_NO_ROOT_DIR, "", ""},
    });
    auto* drives = new TQmDriveComboBox(Form);
    drives->SetParent(Form);
    using Items = std::vector<String>;
    struct Case {
        TDriveTypes Types;
        TTextCase TextCase;
        Items Expected;
    };
    const Items all{"/media/usb", "/ [system]", "/media/cd", "/mnt/share \\\\server\\share",
                    "/mnt/lost [lost]"};
    for (const Case& c : {
             Case{{dtFloppy, dtFixed, dtNetwork, dtCDROM, dtRAM}, tcLowerCase, all},
             Case{{dtFixed, dtCDROM}, tcLowerCase, Items{"/ [system]", "/media/cd"}},
             Case{{dtFloppy, dtNetwork},
                  tcUpperCase,
                  Items{"/MEDIA/USB", "/MNT/SHARE \\\\SERVER\\SHARE", "/MNT/LOST [LOST]"}},
             Case{{}, tcLowerCase, Items{}},
         }) {
        drives->SetDriveTypes(c.Types);
        drives->SetTextCase(c.TextCase);
        Items items;
        for (int i = 0; i < drives->Items().Count(); ++i)
            items.push_back(drives->Items()[i]);
        EXPECT_EQ(items, c.Expected);
        EXPECT_EQ(drives->ItemIndex(), c.Expected.empty() ? -1 : 0);
    }
    // A drive letter kept from elsewhere changes nothing.
    drives->SetDrive('c');
    EXPECT_EQ(drives->Drive(), '/');
}

namespace {

String ShippedPictureFile(const String& name) {
    return String(QM_SOURCE_DATA) + "/glyphs/" + name + ".bmp";
}

// Whether glyph is the shipped picture name, pixel for pixel.
bool ShowsPicture(TObject* glyph, const String& name) {
    auto* bitmap = dynamic_cast<TBitmap*>(glyph);
    TBitmap shipped;
    shipped.LoadFromFile(ShippedPictureFile(name));
    if (!bitmap || bitmap->Width() != shipped.Width() || bitmap->Height() != shipped.Height())
        return false;
    for (int y = 0; y < shipped.Height(); ++y)
        for (int x = 0; x < shipped.Width(); ++x)
            if (bitmap->PixelAt(x, y) != shipped.PixelAt(x, y))
                return false;
    return true;
}

bool IsEmptyGlyph(TObject* glyph) {
    auto* bitmap = dynamic_cast<TBitmap*>(glyph);
    return bitmap && bitmap->Empty();
}

} // namespace

TEST_F(QmFilSysTest, FoldersAndDrivesCarryTheProgramsPicturesOrNoneWhenTheyAreMissing) {
    struct Picture {
        const char* Name;
        int Height;
    };
    for (Picture picture :
         {Picture{"QM_OPENFOLDER", 16}, Picture{"QM_CURRENTFOLDER", 16},
          Picture{"QM_CLOSEDFOLDER", 16}, Picture{"QM_FLOPPY", 13}, Picture{"QM_FIXEDDISK", 13},
          Picture{"QM_NETDRIVE", 13}, Picture{"QM_CDROM", 13}, Picture{"QM_RAM", 13}}) {
        TBitmap shipped;
        shipped.LoadFromFile(ShippedPictureFile(picture.Name));
        EXPECT_EQ(shipped.Width(), 16) << picture.Name;
        EXPECT_EQ(shipped.Height(), picture.Height) << picture.Name;
    }

    // The fixture's list was made while the program folder had no pictures.
    List->SetDirectory(Pages);
    for (int i = 0; i < List->Items().Count(); ++i)
        EXPECT_TRUE(IsEmptyGlyph(List->Items().GetObject(i))) << List->Items()[i];

    // A damaged picture in the program folder is not replaced by the shipped one; its glyph
    // stays empty and the control is made all the same.
    ASSERT_TRUE(ForceDirectories(ProgramFolder() + "glyphs"));
    WriteFileAtomic(ProgramFolder() + "glyphs/QM_RAM.bmp", "not a picture");
    SetShippedDataFolder(QM_SOURCE_DATA);
    auto* list = new TQmDirectoryListBox(Form);
    SetLogicalDrivesForTests(std::vector<TLogicalDrive>{
        {"/media/usb", "/media/usb", DRIVE_REMOVABLE, "", ""},
        {"/", "/", DRIVE_FIXED, "", ""},
        {"/mnt/share", "/mnt/share", DRIVE_REMOTE, "", "\\\\server\\share"},
        {"/media/cd", "/media/cd", DRIVE_CDROM, "", ""},
        {"/mnt/ram", "/mnt/ram", DRIVE_RAMDISK, "", ""},
    });
    auto* drives = new TQmDriveComboBox(Form);
    SetShippedDataFolder("");

    const TStrings& folders = list->Items();
    EXPECT_TRUE(ShowsPicture(folders.GetObject(0), "QM_OPENFOLDER"));
    EXPECT_TRUE(ShowsPicture(folders.GetObject(folders.IndexOf("pages")), "QM_CURRENTFOLDER"));
    EXPECT_TRUE(ShowsPicture(folders.GetObject(folders.IndexOf("img")), "QM_CLOSEDFOLDER"));
    const TStrings& items = drives->Items();
    ASSERT_EQ(items.Count(), 5);
    EXPECT_TRUE(ShowsPicture(items.GetObject(0), "QM_FLOPPY"));
    EXPECT_TRUE(ShowsPicture(items.GetObject(1), "QM_FIXEDDISK"));
    EXPECT_TRUE(ShowsPicture(items.GetObject(2), "QM_NETDRIVE"));
    EXPECT_TRUE(ShowsPicture(items.GetObject(3), "QM_CDROM"));
    EXPECT_TRUE(IsEmptyGlyph(items.GetObject(4)));
}

TEST_F(QmFilSysTest, TheDriveListItemsAreTallEnoughForTheirFont) {
    auto* drives = new TQmDriveComboBox(Form);
    drives->SetParent(Form);
    drives->Font().SetHeight(-8);
    EXPECT_EQ(drives->ItemHeight(), std::max(13, FontLineHeight(drives->Font())));
    drives->Font().SetHeight(-30);
    EXPECT_EQ(drives->ItemHeight(), FontLineHeight(drives->Font()));
    EXPECT_GT(drives->ItemHeight(), 30);
}

// Paths kept lower-cased come back as the disk spells them; a name that is not there stays as
// it was given.
TEST_F(QmFilSysTest, LongFormsSpellEveryNameAsTheDiskDoes) {
    String lower = LowerCase(Pages);
    ASSERT_NE(lower, Pages);
    EXPECT_EQ(LongFormOfPath(lower + "/drafts"), Pages + "/Drafts");
    EXPECT_EQ(LongFormOfPath(lower + "/drafts/new"), Pages + "/Drafts/new");
    EXPECT_EQ(LongFormOfPath("/"), "/");
    EXPECT_EQ(LongFormOfName(Pages + "/DRAFTS/"), "Drafts");
    EXPECT_EQ(LongFormOfName(Pages + "/dr*"), "dr*");
    EXPECT_EQ(LongFormOfName("/"), "/");
    SetCurrentDir(Pages);
    EXPECT_EQ(LongFormOfPath("drafts"), Pages + "/Drafts");
}

TEST_F(QmFilSysTest, TheLinkedLabelShowsTheFolderShortenedToItsWidth) {
    List->SetDirectory(Pages + "/Drafts");
    auto* label = new TLabel(Form);
    label->SetParent(Form);
    List->SetDirLabel(label);
    struct Case {
        bool AutoSize;
        int LabelWidth;
        int ListWidth;
    };
    for (Case c : {Case{false, 2000, 10}, Case{true, 10, 2000}}) {
        label->SetAutoSize(c.AutoSize);
        label->SetWidth(c.LabelWidth);
        List->SetWidth(c.ListWidth);
        List->UpdateLabelCaption();
        EXPECT_EQ(label->Caption(), Pages + "/Drafts") << c.AutoSize;
    }
    for (Case c : {Case{false, 60, 2000}, Case{true, 2000, 60}}) {
        label->SetAutoSize(c.AutoSize);
        label->SetWidth(c.LabelWidth);
        List->SetWidth(c.ListWidth);
        List->UpdateLabelCaption();
        String caption = label->Caption();
        EXPECT_LT(caption.size(), Pages.size()) << c.AutoSize;
        EXPECT_EQ(caption.substr(caption.size() - 6), "Drafts") << caption;
    }
    // Changing the folder shows the new one.
    label->SetAutoSize(false);
    label->SetWidth(2000);
    List->SetDirectory(Pages);
    EXPECT_EQ(label->Caption(), Pages);
}
