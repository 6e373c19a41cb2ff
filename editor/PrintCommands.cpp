// The File menu's printing commands: the page printed or previewed plain or as the editor shows
// it, the report printed, page setup and printer setup.

#include "editor/PrintCommands.h"

#include "editor/CorvaletForm.h"
#include "editor/Documents.h"
#include "editor/HelpPointer.h"
#include "editor/Templates.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "platform/Forms.h"
#include "platform/Registry.h"
#include "services/ProgramSettings.h"
#include "services/RichPrint.h"
#include "widgets/QmToolbars.h"

#include <cmath>

namespace {

using TMarginSetter = void (TRichPrinter::*)(double);
using TMarginGetter = double (TRichPrinter::*)() const;

struct TMargin {
    const char* Name;
    TMarginSetter Set;
    TMarginGetter Get;
};

// The margins as page setup stores them under "Printer Font", in whole millimetres.
const TMargin Margins[] = {
    {"MarginTop", &TRichPrinter::SetMarginTop, &TRichPrinter::MarginTop},
    {"MarginBottom", &TRichPrinter::SetMarginBottom, &TRichPrinter::MarginBottom},
    {"MarginLeft", &TRichPrinter::SetMarginLeft, &TRichPrinter::MarginLeft},
    {"MarginRight", &TRichPrinter::SetMarginRight, &TRichPrinter::MarginRight},
};

} // namespace

void TPrintCommands::Build() {
    TMenuItem* file = Form.File1;
    int after = file->IndexOf(Form.Templates->SaveAsFrameworkDocument1) + 1;
    Print1 = InsertItem(&Form, file, after, "Print1", "&Print");
    PrintExtra = InsertItem(&Form, file, after + 1, "PrintExtra", "&Print...");
    Normal2 = AddItem(&Form, PrintExtra, "Normal2", "&Normal");
    Asformatted1 = AddItem(&Form, PrintExtra, "Asformatted1", "&As formatted");
    PrintPreview1 = InsertItem(&Form, file, after + 2, "PrintPreview1", "Print Pre&view");
    PrintPreviewExtra =
        InsertItem(&Form, file, after + 3, "PrintPreviewExtra", "Print Pre&view...");
    Normal4 = AddItem(&Form, PrintPreviewExtra, "Normal4", "&Normal");
    Asformatted2 = AddItem(&Form, PrintPreviewExtra, "Asformatted2", "&As formatted");
    PageSetup1 = InsertItem(&Form, file, after + 4, "PageSetup1", "Page Set&up");
    PrintSetup1 = InsertItem(&Form, file, after + 5, "PrintSetup1", "P&rint Setup...");
    PrintButton = Form.InsertToolbarButton(Form.StdToolbar, Form.Documents->FileSaveButton,
                                           "PrintButton", "Print");

    PrintDialog = NewComponent<TPrintDialog>(&Form, "PrintDialog");
    PrintDialog->SetOptions({poPrintToFile});
    PrinterSetupDialog = NewComponent<TPrinterSetupDialog>(&Form, "PrinterSetupDialog");
    RichPrinter1 = NewComponent<TRichPrinter>(&Form, "RichPrinter1");
    RichPrinter1->SetHeaderFormat("<65|>95");
    RichPrinter1->SetFooter("Page {$PAGE}");
    RichPrinter1->SetFooterFormat(">100");
    RichPrinter1->SetPageBorders({pbTop, pbBottom});
    RichPrinter1->SetMarginTop(20);
    RichPrinter1->SetMarginBottom(25);
    RichPrinter1->SetMarginLeft(20);
    RichPrinter1->SetMarginRight(20);
    RichPrinter1->SetLogoWidth(8);
    RichPrinter1->SetLogoHeight(8);
    RichPrinter1->SetBorderOffset(2);
    RichPrinter1->Font_HeaderFooter().SetName("Courier New");
    RichPrinter1->Font_HeaderFooter().SetHeight(-13);
    RichPrinter1->Font_HeaderFooter().SetPitch(fpVariable);
    RichPrinter1->SetOptions_Dialog({poMargins});
    ShowPrintItems();
}

void TPrintCommands::Bind() {
    auto print = Handler(this, &TPrintCommands::Print1Click);
    for (TMenuItem* item : {Print1, Normal2})
        item->OnClick = print;
    PrintButton->OnClick = print;
    Asformatted1->OnClick = Handler(this, &TPrintCommands::Asformatted1Click);
    for (TMenuItem* item : {PrintPreview1, Normal4})
        item->OnClick = Handler(this, &TPrintCommands::PrintPreview1Click);
    Asformatted2->OnClick = Handler(this, &TPrintCommands::Asformatted2Click);
    PageSetup1->OnClick = Handler(this, &TPrintCommands::PageSetup1Click);
    PrintSetup1->OnClick = Handler(this, &TPrintCommands::PrintSetup1Click);
}

void TPrintCommands::ReadSettings() {
    TRegistry reg;
    if (!reg.OpenKey(ProductSubKey("Printer Font"), false))
        return;
    for (const TMargin& margin : Margins) {
        int value = 0;
        if (ReadSetting(reg, margin.Name, value))
            (RichPrinter1->*margin.Set)(value);
    }
}

void TPrintCommands::UpdateCommands() {
    bool enabled = Form.DocumentCommandsEnabled();
    for (TMenuItem* item : {Print1, PrintPreview1})
        item->SetEnabled(enabled);
    PrintButton->SetEnabled(enabled);
}

// The File menu offers the commands with a page open or in help-pointer mode.
void TPrintCommands::MenuOpening(TMenuItem& menu) {
    if (&menu != Form.File1)
        return;
    bool offered = Form.PageCommandsOffered();
    for (TMenuItem* item : {Print1, PrintExtra, PrintPreview1, PrintPreviewExtra})
        item->SetEnabled(offered);
    ShowPrintItems();
    PrintButton->SetEnabled(offered);
}

// With tag colouring on, "Normal" and "As formatted" print differently, so both are offered.
void TPrintCommands::ShowPrintItems() {
    Print1->SetVisible(!Form.ColouredTags);
    PrintPreview1->SetVisible(!Form.ColouredTags);
    PrintExtra->SetVisible(Form.ColouredTags);
    PrintPreviewExtra->SetVisible(Form.ColouredTags);
}

// "Quiltmarker v." and the version, then the active page's file name in the right column. The
// version is the label's caption after its first blank, or the whole caption without one.
String TPrintCommands::PrintHeader() const {
    String caption = Form.VerLabelInvis->Caption();
    size_t blank = caption.find(' ');
    String version = blank == String::npos ? caption : caption.substr(blank + 1);
    return "Quiltmarker v." + version + "|" + Form.ActiveFileName();
}

// The page's text alone, in the print font: no tag colours, no styles.
void TPrintCommands::MakePlainCopy() {
    TRichEdit* copy = Form.PrinterForm;
    copy->Hide();
    copy->Clear();
    copy->SelAttributes().SetStyle({});
    copy->SetText(Form.GetMemo(-1)->Text());
}

// A printer that fails is reported to the user; nothing counts as printed.
void TPrintCommands::ReportPrinterFailure(const std::function<void()>& print) {
    try {
        print();
    } catch (const EPrinterFailure& failure) {
        Application->ShowException(ELinePrinter(PrinterFailureMessage(failure)));
    } catch (const ELinePrinter& failure) {
        Application->ShowException(failure);
    }
}

// What a feature shows in the pages' place, as it prints it; else the page, plain or as shown, on
// the current printer.
void TPrintCommands::PrintReportOrPage(bool formatted) {
    ReportPrinterFailure([this, formatted] {
        if (Form.RunOnShownView(TShownViewCommand::Print) || !Form.PageInUse(-1))
            return;
        if (!formatted)
            MakePlainCopy();
        RichPrinter1->SetHeader(PrintHeader());
        RichPrinter1->PrintRichEditPages(formatted ? Form.GetMemo(-1) : Form.PrinterForm, 1);
    });
}

void TPrintCommands::PreviewPage(bool formatted) {
    if (!Form.PageInUse(-1))
        return;
    if (!formatted)
        MakePlainCopy();
    RichPrinter1->SetHeader(PrintHeader());
    ReportPrinterFailure([this, formatted] {
        RichPrinter1->PreviewRichEdit(formatted ? Form.GetMemo(-1) : Form.PrinterForm);
    });
}

void TPrintCommands::Print1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Print1Click))
        return;
    PrintReportOrPage(false);
}

void TPrintCommands::Asformatted1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Asformatted1Click))
        return;
    PrintReportOrPage(true);
}

void TPrintCommands::PrintPreview1Click(TObject* /*Sender*/) {
    PreviewPage(false);
}

void TPrintCommands::Asformatted2Click(TObject* /*Sender*/) {
    PreviewPage(true);
}

// The margins are copied whether the dialog was confirmed or not: a cancelled dialog leaves them
// as they were, so the copy is still right.
void TPrintCommands::PageSetup1Click(TObject* /*Sender*/) {
    RichPrinter1->RunPageSetupDialog();
    TRegistry reg;
    if (!reg.OpenKey(ProductSubKey("Printer Font"), true))
        return;
    for (const TMargin& margin : Margins)
        reg.WriteInteger(margin.Name, static_cast<int>(std::trunc((RichPrinter1->*margin.Get)())));
}

void TPrintCommands::PrintSetup1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::PrintSetup1Click))
        return;
    PrinterSetupDialog->Execute();
}
