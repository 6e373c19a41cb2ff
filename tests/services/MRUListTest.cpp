// The recent-items menus: the list's order and limit, the menu items they make, a click on one,
// and the list kept in the registry between runs.

#include "services/MRULiss.h"

#include "platform/Menus.h"
#include "platform/Registry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<String> Entries(const TMRUFileList& list) {
    std::vector<String> entries;
    for (int i = 0; i < list.Items().Count(); ++i)
        entries.push_back(list.Items()[i]);
    return entries;
}

std::vector<String> Captions(const TMenuItem* menu) {
    std::vector<String> captions;
    for (int i = 0; i < menu->Count(); ++i)
        captions.push_back(menu->Items(i)->Caption());
    return captions;
}

TMenuItem* NewItem(TComponent* owner, TMenuItem* parent, const String& caption) {
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

// The main window's recent-files list as its form gives it.
TMRUFileList* NewFileList(TComponent& owner, TMenuItem* fileMenu) {
    TMRUFileList* list = nullptr;
    owner.LoadComponents([&] {
        list = new TMRUFileList(&owner);
        list->SetMaximum(12);
        list->SetFileMenu(fileMenu);
        list->SetAutoSaveName("\\Software\\Olvane\\Quiltmarker\\LatestFiles");
        list->SetAutoSaveKey("MRU Items");
    });
    return list;
}

// A File menu holding only Exit, with a list that shows its entries there and keeps nothing in
// the registry.
struct FileMenuWithList {
    FileMenuWithList() {
        auto* menu = new TMainMenu(&Owner);
        File = NewItem(&Owner, menu->Items(), "&File");
        NewItem(&Owner, File, "E&xit");
        List.SetAutoSave(false);
        List.SetFileMenu(File);
    }
    TComponent Owner{nullptr};
    TMenuItem* File = nullptr;
    TMRUFileList List{nullptr};
};

const char* const StoredKey = "\\Software\\Olvane\\Quiltmarker\\LatestFiles\\MRU Items";

} // namespace

TEST(MRUFileList, AddToTopKeepsNewestFirstWithoutDuplicatesAndCutsAtMaximum) {
    struct Case {
        const char* Name;
        int Maximum;
        std::vector<String> Before;
        String Added;
        std::vector<String> After;
    };
    const std::vector<String> twelve = {"/p12", "/p11", "/p10", "/p9", "/p8", "/p7",
                                        "/p6",  "/p5",  "/p4",  "/p3", "/p2", "/p1"};
    std::vector<String> thirteen = {"/p13"};
    thirteen.insert(thirteen.end(), twelve.begin(), twelve.end() - 1);
    const Case cases[] = {
        {"new path", 5, {"/a", "/b"}, "/c", {"/c", "/a", "/b"}},
        {"path in the list", 5, {"/a", "/b", "/c"}, "/c", {"/c", "/a", "/b"}},
        {"case variant keeps its letters",
         5,
         {"/a", "/Site/Page.htm"},
         "/site/page.HTM",
         {"/Site/Page.htm", "/a"}},
        {"thirteenth path", 12, twelve, "/p13", thirteen},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TMRUFileList list(nullptr);
        list.SetAutoSave(false);
        list.SetMaximum(c.Maximum);
        for (auto it = c.Before.rbegin(); it != c.Before.rend(); ++it)
            list.AddToTop(*it);
        list.AddToTop(c.Added);
        EXPECT_EQ(Entries(list), c.After);
    }
}

TEST(MRUFileList, ASmallerMaximumDropsTheOldestEntries) {
    FileMenuWithList menu;
    TMRUFileList& list = menu.List;
    TMenuItem* file = menu.File;
    for (const char* path : {"/a", "/b", "/c"})
        list.AddToTop(path);

    list.SetMaximum(2);

    EXPECT_EQ(Entries(list), (std::vector<String>{"/c", "/b"}));
    EXPECT_EQ(Captions(file), (std::vector<String>{"E&xit", "-", "&1 /c", "&2 /b"}));
}

TEST(MRUFileList, EntriesAreAppendedToAMenuWithItemsOrStandAboveAChildlessItem) {
    TComponent owner(nullptr);
    auto* mainMenu = new TMainMenu(&owner);
    TMenuItem* file = NewItem(&owner, mainMenu->Items(), "&File");
    NewItem(&owner, file, "&Open...");
    NewItem(&owner, file, "E&xit");
    auto* popup = new TPopupMenu(&owner);
    NewItem(&owner, popup->Items(), "&Refresh");
    TMenuItem* mru1 = NewItem(&owner, popup->Items(), "");
    NewItem(&owner, popup->Items(), "&Properties");

    TMRUFileList files(nullptr), folders(nullptr);
    for (TMRUFileList* list : {&files, &folders})
        list->SetAutoSave(false);
    files.SetFileMenu(file);
    folders.SetFileMenu(mru1);
    folders.SetMaximum(16);
    EXPECT_EQ(file->Count(), 2) << "an empty list adds no separator";
    EXPECT_EQ(popup->Items()->Count(), 3);

    for (const char* path : {"/web/a.htm", "/web/b.htm"})
        files.AddToTop(path);
    for (const char* folder : {"/web", "/web/images", "/web"})
        folders.AddToTop(folder);

    EXPECT_EQ(Captions(file),
              (std::vector<String>{"&Open...", "E&xit", "-", "&1 /web/b.htm", "&2 /web/a.htm"}));
    EXPECT_EQ(Captions(popup->Items()), (std::vector<String>{"&Refresh", "-", "&1 /web",
                                                             "&2 /web/images", "", "&Properties"}));

    files.SetUseSubmenu(true);
    ASSERT_EQ(Captions(file), (std::vector<String>{"&Open...", "E&xit", "-", "Reopen"}));
    EXPECT_EQ(Captions(file->Items(3)), (std::vector<String>{"&1 /web/b.htm", "&2 /web/a.htm"}));
}

TEST(MRUFileList, AClickReportsThePathAndTakesTheEntryOutUnlessTold) {
    for (bool removeOnClick : {true, false}) {
        SCOPED_TRACE(removeOnClick ? "removed on click" : "kept on click");
        FileMenuWithList menu;
        TMRUFileList& list = menu.List;
        TMenuItem* file = menu.File;
        list.SetRemoveOnClick(removeOnClick);
        for (const char* path : {"/d.htm", "/c.htm", "/b.htm", "/a.htm"})
            list.AddToTop(path);
        TMenuItem* third = file->Items(4);
        ASSERT_EQ(third->Caption(), "&3 /c.htm");
        std::vector<String> reported;
        // Opening the clicked file puts it at the top again, which rebuilds the menu while the
        // click is still being handled.
        list.OnMRUItemClick = [&](TObject* sender, const String& path) {
            EXPECT_EQ(sender, third);
            reported.push_back(path);
            list.AddToTop(path);
            EXPECT_EQ(static_cast<TMenuItem*>(sender)->Caption(), "&3 /c.htm");
        };

        third->Click();

        EXPECT_EQ(reported, std::vector<String>{"/c.htm"});
        EXPECT_EQ(Captions(file), (std::vector<String>{"E&xit", "-", "&1 /c.htm", "&2 /a.htm",
                                                       "&3 /b.htm", "&4 /d.htm"}));
        list.OnMRUItemClick = [&](TObject*, const String& path) { reported.push_back(path); };
        file->Items(4)->Click();
        EXPECT_EQ(reported, (std::vector<String>{"/c.htm", "/b.htm"}));
        EXPECT_EQ(list.Items().Count(), removeOnClick ? 3 : 4);
        EXPECT_EQ(file->Count(), removeOnClick ? 5 : 6);
    }
}

TEST(MRUFileList, TheListIsSavedWholeUnderItsKeyAndLoadedWhenTheFormIsLoaded) {
    {
        TRegistry reg;
        reg.OpenKey(StoredKey, true);
        for (int i = 0; i < 5; ++i)
            reg.WriteString("F" + IntToStr(i), "/old" + IntToStr(i));
    }
    {
        TComponent owner(nullptr);
        TMRUFileList* list = NewFileList(owner, nullptr);
        EXPECT_EQ(list->Items().Count(), 5);
        list->SetMaximum(3);
        for (const char* path : {"/web/c.htm", "/web/b.htm", "/web/a.htm"})
            list->AddToTop(path);
    }

    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(StoredKey, false));
    TStringList names;
    reg.GetValueNames(&names);
    ASSERT_EQ(names.Count(), 3);
    const char* expected[] = {"/web/a.htm", "/web/b.htm", "/web/c.htm"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(names[i], "F" + IntToStr(i));
        EXPECT_EQ(reg.GetDataType(names[i]), rdString);
        EXPECT_EQ(reg.ReadString(names[i]), expected[i]);
    }

    // Values that hold no path are left out; the others come in the order they stand.
    reg.WriteString("F3", "");
    unsigned char bytes[] = {1, 2};
    reg.WriteBinaryData("F4", bytes, sizeof bytes);
    reg.WriteString("Extra", "/web/d.htm");
    TComponent owner(nullptr);
    auto* menu = new TMainMenu(&owner);
    TMenuItem* file = NewItem(&owner, menu->Items(), "&File");
    NewItem(&owner, file, "E&xit");
    TMRUFileList* list = NewFileList(owner, file);
    EXPECT_EQ(Captions(file), (std::vector<String>{"E&xit", "-", "&1 /web/a.htm", "&2 /web/b.htm",
                                                   "&3 /web/c.htm", "&4 /web/d.htm"}));
    list->SetAutoSave(false);
}
