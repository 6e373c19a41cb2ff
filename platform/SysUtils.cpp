#include "platform/SysUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <limits>
#include <locale.h>
#include <utility>

namespace {

int ByteDifference(char a, char b) {
    return static_cast<int>(static_cast<unsigned char>(a)) -
           static_cast<int>(static_cast<unsigned char>(b));
}

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

constexpr const char* LineBreakBytes = "\r\n";

// The kind of line end that starts at a CR or LF.
TTextLineBreakStyle LineBreakStyleAt(const String& s, size_t at) {
    if (s[at] == '\n')
        return tlbsLF;
    return at + 1 < s.size() && s[at + 1] == '\n' ? tlbsCRLF : tlbsCR;
}

TLineBreaks MostCommonLineBreaks(const size_t (&counts)[3]) {
    TLineBreaks found;
    for (TTextLineBreakStyle style : {tlbsLF, tlbsCR})
        if (counts[style] > counts[found.Style])
            found.Style = style;
    found.Mixed = (counts[tlbsLF] > 0) + (counts[tlbsCRLF] > 0) + (counts[tlbsCR] > 0) > 1;
    return found;
}

// The C library formats with the thread's locale, which Qt sets from the environment; a comma
// locale would then write "1,5" into files that must read "1.5". Formatting runs under "C".
class CNumericFormatting {
public:
    CNumericFormatting() : FPrevious(uselocale(CLocale())) {}
    ~CNumericFormatting() { uselocale(FPrevious); }
    CNumericFormatting(const CNumericFormatting&) = delete;
    CNumericFormatting& operator=(const CNumericFormatting&) = delete;

private:
    static locale_t CLocale() {
        static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
        return c;
    }
    locale_t FPrevious;
};

[[noreturn]] void RaiseInvalidInteger(const String& s) {
    throw EConvertError("'" + s + "' is not a valid integer value");
}

[[noreturn]] void RaiseInvalidFloat(const String& s) {
    throw EConvertError("'" + s + "' is not a valid floating point value");
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads the integer text as the framework's Val does; false for anything it would reject.
bool ParseInteger(const String& s, int& value) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    bool hex = false;
    if (i < s.size() && s[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && UpCase(s[i + 1]) == 'X') {
        hex = true;
        i += 2;
    }
    if (i == s.size())
        return false;
    const uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 2147483648ull : 2147483647ull);
    const int base = hex ? 16 : 10;
    uint64_t magnitude = 0;
    for (; i < s.size(); ++i) {
        int digit = hex ? HexDigitValue(s[i]) : (IsDigit(s[i]) ? s[i] - '0' : -1);
        if (digit < 0)
            return false;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return false;
    }
    const auto bits = static_cast<uint32_t>(magnitude);
    value = static_cast<int32_t>(negative ? 0u - bits : bits);
    return true;
}

// Checks the framework's float syntax and rewrites the text with a full stop for from_chars,
// which reads no sign "+" and no surrounding blanks.
bool NormaliseFloatText(const String& s, char decimalSeparator, String& normalised) {
    const String text = Trim(s);
    size_t i = 0;
    normalised.clear();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            normalised += '-';
        ++i;
    }
    size_t digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++digits)
        normalised += text[i];
    if (i < text.size() && text[i] == decimalSeparator) {
        normalised += '.';
        for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits)
            normalised += text[i];
    }
    if (digits == 0)
        return false;
    if (i < text.size() && UpCase(text[i]) == 'E') {
        normalised += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            if (text[i] == '-')
                normalised += '-';
            ++i;
        }
        size_t exponentDigits = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i, ++exponentDigits)
            normalised += text[i];
        if (exponentDigits == 0)
            return false;
    }
    return i == text.size();
}

// The digits of |value| rounded to 15 significant digits, without trailing zeros, and the
// decimal exponent of the first digit.
void SignificantDigits(double value, String& digits, int& exponent) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                std::chars_format::scientific, 14);
    const String text(buffer, result.ptr);
    const size_t e = text.find('e');
    digits = text.substr(0, 1) + text.substr(2, e - 2);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    exponent = std::stoi(text.substr(e + 1));
}

String FixedNotation(const String& digits, int exponent, char decimalSeparator) {
    if (exponent < 0)
        return "0" + String(1, decimalSeparator) + String(-exponent - 1, '0') + digits;
    const size_t whole = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= whole)
        return digits + String(whole - digits.size(), '0');
    return digits.substr(0, whole) + decimalSeparator + digits.substr(whole);
}

String ScientificNotation(const String& digits, int exponent, char decimalSeparator) {
    String mantissa = digits.substr(0, 1);
    if (digits.size() > 1)
        mantissa += decimalSeparator + digits.substr(1);
    return mantissa + "E" + std::to_string(exponent);
}

} // namespace

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = UpCase(c);
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int Pos(const String& sub, const String& s) {
    if (sub.empty())
        return 0;
    size_t found = s.find(sub);
    return found == String::npos ? 0 : static_cast<int>(found) + 1;
}

String Copy(const String& s, int index, int count) {
    if (index < 1)
        index = 1;
    if (count <= 0 || index > static_cast<int>(s.size()))
        return String();
    return s.substr(index - 1, count);
}

void Delete(String& s, int index, int count) {
    if (index < 1 || index > static_cast<int>(s.size()) || count <= 0)
        return;
    s.erase(index - 1, count);
}

void Insert(const String& sub, String& s, int index) {
    if (index < 1)
        index = 1;
    const size_t at = std::min(static_cast<size_t>(index - 1), s.size());
    s.insert(at, sub);
}

String UpperCase(const String& s) {
    String result = s;
    for (char& c : result)
        c = UpCase(c);
    return result;
}

String LowerCase(const String& s) {
    String result = s;
    for (char& c : result)
        c = LowCase(c);
    return result;
}

String AnsiUpperCase(const String& s) {
    return UpperCase(s);
}
String AnsiLowerCase(const String& s) {
    return LowerCase(s);
}

int CompareStr(const String& a, const String& b) {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i)
        if (a[i] != b[i])
            return ByteDifference(a[i], b[i]);
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

// Letter by letter in upper case, as CompareStr on upper-cased copies would compare them: lists
// search with it item by item, so no copy is made.
int CompareText(std::string_view a, std::string_view b) {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const char upperA = UpCase(a[i]);
        const char upperB = UpCase(b[i]);
        if (upperA != upperB)
            return ByteDifference(upperA, upperB);
    }
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

// From the end: the paths that lists are searched for share their folders and differ in their
// names, so a mismatch shows within a few characters.
bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = a.size(); i-- > 0;)
        if (a[i] != b[i] && UpCase(a[i]) != UpCase(b[i]))
            return false;
    return true;
}

String StringReplace(const String& s, const String& oldPattern, const String& newPattern,
                     TReplaceFlags flags) {
    if (oldPattern.empty())
        return s;
    // Case folding keeps every byte in its place, so positions in the folded copy hold for s.
    const bool ignoreCase = flags & rfIgnoreCase;
    const String folded = ignoreCase ? UpperCase(s) : String();
    const String& searched = ignoreCase ? folded : s;
    const String pattern = ignoreCase ? UpperCase(oldPattern) : oldPattern;
    String result;
    size_t from = 0;
    for (size_t found; (found = searched.find(pattern, from)) != String::npos;) {
        result.append(s, from, found - from).append(newPattern);
        from = found + pattern.size();
        if (!(flags & rfReplaceAll))
            break;
    }
    return result.append(s, from);
}

String TrimLeft(const String& s) {
    size_t first = 0;
    while (first < s.size() && IsBlankOrControl(s[first]))
        ++first;
    return s.substr(first);
}

String TrimRight(const String& s) {
    size_t end = s.size();
    while (end > 0 && IsBlankOrControl(s[end - 1]))
        --end;
    return s.substr(0, end);
}

String Trim(const String& s) {
    return TrimLeft(TrimRight(s));
}

// Most texts already are: they need no second copy.
bool HasOnlyCrLfLineBreaks(std::string_view s, bool finalLineBreak) {
    for (size_t at = s.find_first_of(LineBreakBytes); at != std::string_view::npos;
         at = s.find_first_of(LineBreakBytes, at + 2))
        if (s[at] != '\r' || at + 1 == s.size() || s[at + 1] != '\n')
            return false;
    return !finalLineBreak || s.empty() || s.back() == '\n';
}

String AdjustLineBreaks(String s, bool finalLineBreak) {
    TLineBreaks found;
    return AdjustLineBreaks(std::move(s), finalLineBreak, found);
}

String AdjustLineBreaks(String s, bool finalLineBreak, TLineBreaks& found) {
    found = TLineBreaks();
    if (HasOnlyCrLfLineBreaks(s, finalLineBreak))
        return s;
    String result;
    result.reserve(s.size() + s.size() / 32 + 2);
    size_t counts[3] = {}; // by style
    size_t done = 0;
    for (size_t end = s.find_first_of(LineBreakBytes); end != String::npos;
         end = s.find_first_of(LineBreakBytes, done)) {
        result.append(s, done, end - done);
        result += "\r\n";
        TTextLineBreakStyle style = LineBreakStyleAt(s, end);
        ++counts[style];
        done = end + (style == tlbsCRLF ? 2 : 1);
    }
    result.append(s, done, String::npos);
    if (finalLineBreak && !result.empty() && result.back() != '\n')
        result += "\r\n";
    found = MostCommonLineBreaks(counts);
    return result;
}

String AdjustLineBreaks(String s, TTextLineBreakStyle style) {
    if (style == tlbsCRLF)
        return AdjustLineBreaks(std::move(s));
    // No line end grows, so the text is rewritten in place, moving each run down once.
    const char lineBreak = style == tlbsLF ? '\n' : '\r';
    size_t kept = 0;
    size_t done = 0;
    for (size_t end = s.find_first_of(LineBreakBytes); end != String::npos;
         end = s.find_first_of(LineBreakBytes, done)) {
        size_t next = end + (LineBreakStyleAt(s, end) == tlbsCRLF ? 2 : 1);
        String::traits_type::move(&s[kept], &s[done], end - done);
        kept += end - done;
        s[kept++] = lineBreak;
        done = next;
    }
    String::traits_type::move(&s[kept], &s[done], s.size() - done);
    s.resize(kept + s.size() - done);
    return s;
}

String IntToStr(int64_t value) {
    return std::to_string(value);
}

String IntToHex(int64_t value, int digits) {
    uint64_t bits = static_cast<uint64_t>(value);
    if (value < 0 && value >= std::numeric_limits<int32_t>::min())
        bits &= 0xFFFFFFFFull;
    return Format("%0*llX", std::max(digits, 0), static_cast<unsigned long long>(bits));
}

int StrToInt(const String& s) {
    int value = 0;
    if (!ParseInteger(s, value))
        RaiseInvalidInteger(s);
    return value;
}

bool TryStrToInt(const String& s, int& value) {
    return ParseInteger(s, value);
}

int StrToIntDef(const String& s, int defaultValue) {
    int value = 0;
    return ParseInteger(s, value) ? value : defaultValue;
}

String Format(const char* format, ...) {
    CNumericFormatting cLocale;
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    String result;
    if (length > 0) {
        result.resize(static_cast<size_t>(length));
        std::vsnprintf(result.data(), result.size() + 1, format, args);
    }
    va_end(args);
    return result;
}

String FloatToStr(double value) {
    return FloatToStr(value, '.');
}

String FloatToStr(double value, char decimalSeparator) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    if (value == 0)
        return "0";
    String digits;
    int exponent = 0;
    SignificantDigits(value, digits, exponent);
    // Fixed notation while the whole part fits the 15 digits and the value is at least 0.00001.
    const bool fixed = exponent < 15 && exponent >= -5;
    const String text = fixed ? FixedNotation(digits, exponent, decimalSeparator)
                              : ScientificNotation(digits, exponent, decimalSeparator);
    return value < 0 ? "-" + text : text;
}

double StrToFloat(const String& s) {
    return StrToFloat(s, '.');
}

double StrToFloat(const String& s, char decimalSeparator) {
    String normalised;
    if (!NormaliseFloatText(s, decimalSeparator, normalised))
        RaiseInvalidFloat(s);
    double value = 0;
    const char* end = normalised.data() + normalised.size();
    auto result = std::from_chars(normalised.data(), end, value);
    if (result.ec != std::errc() || result.ptr != end)
        RaiseInvalidFloat(s);
    return value;
}
