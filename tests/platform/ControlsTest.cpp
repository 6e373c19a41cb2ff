#include "platform/Controls.h"
#include "platform/DragManager.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A shown form with one windowed control in it, as the events of real input need.
class ControlsTest : public testing::Test {
protected:
    void SetUp() override {
        Form = new TForm(nullptr);
        Form->SetBounds(10, 10, 400, 300);
        Form->Show();
        Box = new TWinControl(Form);
        Box->SetParent(Form);
        Box->SetBounds(20, 30, 100, 50);
    }
    void TearDown() override { Form->Free(); }

    std::vector<String> Log;
    TForm* Form = nullptr;
    TWinControl* Box = nullptr;
};

String Where(int x, int y) {
    return IntToStr(x) + "," + IntToStr(y);
}

} // namespace

TEST_F(ControlsTest, AlignedChildrenShareTheClientAreaAndFollowItsSize) {
    struct Case {
        const char* Name;
        TAlign Align;
        TRect Start;
        TRect AfterResize;
        TRect AfterTopHidden;
    };
    const Case cases[] = {
        {"top", alTop, Bounds(5, 5, 50, 20), Bounds(0, 0, 300, 20), Bounds(0, 0, 300, 20)},
        {"bottom", alBottom, Bounds(5, 5, 50, 10), Bounds(0, 190, 300, 10),
         Bounds(0, 190, 300, 10)},
        {"left", alLeft, Bounds(5, 5, 30, 5), Bounds(0, 20, 30, 170), Bounds(0, 0, 30, 190)},
        {"right", alRight, Bounds(5, 5, 40, 5), Bounds(260, 20, 40, 170), Bounds(260, 0, 40, 190)},
        {"client", alClient, Bounds(5, 5, 5, 5), Bounds(30, 20, 230, 170), Bounds(30, 0, 230, 190)},
    };
    Box->SetBounds(0, 0, 200, 100);
    std::vector<TWinControl*> children;
    for (const Case& c : cases) {
        auto* child = new TWinControl(Form);
        child->SetBoundsRect(c.Start);
        child->SetParent(Box);
        child->SetAlign(c.Align);
        children.push_back(child);
    }
    Box->SetBounds(0, 0, 300, 200);
    for (size_t i = 0; i < children.size(); ++i)
        EXPECT_EQ(children[i]->BoundsRect(), cases[i].AfterResize) << cases[i].Name;
    children[0]->Hide();
    for (size_t i = 1; i < children.size(); ++i)
        EXPECT_EQ(children[i]->BoundsRect(), cases[i].AfterTopHidden) << cases[i].Name;
}

TEST_F(ControlsTest, ControlsAlignedToOneSideStackInTheOrderOfTheirPositions) {
    Box->SetBounds(0, 0, 100, 100);
    Box->DisableAlign();
    auto* lower = new TWinControl(Form);
    lower->SetBounds(0, 50, 10, 10);
    lower->SetParent(Box);
    auto* upper = new TWinControl(Form);
    upper->SetBounds(0, 40, 10, 15);
    upper->SetParent(Box);
    lower->SetAlign(alTop);
    upper->SetAlign(alTop);
    Box->EnableAlign();
    EXPECT_EQ(upper->BoundsRect(), Bounds(0, 0, 100, 15));
    EXPECT_EQ(lower->BoundsRect(), Bounds(0, 15, 100, 10));
}

TEST_F(ControlsTest, FormClientAreaLeavesOutFrameAndCaption) {
    Form->SetBounds(0, 0, 400, 300);
    EXPECT_EQ(Form->ClientWidth(), 392);
    EXPECT_EQ(Form->ClientHeight(), 273);
    Form->SetBorderStyle(bsNone);
    EXPECT_EQ(Form->ClientWidth(), 392); // a new frame keeps the client size
    EXPECT_EQ(Form->Width(), 392);
    Form->SetClientHeight(198);
    EXPECT_EQ(Form->Height(), 198);
}

TEST_F(ControlsTest, MouseInputRaisesTheFrameworkEventsInOrder) {
    Box->OnMouseDown = [&](TObject*, TMouseButton button, TShiftState shift, int x, int y) {
        Log.push_back(String(button == mbLeft ? "left" : "other") + " down " + Where(x, y) +
                      (shift.Contains(ssShift) ? " shift" : "") +
                      (shift.Contains(ssDouble) ? " double" : ""));
    };
    Box->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        Log.push_back("up " + Where(x, y));
    };
    Box->OnClick = [&](TObject* sender) { Log.push_back(sender == Box ? "click" : "?"); };
    Box->OnDblClick = [&](TObject*) { Log.push_back("double click"); };

    TestHooks::ClickMouse(*Box, 5, 6, mbLeft, {ssShift});
    EXPECT_EQ(Log, (std::vector<String>{"left down 5,6 shift", "click", "up 5,6"}));
    Log.clear();
    TestHooks::DoubleClickMouse(*Box, 7, 8);
    EXPECT_EQ(Log, (std::vector<String>{"left down 7,8", "click", "up 7,8", "double click",
                                        "left down 7,8 double", "up 7,8"}));
    Log.clear();
    TestHooks::ClickMouse(*Box, 7, 8, mbRight);
    EXPECT_EQ(Log, (std::vector<String>{"other down 7,8", "up 7,8"}));
}

TEST_F(ControlsTest, ReplacedWindowProcSeesMessagesAndPassesThemOn) {
    int clicks = 0;
    Box->OnClick = [&](TObject*) { ++clicks; };
    TWndMethod original = Box->WindowProc();
    bool swallowRelease = false;
    Box->SetWindowProc([&](TMessage& message) {
        if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONUP || message.Msg == WM_USER)
            Log.push_back(IntToHex(message.Msg, 4));
        if (message.Msg == WM_LBUTTONUP && swallowRelease)
            return;
        original(message);
    });

    TestHooks::ClickMouse(*Box, 1, 1);
    Box->Perform(WM_USER, 0, 0);
    EXPECT_EQ(Log, (std::vector<String>{"0201", "0202", "0400"}));
    EXPECT_EQ(clicks, 1);

    swallowRelease = true;
    TestHooks::ClickMouse(*Box, 1, 1);
    EXPECT_EQ(clicks, 1);

    Box->SetWindowProc(nullptr);
    Log.clear();
    TestHooks::ClickMouse(*Box, 1, 1);
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(clicks, 2);
}

TEST_F(ControlsTest, KeysReachTheFormFirstWithKeyPreviewAndAZeroKeyStopsThem) {
    Box->OnKeyDown = [&](TObject*, WORD& key, TShiftState shift) {
        Log.push_back("box down " + IntToStr(key) + (shift.Contains(ssCtrl) ? " ctrl" : ""));
    };
    Box->OnKeyPress = [&](TObject*, char& key) { Log.push_back(String("box press ") + key); };
    Form->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        Log.push_back("form down " + IntToStr(key));
        if (key == VK_F5)
            key = 0;
    };

    TestHooks::PressKey(*Box, 'A');
    TestHooks::PressKey(*Box, 'B', {ssCtrl});
    EXPECT_EQ(Log, (std::vector<String>{"box down 65", "box press a", "box down 66 ctrl"}));

    Log.clear();
    Form->SetKeyPreview(true);
    TestHooks::PressKey(*Box, VK_F5);
    TestHooks::PressKey(*Box, 'A');
    EXPECT_EQ(Log,
              (std::vector<String>{"form down 116", "form down 65", "box down 65", "box press a"}));
}

TEST_F(ControlsTest, ExceptionInAHandlerIsShownAndGoesNoFurther) {
    Application->SetTitle("Quiltmarker");
    Box->OnClick = [](TObject*) { throw EInOutError("Disk full"); };
    TestHooks::AnswerMessageBox(IDOK);
    TestHooks::ClickMouse(*Box, 1, 1);
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    const TestHooks::TPrompt& shown = TestHooks::Prompts()[0];
    EXPECT_EQ(shown.Caption, "Quiltmarker");
    EXPECT_EQ(shown.Text, "Disk full.");
    EXPECT_EQ(shown.Icon(), static_cast<UINT>(MB_ICONERROR));

    // OnException takes the place of the message.
    String seen;
    Application->OnException = [&](TObject* sender, const std::exception& e) {
        seen = String(sender == Box ? "box: " : "?: ") + e.what();
    };
    TestHooks::ClickMouse(*Box, 1, 1);
    Application->OnException = nullptr;
    EXPECT_EQ(seen, "box: Disk full");
}

TEST_F(ControlsTest, ShownExceptionGetsAFullStopOnlyWhenItEndsInATextCharacter) {
    const std::pair<String, String> cases[] = {
        {"Disk full", "Disk full."}, {"Done.", "Done."}, {"Really!", "Really!"}, {"", ""}};
    for (const auto& [message, shown] : cases) {
        TestHooks::AnswerMessageBox(IDOK);
        Application->ShowException(Exception(message));
        EXPECT_EQ(TestHooks::Prompts().back().Text, shown) << message;
    }
}

TEST_F(ControlsTest, InputStateFollowsRealInputAndTheTestHooks) {
    EXPECT_EQ(GetKeyState(VK_INSERT) & 1, 0);
    TestHooks::PressKey(*Box, VK_INSERT);
    EXPECT_EQ(GetKeyState(VK_INSERT) & 1, 1);
    EXPECT_GE(GetKeyState(VK_INSERT), 0); // released again
    TestHooks::PressKey(*Box, VK_INSERT);
    EXPECT_EQ(GetKeyState(VK_INSERT) & 1, 0);

    TestHooks::SetKeyDown(VK_CONTROL, true);
    EXPECT_LT(GetKeyState(VK_CONTROL), 0);
    EXPECT_LT(GetAsyncKeyState(VK_CONTROL), 0);
    EXPECT_TRUE(CurrentShiftState().Contains(ssCtrl));

    TPoint pos;
    TestHooks::MoveMouse(*Box, 3, 4);
    GetCursorPos(&pos);
    EXPECT_EQ(pos, Box->ClientToScreen(Point(3, 4)));
    TestHooks::SetCursorPos(Point(500, 400));
    GetCursorPos(&pos);
    EXPECT_EQ(pos, Point(500, 400));
}

TEST_F(ControlsTest, RightClickPopsUpTheMenuOfTheControlOrOfItsParent) {
    auto* menu = new TPopupMenu(Form);
    Box->SetPopupMenu(menu);
    TestHooks::ClickMouse(*Box, 5, 6, mbRight);
    auto* inner = new TGraphicControl(Form);
    inner->SetParent(Box);
    inner->SetBounds(10, 10, 20, 20);
    TestHooks::ClickMouse(*inner, 1, 2, mbRight);
    ASSERT_EQ(TestHooks::Popups().size(), 2u);
    EXPECT_EQ(TestHooks::Popups()[0].Menu, menu);
    EXPECT_EQ(TestHooks::Popups()[0].Component, Box);
    EXPECT_EQ(TestHooks::Popups()[0].Point, Box->ClientToScreen(Point(5, 6)));
    EXPECT_EQ(TestHooks::Popups()[1].Component, Box); // a control without a menu has its parent's
}

namespace {

// Answers a private message with a value of its own.
class AnsweringControl : public TWinControl {
public:
    using TWinControl::TWinControl;
    std::vector<LPARAM> Received;
    void WndProc(TMessage& message) override {
        if (message.Msg == WM_USER + 1) {
            Received.push_back(message.LParam);
            message.Result = 42;
            return;
        }
        TWinControl::WndProc(message);
    }
};

} // namespace

TEST_F(ControlsTest, SentMessagesAnswerAtOncePostedOnesWaitForTheMessageLoop) {
    auto* control = new AnsweringControl(Form);
    HWND handle = control->Handle();
    EXPECT_EQ(FindControl(handle), control);
    EXPECT_EQ(SendMessage(handle, WM_USER + 1, 0, 7), 42);
    EXPECT_TRUE(PostMessage(handle, WM_USER + 1, 0, 8));
    EXPECT_EQ(control->Received, (std::vector<LPARAM>{7}));
    Application->ProcessMessages();
    EXPECT_EQ(control->Received, (std::vector<LPARAM>{7, 8}));

    EXPECT_TRUE(PostMessage(handle, WM_USER + 1, 0, 9));
    control->Free();
    Application->ProcessMessages(); // must not reach the freed control
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_FALSE(PostMessage(handle, WM_USER + 1, 0, 10));
    EXPECT_EQ(SendMessage(handle, WM_USER + 1, 0, 10), 0);
}

TEST_F(ControlsTest, ParentsRefuseLoopsAndFreeTheirChildren) {
    auto* inner = new TWinControl(Form);
    inner->SetParent(Box);
    EXPECT_THROW(Box->SetParent(Box), EInvalidOperation);
    EXPECT_THROW(Box->SetParent(inner), EInvalidOperation);
    EXPECT_EQ(Box->Parent(), Form);

    auto* unowned = new TWinControl(nullptr);
    unowned->SetParent(inner);
    int formComponents = Form->ComponentCount();
    Box->Free();
    EXPECT_EQ(Form->ComponentCount(), formComponents - 2); // the box and inner went with it
    EXPECT_EQ(Form->ControlCount(), 0);
    Box = nullptr;
}

TEST_F(ControlsTest, ChildrenTakeTheParentsFontUntilTheyGetOneOfTheirOwn) {
    auto* child = new TWinControl(Form);
    child->SetParent(Box);
    Box->Font().SetName("Arial");
    EXPECT_EQ(child->Font().Name(), "Arial");
    child->Font().SetSize(12);
    EXPECT_FALSE(child->ParentFont());
    Box->Font().SetName("Courier New");
    EXPECT_EQ(child->Font().Name(), "Arial");
}

TEST_F(ControlsTest, EnteringAControlPutsTheLongPartOfItsHintOnTheApplication) {
    std::vector<String> hints;
    Application->OnHint = [&](TObject*) { hints.push_back(Application->Hint()); };
    Box->SetHint("Save|Saves the page");
    Box->Perform(CM_MOUSEENTER, 0, 0);
    Box->Perform(CM_MOUSELEAVE, 0, 0);
    Application->OnHint = nullptr;
    EXPECT_EQ(hints, (std::vector<String>{"Saves the page", ""}));
    EXPECT_EQ(GetShortHint(Box->Hint()), "Save");
}

TEST(ClipboardTest, TextIsShownAsUtf8WhenValidElseAsWindows1252) {
    const std::pair<String, String> cases[] = {
        {"plain", "plain"},
        {"caf\xC3\xA9", "caf\xC3\xA9"}, // valid UTF-8 stays as it is
        {"caf\xE9", "caf\xC3\xA9"},     // Latin-1 range of Windows-1252
        {"\x95 \x80 \x93", "\xE2\x80\xA2 \xE2\x82\xAC \xE2\x80\x9C"}, // 0x80-0x9F mapped
        {"\xC3", "\xC3\x83"}, // a cut UTF-8 sequence is not UTF-8
    };
    for (const auto& [bytes, utf8] : cases) {
        TestHooks::SetClipboardText(bytes);
        EXPECT_EQ(TestHooks::ClipboardText(), utf8) << bytes;
    }
}

TEST_F(ControlsTest, F1AsksForTheHelpTopicOfTheNearestControlThatHasOne) {
    Application->SetHelpFile("help/Quiltmarker.hlp");
    TestHooks::PressKey(*Box, VK_F1); // no number anywhere: the help's contents
    Form->SetHelpContext(20030);
    TestHooks::PressKey(*Box, VK_F1);
    Box->SetHelpContext(25090);
    TestHooks::PressKey(*Box, VK_F1);
    TestHooks::PressKey(*Box, VK_F1, {ssCtrl}); // not a help request: the program's own key
    const auto& requests = TestHooks::HelpRequests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].Command, static_cast<UINT>(HELP_FINDER));
    EXPECT_EQ(requests[1].Command, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(requests[1].Data, 20030u);
    EXPECT_EQ(requests[2].Data, 25090u);
    EXPECT_EQ(requests[2].HelpFile, "help/Quiltmarker.hlp");
}

TEST_F(ControlsTest, APressedControlHasTheMouseUntilTheRelease) {
    auto* glyph = new TGraphicControl(Form);
    glyph->SetParent(Box);
    glyph->SetBounds(0, 0, 10, 10);
    std::vector<bool> captured;
    glyph->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        captured.push_back(glyph->MouseCapture());
        captured.push_back(GetCapture() ==
                           Box->Handle()); // a control without a window: its parent's
    };
    TestHooks::ClickMouse(*glyph, 1, 1);
    captured.push_back(glyph->MouseCapture());
    captured.push_back(GetCapture() == nullptr);
    EXPECT_EQ(captured, (std::vector<bool>{true, true, false, true}));
}

// However a drag ends, its source hears of it last, with the control that took the drop or none.
TEST_F(ControlsTest, TheSourceHearsTheEndOfEveryDrag) {
    auto* target = new TWinControl(Form);
    target->SetParent(Form);
    target->SetBounds(200, 30, 100, 50);
    DragManager::SetDropTarget(
        *target, [](TObject*, TObject*, int, int, TDragState, bool& accept) { accept = true; },
        [this](TObject*, TObject*, int, int) { Log.push_back("dropped"); });
    Box->OnEndDrag = [this](TObject* sender, TObject* dropTarget, int x, int y) {
        Log.push_back(String(sender == Box ? "box" : "?") + " ended on " +
                      (dropTarget ? dropTarget == Form ? "form" : "target" : "none") + " at " +
                      Where(x, y));
    };
    EXPECT_TRUE(TestHooks::DragAndDrop(*Box, *target, 5, 6));
    EXPECT_FALSE(TestHooks::DragAndDrop(*Box, *Form, 7, 8));
    DragManager::BeginDrag(*Box);
    DragManager::CancelDrag();
    EXPECT_EQ(Log, (std::vector<String>{"dropped", "box ended on target at 5,6",
                                        "box ended on none at 7,8", "box ended on none at 0,0"}));
}
