#include "widgets/SASG.h"
#include "platform/DateTime.h"
#include "platform/Forms.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <vector>

namespace {

String CodeText(int code) {
    switch (code) {
    case -1:
        return "Column/Row contains non-numerical values for numeric sort. Sorted as Character.";
    case 0:
        return "Ok";
    case 1:
        return "No StringGrid given";
    case 2:
        return "StartIndex is greater or equal to EndIndex";
    case 3:
        return "StartIndex is less then 0";
    case 4:
        return "StartIndex is greater then number of rows/columns in StringGrid";
    case 5:
        return "EndIndex is greater then number of rows/columns in StringGrid";
    case 6:
        return "Sort Index is less then 0";
    default:
        return "Sort Index is greater then number of rows/columns in StringGrid";
    }
}

// A number as the key may hold it: blanks around it, an optional sign, digits with a decimal
// point (or the user's decimal separator), and an exponent.
bool ParseNumber(const String& text, double& value) {
    String s = Trim(text);
    size_t i = 0;
    auto digits = [&] {
        size_t start = i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
            ++i;
        return i - start;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    size_t whole = digits();
    size_t fraction = 0;
    if (i < s.size() && (s[i] == '.' || s[i] == FormatSettings.DecimalSeparator)) {
        s[i] = '.';
        ++i;
        fraction = digits();
    }
    if (whole + fraction == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        if (digits() == 0)
            return false;
    }
    if (i != s.size())
        return false;
    value = std::strtod(s.c_str(), nullptr);
    return true;
}

struct TKeyedItem {
    int Index;
    String Key;
    double Number = 0;
};

} // namespace

TSortAStringGrid::TSortAStringGrid(TComponent* AOwner) : TComponent(AOwner) {}

void TSortAStringGrid::SetGridToSort(TStringGrid* value) {
    FGridToSort = value;
    if (value)
        FreeNotification(value);
}

void TSortAStringGrid::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FGridToSort)
        FGridToSort = nullptr;
}

void TSortAStringGrid::SetResult(int code) {
    FErrorCode = code;
    FErrorText = CodeText(code);
}

int TSortAStringGrid::CheckSettings() {
    if (!FGridToSort)
        return 1;
    if (StartIndex >= EndIndex)
        return 2;
    if (StartIndex < 0)
        return 3;
    bool rows = HowToSort == HowSortType::Row;
    int lastItem = (rows ? FGridToSort->RowCount() : FGridToSort->ColCount()) - 1;
    int lastKey = (rows ? FGridToSort->ColCount() : FGridToSort->RowCount()) - 1;
    if (StartIndex > lastItem)
        return 4;
    if (EndIndex > lastItem)
        return 5;
    if (SortIndex < 0)
        return 6;
    if (SortIndex > lastKey)
        return 7;
    return 0;
}

bool TSortAStringGrid::Execute() {
    SetResult(CheckSettings());
    if (FErrorCode != 0) {
        if (ShowMessageOnError)
            Application->MessageBox(FErrorText, "Error", MB_OK | MB_ICONERROR);
        return false;
    }
    SortStretch();
    if (FErrorCode == -1 && ShowMessageOnError)
        Application->MessageBox(FErrorText, "Warning", MB_OK | MB_ICONWARNING);
    return true;
}

void TSortAStringGrid::SortStretch() {
    bool rows = HowToSort == HowSortType::Row;
    auto keyOf = [&](int item) {
        return rows ? FGridToSort->Cells(SortIndex, item) : FGridToSort->Cells(item, SortIndex);
    };
    std::vector<TKeyedItem> items;
    for (int item = StartIndex; item <= EndIndex; ++item)
        items.push_back(TKeyedItem{item, keyOf(item)});
    if (SortType == ToSortType::Numeric) {
        for (TKeyedItem& item : items)
            if (!ParseNumber(item.Key, item.Number)) {
                SetResult(-1);
                SortType = ToSortType::Character;
                break;
            }
    }
    bool numeric = SortType == ToSortType::Numeric;
    if (!numeric && !CaseSensitiv)
        for (TKeyedItem& item : items)
            for (char& c : item.Key)
                c = UpCase(c);
    // Items of equal keys keep their order.
    std::stable_sort(items.begin(), items.end(),
                     [numeric](const TKeyedItem& a, const TKeyedItem& b) {
                         return numeric ? a.Number < b.Number : a.Key < b.Key;
                     });
    if (SortDirection == SortDirType::Descending)
        std::reverse(items.begin(), items.end());
    // Every cell of an item moves, not only its key: each item is moved to its place in turn.
    std::vector<int> current(items.size());
    for (size_t p = 0; p < items.size(); ++p)
        current[p] = StartIndex + static_cast<int>(p);
    for (size_t p = 0; p < items.size(); ++p) {
        auto found =
            std::find(current.begin() + static_cast<long>(p), current.end(), items[p].Index);
        size_t q = static_cast<size_t>(found - current.begin());
        if (q == p)
            continue;
        std::rotate(current.begin() + static_cast<long>(p), found, found + 1);
        int from = StartIndex + static_cast<int>(q);
        int to = StartIndex + static_cast<int>(p);
        if (rows)
            FGridToSort->MoveRow(from, to);
        else
            FGridToSort->MoveColumn(from, to);
    }
}
