// The image dialog: the IMG tag's attributes in their order and under their conditions, and the
// size read from a GIF, PNG or JPEG file chosen through the browse button.

#include "tags/HTMLImage.h"
#include "ElementDialogSupport.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "tags/ElementDialogs.h"
#include "widgets/QmToolbars.h"

using namespace ElementDialogSupport;

namespace {

String Bytes(std::initializer_list<int> values) {
    String s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}

String Gif(int width, int height) {
    return "GIF89a" + Bytes({width & 0xFF, width >> 8, height & 0xFF, height >> 8, 0xF7, 0, 0});
}

String Png(int width, int height) {
    return Bytes({0x89}) + "PNG" + Bytes({0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13}) + "IHDR" +
           Bytes({0, 0, width >> 8, width & 0xFF, 0, 0, height >> 8, height & 0xFF, 8, 2, 0, 0, 0});
}

// A baseline JFIF file: start, the JFIF segment, the frame header, end.
String Jpeg(int width, int height) {
    return Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 16}) + "JFIF" +
           Bytes({0,
                  1,
                  2,
                  0,
                  0,
                  1,
                  0,
                  1,
                  0,
                  0,
                  0xFF,
                  0xC0,
                  0,
                  17,
                  8,
                  height >> 8,
                  height & 0xFF,
                  width >> 8,
                  width & 0xFF,
                  3,
                  1,
                  0x11,
                  0,
                  2,
                  0x11,
                  0,
                  3,
                  0x11,
                  0,
                  0xFF,
                  0xD9});
}

class ImageDialogTest : public ElementDialogTest {
protected:
    // Chooses the file through the browse button of the shown dialog.
    static void Browse(TImageForm& form, const String& path) {
        TestHooks::TDialogAnswer chosen;
        chosen.Accepted = true;
        chosen.FileName = path;
        TestHooks::AnswerDialog(chosen);
        form.ImageFileButton->Click();
    }
};

} // namespace

TEST_F(ImageDialogTest, TheTagHoldsTheFilledBoxesInTheirOrder) {
    struct Case {
        const char* Name;
        std::function<void(TImageForm&)> Fill;
        String Tag;
    };
    const Case cases[] = {
        {"typed by hand: the sizes are emptied",
         [](TImageForm& f) {
             f.ImageEdit->SetText("pic.gif");
             f.ImageEditExit(f.ImageEdit);
         },
         "<IMG SRC=\"pic.gif\" BORDER=0>"},
        {"every box",
         [](TImageForm& f) {
             f.ImageEdit->SetText("p.gif");
             f.AltTextEdit->SetText("A \"big\" cat & dog");
             f.LowSrcEdit->SetText("lo.gif");
             f.UseMapEdit->SetText("#m");
             f.IsMapCheck->SetChecked(true);
             f.BorderEdit->SetText("2");
             f.WidthEdit->SetText("320");
             f.HSpaceEdit->SetText("5");
             f.VSpaceEdit->SetText("0");
             f.AlignCombo->SetText("LEFT");
         },
         "<IMG SRC=\"p.gif\" ALT=\"A &quot;big&quot; cat &amp; dog\" LOWSRC=\"lo.gif\" "
         "USEMAP=\"#m\" ISMAP BORDER=2 WIDTH=320 HSPACE=5 ALIGN=LEFT>"},
        {"border emptied, a width past the up-down's range",
         [](TImageForm& f) {
             f.ImageEdit->SetText("p.gif");
             f.BorderEdit->SetText("");
             f.WidthEdit->SetText("640");
         },
         "<IMG SRC=\"p.gif\" WIDTH=640>"},
        {"a number box holding words is quoted",
         [](TImageForm& f) {
             f.ImageEdit->SetText("p.gif");
             f.HeightEdit->SetText("5 onload=x");
         },
         "<IMG SRC=\"p.gif\" BORDER=0 HEIGHT=\"5 onload=x\">"},
        {"full path ticked without a file chosen keeps the typed source",
         [](TImageForm& f) {
             f.ImageEdit->SetText("p.gif");
             f.ImagePathCheck->SetChecked(true);
         },
         "<IMG SRC=\"p.gif\" BORDER=0>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        OpenPage("ab", 1, 0);
        Answer<TImageForm>([&](TImageForm& form) {
            c.Fill(form);
            form.OKButton->Click();
        });
        Main->LastShiftState = TShiftState{ssCtrl};
        Main->ElementDialogs->ImageButtonClick(nullptr);
        EXPECT_EQ(PageText(), "a" + c.Tag + "b");
        EXPECT_EQ(Caret(), 1 + static_cast<int>(c.Tag.size()));
        EXPECT_EQ(ImageForm, nullptr);
    }
}

TEST_F(ImageDialogTest, ABrowsedImageGivesItsRelativeNameAndSize) {
    struct Case {
        const char* File;
        String Bytes;
        const char* Width;
        const char* Height;
    };
    const Case cases[] = {
        {"name.gif", Gif(100, 50), "100", "50"},
        {"shot.PNG", Png(1000, 20), "1000", "20"},
        {"photo.jpg", Jpeg(640, 480), "640", "480"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.File);
        ForceDirectories(Folder + "img");
        WriteFileAtomic(Folder + "img/" + c.File, c.Bytes);
        OpenPage("", 0, 0);
        String shownWidth;
        String shownHeight;
        Answer<TImageForm>([&](TImageForm& form) {
            Browse(form, Folder + "img/" + c.File);
            shownWidth = form.WidthEdit->Text();
            shownHeight = form.HeightEdit->Text();
            form.OKButton->Click();
        });
        Main->ElementDialogs->ImageButtonClick(nullptr);
        EXPECT_EQ(shownWidth, c.Width);
        EXPECT_EQ(shownHeight, c.Height);
        EXPECT_EQ(PageText(), String("<IMG SRC=\"./img/") + c.File +
                                  "\" BORDER=0 WIDTH=" + c.Width + " HEIGHT=" + c.Height + ">");
    }
}

TEST_F(ImageDialogTest, FullPathAndExtensionsThatNameNoKind) {
    WriteFileAtomic(Folder + "x.Gif", Gif(7, 8));
    WriteFileAtomic(Folder + "y.gif", Gif(7, 8));
    OpenPage("", 0, 0);
    Answer<TImageForm>([&](TImageForm& form) {
        form.WidthEdit->SetText("9");
        Browse(form, Folder + "x.Gif"); // no kind: both boxes emptied
        EXPECT_EQ(form.WidthEdit->Text(), "");
        EXPECT_EQ(form.HeightEdit->Text(), "");
        Browse(form, Folder + "y.gif");
        TestHooks::TDialogAnswer low;
        low.Accepted = true;
        low.FileName = Folder + "lo/y.gif";
        TestHooks::AnswerDialog(low);
        form.LowSrcFileButton->Click();
        EXPECT_EQ(form.LowSrcEdit->Text(), "./lo/y.gif");
        form.ImagePathCheck->SetChecked(true);
        form.LowSrcPathCheck->SetChecked(true);
        form.OKButton->Click();
    });
    Main->ElementDialogs->ImageButtonClick(nullptr);
    EXPECT_EQ(PageText(), "<IMG SRC=\"" + Folder + "y.gif\" LOWSRC=\"" + Folder +
                              "lo/y.gif\" BORDER=0 WIDTH=7 HEIGHT=8>");
}

TEST_F(ImageDialogTest, CancelInsertsNothing) {
    OpenPage("ab", 1, 0);
    Answer<TImageForm>([](TImageForm& form) {
        form.ImageEdit->SetText("p.gif");
        form.CancelButton->Click();
    });
    Main->ElementDialogs->ImageButtonClick(nullptr);
    EXPECT_EQ(PageText(), "ab");
    EXPECT_EQ(ImageForm, nullptr);
}
