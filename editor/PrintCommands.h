#pragma once
// The File menu's printing commands: the page printed or previewed plain or as the editor shows
// it, what a feature shows in the pages' place printed as it prints it, page setup and printer
// setup.

#include "editor/MainFormFeature.h"

#include <functional>

class TMenuItem;
class TPrintDialog;
class TPrinterSetupDialog;
class TQmToolbarButton;
class TRichPrinter;

class TPrintCommands : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    // The File menu's items follow the save commands, the toolbar's button Save.
    void Build() override;
    void Bind() override;
    // The page margins that page setup stored.
    void ReadSettings() override;
    // Print and Print Preview need a page, or help-pointer mode.
    void UpdateCommands() override;
    void MenuOpening(TMenuItem& menu) override;

    void Print1Click(TObject* Sender);
    void Asformatted1Click(TObject* Sender);
    void PrintPreview1Click(TObject* Sender);
    void Asformatted2Click(TObject* Sender);
    void PageSetup1Click(TObject* Sender);
    void PrintSetup1Click(TObject* Sender);

    TMenuItem* Print1 = nullptr;
    TMenuItem* PrintExtra = nullptr;
    TMenuItem* Normal2 = nullptr;
    TMenuItem* Asformatted1 = nullptr;
    TMenuItem* PrintPreview1 = nullptr;
    TMenuItem* PrintPreviewExtra = nullptr;
    TMenuItem* Normal4 = nullptr;
    TMenuItem* Asformatted2 = nullptr;
    TMenuItem* PageSetup1 = nullptr;
    TMenuItem* PrintSetup1 = nullptr;
    TQmToolbarButton* PrintButton = nullptr;
    // Asks for the printer before a report is printed.
    TPrintDialog* PrintDialog = nullptr;
    TPrinterSetupDialog* PrinterSetupDialog = nullptr;
    TRichPrinter* RichPrinter1 = nullptr;

private:
    // Print1 and PrintPreview1 alone, or the "Normal" / "As formatted" submenus with colouring.
    void ShowPrintItems();
    String PrintHeader() const;
    void MakePlainCopy();
    void PrintReportOrPage(bool formatted);
    void PreviewPage(bool formatted);
    void ReportPrinterFailure(const std::function<void()>& print);
};
