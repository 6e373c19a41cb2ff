// Splitters: how panes share a splitter and its bars, how sizes are kept within bounds, and what a
// drag of a bar (or of a split bar) draws and reports.

#include "widgets/Splitters.h"
#include "platform/Forms.h"
#include "platform/Messages.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

void Mouse(TControl& control, UINT message, int x, int y) {
    control.Perform(message, message == WM_LBUTTONUP ? WPARAM(0) : WPARAM(MK_LBUTTON),
                    MAKELPARAM(x, y));
}

// A form with a horizontal splitter whose panes come as a form resource gives them.
class SplitterTest : public testing::Test {
protected:
    void Make(std::initializer_list<int> sizes, int thickness = 2, int height = 501) {
        Form = std::make_unique<TForm>(nullptr);
        Panes.clear();
        Form->BuildForm([&] {
            Form->SetBounds(0, 0, 400, 600);
            Splitter = NewControl<TSplitterWnd>(Form.get(), Form.get(), "Splitter");
            Splitter->SetOrientation(swHorizontal);
            Splitter->SetThickness(thickness);
            Splitter->SetBounds(0, 0, 300, height);
            for (int size : sizes) {
                TPane* pane = NewComponent<TPane>(Form.get(), "Pane" + IntToStr(Panes.size() + 1));
                pane->SetSplitterWnd(Splitter);
                pane->SetPaneSize(size);
                Panes.push_back(pane);
            }
        });
    }
    std::pair<int, int> Span(int pane) const {
        return {Panes[pane]->Top(), Panes[pane]->Top() + Panes[pane]->Height()};
    }

    std::unique_ptr<TForm> Form;
    TSplitterWnd* Splitter = nullptr;
    std::vector<TPane*> Panes;
};

} // namespace

TEST_F(SplitterTest, PanesAndBarsFillTheSplitterForEveryThickness) {
    struct Case {
        int Thickness;
        std::pair<int, int> First, Second;
    };
    for (const Case& c : {Case{2, {0, 305}, {307, 501}}, Case{3, {0, 305}, {308, 501}},
                          Case{0, {0, 306}, {307, 501}}}) {
        SCOPED_TRACE(c.Thickness);
        Make({306, 195}, c.Thickness);
        EXPECT_EQ(Splitter->Thickness(), std::max(1, c.Thickness));
        EXPECT_EQ(Span(0), c.First);
        EXPECT_EQ(Span(1), c.Second);
        EXPECT_EQ(Panes[0]->Width(), 300);
    }
}

TEST_F(SplitterTest, OnePaneFillsTheSplitterWhateverItsSize) {
    Make({100});
    Panes[0]->SetPaneSize(50);
    EXPECT_EQ(Panes[0]->PaneSize(), 501);
    EXPECT_EQ(Span(0), std::make_pair(0, 501));
}

TEST_F(SplitterTest, APaneSizeIsKeptWithinTheRoomAndTheLastPaneTakesTheRest) {
    Make({306, 195});
    Panes[0]->SetPaneSize(1000);
    EXPECT_EQ(Panes[0]->PaneSize(), 501 - 2 - 32);
    EXPECT_EQ(Panes[1]->PaneSize(), 34);
    Panes[0]->SetPaneSize(0);
    EXPECT_EQ(Panes[0]->PaneSize(), 32);
    Panes[1]->SetPaneSize(10);
    EXPECT_EQ(Panes[1]->PaneSize(), 469);
}

TEST_F(SplitterTest, ResizingScalesAllPanesOrOnlyTheLast) {
    Make({306, 195});
    Splitter->SetHeight(1002);
    EXPECT_EQ(Panes[0]->PaneSize(), 612);
    EXPECT_EQ(Panes[1]->PaneSize(), 390);
    Splitter->SetProportionalResize(false);
    Splitter->SetHeight(700);
    EXPECT_EQ(Panes[0]->PaneSize(), 612);
    EXPECT_EQ(Panes[1]->PaneSize(), 88);
    // Smaller than the other panes: the last one is left empty, never wrapped round.
    Splitter->SetHeight(100);
    EXPECT_EQ(Panes[1]->PaneSize(), 0);
    Splitter->SetProportionalResize(true);
    Splitter->SetHeight(0);
    Splitter->SetHeight(400);
    EXPECT_EQ(Panes[0]->PaneSize() + Panes[1]->PaneSize(), 400);
    EXPECT_EQ(Panes[0]->PaneSize(), 200);
}

TEST_F(SplitterTest, DraggingABarMovesSpaceWithinBothPanesMinimums) {
    Make({306, 195});
    Mouse(*Splitter, WM_LBUTTONDOWN, 10, 306);
    ASSERT_TRUE(Splitter->DragBarShown());
    EXPECT_EQ(Splitter->DragBarRect(), Rect(0, 305, 300, 308));
    Mouse(*Splitter, WM_MOUSEMOVE, 10, 100);
    EXPECT_EQ(Splitter->DragBarRect(), Rect(0, 99, 300, 102));
    Mouse(*Splitter, WM_LBUTTONUP, 10, 100);
    EXPECT_FALSE(Splitter->DragBarShown());
    EXPECT_EQ(Panes[0]->PaneSize(), 100);
    EXPECT_EQ(Panes[1]->PaneSize(), 401);

    Mouse(*Splitter, WM_LBUTTONDOWN, 10, 100);
    Mouse(*Splitter, WM_MOUSEMOVE, 10, 495);
    Mouse(*Splitter, WM_LBUTTONUP, 10, 495);
    EXPECT_EQ(Panes[0]->PaneSize(), 501 - 2 - 32);

    // A press beside the bar starts nothing and draws nothing.
    Mouse(*Splitter, WM_LBUTTONDOWN, 10, 20);
    EXPECT_FALSE(Splitter->DragBarShown());
    Mouse(*Splitter, WM_LBUTTONUP, 10, 20);
    EXPECT_EQ(Panes[0]->PaneSize(), 501 - 2 - 32);
}

TEST_F(SplitterTest, TheOwnerMayMoveOrSuppressTheDrawnBar) {
    Make({306, 195});
    Splitter->OnDrawDragRect = [](TSplitterWnd*, TRect& rect, bool&) { rect.Left = 50; };
    Splitter->OnEraseDragRect = Splitter->OnDrawDragRect;
    Mouse(*Splitter, WM_LBUTTONDOWN, 10, 306);
    EXPECT_EQ(Splitter->DragBarRect(), Rect(50, 305, 300, 308));
    Mouse(*Splitter, WM_LBUTTONUP, 10, 306);
    EXPECT_FALSE(Splitter->DragBarShown());

    Splitter->OnDrawDragRect = [](TSplitterWnd*, TRect&, bool& ownerDraw) { ownerDraw = false; };
    Splitter->OnEraseDragRect = Splitter->OnDrawDragRect;
    Mouse(*Splitter, WM_LBUTTONDOWN, 10, 306);
    EXPECT_FALSE(Splitter->DragBarShown());
    Mouse(*Splitter, WM_MOUSEMOVE, 10, 200);
    EXPECT_FALSE(Splitter->DragBarShown());
    Mouse(*Splitter, WM_LBUTTONUP, 10, 200);
    EXPECT_EQ(Panes[0]->PaneSize(), 200);
}

TEST_F(SplitterTest, ChangingTheOrientationConvertsTheSizes) {
    Make({306, 195});
    Splitter->SetOrientation(swVertical);
    EXPECT_EQ(Panes[0]->PaneSize(), 183); // 306 / 501 x 300
    EXPECT_EQ(Panes[0]->PaneSize() + Panes[1]->PaneSize(), 300);
    EXPECT_EQ(Splitter->Cursor(), crHSplit);
    EXPECT_EQ(Panes[1]->Left(), 182 + 2);
}

TEST(SplitIt, TheBarReportsAPositionHeldWithinItsRoomAndDoesNotMove) {
    struct Case {
        int Min, Max, MoveTo, Reported;
    };
    // The bar's parent is 300 high and the bar is 4 high at top 100: room 296.
    for (const Case& c : {Case{0, 0, 500, 296}, Case{0, 150, 500, 150}, Case{0, 999, 500, 296},
                          Case{-5, 0, -200, 0}, Case{120, 0, -50, 120}}) {
        TForm form(nullptr);
        form.SetClientWidth(300);
        form.SetClientHeight(300);
        auto* bar = NewControl<TSplitIt>(&form, &form, "SplitIt1", 0, 100, 300, 4);
        bar->SetMin(c.Min);
        bar->SetMax(c.Max);
        int reported = -1;
        bool started = false;
        bar->OnSplit = [&](TObject*, int position) { reported = position; };
        bar->OnStartSplit = [&](TObject*) { started = true; };
        Mouse(*bar, WM_LBUTTONDOWN, 5, 2);
        EXPECT_TRUE(started);
        EXPECT_TRUE(bar->GhostShown());
        Mouse(*bar, WM_MOUSEMOVE, 5, c.MoveTo - 100);
        EXPECT_EQ(bar->GhostRect().Top, c.Reported) << c.MoveTo;
        Mouse(*bar, WM_LBUTTONUP, 5, c.MoveTo - 100);
        EXPECT_EQ(reported, c.Reported) << c.Min << " " << c.Max << " " << c.MoveTo;
        EXPECT_FALSE(bar->GhostShown());
        EXPECT_EQ(bar->Top(), 100);
        EXPECT_EQ(bar->Min(), std::max(0, c.Min));
    }
}
