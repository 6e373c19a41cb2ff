#include "publish/SendKeys.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct ParseCase {
    const char* What;
    String Keys;
    int Error;
    std::vector<BYTE> Codes;
};

// A case is named by what it shows, not its bytes.
void PrintTo(const ParseCase& c, std::ostream* out) {
    *out << c.What;
}

class KeyStringTest : public testing::TestWithParam<ParseCase> {};

TEST_P(KeyStringTest, ParsesIntoKeyCodesOrAnError) {
    const ParseCase& c = GetParam();
    EXPECT_EQ(c.Error, KeyStrokes::ParseKeyString(c.Keys));
    if (c.Error == skOK) {
        EXPECT_EQ(c.Codes, KeyStrokes::ParsedKeyCodes());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyStringTest,
    testing::Values(ParseCase{"TabThreeTimes", "{TAB 3}", skOK, {0x09, 0x09, 0x09}},
                    ParseCase{"NamesIgnoreCase", "{tab}", skOK, {0x09}},
                    ParseCase{"ShiftHoldsForAGroup", "+(ab)", skOK, {0x10, 'A', 'B', 0x10}},
                    ParseCase{"CtrlHoldsForOneKey", "^ob", skOK, {0x11, 'O', 0x11, 'B'}},
                    ParseCase{"ClosingBraceInBraces", "{}}", skOK, {0x10, 0xDD, 0x10}},
                    ParseCase{"ShiftedCharacterRepeated", "{A 2}", skOK, {0x10, 'A', 'A', 0x10}},
                    ParseCase{"CapitalAndDigit", "A1", skOK, {0x10, 'A', 0x10, '1'}},
                    ParseCase{"EnterByte", "\xAC", skOK, {0x0D}},
                    ParseCase{"LastFunctionKey", "{F16}{f1}", skOK, {0x7F, 0x70}},
                    ParseCase{"AltAlone", "%", skOK, {0x12, 0x12}},
                    ParseCase{"PathCharacters", "/a.b", skOK, {0xBF, 'A', 0xBE, 'B'}},
                    ParseCase{"SeveralNames",
                              "{ESC}{BKSP}{DEL}{PGDN}{WINAPPS}{KEYPADMINUS}{BREAK}",
                              skOK,
                              {0x1B, 0x08, 0x2E, 0x22, 0x5D, 0x6D, 0x03}},
                    ParseCase{"ZeroCount", "{TAB 0}", skZeroCount, {}},
                    ParseCase{"CountThatIsNoNumber", "{TAB x}", skZeroCount, {}},
                    ParseCase{"UnknownName", "{NOSUCHKEY}", skUnknownKey, {}},
                    ParseCase{
                        "NameOverFifteenCharacters", "{KEYPADPLUSPLUSPLUS}", skUnknownKey, {}},
                    ParseCase{"CharacterNoKeyTypes", "caf\xE9", skUnknownKey, {}},
                    ParseCase{"BraceNotClosed", "{TAB", skMissingBrace, {}},
                    ParseCase{"CountNotClosed", "{TAB 3", skMissingBrace, {}},
                    ParseCase{"GroupNotClosed", "(ab", skMissingParen, {}},
                    ParseCase{"ErrorInsideAModifier", "^{TAB 0}", skZeroCount, {}},
                    ParseCase{"BufferFull", String(MaxKeyEvents + 1, 'a'), skBufferFull, {}},
                    ParseCase{"BufferJustFull", String(MaxKeyEvents, 'a'), skOK,
                              std::vector<BYTE>(MaxKeyEvents, 'A')}),
    [](const testing::TestParamInfo<ParseCase>& info) { return String(info.param.What); });

struct PlayedEvent {
    BYTE Code;
    bool Down;
    bool System;
    bool operator==(const PlayedEvent&) const = default;
};

void PrintTo(const PlayedEvent& e, std::ostream* os) {
    *os << std::hex << int(e.Code) << (e.Down ? " down" : " up") << (e.System ? " sys" : "");
}

std::vector<PlayedEvent> PlayAll(const String& keys) {
    EXPECT_EQ(skOK, KeyStrokes::ParseKeyString(keys));
    KeyStrokes::ResetPlayback();
    std::vector<PlayedEvent> events;
    PlayedEvent e{};
    while (KeyStrokes::NextPlaybackEvent(e.Code, e.Down, e.System))
        events.push_back(e);
    return events;
}

TEST(KeySequencerTest, KeysGoDownAndUpAndModifiersHoldAroundThem) {
    EXPECT_EQ(
        (std::vector<PlayedEvent>{
            {0x11, true, false}, {'O', true, false}, {'O', false, false}, {0x11, false, false}}),
        PlayAll("^o"));
    EXPECT_EQ((std::vector<PlayedEvent>{{0x10, true, false},
                                        {'A', true, false},
                                        {'A', false, false},
                                        {'B', true, false},
                                        {'B', false, false},
                                        {0x10, false, false}}),
              PlayAll("+(ab)"));
}

TEST(KeySequencerTest, AltIsASystemKeyUnlessAKeyWasPlayedUnderIt) {
    EXPECT_EQ((std::vector<PlayedEvent>{{0x12, true, true}, {0x12, false, true}}), PlayAll("%"));
    EXPECT_EQ((std::vector<PlayedEvent>{
                  {0x12, true, true}, {'F', true, true}, {'F', false, true}, {0x12, false, false}}),
              PlayAll("%f"));
    // With Ctrl held, Alt makes no system keys.
    EXPECT_EQ((std::vector<PlayedEvent>{{0x11, true, false},
                                        {0x12, true, false},
                                        {'A', true, false},
                                        {'A', false, false},
                                        {0x12, false, false},
                                        {0x11, false, false}}),
              PlayAll("^%a"));
}

class PlaybackTest : public testing::Test {
protected:
    void SetUp() override { TestHooks::FakeDesktop({}, 0); }
    void TearDown() override { TestHooks::EndFakeDesktop(); }
};

TEST_F(PlaybackTest, SendKeysPlaysTheEventsThroughTheHookWithScanCodes) {
    ASSERT_EQ(skOK, SendKeys("%o"));
    const std::vector<EVENTMSG>& played = TestHooks::PlayedKeys();
    ASSERT_EQ(4u, played.size());
    const std::pair<UINT, UINT> expected[] = {{WM_SYSKEYDOWN, 0x3812},
                                              {WM_SYSKEYDOWN, 0x184F},
                                              {WM_SYSKEYUP, 0x184F},
                                              {WM_KEYUP, 0x3812}};
    for (size_t i = 0; i < played.size(); ++i) {
        EXPECT_EQ(expected[i].first, played[i].message) << i;
        EXPECT_EQ(expected[i].second, played[i].paramL) << i;
        EXPECT_EQ(1u, played[i].paramH) << i;
    }
}

TEST_F(PlaybackTest, AKeyStringWithAnErrorPlaysNothing) {
    EXPECT_EQ(skBufferFull, SendKeys(String(MaxKeyEvents + 1, 'a')));
    EXPECT_EQ(skMissingBrace, SendKeys("ab{TAB"));
    EXPECT_TRUE(TestHooks::PlayedKeys().empty());
}

TEST_F(PlaybackTest, ASecondPlaybackIsRefusedWhileOneRuns) {
    HHOOK first = SetWindowsHookExA(WH_JOURNALPLAYBACK, JrnlPlayBackHook, nullptr, 0);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(nullptr, SetWindowsHookExA(WH_JOURNALPLAYBACK, JrnlPlayBackHook, nullptr, 0));
    EXPECT_TRUE(UnhookWindowsHookEx(first));
}

TEST(PlaybackWithoutDesktopTest, NoPlaybackCanBeInstalledWithoutAWindowSystem) {
    EXPECT_EQ(skNoPlayback, SendKeys("abc"));
}

} // namespace
