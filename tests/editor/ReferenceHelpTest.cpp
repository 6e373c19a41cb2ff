// The reference help files of the Help menu, keyword help on the tag at the caret, locating the
// two reference files, and the about box.

#include "editor/ReferenceHelp.h"
#include "MainWindowSupport.h"
#include "TestSupport.h"
#include "editor/AboutForm.h"
#include "editor/HTMLLocationForm.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/FileUtils.h"
#include "platform/IniFiles.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "platform/SystemStatus.h"
#include "platform/TestHooks.h"
#include "platform/WinHelp.h"
#include "tags/HTMLGlobal.h"
#include "widgets/QmCtrls.h"
#include "widgets/WebLabel.h"

#include <gtest/gtest.h>

using namespace MainWindowSupport;

namespace {

class ReferenceHelp : public testing::Test {
protected:
    void SetUp() override {
        GlobalForm = new TGlobalForm(nullptr);
        Form = MakeMainWindow();
        WriteFileAtomic(Form->ProgramFolder + "acknowledgements.txt",
                        "\r\nThanks to all.\r\nAnd to you.\r\n");
    }
    void TearDown() override {
        RunHelpViewer(HTML40File(), HELP_QUIT, 0);
        SetShippedDataFolder("");
        Form.reset();
        delete GlobalForm;
        GlobalForm = nullptr;
    }

    String HTML40File() const { return Form->ProgramFolder + "help" + PathDelim + "wdghtml40.hlp"; }
    // The help file of a reference, as an index the viewer can read.
    String MakeHelpFile(const String& name) const {
        String path = TestSupport::CurrentSandbox + PathDelim + name;
        WriteFileAtomic(path, "[Options]\r\nTitle=Reference\r\n");
        return path;
    }
    void AnswerLocation(const String& path, String* label = nullptr, String* shownText = nullptr) {
        TestHooks::AnswerModal([=](TForm& form) {
            auto& location = dynamic_cast<TLocationForm&>(form);
            if (label)
                *label = location.LocLabel->Caption();
            if (shownText)
                *shownText = location.LocEdit->Text();
            location.LocEdit->SetText(path);
            location.OKButton->Click();
        });
    }
    String StoredHelpValue(const String& name) const {
        TRegistry reg;
        if (!reg.OpenKeyReadOnly(ProductKey + "\\Help") || !reg.ValueExists(name))
            return "(none)";
        return reg.ReadString(name);
    }

    std::unique_ptr<THTMLEMainForm> Form;
};

} // namespace

// The Help menu's item and the pop-up menu's, each named as its menu opens.
TEST_F(ReferenceHelp, OpeningAMenuNamesTheTagAtTheCaret) {
    struct Case {
        const char* Text;
        int Caret;
        const char* Caption;
        bool Enabled;
    };
    const Case cases[] = {
        {"<p><table border=1></table>", 6, "Help on &<TABLE>", true},
        {"text</body>", 7, "Help on &<BODY>", true},
        {"<b>bold</b>", 5, "Help on <TAG>", false},
        {"<!-- note -->", 3, "Help on <TAG>", false},
        {"<hr>", 0, "Help on <TAG>", false},
        {"<img src=a.gif>", 2, "Help on &<IMG>", true},
        {"<blink>on</blink>", 3, "Help on &<BLINK>", true}, // no page: the viewer says so
    };
    UsePage(*Form, 0, "/site/page.htm", "");
    TMenuItem* fromPopup = Form->ReferenceHelp->HelponTAG1;
    TMenuItem* fromHelp = Form->ReferenceHelp->HelponTAG2;
    EXPECT_EQ(fromPopup->Parent(), Form->MainPopupMenu->Items());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        Form->Memos[0]->SetText(c.Text);
        Form->Memos[0]->SetSelStart(c.Caret);
        Form->MainPopupMenu->Popup(0, 0);
        EXPECT_EQ(fromPopup->Visible(), c.Enabled);
        if (c.Enabled) {
            EXPECT_EQ(fromPopup->Caption(), c.Caption);
        }
        Form->Help1->Click();
        EXPECT_EQ(fromHelp->Caption(), c.Caption);
        EXPECT_EQ(fromHelp->Enabled(), c.Enabled);
    }
}

TEST_F(ReferenceHelp, KeywordHelpLooksTheTagUpInTheJumpsTable) {
    const String longKeyword(600, 'k');
    struct Case {
        const char* Name;
        const char* Caption;
        bool WithTable;
        String Keyword;
    };
    const Case cases[] = {
        {"entry", "Help on &<TABLE>", true, "Tables"},
        {"key in another case", "Help on &<Table>", true, "Tables"},
        {"no entry", "Help on &<BODY>", true, "BODY"},
        {"empty entry", "Help on &<P>", true, "P"},
        {"oversized entry", "Help on &<DIV>", true, longKeyword.substr(0, 499)},
        {"end tag in the caption", "Help on &</UL>", true, "UL"},
        {"no table", "Help on &<TABLE>", false, "TABLE"},
    };
    const String jumps = Form->ProgramFolder + "WDGJump.ini";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TestHooks::Reset();
        DeleteFile(jumps);
        if (c.WithTable)
            WriteFileAtomic(jumps, "[Jumps]\r\ntable=Tables\r\nP=\r\nDIV=" + longKeyword + "\r\n");
        Form->ReferenceHelp->HelponTAG2->SetEnabled(true);
        Form->ReferenceHelp->HelponTAG2->SetCaption(c.Caption);
        Form->ReferenceHelp->HelponTAG2->Click();
        const auto& requests = TestHooks::HelpRequests();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].HelpFile, HTML40File());
        EXPECT_EQ(requests[0].Command, static_cast<UINT>(HELP_KEY));
        EXPECT_EQ(requests[0].Keyword, c.Keyword);
    }
}

TEST_F(ReferenceHelp, TheHTML40ReferenceOpensOrItsAbsenceIsReported) {
    TestHooks::AnswerMessageBox(IDOK);
    Form->ReferenceHelp->HTML40Help1->Click();
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Caption, "Quiltmarker");
    EXPECT_EQ(TestHooks::Prompts()[0].Text,
              "Failed to run Help file. Please check that\r\nthe file 'wdghtml40.hlp' is "
              "installed in\r\nQuiltmarker's Help folder.");
    EXPECT_EQ(TestHooks::Prompts()[0].Icon(), static_cast<UINT>(MB_ICONERROR));
    EXPECT_TRUE(TestHooks::HelpRequests().empty());

    TestHooks::Reset();
    ForceDirectories(ExtractFilePath(HTML40File()));
    WriteFileAtomic(HTML40File(), "[Options]\r\nTitle=HTML 4.0\r\n");
    Form->ReferenceHelp->HTML40Help1->Click();
    EXPECT_TRUE(TestHooks::Prompts().empty());
    ASSERT_EQ(TestHooks::HelpRequests().size(), 1u);
    EXPECT_EQ(TestHooks::HelpRequests()[0].HelpFile, HTML40File());
    EXPECT_EQ(TestHooks::HelpRequests()[0].Command, static_cast<UINT>(HELP_FINDER));
}

// With the shipped reference in the program folder, the viewer shows the page that was asked for.
TEST_F(ReferenceHelp, TheShippedReferenceShowsTheTagsPageOrItsContents) {
    SetShippedDataFolder(QM_SOURCE_DATA);
    ProgramFolder(); // filled from the shipped files
    const String pages = Form->ProgramFolder + "help" + PathDelim + "html40" + PathDelim;
    struct Case {
        const char* Text;
        int Caret;
        bool FromPopup;
        String Shown;
    };
    const Case cases[] = {
        {"<table border=1>", 3, true, pages + "table.html"},
        {"text</body>", 7, false, pages + "body.html"},
        {"<embed src=a.swf>", 3, true, pages + "object.html"}, // through the jump table
        {"<blink>", 3, false, "(index)"},
    };
    UsePage(*Form, 0, "/site/page.htm", "");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        TestHooks::Reset();
        Form->Memos[0]->SetText(c.Text);
        Form->Memos[0]->SetSelStart(c.Caret);
        if (c.FromPopup) {
            Form->MainPopupMenu->Popup(0, 0);
            Form->ReferenceHelp->HelponTAG1->Click();
        } else {
            Form->Help1->Click();
            Form->ReferenceHelp->HelponTAG2->Click();
        }
        ASSERT_EQ(TestHooks::HelpRequests().size(), 1u);
        const TestHooks::THelpRequest request = TestHooks::HelpRequests()[0];
        ASSERT_TRUE(RunHelpViewer(request.HelpFile, request.Command,
                                  reinterpret_cast<uintptr_t>(request.Keyword.c_str())));
        EXPECT_EQ(HelpWindowSource(false), c.Shown);
    }

    TestHooks::Reset();
    Form->ReferenceHelp->HTML40Help1->Click();
    EXPECT_TRUE(TestHooks::Prompts().empty());
    ASSERT_EQ(TestHooks::HelpRequests().size(), 1u);
    ASSERT_TRUE(RunHelpViewer(TestHooks::HelpRequests()[0].HelpFile, HELP_FINDER, 0));
    EXPECT_EQ(HelpWindowSource(false), pages + "index.html");
}

// Every element the attribute catalogue knows has its page, and every tag the jump table sends
// elsewhere is no element and lands on one that has.
TEST(ShippedReference, EveryElementAndEveryJumpHasItsPage) {
    const String data = String(QM_SOURCE_DATA) + PathDelim;
    const String reference = data + "help" + PathDelim + "wdghtml40.hlp";
    auto expectPage = [&](const String& keyword) {
        THelpTopic topic;
        ASSERT_TRUE(FindHelpTopic(reference, HELP_KEY, reinterpret_cast<uintptr_t>(keyword.c_str()),
                                  topic));
        EXPECT_EQ(topic.Page,
                  ExtractFilePath(reference) + "html40" + PathDelim + LowerCase(keyword) + ".html");
    };
    TIniFile catalogue(data + "html40.att");
    TStringList elements;
    catalogue.ReadSections(&elements);
    ASSERT_GT(elements.Count(), 80);
    for (int i = 0; i < elements.Count(); ++i)
        expectPage(elements[i]);
    TIniFile jumps(data + "WDGJump.ini");
    TStringList tags;
    jumps.ReadSection("Jumps", &tags);
    ASSERT_GT(tags.Count(), 0);
    for (int i = 0; i < tags.Count(); ++i) {
        SCOPED_TRACE(tags[i]);
        EXPECT_FALSE(catalogue.SectionExists(tags[i]));
        expectPage(jumps.ReadString("Jumps", tags[i], ""));
    }
}

TEST_F(ReferenceHelp, TheReferenceLibraryIsLocatedOnceThenOpensAtOnce) {
    const String path = MakeHelpFile("ref lib.hlp");
    String label;
    AnswerLocation(path, &label);
    Form->ReferenceHelp->RefLibHelpClick(nullptr);
    EXPECT_EQ(label, "Location of HTML Ref. Library Help File");
    EXPECT_EQ(StoredHelpValue("HTMLRefLib"), path);
    EXPECT_EQ(Form->ReferenceHelp->RefLibHelpFile, path);
    EXPECT_TRUE(Form->ReferenceHelp->RefLibHelp->Visible());
    EXPECT_TRUE(Form->ReferenceHelp->N11->Visible());
    EXPECT_EQ(LocationForm, nullptr);
    ASSERT_EQ(TestHooks::HelpRequests().size(), 1u);
    EXPECT_EQ(TestHooks::HelpRequests()[0].HelpFile, path);

    TestHooks::Reset();
    Form->ReferenceHelp->RefLibHelp->Click();
    EXPECT_TRUE(TestHooks::Prompts().empty());
    ASSERT_EQ(TestHooks::HelpRequests().size(), 1u);
    EXPECT_EQ(TestHooks::HelpRequests()[0].HelpFile, path);

    // The file has gone: the viewer cannot be started on it.
    TestHooks::Reset();
    DeleteFile(path);
    TestHooks::AnswerMessageBox(IDOK);
    Form->ReferenceHelp->RefLibHelp->Click();
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Text,
              "Failed to run Help file. Please set up Help file again.");
    EXPECT_EQ(TestHooks::Prompts()[0].Icon(), static_cast<UINT>(MB_ICONERROR));
}

TEST_F(ReferenceHelp, CancellingTheLocationOpensTheViewerWithoutAFile) {
    TestHooks::AnswerModalResult(mrCancel);
    Form->ReferenceHelp->IEHelpClick(nullptr);
    EXPECT_EQ(StoredHelpValue("IEHTML"), "(none)");
    EXPECT_EQ(Form->ReferenceHelp->IEHTMLHelpFile, "");
    EXPECT_FALSE(Form->ReferenceHelp->IEHelp->Visible());
    ASSERT_EQ(TestHooks::Prompts().size(), 1u); // the dialog, and no error
    ASSERT_EQ(TestHooks::HelpRequests().size(), 1u);
    EXPECT_EQ(TestHooks::HelpRequests()[0].HelpFile, "");
}

TEST_F(ReferenceHelp, SettingUpHelpFilesAsksForBothWithTheirPaths) {
    Form->ReferenceHelp->RefLibHelpFile = "/old/ref.hlp";
    const String ie = MakeHelpFile("ie.hlp");
    String refLabel, refShown, ieLabel, ieShown;
    AnswerLocation("/new/ref.hlp", &refLabel, &refShown);
    AnswerLocation(ie, &ieLabel, &ieShown);
    Form->ReferenceHelp->SetupHelpFiles->Click();
    EXPECT_EQ(refLabel, "Location of HTML Ref. Library Help File");
    EXPECT_EQ(refShown, "/old/ref.hlp");
    EXPECT_EQ(ieLabel, "Location of IE HTML Help file");
    EXPECT_EQ(ieShown, "");
    EXPECT_EQ(StoredHelpValue("HTMLRefLib"), "/new/ref.hlp");
    EXPECT_EQ(StoredHelpValue("IEHTML"), ie);
    EXPECT_EQ(Form->ReferenceHelp->IEHTMLHelpFile, ie);
    EXPECT_TRUE(TestHooks::HelpRequests().empty());
}

TEST_F(ReferenceHelp, TheAboutBoxTogglesItsPanelsAndStartsAfreshEachTime) {
    Form->VerLabelInvis->SetCaption("Version 3.1");
    for (int showing = 0; showing < 2; ++showing) {
        SCOPED_TRACE(showing);
        TestHooks::AnswerModal([&](TForm& form) {
            auto& about = dynamic_cast<TAboutForm&>(form);
            EXPECT_EQ(about.Caption(), "About Quiltmarker");
            EXPECT_EQ(about.VersionLabel->Caption(), "Version 3.1");
            EXPECT_FALSE(about.AckPanel->Visible());
            EXPECT_FALSE(about.SystemPanel->Visible());

            about.SystemButton->Click();
            EXPECT_TRUE(about.SystemPanel->Visible());
            EXPECT_EQ(about.ListBox1->Items().Count(), 4);
            about.AckButton->Click(); // credits hide the system panel
            EXPECT_TRUE(about.AckPanel->Visible());
            EXPECT_FALSE(about.SystemPanel->Visible());
            EXPECT_TRUE(about.SecretPanel1->Active());
            EXPECT_EQ(about.SecretPanel1->Lines()[1], "Thanks to all.");
            about.SystemButton->Click(); // the system panel leaves the credits alone
            EXPECT_TRUE(about.SystemPanel->Visible());
            EXPECT_TRUE(about.AckPanel->Visible());
            about.SystemButton->Click();
            EXPECT_FALSE(about.SystemPanel->Visible());
            about.AckButton->Click();
            EXPECT_FALSE(about.AckPanel->Visible());
            if (showing == 0)
                about.AckButton->Click(); // left showing: the next box starts without it
            about.OKButton->Click();
        });
        Form->ReferenceHelp->AboutHelp->Click();
        EXPECT_EQ(AboutForm, nullptr);
    }
}

TEST_F(ReferenceHelp, TheCreditsEndByThemselvesOrOnADoubleClick) {
    TAboutForm about(nullptr);
    about.AckButton->Click();
    TSecretPanel& panel = *about.SecretPanel1;
    ASSERT_TRUE(panel.Active());
    panel.OnDblClick(&panel);
    EXPECT_FALSE(about.AckPanel->Visible());

    about.AckButton->Click();
    ASSERT_TRUE(about.AckPanel->Visible());
    // The text rises a pixel a tick until it has gone, and the next tick ends the play.
    ASSERT_GT(panel.ScrollLength(), 3 * 13);
    for (int tick = 0; tick < panel.ScrollLength() && panel.Active(); ++tick)
        panel.Timer()->FireTimer();
    EXPECT_TRUE(panel.Active());
    EXPECT_EQ(panel.ScrollPosition(), panel.ScrollLength());
    panel.Timer()->FireTimer();
    EXPECT_FALSE(panel.Active());
    EXPECT_FALSE(about.AckPanel->Visible());
}

TEST_F(ReferenceHelp, MissingCreditsRaiseTheFileErrorAndShowNothing) {
    DeleteFile(Form->ProgramFolder + "acknowledgements.txt");
    TAboutForm about(nullptr);
    EXPECT_ANY_THROW(about.AckButton->Click());
    EXPECT_FALSE(about.AckPanel->Visible());
    EXPECT_FALSE(about.SecretPanel1->Active());
}

TEST_F(ReferenceHelp, TheSystemPanelShowsTheMemoryFiguresAndTheSystem) {
    TAboutForm about(nullptr);
    TMemoryStatus memory;
    memory.MemoryLoad = 45;
    memory.TotalPhys = 8192 * 1024 + 1000;
    memory.AvailPhys = 2048 * 1024 + 1000;
    memory.TotalVirtual = 3 * 1048576 + 5;
    memory.AvailVirtual = 1048576 + 1048575;
    memory.TotalPageFile = 0; // no swap space
    memory.AvailPageFile = 0;
    TOSVersionInfo version;
    version.PlatformId = VER_PLATFORM_WIN32_NT;
    version.MajorVersion = 4;
    version.MinorVersion = 0;
    version.BuildNumber = 0x05000565;
    version.CSDVersion = "Service Pack 3";
    about.FillSystemPanel(memory, version);

    EXPECT_EQ(about.ProgressBar1->Position(), 45);
    EXPECT_EQ(about.MemLoadLabel->Caption(), "45.0%");
    EXPECT_EQ(about.ProgressBar2->Position(), 74); // 74.99...
    EXPECT_EQ(about.PhysMemLabel->Caption(), "75.0%");
    EXPECT_EQ(about.PhysBytesLabel->Caption(), "8192KB");
    EXPECT_EQ(about.PhysFreeLabel->Caption(), "2048KB");
    EXPECT_EQ(about.ProgressBar3->Position(), 33);
    EXPECT_EQ(about.VirtMemLabel->Caption(), "33.3%");
    EXPECT_EQ(about.VirtBytesLabel->Caption(), "3MB");
    EXPECT_EQ(about.VirtFreeLabel->Caption(), "1MB");
    EXPECT_EQ(about.ProgressBar4->Position(), 0);
    EXPECT_EQ(about.PFileMemLabel->Caption(), "0.0%");
    EXPECT_EQ(about.PFileBytesLabel->Caption(), "0MB");
    EXPECT_EQ(
        about.ListBox1->Items().Text(),
        "System: Windows NT\r\nVersion: 4.0\r\nBuild: 1381\r\nSystem Info: 'Service Pack 3'\r\n");

    for (auto [id, line] :
         {std::pair<unsigned, const char*>{VER_PLATFORM_WIN32s, "System: Windows Win 32s"},
          {VER_PLATFORM_WIN32_WINDOWS, "System: Windows 95/98"},
          {VER_PLATFORM_LINUX, "Unknown"}}) {
        version.PlatformId = id;
        about.FillSystemPanel(memory, version);
        EXPECT_EQ(about.ListBox1->Items()[0], line);
        EXPECT_EQ(about.ListBox1->Items().Count(), 4);
    }
}

TEST_F(ReferenceHelp, TheMailLinkCarriesTheVersionInItsSubject) {
    TAboutForm about(nullptr);
    about.VersionLabel->SetCaption("Version 3.1");
    about.WebLabel1->Click();
    EXPECT_EQ(about.WebLabel1->Subject(), "Quiltmarker Version 3.1");
    ASSERT_FALSE(TestHooks::Launches().empty());
}
