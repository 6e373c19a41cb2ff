#include "services/QmGIF.h"
#include "services/QmGIFPrivate.h"

#include "platform/FileUtils.h"
#include "widgets/Vclutils.h"

#include <algorithm>

using namespace QmGIFPrivate;

TColourMapping GifColourMapping = cmFrequency;
bool GifLoadDamagedData = false;
const UINT CF_GIF = RegisterClipboardFormat("GIF Image");

namespace {

String BytesOf(TMemoryStream& stream) {
    return String(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

TMemoryStream StreamOf(const String& bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    stream.SetPosition(0);
    return stream;
}

void PutWord(String& out, int value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void PutColourTable(String& out, const std::vector<TColor>& table) {
    for (TColor c : table) {
        out += static_cast<char>(GetRValue(c));
        out += static_cast<char>(GetGValue(c));
        out += static_cast<char>(GetBValue(c));
    }
}

// Each line one sub-block (cut to 255 bytes, empty lines left out), then the terminator.
void PutSubBlocks(String& out, const TStrings& lines) {
    for (int i = 0; i < lines.Count(); ++i) {
        String line = lines[i].substr(0, 255);
        if (line.empty())
            continue;
        out += static_cast<char>(line.size());
        out += line;
    }
    out += '\0';
}

void PutExtension(String& out, const TExtension& extension) {
    out += '!';
    out += static_cast<char>(TExtension::Label(extension.Kind));
    String fixed = extension.Fixed;
    fixed.resize(TExtension::FixedSize(extension.Kind), '\0');
    out += fixed;
    if (extension.Kind != ekGraphicControl)
        PutSubBlocks(out, extension.Lines);
}

} // namespace

void RegisterGifPictureFormats() {
    const auto maker = [] { return std::make_unique<TGIFImage>(); };
    TPicture::RegisterFileFormat("gif", "CompuServe GIF Image", maker);
    TPicture::RegisterClipboardFormat(CF_GIF, maker);
}

TGIFImage::TGIFImage() {
    ResetToEmpty();
}

TGIFImage::~TGIFImage() = default;

TGIFData& TGIFImage::WritableData() {
    if (FData.use_count() > 1) {
        auto copy = std::make_shared<TGIFData>();
        copy->Comment.Assign(FData->Comment);
        copy->Aspect = FData->Aspect;
        copy->Bits = FData->Bits;
        copy->ColourResolution = FData->ColourResolution;
        copy->ColourTable = FData->ColourTable;
        FData = copy;
    }
    return *FData;
}

TStrings& TGIFImage::Comment() {
    return WritableData().Comment;
}

void TGIFImage::ResetToEmpty() {
    FData = std::make_shared<TGIFData>();
    FFrames.clear();
    CurrentFrame = -1;
    ScreenSize = TSize{0, 0};
    ScreenBackground = clNone;
    LoopEnabled = false;
    LoopCount = 1;
    FormatVersion = 0;
}

int TGIFImage::AppendFrame(const TGraphic& graphic) {
    FFrames.push_back(std::make_unique<TGIFFrame>(this));
    FFrames.back()->Assign(graphic);
    CurrentFrame = FrameCount() - 1;
    if (FormatVersion == 0)
        FormatVersion = 1;
    if (FrameCount() > 1)
        FormatVersion = 2;
    Changed();
    return CurrentFrame;
}

TGIFFrame* TGIFImage::ShownFrame() const {
    if (CurrentFrame >= 0 && CurrentFrame < FrameCount())
        return FFrames[CurrentFrame].get();
    return FFrames.empty() ? nullptr : FFrames[0].get();
}

bool TGIFImage::Empty() const {
    TGIFFrame* frame = ShownFrame();
    return !frame || (!frame->HasBitmap() && frame->Item().Data.empty());
}

int TGIFImage::Width() const {
    TGIFFrame* frame = ShownFrame();
    if (!frame)
        return 0;
    return frame->HasBitmap() ? frame->FBitmap->Width() : frame->Item().Width;
}

int TGIFImage::Height() const {
    TGIFFrame* frame = ShownFrame();
    if (!frame)
        return 0;
    return frame->HasBitmap() ? frame->FBitmap->Height() : frame->Item().Height;
}

void TGIFImage::SetWidth(int /*value*/) {
    RaiseGifError("Cannot change the Size of a GIF image");
}

void TGIFImage::SetHeight(int /*value*/) {
    RaiseGifError("Cannot change the Size of a GIF image");
}

bool TGIFImage::Equals(const TGraphic& other) const {
    auto* image = dynamic_cast<const TGIFImage*>(&other);
    return image && image->FData == FData;
}

void TGIFImage::Draw(TCanvas& canvas, const TRect& rect) const {
    TGIFFrame* frame = ShownFrame();
    if (!frame)
        return;
    TBitmap& bitmap = frame->DecodedBitmap();
    if (bitmap.Empty())
        return;
    TColor key = Transparent() ? frame->TransparentKey : NoTransparentColor;
    DrawBitmapPartStretched(canvas, rect.Left, rect.Top, WidthOfRect(rect), HeightOfRect(rect),
                            TRect{0, 0, bitmap.Width(), bitmap.Height()}, bitmap, key);
}

void TGIFImage::ReportProgress(TProgressStage stage, int percent, bool redraw, const TRect& rect,
                               const String& message) {
    if (ProgressHandler)
        ProgressHandler(this, stage, percent, redraw, rect, message);
}

// ---- Assigning

void TGIFImage::Assign(const TGIFImage& source) {
    if (&source == this)
        return;
    FData = source.FData;
    FFrames.clear();
    for (const auto& frame : source.FFrames) {
        FFrames.push_back(std::make_unique<TGIFFrame>(this));
        FFrames.back()->Assign(*frame);
    }
    FormatVersion = source.FormatVersion;
    CurrentFrame = source.CurrentFrame;
    ScreenSize = source.ScreenSize;
    ScreenBackground = source.ScreenBackground;
    LoopEnabled = source.LoopEnabled;
    LoopCount = source.LoopCount;
    SetTransparent(source.Transparent());
    Changed();
}

void TGIFImage::Assign(const TGIFFrame& source) {
    auto copy = std::make_unique<TGIFFrame>(this);
    copy->Assign(source);
    ResetToEmpty();
    if (source.Owner() && !source.OwnColourTable) {
        FData->Bits = source.Owner()->FData->Bits;
        FData->ColourTable = source.Owner()->FData->ColourTable;
    }
    FFrames.push_back(std::move(copy));
    CurrentFrame = 0;
    FormatVersion = 1;
    Changed();
}

void TGIFImage::Assign(const TBitmap& source) {
    ResetToEmpty();
    AppendFrame(source);
}

// A jiffy is 1/60 s; display times beyond 16 bits of milliseconds keep the longest that fits.
void TGIFImage::Assign(const TAnimatedCursorImage& source) {
    ResetToEmpty();
    ScreenBackground = clWindow;
    for (int i = 0; i < source.EntryCount(); ++i) {
        AppendFrame(source.FrameIcon(i));
        const uint64_t interval = uint64_t(source.FrameEntry(i).Jiffies) * 100 / 6;
        FFrames.back()->DelayMilliseconds =
            static_cast<uint16_t>(std::min<uint64_t>(interval, 0xFFFF));
    }
}

void TGIFImage::AssignTo(TBitmap& target) {
    if (TGIFFrame* frame = ShownFrame())
        frame->AssignTo(target);
}

void TGIFImage::AssignTo(TGIFImage& target) const {
    target.Assign(*this);
}

void TGIFImage::AssignTo(TGIFFrame& target) const {
    if (TGIFFrame* frame = ShownFrame())
        target.Assign(*frame);
}

// ---- Writing

void TGIFImage::EncodeAllFrames() {
    for (int i = 0; i < FrameCount(); ++i) {
        if (FFrames[i]->Item().Data.empty())
            FFrames[i]->EncodeBitmap();
        ReportProgress(psRunning, (i + 1) * 100 / FrameCount(), false, TRect{}, "");
    }
}

void TGIFImage::UpdateScreenSize() {
    ScreenSize = TSize{0, 0};
    for (const auto& frame : FFrames) {
        ScreenSize.cx = std::max(ScreenSize.cx, frame->Position.x + frame->Item().Width);
        ScreenSize.cy = std::max(ScreenSize.cy, frame->Position.y + frame->Item().Height);
    }
}

String TGIFImage::ImageBytes() {
    if (FFrames.empty())
        RaiseGifError("No GIF Data to write");
    EncodeAllFrames();
    if (FData->Comment.Count() > 0)
        FormatVersion = 2;
    UpdateScreenSize();
    const TGIFData& data = *FData;
    String out = FormatVersion == 2 ? "GIF89a" : "GIF87a";
    PutWord(out, ScreenSize.cx);
    PutWord(out, ScreenSize.cy);
    uint8_t flags = 0;
    if (!data.ColourTable.empty()) {
        int c = ColorCountToBits(static_cast<int>(data.ColourTable.size()));
        flags = static_cast<uint8_t>(0x80 + (c - 1) * 16 + (data.Bits - 1));
    }
    out += static_cast<char>(flags);
    auto background = std::find(data.ColourTable.begin(), data.ColourTable.end(), ScreenBackground);
    bool hasBackground = ScreenBackground != clNone && background != data.ColourTable.end();
    out += static_cast<char>(hasBackground ? background - data.ColourTable.begin() : 0);
    out += static_cast<char>(data.Aspect);
    PutColourTable(out, data.ColourTable);
    if (LoopEnabled && FrameCount() >= 2) {
        out += String("!\xFF\x0BNETSCAPE2.0\x03\x01", 16);
        PutWord(out, LoopCount);
        out += '\0';
    }
    for (const auto& frame : FFrames) {
        for (const auto& extension : frame->FExtensions)
            PutExtension(out, *extension);
        const TGIFItem& item = frame->Item();
        out += ',';
        PutWord(out, frame->Position.x);
        PutWord(out, frame->Position.y);
        PutWord(out, item.Width);
        PutWord(out, item.Height);
        uint8_t frameFlags = frame->InterlacedRows ? 0x40 : 0;
        if (frame->OwnColourTable)
            frameFlags |= static_cast<uint8_t>(0x80 + BitsForCount(item.ColourTable.size()) - 1);
        out += static_cast<char>(frameFlags);
        if (frame->OwnColourTable)
            PutColourTable(out, item.ColourTable);
        out += item.Data;
    }
    if (data.Comment.Count() > 0) {
        TExtension comment;
        comment.Lines.Assign(data.Comment);
        PutExtension(out, comment);
    }
    out += ';';
    return out;
}

void TGIFImage::WriteImageStream(TStream& stream, bool withLength) {
    ReportProgress(psStarting, 0, false, TRect{}, "");
    String bytes;
    try {
        bytes = ImageBytes();
    } catch (const Exception& error) {
        ReportProgress(psEnding, 100, false, TRect{}, error.Message());
        throw;
    }
    if (withLength) {
        uint32_t length = static_cast<uint32_t>(bytes.size());
        stream.WriteBuffer(&length, 4);
    }
    stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    ReportProgress(psEnding, 100, false, TRect{}, "");
}

// ---- Streams and files

void TGIFImage::ReadData(TStream& stream) {
    uint32_t length = 0;
    stream.ReadBuffer(&length, 4);
    LoadGifData(length, stream, true);
}

void TGIFImage::WriteData(TStream& stream) {
    WriteImageStream(stream, true);
}

void TGIFImage::LoadFromStream(TStream& stream) {
    LoadGifData(stream.Size() - stream.Position(), stream, true);
}

void TGIFImage::SaveToStream(TStream& stream) {
    WriteImageStream(stream, false);
}

void TGIFImage::LoadFromFile(const String& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

// Saving encodes the frames that have no data yet, which the picture keeps: the file holds the
// same picture either way.
void TGIFImage::SaveToFile(const String& fileName) const {
    TMemoryStream stream;
    const_cast<TGIFImage*>(this)->SaveToStream(stream);
    WriteFileAtomic(fileName, BytesOf(stream));
}

// ---- Clipboard

void TGIFImage::SaveToClipboardFormat(UINT& format, String& data) {
    if (FFrames.empty())
        RaiseGifError("No GIF Data to write");
    TMemoryStream bitmapStream;
    FFrames[0]->DecodedBitmap().SaveToStream(bitmapStream);
    format = CF_BITMAP;
    data = BytesOf(bitmapStream);
    Clipboard()->Open();
    SetClipboardData(format, data);
    bool encoded = std::all_of(FFrames.begin(), FFrames.end(),
                               [](const auto& frame) { return !frame->Item().Data.empty(); });
    if (encoded) {
        TMemoryStream gif;
        WriteImageStream(gif, true);
        format = CF_GIF;
        data = BytesOf(gif);
        SetClipboardData(format, data);
    }
    Clipboard()->Close();
}

void TGIFImage::LoadFromClipboardFormat(UINT format, const String& data) {
    String block;
    if (GetClipboardData(CF_GIF, block)) {
        TMemoryStream stream = StreamOf(block);
        uint32_t length = 0;
        stream.ReadBuffer(&length, 4);
        LoadGifData(length, stream, false);
        String bitmapBlock;
        if (!FFrames.empty() && GetClipboardData(CF_BITMAP, bitmapBlock)) {
            TMemoryStream bitmapStream = StreamOf(bitmapBlock);
            FFrames[0]->FBitmap = std::make_unique<TBitmap>();
            FFrames[0]->FBitmap->LoadFromStream(bitmapStream);
        }
        return;
    }
    if (format != CF_BITMAP)
        throw EInvalidGraphic("Unsupported clipboard format");
    TMemoryStream stream = StreamOf(data);
    TBitmap bitmap;
    bitmap.LoadFromStream(stream);
    Assign(bitmap);
}
