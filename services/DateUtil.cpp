#include "services/DateUtil.h"

#include <cmath>

namespace {

const int CenturyWindow = 30;
const int MaxTakenFieldChars = 20;

bool IsBlank(char c) {
    return c == ' ';
}

// A decimal number of nothing but digits; -1 otherwise.
int DecimalFieldValue(const String& digits) {
    if (digits.size() > 9)
        return -1;
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

bool YearIsLeap(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int MonthDayCount(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return days[month - 1] + (month == 2 && YearIsLeap(year) ? 1 : 0);
}

bool DateFieldsValid(int year, int month, int day) {
    unsigned y = static_cast<uint16_t>(year), m = static_cast<uint16_t>(month),
             d = static_cast<uint16_t>(day);
    return y >= 1 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 &&
           d <= static_cast<unsigned>(MonthDayCount(y, m));
}

bool DateTimeFieldsValid(TDateTime dateTime) {
    if (!std::isfinite(dateTime))
        return false;
    int year = 0, month = 0, day = 0;
    DecodeDate(dateTime, year, month, day);
    return DateFieldsValid(year, month, day);
}

int ThisYear() {
    int year = 0, month = 0, day = 0;
    DecodeDate(Date(), year, month, day);
    return year;
}

void SkipBlanks(const String& text, int& pos) {
    while (pos <= static_cast<int>(text.size()) && IsBlank(text[pos - 1]))
        ++pos;
}

bool ReadNumber(const String& text, int digitLimit, int& pos, int& number) {
    SkipBlanks(text, pos);
    number = 0;
    int digits = 0;
    while (pos <= static_cast<int>(text.size()) && digits < digitLimit && number < 1000 &&
           text[pos - 1] >= '0' && text[pos - 1] <= '9') {
        number = number * 10 + (text[pos - 1] - '0');
        ++pos;
        ++digits;
    }
    return digits > 0;
}

bool ReadDateSeparator(const String& text, int& pos, char separator) {
    SkipBlanks(text, pos);
    if (pos > static_cast<int>(text.size()) || text[pos - 1] != separator)
        return false;
    ++pos;
    return true;
}

TDateOrder DateOrderOf(const String& format) {
    for (char c : UpperCase(format)) {
        if (c == 'M')
            return doMDY;
        if (c == 'Y')
            return doYMD;
        if (c == 'D')
            return doDMY;
    }
    return doDMY;
}

int ExpandTwoDigitYear(int year) {
    if (year >= 100)
        return year;
    int thisYear = ThisYear();
    int century = thisYear / 100 * 100;
    return year > thisYear - century + CenturyWindow - 100 ? year + century : year + century + 100;
}

bool ScanDateText(const String& text, const String& format, int& pos, int& day, int& month,
                  int& year) {
    const int digitLimit = 4;
    day = month = year = 0;
    TDateOrder order = DateOrderOf(format);
    char separator = FormatSettings.DateSeparator;
    int n1 = 0, n2 = 0, n3 = 0;
    if (!ReadNumber(text, digitLimit, pos, n1) || !ReadDateSeparator(text, pos, separator) ||
        !ReadNumber(text, digitLimit, pos, n2))
        return false;
    if (ReadDateSeparator(text, pos, separator)) {
        if (!ReadNumber(text, digitLimit, pos, n3))
            return false;
        if (order == doMDY) {
            month = n1, day = n2, year = n3;
        } else if (order == doDMY) {
            day = n1, month = n2, year = n3;
        } else {
            year = n1, month = n2, day = n3;
        }
        year = ExpandTwoDigitYear(year);
    } else {
        year = ThisYear();
        if (order == doDMY) {
            day = n1, month = n2;
        } else {
            month = n1, day = n2;
        }
    }
    ReadDateSeparator(text, pos, separator);
    SkipBlanks(text, pos);
    return DateFieldsValid(year, month, day) && pos > static_cast<int>(text.size());
}

int MonthFromName(const String& text, int length) {
    if (text.empty())
        return 0;
    String wanted = AnsiUpperCase(text.substr(0, length));
    for (int month = 1; month <= 12; ++month) {
        const String& name = FormatSettings.LongMonthNames[month - 1];
        if (!name.empty() && AnsiUpperCase(name.substr(0, length)) == wanted)
            return month;
    }
    return 0;
}

void ExtractDateField(const String& format, const String& text, char letter, int defaultValue,
                      int blankValue, int& value, int runLength) {
    value = defaultValue;
    letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    if (text.size() > format.size())
        return;
    int n = static_cast<int>(text.size());
    String upperFormat = UpperCase(format);
    size_t start = upperFormat.find(String(runLength, letter));
    if (start == String::npos)
        return;
    String taken;
    for (size_t i = start; i < upperFormat.size() && upperFormat[i] == letter &&
                           static_cast<int>(i) < n && taken.size() < MaxTakenFieldChars;
         ++i)
        if (!IsBlank(text[i]))
            taken += text[i];
    if (taken.empty()) {
        value = blankValue;
    } else if (runLength < 2) {
        value = DecimalFieldValue(taken);
    } else {
        int month = MonthFromName(taken, static_cast<int>(taken.size()));
        value = month == 0 ? -1 : month;
    }
}

bool DecodeDateText(const String& format, const String& text, int& day, int& year, int& month) {
    const int blank = -1;
    ExtractDateField(format, text, 'M', 0, blank, month, 3);
    if (month == 0)
        ExtractDateField(format, text, 'M', 0, blank, month, 1);
    ExtractDateField(format, text, 'D', 1, blank, day, 1);
    ExtractDateField(format, text, 'Y', ThisYear(), blank, year, 1);
    if (year != blank) {
        year = ExpandTwoDigitYear(year);
        if (DateFieldsValid(year, month, day))
            return true;
    }
    int pos = 1;
    return ScanDateText(text, format, pos, day, month, year);
}

bool TryDateFromText(const String& format, const String& text, TDateTime& date) {
    if (text.empty()) {
        date = NoDate;
        return true;
    }
    int day = 0, year = 0, month = 0;
    return DecodeDateText(format, text, day, year, month) && TryEncodeDate(year, month, day, date);
}

TDateTime DateFromTextFmt(const String& format, const String& text) {
    TDateTime date = NoDate;
    if (!TryDateFromText(format, text, date))
        throw EConvertError("''" + text + "'' is not a valid date");
    return date;
}

TDateTime DateFromTextFmtDef(const String& format, const String& text, TDateTime defaultValue) {
    TDateTime date = NoDate;
    return TryDateFromText(format, text, date) ? date : std::trunc(defaultValue);
}

bool FourDigitYearDefault() {
    return Pos("YYYY", UpperCase(FormatSettings.ShortDateFormat)) > 0;
}

String DefaultDateFormat(bool fourDigitYear) {
    String year = fourDigitYear ? "YYYY" : "YY";
    switch (DateOrderOf(FormatSettings.ShortDateFormat)) {
    case doMDY:
        return "MM/DD/" + year;
    case doYMD:
        return year + "/MM/DD";
    default:
        return "DD/MM/" + year;
    }
}

String DefaultDateMask(char blanksChar, bool fourDigitYear) {
    String mask = !fourDigitYear                                         ? "!99/99/99;1;"
                  : DateOrderOf(FormatSettings.ShortDateFormat) == doYMD ? "!9999/99/99;1;"
                                                                         : "!99/99/9999;1;";
    return mask + blanksChar;
}
