// The shared routines: image sizes from the files' own headers, the 16-colour palette and its
// HTML names, relative URLs, keeping a form on screen and the keyboard state.

#include "tags/HTMLGlobal.h"
#include "TestSupport.h"
#include "editor/MainWindowSupport.h"
#include "platform/FileUtils.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using TReader = String (TGlobalForm::*)(const String&, char);

std::unique_ptr<TGlobalForm> MakeGlobalForm() {
    return std::make_unique<TGlobalForm>(nullptr);
}

String Bytes(std::initializer_list<int> values) {
    String bytes;
    for (int value : values)
        bytes += static_cast<char>(value);
    return bytes;
}

String LittleEndian32(int32_t value) {
    auto v = static_cast<uint32_t>(value);
    return Bytes({int(v & 0xFF), int(v >> 8 & 0xFF), int(v >> 16 & 0xFF), int(v >> 24)});
}

String BigEndian32(uint32_t v) {
    return Bytes({int(v >> 24), int(v >> 16 & 0xFF), int(v >> 8 & 0xFF), int(v & 0xFF)});
}

String BigEndian16(int v) {
    return Bytes({v >> 8 & 0xFF, v & 0xFF});
}

String Gif(const String& version, int width, int height) {
    return version + Bytes({width & 0xFF, width >> 8, height & 0xFF, height >> 8, 0xF7, 0, 0});
}

String Png(uint32_t width, uint32_t height) {
    return Bytes({0x89}) + "PNG" + Bytes({0x0D, 0x0A, 0x1A, 0x0A}) + BigEndian32(13) + "IHDR" +
           BigEndian32(width) + BigEndian32(height) + Bytes({8, 2, 0, 0, 0});
}

String Bmp(int32_t width, int32_t height) {
    return "BM" + LittleEndian32(70) + LittleEndian32(0) + LittleEndian32(54) + LittleEndian32(40) +
           LittleEndian32(width) + LittleEndian32(height) + Bytes({1, 0, 24, 0});
}

// A bitmap with the oldest, 12-byte header, whose sizes are 16-bit.
String BmpWithCoreHeader(int width, int height) {
    return "BM" + LittleEndian32(38) + LittleEndian32(0) + LittleEndian32(26) + LittleEndian32(12) +
           Bytes({width & 0xFF, width >> 8, height & 0xFF, height >> 8, 1, 0, 24, 0});
}

// A marker segment: the marker, its length (which counts itself) and its data.
String Segment(int marker, const String& data) {
    return Bytes({0xFF, marker}) + BigEndian16(static_cast<int>(data.size()) + 2) + data;
}

String FrameHeader(int marker, int width, int height, int components) {
    String data = Bytes({8}) + BigEndian16(height) + BigEndian16(width) + Bytes({components});
    for (int c = 1; c <= components; ++c)
        data += Bytes({c, 0x11, 0});
    return Segment(marker, data);
}

const String StartOfImage = Bytes({0xFF, 0xD8});
const String Jfif = Segment(0xE0, "JFIF" + Bytes({0, 1, 2, 0, 0, 1, 0, 1, 0, 0}));
const String Tables = Segment(0xDB, Bytes({0}) + String(64, '\x01'));
const String Scan = Segment(0xDA, Bytes({1, 1, 0, 0, 0x3F, 0})) + "\x12\x34" +
                    Bytes({0xFF, 0x00, 0x56, 0xFF, 0xD9});

// An Exif block larger than 2000 bytes whose thumbnail holds a baseline frame header of its own,
// which a search through the bytes would take for the picture's.
String ExifWithThumbnail() {
    String thumbnail = StartOfImage + FrameHeader(0xC0, 160, 120, 3) + Bytes({0xFF, 0xD9});
    return Segment(0xE1,
                   "Exif" + Bytes({0, 0}) + String(1000, 'x') + thumbnail + String(1500, 'y'));
}

String Jpeg(const String& middle) {
    return StartOfImage + middle + Scan;
}

struct TImageCase {
    const char* Name;
    TReader Reader;
    String Bytes;
    const char* Width;
    const char* Height;
};

} // namespace

TEST(GlobalImageSize, EachReaderOnItsKindAndOnShortOrForeignFiles) {
    const String baseline = Jpeg(Jfif + Tables + FrameHeader(0xC0, 640, 480, 3));
    const String gif = Gif("GIF89a", 16, 9);
    const TImageCase cases[] = {
        {"GIF87a", &TGlobalForm::GetGifSize, Gif("GIF87a", 320, 240), "320", "240"},
        {"GIF89a", &TGlobalForm::GetGifSize, gif, "16", "9"},
        {"GIF cut short", &TGlobalForm::GetGifSize, gif.substr(0, 11), "0", "0"},
        {"not a GIF", &TGlobalForm::GetGifSize, Png(1000, 20), "0", "0"},
        {"PNG", &TGlobalForm::GetPngSize, Png(1000, 20), "1000", "20"},
        {"PNG beyond 16 bits", &TGlobalForm::GetPngSize, Png(70000, 65536), "70000", "65536"},
        {"PNG cut short", &TGlobalForm::GetPngSize, Png(1000, 20).substr(0, 23), "0", "0"},
        {"not a PNG", &TGlobalForm::GetPngSize, gif, "0", "0"},
        {"BMP bottom-up", &TGlobalForm::GetBmpSize, Bmp(200, 100), "200", "100"},
        {"BMP top-down", &TGlobalForm::GetBmpSize, Bmp(200, -100), "200", "100"},
        {"BMP with the 12-byte header", &TGlobalForm::GetBmpSize, BmpWithCoreHeader(300, 200),
         "300", "200"},
        {"BMP cut short", &TGlobalForm::GetBmpSize, Bmp(200, 100).substr(0, 25), "0", "0"},
        {"not a BMP", &TGlobalForm::GetBmpSize, gif + String(20, '\0'), "0", "0"},
        {"JFIF baseline", &TGlobalForm::GetJpegSize, baseline, "640", "480"},
        {"Exif past 2000 bytes", &TGlobalForm::GetJpegSize,
         Jpeg(ExifWithThumbnail() + Tables + FrameHeader(0xC0, 4000, 3000, 3)), "4000", "3000"},
        {"progressive greyscale", &TGlobalForm::GetJpegSize,
         Jpeg(Jfif + FrameHeader(0xC2, 300, 200, 1)), "300", "200"},
        {"baseline greyscale", &TGlobalForm::GetJpegSize, Jpeg(Jfif + FrameHeader(0xC0, 50, 60, 1)),
         "50", "60"},
        {"extended, fill bytes before the marker", &TGlobalForm::GetJpegSize,
         Jpeg(Jfif + Bytes({0xFF, 0xFF}) + FrameHeader(0xC1, 7, 8, 3)), "7", "8"},
        {"lossless, after a restart marker", &TGlobalForm::GetJpegSize,
         Jpeg(Bytes({0xFF, 0xD0}) + FrameHeader(0xC3, 11, 12, 3)), "11", "12"},
        {"JPEG without a frame header", &TGlobalForm::GetJpegSize, Jpeg(Jfif + Tables), "0", "0"},
        {"JPEG cut inside the frame header", &TGlobalForm::GetJpegSize,
         baseline.substr(0, baseline.find(Bytes({0xFF, 0xC0})) + 6), "0", "0"},
        {"JPEG cut inside a segment", &TGlobalForm::GetJpegSize, baseline.substr(0, 30), "0", "0"},
        {"JPEG segment of length 0", &TGlobalForm::GetJpegSize,
         StartOfImage + Bytes({0xFF, 0xE0, 0, 0}) + FrameHeader(0xC0, 1, 1, 1), "0", "0"},
        {"not a JPEG", &TGlobalForm::GetJpegSize, "JFIF but plain text", "0", "0"},
        {"empty file", &TGlobalForm::GetJpegSize, "", "0", "0"},
    };
    auto form = MakeGlobalForm();
    String fileName = TestSupport::Sandbox("image");
    for (const TImageCase& c : cases) {
        WriteFileAtomic(fileName, c.Bytes);
        EXPECT_EQ((form.get()->*c.Reader)(fileName, 'W'), c.Width) << c.Name;
        EXPECT_EQ((form.get()->*c.Reader)(fileName, 'H'), c.Height) << c.Name;
    }
    EXPECT_TRUE(TestHooks::Prompts().empty());
}

TEST(GlobalImageSize, SelectorTakesEitherCaseForHeightAndAnythingElseForWidth) {
    auto form = MakeGlobalForm();
    String fileName = TestSupport::Sandbox("pic.gif");
    WriteFileAtomic(fileName, Gif("GIF89a", 320, 240));
    EXPECT_EQ(form->GetGifSize(fileName, 'h'), "240");
    EXPECT_EQ(form->GetGifSize(fileName, 'w'), "320");
    EXPECT_EQ(form->GetGifSize(fileName, 'x'), "320");
}

TEST(GlobalImageSize, MissingFileIsReportedByEveryReader) {
    const TReader readers[] = {&TGlobalForm::GetGifSize, &TGlobalForm::GetJpegSize,
                               &TGlobalForm::GetPngSize, &TGlobalForm::GetBmpSize};
    auto form = MakeGlobalForm();
    const String missing = TestSupport::Sandbox("missing.gif");
    for (TReader reader : readers) {
        TestHooks::AnswerMessageBox(IDOK);
        EXPECT_EQ((form.get()->*reader)(missing, 'W'), "0");
    }
    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_EQ(form->GetBmpSize(TestSupport::CurrentSandbox, 'W'), "0") << "a folder";

    const auto& prompts = TestHooks::Prompts();
    ASSERT_EQ(prompts.size(), 5u);
    EXPECT_EQ(prompts[0].Text, "Cannot find the image file " + missing);
    EXPECT_EQ(prompts[0].Caption, "Quiltmarker");
    EXPECT_EQ(prompts[0].Buttons(), static_cast<UINT>(MB_OK));
    EXPECT_EQ(prompts[0].Icon(), static_cast<UINT>(MB_ICONERROR));
}

TEST(GlobalColours, PaletteOrderHexAndNames) {
    auto form = MakeGlobalForm();
    const char* const names[] = {"Black", "Maroon",  "Green", "Olive", "Navy", "Purple",
                                 "Teal",  "Silver",  "Gray",  "Red",   "Lime", "Yellow",
                                 "Blue",  "Fuchsia", "Aqua",  "White"};
    for (int index = 0; index < 16; ++index) {
        String hex = "#" + form->ColourToHex(form->ColourFromIndex(index));
        EXPECT_EQ(form->ColourNameOfHex(hex), names[index]) << index << " " << hex;
    }

    struct TColourCase {
        TColor Colour;
        const char* Hex;
        const char* Name;
    };
    const TColourCase cases[] = {
        {0x0000FF, "FF0000", "Red"},
        {0xFF0000, "0000FF", "Blue"},
        {0x563412, "123456", ""},
        {0x0A0B0C, "0C0B0A", ""},
    };
    for (const TColourCase& c : cases) {
        EXPECT_EQ(form->ColourToHex(c.Colour), c.Hex);
        EXPECT_EQ(form->ColourNameOfHex("#" + String(c.Hex)), c.Name) << c.Hex;
    }
    for (const char* unnamed : {"#ff0000", "FF0000", "#FF00001", ""})
        EXPECT_EQ(form->ColourNameOfHex(unnamed), "") << unnamed;
}

TEST(GlobalRelativeURL, FromGivenFolder) {
    struct TURLCase {
        const char* Folder;
        const char* File;
        const char* URL;
    };
    const TURLCase cases[] = {
        {"/site", "/site/pic.gif", "pic.gif"},
        {"/site", "/site/Img/Pic.GIF", "./Img/Pic.GIF"},
        {"/site/sub/", "/site/pic.gif", "../pic.gif"},
        {"/site/a/", "/site/b/pic.gif", "../b/pic.gif"},
        {"/site/a/b/", "/site/c/d/pic.gif", "../../c/d/pic.gif"},
        // Folder names differ by their case as the file system tells them apart.
        {"/Site/", "/site/pic.gif", "../site/pic.gif"},
        {"/site/IMG/", "/site/img/a.gif", "../img/a.gif"},
        {"/site/", "/site2/pic.gif", "../site2/pic.gif"},
        {"/site/", "pic.gif", "pic.gif"},
        {"site/", "docs/pic.gif", "../docs/pic.gif"},
        {"/", "/pic.gif", "pic.gif"},
    };
    auto form = MakeGlobalForm();
    for (const TURLCase& c : cases)
        EXPECT_EQ(form->RelativeURL(c.File, c.Folder), c.URL) << c.Folder << " " << c.File;
}

// The caller gives the active page's folder; an untitled page has none.
TEST(GlobalRelativeURL, FromTheActivePagesFolder) {
    auto form = MakeGlobalForm();
    EXPECT_EQ(form->RelativeURL("/site/img/a.gif", ""), "a.gif") << "no folder";

    auto main = MainWindowSupport::MakeMainWindow();
    auto activeFolder = [&main] { return ExtractFilePath(main->ActiveFileName()); };
    MainWindowSupport::UsePage(*main, 2, "/site/sub/page.htm", "");
    EXPECT_EQ(form->RelativeURL("/site/img/a.gif", activeFolder()), "../img/a.gif");
    MainWindowSupport::UsePage(*main, 3, "[untitled1]", "");
    EXPECT_EQ(form->RelativeURL("/site/img/a.gif", activeFolder()), "a.gif");
}

TEST(GlobalForm, KeepFormOnScreenMovesOnlyAFormPastTheRightEdge) {
    auto global = MakeGlobalForm();
    TestHooks::SetScreenSize(1024, 768);
    struct TPlaceCase {
        int Left;
        int Width;
        int ExpectedLeft;
    };
    const TPlaceCase cases[] = {{900, 300, 716}, {724, 300, 724}, {725, 300, 716}, {-50, 300, -50}};
    auto form = std::make_unique<TForm>(nullptr);
    for (const TPlaceCase& c : cases) {
        form->SetBounds(c.Left, 500, c.Width, 200);
        global->KeepFormOnScreen(form.get());
        EXPECT_EQ(form->Left(), c.ExpectedLeft) << c.Left;
        EXPECT_EQ(form->Top(), 500);
    }
}

TEST(GlobalForm, IsKeyDownFollowsTheKeyboardState) {
    auto form = MakeGlobalForm();
    TestHooks::SetKeyDown(VK_CONTROL, true);
    EXPECT_TRUE(form->IsKeyDown(VK_CONTROL));
    EXPECT_FALSE(form->IsKeyDown(VK_MENU));
    TestHooks::SetKeyDown(VK_CONTROL, false);
    EXPECT_FALSE(form->IsKeyDown(VK_CONTROL));
}
