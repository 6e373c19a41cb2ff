#pragma once
// Dates and times as the framework keeps them, and the locale's date, time and number formats.
//
// A TDateTime counts days since 30 December 1899; its fraction is the time of day. Before that
// day the whole part counts backwards while the fraction still runs forwards from midnight, so
// -1.25 is 29 December 1899, 06:00.

#include "platform/SysUtils.h"

#include <array>
#include <functional>

using TDateTime = double;

// The locale's values, with the framework's format letters (see FormatDateTime). Texts are UTF-8.
struct TFormatSettings {
    String ShortDateFormat; // "/" stands for DateSeparator
    String LongDateFormat;
    String ShortTimeFormat; // ":" stands for TimeSeparator
    String LongTimeFormat;
    char DateSeparator = '/';
    char TimeSeparator = ':';
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    String TimeAMString;
    String TimePMString;
    std::array<String, 12> ShortMonthNames; // [0] is January
    std::array<String, 12> LongMonthNames;
    std::array<String, 7> ShortDayNames; // [0] is Sunday, so DayOfWeek(d) - 1 indexes them
    std::array<String, 7> LongDayNames;
};

// Filled from the user's locale when the program starts; tests may change or reset it.
extern TFormatSettings FormatSettings;
// The values of a named locale ("de_DE"); an empty name means the user's own locale.
TFormatSettings LocaleFormatSettings(const String& localeName);
// Fixed English (United States) values that do not depend on the machine.
TFormatSettings EnglishFormatSettings();
// Test hook: FormatSettings = EnglishFormatSettings().
void ResetFormatSettingsForTests();

// The local date and time, from the system clock or the clock a test put in.
TDateTime Now();
TDateTime Date();
TDateTime Time();
// Test hook: Now, Date and Time ask this clock; an empty function restores the system clock.
void SetClockForTests(std::function<TDateTime()> clock);

bool IsLeapYear(int year);
// Years 1 to 9999. Encode raises EConvertError for an invalid date or time; Try returns false.
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time);
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
// A value outside years 1 to 9999 decodes as year, month and day 0.
void DecodeDate(TDateTime dateTime, int& year, int& month, int& day);
// To the nearest millisecond; a time that rounds up to midnight reads 0:00:00.000.
void DecodeTime(TDateTime dateTime, int& hour, int& min, int& sec, int& msec);
// 1 is Sunday, 7 is Saturday.
int DayOfWeek(TDateTime dateTime);

// The framework's date and time format language:
//   c         short date, then a blank and the long time unless the time is midnight
//   d dd      day (dd with a leading zero); ddd dddd short and long day name
//   ddddd     the short date format; dddddd the long date format
//   m mm      month (mm with a leading zero); mmm mmmm short and long month name; right after an
//             hour (h, hh, with only non-letters between) m and mm are the minutes
//   yy yyyy   two- and four-digit year
//   h hh      hour; 12-hour when an am/pm, a/p or ampm follows before the next hour
//   n nn, s ss, z zzz   minutes, seconds, milliseconds
//   t tt      the short and long time format
//   am/pm a/p  "am" or "pm" ("a" or "p") in the case written; ampm the locale's AM and PM texts
//   / :       the locale's date and time separators
//   "x" 'x'   copied as written; any other character is copied as well
// An empty format means "c".
String FormatDateTime(const String& format, TDateTime dateTime);
String FormatDateTime(const String& format, TDateTime dateTime, const TFormatSettings& settings);
String DateToStr(TDateTime dateTime);     // the short date format
String TimeToStr(TDateTime dateTime);     // the long time format
String DateTimeToStr(TDateTime dateTime); // "c"
