#pragma once
// The grid sorter: sorts a stretch of a string grid's rows by the texts of a key column (or its
// columns by a key row), as characters or as numbers, ascending or descending, after checking
// its settings; a failed check leaves a numbered code and its text.

#include "platform/Component.h"
#include "platform/Grids.h"

enum class ToSortType { Character, Numeric };
enum class SortDirType { Ascending, Descending };
// Row: rows are reordered by the key column; Column: columns by the key row.
enum class HowSortType { Column, Row };

class TSortAStringGrid : public TComponent {
public:
    explicit TSortAStringGrid(TComponent* AOwner);

    TStringGrid* GridToSort() const { return FGridToSort; }
    void SetGridToSort(TStringGrid* value);
    int StartIndex = 0;
    int EndIndex = 0;
    int SortIndex = 0;
    ToSortType SortType = ToSortType::Character;
    bool CaseSensitiv = false;
    SortDirType SortDirection = SortDirType::Ascending;
    HowSortType HowToSort = HowSortType::Row;
    bool ShowMessageOnError = false;

    // True when the grid was sorted (code 0, or -1 with a character sort in place of the
    // numeric one), false when a check failed (codes 1 to 7).
    bool Execute();
    int ErrorCode() const { return FErrorCode; }
    const String& ErrorText() const { return FErrorText; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    int CheckSettings();
    void SetResult(int code);
    void SortStretch();

    TStringGrid* FGridToSort = nullptr;
    int FErrorCode = 0;
    String FErrorText = "Ok";
};
