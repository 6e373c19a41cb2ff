#include "services/VersionNo.h"

#include "platform/Forms.h"
#include "platform/StdCtrls.h"

#include <algorithm>
#include <climits>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The whole number at a text's position: blanks, a sign, then digits; 0 when there are none.
// A number too large for an int stays at the largest one.
int LeadingNumber(const String& text, size_t position) {
    size_t i = position;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    long long number = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        number = std::min<long long>(number * 10 + (text[i] - '0'), INT_MAX);
    return static_cast<int>(negative ? -number : number);
}

// The system's language identifiers, in the order of TLangType.
constexpr int LanguageIDs[] = {1033, 2057, 1030, 1043, 2067, 3081, 4105, 5129, 6153,
                               1035, 1036, 2060, 3084, 4108, 1031, 2055, 3079, 1039,
                               1040, 2064, 1044, 2068, 1046, 2070, 1053, 1034, 2058,
                               3082, 1055, 1045, 1029, 1051, 1038, 1049, 1032, 0};
static_assert(sizeof(LanguageIDs) / sizeof(LanguageIDs[0]) == ltNeutral + 1);

} // namespace

TVersionNo::TVersionNo(TComponent* AOwner) : TComponent(AOwner) {
    SetCompiledDate("");
    SetCompiledTime("");
    FCopyrightName = "Olvane Software";
    FCopyrightYear = FormatDateTime("yyyy", Date());
    BuildCopyrightMessage();
}

// ---- Version parts

void TVersionNo::SetVerMajor(int value) {
    FVerMajor = value;
    RefreshLabel();
}

String TVersionNo::VerMinor() const {
    return MinorText();
}

void TVersionNo::SetVerMinor(const String& value) {
    FVerMinor = LeadingNumber(value, 0);
    RefreshLabel();
}

String TVersionNo::VerSub() const {
    return SubText();
}

void TVersionNo::SetVerSub(const String& value) {
    char first = value.empty() ? '\0' : UpCase(value.front());
    FVerSub = first >= 'A' && first <= 'Z' ? first - 'A' + 1 : LeadingNumber(value, 0);
    RefreshLabel();
}

void TVersionNo::SetVerSubType(TVerType value) {
    FVerSubType = value;
    RefreshLabel();
}

void TVersionNo::SetVerBuild(int value) {
    FVerBuild = value;
    RefreshLabel();
}

void TVersionNo::SetVerBuildSub(int value) {
    FVerBuildSub = value;
    RefreshLabel();
}

String TVersionNo::MinorText() const {
    return (FPadVerMinor && FVerMinor < 10 ? "0" : "") + IntToStr(FVerMinor);
}

// In letter mode 1 is "a" and 0 shows nothing; a number beyond the alphabet stays a number.
String TVersionNo::SubText() const {
    if (FVerSubType == vtNumber || FVerSub < 0 || FVerSub > 26)
        return IntToStr(FVerSub);
    return FVerSub == 0 ? String() : String(1, static_cast<char>('a' + FVerSub - 1));
}

// ---- Compile date and time, copyright

String TVersionNo::DateOrder() const {
    switch (FDateType) {
    case mdy:
        return "m'-'d'-'yy";
    case ymd:
        return "yy'-'m'-'d";
    default:
        return "d'-'m'-'yy";
    }
}

// The date is written in the new order from the date kept, not read back from its text, so a
// two-digit year never moves to another century.
void TVersionNo::SetDateType(TDateType value) {
    if (value != FDateType) {
        FDateType = value;
        FCompiledDate = FormatDateTime(DateOrder(), FCompileDate);
    }
    RefreshLabel();
}

// A two-digit year above 50 is in the 1900s, any other in the 2000s; a longer year stands as
// written, so that "30-7-2002" is not taken for the year 3902.
void TVersionNo::SetCompiledDate(const String& value) {
    if (value.empty()) {
        FCompileDate = Date();
        FCompiledDate = FormatDateTime(DateOrder(), FCompileDate);
        return;
    }
    char separator = '.';
    if (value.find('-') != String::npos)
        separator = '-';
    else if (value.find('/') != String::npos)
        separator = '/';
    size_t first = value.find(separator);
    size_t second = first == String::npos ? first : value.find(separator, first + 1);
    if (second == String::npos) {
        ShowMessage(InvalidDateMessage());
        return;
    }
    int numbers[3] = {LeadingNumber(value, 0), LeadingNumber(value, first + 1),
                      LeadingNumber(value, second + 1)};
    int day = numbers[0], month = numbers[1], year = numbers[2];
    if (FDateType == mdy) {
        std::swap(day, month);
    } else if (FDateType == ymd) {
        year = numbers[0];
        day = numbers[2];
    }
    if (year >= 0 && year < 100)
        year += year > 50 ? 1900 : 2000;
    FCompileDate = EncodeDate(year, month, day);
    FCompiledDate = FormatDateTime(DateOrder(), FCompileDate);
    RefreshLabel();
}

void TVersionNo::SetCompiledTime(const String& value) {
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    if (value.empty()) {
        DecodeTime(Time(), hour, minute, second, millisecond);
    } else {
        size_t colon = value.find(':');
        if (colon == String::npos) {
            ShowMessage(InvalidTimeMessage());
            return;
        }
        size_t secondColon = value.find(':', colon + 1);
        hour = LeadingNumber(value, 0);
        minute = LeadingNumber(value, colon + 1);
        second = secondColon == String::npos ? 0 : LeadingNumber(value, secondColon + 1);
    }
    FCompileTime = EncodeTime(hour, minute, second, 0);
    FCompiledTime = FormatDateTime("hh':'nn':'ss", FCompileTime);
    RefreshLabel();
}

void TVersionNo::SetCopyrightName(const String& value) {
    FCopyrightName = value;
    BuildCopyrightMessage();
}

void TVersionNo::SetCopyrightYear(const String& value) {
    FCopyrightYear = value;
    BuildCopyrightMessage();
}

// The copyright sign is the Windows-1252 one, as the program's texts are 8-bit.
void TVersionNo::BuildCopyrightMessage() {
    FCopyrightMessage = "Copyright \xA9 " + FCopyrightName + " " + FCopyrightYear;
}

String TVersionNo::InvalidTimeMessage() const {
    return "Invalid compile time. Please format time as h:m:s";
}

String TVersionNo::InvalidDateMessage() const {
    static const char* forms[] = {"d-m-yy, d/m/yy or d.m.yy", "m-d-yy, m/d/yy or m.d.yy",
                                  "yy-m-d, yy/m/d or yy.m.d"};
    return "Invalid Compile Date - please use one of the following forms:\r\n" +
           String(forms[FDateType]);
}

// ---- The label and the other properties

void TVersionNo::SetAssociatedLabel(TLabel* value) {
    if (FAssociatedLabel)
        RemoveFreeNotification(FAssociatedLabel);
    FAssociatedLabel = value;
    if (value)
        FreeNotification(value);
    RefreshLabel();
}

void TVersionNo::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FAssociatedLabel)
        FAssociatedLabel = nullptr;
}

void TVersionNo::RefreshLabel() {
    if (FAssociatedLabel)
        FAssociatedLabel->SetCaption(LabelText());
}

void TVersionNo::SetLabelFormat(const String& value) {
    FLabelFormat = value;
    RefreshLabel();
}

String TVersionNo::LabelText() const {
    return MakeVerText(FLabelFormat, "0");
}

String TVersionNo::ProductVersion() const {
    return MakeVerText(FProductVerFormat, "0");
}

String TVersionNo::FileVersion() const {
    return MakeVerText(FFileVersionFormat, "FileVersion");
}

void TVersionNo::SetAppTitle(const String& value) {
    FAppTitle = value;
    if (FExeName.empty())
        FExeName = LowerCase(value) + ".exe";
}

String TVersionNo::LanguageID() const {
    return IntToStr(LanguageIDs[FLanguage]);
}

// ---- Texts

// After "%" the digits that follow choose the part, but only the first of them is consumed:
// "%12" writes "2", as the part number 12 writes nothing.
String TVersionNo::MakeVerText(const String& textFormat, const String& kind) const {
    String text;
    for (size_t i = 0; i < textFormat.size(); ++i) {
        if (textFormat[i] != '%') {
            text += textFormat[i];
            continue;
        }
        if (++i == textFormat.size())
            break;
        char next = textFormat[i];
        switch (IsDigit(next) ? LeadingNumber(textFormat, i) : 0) {
        case 0:
            switch (UpCase(next)) {
            case 'C':
            case 'N':
                text += FCopyrightName;
                break;
            case 'D':
                text += GetDateCompiled("d mmm yyyy");
                break;
            case 'T':
                text += GetDateCompiled("hh:nn:ss");
                break;
            case 'Y':
                text += FCopyrightYear;
                break;
            }
            break;
        case 1:
            text += IntToStr(FVerMajor);
            break;
        case 2:
            text += MinorText();
            break;
        case 3:
            text += kind == "FileVersion" ? IntToStr(FVerSub) : SubText();
            break;
        case 4:
            text += IntToStr(FVerBuild);
            break;
        case 5:
            text += IntToStr(FVerBuildSub);
            break;
        }
    }
    return text;
}

String TVersionNo::GetDateCompiled(const String& dateFormat) const {
    String format;
    if (dateFormat.empty())
        format = DateOrder() + " hh':'nn':'ss";
    for (char c : dateFormat) {
        if (c == '-' || c == '.' || c == ':')
            format += String("'") + c + "'";
        else
            format += c;
    }
    return FormatDateTime(format, CompiledDateTime());
}

String TVersionNo::GetVersion(bool noPrefix, bool shortForm, bool withBuild) const {
    String text = (noPrefix ? "" : "v.") + IntToStr(FVerMajor);
    if (!shortForm || FVerMinor > 0)
        text += "." + MinorText();
    if (shortForm)
        return text;
    text += FVerSubType == vtLetter ? SubText() : "." + SubText();
    if (withBuild && FVerBuild > 0)
        text += "." + IntToStr(FVerBuild);
    return text;
}

String TVersionNo::ShowVersionNumber(bool major, bool minor, bool sub, bool build,
                                     bool buildSub) const {
    String text;
    auto append = [&text](const String& part) {
        if (!text.empty())
            text += ".";
        text += part;
    };
    if (major)
        append(IntToStr(FVerMajor));
    if (minor)
        append(MinorText());
    if (sub && FVerSubType == vtLetter)
        text += SubText();
    else if (sub)
        append(SubText());
    if (build)
        append(IntToStr(FVerBuild));
    if (buildSub)
        append(IntToStr(FVerBuildSub));
    return text;
}

String TVersionNo::GetVersionInfoFormatted(const String& textFormat) const {
    String text;
    size_t i = 0;
    const size_t size = textFormat.size();
    while (i < size) {
        char c = textFormat[i++];
        if (c != '%') {
            text += c;
            continue;
        }
        char code = i < size ? UpCase(textFormat[i]) : '\0';
        switch (code) {
        case 'B':
            text += IntToStr(FVerBuild);
            ++i;
            break;
        case 'J':
            text += IntToStr(FVerMajor);
            ++i;
            break;
        case 'N':
            text += MinorText();
            ++i;
            break;
        case 'S':
            text += SubText();
            ++i;
            break;
        case 'C': {
            char part = ++i < size ? UpCase(textFormat[i]) : '\0';
            if (part == 'N')
                text += FCopyrightName;
            else if (part == 'Y')
                text += FCopyrightYear;
            else
                text += FCopyrightMessage;
            if (part == 'M' || part == 'N' || part == 'Y')
                ++i;
            break;
        }
        case 'D': {
            if (++i < size && textFormat[i] == '\'')
                ++i;
            size_t end = std::min(textFormat.find_first_of("'%", i), size);
            text += FormatDateTime(textFormat.substr(i, end - i), CompiledDateTime());
            i = std::min(end + 1, size);
            break;
        }
        default:
            text += '%';
        }
    }
    return text;
}

String TVersionNo::ShowVersionInfo(bool show, const String& heading, const String& footer) const {
    String text;
    if (!heading.empty())
        text += heading + "\r\n\n";
    text += "Version " + GetVersionNoLong() + " (Build " + IntToStr(FVerBuildSub) + ")";
    text += "\r\nCompiled: " + GetDateCompiled("ddd d mmmm yyyy") + " at " +
            GetDateCompiled("hh:nn:ss");
    text += "\r\n\n" + FCopyrightMessage;
    if (!footer.empty())
        text += "\r\n\n" + footer;
    if (show)
        ShowMessage(text);
    return text;
}
