#include "widgets/WebConnect.h"

#include "platform/Forms.h"

#include <gtest/gtest.h>

TEST(WebConnectTest, LoadWebCursorPutsTheNamedCursorIntoTheWebHandSlot) {
    TWebConnect connect(nullptr);
    Screen->SetCursors(crWebHand, nullptr);
    HCURSOR hand = LoadCursor(HInstance, "HAND");
    ASSERT_NE(hand, nullptr);
    ASSERT_NE(Screen->Cursors(crWebHand), hand);

    connect.LoadWebCursor();
    EXPECT_EQ(Screen->Cursors(crWebHand), hand);

    HCURSOR help = LoadCursor(HInstance, "MYHELP");
    ASSERT_NE(help, hand);
    connect.LoadWebCursor("MYHELP");
    EXPECT_EQ(Screen->Cursors(crWebHand), help);
}
