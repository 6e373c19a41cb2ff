#pragma once
// Colours, fonts, pens, brushes, canvases and pictures.

#include "platform/Classes.h"
#include "platform/Sets.h"
#include "platform/Types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// 0x00BBGGRR, or a system colour: the flag 0x80000000 with the colour's index.
using TColor = uint32_t;

constexpr TColor SystemColorFlag = 0x80000000u;

// Indexes of the system colours.
enum : int {
    COLOR_SCROLLBAR = 0,
    COLOR_BACKGROUND = 1,
    COLOR_ACTIVECAPTION = 2,
    COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9,
    COLOR_ACTIVEBORDER = 10,
    COLOR_INACTIVEBORDER = 11,
    COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
    COLOR_HOTLIGHT = 26,
    COLOR_GRADIENTACTIVECAPTION = 27,
    COLOR_GRADIENTINACTIVECAPTION = 28,
};

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clLtGray = clSilver;
constexpr TColor clDkGray = clGray;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clScrollBar = SystemColorFlag | COLOR_SCROLLBAR;
constexpr TColor clBackground = SystemColorFlag | COLOR_BACKGROUND;
constexpr TColor clActiveCaption = SystemColorFlag | COLOR_ACTIVECAPTION;
constexpr TColor clInactiveCaption = SystemColorFlag | COLOR_INACTIVECAPTION;
constexpr TColor clMenu = SystemColorFlag | COLOR_MENU;
constexpr TColor clWindow = SystemColorFlag | COLOR_WINDOW;
constexpr TColor clWindowFrame = SystemColorFlag | COLOR_WINDOWFRAME;
constexpr TColor clMenuText = SystemColorFlag | COLOR_MENUTEXT;
constexpr TColor clWindowText = SystemColorFlag | COLOR_WINDOWTEXT;
constexpr TColor clCaptionText = SystemColorFlag | COLOR_CAPTIONTEXT;
constexpr TColor clActiveBorder = SystemColorFlag | COLOR_ACTIVEBORDER;
constexpr TColor clInactiveBorder = SystemColorFlag | COLOR_INACTIVEBORDER;
constexpr TColor clAppWorkSpace = SystemColorFlag | COLOR_APPWORKSPACE;
constexpr TColor clHighlight = SystemColorFlag | COLOR_HIGHLIGHT;
constexpr TColor clHighlightText = SystemColorFlag | COLOR_HIGHLIGHTTEXT;
constexpr TColor clBtnFace = SystemColorFlag | COLOR_BTNFACE;
constexpr TColor clBtnShadow = SystemColorFlag | COLOR_BTNSHADOW;
constexpr TColor clGrayText = SystemColorFlag | COLOR_GRAYTEXT;
constexpr TColor clBtnText = SystemColorFlag | COLOR_BTNTEXT;
constexpr TColor clInactiveCaptionText = SystemColorFlag | COLOR_INACTIVECAPTIONTEXT;
constexpr TColor clBtnHighlight = SystemColorFlag | COLOR_BTNHIGHLIGHT;
constexpr TColor cl3DDkShadow = SystemColorFlag | COLOR_3DDKSHADOW;
constexpr TColor cl3DLight = SystemColorFlag | COLOR_3DLIGHT;
constexpr TColor clInfoText = SystemColorFlag | COLOR_INFOTEXT;
constexpr TColor clInfoBk = SystemColorFlag | COLOR_INFOBK;
constexpr TColor clGradientActiveCaption = SystemColorFlag | COLOR_GRADIENTACTIVECAPTION;
constexpr TColor clGradientInactiveCaption = SystemColorFlag | COLOR_GRADIENTINACTIVECAPTION;

constexpr TColor RGB(int r, int g, int b) {
    return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(TColor c) {
    return c & 0xFF;
}
constexpr int GetGValue(TColor c) {
    return (c >> 8) & 0xFF;
}
constexpr int GetBValue(TColor c) {
    return (c >> 16) & 0xFF;
}

// The RGB value of a system colour index, from a fixed table (the classic grey scheme), so that
// drawing is the same on every machine. Unknown indexes give black.
TColor GetSysColor(int index);
// A system colour turned into its RGB value; an RGB colour unchanged.
TColor ColorToRGB(TColor color);
// The sum of the squared differences of red, green and blue.
int SquaredColourDistance(TColor a, TColor b);
// The grey level of the colour: (77 x red + 150 x green + 29 x blue) shr 8.
int ColourBrightness(TColor c);
// The framework's identifier of a colour ("clRed", "clBtnFace"), or for a colour without one "0x"
// and its eight hexadecimal digits in upper case.
String ColorToString(TColor color);

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontStyles = TSet<TFontStyle>;

// The pitch-and-family bits of a font's text metrics: TMPF_FIXED_PITCH set means a variable pitch
// (the name is the system's own), TMPF_TRUETYPE a font that scales to any size.
constexpr uint8_t TMPF_FIXED_PITCH = 0x01;
constexpr uint8_t TMPF_TRUETYPE = 0x04;

// A font family installed on the desktop, as the font enumeration reports it.
struct TFontFamily {
    String Name;
    uint8_t PitchAndFamily = 0;
    bool operator==(const TFontFamily&) const = default;
};

// The resolution the program's sizes are given for; text heights in pixels follow from it.
constexpr int ScreenPixelsPerInch = 96;

// A font, pen or brush: OnChange tells the canvas or control that uses it of every change.
class TGraphicsObject : public TObject {
public:
    TNotifyEvent OnChange;

protected:
    void Changed();
};

// Size in points and Height in pixels are two views of one value: a negative Height is the
// character height without internal leading, as the framework keeps it.
class TFont : public TGraphicsObject {
public:
    TFont();
    const String& Name() const { return FName; }
    void SetName(const String& value);
    int Size() const;
    void SetSize(int value);
    int Height() const { return FHeight; }
    void SetHeight(int value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    // The angle of the text in tenths of a degree, counter-clockwise; TextOut turns the text
    // about its top-left corner.
    int Orientation() const { return FOrientation; }
    void SetOrientation(int value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch value);
    void Assign(const TFont& source);
    bool SameAs(const TFont& other) const;

private:
    String FName = "MS Sans Serif";
    int FHeight = -11;
    TFontStyles FStyle;
    TColor FColor = clWindowText;
    int FOrientation = 0;
    TFontPitch FPitch = fpDefault;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// How the pen and brush meet what is there: pmXor toggles it, so drawing the same figure twice
// leaves the picture as it was.
enum TPenMode { pmCopy, pmXor };

class TPen : public TGraphicsObject {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    int Width() const { return FWidth; }
    void SetWidth(int value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode value);

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross };

class TBrush : public TGraphicsObject {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value);
    void Assign(const TBrush& source);

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

class TGraphic;
struct TCanvasDevice;

// Draws on a control while it paints, or on a bitmap. Outside painting a control's canvas still
// measures text.
class TCanvas : public TObject {
public:
    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TPen& Pen() { return FPen; }
    TBrush& Brush() { return FBrush; }
    TFont& Font() { return FFont; }

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& rect);
    void Polygon(const std::vector<TPoint>& points);
    void Polyline(const std::vector<TPoint>& points);
    void FillRect(const TRect& rect);
    // A dotted frame just inside rect, toggled in XOR whatever the pen: drawn twice, it is gone.
    void DrawFocusRect(const TRect& rect);
    void TextOut(int x, int y, const String& text);
    // The text clipped to rect, drawn at x, y.
    void TextRect(const TRect& rect, int x, int y, const String& text);
    int TextWidth(const String& text);
    int TextHeight(const String& text);
    TSize TextExtent(const String& text);
    // The graphic at its own size, its top-left corner at x, y.
    void Draw(int x, int y, const TGraphic& graphic);
    void SetPixels(int x, int y, TColor color);

private:
    friend struct TCanvasDevice;
    TPen FPen;
    TBrush FBrush;
    TFont FFont;
    TPoint FPenPos;
    std::unique_ptr<TCanvasDevice> FDevice;
};

class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// A picture asked to do what its kind cannot (resize a GIF, write an empty one...).
class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};

// How many bits a bitmap keeps per pixel. pfDevice is the screen's own depth.
enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

// A device-independent bitmap as a BMP file holds it: rows bottom first, each padded to 4 bytes;
// 1, 4 and 8 bits per pixel index the palette, 24 bits are blue, green, red.
struct TDibImage {
    int Width = 0;
    int Height = 0;
    int BitCount = 0;
    int UsedColours = 0; // the information header's count of colours used, 0 for all
    std::vector<TColor> Palette;
    std::vector<uint8_t> Bits;
};

// (width x bits + 31) div 32 x 4.
int DibRowBytes(int width, int bitCount);
// The palette index of a pixel of a 1-, 4- or 8-bit image, x counted from the left and the row
// from the bottom as it is stored; setting or-s the index into a zeroed pixel.
int DibIndexAt(const TDibImage& dib, int x, int row);
void SetDibIndex(TDibImage& dib, int x, int row, int index);
// The BMP file image: "BM", the file header, a 40-byte information header, the palette (2^bits
// entries up to 8 bits, grey 128 beyond the image's own) and the rows.
void WriteDibFile(TStream& stream, const TDibImage& dib);
// Reads a BMP file image of 1, 4, 8, 24 or 32 bits per pixel from the stream's position to its
// end. Anything else, or sizes the data does not hold, raises "Bitmap image is not valid".
TDibImage ReadDibFile(TStream& stream);

// A picture of any kind that a canvas can draw.
class TGraphic : public TObject {
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const = 0;
    // Raises EFOpenError for a file that cannot be read and EInvalidGraphic for one that holds no
    // picture, both naming the file.
    virtual void LoadFromFile(const String& fileName) = 0;
    virtual void SaveToFile(const String& fileName) const = 0;
    // The picture stretched into the rectangle.
    virtual void Draw(TCanvas& canvas, const TRect& rect) const;
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    TNotifyEvent OnChange;

protected:
    void Changed();

private:
    bool FTransparent = false;
};

struct TBitmapImage;

// A picture in memory: BMP, PNG, GIF or JPEG loaded from a file, or drawn through its canvas.
// The module whose resources are loaded; the program has one, so its value is never read.
using HINSTANCE = void*;

class TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;
    int Width() const override;
    int Height() const override;
    void SetSize(int width, int height);
    bool Empty() const override;
    void LoadFromFile(const String& fileName) override;
    // The program's own picture name: glyphs/<name>.bmp in the program folder. Without it (or
    // when it cannot be read) the bitmap is left empty: a picture of the program's own is
    // decoration, and no user could act on a message about it.
    void LoadFromResourceName(HINSTANCE instance, const String& name);
    // Written as BMP, PNG or JPEG by the name's extension (BMP when it has none of them).
    void SaveToFile(const String& fileName) const override;
    void Assign(const TBitmap& source);
    TCanvas& Canvas();
    // The bitmap's own transparent colour: its bottom-left pixel.
    TColor TransparentColor() const;
    TColor PixelAt(int x, int y) const;
    // An indexed bitmap (1, 4 or 8 bits) keeps its palette and every pixel's index until it is
    // drawn on, and then takes the device's depth.
    TPixelFormat PixelFormat() const;
    // The palette of an indexed bitmap; empty for any other.
    std::vector<TColor> Palette() const;
    // The bitmap at its own depth (pfDevice and pf32bit as 24 bits); the bitmap must not be
    // empty.
    TDibImage ToDib() const;
    // The pixels at 1 bit (black and white by brightness), 4 bits (the nearest of the 16
    // standard colours) or 24 bits, as the system converts a bitmap for GetDIBits.
    TDibImage ReadDibBits(int bitCount) const;
    void LoadFromDib(const TDibImage& dib);
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;

private:
    friend struct TCanvasDevice;
    std::unique_ptr<TBitmapImage> FImage;
    std::unique_ptr<TCanvas> FCanvas;
};

// An icon: the bytes of an icon (or cursor) file image, kept as they are for saving, and the
// picture of its largest image, transparent where the icon is.
class TIcon : public TGraphic {
public:
    TIcon();
    ~TIcon() override;
    int Width() const override;
    int Height() const override;
    bool Empty() const override;
    void LoadFromFile(const String& fileName) override;
    void SaveToFile(const String& fileName) const override;
    // Reads size bytes from the stream's position (the rest of the stream for a size below 0).
    // Raises EReadError when the stream holds fewer and EInvalidGraphic when they are no icon;
    // either way the icon keeps what it held.
    void LoadFromStream(TStream& stream, int64_t size = -1);
    void SaveToStream(TStream& stream) const;
    // The program's own icon of that name: icons/<name>.ico in the program folder. Without it
    // the icon is left empty, as the system's loading gives no icon for a missing name.
    void LoadFromResourceName(HINSTANCE instance, const String& name);
    void Assign(const TIcon& source);
    // The icon file's bytes; empty for an empty icon.
    const String& Data() const { return FData; }
    const TBitmap& Picture() const { return FPicture; }

private:
    String FData;
    TBitmap FPicture;
};

// Holds one picture of any kind: a file of a registered extension is loaded by the kind
// registered for it, any other file as a bitmap.
class TPicture : public TObject {
public:
    using TGraphicMaker = std::function<std::unique_ptr<TGraphic>()>;
    // The kind of picture that a file extension (without its dot, any case) holds, registered by
    // the unit of that kind with the description a file dialog shows for it.
    static void RegisterFileFormat(const String& extension, const String& description,
                                   TGraphicMaker maker);
    // The registered description of the extension; empty for none.
    static String FileFormatDescription(const String& extension);
    // The kind of picture that a clipboard format holds, registered by the unit of that kind.
    static void RegisterClipboardFormat(unsigned format, TGraphicMaker maker);
    static bool SupportsClipboardFormat(unsigned format);
    // A new, empty picture of the kind registered for the format; nullptr for none.
    static std::unique_ptr<TGraphic> GraphicForClipboardFormat(unsigned format);

    TPicture();
    ~TPicture() override;
    TGraphic* Graphic() const;
    // The picture as a bitmap: a picture of another kind is replaced by an empty bitmap.
    TBitmap& Bitmap();
    int Width() const;
    int Height() const;
    bool Empty() const;
    // A file that cannot be loaded leaves the picture as it was.
    void LoadFromFile(const String& fileName);
    TNotifyEvent OnChange;

private:
    void SetGraphic(std::unique_ptr<TGraphic> graphic);

    std::unique_ptr<TGraphic> FGraphic;
};
