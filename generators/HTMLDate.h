#pragma once
// The date/time dialog: the date or time of the moment put into the page, or a "{{" format "}}"
// code that the publisher writes with the date or time of publication, built from pieces or
// taken from ready-made lists; and the user's replace codes, named texts that a page names as
// "{{" name "}}" and that the publisher puts in, kept in the registry.

#include "platform/Forms.h"
#include "platform/Graphics.h"

#include <map>

class TButton;
class TComboBox;
class TLabel;
class TListBox;
class TMemo;
class TPageControl;
class TPrintDialog;
class TRadioButton;
class TRichEdit;
class TSpeedButton;
class TTabSheet;

class TDateForm : public TForm {
public:
    static constexpr int NormalHeight = 260;
    static constexpr int ExpandedHeight = 400;

    explicit TDateForm(TComponent* AOwner);

    TPageControl* PageControl1 = nullptr;
    TTabSheet* DateSheet = nullptr;
    TTabSheet* TimeSheet = nullptr;
    TTabSheet* MiscSheet = nullptr;
    TRadioButton* ActualDateButton = nullptr;
    TRadioButton* PubDateButton = nullptr;
    TComboBox* ActualEdit = nullptr;
    TComboBox* PubEdit = nullptr;
    TMemo* ActualMemo = nullptr;
    TButton* ExpandButton = nullptr;
    TListBox* NameList = nullptr;
    TRichEdit* RichEdit = nullptr;
    TPrintDialog* PrintDialog = nullptr;
    TButton* NewButton = nullptr;
    TButton* SaveButton = nullptr;
    TButton* DelButton = nullptr;
    TButton* PrintButton = nullptr;
    // The piece buttons of the Date page.
    TSpeedButton* Day1Button = nullptr;
    TSpeedButton* SpeedButton2 = nullptr;
    TSpeedButton* SpeedButton3 = nullptr;
    TSpeedButton* SpeedButton4 = nullptr;
    TSpeedButton* SpeedButton5 = nullptr;
    TSpeedButton* SpeedButton7 = nullptr;
    TSpeedButton* SpeedButton8 = nullptr;
    TSpeedButton* SpeedButton6 = nullptr;
    TSpeedButton* SpeedButton9 = nullptr;
    TSpeedButton* SpeedButton10 = nullptr;
    TSpeedButton* DashButton = nullptr;
    TSpeedButton* StrokeButton = nullptr;
    TButton* DeleteButton = nullptr;
    // The piece buttons of the Time page.
    TSpeedButton* Hour0Button = nullptr;
    TSpeedButton* HourNo0Button = nullptr;
    TSpeedButton* Min0Button = nullptr;
    TSpeedButton* MinNo0Button = nullptr;
    TSpeedButton* Sec0Button = nullptr;
    TSpeedButton* SecNo0Button = nullptr;
    TSpeedButton* AMPMButton = nullptr;
    TSpeedButton* HrsButton = nullptr;
    TSpeedButton* AtButton = nullptr;
    TButton* Delete2Button = nullptr;
    TButton* GMTButton = nullptr;
    TButton* TrueGMTButton = nullptr;
    TSpeedButton* LocalTimeButton = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;

    // The active page's entry of the main window's file names, for "{{filename}}" and
    // "{{fullpath}}".
    String PageFileName;

    void FormShow(TObject* Sender);
    void FormActivate(TObject* Sender);
    void PageControl1Change(TObject* Sender);
    void ActualDateButtonClick(TObject* Sender);
    // Every piece button: its piece and sample go into the two texts.
    void PieceButtonClick(TObject* Sender);
    void Delete2ButtonClick(TObject* Sender);
    void GMTButtonClick(TObject* Sender);
    void TrueGMTButtonClick(TObject* Sender);
    void LocalTimeButtonClick(TObject* Sender);
    void ActualEditChange(TObject* Sender);
    void PubEditChange(TObject* Sender);
    void ActualEditKeyPress(TObject* Sender, char& Key);
    void ActualMemoKeyPress(TObject* Sender, char& Key);
    void PubEditKeyPress(TObject* Sender, char& Key);
    void NewButtonClick(TObject* Sender);
    void SaveButtonClick(TObject* Sender);
    void DelButtonClick(TObject* Sender);
    void ExpandButtonClick(TObject* Sender);
    void PrintButtonClick(TObject* Sender);
    void OKButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);

    // Both lists refilled for the active page, then the given entries chosen.
    void FillDateFormatLists(int actualIndex, int pubIndex);
    // The piece appended to the published code and its sample to the actual text.
    void AddDateFormatPiece(String sample, String piece);

private:
    void BuildDatePage();
    void BuildTimePage();
    void BuildMiscPage();
    TSpeedButton* AddPieceButton(TTabSheet* page, const String& name, const String& hint,
                                 const String& piece, int left, int top);
    // The current moment written with every piece, shown on the piece buttons.
    void MakeSamples();
    String Sample(const String& piece) const;
    void FillDateLists();
    void FillTimeLists();
    void FillMiscLists();
    void AddEntry(const String& actual, const String& published);
    // The name typed into the published edit, braces taken off.
    String CodeName() const;
    // True when the code may be saved: it has a name, and its text does not make the publisher
    // expand codes for ever (the publisher has said why).
    bool CodeCanBeSaved(const String& name, const String& text) const;
    void RemoveEntry(int index);
    // Appended to the hidden rich edit that prints the codes.
    void AppendPrintedText(const String& text, TFontStyles style);

    // Piece -> the current moment written with it; fixed pieces carry their own sample.
    std::map<String, String> Samples;
    std::map<TSpeedButton*, String> PieceOfButton;
};

extern TDateForm* DateForm;
