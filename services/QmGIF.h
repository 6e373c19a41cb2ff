#pragma once
// Pictures in the Graphics Interchange Format (87a and 89a): one or more frames, each kept as
// its encoded data and decoded to a bitmap when asked; read from and written to streams, files
// and form streams. Images and frames assigned from one another share their data until one of
// them changes.

#include "platform/Classes.h"
#include "platform/Clipbrd.h"
#include "platform/Graphics.h"
#include "services/AniFile.h"
#include "services/Qmgraph.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TGIFImage;

// The colour mapping that brings a true-colour frame down to 8 bits when it is written.
extern TColourMapping GifColourMapping;
// Lets damaged data load: frames that are cut short are kept and marked Damaged.
extern bool GifLoadDamagedData;
// The clipboard format "GIF Image".
extern const UINT CF_GIF;

enum TExtensionKind { ekGraphicControl, ekPlainText, ekApplication, ekComment };

// One extension block: its kind, the fixed part that starts it and its data sub-blocks.
class TExtension : public TObject {
public:
    TExtensionKind Kind = ekComment;
    // Graphic control: block size 4, flags, delay (2 bytes, hundredths of a second),
    // transparent index, terminator. Plain text: 13 bytes. Application: 12 bytes, of which the
    // last 11 are the identifier. Comment: none.
    String Fixed;
    TStringList Lines;

    static int FixedSize(TExtensionKind kind);
    static uint8_t Label(TExtensionKind kind);
    void Assign(const TExtension& source);
};

// What images assigned from one another share.
struct TGIFData {
    TStringList Comment;
    uint8_t Aspect = 0;
    int Bits = 0; // of the global colour table
    int ColourResolution = 0;
    std::vector<TColor> ColourTable; // the global colour table, empty when there is none
};

// What frames assigned from one another share.
struct TGIFItem {
    String Data; // the LZW code-size byte and the data sub-blocks with their terminator
    int Width = 0;
    int Height = 0;
    uint8_t Flags = 0; // of the image descriptor
    int Bits = 0;
    std::vector<TColor> ColourTable;
};

class TGIFFrame : public TObject {
public:
    explicit TGIFFrame(TGIFImage* owner);
    ~TGIFFrame() override;
    TGIFFrame(const TGIFFrame&) = delete;
    TGIFFrame& operator=(const TGIFFrame&) = delete;

    void Assign(const TGIFFrame& source);
    // The frame's data is dropped and its bitmap takes the graphic: a bitmap as it is, another
    // GIF's current frame whole, anything else drawn on magenta at its own size (an icon's
    // transparent parts then stay the frame's transparent colour).
    void Assign(const TGraphic& source);
    // The frame's picture; an empty frame assigns nothing.
    void AssignTo(TBitmap& target);

    TGIFImage* Owner() const { return FOwner; }
    // Decoded from the frame's data when there is no bitmap yet.
    TBitmap& DecodedBitmap();
    // The lines of the frame's comment extension, made on first use.
    TStrings& CommentLines();
    const TGIFItem& Item() const { return *FItem; }
    int ExtensionCount() const { return static_cast<int>(FExtensions.size()); }
    const TExtension& ExtensionAt(int index) const { return *FExtensions.at(index); }
    bool HasBitmap() const { return FBitmap && !FBitmap->Empty(); }

    // The BMP file image of the frame's data at 1, 4 or 8 bits per pixel.
    std::unique_ptr<TMemoryStream> DecodeToBmpStream();
    // Encodes the bitmap into the frame's data.
    void EncodeBitmap();
    void EncodeFromBmpStream(TStream& stream);
    // Brings the graphic-control extension in line with the delay, transparency and disposal.
    void UpdateExtensions();

    TPoint Position{0, 0};
    bool InterlacedRows = false;
    bool Damaged = false;
    bool GreyReduction = false;
    TColor TransparentKey = clNone;
    uint16_t DelayMilliseconds = 0;
    int Disposal = 0;
    bool OwnColourTable = false;

private:
    friend class TGIFImage;
    friend struct TGifReader;
    TGIFItem& WritableItem();
    TExtension* GraphicControl() const;
    void TakeGraphicControlSettings();

    TGIFImage* FOwner;
    std::unique_ptr<TBitmap> FBitmap;
    std::shared_ptr<TGIFItem> FItem;
    std::vector<std::unique_ptr<TExtension>> FExtensions;
};

enum TProgressStage { psStarting, psRunning, psEnding };
using TProgressEvent = std::function<void(TObject* Sender, TProgressStage Stage, int PercentDone,
                                          bool RedrawNow, const TRect& R, const String& Msg)>;

class TGIFImage : public TGraphic {
public:
    TGIFImage();
    ~TGIFImage() override;
    TGIFImage(const TGIFImage&) = delete;
    TGIFImage& operator=(const TGIFImage&) = delete;

    void Assign(const TGIFImage& source);
    void Assign(const TGIFFrame& source);
    void Assign(const TBitmap& source);
    // One frame per cursor frame, shown for the cursor frame's display time, on the window
    // colour.
    void Assign(const TAnimatedCursorImage& source);
    // The current frame's picture; an empty image assigns nothing.
    void AssignTo(TBitmap& target);
    void AssignTo(TGIFImage& target) const;
    void AssignTo(TGIFFrame& target) const;

    // The current frame: with its transparent colour left out when the image is transparent
    // and the frame has one, otherwise stretched into the rectangle.
    void Draw(TCanvas& canvas, const TRect& rect) const override;
    bool Equals(const TGraphic& other) const;
    bool Empty() const override;
    int Width() const override;
    int Height() const override;
    // A GIF keeps the sizes of its frames: both raise "Cannot change the Size of a GIF image".
    void SetWidth(int value);
    void SetHeight(int value);

    // A 4-byte length and then the GIF, as a form stream holds them.
    void ReadData(TStream& stream);
    void WriteData(TStream& stream);
    // The rest of the stream; the first frame is decoded at once.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream);
    void LoadFromFile(const String& fileName) override;
    // Puts frame 0's picture on the clipboard as a bitmap and, when every frame has its encoded
    // data, the length-prefixed GIF under CF_GIF; gives back the last format put and its block.
    void SaveToClipboardFormat(UINT& format, String& data);
    // The clipboard's GIF when it holds one (frames not decoded; frame 0 takes the clipboard's
    // bitmap when there is one too), otherwise the bitmap of the given block.
    void LoadFromClipboardFormat(UINT format, const String& data);
    // Through a temporary file and a rename.
    void SaveToFile(const String& fileName) const override;

    void ResetToEmpty();
    int FrameCount() const { return static_cast<int>(FFrames.size()); }
    TGIFFrame& FrameAt(int index) const { return *FFrames.at(index); }
    // A new frame made from the graphic, appended as the current frame.
    virtual int AppendFrame(const TGraphic& graphic);
    void LoadGifData(int64_t size, TStream& stream, bool decodeFirstFrame);
    void WriteImageStream(TStream& stream, bool withLength);
    void EncodeAllFrames();
    void UpdateScreenSize();
    virtual void ReportProgress(TProgressStage stage, int percent, bool redraw, const TRect& rect,
                                const String& message);

    const TGIFData& Data() const { return *FData; }
    TStrings& Comment();
    const std::vector<TColor>& GlobalColourTable() const { return FData->ColourTable; }

    int FormatVersion = 0; // 1 "87a", 2 "89a", 0 none
    int CurrentFrame = -1;
    TSize ScreenSize{0, 0};
    TColor ScreenBackground = clNone;
    bool LoopEnabled = false;
    uint16_t LoopCount = 1;
    TProgressEvent ProgressHandler;

private:
    friend class TGIFFrame;
    friend struct TGifReader;
    TGIFData& WritableData();
    TGIFFrame* ShownFrame() const;
    String ImageBytes();

    std::shared_ptr<TGIFData> FData;
    std::vector<std::unique_ptr<TGIFFrame>> FFrames;
};

// Registers the "gif" files and the clipboard's "GIF Image" with the picture system.
void RegisterGifPictureFormats();

// 2, 4, 8 ... 256 give 1 to 8; any other count raises "Wrong number of colors; must be a power
// of 2".
int ColorCountToBits(int count);
