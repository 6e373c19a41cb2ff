#pragma once
// The result of Global Find and Replace: a grid of the searched files and what was found in each,
// sorted by its headers, copied to the clipboard or marked in the file list, and the question
// whether the open documents that were rewritten are to be read again.

#include "platform/Forms.h"
#include "platform/Types.h"

class TStringGrid;
class TSortAStringGrid;
class TPanel;
class TLabel;
class TButton;
class TMemo;
class TFileListBox;

class TGlobalReplaceForm : public TForm {
public:
    // The Found cell of a file left as it was: one that could not be read, or not written.
    static constexpr const char* NotReadText = "      Not read";
    static constexpr const char* NotWrittenText = "      Not written";

    explicit TGlobalReplaceForm(TComponent* AOwner);

    TStringGrid* StringGrid1 = nullptr;
    TSortAStringGrid* SortGrid1 = nullptr;
    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    TButton* OKButton = nullptr;
    TButton* YesButton = nullptr;
    TButton* NoButton = nullptr;
    TButton* CopyButton = nullptr;
    TButton* SelectButton = nullptr;
    TMemo* TempMemo = nullptr;

    TFileListBox* FileList = nullptr;
    TPoint LastMousePoint;

    // Sorts the data rows by the column's text, without regard to case.
    void SortRows(int column, bool descending);
    // Shows OK alone, or the reload question with Yes and No.
    void AskReload(bool ask);

    void YesButtonClick(TObject* Sender);
    void NoButtonClick(TObject* Sender);
    void OKButtonClick(TObject* Sender);
    void StringGrid1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                              int Y);
    void StringGrid1DblClick(TObject* Sender);
    void CopyButtonClick(TObject* Sender);
    void SelectButtonClick(TObject* Sender);

private:
    void BuildControls();
    void BuildBottomPanel();
    void SortRange(int first, int last, int column, bool descending);
    // Orders each run of two or more rows with the same "Found" group by file name.
    void SortGroupsByName(bool noneOrOthers);
};

extern TGlobalReplaceForm* GlobalReplaceForm;
