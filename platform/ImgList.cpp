#include "platform/ImgList.h"
#include "platform/Peer.h"

#include <QImage>
#include <QPainter>

#include <vector>

// The left-out pixels of an image are fully transparent, so drawing it leaves them out.
struct TImageListImages {
    std::vector<QImage> Images;
};

namespace {

QImage PartOfSize(const TBitmap& image, int width, int height) {
    if (image.Width() < width || image.Height() < height)
        throw EInvalidOperation("Invalid image size");
    return BitmapImage(image)
        .copy(0, 0, width, height)
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Leaves out every pixel for which leaveOut(x, y) holds.
template <typename F> void LeaveOut(QImage& image, F leaveOut) {
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (leaveOut(x, y))
                line[x] = 0;
    }
}

bool SameRgb(QRgb pixel, TColor color) {
    TColor rgb = ColorToRGB(color);
    return qAlpha(pixel) != 0 && qRed(pixel) == GetRValue(rgb) && qGreen(pixel) == GetGValue(rgb) &&
           qBlue(pixel) == GetBValue(rgb);
}

} // namespace

TImageList::TImageList(int width, int height, TComponent* AOwner)
    : TComponent(AOwner), FWidth(width), FHeight(height),
      FImages(std::make_unique<TImageListImages>()) {}

TImageList::~TImageList() = default;

int TImageList::Count() const {
    return static_cast<int>(FImages->Images.size());
}

void TImageList::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        throw EInvalidOperation("Invalid ImageList Index");
}

int TImageList::AddEmpty() {
    QImage empty(FWidth, FHeight, QImage::Format_ARGB32_Premultiplied);
    empty.fill(Qt::transparent);
    FImages->Images.push_back(empty);
    return Count() - 1;
}

void TImageList::Replace(int index, const TBitmap& image, const TBitmap* mask) {
    CheckIndex(index);
    QImage picture = PartOfSize(image, FWidth, FHeight);
    if (mask) {
        QImage maskPicture = PartOfSize(*mask, FWidth, FHeight);
        LeaveOut(picture, [&](int x, int y) { return SameRgb(maskPicture.pixel(x, y), clWhite); });
    }
    FImages->Images[index] = picture;
}

void TImageList::ReplaceMasked(int index, const TBitmap& image, TColor maskColor) {
    CheckIndex(index);
    QImage picture = PartOfSize(image, FWidth, FHeight);
    LeaveOut(picture, [&](int x, int y) { return SameRgb(picture.pixel(x, y), maskColor); });
    FImages->Images[index] = picture;
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, TColor background) const {
    CheckIndex(index);
    TBitmap picture;
    QImage& shown = BitmapImage(picture);
    shown = FImages->Images[index];
    if (background != clNone) {
        QImage filled(shown.size(), QImage::Format_ARGB32_Premultiplied);
        filled.fill(ToQColor(background));
        QPainter painter(&filled);
        painter.drawImage(0, 0, shown);
        painter.end();
        shown = filled;
    }
    canvas.Draw(x, y, picture);
}
