#include "platform/DateTime.h"

#include <QLocale>
#include <QString>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

namespace {

constexpr int64_t MSecsPerDay = 24 * 60 * 60 * 1000;

// Days since 1 January 1970 of a date in the proleptic Gregorian calendar.
constexpr int64_t DaysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, int& year, int& month, int& day) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
}

constexpr int64_t DayZero = DaysFromCivil(1899, 12, 30);
constexpr int64_t FirstDay = DaysFromCivil(1, 1, 1) - DayZero;
constexpr int64_t LastDay = DaysFromCivil(9999, 12, 31) - DayZero;

// A TDateTime as a day number (0 = 30 December 1899) and the milliseconds since its midnight,
// rounded to the millisecond; valid is false outside years 1 to 9999.
struct DayAndTime {
    int64_t Day = 0;
    int64_t MSec = 0;
    bool Valid = false;
};

DayAndTime SplitDateTime(TDateTime dateTime) {
    DayAndTime parts;
    if (!std::isfinite(dateTime) || dateTime < FirstDay - 1 || dateTime > LastDay + 1)
        return parts;
    const double whole = std::trunc(dateTime);
    parts.Day = static_cast<int64_t>(whole);
    parts.MSec = std::llround(std::fabs(dateTime - whole) * MSecsPerDay);
    if (parts.MSec >= MSecsPerDay) {
        parts.MSec -= MSecsPerDay;
        ++parts.Day;
    }
    parts.Valid = parts.Day >= FirstDay && parts.Day <= LastDay;
    return parts;
}

int DaysInMonth(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

std::function<TDateTime()>& TestClock() {
    static std::function<TDateTime()> clock;
    return clock;
}

TDateTime SystemNow() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto msec = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    tzset();
    std::tm local{};
    localtime_r(&seconds, &local);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59),
                      static_cast<int>(msec));
}

bool IsAsciiLetter(char c) {
    return UpCase(c) >= 'A' && UpCase(c) <= 'Z';
}

bool StartsWithNoCase(const String& s, size_t at, const char* prefix) {
    for (size_t i = 0; prefix[i]; ++i)
        if (at + i >= s.size() || UpCase(s[at + i]) != UpCase(prefix[i]))
            return false;
    return true;
}

size_t RunLength(const String& s, size_t at) {
    size_t end = at;
    while (end < s.size() && s[end] == s[at])
        ++end;
    return end - at;
}

String Padded(int value, size_t digits) {
    String text = std::to_string(value);
    return text.size() < digits ? String(digits - text.size(), '0') + text : text;
}

// Writes one value in the framework's format language; see FormatDateTime in the header.
class DateTimeFormatter {
public:
    DateTimeFormatter(TDateTime dateTime, const TFormatSettings& settings)
        : FSettings(settings), FDayOfWeek(DayOfWeek(dateTime)) {
        DecodeDate(dateTime, FYear, FMonth, FDay);
        DecodeTime(dateTime, FHour, FMin, FSec, FMSec);
    }

    String Run(const String& format) {
        Append(format.empty() ? String("c") : format, 0);
        return FOut;
    }

private:
    // Formats nest (ddddd, c, t...) one level deep, so a locale format naming itself ends.
    void Append(const String& format, int level) {
        if (level >= 2)
            return;
        char lastToken = ' ';
        for (size_t i = 0; i < format.size();) {
            char token = UpCase(format[i]);
            if (IsAsciiLetter(token)) {
                if (token == 'M' && lastToken == 'H')
                    token = 'N';
                lastToken = token;
            }
            i = AppendToken(format, i, token, level);
        }
    }

    // Appends the token at i and returns the index after it.
    size_t AppendToken(const String& format, size_t i, char token, int level) {
        const size_t count = RunLength(format, i);
        switch (token) {
        case 'Y':
            FOut += count <= 2 ? Padded(FYear % 100, 2) : Padded(FYear, 4);
            return i + count;
        case 'M':
            AppendMonth(count);
            return i + count;
        case 'D':
            AppendDay(count, level);
            return i + count;
        case 'H':
            FOut += Padded(UsesTwelveHourClock(format, i + count) ? TwelveHour() : FHour,
                           std::min<size_t>(count, 2));
            return i + count;
        case 'N':
            FOut += Padded(FMin, std::min<size_t>(count, 2));
            return i + count;
        case 'S':
            FOut += Padded(FSec, std::min<size_t>(count, 2));
            return i + count;
        case 'Z':
            FOut += Padded(FMSec, std::min<size_t>(count, 3));
            return i + count;
        case 'T':
            Append(count == 1 ? FSettings.ShortTimeFormat : FSettings.LongTimeFormat, level + 1);
            return i + count;
        case 'C':
            AppendShortDateAndTime(level);
            return i + count;
        case 'A':
            return AppendAmPm(format, i);
        case '"':
        case '\'':
            return AppendQuoted(format, i);
        case '/':
            FOut += FSettings.DateSeparator;
            return i + 1;
        case ':':
            FOut += FSettings.TimeSeparator;
            return i + 1;
        default:
            FOut += format[i];
            return i + 1;
        }
    }

    void AppendMonth(size_t count) {
        if (count <= 2)
            FOut += Padded(FMonth, count);
        else
            FOut += MonthName(count == 3 ? FSettings.ShortMonthNames : FSettings.LongMonthNames);
    }

    void AppendDay(size_t count, int level) {
        if (count <= 2)
            FOut += Padded(FDay, count);
        else if (count <= 4)
            FOut += (count == 3 ? FSettings.ShortDayNames : FSettings.LongDayNames)[FDayOfWeek - 1];
        else
            Append(count == 5 ? FSettings.ShortDateFormat : FSettings.LongDateFormat, level + 1);
    }

    void AppendShortDateAndTime(int level) {
        Append(FSettings.ShortDateFormat, level + 1);
        if (FHour != 0 || FMin != 0 || FSec != 0) {
            FOut += ' ';
            Append(FSettings.LongTimeFormat, level + 1);
        }
    }

    // am/pm and a/p are copied in the case in which the format writes them.
    size_t AppendAmPm(const String& format, size_t i) {
        const bool afternoon = FHour >= 12;
        if (StartsWithNoCase(format, i, "am/pm")) {
            FOut += format.substr(afternoon ? i + 3 : i, 2);
            return i + 5;
        }
        if (StartsWithNoCase(format, i, "a/p")) {
            FOut += format[afternoon ? i + 2 : i];
            return i + 3;
        }
        if (StartsWithNoCase(format, i, "ampm")) {
            FOut += afternoon ? FSettings.TimePMString : FSettings.TimeAMString;
            return i + 4;
        }
        if (StartsWithNoCase(format, i, "aaaa")) {
            FOut += FSettings.LongDayNames[FDayOfWeek - 1];
            return i + 4;
        }
        if (StartsWithNoCase(format, i, "aaa")) {
            FOut += FSettings.ShortDayNames[FDayOfWeek - 1];
            return i + 3;
        }
        FOut += format[i];
        return i + 1;
    }

    size_t AppendQuoted(const String& format, size_t i) {
        const size_t close = format.find(format[i], i + 1);
        const size_t end = close == String::npos ? format.size() : close;
        FOut += format.substr(i + 1, end - i - 1);
        return close == String::npos ? end : end + 1;
    }

    // The hour is on the 12-hour clock when the first "a" after it, before any further hour and
    // outside quotes, starts am/pm, a/p or ampm.
    static bool UsesTwelveHourClock(const String& format, size_t from) {
        for (size_t i = from; i < format.size(); ++i) {
            const char c = UpCase(format[i]);
            if (c == '"' || c == '\'') {
                i = format.find(format[i], i + 1);
                if (i == String::npos)
                    return false;
            } else if (c == 'A') {
                return StartsWithNoCase(format, i, "am/pm") || StartsWithNoCase(format, i, "a/p") ||
                       StartsWithNoCase(format, i, "ampm");
            } else if (c == 'H') {
                return false;
            }
        }
        return false;
    }

    int TwelveHour() const { return FHour == 0 ? 12 : (FHour > 12 ? FHour - 12 : FHour); }

    String MonthName(const std::array<String, 12>& names) const {
        return FMonth >= 1 ? names[FMonth - 1] : String();
    }

    const TFormatSettings& FSettings;
    int FYear = 0, FMonth = 0, FDay = 0;
    int FHour = 0, FMin = 0, FSec = 0, FMSec = 0;
    int FDayOfWeek = 1;
    String FOut;
};

// --- The locale's formats, from Qt's patterns ---

// Locale texts as UTF-8, with the no-break spaces of newer locale data as plain blanks.
String LocaleText(QString text) {
    text.replace(QChar(0x00A0), QLatin1Char(' ')).replace(QChar(0x202F), QLatin1Char(' '));
    return text.toStdString();
}

char LocaleChar(const QString& text, char fallback) {
    const String bytes = LocaleText(text);
    return bytes.size() == 1 ? bytes[0] : fallback;
}

// The first punctuation outside quotes in a pattern, taken as the locale's separator.
char PatternSeparator(const String& pattern, char fallback) {
    bool quoted = false;
    for (char c : pattern) {
        if (c == '\'')
            quoted = !quoted;
        else if (!quoted && c > ' ' && static_cast<unsigned char>(c) < 0x80 && !IsAsciiLetter(c))
            return c;
    }
    return fallback;
}

// Turns a Qt date or time pattern into the framework's letters. The separator character, when
// given, becomes frameworkSymbol ("/" or ":") so that the locale's separator setting applies;
// letters and other symbols the framework reads as codes are quoted.
class PatternTranslator {
public:
    PatternTranslator(char separator, char frameworkSymbol)
        : FSeparator(separator), FSymbol(frameworkSymbol) {}

    String Translate(const String& pattern) {
        for (size_t i = 0; i < pattern.size();)
            i = TranslateAt(pattern, i);
        FlushLiteral();
        return Tidy(FOut);
    }

private:
    size_t TranslateAt(const String& pattern, size_t i) {
        const char c = pattern[i];
        const size_t count = RunLength(pattern, i);
        switch (c) {
        case 'd':
            return Code(String(std::min<size_t>(count, 4), 'd'), i + count);
        case 'M':
            return Code(String(std::min<size_t>(count, 4), 'm'), i + count);
        case 'y':
            return Code(count <= 2 ? "yy" : "yyyy", i + count);
        case 'h':
        case 'H':
            return Code(String(std::min<size_t>(count, 2), 'h'), i + count);
        case 'm':
            return Code(String(std::min<size_t>(count, 2), 'n'), i + count);
        case 's':
            return Code(String(std::min<size_t>(count, 2), 's'), i + count);
        case 'z':
            return Code(count >= 3 ? "zzz" : "z", i + count);
        case 'a':
        case 'A':
            return Code("AMPM",
                        i + 1 < pattern.size() && UpCase(pattern[i + 1]) == 'P' ? i + 2 : i + 1);
        case 't': // the time zone: the framework's formats have none
            return i + count;
        case '\'':
            return QuotedLiteral(pattern, i);
        default:
            return Symbol(c, i + 1);
        }
    }

    size_t Code(const String& code, size_t next) {
        FlushLiteral();
        FOut += code;
        return next;
    }

    size_t Symbol(char c, size_t next) {
        if (FSeparator && c == FSeparator)
            return Code(String(1, FSymbol), next);
        if (IsAsciiLetter(c) || c == '/' || c == ':' || c == '"')
            FLiteral += c;
        else
            Code(String(1, c), next);
        return next;
    }

    // Qt quotes with '...', and '' is one quote, inside or outside quotes.
    size_t QuotedLiteral(const String& pattern, size_t i) {
        if (i + 1 < pattern.size() && pattern[i + 1] == '\'') {
            FLiteral += '\'';
            return i + 2;
        }
        for (++i; i < pattern.size(); ++i) {
            if (pattern[i] != '\'') {
                FLiteral += pattern[i];
            } else if (i + 1 < pattern.size() && pattern[i + 1] == '\'') {
                FLiteral += '\'';
                ++i;
            } else {
                return i + 1;
            }
        }
        return i;
    }

    void FlushLiteral() {
        if (FLiteral.empty())
            return;
        const char quote = FLiteral.find('"') == String::npos ? '"' : '\'';
        FOut += quote + FLiteral + quote;
        FLiteral.clear();
    }

    // Dropping the time zone can leave "()" or blanks at the ends.
    static String Tidy(String text) {
        for (size_t at; (at = text.find("()")) != String::npos;)
            text.erase(at, 2);
        return Trim(text);
    }

    char FSeparator;
    char FSymbol;
    String FLiteral;
    String FOut;
};

String DatePattern(const String& qtPattern, char dateSeparator) {
    return PatternTranslator(dateSeparator, '/').Translate(qtPattern);
}

String TimePattern(const String& qtPattern, char timeSeparator) {
    return PatternTranslator(timeSeparator, ':').Translate(qtPattern);
}

} // namespace

TFormatSettings FormatSettings = LocaleFormatSettings("");

TFormatSettings LocaleFormatSettings(const String& localeName) {
    const QLocale locale =
        localeName.empty() ? QLocale::system() : QLocale(QString::fromStdString(localeName));
    TFormatSettings settings;
    const String shortDate = LocaleText(locale.dateFormat(QLocale::ShortFormat));
    const String shortTime = LocaleText(locale.timeFormat(QLocale::ShortFormat));
    settings.DateSeparator = PatternSeparator(shortDate, '/');
    settings.TimeSeparator = PatternSeparator(shortTime, ':');
    settings.ShortDateFormat = DatePattern(shortDate, settings.DateSeparator);
    settings.LongDateFormat = DatePattern(LocaleText(locale.dateFormat(QLocale::LongFormat)), 0);
    settings.ShortTimeFormat = TimePattern(shortTime, settings.TimeSeparator);
    settings.LongTimeFormat =
        TimePattern(LocaleText(locale.timeFormat(QLocale::LongFormat)), settings.TimeSeparator);
    settings.DecimalSeparator = LocaleChar(locale.decimalPoint(), '.');
    settings.ThousandSeparator = LocaleChar(locale.groupSeparator(), ',');
    settings.TimeAMString = LocaleText(locale.amText());
    settings.TimePMString = LocaleText(locale.pmText());
    for (int month = 1; month <= 12; ++month) {
        settings.ShortMonthNames[month - 1] =
            LocaleText(locale.monthName(month, QLocale::ShortFormat));
        settings.LongMonthNames[month - 1] =
            LocaleText(locale.monthName(month, QLocale::LongFormat));
    }
    // Qt counts days from Monday (1) to Sunday (7); the framework from Sunday.
    for (int day = 0; day < 7; ++day) {
        const int qtDay = day == 0 ? 7 : day;
        settings.ShortDayNames[day] = LocaleText(locale.dayName(qtDay, QLocale::ShortFormat));
        settings.LongDayNames[day] = LocaleText(locale.dayName(qtDay, QLocale::LongFormat));
    }
    return settings;
}

TFormatSettings EnglishFormatSettings() {
    TFormatSettings settings;
    settings.ShortDateFormat = "m/d/yyyy";
    settings.LongDateFormat = "dddd, mmmm d, yyyy";
    settings.ShortTimeFormat = "h:mm AMPM";
    settings.LongTimeFormat = "h:mm:ss AMPM";
    settings.DateSeparator = '/';
    settings.TimeSeparator = ':';
    settings.DecimalSeparator = '.';
    settings.ThousandSeparator = ',';
    settings.TimeAMString = "AM";
    settings.TimePMString = "PM";
    settings.ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    settings.LongMonthNames = {"January",   "February", "March",    "April",
                               "May",       "June",     "July",     "August",
                               "September", "October",  "November", "December"};
    settings.ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    settings.LongDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                             "Thursday", "Friday", "Saturday"};
    return settings;
}

void ResetFormatSettingsForTests() {
    FormatSettings = EnglishFormatSettings();
}

TDateTime Now() {
    return TestClock() ? TestClock()() : SystemNow();
}

TDateTime Date() {
    return std::trunc(Now());
}

TDateTime Time() {
    const TDateTime now = Now();
    return std::fabs(now - std::trunc(now));
}

void SetClockForTests(std::function<TDateTime()> clock) {
    TestClock() = std::move(clock);
}

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        return false;
    date = static_cast<TDateTime>(DaysFromCivil(year, month, day) - DayZero);
    return true;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time) {
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 ||
        msec > 999)
        return false;
    const int64_t total = ((hour * 60 + min) * 60 + sec) * 1000 + msec;
    time = static_cast<TDateTime>(total) / MSecsPerDay;
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime date = 0;
    if (!TryEncodeDate(year, month, day, date))
        throw EConvertError("Invalid argument to date encode");
    return date;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
    TDateTime time = 0;
    if (!TryEncodeTime(hour, min, sec, msec, time))
        throw EConvertError("Invalid argument to time encode");
    return time;
}

void DecodeDate(TDateTime dateTime, int& year, int& month, int& day) {
    const DayAndTime parts = SplitDateTime(dateTime);
    year = month = day = 0;
    if (parts.Valid)
        CivilFromDays(parts.Day + DayZero, year, month, day);
}

void DecodeTime(TDateTime dateTime, int& hour, int& min, int& sec, int& msec) {
    const int64_t total = SplitDateTime(dateTime).MSec;
    msec = static_cast<int>(total % 1000);
    sec = static_cast<int>(total / 1000 % 60);
    min = static_cast<int>(total / 60000 % 60);
    hour = static_cast<int>(total / 3600000);
}

int DayOfWeek(TDateTime dateTime) {
    // Day 0, 30 December 1899, was a Saturday.
    const int64_t fromSaturday = (SplitDateTime(dateTime).Day % 7 + 7) % 7;
    return static_cast<int>((fromSaturday + 6) % 7) + 1;
}

String FormatDateTime(const String& format, TDateTime dateTime) {
    return FormatDateTime(format, dateTime, FormatSettings);
}

String FormatDateTime(const String& format, TDateTime dateTime, const TFormatSettings& settings) {
    return DateTimeFormatter(dateTime, settings).Run(format);
}

String DateToStr(TDateTime dateTime) {
    return FormatDateTime("ddddd", dateTime);
}

String TimeToStr(TDateTime dateTime) {
    return FormatDateTime("tt", dateTime);
}

String DateTimeToStr(TDateTime dateTime) {
    return FormatDateTime("c", dateTime);
}
