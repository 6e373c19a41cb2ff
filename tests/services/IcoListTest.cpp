// The icon list: its stream format with empty entries, one change told for a locked run of
// changes, the streams it refuses, and the "Icons" property it defines.

#include "services/IcoList.h"

#include "IconFixture.h"
#include "platform/Clipbrd.h"
#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "services/Clipicon.h"

#include <gtest/gtest.h>

using IconFixture::PaletteIcon;
using IconFixture::PutLE;

namespace {

std::unique_ptr<TIcon> IconOf(uint32_t colour) {
    const String bytes = PaletteIcon(colour);
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    stream.SetPosition(0);
    auto icon = std::make_unique<TIcon>();
    icon->LoadFromStream(stream);
    return icon;
}

TMemoryStream StreamOf(const String& bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    stream.SetPosition(0);
    return stream;
}

String Bytes(TMemoryStream& stream) {
    return String(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

// Records what a component defines for the form stream.
class TRecordingFiler : public TFiler {
public:
    explicit TRecordingFiler(TStream& stream) : TFiler(stream) {}
    void DefineProperty(const String&, TReaderProc, TWriterProc, bool) override {}
    void DefineBinaryProperty(const String& Name, TStreamProc, TStreamProc WriteData,
                              bool HasData) override {
        this->Name = Name;
        this->HasData = HasData;
        Write = WriteData;
    }
    String Name;
    bool HasData = false;
    TStreamProc Write;
};

} // namespace

TEST(IcoListTest, EmptyEntriesGoThroughTheStreamAsSizeZero) {
    TIconList list;
    list.AddIcon(nullptr);
    list.AddIcon(IconOf(0xFF0000));
    list.AddIcon(std::make_unique<TIcon>());
    TMemoryStream stream;
    list.WriteIcons(stream);
    const String icon = PaletteIcon(0xFF0000);
    String expected;
    PutLE(expected, 3, 4);
    PutLE(expected, 0, 4);
    PutLE(expected, static_cast<uint32_t>(icon.size()), 4);
    expected += icon;
    PutLE(expected, 0, 4);
    EXPECT_EQ(Bytes(stream), expected);

    TIconList read;
    stream.SetPosition(0);
    read.ReadIcons(stream);
    ASSERT_EQ(read.IconCount(), 3);
    EXPECT_EQ(read.IconAt(0), nullptr);
    EXPECT_EQ(read.IconAt(1)->Data(), icon);
    EXPECT_EQ(read.IconAt(2), nullptr);
}

TEST(IcoListTest, ALockedRunOfChangesIsToldOnce) {
    TIconList list;
    int changes = 0;
    list.ChangeHandler = [&](TObject*) { ++changes; };
    for (int i = 0; i < 5; ++i)
        list.AddIcon(IconOf(0x0000FF));
    EXPECT_EQ(changes, 5);
    changes = 0;
    list.ClearIcons();
    EXPECT_EQ(changes, 1);
    list.LockUpdates();
    list.LockUpdates();
    list.AddCopy(*IconOf(0x00FF00));
    list.UnlockUpdates();
    EXPECT_EQ(changes, 1);
    list.UnlockUpdates();
    EXPECT_EQ(changes, 2);
    list.IconAt(0)->Assign(*IconOf(0xFF0000)); // an icon of the list changes
    EXPECT_EQ(changes, 3);
}

TEST(IcoListTest, EntriesAreSetMovedSwappedFoundAndAssigned) {
    TIconList list;
    const auto red = IconOf(0xFF0000);
    const auto blue = IconOf(0x0000FF);
    list.SetIconAt(0, *red); // at the count: appended
    list.AddIcon(nullptr);
    list.SetIconAt(1, *blue); // an empty entry gets an icon
    ASSERT_EQ(list.IconCount(), 2);
    EXPECT_EQ(list.IconAt(1)->Data(), blue->Data());
    TIcon* first = list.IconAt(0);
    list.SwapIcons(0, 1);
    EXPECT_EQ(list.FindIcon(first), 1);
    list.MoveIcon(1, 0);
    EXPECT_EQ(list.FindIcon(first), 0);
    EXPECT_EQ(list.FindIcon(red.get()), -1);
    list.InsertCopy(1, *red);
    EXPECT_EQ(list.IconCount(), 3);

    TIconList copy;
    copy.Assign(&list);
    EXPECT_EQ(copy.IconCount(), 3);
    EXPECT_NE(copy.IconAt(0), list.IconAt(0));
    copy.Assign(*blue);
    EXPECT_EQ(copy.IconCount(), 1);
    copy.Assign(nullptr);
    EXPECT_EQ(copy.IconCount(), 0);
}

// The program's own icons lie in its folder; a name it has no icon for gives an empty one.
TEST(IcoListTest, IconsComeFromTheProgramsOwn) {
    ForceDirectories(ProgramFolder() + "icons");
    TMemoryStream file = StreamOf(PaletteIcon(0x00FF00));
    file.SaveToFile(ProgramFolder() + "icons/GREEN.ico");
    TIconList list;
    EXPECT_EQ(list.AddFromResource(HInstance, "GREEN"), 0);
    list.InsertFromResource(0, HInstance, "MISSING");
    ASSERT_EQ(list.IconCount(), 2);
    EXPECT_TRUE(list.IconAt(0)->Empty());
    EXPECT_EQ(list.IconAt(1)->Picture().PixelAt(2, 2), clLime);
}

TEST(IcoListTest, AStreamThatHoldsLessThanItDeclaresIsRefused) {
    const String icon = PaletteIcon(0xFF0000);
    String tooMany;
    PutLE(tooMany, 0x40000000, 4);
    String tooLong;
    PutLE(tooLong, 1, 4);
    PutLE(tooLong, 0x7FFFFF00, 4);
    tooLong += icon;
    String noIcon;
    PutLE(noIcon, 1, 4);
    PutLE(noIcon, 8, 4);
    noIcon += "notanicn";
    struct Case {
        String Bytes;
        bool ReadError;
    };
    for (const Case& c :
         {Case{tooMany, true}, Case{tooLong, true}, Case{"", true}, Case{noIcon, false}}) {
        TIconList list;
        TMemoryStream stream = StreamOf(c.Bytes);
        if (c.ReadError)
            EXPECT_THROW(list.ReadIcons(stream), EReadError);
        else
            EXPECT_THROW(list.ReadIcons(stream), EInvalidGraphic);
        EXPECT_EQ(list.IconCount(), 0);
    }
}

TEST(IcoListTest, TheIconsPropertyIsWrittenWhenItDiffersFromTheAncestors) {
    TIconList list;
    TMemoryStream stream;
    TRecordingFiler filer(stream);
    list.DefineProperties(filer, nullptr);
    EXPECT_EQ(filer.Name, "Icons");
    EXPECT_FALSE(filer.HasData); // no entries
    list.AddIcon(IconOf(0xFF0000));
    list.DefineProperties(filer, nullptr);
    EXPECT_TRUE(filer.HasData);
    TIconList ancestor;
    ancestor.AddIcon(IconOf(0xFF0000));
    list.DefineProperties(filer, &ancestor);
    EXPECT_TRUE(filer.HasData); // an icon of its own, not the ancestor's
    list.DefineProperties(filer, &list);
    EXPECT_FALSE(filer.HasData);
    TMemoryStream written;
    filer.Write(written);
    EXPECT_EQ(written.Size(), 4 + 4 + static_cast<int64_t>(PaletteIcon(0xFF0000).size()));
}

TEST(ClipiconTest, TheIconFormatIsRegisteredForIcons) {
    RegisterIconClipboardFormat();
    EXPECT_GE(CF_ICON, 0xC000u);
    EXPECT_EQ(RegisterClipboardFormat("Quiltmarker Icon"), CF_ICON);
    EXPECT_NE(RegisterClipboardFormat("Another format"), CF_ICON);
    ASSERT_TRUE(TPicture::SupportsClipboardFormat(CF_ICON));
    auto graphic = TPicture::GraphicForClipboardFormat(CF_ICON);
    EXPECT_NE(dynamic_cast<TIcon*>(graphic.get()), nullptr);
    const String block = PaletteIcon(0xFF0000);
    SetClipboardData(CF_ICON, block);
    String back;
    ASSERT_TRUE(GetClipboardData(CF_ICON, back));
    EXPECT_EQ(back, block);
    EXPECT_FALSE(GetClipboardData(CF_TEXT, back));
}
