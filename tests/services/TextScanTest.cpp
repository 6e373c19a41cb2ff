// The page scanners' searches: each finder against a plain search of the whole text, for
// positions that move forward, jump back and pass the answers.

#include "services/TextScan.h"

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr size_t npos = String::npos;

size_t PlainFind(const String& text, const String& needle, size_t from, bool ignoreCase,
                 bool tagName) {
    for (size_t at = from; at + needle.size() <= text.size(); ++at) {
        bool same = true;
        for (size_t i = 0; i < needle.size() && same; ++i)
            same = (ignoreCase ? UpCase(text[at + i]) : text[at + i]) == needle[i];
        if (same && (!tagName || EndsTagName(text, at + needle.size())))
            return at;
    }
    return npos;
}

String RandomPage(std::mt19937& random, size_t length) {
    static const char letters[] = "<pPrReE/> \r\n-!\t";
    std::uniform_int_distribution<size_t> pick(0, sizeof letters - 2);
    String text;
    for (size_t i = 0; i < length; ++i)
        text += letters[pick(random)];
    return text;
}

} // namespace

TEST(TextScan, FindersAnswerAsAPlainSearchWhereverTheyAreAsked) {
    struct Case {
        const char* Needle;
        TForwardFinder::TMatch Match;
    };
    const Case cases[] = {{"<p", TForwardFinder::mExact},
                          {"-", TForwardFinder::mExact},
                          {"</PRE", TForwardFinder::mIgnoringCase},
                          {"<PRE", TForwardFinder::mTagName},
                          {"<P", TForwardFinder::mTagName}};
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        const String text = RandomPage(random, 300);
        std::uniform_int_distribution<size_t> position(0, text.size() + 2);
        for (const Case& c : cases) {
            TForwardFinder finder(text, c.Needle, c.Match);
            size_t from = 0;
            for (int ask = 0; ask < 60; ++ask) {
                // Mostly onward, now and then back to an earlier place.
                from =
                    ask % 7 == 6 ? position(random) : std::min(from + random() % 20, text.size());
                EXPECT_EQ(finder.Next(from),
                          PlainFind(text, c.Needle, from, c.Match != TForwardFinder::mExact,
                                    c.Match == TForwardFinder::mTagName))
                    << c.Needle << " from " << from;
            }
        }
        TBackwardFinder backward(text, '<');
        size_t at = 0;
        for (int ask = 0; ask < 60; ++ask) {
            at = ask % 9 == 8 ? position(random) % text.size()
                              : std::min(at + random() % 15, text.size() - 1);
            size_t expected = text.rfind('<', at);
            EXPECT_EQ(backward.AtOrBefore(at), expected) << "at " << at;
        }
    }
}

TEST(TextScan, SearchesWithOddNeedlesAndPlaces) {
    const String text = "ab<Pre>x<PRE\tq<pref";
    EXPECT_EQ(FindText(text, "", 0), npos);
    EXPECT_EQ(FindText(text, "x", text.size()), npos);
    EXPECT_EQ(FindText(text, "ab", 0), 0u);
    EXPECT_EQ(FindChar(text, 'q', 100), npos);
    EXPECT_EQ(FindIgnoringCase(text, "<PRE", 3), 8u);
    EXPECT_EQ(FindIgnoringCase(text, "PRE", 0), 3u);
    EXPECT_EQ(FindIgnoringCase("x<pre", "PRE", 0), 2u);
    EXPECT_FALSE(MatchesIgnoringCaseAt(text, text.size() - 2, "<PREF"));
    TForwardFinder tag(text, "<PRE", TForwardFinder::mTagName);
    EXPECT_EQ(tag.Next(0), 2u);
    EXPECT_EQ(tag.Next(3), 8u);
    EXPECT_EQ(tag.Next(9), npos);
}

// A pass that rewrites the text behind its reading position, or adds to it, keeps its finders.
TEST(TextScan, AFinderReadsTheTextAsItIsNow) {
    String text = "<b>one</b><b>two</b>";
    TForwardFinder end(text, "</B", TForwardFinder::mIgnoringCase);
    EXPECT_EQ(end.Next(0), 6u);
    text.replace(0, 6, "<i>ONE");
    EXPECT_EQ(end.Next(7), 16u);
    text += String(1000, 'x') + "</b>";
    EXPECT_EQ(end.Next(17), 1020u);
}
