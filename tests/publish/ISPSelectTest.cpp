// The ISP destinations: names added, deleted and kept across the dialog's making, and the chosen
// one picking the replace-code variant of a published page.

#include "publish/HTMLISPSelect.h"

#include "TestSupport.h"
#include "platform/FileUtils.h"
#include "platform/Registry.h"
#include "platform/StdCtrls.h"
#include "platform/TestHooks.h"
#include "publish/Ferrydock95Main.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class ISPSelectTest : public testing::Test {
protected:
    static std::unique_ptr<TISPSelectForm> MakeDialog() {
        return std::make_unique<TISPSelectForm>(nullptr);
    }

    static std::vector<String> Listed(TISPSelectForm& dialog) {
        std::vector<String> names;
        for (int i = 0; i < dialog.ISPCombo->Items().Count(); ++i)
            names.push_back(dialog.ISPCombo->Items()[i]);
        return names;
    }

    static std::vector<String> Stored() {
        std::vector<String> names;
        TRegistry reg;
        if (!reg.OpenKeyReadOnly(ISPFoldersKey))
            return names;
        for (int i = 1; reg.ValueExists(IntToStr(i)); ++i)
            names.push_back(reg.ReadString(IntToStr(i)));
        return names;
    }

    static void Add(TISPSelectForm& dialog, const String& name) {
        dialog.ISPCombo->SetText(name);
        dialog.AddButtonClick(nullptr);
    }

    static void Choose(TISPSelectForm& dialog, const String& name) {
        dialog.ISPCombo->SetItemIndex(dialog.ISPCombo->Items().IndexOf(name));
    }
};

TEST_F(ISPSelectTest, FreshDialogShowsNoneAndTheFirstNameIsStoredAsOne) {
    auto dialog = MakeDialog();
    EXPECT_EQ(Listed(*dialog), (std::vector<String>{"[none]"}));
    Add(*dialog, "hostone.net");
    Add(*dialog, "HOSTONE.NET"); // the same name in other case
    Add(*dialog, "");
    EXPECT_EQ(Stored(), (std::vector<String>{"hostone.net"}));
}

TEST_F(ISPSelectTest, AddingAfterADeleteKeepsEveryStoredName) {
    auto dialog = MakeDialog();
    for (const char* name : {"alpha", "bravo", "charlie", "delta", "echo"})
        Add(*dialog, name);
    Choose(*dialog, "charlie");
    dialog->Button2Click(nullptr);
    Add(*dialog, "foxtrot");

    auto again = MakeDialog();
    for (const char* name : {"alpha", "bravo", "delta", "echo", "foxtrot", "[none]"})
        EXPECT_GE(again->ISPCombo->Items().IndexOf(name), 0) << name;
    EXPECT_EQ(again->ISPCombo->Items().Count(), 6);
    EXPECT_EQ(again->ISPCombo->Items().IndexOf("charlie"), -1);
}

TEST_F(ISPSelectTest, TypedDotDeletesOnlyTheWholeSelectedNameAndNeverTheFirstEntry) {
    auto dialog = MakeDialog();
    Add(*dialog, "isp.com");
    Add(*dialog, "web.org");
    const String first = dialog->ISPCombo->Items()[0];
    const String second = dialog->ISPCombo->Items()[1];

    Choose(*dialog, second);
    dialog->ISPCombo->SetText(second.substr(0, 3)); // a name being typed
    char key = '.';
    dialog->ISPComboKeyPress(nullptr, key);
    EXPECT_EQ(key, '.');
    EXPECT_EQ(dialog->ISPCombo->Items().Count(), 3);

    Choose(*dialog, first);
    key = '.';
    dialog->ISPComboKeyPress(nullptr, key);
    EXPECT_EQ(dialog->ISPCombo->Items().IndexOf(first), 0);

    Choose(*dialog, second);
    key = '.';
    dialog->ISPComboKeyPress(nullptr, key);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(dialog->ISPCombo->Items().IndexOf(second), -1);

    Choose(*dialog, first);
    dialog->Button2Click(nullptr);
    EXPECT_EQ(dialog->ISPCombo->Items().Count(), 1);
    EXPECT_EQ(Stored().size(), 1u);
}

TEST_F(ISPSelectTest, WindowBoundsAreKeptAndReadingStopsAtAGap) {
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(ISPFoldersKey, true));
        reg.WriteString("1", "First.Host");
        reg.WriteString("3", "after.gap");
    }
    auto dialog = MakeDialog();
    EXPECT_EQ(dialog->ISPCombo->Items().IndexOf("first.host") >= 0, true);
    EXPECT_EQ(dialog->ISPCombo->Items()[dialog->ISPCombo->Items().IndexOf("first.host")],
              "first.host");
    EXPECT_EQ(dialog->ISPCombo->Items().IndexOf("after.gap"), -1);
    dialog->SetBounds(40, 50, 220, 330);
    dialog->OKButtonClick(nullptr);
    EXPECT_EQ(dialog->ModalResult(), mrOk);

    auto again = MakeDialog();
    EXPECT_EQ(again->Left(), 40);
    EXPECT_EQ(again->Top(), 50);
    EXPECT_EQ(again->Width(), 220);
    EXPECT_EQ(again->Height(), 330);
}

TEST_F(ISPSelectTest, ChosenDestinationPicksTheReplaceCodeVariant) {
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("\\Software\\Olvane\\Quiltmarker\\Replace Codes", true));
        reg.WriteString("host", "[[alpha]]Alpha hosting\\n[[bravo]]Bravo hosting\\n[[default]]Own");
    }
    const String site = IncludeTrailingPathDelimiter(TestSupport::Sandbox("site"));
    const String out = IncludeTrailingPathDelimiter(TestSupport::Sandbox("out"));
    ForceDirectories(site);
    ForceDirectories(out);
    WriteFileAtomic(site + "p.html", "{{host}}\r\n");
    auto publisher = std::make_unique<TFerrydock95Form>(nullptr);
    publisher->NoChangeButton->SetChecked(true);
    publisher->NoPublishedMessage = true;

    auto dialog = MakeDialog();
    Add(*dialog, "alpha");
    Add(*dialog, "bravo");
    for (const char* choice : {"bravo", "alpha"}) {
        TestHooks::AnswerModal([choice](TForm& form) {
            auto& isp = dynamic_cast<TISPSelectForm&>(form);
            Choose(isp, choice);
            isp.OKButtonClick(nullptr);
        });
        ASSERT_EQ(dialog->ShowModal(), mrOk);
        publisher->DestinationKey = dialog->ISPCombo->Text();
        publisher->PubFileName->SetText(site + "p.html");
        publisher->PublishTo->SetText(out);
        publisher->PublishFiles();
        EXPECT_EQ(ReadFileBytes(out + "p.html"),
                  String(choice) == "alpha" ? "Alpha hosting\r\n" : "Bravo hosting\r\n");
    }
}

} // namespace
