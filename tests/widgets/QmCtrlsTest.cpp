// The scrolling credits panel: its children make way while it plays, the text rises to its end
// and the play stops (or, cycled, starts over), and a start that fails leaves it still.

#include "widgets/QmCtrls.h"

#include "platform/Forms.h"
#include "platform/StdCtrls.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct PanelOnForm {
    PanelOnForm() {
        Panel = NewControl<TSecretPanel>(&Form, &Form, "SecretPanel1", 0, 0, 200, 100);
        Shown = NewControl<TLabel>(&Form, Panel, "Shown", 4, 4, 40, 13);
        Hidden = NewControl<TLabel>(&Form, Panel, "Hidden", 4, 24, 40, 13);
        Hidden->SetVisible(false);
        Panel->Lines().SetText("\r\n  \r\nFirst\r\nSecond\r\n");
        Panel->OnStartPlay = [this](TObject*) { ++Starts; };
        Panel->OnStopPlay = [this](TObject*) { ++Stops; };
    }
    // Ticks until the play ends or the count is reached; the ticks given.
    int Play(int most) {
        int ticks = 0;
        while (ticks < most && Panel->Active() && TestHooks::FireTimer(*Panel->Timer()))
            ++ticks;
        return ticks;
    }

    // Declared first, so they outlive the form, whose panel stops as it is freed.
    int Starts = 0;
    int Stops = 0;
    TForm Form{nullptr};
    TSecretPanel* Panel = nullptr;
    TLabel* Shown = nullptr;
    TLabel* Hidden = nullptr;
};

} // namespace

TEST(QmCtrlsTest, ThePlayHidesTheChildrenRisesToItsEndAndGivesThemBack) {
    PanelOnForm f;
    EXPECT_EQ(f.Panel->BevelOuter(), bvLowered);
    EXPECT_EQ(f.Panel->Interval(), 30);
    f.Panel->SetActive(true);
    EXPECT_EQ(f.Starts, 1);
    EXPECT_FALSE(f.Shown->Visible());
    EXPECT_TRUE(f.Panel->Timer()->Running());
    // Blank lines before the text take no room: the text area's height plus two lines.
    const int length = f.Panel->ScrollLength();
    const int textHeight = 100 - 2 * (1 + 3);
    EXPECT_GT(length, textHeight);
    EXPECT_EQ((length - textHeight) % 2, 0);

    EXPECT_EQ(f.Play(length + 10), length + 1);
    EXPECT_FALSE(f.Panel->Active());
    EXPECT_EQ(f.Stops, 1);
    EXPECT_EQ(f.Panel->ScrollPosition(), 0);
    EXPECT_FALSE(f.Panel->Timer()->Running());
    EXPECT_TRUE(f.Shown->Visible());
    EXPECT_FALSE(f.Hidden->Visible()); // it was hidden before the play
}

TEST(QmCtrlsTest, ACycledPlayStartsOverAndNewLinesRestartIt) {
    PanelOnForm f;
    f.Panel->SetCycled(true);
    f.Panel->SetActive(true);
    const int length = f.Panel->ScrollLength();
    EXPECT_EQ(f.Play(length + 1), length + 1);
    EXPECT_TRUE(f.Panel->Active());
    EXPECT_EQ(f.Panel->ScrollPosition(), 0);
    f.Play(5);
    f.Panel->Lines().Add("Third");
    EXPECT_EQ(f.Panel->ScrollPosition(), 0);
    EXPECT_GT(f.Panel->ScrollLength(), length);
    EXPECT_EQ(f.Stops, 0);
}

TEST(QmCtrlsTest, AFailedStartLeavesThePanelStill) {
    PanelOnForm f;
    f.Panel->OnStartPlay = [](TObject*) { throw std::runtime_error("no"); };
    EXPECT_THROW(f.Panel->SetActive(true), std::runtime_error);
    EXPECT_FALSE(f.Panel->Active());
    EXPECT_FALSE(f.Panel->Timer()->Running());
    EXPECT_TRUE(f.Shown->Visible());
}
