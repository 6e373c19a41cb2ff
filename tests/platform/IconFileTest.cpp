// Icons read from their file bytes: the pixels and transparency of palette, true-colour and PNG
// images, the largest image chosen, and the damaged files refused without reading outside them.

#include "platform/IconFile.h"
#include "platform/Graphics.h"
#include "platform/Win32Draw.h"

#include "IconFixture.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using IconFixture::PaletteIcon;
using IconFixture::PutLE;
using IconFixture::SolidIcon;

namespace {

void LoadInto(TIcon& icon, const String& bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    stream.SetPosition(0);
    icon.LoadFromStream(stream);
}

// A directory of one entry pointing at the image bytes that follow it.
String IconAround(const String& image, int side) {
    String bytes;
    PutLE(bytes, 0, 2);
    PutLE(bytes, 1, 2);
    PutLE(bytes, 1, 2);
    bytes += char(side);
    bytes += char(side);
    PutLE(bytes, 0, 2);
    PutLE(bytes, 1, 2);
    PutLE(bytes, 32, 2);
    PutLE(bytes, static_cast<uint32_t>(image.size()), 4);
    PutLE(bytes, 22, 4);
    return bytes + image;
}

} // namespace

TEST(IconFileTest, PaletteAndTrueColourIconsKeepTheirColoursAndMask) {
    TIcon icon;
    LoadInto(icon, PaletteIcon(0x00FF00));
    EXPECT_EQ(icon.Width(), 4);
    EXPECT_EQ(icon.Height(), 4);
    EXPECT_EQ(icon.Picture().PixelAt(3, 3), clLime);
    EXPECT_EQ(icon.Picture().PixelAt(1, 0), clLime);
    TBitmap shown;
    shown.SetSize(4, 4);
    FillWith(shown.Canvas(), TRect{0, 0, 4, 4}, clYellow);
    shown.Canvas().Draw(0, 0, icon);
    EXPECT_EQ(shown.PixelAt(0, 0), clYellow); // the top-left corner is clear
    EXPECT_EQ(shown.PixelAt(1, 0), clLime);

    LoadInto(icon, SolidIcon(0xFF0000FF));
    EXPECT_EQ(icon.Width(), 16);
    EXPECT_EQ(icon.Picture().PixelAt(8, 8), clBlue);
    TMemoryStream saved;
    icon.SaveToStream(saved);
    EXPECT_EQ(saved.Size(), static_cast<int64_t>(SolidIcon(0xFF0000FF).size()));
}

TEST(IconFileTest, APngImageInsideTheIconIsRead) {
    const String path = TestSupport::CurrentSandbox + "/picture.png";
    TBitmap picture;
    picture.SetSize(8, 8);
    FillWith(picture.Canvas(), TRect{0, 0, 8, 8}, clRed);
    picture.SaveToFile(path);
    TMemoryStream png;
    png.LoadFromFile(path);
    const String image(static_cast<const char*>(png.Memory()), static_cast<size_t>(png.Size()));
    TIcon icon;
    LoadInto(icon, IconAround(image, 8));
    EXPECT_EQ(icon.Width(), 8);
    EXPECT_EQ(icon.Picture().PixelAt(4, 4), clRed);
}

TEST(IconFileTest, TheLargestImageIsShown) {
    // Two entries: the 4 x 4 palette image and the 16 x 16 true-colour one after it.
    const String small = PaletteIcon(0x00FF00).substr(22);
    const String large = SolidIcon(0xFF0000FF).substr(22);
    String bytes;
    PutLE(bytes, 0, 2);
    PutLE(bytes, 1, 2);
    PutLE(bytes, 2, 2);
    const uint32_t first = 6 + 32;
    for (const auto& [side, image, offset] :
         {std::tuple{4, small, first},
          std::tuple{16, large, first + static_cast<uint32_t>(small.size())}}) {
        bytes += char(side);
        bytes += char(side);
        PutLE(bytes, 0, 2);
        PutLE(bytes, 1, 2);
        PutLE(bytes, 0, 2);
        PutLE(bytes, static_cast<uint32_t>(image.size()), 4);
        PutLE(bytes, offset, 4);
    }
    TIcon icon;
    LoadInto(icon, bytes + small + large);
    EXPECT_EQ(icon.Width(), 16);
}

// Damaged icons are refused and the icon keeps what it held; no cut of a good file is read
// outside its bytes.
TEST(IconFileTest, DamagedIconsAreRefusedAndTheOldPictureStays) {
    const String good = PaletteIcon(0x00FF00);
    auto patched = [&](size_t at, uint32_t value, int size) {
        String bytes = good;
        String field;
        PutLE(field, value, size);
        bytes.replace(at, static_cast<size_t>(size), field);
        return bytes;
    };
    const String cases[] = {
        "",
        patched(0, 1, 2),           // reserved word set
        patched(2, 3, 2),           // neither icon nor cursor
        patched(4, 0, 2),           // no pictures
        patched(4, 500, 2),         // more pictures than the bytes hold
        patched(14, 0xFFFFFF00, 4), // an image past the end
        patched(18, 0xFFFFFFF0, 4), // an offset past the end
        patched(22, 0x7FFFFFFF, 4), // a header larger than the image
        patched(26, 0x7FFFFFFF, 4), // a huge width
        patched(30, 0xFFFFFFF0, 4), // a negative height
        patched(36, 5, 2),          // an unknown bit count
        patched(26, 200, 4),        // rows past the image's end
    };
    TIcon icon;
    LoadInto(icon, good);
    for (const String& bytes : cases) {
        SCOPED_TRACE(bytes.size());
        EXPECT_THROW(LoadInto(icon, bytes), EInvalidGraphic);
        EXPECT_EQ(icon.Data(), good);
    }
    for (size_t length = 0; length < good.size(); ++length)
        EXPECT_THROW(LoadInto(icon, good.substr(0, length)), EInvalidGraphic) << length;

    TMemoryStream stream;
    stream.WriteBuffer(good.data(), static_cast<int>(good.size()));
    stream.SetPosition(0);
    EXPECT_THROW(icon.LoadFromStream(stream, static_cast<int64_t>(good.size()) + 1), EReadError);
}
