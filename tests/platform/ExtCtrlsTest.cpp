#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/TestHooks.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>

TEST(TimerTest, FiresOnlyWhenEnabledWithAnIntervalAboveZero) {
    struct Case {
        bool Enabled;
        int Interval;
        bool Fires;
    };
    const Case cases[] = {
        {true, 300000, true}, {true, 0, false}, {true, -5, false}, {false, 1000, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(IntToStr(c.Interval) + (c.Enabled ? " enabled" : " disabled"));
        TTimer timer(nullptr);
        int fired = 0;
        timer.OnTimer = [&](TObject* Sender) {
            EXPECT_EQ(Sender, &timer);
            ++fired;
        };
        timer.SetInterval(c.Interval);
        timer.SetEnabled(c.Enabled);
        EXPECT_EQ(TestHooks::FireTimer(timer), c.Fires);
        EXPECT_EQ(fired, c.Fires ? 1 : 0);
    }
}

TEST(TimerTest, ARunningTimerFiresFromTheMessageLoop) {
    TTimer timer(nullptr);
    int fired = 0;
    timer.OnTimer = [&](TObject*) {
        if (++fired == 2)
            timer.SetEnabled(false);
    };
    timer.SetInterval(5);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (fired < 2 && std::chrono::steady_clock::now() < deadline)
        Application->HandleMessage();
    EXPECT_EQ(fired, 2);
}

TEST(PanelTest, AlignedChildrenStayInsideTheFrameAndBevels) {
    struct Case {
        const char* What;
        TBevelCut Outer;
        TBevelCut Inner;
        int BevelWidth;
        int BorderWidth;
        TBorderStyle Border;
        int Inset;
    };
    const Case cases[] = {
        {"plain", bvNone, bvNone, 1, 0, bsNone, 0},
        {"raised", bvRaised, bvNone, 1, 0, bsNone, 1},
        {"both bevels and a border", bvRaised, bvLowered, 2, 3, bsNone, 7},
        {"single line", bvNone, bvNone, 1, 0, bsSingle, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TForm form(nullptr);
        auto* panel = new TPanel(&form);
        panel->SetParent(&form);
        panel->SetBounds(0, 0, 200, 100);
        panel->SetBevelOuter(c.Outer);
        panel->SetBevelInner(c.Inner);
        panel->SetBevelWidth(c.BevelWidth);
        panel->SetBorderWidth(c.BorderWidth);
        panel->SetBorderStyle(c.Border);
        auto* child = new TWinControl(&form);
        child->SetParent(panel);
        child->SetAlign(alClient);
        EXPECT_EQ(child->BoundsRect(), Rect(c.Inset, c.Inset, 200 - c.Inset, 100 - c.Inset));
    }
}

TEST(RadioGroupTest, ItemsMakeTheButtonsAndItemIndexChecksOne) {
    TForm form(nullptr);
    auto* group = new TRadioGroup(&form);
    group->SetParent(&form);
    group->SetBounds(0, 0, 200, 120);
    for (const char* item : {"Left", "Centre", "Right"})
        group->Items().Add(item);
    group->SetColumns(2);
    group->SetItemIndex(2);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(group->Buttons(i)->Checked(), i == 2);
    EXPECT_EQ(group->Buttons(1)->Caption(), "Centre");
    EXPECT_EQ(group->Buttons(0)->Left(), group->Buttons(1)->Left());
    EXPECT_GT(group->Buttons(2)->Left(), group->Buttons(0)->Left()); // second column
    group->SetItemIndex(-1);
    EXPECT_FALSE(group->Buttons(2)->Checked());
    group->SetItemIndex(2);
    group->Items().Delete(2);
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_THROW(group->Buttons(2), EListError);
}

TEST(ImageTest, AutoSizeTakesThePictureSizeAndAnEmptyPictureIsDrawnOnAtTheControlsSize) {
    String file = TestSupport::Sandbox("picture.bmp");
    TBitmap bitmap;
    bitmap.SetSize(30, 20);
    bitmap.SaveToFile(file);

    TImage image(nullptr);
    image.SetBounds(0, 0, 70, 50);
    image.Canvas().FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(image.Picture().Width(), 70);
    EXPECT_EQ(image.Picture().Height(), 50);
    image.SetAutoSize(true);
    image.Picture().LoadFromFile(file);
    EXPECT_EQ(image.Width(), 30);
    EXPECT_EQ(image.Height(), 20);
}
