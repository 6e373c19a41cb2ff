#pragma once
// Text, numbers and the framework's exception classes.
// Text is 8-bit, exactly as files hold it; positions count from 1, and 0 means "not found".

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

using String = std::string;

class Exception : public std::exception {
public:
    explicit Exception(String message) : FMessage(std::move(message)) {}
    const String& Message() const { return FMessage; }
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    String FMessage;
};

#define QM_EXCEPTION(Name, Base)                                                                   \
    class Name : public Base {                                                                     \
    public:                                                                                        \
        using Base::Base;                                                                          \
    };
QM_EXCEPTION(EConvertError, Exception)
QM_EXCEPTION(ERangeError, Exception)
QM_EXCEPTION(EInOutError, Exception)
QM_EXCEPTION(EStreamError, Exception)
QM_EXCEPTION(EFOpenError, EStreamError)
QM_EXCEPTION(EFCreateError, EStreamError)
QM_EXCEPTION(EReadError, EStreamError)
QM_EXCEPTION(EWriteError, EStreamError)
QM_EXCEPTION(EListError, Exception)
QM_EXCEPTION(EStringListError, Exception)
QM_EXCEPTION(ERegistryException, Exception)
QM_EXCEPTION(EIniFileException, Exception)
QM_EXCEPTION(EInvalidOperation, Exception)
QM_EXCEPTION(EOutOfMemory, Exception)
QM_EXCEPTION(EAbort, Exception) // the silent exception: ends an action without a message
#undef QM_EXCEPTION

// Substrings, 1-based. Pos("", s) is 0: an empty text is never found.
int Pos(const String& sub, const String& s);
String Copy(const String& s, int index, int count);
void Delete(String& s, int index, int count);
void Insert(const String& sub, String& s, int index);

// Case changes and comparisons touch ASCII letters only, so a text keeps its length. Inline, as
// the comparisons ask them of every character.
inline char UpCase(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
// 0 to 15 for a hexadecimal digit in either case, -1 for any other character.
int HexDigitValue(char c);
inline char LowCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
String UpperCase(const String& s);
String LowerCase(const String& s);
String AnsiUpperCase(const String& s);
String AnsiLowerCase(const String& s);
// Byte-wise comparison: negative, zero or positive as the first difference.
int CompareStr(const String& a, const String& b);
// The same, ASCII letters compared in upper case.
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

// Flags of StringReplace, or-ed together; 0 replaces the first match, exactly as written.
enum TReplaceFlag : unsigned { rfReplaceAll = 1, rfIgnoreCase = 2 };
using TReplaceFlags = unsigned;
// An empty pattern matches nothing, so the text comes back unchanged.
String StringReplace(const String& s, const String& oldPattern, const String& newPattern,
                     TReplaceFlags flags);

// Trimming removes blanks and control characters (every byte up to ' ').
String Trim(const String& s);
String TrimLeft(const String& s);
String TrimRight(const String& s);

// The kinds of line end a text file may have.
enum TTextLineBreakStyle { tlbsLF, tlbsCRLF, tlbsCR };

// The line ends a text had: the kind most of them were (CR LF when there were none, and on a tie
// CR LF before LF before CR), and whether there was more than one kind.
struct TLineBreaks {
    TTextLineBreakStyle Style = tlbsCRLF;
    bool Mixed = false;
};

// Whether every line end is CR LF (and, with finalLineBreak, a text that is not empty ends with
// one): the form AdjustLineBreaks gives.
bool HasOnlyCrLfLineBreaks(std::string_view s, bool finalLineBreak = false);
// Every line end (CR LF, a lone CR, a lone LF) becomes CR LF; with finalLineBreak a text that
// does not end with one gets one (an empty text stays empty). A text already in that form comes
// back as it is, without a second copy.
String AdjustLineBreaks(String s, bool finalLineBreak = false);
// The same, telling what the line ends were, so that the text can be written back with them.
String AdjustLineBreaks(String s, bool finalLineBreak, TLineBreaks& found);
// Every line end becomes the style's, in the same pass and the same string: how a text in CR LF
// form is written back to its file.
String AdjustLineBreaks(String s, TTextLineBreakStyle style);

String IntToStr(int64_t value);
// Upper-case hex, at least digits wide; a negative value that fits 32 bits is written in 32 bits,
// as the framework does for its integers.
String IntToHex(int64_t value, int digits);
// Leading blanks, a sign, decimal digits or "$" / "0x" and hex digits; nothing after them. A value
// outside 32 bits is invalid (hex up to FFFFFFFF wraps, as the framework's does).
int StrToInt(const String& s); // raises EConvertError "'<text>' is not a valid integer value"
int StrToIntDef(const String& s, int defaultValue);
// The integer a text reads as (decimal, or hexadecimal after "$" or "0x"); false when none.
bool TryStrToInt(const String& s, int& value);

// C-style formatting; the decimal point is always a full stop.
String Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
// General format with up to 15 significant digits, as the framework writes it ("2.5", "1E20").
String FloatToStr(double value);
// With a chosen decimal separator, for texts a user's locale must read.
String FloatToStr(double value, char decimalSeparator);
// Blanks around, a sign, digits with an optional decimal separator, an optional exponent ("E-5").
// Raises EConvertError "'<text>' is not a valid floating point value".
double StrToFloat(const String& s); // with a full stop
double StrToFloat(const String& s, char decimalSeparator);
