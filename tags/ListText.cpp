#include "tags/ListText.h"

namespace {

// "a" to "z", then two letters: 27 "aa", 52 "az", 53 "ba".
String Letters(int n) {
    auto letter = [](int i) { return String(1, static_cast<char>('a' + i - 1)); };
    return n <= 26 ? letter(n) : letter((n - 1) / 26) + letter((n - 1) % 26 + 1);
}

String Items(const std::vector<TListRow>& rows, const String& tab) {
    String text;
    for (const TListRow& row : rows)
        text += tab + "<LI>" + row.Item + "\r\n";
    return text;
}

String TypeAttribute(const TListChoice& choice) {
    return " TYPE=\"" + String(1, choice.Type) + "\"";
}

} // namespace

String ListText(const TListChoice& choice, const std::vector<TListRow>& rows, const String& tab) {
    switch (choice.Kind) {
    case TListKind::Unordered: {
        const String type = choice.Bullet == 'C'   ? " TYPE=CIRCLE"
                            : choice.Bullet == 'S' ? " TYPE=SQUARE"
                                                   : "";
        return "<UL" + type + ">\r\n" + Items(rows, tab) + "</UL>\r\n";
    }
    case TListKind::Ordered: {
        const String start = choice.Start > 1 ? " START=" + IntToStr(choice.Start) : "";
        return "<OL" + TypeAttribute(choice) + start + ">\r\n" + Items(rows, tab) + "</OL>\r\n";
    }
    case TListKind::Definition: {
        String text = String("<DL") + (choice.Compact ? " COMPACT" : "") + ">\r\n";
        for (const TListRow& row : rows)
            text += tab + "<DT>" + row.Term + "\r\n" + tab + tab + "<DD>" + row.Item + "\r\n";
        return text + "</DL>\r\n";
    }
    case TListKind::Menu:
        return "<MENU>\r\n" + Items(rows, tab) + "</MENU>\r\n";
    case TListKind::Directory:
        return "<DIR>\r\n" + Items(rows, tab) + "</DIR>\r\n";
    }
    return "";
}

String RomanNumeral(int n) {
    if (n < 1 || n > 50)
        return "";
    static const char* const tens[] = {"", "X", "XX", "XXX", "XL", "L"};
    static const char* const units[] = {"", "I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX"};
    return String(tens[n / 10]) + units[n % 10];
}

String PreviewLabel(char type, int n) {
    switch (type) {
    case 'i':
        return n <= 50 ? LowerCase(RomanNumeral(n)) : "...";
    case 'I':
        return n <= 50 ? RomanNumeral(n) : "...";
    case 'a':
        return Letters(n);
    case 'A':
        return UpperCase(Letters(n));
    default:
        return (n < 10 ? " " + IntToStr(n) : IntToStr(n)).substr(0, 2);
    }
}

String StartLabel(char type, int s) {
    switch (type) {
    case 'i':
    case 'I':
        return s <= 50 ? PreviewLabel(type, s) : "(" + IntToStr(s) + ")";
    case 'a':
    case 'A':
        return PreviewLabel(type, s);
    default:
        return IntToStr(s);
    }
}
