#include "platform/Spin.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"

#include <gtest/gtest.h>

namespace {

// A form holding a spin edit of the range -10 to 99, built as a form resource is read.
class SpinEditTest : public testing::Test {
protected:
    void SetUp() override {
        Form = new TForm(nullptr);
        Form->BuildForm([this] {
            Edit = NewControl<TSpinEdit>(Form, Form, "SpinEdit", 10, 10, 60, 22);
            Edit->SetMinValue(-10);
            Edit->SetMaxValue(99);
            Edit->SetValue(12);
        });
    }
    void TearDown() override { Form->Free(); }

    TForm* Form = nullptr;
    TSpinEdit* Edit = nullptr;
};

} // namespace

TEST_F(SpinEditTest, TheTypedNumberIsReadWithinTheRangeAndOtherTextAsTheMinimum) {
    const std::pair<const char*, int> cases[] = {{"7", 7},     {" -4 ", -4}, {"150", 99},
                                                 {"-50", -10}, {"abc", -10}, {"", -10}};
    for (auto [typed, value] : cases) {
        SCOPED_TRACE(typed);
        Edit->SetText(typed);
        EXPECT_EQ(Edit->Value(), value);
        EXPECT_EQ(Edit->Text(), typed) << "reading never rewrites the text";
    }
    Edit->SetValue(500);
    EXPECT_EQ(Edit->Text(), "99");
}

TEST_F(SpinEditTest, TheArrowsAtItsRightEdgeStepTheNumber) {
    TUpDown* arrows = Edit->Button();
    ASSERT_NE(arrows, nullptr);
    EXPECT_EQ(arrows->Left(), 70);
    EXPECT_EQ(Edit->Text(), "12");
    arrows->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 1));
    EXPECT_EQ(Edit->Value(), 13);
    Edit->SetText("99");
    arrows->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 1));
    EXPECT_EQ(Edit->Value(), 99);
}
