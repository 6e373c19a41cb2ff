#include "widgets/JLLabel.h"

#include "platform/Forms.h"

#include <gtest/gtest.h>

TEST(JLLabelTest, EscapementIsKeptFromZeroTo360) {
    TRotateLabel label(nullptr);
    EXPECT_EQ(label.Escapement(), 45);
    EXPECT_EQ(label.TextStyle(), tsRaised);
    EXPECT_EQ(label.Font().Name(), "Arial");
    struct Case {
        int Given;
        int Kept;
    };
    for (Case c : {Case{-30, 330}, Case{-360, 0}, Case{-400, 320}, Case{361, 1}, Case{720, 360},
                   Case{90, 90}}) {
        label.SetEscapement(c.Given);
        EXPECT_EQ(label.Escapement(), c.Kept) << c.Given;
    }
}

// Text 100 x 20 pixels: where it starts inside the box that holds it turned, and that box. Every
// product is cut toward zero, so sin 45 x 100 gives 70 and sin 45 x 20 gives 14.
TEST(JLLabelTest, TurnedTextStartsWhereItsBoxHoldsItInEveryQuarter) {
    struct Case {
        int Angle;
        TRotatedTextPlacement Placement;
    };
    for (const Case& c : {
             Case{45, {0, 70, 84, 84}},
             Case{90, {0, 100, 20, 100}},
             Case{135, {70, 84, 84, 84}},
             Case{180, {100, 20, 100, 20}},
             Case{225, {84, 14, 84, 84}},
             Case{270, {20, 0, 20, 100}},
             Case{315, {14, 0, 84, 84}},
             Case{360, {0, 0, 100, 20}},
         }) {
        TRotatedTextPlacement p = RotatedTextPlacement(c.Angle, 100, 20);
        EXPECT_EQ(p, c.Placement) << c.Angle << ": " << p.dx << ", " << p.dy << ", " << p.Width
                                  << " x " << p.Height;
    }
}

TEST(JLLabelTest, AnAutoSizedTurnedLabelTakesTheSizeOfItsTurnedTextWhenPainted) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 300);
    auto* label = new TRotateLabel(&form);
    label->SetParent(&form);
    label->SetCaption("Underline");
    label->Font().SetStyle({fsBold});
    label->SetEscapement(90);
    form.Show();
    label->Repaint();
    Application->ProcessMessages();

    TCanvas measure;
    measure.Font().Assign(label->Font());
    TSize text = measure.TextExtent("Underline");
    EXPECT_EQ(label->Width(), text.cy);
    EXPECT_EQ(label->Height(), text.cx);
}
