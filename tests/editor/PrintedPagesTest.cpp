// Pages printed for real on the stand-in printer (600 pixels an inch, unprintable edges of 6 mm,
// 7 at the foot) into a PDF file: the header and footer columns and their cut texts, the page
// numbers, the borders and the margins in both orientations and units; the failures the user is
// told of; and the print preview window's pages, navigation, zoom and range printing.

#include "MainWindowSupport.h"
#include "editor/PrintCommands.h"
#include "platform/CommonDialogs.h"
#include "platform/Printers.h"
#include "platform/TestHooks.h"
#include "services/RichPreview.h"
#include "services/RichPrint.h"
#include "site/ReportPane.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <regex>
#include <sstream>

using namespace MainWindowSupport;

namespace {

int Pixels(double millimetres) {
    return static_cast<int>(std::nearbyint(millimetres / 25.4 * 600));
}

String LongText(int lines) {
    String text;
    for (int i = 1; i <= lines; ++i)
        text += "line " + IntToStr(i) + "\r\n";
    return text;
}

String FileText(const String& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The pages of a PDF file and the first page's size in points.
struct TPdf {
    int Pages = 0;
    double Width = 0;
    double Height = 0;
};

TPdf ReadPdf(const String& fileName) {
    String text = FileText(fileName);
    TPdf pdf;
    std::regex page(R"(/Type\s*/Page[^s])");
    pdf.Pages = static_cast<int>(std::distance(std::sregex_iterator(text.begin(), text.end(), page),
                                               std::sregex_iterator()));
    std::smatch box;
    if (std::regex_search(text, box,
                          std::regex(R"(/MediaBox\s*\[\s*0\s+0\s+([\d.]+)\s+([\d.]+))"))) {
        pdf.Width = std::stod(box[1]);
        pdf.Height = std::stod(box[2]);
    }
    return pdf;
}

class PrintedPagesTest : public testing::Test {
protected:
    void SetUp() override {
        Form = MakeMainWindow();
        Form->VerLabelInvis->SetCaption("Version 3.0c");
        Printer().SetOutputFileName(Folder("print") + "out.pdf");
        TestHooks::SetPrintForReal(true);
        Printer_ = Form->PrintCommands->RichPrinter1;
    }
    void TearDown() override {
        if (RichPreviewForm)
            delete RichPreviewForm;
    }

    // As the user does: the File menu opens, then its item is clicked.
    void Print() {
        Form->File1->Click();
        Form->PrintCommands->Print1->Click();
    }
    void Preview() {
        Form->File1->Click();
        Form->PrintCommands->PrintPreview1->Click();
    }

    void AnswerPageSetup(TPrinterOrientation orientation, const String& paper) {
        TestHooks::TDialogAnswer answer;
        answer.Accepted = true;
        answer.Fill = [orientation, paper](TComponent* dialog) {
            auto* setup = static_cast<TPageSetupDialog*>(dialog);
            setup->SetOrientation(orientation);
            setup->SetPaperName(paper);
        };
        TestHooks::AnswerDialog(answer);
        Form->PrintCommands->PageSetup1->Click();
    }

    std::unique_ptr<THTMLEMainForm> Form;
    TRichPrinter* Printer_ = nullptr;
};

} // namespace

// A long page prints on three pages, each with the program and the file in the header's two
// columns, "Page n" right-aligned in the footer's column and the top and bottom borders.
TEST_F(PrintedPagesTest, ALongPagePrintsDecoratedNumberedPages) {
    UsePage(*Form, 0, "/site/docs/index.htm", LongText(150));
    Print();
    const auto& pages = TestHooks::PrintedPages();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(ReadPdf(Printer().OutputFileName()).Pages, 3);
    int left = Pixels(20) - Pixels(6), top = Pixels(20) - Pixels(6);
    for (size_t i = 0; i < pages.size(); ++i) {
        const TestHooks::TPrintedPage& page = pages[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(page.Number, int(i) + 1);
        EXPECT_EQ(page.TextArea.Left, left);
        EXPECT_EQ(page.TextArea.Top, top);
        ASSERT_EQ(page.Header.size(), 2u);
        EXPECT_EQ(page.Header[0].Text, "Quiltmarker v.3.0c");
        EXPECT_EQ(page.Header[0].X, left + 6) << "a left column's pad";
        EXPECT_EQ(page.Header[1].Text, "/site/docs/index.htm");
        EXPECT_GT(page.Header[1].X, left + Pixels(65));
        EXPECT_LT(page.Header[0].Y, top);
        ASSERT_EQ(page.Footer.size(), 1u);
        EXPECT_EQ(page.Footer[0].Text, "Page " + IntToStr(int(i) + 1));
        EXPECT_GT(page.Footer[0].Y, page.TextArea.Bottom);
        int offset = Pixels(2);
        ASSERT_EQ(page.Borders.size(), 2u);
        EXPECT_EQ(page.Borders[0].From, (TPoint{left - offset, top - offset}));
        EXPECT_EQ(page.Borders[0].To, (TPoint{page.TextArea.Right + offset, top - offset}));
        EXPECT_EQ(page.Borders[1].From.y, page.TextArea.Bottom + offset);
        EXPECT_EQ(page.Borders[0].Width, 2);
    }
}

// A text wider than its column is cut to the longest start that fits; all borders and the title.
TEST_F(PrintedPagesTest, ColumnTextsAreCutToFitAndEveryBorderIsDrawn) {
    String longName = "/site/" + String(200, 'x') + ".htm";
    UsePage(*Form, 0, longName, "text");
    Printer_->SetPageBorders({pbTop, pbBottom, pbLeft, pbRight});
    Printer_->SetTitle("My pages");
    Printer_->SetFooter("{$TITLE}, page {$PAGE}");
    Print();
    ASSERT_EQ(TestHooks::PrintedPages().size(), 1u);
    const TestHooks::TPrintedPage& page = TestHooks::PrintedPages()[0];
    ASSERT_EQ(page.Header.size(), 2u);
    String cut = page.Header[1].Text;
    EXPECT_LT(cut.size(), longName.size());
    EXPECT_GT(cut.size(), 10u);
    EXPECT_EQ(longName.substr(0, cut.size()), cut);
    EXPECT_GE(page.Header[1].X, page.TextArea.Left + Pixels(65));
    ASSERT_EQ(page.Footer.size(), 1u);
    EXPECT_EQ(page.Footer[0].Text, "My pages, page 1");
    EXPECT_EQ(page.Logo.Width(), 0) << "no logo is drawn without a bitmap";
    ASSERT_EQ(page.Borders.size(), 4u);
    EXPECT_EQ(page.Borders[2].From.x, page.TextArea.Left - Pixels(2));
    EXPECT_EQ(page.Borders[3].From.x, page.TextArea.Right + Pixels(2));
}

// Page setup's landscape A5 gives landscape pages of A5 in the PDF; the margins are kept from the
// paper's edges in millimetres and in inches.
TEST_F(PrintedPagesTest, MarginsHoldInBothOrientationsAndUnits) {
    UsePage(*Form, 0, "/site/a.htm", LongText(60));
    struct Case {
        TPrinterOrientation Orientation;
        TMeasureUnit Unit;
        double Left;
        double Top;
    };
    for (const Case& c :
         {Case{poPortrait, muMillimeters, 20, 20}, Case{poLandscape, muMillimeters, 20, 20},
          Case{poLandscape, muInches, 1, 0.5}}) {
        TestHooks::Reset();
        TestHooks::SetPrintForReal(true);
        Printer().SetOutputFileName(Folder("print") + "out.pdf");
        AnswerPageSetup(c.Orientation, "A5");
        Printer_->SetMeasureUnit(c.Unit);
        Printer_->SetMarginLeft(c.Left);
        Printer_->SetMarginTop(c.Top);
        Print();
        SCOPED_TRACE(c.Orientation * 10 + c.Unit);
        ASSERT_FALSE(TestHooks::PrintedPages().empty());
        const TestHooks::TPrintedPage& page = TestHooks::PrintedPages()[0];
        double mm = c.Unit == muInches ? 25.4 : 1;
        EXPECT_EQ(page.TextArea.Left, Pixels(c.Left * mm) - Pixels(6));
        EXPECT_EQ(page.TextArea.Top, Pixels(c.Top * mm) - Pixels(6));
        TPdf pdf = ReadPdf(Printer().OutputFileName());
        EXPECT_EQ(pdf.Width > pdf.Height, c.Orientation == poLandscape);
        EXPECT_NEAR(std::max(pdf.Width, pdf.Height), 595, 2) << "A5 is 210 mm long";
        EXPECT_EQ(page.PrintableWidth > page.PrintableHeight, c.Orientation == poLandscape);
        Printer_->SetMeasureUnit(muMillimeters);
    }
}

// A printer that cannot start tells the user so, for the page and for the report; nothing is
// drawn.
TEST_F(PrintedPagesTest, APrintThatCannotStartSaysSo) {
    UsePage(*Form, 0, "/site/a.htm", "page");
    Printer().SetOutputFileName("/no/such/folder/out.pdf");
    TestHooks::AnswerMessageBox(IDOK);
    Print();
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Text, "Not be able to start the printing.");
    EXPECT_TRUE(TestHooks::PrintedPages().empty());

    Form->ReportPane->ShowReportPane();
    Form->ReportPane->ReportForm->SetText("report");
    TestHooks::TDialogAnswer accepted;
    accepted.Accepted = true;
    TestHooks::AnswerDialog(accepted);
    TestHooks::AnswerMessageBox(IDOK);
    Form->ReportPane->PrintReportButton->Click();
    ASSERT_EQ(TestHooks::Prompts().size(), 3u);
    EXPECT_EQ(TestHooks::Prompts()[2].Text, "Not be able to start the printing.");
}

// Margins that leave the text no room cannot start a print either.
TEST_F(PrintedPagesTest, MarginsLeavingNoRoomCannotStart) {
    UsePage(*Form, 0, "/site/a.htm", "page");
    Printer_->SetMarginLeft(150);
    Printer_->SetMarginRight(150);
    TestHooks::AnswerMessageBox(IDOK);
    Print();
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Text, "Not be able to start the printing.");
}

// The printer tells of the job's start, of each page and of its end, and refuses changes to the
// page while the job is open.
TEST_F(PrintedPagesTest, EventsComeInOrderAndThePageCannotChangeWhilePrinting) {
    UsePage(*Form, 0, "/site/a.htm", LongText(150));
    std::vector<String> events;
    Printer_->OnBeginDoc = [&](TObject*) { events.push_back("begin"); };
    Printer_->OnEndDoc = [&](TObject*) { events.push_back(Printer_->IsPrinting() ? "?" : "end"); };
    Printer_->OnNewPage = [&](TObject*) {
        events.push_back("page");
        try {
            Printer_->SetOrientation(poLandscape);
        } catch (const ELinePrinter& refused) {
            events.push_back(refused.Message());
        }
    };
    Print();
    EXPECT_EQ(events,
              (std::vector<String>{"begin", "page", "Unable to change orientation while printing",
                                   "page", "Unable to change orientation while printing", "page",
                                   "Unable to change orientation while printing", "end"}));
    EXPECT_EQ(Printer().Orientation(), poPortrait);
}

// The logo sits below the header line, its sizes fractions of the paper applied to the text
// area.
TEST_F(PrintedPagesTest, TheLogoIsDrawnBelowTheHeader) {
    UsePage(*Form, 0, "/site/a.htm", "text");
    TBitmap logo;
    logo.SetSize(10, 10);
    Printer_->SetBitmapLogo(logo);
    Printer_->SetLogoLeft(21);
    Print();
    ASSERT_EQ(TestHooks::PrintedPages().size(), 1u);
    const TestHooks::TPrintedPage& page = TestHooks::PrintedPages()[0];
    int width = page.TextArea.Width();
    EXPECT_NEAR(page.Logo.Left, page.TextArea.Left + width * 21 / 210.0, 2);
    EXPECT_NEAR(page.Logo.Width(), width * 8 / 210.0, 2);
    ASSERT_FALSE(page.Header.empty());
    EXPECT_GT(page.Logo.Top, page.Header[0].Y);
    EXPECT_LT(page.Logo.Top, page.TextArea.Top + page.TextArea.Height() / 10);
}

// A stored landscape page survives the next start.
TEST_F(PrintedPagesTest, StoredOrientationSurvivesARestart) {
    AnswerPageSetup(poLandscape, "A5");
    Printer().SetOrientation(poPortrait);
    TRichPrinter next(nullptr);
    EXPECT_EQ(next.Orientation(), poLandscape);
    EXPECT_EQ(Printer().Orientation(), poLandscape);
}

// The preview records its pages into a folder of its own and shows the last; the page buttons
// and keys, the zoom and the printing of a range of pages work on them; closing deletes them.
TEST_F(PrintedPagesTest, PreviewWindowShowsNavigatesZoomsAndPrintsItsPages) {
    UsePage(*Form, 0, "/site/a.htm", LongText(150));
    Preview();
    TRichPreviewForm* preview = RichPreviewForm;
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->Caption(), "Print Preview");
    ASSERT_EQ(preview->PageCount(), 3);
    String folder = preview->PagesFolder();
    EXPECT_EQ(folder.find(TempFolder()), 0u);
    EXPECT_TRUE(FileExists(folder + "PreviewMetafile2"));
    EXPECT_EQ(preview->Label5->Caption(), "   3 of    3");
    EXPECT_TRUE(TestHooks::PrintedPages().at(0).Preview);

    preview->ArrowButton1->Click();
    EXPECT_EQ(preview->Label5->Caption(), "   2 of    3");
    WORD key = VK_HOME;
    preview->FormKeyDown(preview, key, {});
    EXPECT_EQ(preview->PageOnDisplay(), 0);
    EXPECT_FALSE(preview->Label2->Enabled());
    key = VK_PRIOR;
    preview->FormKeyDown(preview, key, {});
    EXPECT_EQ(preview->PageOnDisplay(), 1);
    key = VK_END;
    preview->FormKeyDown(preview, key, {});
    EXPECT_EQ(preview->PageOnDisplay(), 2);
    preview->ArrowButton2->Click();
    EXPECT_EQ(preview->PageOnDisplay(), 2) << "the last page stays";

    EXPECT_EQ(preview->ScrollRange(), (TPoint{0, 0}));
    preview->SpeedButton2->Click();
    EXPECT_DOUBLE_EQ(preview->ZoomFactor(), 1.5);
    EXPECT_EQ(preview->Label7->Caption(), "1.500");
    EXPECT_TRUE(preview->SpeedButton3->Enabled());
    EXPECT_GT(preview->ScrollRange().x, 0);
    preview->MaskEdit1->SetText("0.2__");
    EXPECT_DOUBLE_EQ(preview->ZoomStep(), 0.1);
    char letter = 's';
    preview->FormKeyPress(preview, letter);
    EXPECT_DOUBLE_EQ(preview->ZoomFactor(), 1.4);
    preview->Label7DblClick(preview);
    EXPECT_DOUBLE_EQ(preview->ZoomFactor(), 1.0);
    EXPECT_FALSE(preview->SpeedButton3->Enabled());

    TestHooks::TDialogAnswer range;
    range.Accepted = true;
    range.Fill = [](TComponent* dialog) {
        auto* print = static_cast<TPrintDialog*>(dialog);
        EXPECT_EQ(print->MaxPage, 3);
        print->PrintRange = prPageNums;
        print->FromPage = 2;
        print->ToPage = 3;
    };
    TestHooks::AnswerDialog(range);
    preview->SpeedButton1->Click();
    EXPECT_EQ(TestHooks::ReprintedPages(),
              (std::vector<String>{folder + "PreviewMetafile1", folder + "PreviewMetafile2"}));
    EXPECT_EQ(preview->PageOnDisplay(), 2);
    EXPECT_EQ(ReadPdf(Printer().OutputFileName()).Pages, 1) << "each page a job of its own";

    preview->BitBtn1->Click();
    Application->ProcessMessages();
    EXPECT_EQ(RichPreviewForm, nullptr);
    EXPECT_FALSE(DirectoryExists(folder));
}

TEST(PreviewLayout, FollowsTheScreenAndThePagesProportions) {
    struct Case {
        int ScreenWidth;
        int ScreenHeight;
        double Ratio;
    };
    for (const Case& c : {Case{1280, 1024, 297.0 / 210}, Case{1280, 1024, 0},
                          Case{1280, 1024, 210.0 / 297}, Case{400, 1024, 297.0 / 210}}) {
        TPreviewLayout layout = PreviewLayout(c.ScreenWidth, c.ScreenHeight, c.Ratio);
        SCOPED_TRACE(c.ScreenWidth + c.Ratio);
        EXPECT_LE(layout.FormWidth, std::max(c.ScreenWidth, 412));
        EXPECT_LE(layout.FormHeight, c.ScreenHeight);
        double ratio = c.Ratio > 0 ? c.Ratio : 1 / 0.707;
        EXPECT_NEAR(double(layout.Picture.Height()) / layout.Picture.Width(), ratio, 0.05);
    }
}
