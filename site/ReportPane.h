#pragma once
// The report pane in place of the document pages: the reports of the analyser, of Global Replace
// and the text-only view of a page are shown, saved, printed and closed there, and the files a
// text names are selected in the file pane.

#include "editor/MainFormFeature.h"

class TButton;
class TLabel;
class TMenuItem;
class TPanel;
class TPopupMenu;
class TProgressBar;
class TRichEdit;

class TReportPane : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    void Build() override;
    void Bind() override;
    // The pane's plain font, and the commands the window's creation brings out of hiding.
    void ReadSettings() override;
    void MenuOpening(TMenuItem& menu) override;
    void LeaveViewsOverPages() override;
    bool ShowsViewOverPages() const override;
    bool RunOnShownView(TShownViewCommand command) override;
    void PrinterFontChosen(const TFont& font) override;

    // Puts the pane in place of the document pages, remembering whether the pages showed unless
    // a report shows already.
    void ShowReportPane();
    // A running analysis ends first, so that nothing writes into the pane once it has gone.
    void CloseReportView();
    // A report made elsewhere (Global Replace's found lines) shown in the pane, as plain text.
    void ShowReport(const String& text);

    void ReportCloseButtonClick(TObject* Sender);
    void ReportTopPanelResize(TObject* Sender);
    void Copy5Click(TObject* Sender);
    void SelectAll4Click(TObject* Sender);
    void ReportFormMenuPopup(TObject* Sender);
    void Select1Click(TObject* Sender);
    void SelectFiles1Click(TObject* Sender);
    void TextOnly1Click(TObject* Sender);
    // Every occurrence of oldText, left to right and not overlapping, replaced by newText; the
    // text put in is not searched again. An empty oldText changes nothing.
    static String ReplaceText(const String& text, const String& oldText, const String& newText);
    // The page's text as the text-only view shows it.
    static String TextOnlyText(const String& pageText);

    TPanel* ReportPanel = nullptr;
    TPanel* ReportTopPanel = nullptr;
    TButton* ReportCloseButton = nullptr;
    TButton* SaveButton = nullptr;
    TButton* PrintReportButton = nullptr;
    TRichEdit* ReportForm = nullptr;
    // The analyser's progress, shown on the pane's top panel.
    TProgressBar* ProgressBar = nullptr;
    TButton* AbortButton = nullptr;
    TLabel* AbortLabel = nullptr;
    TLabel* FileLabel = nullptr;
    TLabel* FilenamePanel = nullptr;
    TLabel* ImagesLabel = nullptr;
    TLabel* LinksLabel = nullptr;

    TPopupMenu* ReportFormMenu = nullptr;
    TMenuItem* ReportSave1 = nullptr;
    TMenuItem* ReportPrint1 = nullptr;
    TMenuItem* Copy5 = nullptr;
    TMenuItem* SelectAll4 = nullptr;
    // "Select &Files" of the pane's menu; the name Select1 belongs to Select Tag.
    TMenuItem* SelectFiles2 = nullptr;
    TMenuItem* ReportClose1 = nullptr;
    // The Edit and Tools menus' Text Only, and the Tools menu's Select Files for the active page.
    TMenuItem* TextOnly1 = nullptr;
    TMenuItem* TextOnly2 = nullptr;
    TMenuItem* SelectFiles1 = nullptr;

    // Whether the pages show again when the pane closes.
    bool PagesVisibleBeforeReport = false;

private:
    void BuildPanels();
    void BuildProgressControls();
    void BuildReportMenu();
    void BuildMenuItems();
    // Selects in the file pane each file named on the selected lines of the report (source 1)
    // or of the active page (source 2).
    void SelectListedFiles(int source);
    // Save and Save As while the pane shows.
    void SaveReport(bool saveAs);
    // Print while the pane shows: the report, once the user chose the printer.
    void PrintReport();
};
