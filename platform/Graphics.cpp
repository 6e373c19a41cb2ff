#include "platform/Graphics.h"
#include "platform/FileUtils.h"
#include "platform/GraphicsPrivate.h"
#include "platform/Peer.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <array>
#include <cmath>
#include <cstdlib>
#include <map>

namespace {

// The classic grey scheme, so that every machine draws alike.
constexpr std::array<TColor, 29> SystemColors = {
    RGB(192, 192, 192), // scroll bar
    RGB(0, 128, 128),   // desktop
    RGB(0, 0, 128),     // active caption
    RGB(128, 128, 128), // inactive caption
    RGB(192, 192, 192), // menu
    RGB(255, 255, 255), // window
    RGB(0, 0, 0),       // window frame
    RGB(0, 0, 0),       // menu text
    RGB(0, 0, 0),       // window text
    RGB(255, 255, 255), // caption text
    RGB(192, 192, 192), // active border
    RGB(192, 192, 192), // inactive border
    RGB(128, 128, 128), // application workspace
    RGB(0, 0, 128),     // highlight
    RGB(255, 255, 255), // highlight text
    RGB(192, 192, 192), // button face
    RGB(128, 128, 128), // button shadow
    RGB(128, 128, 128), // grey text
    RGB(0, 0, 0),       // button text
    RGB(192, 192, 192), // inactive caption text
    RGB(255, 255, 255), // button highlight
    RGB(0, 0, 0),       // 3D dark shadow
    RGB(223, 223, 223), // 3D light
    RGB(0, 0, 0),       // tooltip text
    RGB(255, 255, 225), // tooltip background
    RGB(0, 0, 0),       // unused
    RGB(0, 0, 255),     // hot-tracked item
    RGB(16, 132, 208),  // gradient of the active caption
    RGB(181, 181, 181), // gradient of the inactive caption
};

int MulDiv(int number, int numerator, int denominator) {
    return static_cast<int>(std::lround(static_cast<double>(number) * numerator / denominator));
}

} // namespace

TColor GetSysColor(int index) {
    if (index < 0 || index >= static_cast<int>(SystemColors.size()))
        return clBlack;
    return SystemColors[index];
}

TColor ColorToRGB(TColor color) {
    if ((color & SystemColorFlag) != 0)
        return GetSysColor(static_cast<int>(color & 0xFF));
    return color;
}

int SquaredColourDistance(TColor a, TColor b) {
    int dr = GetRValue(a) - GetRValue(b), dg = GetGValue(a) - GetGValue(b),
        db = GetBValue(a) - GetBValue(b);
    return dr * dr + dg * dg + db * db;
}

int ColourBrightness(TColor c) {
    return (77 * GetRValue(c) + 150 * GetGValue(c) + 29 * GetBValue(c)) >> 8;
}

namespace {

struct TColorIdent {
    TColor Color;
    const char* Name;
};

const TColorIdent ColorIdents[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
};

} // namespace

String ColorToString(TColor color) {
    for (const TColorIdent& ident : ColorIdents)
        if (ident.Color == color)
            return ident.Name;
    return Format("0x%.8X", static_cast<unsigned>(color));
}

// ---- Fonts, pens, brushes

void TGraphicsObject::Changed() {
    if (OnChange)
        OnChange(this);
}

TFont::TFont() = default;

void TFont::SetName(const String& value) {
    if (value.empty() || value == FName)
        return;
    FName = value;
    Changed();
}

int TFont::Size() const {
    return -MulDiv(FHeight, 72, ScreenPixelsPerInch);
}

void TFont::SetSize(int value) {
    SetHeight(-MulDiv(value, ScreenPixelsPerInch, 72));
}

void TFont::SetHeight(int value) {
    if (Change(FHeight, value))
        Changed();
}

void TFont::SetStyle(TFontStyles value) {
    if (Change(FStyle, value))
        Changed();
}

void TFont::SetColor(TColor value) {
    if (Change(FColor, value))
        Changed();
}

void TFont::SetOrientation(int value) {
    if (Change(FOrientation, value))
        Changed();
}

void TFont::SetPitch(TFontPitch value) {
    if (Change(FPitch, value))
        Changed();
}

bool TFont::SameAs(const TFont& other) const {
    return FName == other.FName && FHeight == other.FHeight && FStyle == other.FStyle &&
           FColor == other.FColor && FOrientation == other.FOrientation && FPitch == other.FPitch;
}

void TFont::Assign(const TFont& source) {
    if (SameAs(source))
        return;
    FName = source.FName;
    FHeight = source.FHeight;
    FStyle = source.FStyle;
    FColor = source.FColor;
    FOrientation = source.FOrientation;
    FPitch = source.FPitch;
    Changed();
}

void TPen::SetColor(TColor value) {
    if (Change(FColor, value))
        Changed();
}

void TPen::SetWidth(int value) {
    if (Change(FWidth, value))
        Changed();
}

void TPen::SetStyle(TPenStyle value) {
    if (Change(FStyle, value))
        Changed();
}

void TPen::SetMode(TPenMode value) {
    if (Change(FMode, value))
        Changed();
}

void TBrush::SetColor(TColor value) {
    if (Change(FColor, value))
        Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
    if (Change(FStyle, value))
        Changed();
}

void TBrush::Assign(const TBrush& source) {
    FColor = source.FColor;
    FStyle = source.FStyle;
    Changed();
}

// ---- Qt conversions

QColor ToQColor(TColor color) {
    TColor rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQColor(const QColor& color) {
    return RGB(color.red(), color.green(), color.blue());
}

namespace {

struct FontKind {
    const char* Name;
    std::vector<const char*> Candidates;
    QFontDatabase::SystemFont Fallback;
};

// The Windows families the program names, and the installed families that look most like them.
const std::vector<FontKind>& FontKinds() {
    static const std::vector<FontKind> kinds = {
        {"MS Sans Serif",
         {"Microsoft Sans Serif", "Liberation Sans", "Arimo", "DejaVu Sans", "Noto Sans"},
         QFontDatabase::GeneralFont},
        {"Small Fonts",
         {"Liberation Sans", "Arimo", "DejaVu Sans", "Noto Sans"},
         QFontDatabase::SmallestReadableFont},
        {"Arial",
         {"Arial", "Liberation Sans", "Arimo", "Helvetica", "DejaVu Sans", "Noto Sans"},
         QFontDatabase::GeneralFont},
        {"Courier New",
         {"Courier New", "Liberation Mono", "Cousine", "DejaVu Sans Mono", "Noto Sans Mono"},
         QFontDatabase::FixedFont},
        {"Times New Roman",
         {"Times New Roman", "Liberation Serif", "Tinos", "DejaVu Serif", "Noto Serif"},
         QFontDatabase::GeneralFont},
    };
    return kinds;
}

QString InstalledFamily(const QString& wanted) {
    for (const QString& family : QFontDatabase::families())
        if (family.compare(wanted, Qt::CaseInsensitive) == 0)
            return family;
    return QString();
}

QString FindNearestFamily(const String& name) {
    for (const FontKind& kind : FontKinds()) {
        if (!SameText(name, kind.Name))
            continue;
        for (const char* candidate : kind.Candidates) {
            QString found = InstalledFamily(QString::fromLatin1(candidate));
            if (!found.isEmpty())
                return found;
        }
        return QFontDatabase::systemFont(kind.Fallback).family();
    }
    QString found = InstalledFamily(DisplayText(name));
    return found.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::GeneralFont).family() : found;
}

} // namespace

QString NearestFontFamily(const String& name) {
    static std::map<String, QString> cache;
    auto it = cache.find(name);
    if (it == cache.end())
        it = cache.emplace(name, FindNearestFamily(name)).first;
    return it->second;
}

// Drawing asks for the same font many times in a row (every cell of a grid, every call of a
// canvas), so the last one made is kept.
QFont ToQFont(const TFont& font) {
    static TFont lastFont;
    static QFont lastResult;
    static bool made = false;
    if (made && font.Name() == lastFont.Name() && font.Height() == lastFont.Height() &&
        font.Style() == lastFont.Style())
        return lastResult;
    QFont result(NearestFontFamily(font.Name()));
    result.setPixelSize(std::max(1, std::abs(font.Height())));
    result.setBold(font.Style().Contains(fsBold));
    result.setItalic(font.Style().Contains(fsItalic));
    result.setUnderline(font.Style().Contains(fsUnderline));
    result.setStrikeOut(font.Style().Contains(fsStrikeOut));
    lastFont.Assign(font);
    lastResult = result;
    made = true;
    return result;
}

// ---- Canvas

struct TCanvasDevice {
    QPainter* Painter = nullptr; // while a control paints
    TBitmap* Bitmap = nullptr;   // the canvas of a bitmap

    static void Bind(TCanvas& canvas, QPainter* painter) { canvas.FDevice->Painter = painter; }
    static void AttachBitmap(TCanvas& canvas, TBitmap* bitmap) { canvas.FDevice->Bitmap = bitmap; }
    static QImage& Image(TBitmap& bitmap) { return bitmap.FImage->Image; }
    static const QImage& Image(const TBitmap& bitmap) { return bitmap.FImage->Image; }

    // Runs draw with a painter set up from the canvas's pen, brush and font. A bitmap's canvas
    // paints on the image through a painter of its own for each call, so the image can be read
    // between calls.
    static void Paint(TCanvas& canvas, const std::function<void(QPainter&)>& draw) {
        TCanvasDevice& device = *canvas.FDevice;
        if (device.Painter) {
            device.Painter->save();
            Prepare(canvas, *device.Painter);
            draw(*device.Painter);
            device.Painter->restore();
        } else if (device.Bitmap && !device.Bitmap->Empty()) {
            MakeDrawable(*device.Bitmap->FImage);
            QPainter painter(&device.Bitmap->FImage->Image);
            Prepare(canvas, painter);
            draw(painter);
        }
    }

    // A painter cannot draw on palette images: drawing gives the bitmap the device's depth.
    static void MakeDrawable(TBitmapImage& image) {
        if (image.Image.format() == QImage::Format_Indexed8) {
            image.Image = image.Image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
            image.PixelFormat = pfDevice;
        }
    }

    static void Prepare(TCanvas& canvas, QPainter& painter) {
        const TPen& pen = canvas.FPen;
        if (pen.Style() == psClear) {
            painter.setPen(Qt::NoPen);
        } else {
            static const std::map<TPenStyle, Qt::PenStyle> styles = {
                {psSolid, Qt::SolidLine},
                {psDash, Qt::DashLine},
                {psDot, Qt::DotLine},
                {psDashDot, Qt::DashDotLine},
                {psDashDotDot, Qt::DashDotDotLine},
                {psInsideFrame, Qt::SolidLine}};
            QPen qpen(ToQColor(pen.Color()));
            qpen.setWidth(std::max(1, pen.Width()));
            qpen.setStyle(styles.at(pen.Style()));
            painter.setPen(qpen);
        }
        painter.setBrush(QtBrush(canvas.FBrush));
        painter.setFont(ToQFont(canvas.FFont));
        if (pen.Mode() == pmXor)
            painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    }

    static QBrush QtBrush(const TBrush& brush) {
        static const std::map<TBrushStyle, Qt::BrushStyle> styles = {
            {bsSolid, Qt::SolidPattern},     {bsClear, Qt::NoBrush},
            {bsHorizontal, Qt::HorPattern},  {bsVertical, Qt::VerPattern},
            {bsFDiagonal, Qt::FDiagPattern}, {bsBDiagonal, Qt::BDiagPattern},
            {bsCross, Qt::CrossPattern}};
        return QBrush(ToQColor(brush.Color()), styles.at(brush.Style()));
    }
};

TCanvasPainting::TCanvasPainting(TCanvas& canvas, QPainter& painter) : FCanvas(canvas) {
    TCanvasDevice::Bind(canvas, &painter);
}

TCanvasPainting::~TCanvasPainting() {
    TCanvasDevice::Bind(FCanvas, nullptr);
}

TCanvas::TCanvas() : FDevice(std::make_unique<TCanvasDevice>()) {}

TCanvas::~TCanvas() = default;

namespace {

QRect ToQRect(const TRect& r) {
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

// Images drawn transparent leave out every pixel of their own transparent colour.
QImage WithTransparency(const TBitmap& bitmap) {
    QImage image = BitmapImage(bitmap).convertToFormat(QImage::Format_ARGB32);
    QRgb key = ToQColor(bitmap.TransparentColor()).rgb();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF))
                line[x] = 0;
    }
    return image;
}

QImage DrawableImage(const TGraphic& graphic) {
    if (auto* icon = dynamic_cast<const TIcon*>(&graphic))
        return icon->Empty() ? QImage() : BitmapImage(icon->Picture());
    auto* bitmap = dynamic_cast<const TBitmap*>(&graphic);
    if (!bitmap || bitmap->Empty())
        return QImage();
    return graphic.Transparent() ? WithTransparency(*bitmap) : BitmapImage(*bitmap);
}

QPolygon ToQPolygon(const std::vector<TPoint>& points) {
    QPolygon polygon;
    for (const TPoint& p : points)
        polygon << QPoint(p.x, p.y);
    return polygon;
}

} // namespace

void TCanvas::MoveTo(int x, int y) {
    FPenPos = TPoint{x, y};
}

void TCanvas::LineTo(int x, int y) {
    TPoint from = FPenPos;
    TCanvasDevice::Paint(*this, [&](QPainter& p) { p.drawLine(from.x, from.y, x, y); });
    FPenPos = TPoint{x, y};
}

// The outline lies inside the rectangle, whose right and bottom edges are outside it.
void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    TCanvasDevice::Paint(*this, [&](QPainter& p) {
        if (p.pen().style() == Qt::NoPen)
            p.fillRect(QRect(left, top, right - left, bottom - top), p.brush());
        else
            p.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
    });
}

void TCanvas::Rectangle(const TRect& rect) {
    Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    TCanvasDevice::Paint(*this, [&](QPainter& p) { p.drawPolygon(ToQPolygon(points)); });
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    TCanvasDevice::Paint(*this, [&](QPainter& p) { p.drawPolyline(ToQPolygon(points)); });
}

void TCanvas::FillRect(const TRect& rect) {
    TCanvasDevice::Paint(*this, [&](QPainter& p) { p.fillRect(ToQRect(rect), p.brush()); });
}

void TCanvas::DrawFocusRect(const TRect& rect) {
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return;
    TCanvasDevice::Paint(*this, [&](QPainter& p) {
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.setPen(QPen(Qt::white, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(rect.Left, rect.Top, rect.Width() - 1, rect.Height() - 1));
    });
}

// With a solid brush the text's box is filled first, as an opaque background does.
void TCanvas::TextOut(int x, int y, const String& text) {
    TSize extent = TextExtent(text);
    TCanvasDevice::Paint(*this, [&](QPainter& p) {
        p.translate(x, y);
        p.rotate(-FFont.Orientation() / 10.0);
        QRect box(0, 0, extent.cx, extent.cy);
        if (FBrush.Style() != bsClear)
            p.fillRect(box, ToQColor(FBrush.Color()));
        p.setPen(ToQColor(FFont.Color()));
        p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, DisplayText(text));
    });
    FPenPos = TPoint{x + extent.cx, y};
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const String& text) {
    TSize extent = TextExtent(text);
    TCanvasDevice::Paint(*this, [&](QPainter& p) {
        p.setClipRect(ToQRect(rect));
        if (FBrush.Style() != bsClear)
            p.fillRect(ToQRect(rect), ToQColor(FBrush.Color()));
        p.setPen(ToQColor(FFont.Color()));
        p.drawText(QRect(x, y, extent.cx, extent.cy), Qt::AlignLeft | Qt::AlignTop,
                   DisplayText(text));
    });
}

TSize TCanvas::TextExtent(const String& text) {
    QFontMetrics metrics(ToQFont(FFont));
    return TSize{metrics.horizontalAdvance(DisplayText(text)), metrics.height()};
}

int TCanvas::TextWidth(const String& text) {
    return TextExtent(text).cx;
}

int TCanvas::TextHeight(const String& text) {
    return TextExtent(text).cy;
}

void TCanvas::Draw(int x, int y, const TGraphic& graphic) {
    graphic.Draw(*this, TRect{x, y, x + graphic.Width(), y + graphic.Height()});
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    TCanvasDevice::Paint(*this, [&](QPainter& p) { p.fillRect(x, y, 1, 1, ToQColor(color)); });
}

// ---- Pictures

void TGraphic::SetTransparent(bool value) {
    if (Change(FTransparent, value))
        Changed();
}

void TGraphic::Draw(TCanvas& canvas, const TRect& rect) const {
    QImage image = DrawableImage(*this);
    if (image.isNull())
        return;
    TCanvasDevice::Paint(canvas, [&](QPainter& p) { p.drawImage(ToQRect(rect), image); });
}

void TGraphic::Changed() {
    if (OnChange)
        OnChange(this);
}

namespace {

QImage ReadImageFile(const String& fileName) {
    if (!FileExists(fileName))
        throw EFOpenError("Cannot open file \"" + fileName + "\". No such file.");
    QImage image;
    if (!image.load(QString::fromUtf8(fileName.c_str())))
        throw EInvalidGraphic("The picture \"" + fileName +
                              "\" cannot be read: it is damaged or of a kind not supported.");
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

const char* ImageFormatFor(const String& fileName) {
    String ext = LowerCase(ExtractFileExt(fileName));
    if (ext == ".png")
        return "PNG";
    if (ext == ".jpg" || ext == ".jpeg")
        return "JPEG";
    return "BMP";
}

} // namespace

TBitmap::TBitmap() : FImage(std::make_unique<TBitmapImage>()) {}

TBitmap::~TBitmap() = default;

int TBitmap::Width() const {
    return FImage->Image.width();
}

int TBitmap::Height() const {
    return FImage->Image.height();
}

bool TBitmap::Empty() const {
    return FImage->Image.isNull() || Width() == 0 || Height() == 0;
}

// A new area is white; what was drawn stays where it was.
void TBitmap::SetSize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == Width() && height == Height())
        return;
    QImage resized;
    if (width > 0 && height > 0) {
        resized = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
        resized.fill(Qt::white);
        if (!Empty()) {
            QPainter painter(&resized);
            painter.drawImage(0, 0, FImage->Image);
        }
    }
    FImage->Image = resized;
    FImage->PixelFormat = pfDevice;
    Changed();
}

void TBitmap::LoadFromFile(const String& fileName) {
    FImage->Image = ReadImageFile(fileName);
    FImage->PixelFormat = pfDevice;
    Changed();
}

void TBitmap::LoadFromResourceName(HINSTANCE /*instance*/, const String& name) {
    FImage->Image = QImage();
    FImage->PixelFormat = pfDevice;
    try {
        String fileName = ProgramFolder() + "glyphs" + PathDelim + name + ".bmp";
        if (FileExists(fileName))
            FImage->Image = ReadImageFile(fileName);
    } catch (const Exception&) {
        // No program folder, or a damaged picture: the bitmap stays empty.
    }
    Changed();
}

void TBitmap::SaveToFile(const String& fileName) const {
    if (!FImage->Image.save(QString::fromUtf8(fileName.c_str()), ImageFormatFor(fileName)))
        throw EFCreateError("Cannot create file \"" + fileName + "\".");
}

void TBitmap::Assign(const TBitmap& source) {
    *FImage = *source.FImage;
    SetTransparent(source.Transparent());
    Changed();
}

TCanvas& TBitmap::Canvas() {
    if (!FCanvas) {
        FCanvas = std::make_unique<TCanvas>();
        TCanvasDevice::AttachBitmap(*FCanvas, this);
    }
    return *FCanvas;
}

TColor TBitmap::PixelAt(int x, int y) const {
    if (!FImage->Image.valid(x, y))
        return clNone;
    return FromQColor(FImage->Image.pixelColor(x, y));
}

TColor TBitmap::TransparentColor() const {
    return Empty() ? clNone : PixelAt(0, Height() - 1);
}

QImage& BitmapImage(TBitmap& bitmap) {
    return TCanvasDevice::Image(bitmap);
}

const QImage& BitmapImage(const TBitmap& bitmap) {
    return TCanvasDevice::Image(bitmap);
}

namespace {

std::map<unsigned, TPicture::TGraphicMaker>& ClipboardKinds() {
    static auto* kinds = new std::map<unsigned, TPicture::TGraphicMaker>;
    return *kinds;
}

struct TFileFormat {
    String Description;
    TPicture::TGraphicMaker Maker;
};

// By extension in lower case, without its dot.
std::map<String, TFileFormat>& FileFormats() {
    static auto* formats = new std::map<String, TFileFormat>;
    return *formats;
}

const TFileFormat* FileFormatOf(const String& extension) {
    auto it = FileFormats().find(LowerCase(extension));
    return it == FileFormats().end() ? nullptr : &it->second;
}

} // namespace

void TPicture::RegisterFileFormat(const String& extension, const String& description,
                                  TGraphicMaker maker) {
    FileFormats()[LowerCase(extension)] = TFileFormat{description, std::move(maker)};
}

String TPicture::FileFormatDescription(const String& extension) {
    const TFileFormat* format = FileFormatOf(extension);
    return format ? format->Description : String();
}

void TPicture::RegisterClipboardFormat(unsigned format, TGraphicMaker maker) {
    ClipboardKinds()[format] = std::move(maker);
}

bool TPicture::SupportsClipboardFormat(unsigned format) {
    return ClipboardKinds().count(format) != 0;
}

std::unique_ptr<TGraphic> TPicture::GraphicForClipboardFormat(unsigned format) {
    auto it = ClipboardKinds().find(format);
    return it == ClipboardKinds().end() ? nullptr : it->second();
}

TPicture::TPicture() = default;

TPicture::~TPicture() = default;

TGraphic* TPicture::Graphic() const {
    return FGraphic.get();
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
    FGraphic = std::move(graphic);
    FGraphic->OnChange = [this](TObject*) {
        if (OnChange)
            OnChange(this);
    };
}

TBitmap& TPicture::Bitmap() {
    auto* bitmap = dynamic_cast<TBitmap*>(FGraphic.get());
    if (!bitmap) {
        auto made = std::make_unique<TBitmap>();
        bitmap = made.get();
        const bool replaced = FGraphic != nullptr;
        SetGraphic(std::move(made));
        if (replaced && OnChange)
            OnChange(this);
    }
    return *bitmap;
}

int TPicture::Width() const {
    return FGraphic ? FGraphic->Width() : 0;
}

int TPicture::Height() const {
    return FGraphic ? FGraphic->Height() : 0;
}

bool TPicture::Empty() const {
    return !FGraphic || FGraphic->Empty();
}

void TPicture::LoadFromFile(const String& fileName) {
    String extension = ExtractFileExt(fileName);
    if (!extension.empty())
        extension.erase(0, 1);
    const TFileFormat* format = FileFormatOf(extension);
    std::unique_ptr<TGraphic> graphic = format ? format->Maker() : std::make_unique<TBitmap>();
    graphic->LoadFromFile(fileName);
    SetGraphic(std::move(graphic));
    if (OnChange)
        OnChange(this);
}
