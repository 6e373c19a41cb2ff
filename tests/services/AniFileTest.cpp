// Animated cursors: the frames, names and display times read from a cursor file built byte by
// byte, the damaged files that are refused without reading past their end, the frames handed on
// to a bitmap and an icon list, and the frames the screen's cursor shows as the clock goes on.

#include "services/AniFile.h"

#include "IconFixture.h"
#include "TestSupport.h"
#include "platform/DateTime.h"
#include "platform/TestHooks.h"
#include "services/IcoList.h"
#include "services/QmGIF.h"

#include <gtest/gtest.h>

#include <vector>

using IconFixture::PaletteIcon;
using IconFixture::PutLE;
using IconFixture::SolidIcon;

namespace {

String Chunk(const char* id, const String& body) {
    String chunk(id, 4);
    PutLE(chunk, static_cast<uint32_t>(body.size()), 4);
    chunk += body;
    if (body.size() % 2)
        chunk += '\0';
    return chunk;
}

String Values(std::initializer_list<uint32_t> values) {
    String bytes;
    for (uint32_t value : values)
        PutLE(bytes, value, 4);
    return bytes;
}

// frames, steps, ..., display rate, flags.
String Anih(uint32_t frames, uint32_t rate = 10, uint32_t flags = 1, uint32_t steps = 1) {
    return Chunk("anih", Values({36, frames, steps, 0, 0, 0, 0, rate, flags}));
}

String FrameList(const std::vector<String>& icons) {
    String body = "fram";
    for (const String& icon : icons)
        body += Chunk("icon", icon);
    return Chunk("LIST", body);
}

String Riff(const String& chunks, const char* form = "ACON") {
    String file = "RIFF";
    PutLE(file, static_cast<uint32_t>(chunks.size() + 4), 4);
    file += String(form, 4);
    return file + chunks;
}

const uint32_t Red = 0xFF0000;
const uint32_t Green = 0x00FF00;
const uint32_t Blue = 0x0000FF;
const uint32_t White = 0xFFFFFF;

TAnimatedCursorImage Loaded(const String& file) {
    TMemoryStream stream;
    stream.WriteBuffer(file.data(), static_cast<int>(file.size()));
    stream.SetPosition(0);
    TAnimatedCursorImage image;
    image.LoadFromStream(stream);
    return image;
}

// The colour of a frame's icon at its middle, as 0xRRGGBB.
uint32_t ColourOf(const TAnimatedCursorImage& image, int index) {
    TColor colour = image.FrameIcon(index).Picture().PixelAt(2, 2);
    return static_cast<uint32_t>((GetRValue(colour) << 16) | (GetGValue(colour) << 8) |
                                 GetBValue(colour));
}

String LoadError(const String& file) {
    return TestSupport::MessageOf<EReadError>([&] { Loaded(file); });
}

} // namespace

TEST(AniFileTest, ExtraIconsBecomeEntriesAndMissingOnesAreDropped) {
    TAnimatedCursorImage four =
        Loaded(Riff(Anih(3, 7) + FrameList({PaletteIcon(Red), PaletteIcon(Green), PaletteIcon(Blue),
                                            PaletteIcon(White)})));
    ASSERT_EQ(four.EntryCount(), 4);
    EXPECT_EQ(four.FrameEntry(3).IconNumber, -1);
    EXPECT_EQ(four.FrameEntry(3).Jiffies, 7u);
    EXPECT_EQ(ColourOf(four, 0), Red);
    EXPECT_EQ(ColourOf(four, 3), White);
    EXPECT_EQ(four.CursorHeader().Steps, 4u);
    EXPECT_EQ(four.MostColours(), 16);

    TAnimatedCursorImage two =
        Loaded(Riff(Anih(3) + FrameList({PaletteIcon(Red), PaletteIcon(Green)})));
    EXPECT_EQ(two.EntryCount(), 2);
    EXPECT_EQ(two.CursorHeader().Steps, 2u);
}

// Every value of a "rate" or "seq " chunk goes to the next entry in turn.
TEST(AniFileTest, RatesAndSequenceGoToTheEntriesInTurn) {
    TAnimatedCursorImage image = Loaded(Riff(Anih(3, 5) + Chunk("rate", Values({10, 20})) +
                                             Chunk("seq ", Values({1, 0, 1})) +
                                             FrameList({PaletteIcon(Red), PaletteIcon(Green)})));
    ASSERT_EQ(image.EntryCount(), 3);
    const uint32_t jiffies[] = {10, 20, 5};
    const uint32_t colours[] = {Green, Red, Green};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(image.FrameEntry(i).Jiffies, jiffies[i]);
        EXPECT_EQ(ColourOf(image, i), colours[i]);
    }
    // Each entry has an icon of its own.
    EXPECT_NE(&image.FrameIcon(0), &image.FrameIcon(2));
}

TEST(AniFileTest, CursorFramesKeepTheirHotSpotAndIconsTakeTheirMiddle) {
    TAnimatedCursorImage image =
        Loaded(Riff(Anih(2) + FrameList({PaletteIcon(Red, 2, 3, 1), PaletteIcon(Green)})));
    ASSERT_EQ(image.EntryCount(), 2);
    EXPECT_FALSE(image.FrameEntry(0).IsPlainIcon);
    EXPECT_EQ(image.FrameEntry(0).HotPoint, (TPoint{3, 1}));
    EXPECT_TRUE(image.FrameEntry(1).IsPlainIcon);
    EXPECT_EQ(image.FrameEntry(1).HotPoint, (TPoint{2, 2}));
    EXPECT_EQ(String(reinterpret_cast<const char*>(image.FrameEntry(0).ChunkHeader.data()), 4),
              "icon");
}

TEST(AniFileTest, NameAndArtistKeepTheirFirst255Characters) {
    const String longName(300, 'n');
    TAnimatedCursorImage image =
        Loaded(Riff(Chunk("LIST", "INFO" + Chunk("INAM", longName + '\0') +
                                      Chunk("IART", String("Ann") + '\0')) +
                    Anih(1) + FrameList({PaletteIcon(Red)})));
    EXPECT_EQ(image.CursorName(), String(255, 'n'));
    EXPECT_EQ(image.CursorArtist(), "Ann");
}

TEST(AniFileTest, WhatIsNoAnimatedCursorIsAReadError) {
    const String good = Riff(Anih(1) + FrameList({PaletteIcon(Red)}));
    String hugeChunk = Riff(Anih(1)) + "LIST";
    PutLE(hugeChunk, 0x7FFFFFF0, 4);
    hugeChunk += "INFO";
    String listCut = Riff(Anih(1)) + "LIST"; // a list whose type is cut off by the file's end
    PutLE(listCut, 0x100, 4);
    listCut += "fr";
    String hugeCount = PaletteIcon(Red);
    hugeCount[4] = char(0xFF); // more pictures than the chunk holds: the frame list just ends
    const String cases[] = {
        Riff(Anih(1) + FrameList({PaletteIcon(Red)}), "AVI "),
        "RIFF",
        "",
        Riff(Anih(1, 10, 0) + FrameList({PaletteIcon(Red)})),    // frames are no icons
        Riff(Anih(1, 10, 1, 0) + FrameList({PaletteIcon(Red)})), // no steps
        Riff(Anih(1)),                                           // no frames
        Riff(Chunk("anih", Values({36, 1, 1}))),                 // a header cut short
        hugeChunk,
        listCut,
        Riff(Anih(1) + FrameList({hugeCount})),
        Riff(Anih(1) + FrameList({PaletteIcon(Red).substr(0, 30)})),
    };
    for (const String& file : cases) {
        SCOPED_TRACE(file.size());
        EXPECT_EQ(LoadError(file), "Stream read error");
    }
    // Every cut of a good file is refused or read as far as it goes, never read past its end.
    for (size_t length = 0; length < good.size(); ++length) {
        try {
            Loaded(good.substr(0, length));
        } catch (const EReadError&) {
        }
    }
}

// A header that declares billions of frames makes no more entries than the file could hold.
TEST(AniFileTest, AHugeFrameCountMakesNoEntriesItsFileCannotHold) {
    TAnimatedCursorImage image = Loaded(Riff(Anih(0xFFFFFFFF) + FrameList({PaletteIcon(Red)})));
    EXPECT_EQ(image.EntryCount(), 1);
}

TEST(AniFileTest, AFailedReadLeavesTheImageEmpty) {
    const String path = TestSupport::CurrentSandbox + "/broken.ani";
    TAnimatedCursorImage image = Loaded(Riff(Anih(1) + FrameList({PaletteIcon(Red)})));
    TMemoryStream broken;
    const String bad = Riff(Anih(1));
    broken.WriteBuffer(bad.data(), static_cast<int>(bad.size()));
    broken.SaveToFile(path);
    EXPECT_THROW(image.ReadCursorFile(path), EReadError);
    EXPECT_EQ(image.EntryCount(), 0);
    EXPECT_THROW(image.ReadCursorFile(path + ".none"), EFOpenError);
}

TEST(AniFileTest, SavingIsNotThereYet) {
    TestHooks::AnswerMessageBox(IDOK);
    TAnimatedCursorImage image;
    TMemoryStream stream;
    EXPECT_THROW(image.SaveToStream(stream), EAbort);
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Text, "Function not yet implemented");
}

TEST(AniFileTest, TheFramesGoSideBySideOntoABitmapAndIntoAnIconList) {
    TAnimatedCursorImage image =
        Loaded(Riff(Anih(2) + FrameList({PaletteIcon(Red), PaletteIcon(Blue)})));
    TBitmap strip;
    strip.Canvas().Brush().SetColor(clYellow);
    image.AssignTo(strip);
    ASSERT_EQ(strip.Width(), 8);
    ASSERT_EQ(strip.Height(), 4);
    EXPECT_EQ(strip.PixelAt(1, 1), clRed);
    EXPECT_EQ(strip.PixelAt(5, 1), clBlue);
    EXPECT_EQ(strip.PixelAt(4, 0), clYellow); // the transparent corner
    auto stacked = image.MakeFrameStrip(clYellow, true, false);
    EXPECT_EQ(stacked->PixelAt(1, 5), clBlue);

    TIconList list;
    int changes = 0;
    list.ChangeHandler = [&](TObject*) { ++changes; };
    list.AddCopy(image.FrameIcon(0));
    changes = 0;
    image.AssignTo(list);
    EXPECT_EQ(list.IconCount(), 2);
    EXPECT_EQ(changes, 1);
    TIcon first;
    image.AssignTo(first);
    EXPECT_EQ(first.Data(), image.FrameIcon(0).Data());

    TAnimatedCursorImage copy;
    copy.Assign(&image);
    EXPECT_EQ(copy.EntryCount(), 2);
    copy.Assign(nullptr);
    EXPECT_EQ(copy.EntryCount(), 0);
}

// The strip keeps the colours that the file's images can have, 16 at the least: a 16-colour
// file's odd shades become the nearest standard colours, a 256-colour file keeps them.
TEST(AniFileTest, TheFrameStripIsBroughtDownToTheColoursOfTheFile) {
    const TColor darkYellow = RGB(250, 240, 10);
    const TColor shade = RGB(200, 50, 50);
    const TColor otherShade = RGB(40, 40, 210);
    const struct {
        String Frames;
        TColor Background;
        int Side;
        TPixelFormat Format;
        std::vector<TColor> Colours; // per frame
        TColor Corner;               // the transparent top-left corner of a palette icon
    } cases[] = {
        {FrameList({PaletteIcon(0xC83232), PaletteIcon(0x2828D2)}),
         darkYellow,
         4,
         pf4bit,
         {clRed, clBlue},
         clYellow},
        {FrameList({PaletteIcon(0xC83232, 1, 0, 0, 8), PaletteIcon(0x2828D2, 1, 0, 0, 8)}),
         darkYellow,
         4,
         pf8bit,
         {shade, otherShade},
         darkYellow},
        {FrameList({SolidIcon(0xFFC83232)}), darkYellow, 16, pf4bit, {clRed}, clRed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Side * 10 + static_cast<int>(c.Format));
        TAnimatedCursorImage image = Loaded(Riff(Anih(2) + c.Frames));
        TBitmap strip;
        strip.Canvas().Brush().SetColor(c.Background);
        image.AssignTo(strip);
        ASSERT_EQ(strip.Width(), c.Side * static_cast<int>(c.Colours.size()));
        ASSERT_EQ(strip.Height(), c.Side);
        EXPECT_EQ(strip.PixelFormat(), c.Format);
        for (int y = 0; y < strip.Height(); ++y)
            for (int x = 0; x < strip.Width(); ++x) {
                const TColor expected =
                    y == 0 && x % c.Side == 0 ? c.Corner : c.Colours[size_t(x / c.Side)];
                ASSERT_EQ(strip.PixelAt(x, y), expected) << x << "," << y;
            }
    }
}

// Each frame's icon is drawn on magenta, which stays where the icon is transparent and becomes
// the frame's transparent colour; the display time goes from sixtieths of a second to
// milliseconds, the longest that 16 bits hold at most.
TEST(AniFileTest, AGifTakesTheFramesAsIconsOnMagentaWithTheirDisplayTimes) {
    TAnimatedCursorImage cursor = Loaded(
        Riff(Anih(3, 1) + Chunk("rate", Values({6, 7, 4000})) +
             FrameList({PaletteIcon(Red), PaletteIcon(0x2828D2, 1, 0, 0, 8), PaletteIcon(Green)})));
    TGIFImage gif;
    gif.Assign(cursor);
    EXPECT_EQ(gif.ScreenBackground, clWindow);
    ASSERT_EQ(gif.FrameCount(), 3);
    EXPECT_EQ(gif.CurrentFrame, 2);
    const uint16_t delays[] = {100, 116, 65535};
    const TColor colours[] = {clRed, RGB(40, 40, 210), clLime};
    auto expectFrames = [&](TGIFImage& image) {
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            TGIFFrame& frame = image.FrameAt(i);
            EXPECT_EQ(frame.TransparentKey, clFuchsia);
            TBitmap& bitmap = frame.DecodedBitmap();
            ASSERT_EQ(bitmap.Width(), 4);
            ASSERT_EQ(bitmap.Height(), 4);
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 4; ++x)
                    ASSERT_EQ(bitmap.PixelAt(x, y), x == 0 && y == 0 ? clFuchsia : colours[i])
                        << x << "," << y;
        }
    };
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(gif.FrameAt(i).DelayMilliseconds, delays[i]);
    expectFrames(gif);

    // Written and read back, the magenta is the frames' transparent index.
    TMemoryStream stream;
    gif.SaveToStream(stream);
    stream.SetPosition(0);
    TGIFImage read;
    read.LoadFromStream(stream);
    ASSERT_EQ(read.FrameCount(), 3);
    expectFrames(read);
    EXPECT_EQ(read.FrameAt(0).DelayMilliseconds, 100);

    TGIFImage empty;
    empty.Assign(TAnimatedCursorImage());
    EXPECT_EQ(empty.FrameCount(), 0);
    EXPECT_TRUE(empty.Empty());
}

// The screen's cursor shows each frame for its display time in sixtieths of a second, round and
// round, by the program's clock.
TEST(AniFileTest, TheCursorPlaysTheFramesAtTheirRates) {
    TDateTime now = 40000.5;
    SetClockForTests([&] { return now; });
    TAnimatedCursorImage image = Loaded(Riff(Anih(2) + Chunk("rate", Values({6, 12})) +
                                             FrameList({PaletteIcon(Red), PaletteIcon(Blue)})));
    HCURSOR cursor = image.CreateCursor();
    ASSERT_NE(cursor, nullptr);
    const double jiffy = 1.0 / (24 * 60 * 60 * 60);
    const struct {
        double At;
        int Frame;
    } moments[] = {{0, 0}, {5.9, 0}, {6, 1}, {17.9, 1}, {18, 0}, {24, 1}, {18 * 100 + 3, 0}};
    for (const auto& moment : moments) {
        SCOPED_TRACE(moment.At);
        now = 40000.5 + moment.At * jiffy;
        EXPECT_EQ(CursorFrameShown(cursor), moment.Frame);
    }
    Screen->SetCursors(1, cursor);
    RefreshAnimatedCursors();
    Screen->SetCursors(1, nullptr);
    DestroyCursor(cursor);
    SetClockForTests({});
}
