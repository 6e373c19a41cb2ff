// The printing commands: which control each prints or previews, the header and footer it prints
// with, the report printed after the print dialog, and the margins page setup copies.

#include "editor/PrintCommands.h"
#include "MainWindowSupport.h"
#include "platform/CommonDialogs.h"
#include "platform/TestHooks.h"
#include "services/ProgramSettings.h"
#include "services/RichPrint.h"
#include "site/ReportPane.h"
#include "widgets/QmToolbars.h"

#include <gtest/gtest.h>

using namespace MainWindowSupport;

namespace {

TestHooks::TDialogAnswer Accepted() {
    TestHooks::TDialogAnswer answer;
    answer.Accepted = true;
    return answer;
}

class PrintCommandsTest : public testing::Test {
protected:
    void SetUp() override {
        Form = MakeMainWindow();
        Form->VerLabelInvis->SetCaption("Version 3.0c");
    }

    // A page whose tags are coloured and bold, as tag colouring leaves them.
    TRichEdit* ColouredPage(const String& fileName) {
        UsePage(*Form, 0, fileName, "<B>bold</B>\r\ntext");
        TRichEdit* editor = Form->Memos[0];
        editor->SetSelStart(0);
        editor->SetSelLength(3);
        editor->SelAttributes().SetColor(clBlue);
        editor->SelAttributes().SetStyle({fsBold});
        return editor;
    }

    const TestHooks::TPrintJob& OnlyJob() {
        EXPECT_EQ(TestHooks::PrintJobs().size(), 1u);
        return TestHooks::PrintJobs().back();
    }

    std::unique_ptr<THTMLEMainForm> Form;
};

} // namespace

// "Normal" prints and previews a plain copy in the print font; "As formatted" hands over the
// editor itself. Every job carries the version and the file name in the header, and page 1.
TEST_F(PrintCommandsTest, NormalPrintsAPlainCopyAndAsFormattedTheEditor) {
    TRichEdit* editor = ColouredPage("/site/docs/index.htm");
    Form->PrinterForm->Font().SetName("Courier New");
    struct Case {
        TMenuItem* Item;
        bool Formatted;
        bool Preview;
    };
    for (const Case& c : {Case{Form->PrintCommands->Normal2, false, false},
                          Case{Form->PrintCommands->Asformatted1, true, false},
                          Case{Form->PrintCommands->Normal4, false, true},
                          Case{Form->PrintCommands->Asformatted2, true, true}}) {
        TestHooks::Reset();
        Form->PrinterForm->Clear();
        c.Item->Click();
        const TestHooks::TPrintJob& job = OnlyJob();
        SCOPED_TRACE(c.Item->Name());
        EXPECT_EQ(job.Control, c.Formatted ? editor : Form->PrinterForm);
        EXPECT_EQ(job.Preview, c.Preview);
        EXPECT_EQ(job.Text, "<B>bold</B>\r\ntext");
        EXPECT_EQ(job.Header, "Quiltmarker v.3.0c|/site/docs/index.htm");
        EXPECT_EQ(job.Footer, "Page 1");
        if (!c.Formatted) {
            EXPECT_EQ(job.FontName, "Courier New");
            EXPECT_EQ(Form->PrinterForm->ColorAt(0), Form->PrinterForm->Font().Color());
            EXPECT_TRUE(Form->PrinterForm->StyleAt(0).Empty());
            EXPECT_FALSE(Form->PrinterForm->Visible());
        }
    }
    EXPECT_EQ(editor->ColorAt(0), clBlue) << "the page keeps its colours";
}

// An untitled page leaves the header's right column empty; a caption without a blank is the
// version whole.
TEST_F(PrintCommandsTest, UntitledPageHasAnEmptyFileColumn) {
    UsePage(*Form, 0, "[untitled]", "x");
    Form->VerLabelInvis->SetCaption("3.1");
    Form->PrintCommands->PrintButton->Click();
    EXPECT_EQ(OnlyJob().Header, "Quiltmarker v.3.1|");
}

// With the report pane showing, Print asks for the printer and prints the report; Cancel prints
// nothing. Preview still shows the page.
TEST_F(PrintCommandsTest, ReportIsPrintedAfterThePrintDialog) {
    UsePage(*Form, 0, "/site/a.htm", "page");
    Form->ReportPane->ShowReportPane();
    Form->ReportPane->ReportForm->SetText("report");

    TestHooks::AnswerDialogCancel();
    Form->ReportPane->PrintReportButton->Click();
    EXPECT_TRUE(TestHooks::PrintJobs().empty());
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Kind, "PrintDialog");

    TestHooks::AnswerDialog(Accepted());
    Form->PrintCommands->Asformatted1->Click();
    const TestHooks::TPrintJob& job = OnlyJob();
    EXPECT_EQ(job.Title, "Web Page Analysis");
    EXPECT_EQ(job.Control, Form->ReportPane->ReportForm);
    EXPECT_EQ(job.Text, "report");

    TestHooks::Reset();
    Form->File1->Click();
    Form->PrintCommands->PrintPreview1->Click();
    EXPECT_EQ(OnlyJob().Control, Form->PrinterForm);
    EXPECT_EQ(OnlyJob().Text, "page");
}

TEST_F(PrintCommandsTest, NothingToPrintWithoutPageOrReport) {
    for (TMenuItem* item : {Form->PrintCommands->Print1, Form->PrintCommands->Asformatted1,
                            Form->PrintCommands->PrintPreview1, Form->PrintCommands->Asformatted2})
        item->Click();
    EXPECT_TRUE(TestHooks::PrintJobs().empty());
    EXPECT_TRUE(TestHooks::Prompts().empty());
}

// The dialog starts from the margins in hundredths of a millimetre; its answer, or the margins
// unchanged after Cancel, are copied to "Printer Font" with the fraction cut off.
TEST_F(PrintCommandsTest, PageSetupCopiesTheMarginsEvenWhenCancelled) {
    auto storedMargins = [] {
        TRegistry reg;
        EXPECT_TRUE(reg.OpenKey(ProductSubKey("Printer Font"), false));
        return std::vector<int>{reg.ReadInteger("MarginTop"), reg.ReadInteger("MarginBottom"),
                                reg.ReadInteger("MarginLeft"), reg.ReadInteger("MarginRight")};
    };
    Form->PrintCommands->RichPrinter1->SetMarginTop(21.7);
    Form->PrintCommands->RichPrinter1->SetMarginBottom(25.2);
    Form->PrintCommands->RichPrinter1->SetMarginLeft(19.99);
    Form->PrintCommands->RichPrinter1->SetMarginRight(30);
    TRect seeded;
    TestHooks::TDialogAnswer cancel;
    TestHooks::AnswerDialog(cancel);
    Form->PrintCommands->PageSetup1->Click();
    EXPECT_EQ(storedMargins(), (std::vector<int>{21, 25, 19, 30}));

    TestHooks::TDialogAnswer answer = Accepted();
    answer.Fill = [&seeded](TComponent* dialog) {
        auto* pageSetup = static_cast<TPageSetupDialog*>(dialog);
        seeded = pageSetup->Margins();
        pageSetup->SetMargins(Rect(1550, 2290, 1800, 3099));
    };
    TestHooks::AnswerDialog(answer);
    Form->PrintCommands->PageSetup1->Click();
    EXPECT_EQ(seeded, Rect(1999, 2170, 3000, 2520));
    EXPECT_EQ(storedMargins(), (std::vector<int>{22, 30, 15, 18}));
    EXPECT_DOUBLE_EQ(Form->PrintCommands->RichPrinter1->MarginTop(), 22.9);
}

// Printer setup shows its dialog; the File menu offers "Normal" and "As formatted" only while
// tags are coloured.
TEST_F(PrintCommandsTest, PrinterSetupAndPrintItemsFollowColouring) {
    TestHooks::AnswerDialog(Accepted());
    Form->PrintCommands->PrintSetup1->Click();
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Kind, "PrinterSetupDialog");
    for (bool coloured : {true, false}) {
        Form->ColouredTags = coloured;
        Form->File1->Click();
        EXPECT_EQ(Form->PrintCommands->PrintExtra->Visible(), coloured);
        EXPECT_EQ(Form->PrintCommands->PrintPreviewExtra->Visible(), coloured);
        EXPECT_EQ(Form->PrintCommands->Print1->Visible(), !coloured);
        EXPECT_EQ(Form->PrintCommands->PrintPreview1->Visible(), !coloured);
    }
}

// Print, Print Preview and the Print button need a page, or help-pointer mode, which offers every
// command; the File menu brings the submenus of the coloured mode along as it drops down.
TEST_F(PrintCommandsTest, PrintCommandsNeedAPageOrHelpPointerMode) {
    struct Case {
        const char* Name;
        std::function<void()> Arrange;
        bool Offered;
    };
    const Case cases[] = {
        {"no page", [] {}, false},
        {"a page", [&] { UsePage(*Form, 0, "/site/a.htm", "page"); }, true},
        {"help pointer", [&] { Form->PointerHelp1->Click(); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Form = MakeMainWindow();
        c.Arrange();
        Form->UpdateDocumentCommands();
        TPrintCommands& commands = *Form->PrintCommands;
        EXPECT_EQ(commands.Print1->Enabled(), c.Offered);
        EXPECT_EQ(commands.PrintPreview1->Enabled(), c.Offered);
        EXPECT_EQ(commands.PrintButton->Enabled(), c.Offered);
        for (TMenuItem* item : {commands.PrintExtra, commands.PrintPreviewExtra})
            item->SetEnabled(!c.Offered);
        Form->File1->Click();
        EXPECT_EQ(commands.PrintExtra->Enabled(), c.Offered);
        EXPECT_EQ(commands.PrintPreviewExtra->Enabled(), c.Offered);
        Screen->SetCursor(crDefault);
    }
}

// The margins page setup stored come back with the next window; those not stored keep the
// printer's own.
TEST_F(PrintCommandsTest, StoredMarginsComeBackWithTheNextWindow) {
    Store(ProductSubKey("Printer Font"), {{"MarginTop", 31}, {"MarginLeft", 12}});
    Form = MakeMainWindow();
    TRichPrinter& printer = *Form->PrintCommands->RichPrinter1;
    EXPECT_DOUBLE_EQ(printer.MarginTop(), 31);
    EXPECT_DOUBLE_EQ(printer.MarginBottom(), 25);
    EXPECT_DOUBLE_EQ(printer.MarginLeft(), 12);
    EXPECT_DOUBLE_EQ(printer.MarginRight(), 20);
}
