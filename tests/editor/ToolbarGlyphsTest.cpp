// The toolbar buttons' pictures: each button takes glyphs/<its name>.bmp from the program folder;
// a missing picture leaves the button bare without a word, a damaged one is reported and the
// window is built all the same.

#include "MainWindowSupport.h"
#include "TestSupport.h"
#include "editor/PrintCommands.h"
#include "platform/FileUtils.h"
#include "platform/Graphics.h"
#include "platform/TestHooks.h"
#include "widgets/QmToolbars.h"

#include <gtest/gtest.h>

#include <vector>

using namespace MainWindowSupport;

namespace {

// Every button of the window's two toolbars, whichever feature made it.
std::vector<String> GlyphButtons(const THTMLEMainForm& form) {
    std::vector<String> names;
    for (TQmToolbar* toolbar : {form.StdToolbar, form.EditToolbar})
        for (int i = 0; i < toolbar->ControlCount(); ++i)
            if (dynamic_cast<TQmToolbarButton*>(toolbar->Controls(i)))
                names.push_back(toolbar->Controls(i)->Name());
    return names;
}

// The window's toolbar button of that name, whichever feature made it.
TQmToolbarButton* ToolbarButton(const THTMLEMainForm& form, const String& name) {
    return dynamic_cast<TQmToolbarButton*>(form.FindComponent(name));
}

String ShippedGlyph(const String& name) {
    return String(QM_SOURCE_DATA) + "/glyphs/" + name + ".bmp";
}

String ProgramFolderGlyph(const String& name) {
    return ProgramFolder() + "glyphs/" + name + ".bmp";
}

bool SamePixels(const TBitmap& a, const TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.PixelAt(x, y) != b.PixelAt(x, y))
                return false;
    return true;
}

// The pixels a greyed button embosses: all but the transparent colour, white and silver.
int InkPixels(const TBitmap& picture) {
    const TColor transparent = picture.TransparentColor();
    int ink = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            TColor c = picture.PixelAt(x, y);
            ink += c != transparent && c != clWhite && c != clSilver;
        }
    return ink;
}

// The program folder filled from the shipped data, as the program's start sets it up.
class ShippedGlyphs : public testing::Test {
protected:
    void SetUp() override { SetShippedDataFolder(QM_SOURCE_DATA); }
    void TearDown() override { SetShippedDataFolder(""); }
};

} // namespace

TEST_F(ShippedGlyphs, EveryToolbarButtonShowsItsOwnPictureAndCanBeGreyed) {
    auto form = MakeMainWindow();
    ASSERT_GE(GlyphButtons(*form).size(), 20u);
    for (const String& name : GlyphButtons(*form)) {
        SCOPED_TRACE(name);
        TQmToolbarButton* button = ToolbarButton(*form, name);
        ASSERT_NE(button, nullptr);
        TBitmap& glyph = button->Glyph();
        TBitmap shipped;
        shipped.LoadFromFile(ShippedGlyph(name));
        EXPECT_TRUE(SamePixels(glyph, shipped));
        EXPECT_EQ(glyph.Width(), 16);
        EXPECT_EQ(glyph.Height(), 16);
        EXPECT_EQ(button->NumGlyphs(), 1);
        EXPECT_EQ(button->ButtonGlyph().TransparentColor(), clOlive);
        // A greyed picture is drawn from these alone; too few and the button greys out blank.
        EXPECT_GE(InkPixels(glyph), 20);
        EXPECT_GE(button->ButtonGlyph().GetStateImage(bsDisabled), 0);
    }
    EXPECT_TRUE(TestHooks::Prompts().empty());
}

TEST(ToolbarGlyphs, OnlyButtonsWhosePictureIsThereGetOneAndNothingIsSaid) {
    ASSERT_TRUE(ForceDirectories(ProgramFolder() + "glyphs"));
    for (const char* name : {"CutButton", "HelpButton"})
        ASSERT_TRUE(CopyFile(ShippedGlyph(name), ProgramFolderGlyph(name), true));

    auto form = MakeMainWindow();
    for (const String& name : GlyphButtons(*form)) {
        SCOPED_TRACE(name);
        const bool present = name == "CutButton" || name == "HelpButton";
        TQmToolbarButton* button = ToolbarButton(*form, name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->Glyph().Empty(), !present);
    }
    EXPECT_TRUE(TestHooks::Prompts().empty());
}

TEST(ToolbarGlyphs, ADamagedPictureIsReportedAndItsButtonStaysBare) {
    ASSERT_TRUE(ForceDirectories(ProgramFolder() + "glyphs"));
    const String damaged = ProgramFolderGlyph("PrintButton");
    WriteFileAtomic(damaged, "BM not a picture");
    ASSERT_TRUE(CopyFile(ShippedGlyph("CloseButton"), ProgramFolderGlyph("CloseButton"), true));
    TestHooks::AnswerMessageBox(IDOK);

    auto form = MakeMainWindow();
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_NE(TestHooks::Prompts()[0].Text.find("\"" + damaged + "\""), String::npos);
    EXPECT_EQ(TestHooks::Prompts()[0].Icon(), UINT(MB_ICONSTOP));
    EXPECT_TRUE(form->PrintCommands->PrintButton->Glyph().Empty());
    EXPECT_FALSE(form->Documents->CloseButton->Glyph().Empty());
}
