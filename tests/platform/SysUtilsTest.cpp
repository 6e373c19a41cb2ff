#include "platform/SysUtils.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

TEST(SysUtilsSubstrings, PosFindsNothingForAnEmptyText) {
    struct Case {
        String Sub, S;
        int Expected;
    };
    const Case cases[] = {
        {"", "abc", 0},  {"", "", 0},     {"b", "abc", 2},    {"abc", "abc", 1},
        {"c", "abc", 3}, {"x", "abc", 0}, {"abcd", "abc", 0}, {"b", "abab", 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Pos(c.Sub, c.S), c.Expected) << "Pos(\"" << c.Sub << "\", \"" << c.S << "\")";
}

TEST(SysUtilsSubstrings, CopyClampsIndexAndCount) {
    struct Case {
        int Index, Count;
        String Expected;
    };
    const Case cases[] = {
        {1, 3, "abc"},
        {2, 2, "bc"},
        {0, 2, "ab"},
        {-5, 2, "ab"},
        {4, 100, "def"},
        {6, 1, "f"},
        {7, 1, ""},
        {100, 1, ""},
        {2, 0, ""},
        {2, -1, ""},
        {1, std::numeric_limits<int>::max(), "abcdef"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Copy("abcdef", c.Index, c.Count), c.Expected)
            << "Copy(abcdef, " << c.Index << ", " << c.Count << ")";
}

TEST(SysUtilsSubstrings, DeleteIgnoresIndexesOutsideTheText) {
    struct Case {
        int Index, Count;
        String Expected;
    };
    const Case cases[] = {
        {1, 2, "cdef"},    {3, 100, "ab"},   {6, 1, "abcde"},  {0, 2, "abcdef"},
        {-1, 3, "abcdef"}, {7, 1, "abcdef"}, {2, 0, "abcdef"}, {2, -3, "abcdef"},
    };
    for (const Case& c : cases) {
        String s = "abcdef";
        Delete(s, c.Index, c.Count);
        EXPECT_EQ(s, c.Expected) << "Delete(abcdef, " << c.Index << ", " << c.Count << ")";
    }
}

TEST(SysUtilsSubstrings, InsertPutsTextAtTheFrontOrEndWhenOutside) {
    struct Case {
        int Index;
        String Expected;
    };
    const Case cases[] = {
        {1, "XYabc"}, {2, "aXYbc"}, {4, "abcXY"}, {0, "XYabc"}, {-7, "XYabc"}, {99, "abcXY"},
    };
    for (const Case& c : cases) {
        String s = "abc";
        Insert("XY", s, c.Index);
        EXPECT_EQ(s, c.Expected) << "Insert at " << c.Index;
    }
}

TEST(SysUtilsCase, ChangesAsciiLettersOnlyAndKeepsTheLength) {
    // "Grüße" in UTF-8 and "é" in Windows-1252: the high bytes must survive untouched.
    const String text = "Gr\xC3\xBC\xC3\x9F"
                        "e caf\xE9 [a-z]";
    EXPECT_EQ(UpperCase(text), "GR\xC3\xBC\xC3\x9F"
                               "E CAF\xE9 [A-Z]");
    EXPECT_EQ(LowerCase(text), "gr\xC3\xBC\xC3\x9F"
                               "e caf\xE9 [a-z]");
    EXPECT_EQ(AnsiUpperCase(text), UpperCase(text));
    EXPECT_EQ(AnsiLowerCase(text), LowerCase(text));
    EXPECT_EQ(UpperCase(text).size(), text.size());
}

TEST(SysUtilsCase, ComparisonsOrderBytesAsUnsigned) {
    struct Case {
        String A, B;
        int Str, Text; // signs of CompareStr and CompareText
    };
    const Case cases[] =
        {
            {"abc", "abc", 0, 0},  {"abc", "ABC", 1, 0}, {"abc", "abd", -1, -1},
            {"ab", "abc", -1, -1}, {"", "a", -1, -1},    {"z", "\xE9", -1, -1},
            {"_", "a", -1, 1}, // "_" lies between the upper and lower case letters
        };
    auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.A + " vs " + c.B);
        EXPECT_EQ(sign(CompareStr(c.A, c.B)), c.Str);
        EXPECT_EQ(sign(CompareStr(c.B, c.A)), -c.Str);
        EXPECT_EQ(sign(CompareText(c.A, c.B)), c.Text);
        EXPECT_EQ(SameText(c.A, c.B), c.Text == 0);
    }
}

TEST(SysUtilsStringReplace, HonoursTheFlags) {
    struct Case {
        String S, Old, New;
        TReplaceFlags Flags;
        String Expected;
    };
    const Case cases[] = {
        {"a-b-c", "-", "+", 0, "a+b-c"},
        {"a-b-c", "-", "+", rfReplaceAll, "a+b+c"},
        {"Ab ab AB", "ab", "x", rfReplaceAll, "Ab x AB"},
        {"Ab ab AB", "ab", "x", rfReplaceAll | rfIgnoreCase, "x x x"},
        {"Ab ab AB", "ab", "x", rfIgnoreCase, "x ab AB"},
        {"aaa", "a", "aa", rfReplaceAll, "aaaaaa"}, // the new text is not searched again
        {"aaaa", "aa", "b", rfReplaceAll, "bb"},
        {"abc", "", "x", rfReplaceAll, "abc"},
        {"abc", "abc", "", 0, ""},
        {"abc", "x", "y", rfReplaceAll, "abc"},
        {"<BR>\r\n", "\r\n", "\n", rfReplaceAll, "<BR>\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StringReplace(c.S, c.Old, c.New, c.Flags), c.Expected)
            << c.S << " / " << c.Old << " -> " << c.New << " flags " << c.Flags;
}

TEST(SysUtilsTrim, RemovesBlanksAndControlCharacters) {
    const String text = "\t \r\n a b\x01 \r\n";
    EXPECT_EQ(Trim(text), "a b");
    EXPECT_EQ(TrimLeft(text), "a b\x01 \r\n");
    EXPECT_EQ(TrimRight(text), "\t \r\n a b");
    EXPECT_EQ(Trim(" \t "), "");
    EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0"); // a high byte is text, not a blank
}

TEST(SysUtilsLineBreaks, EveryLineEndBecomesCrLf) {
    struct Case {
        const char* Text;
        bool FinalLineBreak;
        const char* Adjusted;
        TTextLineBreakStyle Style; // the kind most line ends were
        bool Mixed;
    };
    const Case cases[] = {
        {"", false, "", tlbsCRLF, false},
        {"", true, "", tlbsCRLF, false},
        {"a", false, "a", tlbsCRLF, false},
        {"a", true, "a\r\n", tlbsCRLF, false},
        {"a\rb\r", false, "a\r\nb\r\n", tlbsCR, false},
        {"a\nb", false, "a\r\nb", tlbsLF, false},
        {"a\nb", true, "a\r\nb\r\n", tlbsLF, false},
        {"a\r\nb", false, "a\r\nb", tlbsCRLF, false},
        {"a\r\nb", true, "a\r\nb\r\n", tlbsCRLF, false},
        {"a\r\nb\nc\rd", false, "a\r\nb\r\nc\r\nd", tlbsCRLF, true},
        {"a\n\rb", true, "a\r\n\r\nb\r\n", tlbsLF, true},
        {"\r\n\r\n", true, "\r\n\r\n", tlbsCRLF, false},
        {"a\nb\r\nc\n", false, "a\r\nb\r\nc\r\n", tlbsLF, true},
        {"a\rb\r\nc\r", false, "a\r\nb\r\nc\r\n", tlbsCR, true},
        {"a\r\rb\n\r\n", false, "a\r\n\r\nb\r\n\r\n", tlbsCR, true},
    };
    for (const Case& c : cases) {
        TLineBreaks found;
        found.Style = c.Style == tlbsCR ? tlbsLF : tlbsCR;
        found.Mixed = !c.Mixed;
        EXPECT_EQ(AdjustLineBreaks(c.Text, c.FinalLineBreak, found), c.Adjusted) << c.Text;
        EXPECT_EQ(found.Style, c.Style) << c.Text;
        EXPECT_EQ(found.Mixed, c.Mixed) << c.Text;
        EXPECT_EQ(AdjustLineBreaks(c.Text, c.FinalLineBreak), c.Adjusted) << c.Text;
    }
}

// Written back, every line end takes the file's kind; the text keeps its length otherwise.
TEST(SysUtilsLineBreaks, EveryLineEndBecomesTheStyles) {
    struct Case {
        const char* Text;
        const char* LF;
        const char* CR;
        const char* CRLF;
    };
    const Case cases[] = {
        {"", "", "", ""},
        {"one line", "one line", "one line", "one line"},
        {"a\r\nb\r\n", "a\nb\n", "a\rb\r", "a\r\nb\r\n"},
        {"\r\n\r\na", "\n\na", "\r\ra", "\r\n\r\na"},
        {"a\r\nb\nc\rd", "a\nb\nc\nd", "a\rb\rc\rd", "a\r\nb\r\nc\r\nd"},
        {"a\n\rb\r", "a\n\nb\n", "a\r\rb\r", "a\r\n\r\nb\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AdjustLineBreaks(c.Text, tlbsLF), c.LF) << c.Text;
        EXPECT_EQ(AdjustLineBreaks(c.Text, tlbsCR), c.CR) << c.Text;
        EXPECT_EQ(AdjustLineBreaks(c.Text, tlbsCRLF), c.CRLF) << c.Text;
    }
}

TEST(SysUtilsIntegers, StrToIntReadsTheFrameworksNotation) {
    struct Case {
        String Text;
        int Expected;
    };
    const Case cases[] = {
        {"0", 0},
        {"42", 42},
        {"-5", -5},
        {"+7", 7},
        {"007", 7},
        {"  12", 12},
        {"$1F", 31},
        {"$ff", 255},
        {"0x1f", 31},
        {"-$10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<int>::min()},
        {"$FFFFFFFF", -1},
        {"$7FFFFFFF", 2147483647},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(StrToInt(c.Text), c.Expected);
        EXPECT_EQ(StrToIntDef(c.Text, 99), c.Expected);
    }
}

TEST(SysUtilsIntegers, RejectsTextsAndValuesBeyond32Bits) {
    const String texts[] = {"",
                            " ",
                            "12 ",
                            "1.5",
                            "abc",
                            "12a",
                            "$",
                            "-",
                            "0x",
                            "--1",
                            "2147483648",
                            "-2147483649",
                            "$1G",
                            "+ 1",
                            "1 2",
                            "$100000000",
                            "99999999999999999999"};
    for (const String& text : texts) {
        SCOPED_TRACE("'" + text + "'");
        EXPECT_EQ(StrToIntDef(text, -77), -77);
        try {
            StrToInt(text);
            ADD_FAILURE() << "no error";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + text + "' is not a valid integer value");
        }
    }
}

TEST(SysUtilsIntegers, WritesDecimalAndHex) {
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(-123), "-123");
    EXPECT_EQ(IntToStr(std::numeric_limits<int64_t>::min()), "-9223372036854775808");
    struct Case {
        int64_t Value;
        int Digits;
        String Expected;
    };
    const Case cases[] = {
        {255, 2, "FF"},
        {255, 6, "0000FF"},
        {0x12345, 2, "12345"},
        {0, 0, "0"},
        {-1, 2, "FFFFFFFF"},
        {std::numeric_limits<int32_t>::min(), 1, "80000000"},
        {-(int64_t(1) << 32), 1, "FFFFFFFF00000000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IntToHex(c.Value, c.Digits), c.Expected) << c.Value << ", " << c.Digits;
}

TEST(SysUtilsFormat, FormatsLikePrintf) {
    EXPECT_EQ(Format("%d files, %s, %5.2f%%", 3, "done", 2.345), "3 files, done,  2.35%");
    EXPECT_EQ(Format("%s", ""), "");
    const String longText(5000, 'x');
    EXPECT_EQ(Format("[%s]", longText.c_str()), "[" + longText + "]");
}

// Qt sets the process locale from the environment; under a comma locale the C library writes
// "1,5", and the files the program writes would then read wrongly.
TEST(SysUtilsFormat, WritesAFullStopUnderACommaLocale) {
    const String previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the locale de_DE.UTF-8 is missing: run scripts/setup";
    char plain[32];
    std::snprintf(plain, sizeof plain, "%.1f", 1.5);
    const String formatted = Format("%.1f|%g|%f", 1.5, 0.25, 2.0);
    const String general = FloatToStr(2.5);
    const double parsed = StrToFloat("3.25");
    std::setlocale(LC_ALL, previous.c_str());

    ASSERT_STREQ(plain, "1,5") << "the locale should write a comma";
    EXPECT_EQ(formatted, "1.5|0.25|2.000000");
    EXPECT_EQ(general, "2.5");
    EXPECT_EQ(parsed, 3.25);
}

TEST(SysUtilsFloats, FloatToStrWritesGeneralFormatWith15Digits) {
    struct Case {
        double Value;
        String Expected;
    };
    const Case cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {2.5, "2.5"},
        {-2.5, "-2.5"},
        {100, "100"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {123456789012345.0, "123456789012345"},
        {999999999999999.0, "999999999999999"},
        {1e15, "1E15"},
        {1e20, "1E20"},
        {-1.5e20, "-1.5E20"},
        {0.00001, "0.00001"},
        {0.000012, "0.000012"},
        {0.000001, "1E-6"},
        {1.5e-10, "1.5E-10"},
        {45366.75, "45366.75"},
        {std::nan(""), "NAN"},
        {std::numeric_limits<double>::infinity(), "INF"},
        {-std::numeric_limits<double>::infinity(), "-INF"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FloatToStr(c.Value), c.Expected) << c.Expected;
    EXPECT_EQ(FloatToStr(1234.5, ','), "1234,5");
    EXPECT_EQ(FloatToStr(1.5e-10, ','), "1,5E-10");
}

TEST(SysUtilsFloats, StrToFloatReadsTheGivenSeparator) {
    struct Case {
        String Text;
        double Expected;
    };
    const Case cases[] = {
        {"1.5", 1.5}, {" -2.5e3 ", -2500},    {"+.5", 0.5},   {"5.", 5}, {"1E-2", 0.01}, {"7", 7},
        {"0", 0},     {"45366.75", 45366.75}, {"1e+3", 1000},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(StrToFloat(c.Text), c.Expected) << c.Text;
    EXPECT_DOUBLE_EQ(StrToFloat("1,5", ','), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloat("-0,25E1", ','), -2.5);

    const String bad[] = {"", " ", "1,5", "e5", "1e", "1.2.3", "abc", "1 5", ".", "-", "1e400"};
    for (const String& text : bad) {
        SCOPED_TRACE("'" + text + "'");
        try {
            StrToFloat(text);
            ADD_FAILURE() << "no error";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + text + "' is not a valid floating point value");
        }
    }
    EXPECT_THROW(StrToFloat("1.5", ','), EConvertError);
}

TEST(SysUtilsFloats, FloatTextRoundTrips) {
    const double values[] = {45366.123456789, -0.000123, 1.0 / 7, 12345678.5};
    for (double v : values) {
        const double back = StrToFloat(FloatToStr(v, ','), ',');
        EXPECT_NEAR(back, v, std::fabs(v) * 1e-14) << FloatToStr(v);
    }
}

} // namespace
