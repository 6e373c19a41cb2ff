// The File menu's printing commands: the page printed or previewed plain or as the editor shows
// it, the report printed, page setup and printer setup.

#include "editor/CorvaletForm.h"

#include "editor/HelpPointer.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "platform/Registry.h"
#include "services/ProgramSettings.h"
#include "services/RichPrint.h"
#include "widgets/QmToolbars.h"

#include <cmath>

void THTMLEMainForm::BuildPrintCommands() {
    PrintExtra = InsertItem(this, File1, Print1->MenuIndex() + 1, "PrintExtra", "&Print...");
    Normal2 = AddItem(this, PrintExtra, "Normal2", "&Normal");
    Asformatted1 = AddItem(this, PrintExtra, "Asformatted1", "&As formatted");
    PrintPreviewExtra = InsertItem(this, File1, PrintPreview1->MenuIndex() + 1, "PrintPreviewExtra",
                                   "Print Pre&view...");
    Normal4 = AddItem(this, PrintPreviewExtra, "Normal4", "&Normal");
    Asformatted2 = AddItem(this, PrintPreviewExtra, "Asformatted2", "&As formatted");
    PageSetup1 =
        InsertItem(this, File1, PrintPreviewExtra->MenuIndex() + 1, "PageSetup1", "Page Set&up");
    PrintSetup1 =
        InsertItem(this, File1, PageSetup1->MenuIndex() + 1, "PrintSetup1", "P&rint Setup...");
    PrintDialog = NewComponent<TPrintDialog>(this, "PrintDialog");
    PrintDialog->SetOptions({poPrintToFile});
    PrinterSetupDialog = NewComponent<TPrinterSetupDialog>(this, "PrinterSetupDialog");
    ShowPrintItems();
}

void THTMLEMainForm::BindPrintCommands() {
    auto print = Handler(this, &THTMLEMainForm::Print1Click);
    for (TMenuItem* item : {Print1, Normal2})
        item->OnClick = print;
    PrintButton->OnClick = print;
    Asformatted1->OnClick = Handler(this, &THTMLEMainForm::Asformatted1Click);
    for (TMenuItem* item : {PrintPreview1, Normal4})
        item->OnClick = Handler(this, &THTMLEMainForm::PrintPreview1Click);
    Asformatted2->OnClick = Handler(this, &THTMLEMainForm::Asformatted2Click);
    PageSetup1->OnClick = Handler(this, &THTMLEMainForm::PageSetup1Click);
    PrintSetup1->OnClick = Handler(this, &THTMLEMainForm::PrintSetup1Click);
}

// With tag colouring on, "Normal" and "As formatted" print differently, so both are offered.
void THTMLEMainForm::ShowPrintItems() {
    Print1->SetVisible(!ColouredTags);
    PrintPreview1->SetVisible(!ColouredTags);
    PrintExtra->SetVisible(ColouredTags);
    PrintPreviewExtra->SetVisible(ColouredTags);
}

// "Quiltmarker v." and the version, then the active page's file name in the right column. The
// version is the label's caption after its first blank, or the whole caption without one.
String THTMLEMainForm::PrintHeader() const {
    String caption = VerLabelInvis->Caption();
    size_t blank = caption.find(' ');
    String version = blank == String::npos ? caption : caption.substr(blank + 1);
    return "Quiltmarker v." + version + "|" + ActiveFileName();
}

// The page's text alone, in the print font: no tag colours, no styles.
void THTMLEMainForm::MakePlainCopy() {
    PrinterForm->Hide();
    PrinterForm->Clear();
    PrinterForm->SelAttributes().SetStyle({});
    PrinterForm->SetText(GetMemo(-1)->Text());
}

// What a feature shows in the pages' place, as it prints it; else the page, plain or as shown, on
// the current printer.
void THTMLEMainForm::PrintReportOrPage(bool formatted) {
    if (RunOnShownView(TMainFormFeature::TShownViewCommand::Print) || !PageInUse(-1))
        return;
    if (!formatted)
        MakePlainCopy();
    RichPrinter1->SetHeader(PrintHeader());
    RichPrinter1->PrintRichEditPages(formatted ? GetMemo(-1) : PrinterForm, 1);
}

void THTMLEMainForm::PreviewPage(bool formatted) {
    if (!PageInUse(-1))
        return;
    if (!formatted)
        MakePlainCopy();
    RichPrinter1->SetHeader(PrintHeader());
    RichPrinter1->PreviewRichEdit(formatted ? GetMemo(-1) : PrinterForm);
}

void THTMLEMainForm::Print1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::Print1Click))
        return;
    PrintReportOrPage(false);
}

void THTMLEMainForm::Asformatted1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::Asformatted1Click))
        return;
    PrintReportOrPage(true);
}

void THTMLEMainForm::PrintPreview1Click(TObject* /*Sender*/) {
    PreviewPage(false);
}

void THTMLEMainForm::Asformatted2Click(TObject* /*Sender*/) {
    PreviewPage(true);
}

// The margins are copied whether the dialog was confirmed or not: a cancelled dialog leaves them
// as they were, so the copy is still right.
void THTMLEMainForm::PageSetup1Click(TObject* /*Sender*/) {
    RichPrinter1->RunPageSetupDialog();
    TRegistry reg;
    if (!reg.OpenKey(ProductSubKey("Printer Font"), true))
        return;
    reg.WriteInteger("MarginTop", static_cast<int>(std::trunc(RichPrinter1->MarginTop())));
    reg.WriteInteger("MarginBottom", static_cast<int>(std::trunc(RichPrinter1->MarginBottom())));
    reg.WriteInteger("MarginLeft", static_cast<int>(std::trunc(RichPrinter1->MarginLeft())));
    reg.WriteInteger("MarginRight", static_cast<int>(std::trunc(RichPrinter1->MarginRight())));
}

void THTMLEMainForm::PrintSetup1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::PrintSetup1Click))
        return;
    PrinterSetupDialog->Execute();
}
