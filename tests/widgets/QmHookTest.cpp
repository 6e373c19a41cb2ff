#include "widgets/QmHook.h"

#include "platform/Forms.h"
#include "platform/ShellApi.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr UINT WM_PROBE = WM_USER + 1;

// A window that notes the messages that reach it and answers the probe with 42.
class TProbeWindow : public TWinControl {
public:
    TProbeWindow(TComponent* owner, std::vector<String>& log) : TWinControl(owner), FLog(log) {}
    void WndProc(TMessage& Message) override {
        if (Message.Msg == WM_PROBE || Message.Msg == WM_DESTROY) {
            FLog.push_back(Name() + " window");
            Message.Result = 42;
            return;
        }
        TWinControl::WndProc(Message);
    }

private:
    std::vector<String>& FLog;
};

class QmHookTest : public testing::Test {
protected:
    void SetUp() override {
        Form = new TForm(nullptr);
        Form->SetName("Form");
        Window = MakeWindow("Box");
    }
    void TearDown() override {
        Form->Free();
        Application->ProcessMessages();
    }

    TProbeWindow* MakeWindow(const String& name) {
        auto* window = new TProbeWindow(Form, Log);
        window->SetName(name);
        window->SetParent(Form);
        return window;
    }

    // A hook that notes its events; handleBefore sets Handled in BeforeMessage.
    TQmWindowHook* MakeHook(const String& name, TWinControl* control, bool handleBefore = false) {
        auto* hook = new TQmWindowHook(Form);
        hook->SetName(name);
        hook->BeforeMessage = [this, name, handleBefore](TObject*, TMessage& msg, bool& handled) {
            if (msg.Msg == WM_PROBE || msg.Msg == WM_DESTROY) {
                Log.push_back(name + " before");
                handled = handled || handleBefore;
            }
        };
        hook->AfterMessage = [this, name](TObject*, TMessage& msg, bool&) {
            if (msg.Msg == WM_PROBE || msg.Msg == WM_DESTROY)
                Log.push_back(name + " after " + IntToStr(msg.Result));
        };
        hook->SetWinControl(control);
        return hook;
    }

    // A hook that notes, for each drop, the window's name and every path, read as a program reads
    // them: the count, then each path into a buffer of the length asked for first.
    void NoteDrops(TWinControl* control) {
        auto* hook = new TQmWindowHook(Form);
        hook->AfterMessage = [this, control](TObject*, TMessage& msg, bool&) {
            if (msg.Msg != WM_DROPFILES)
                return;
            auto drop = reinterpret_cast<HDROP>(msg.WParam);
            Log.push_back(control->Name() + " drop");
            for (UINT i = 0; i < DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0); ++i) {
                String path(DragQueryFile(drop, i, nullptr, 0), '?');
                DragQueryFile(drop, i, path.data(), static_cast<UINT>(path.size()) + 1);
                EXPECT_EQ(path, DragQueryFileName(drop, i));
                Log.push_back(path);
            }
            DragFinish(drop);
        };
        hook->SetWinControl(control);
    }

    std::vector<String> Probe(TWinControl* control) {
        Log.clear();
        control->Perform(WM_PROBE, 0, 0);
        return Log;
    }

    std::vector<String> Log;
    TForm* Form = nullptr;
    TProbeWindow* Window = nullptr;
};

using Lines = std::vector<String>;

} // namespace

TEST_F(QmHookTest, HooksOnOneWindowShareOneRecordAndTheLatestHearsFirst) {
    MakeHook("A", Window);
    MakeHook("B", Window);
    EXPECT_EQ(GetHookList().Count(), 1);
    EXPECT_EQ(Probe(Window),
              (Lines{"B before", "A before", "Box window", "B after 42", "A after 42"}));
}

TEST_F(QmHookTest, AMessageHandledBeforeNeverReachesTheWindowNorTheOtherHooks) {
    MakeHook("A", Window);
    MakeHook("B", Window, true);
    EXPECT_EQ(Probe(Window), (Lines{"B before"}));
}

TEST_F(QmHookTest, AHandledDestroyStillReachesTheWindowAndTheHookReturnsAfterTheQueue) {
    MakeHook("A", Window, true);
    Log.clear();
    Window->Perform(WM_DESTROY, 0, 0);
    EXPECT_EQ(Log, (Lines{"A before", "Box window", "A after 42"}));
    // The window is being made again: the hook waits for the queue before it watches it.
    EXPECT_EQ(Probe(Window), (Lines{"Box window"}));
    Application->ProcessMessages();
    EXPECT_EQ(Probe(Window), (Lines{"A before"}));
}

TEST_F(QmHookTest, MovingToAnotherWindowInsideAnEventFreesTheOldRecordLater) {
    TProbeWindow* other = MakeWindow("Other");
    TQmWindowHook* hook = MakeHook("A", Window);
    hook->BeforeMessage = [&](TObject*, TMessage& msg, bool&) {
        if (msg.Msg == WM_PROBE)
            hook->SetWinControl(other);
    };
    hook->AfterMessage = nullptr;
    EXPECT_EQ(Probe(Window), (Lines{"Box window"}));
    EXPECT_EQ(hook->WinControl(), other);
    EXPECT_EQ(GetHookList().Count(), 2);
    Application->ProcessMessages();
    EXPECT_EQ(GetHookList().Count(), 1);
    hook->BeforeMessage = [&](TObject*, TMessage& msg, bool&) {
        if (msg.Msg == WM_PROBE)
            Log.push_back("A before");
    };
    EXPECT_EQ(Probe(other), (Lines{"A before", "Other window"}));
    EXPECT_EQ(Probe(Window), (Lines{"Box window"}));
}

TEST_F(QmHookTest, FreeingTheWatchedWindowLeavesTheHookActiveWatchingNothing) {
    TQmWindowHook* hook = MakeHook("A", Window);
    Window->Free();
    EXPECT_EQ(hook->WinControl(), nullptr);
    EXPECT_TRUE(hook->Active());
    Application->ProcessMessages();
    EXPECT_EQ(GetHookList().Count(), 0);
}

TEST_F(QmHookTest, AnExceptionInOneHookIsShownAndTheNextHookIsStillCalled) {
    std::vector<String> shown;
    Application->OnException = [&](TObject*, const std::exception& e) {
        shown.push_back(e.what());
    };
    MakeHook("A", Window);
    TQmWindowHook* thrower = MakeHook("B", Window);
    thrower->BeforeMessage = [](TObject*, TMessage& msg, bool&) {
        if (msg.Msg == WM_PROBE)
            throw Exception("hook failed");
    };
    Lines log = Probe(Window);
    Application->OnException = nullptr;
    EXPECT_EQ(shown, (Lines{"hook failed"}));
    EXPECT_EQ(log, (Lines{"A before", "Box window", "B after 42", "A after 42"}));
}

TEST_F(QmHookTest, LeavingAWindowSomeoneElseSubclassedSinceKeepsTheirProcedure) {
    TQmWindowHook* hook = MakeHook("A", Window);
    TWndMethod hooked = Window->WindowProc();
    Window->SetWindowProc([&](TMessage& msg) {
        if (msg.Msg == WM_PROBE)
            Log.push_back("later subclass");
        hooked(msg);
    });
    hook->SetActive(false);
    EXPECT_EQ(Probe(Window), (Lines{"later subclass", "Box window"}));
}

TEST_F(QmHookTest, IsFormWatchesTheOwnerForm) {
    TQmWindowHook* hook = nullptr;
    Form->LoadComponents([&] {
        hook = new TQmWindowHook(Form);
        hook->AfterMessage = [this](TObject*, TMessage& msg, bool&) {
            if (msg.Msg == WM_PROBE)
                Log.push_back("form hook");
        };
        hook->SetIsForm(true);
    });
    EXPECT_EQ(hook->WinControl(), Form);
    EXPECT_TRUE(hook->IsForm());
    EXPECT_EQ(Probe(Form), (Lines{"form hook"}));
    hook->SetWinControl(Window);
    EXPECT_FALSE(hook->IsForm());
}

TEST_F(QmHookTest, FreeingTheHookListAtTheEndFreesEachRecordOnceAndGivesWindowsBack) {
    MakeHook("A", Window);
    TQmWindowHook* leaving = MakeHook("B", MakeWindow("Other"));
    leaving->SetWinControl(nullptr); // its record waits for a release that never comes
    ASSERT_EQ(GetHookList().Count(), 2);
    delete ExistingHookList();
    EXPECT_EQ(ExistingHookList(), nullptr);
    EXPECT_EQ(Probe(Window), (Lines{"Box window"}));
}

TEST_F(QmHookTest, DroppedFilesReachTheHooksOfTheNearestWindowThatTakesThemWithEveryPathWhole) {
    const String longPath = "/home/u/" + String(300, 'a') + "/" + String(4000, 'b') + ".html";
    const Lines paths{"/home/u/site/index.html", "/home/u/My Site/Two Words.HTM", longPath};
    struct TCase {
        const char* What;
        bool FormTakes, BoxTakes, BoxRefuses;
        Lines Expected; // the first line names the window that got the drop
    };
    const TCase cases[] = {
        {"the window takes files", false, true, false, {"Box drop"}},
        {"the form around it does", true, false, false, {"Form drop"}},
        {"both do", true, true, false, {"Box drop"}},
        {"none does", false, false, false, {}},
        {"the window no longer does", false, true, true, {}},
    };
    Form->Show();
    NoteDrops(Form);
    NoteDrops(Window);
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.What);
        DragAcceptFiles(Form->Handle(), test.FormTakes);
        DragAcceptFiles(Window->Handle(), test.BoxTakes);
        if (test.BoxRefuses)
            DragAcceptFiles(Window->Handle(), false);
        Log.clear();

        EXPECT_EQ(!test.Expected.empty(), TestHooks::DropFiles(*Window, paths));

        Lines expected = test.Expected;
        if (!expected.empty())
            expected.insert(expected.end(), paths.begin(), paths.end());
        EXPECT_EQ(Log, expected);
    }
}

TEST_F(QmHookTest, ADroppedPathIsCutToTheBufferAndAFinishedDropHoldsNothing) {
    HDROP drop = MakeDrop({"/home/u/index.html"});
    char buffer[8] = "xxxxxxx";
    EXPECT_EQ(DragQueryFile(drop, 0, buffer, 6), 5u);
    EXPECT_STREQ(buffer, "/home");
    EXPECT_EQ(DragQueryFile(drop, 1, nullptr, 0), 0u);
    DragFinish(drop);
    EXPECT_EQ(DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0), 0u);
    EXPECT_EQ(DragQueryFileName(drop, 0), "");
}
