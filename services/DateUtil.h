#pragma once
// Calendar arithmetic, the display format and edit mask that follow the locale's date order, and
// a tolerant reader of typed dates, for the date edit and the calendar.

#include "platform/DateTime.h"

// There is no date.
constexpr TDateTime NoDate = 0.0;

enum TDateOrder { doMDY = 0, doDMY = 1, doYMD = 2 };

bool YearIsLeap(int year);
// month 1..12
int MonthDayCount(int year, int month);
// Each field is taken as an unsigned 16-bit value, so -1 is out of range.
bool DateFieldsValid(int year, int month, int day);
bool DateTimeFieldsValid(TDateTime dateTime);
int ThisYear();

// Readers over a text at a 1-based position, which they move past what they consume.
void SkipBlanks(const String& text, int& pos);
// Digits while within the limit and the value so far is below 1000; false when none was read.
bool ReadNumber(const String& text, int digitLimit, int& pos, int& number);
bool ReadDateSeparator(const String& text, int& pos, char separator);

// By the first of the letters D, M and Y in the format: M gives MDY, Y gives YMD, else DMY.
TDateOrder DateOrderOf(const String& format);
// Years of 100 and more stay; others land in this century, or the next when they fall more
// than 70 years before this year within it.
int ExpandTwoDigitYear(int year);
// Numbers between the locale's date separators in the format's order; two numbers are a day and
// a month of this year. True when the whole text was a valid date.
bool ScanDateText(const String& text, const String& format, int& pos, int& day, int& month,
                  int& year);
// The month whose locale name begins with the text's first length characters (any case); 0 when
// none does.
int MonthFromName(const String& text, int length);
// The field of the letter read from the text at its place in the format; runLength 3 reads a
// month name where the format has "MMM". Blank: the field is all blanks. -1: not a number.
void ExtractDateField(const String& format, const String& text, char letter, int defaultValue,
                      int blankValue, int& value, int runLength);
// By position in the format, else by separators. A year left blank is no year, so a half-typed
// date is not read as one of the century before.
bool DecodeDateText(const String& format, const String& text, int& day, int& year, int& month);
// An empty text is NoDate.
bool TryDateFromText(const String& format, const String& text, TDateTime& date);
// Raises EConvertError "''<text>'' is not a valid date".
TDateTime DateFromTextFmt(const String& format, const String& text);
// The default when the text is no date, without its time of day.
TDateTime DateFromTextFmtDef(const String& format, const String& text, TDateTime defaultValue);

// True when the locale's short date format writes four-digit years.
bool FourDigitYearDefault();
// "MM/DD/YYYY", "DD/MM/YYYY" or "YYYY/MM/DD" by the locale's order ("YY" for two digits).
String DefaultDateFormat(bool fourDigitYear);
// The edit mask of that format, its blanks character appended.
String DefaultDateMask(char blanksChar, bool fourDigitYear);
