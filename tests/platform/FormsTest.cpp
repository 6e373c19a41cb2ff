#include "platform/Forms.h"
#include "platform/ExtCtrls.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A dialog with an OK button, freed with the test.
class FormsTest : public testing::Test {
protected:
    void SetUp() override {
        Dialog = new TForm(Application);
        Dialog->SetCaption("Insert Link");
        Dialog->SetName("LinkForm");
        OkButton = new TButton(Dialog);
        OkButton->SetParent(Dialog);
        OkButton->SetBounds(10, 10, 75, 25);
        OkButton->SetModalResult(mrOk);
    }
    void TearDown() override {
        if (Dialog)
            Dialog->Free();
    }
    void LogEvents(TForm& form, const String& name) {
        form.OnShow = [this, name](TObject*) { Log.push_back(name + " show"); };
        form.OnActivate = [this, name](TObject*) { Log.push_back(name + " activate"); };
        form.OnDeactivate = [this, name](TObject*) { Log.push_back(name + " deactivate"); };
        form.OnCloseQuery = [this, name](TObject*, bool&) { Log.push_back(name + " close query"); };
        form.OnClose = [this, name](TObject*, TCloseAction&) { Log.push_back(name + " close"); };
    }

    std::vector<String> Log;
    TForm* Dialog = nullptr;
    TButton* OkButton = nullptr;
};

// Collects the prompts that no test answered, in place of failing the test.
class UnansweredPrompts {
public:
    UnansweredPrompts() {
        FPrevious = TestHooks::SetUnansweredPromptHandler(
            [this](const TestHooks::TPrompt& prompt, const String& reason) {
                Seen.push_back(prompt.Kind + " " + prompt.Caption + ": " + prompt.Text);
                Reasons.push_back(reason);
            });
    }
    ~UnansweredPrompts() { TestHooks::SetUnansweredPromptHandler(FPrevious); }
    std::vector<String> Seen;
    std::vector<String> Reasons;

private:
    TestHooks::TUnansweredHandler FPrevious;
};

} // namespace

TEST_F(FormsTest, ModalFormIsAnsweredAfterOnShowAndOnActivate) {
    LogEvents(*Dialog, "dialog");
    TestHooks::AnswerModal([this](TForm& form) {
        Log.push_back(String("answer ") +
                      (form.Visible() && form.Active() ? "on shown form" : "?"));
        TestHooks::ClickMouse(*OkButton, 5, 5);
    });
    EXPECT_EQ(Dialog->ShowModal(), mrOk);
    EXPECT_EQ(Log,
              (std::vector<String>{"dialog show", "dialog activate", "answer on shown form",
                                   "dialog close query", "dialog close", "dialog deactivate"}));
    EXPECT_FALSE(Dialog->Visible());
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Caption, "Insert Link");
}

TEST_F(FormsTest, ModalFormStaysOpenWhileAHandlerTakesItsResultBack) {
    String field;
    int answers = 0;
    OkButton->OnClick = [&](TObject*) {
        if (field.empty())
            Dialog->SetModalResult(mrNone); // refused: the field is required
    };
    bool refuseClose = true;
    Dialog->OnCloseQuery = [&](TObject*, bool& canClose) {
        canClose = !refuseClose;
        refuseClose = false;
    };
    auto clickOk = [&](TForm& form) {
        ++answers;
        EXPECT_TRUE(form.Visible());
        OkButton->Click();
    };
    TestHooks::AnswerModal(clickOk);
    TestHooks::AnswerModal([&](TForm& form) {
        field = "index.htm";
        clickOk(form);
    });
    TestHooks::AnswerModal(clickOk);
    EXPECT_EQ(Dialog->ShowModal(), mrOk);
    EXPECT_EQ(answers, 3); // refused by the handler, then by OnCloseQuery, then closed
}

TEST_F(FormsTest, PromptsInsideAnAnswerTakeTheNextAnswers) {
    int replace = 0;
    TestHooks::AnswerModal([&](TForm& form) {
        replace = Application->MessageBox("Replace the link?", "Quiltmarker", MB_YESNO);
        form.SetModalResult(mrOk);
    });
    TestHooks::AnswerMessageBox(IDYES);
    EXPECT_EQ(Dialog->ShowModal(), mrOk);
    EXPECT_EQ(replace, IDYES);
    ASSERT_EQ(TestHooks::Prompts().size(), 2u);
    EXPECT_EQ(TestHooks::Prompts()[1].Text, "Replace the link?");
}

TEST_F(FormsTest, UnansweredModalFormFailsTheTestAndIsCancelled) {
    UnansweredPrompts unanswered;
    EXPECT_EQ(Dialog->ShowModal(), mrCancel);
    EXPECT_FALSE(Dialog->Visible());
    EXPECT_EQ(unanswered.Seen, (std::vector<String>{"Form Insert Link: LinkForm"}));
}

TEST_F(FormsTest, OnlyAHiddenFormCanBeShownModally) {
    Dialog->Show();
    try {
        Dialog->ShowModal();
        ADD_FAILURE() << "a visible form was shown modally";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "Cannot make a visible window modal");
    }
}

TEST_F(FormsTest, ClosingModalFormGivesActivationBackToTheFormBelow) {
    auto* owner = new TForm(Application);
    LogEvents(*owner, "owner");
    owner->Show();
    Log.clear();
    TestHooks::AnswerModalResult(mrCancel);
    Dialog->ShowModal();
    EXPECT_EQ(Log, (std::vector<String>{"owner deactivate", "owner activate"}));
    EXPECT_EQ(Screen->ActiveForm(), owner);

    // A system message box is not one of the program's forms: activation stays as it was.
    Log.clear();
    TestHooks::AnswerMessageBox(IDOK);
    Application->MessageBox("Done", "Quiltmarker", MB_OK);
    EXPECT_TRUE(Log.empty());
    // The plain message is: the form is activated again once it closes.
    TestHooks::AnswerMessageBox(IDOK);
    ShowMessage("Saved");
    EXPECT_EQ(Log, (std::vector<String>{"owner deactivate", "owner activate"}));
    owner->Free();
}

TEST_F(FormsTest, MessageBoxIsRecordedAndAnswered) {
    Application->SetTitle("Quiltmarker");
    TestHooks::AnswerMessageBox(IDNO);
    String text = "File has been modified.\r\n\n\rSave changes?";
    EXPECT_EQ(Application->MessageBox(text, "Close", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
    TestHooks::AnswerMessageBox(IDOK);
    ShowMessage("Plain");
    ASSERT_EQ(TestHooks::Prompts().size(), 2u);
    const TestHooks::TPrompt& box = TestHooks::Prompts()[0];
    EXPECT_EQ(box.Kind, "MessageBox");
    EXPECT_EQ(box.Caption, "Close");
    EXPECT_EQ(box.Text, text);
    EXPECT_EQ(box.Buttons(), static_cast<UINT>(MB_YESNOCANCEL));
    EXPECT_EQ(box.Icon(), static_cast<UINT>(MB_ICONQUESTION));
    EXPECT_EQ(TestHooks::Prompts()[1].Caption, "Quiltmarker");
    EXPECT_EQ(TestHooks::Prompts()[1].Flags, static_cast<UINT>(MB_OK));
}

TEST_F(FormsTest, UnansweredMessageBoxFailsTheTestAndGetsTheSafeAnswer) {
    const std::pair<UINT, int> cases[] = {{MB_OK, IDOK},
                                          {MB_OKCANCEL, IDCANCEL},
                                          {MB_YESNO, IDNO},
                                          {MB_YESNOCANCEL, IDCANCEL},
                                          {MB_RETRYCANCEL, IDCANCEL},
                                          {MB_ABORTRETRYIGNORE, IDABORT}};
    UnansweredPrompts unanswered;
    for (const auto& [flags, answer] : cases)
        EXPECT_EQ(MessageBox(nullptr, "Delete?", "Confirm", flags), answer) << flags;
    ASSERT_EQ(unanswered.Seen.size(), std::size(cases));
    EXPECT_EQ(unanswered.Seen[0], "MessageBox Confirm: Delete?");
}

TEST_F(FormsTest, AnswerForAnotherKindOfPromptIsNotTaken) {
    UnansweredPrompts unanswered;
    TestHooks::AnswerModalResult(mrOk);
    EXPECT_EQ(MessageBox(nullptr, "Overwrite?", "Save", MB_YESNO), IDNO);
    ASSERT_EQ(unanswered.Reasons.size(), 1u);
    EXPECT_EQ(unanswered.Reasons[0], "the next queued answer is for a Form, not a MessageBox");
    EXPECT_EQ(Dialog->ShowModal(), mrOk); // the answer is still there for the form
}

TEST_F(FormsTest, CloseAsksOnCloseQueryThenDoesWhatOnCloseSays) {
    struct Case {
        bool CanClose;
        TCloseAction Action;
        bool VisibleAfter;
        bool FreedAfter;
    };
    const Case cases[] = {{false, caHide, true, false},
                          {true, caNone, true, false},
                          {true, caHide, false, false},
                          {true, caFree, true, true}}; // a released form goes at the next message
    for (const Case& c : cases) {
        auto* form = new TForm(Application);
        bool closeCalled = false;
        bool destroyed = false;
        form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = c.CanClose; };
        form->OnClose = [&](TObject*, TCloseAction& action) {
            closeCalled = true;
            action = c.Action;
        };
        form->OnDestroy = [&](TObject*) { destroyed = true; };
        form->Show();
        form->Close();
        EXPECT_EQ(closeCalled, c.CanClose);
        EXPECT_EQ(form->Visible(), c.VisibleAfter) << c.CanClose << c.Action;
        EXPECT_FALSE(destroyed); // a released form lives until its messages are done
        Application->ProcessMessages();
        EXPECT_EQ(destroyed, c.FreedAfter) << c.Action;
        if (!destroyed)
            form->Free();
    }
}

TEST_F(FormsTest, ClosingTheMainFormEndsTheProgram) {
    TApplication* running = Application;
    {
        TApplication program;
        Application = &program;
        auto* first = program.CreateForm<TForm>();
        auto* second = program.CreateForm<TForm>();
        EXPECT_EQ(program.MainForm(), first);
        second->Show();
        second->Close();
        EXPECT_FALSE(program.Terminated());
        first->Show();
        first->Close();
        EXPECT_TRUE(program.Terminated());
        Application = running;
    }
    EXPECT_EQ(Screen->FormCount(), 1); // the program's forms went with it; the fixture's stays
}

TEST_F(FormsTest, BuildingAFormCallsOnCreateAfterEveryComponentIsLoaded) {
    class LoggingControl : public TWinControl {
    public:
        LoggingControl(TComponent* owner, std::vector<String>& log)
            : TWinControl(owner), FLog(log) {}

    protected:
        void Loaded() override {
            TWinControl::Loaded();
            FLog.push_back("loaded with width " + IntToStr(Width()));
        }

    private:
        std::vector<String>& FLog;
    };
    auto* form = new TForm(Application);
    form->BuildForm([&] {
        auto* panel = new LoggingControl(form, Log);
        panel->SetParent(form);
        panel->SetAlign(alClient);
        form->OnCreate = [&](TObject*) { Log.push_back("create"); };
        form->SetClientWidth(300);
    });
    EXPECT_EQ(Log, (std::vector<String>{"loaded with width 300", "create"}));
    form->Free();
}

TEST_F(FormsTest, ScreenCentredFormUsesTheScreenSizeTheTestSets) {
    TestHooks::SetScreenSize(800, 600);
    TestHooks::SetWorkArea(Rect(0, 0, 800, 570));
    EXPECT_EQ(Screen->Width(), 800);
    EXPECT_EQ(Screen->WorkAreaHeight(), 570);
    Dialog->SetBounds(0, 0, 200, 100);
    Dialog->SetPosition(poScreenCenter);
    Dialog->Show();
    EXPECT_EQ(Dialog->BoundsRect(), Bounds(300, 250, 200, 100));
}

TEST_F(FormsTest, HelpRequestsAndBeepsAreRecordedInTests) {
    Application->SetHelpFile("help/Quiltmarker.hlp");
    EXPECT_TRUE(Application->HelpContext(110));
    WinHelp(nullptr, "help/htmlref.hlp", HELP_FINDER, 0);
    MessageBeep(MB_ICONWARNING);
    ASSERT_EQ(TestHooks::HelpRequests().size(), 2u);
    EXPECT_EQ(TestHooks::HelpRequests()[0].HelpFile, "help/Quiltmarker.hlp");
    EXPECT_EQ(TestHooks::HelpRequests()[0].Command, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(TestHooks::HelpRequests()[0].Data, 110u);
    EXPECT_EQ(TestHooks::HelpRequests()[1].Command, static_cast<UINT>(HELP_FINDER));
    EXPECT_EQ(TestHooks::Beeps(), (std::vector<UINT>{MB_ICONWARNING}));
}

TEST_F(FormsTest, FocusLeavesAnEditBeforeTheButtonClickedRuns) {
    auto* edit = new TEdit(Dialog);
    edit->SetParent(Dialog);
    edit->SetBounds(10, 50, 100, 20);
    edit->OnEnter = [this](TObject*) { Log.push_back("edit enter"); };
    edit->OnExit = [this](TObject*) { Log.push_back("edit exit"); };
    OkButton->SetTabOrder(1); // the edit comes first in the tab order
    OkButton->OnClick = [this](TObject*) { Log.push_back("ok click"); };
    TestHooks::AnswerModal([this](TForm&) {
        Log.push_back("answer");
        TestHooks::ClickMouse(*OkButton, 5, 5);
    });
    Dialog->ShowModal();
    EXPECT_EQ(Log, (std::vector<String>{"edit enter", "answer", "edit exit", "ok click"}));
}

TEST(FormTest, AControlThatLeavesTheFormWithItsParentIsNoLongerItsActiveControl) {
    TForm form(nullptr);
    form.Show();
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    auto* edit = new TEdit(&form);
    edit->SetParent(panel);
    edit->SetFocus();
    ASSERT_EQ(form.ActiveControl(), edit);
    panel->SetParent(nullptr);
    EXPECT_EQ(form.ActiveControl(), nullptr);
    panel->Free();
}

TEST_F(FormsTest, AMenuBarTakesItsOwnHeightAndTheClientAreaKeepsTheRest) {
    Dialog->SetBounds(0, 0, 400, 300);
    int clientHeight = Dialog->ClientHeight();
    auto* menu = new TMainMenu(Dialog);
    auto* file = new TMenuItem(Dialog);
    file->SetCaption("&File");
    menu->Items()->Add(file);
    Dialog->SetMenu(menu);
    auto* bottom = new TButton(Dialog);
    bottom->SetParent(Dialog);
    bottom->SetAlign(alBottom);
    Dialog->Show();
    Application->ProcessMessages();
    EXPECT_EQ(Dialog->ClientHeight(), clientHeight);
    EXPECT_EQ(bottom->Top() + bottom->Height(), clientHeight);
}
