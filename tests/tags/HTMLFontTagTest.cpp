// The font dialog and the FONT and BASEFONT tags built from it: size, grid or custom colour and
// faces, the press's Alt state, and the size arrows ticking the size box.

#include "tags/HTMLFontTag.h"
#include "ElementDialogSupport.h"
#include "platform/ColorGrd.h"
#include "platform/ComCtrls.h"
#include "platform/CommonDialogs.h"
#include "platform/StdCtrls.h"
#include "tags/ElementDialogs.h"

using namespace ElementDialogSupport;

namespace {

class FontDialogTest : public ElementDialogTest {};

// A click in the middle of a square of the 4 x 4 grid.
void ClickSquare(TColorGrid& grid, int index) {
    const int w = grid.Width() / 4;
    const int h = grid.Height() / 4;
    TestHooks::ClickMouse(grid, index % 4 * w + w / 2, index / 4 * h + h / 2);
}

} // namespace

TEST_F(FontDialogTest, TheTagHoldsSizeColourAndFacesAroundTheSelection) {
    struct Case {
        const char* Name;
        bool BaseFont;
        TShiftState Shift;
        std::function<void(THTMLFontTagForm&)> Fill;
        String Page;
        String CaretBefore;
    };
    const Case cases[] = {
        {"size, grid colour by name, two faces",
         false,
         {},
         [](THTMLFontTagForm& f) {
             f.SizeUpDown->SetPosition(3);
             f.SizeCheck->SetChecked(true);
             ClickSquare(*f.ColorGrid1, 9);
             f.Face1Combo->SetText("Arial");
             f.Face2Combo->SetText("Helvetica");
         },
         "a<FONT SIZE=3 COLOR=\"Red\" FACE=\"Arial, Helvetica\">bc</FONT>d",
         "</FONT>"},
        {"a custom colour is written in hex, even a named one",
         false,
         {},
         [](THTMLFontTagForm& f) {
             ClickSquare(*f.ColorGrid1, 12);
             TestHooks::TDialogAnswer red;
             red.Accepted = true;
             red.Fill = [](TComponent* dialog) {
                 static_cast<TColorDialog*>(dialog)->SetColor(0x0000FF);
             };
             TestHooks::AnswerDialog(red);
             f.MoreButton->Click();
         },
         "a<FONT COLOR=\"#FF0000\">bc</FONT>d",
         "</FONT>"},
        {"the grid after a custom colour takes over",
         false,
         {},
         [](THTMLFontTagForm& f) {
             f.CustomColour = "123456";
             ClickSquare(*f.ColorGrid1, 4);
         },
         "a<FONT COLOR=\"Navy\">bc</FONT>d",
         "</FONT>"},
        {"colour cancelled, only a third face: nothing",
         false,
         {},
         [](THTMLFontTagForm& f) {
             ClickSquare(*f.ColorGrid1, 4);
             f.ColorCancelButton->Click();
             f.Face3Combo->SetText("Arial");
         },
         "abcd",
         "bcd"},
        {"unticking the size leaves it out",
         false,
         {},
         [](THTMLFontTagForm& f) {
             f.SizeUpDown->SetPosition(5);
             f.SizeCheck->SetChecked(false);
             f.Face1Combo->SetText("Times \"New\"");
         },
         "a<FONT FACE=\"Times &quot;New&quot;\">bc</FONT>d",
         "</FONT>"},
        {"Alt on the font button: the end tag alone", false, TShiftState{ssAlt},
         [](THTMLFontTagForm& f) { f.SizeCheck->SetChecked(true); }, "abc</FONT>d", "</FONT>"},
        {"base font: no end tag",
         true,
         {},
         [](THTMLFontTagForm& f) {
             f.SizeUpDown->SetPosition(5);
             f.SizeCheck->SetChecked(true);
         },
         "a<BASEFONT SIZE=5>bcd",
         "d"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        OpenPage("abcd", 1, 2);
        Answer<THTMLFontTagForm>([&](THTMLFontTagForm& form) {
            c.Fill(form);
            form.OKButton->Click();
        });
        Main->LastShiftState = c.Shift;
        if (c.BaseFont)
            Main->ElementDialogs->BaseFontButtonClick(nullptr);
        else
            Main->ElementDialogs->FaceButtonClick(nullptr);
        EXPECT_EQ(PageText(), c.Page);
        EXPECT_EQ(Caret(), static_cast<int>(c.Page.find(c.CaretBefore)));
        EXPECT_EQ(HTMLFontTagForm, nullptr);
    }
}

TEST_F(FontDialogTest, EachShowingStartsAfreshAndTheArrowsTickTheSize) {
    OpenPage("x", 0, 0);
    Answer<THTMLFontTagForm>([](THTMLFontTagForm& form) {
        EXPECT_EQ(form.ColorGrid1->ForegroundIndex(), -1);
        EXPECT_EQ(form.SizeEdit->Text(), "2");
        EXPECT_FALSE(form.SizeCheck->Checked());
        EXPECT_EQ(form.Face1Combo->Text(), "");
        EXPECT_EQ(form.Face1Combo->Items().Count(), Screen->Fonts().Count());
        // The upper arrow.
        TestHooks::ClickMouse(*form.SizeUpDown, form.SizeUpDown->Width() / 2, 2);
        EXPECT_TRUE(form.SizeCheck->Checked());
        form.Cancel->Click();
    });
    Main->ElementDialogs->FaceButtonClick(nullptr);
    EXPECT_EQ(PageText(), "x");
    EXPECT_EQ(HTMLFontTagForm, nullptr);
}
