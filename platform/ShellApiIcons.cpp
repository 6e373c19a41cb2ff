#include "platform/FileUtils.h"
#include "platform/Peer.h"
#include "platform/ShellApi.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QMimeDatabase>
#include <QPainter>
#include <QStyle>

#include <cstdlib>

namespace {

bool IsIconFile(const String& fileName) {
    return LowerCase(ExtractFileExt(fileName)) == ".ico";
}

QString NativeName(const String& fileName) {
    return QString::fromUtf8(fileName.c_str());
}

// The icon file's picture nearest the size asked for, scaled to it.
QImage ReadIconFile(const String& fileName, int size) {
    QImageReader reader(NativeName(fileName), "ico");
    QImage best;
    do {
        QImage image = reader.read();
        if (image.isNull())
            break;
        if (best.isNull() || std::abs(image.width() - size) < std::abs(best.width() - size))
            best = image;
    } while (reader.jumpToNextImage());
    if (best.isNull())
        return best;
    return best.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QIcon ThemeIconFor(const String& fileName) {
    QMimeType type = QMimeDatabase().mimeTypeForFile(NativeName(fileName));
    QIcon icon = QIcon::fromTheme(type.iconName());
    if (icon.isNull())
        icon = QIcon::fromTheme(type.genericIconName());
    if (icon.isNull() && QApplication::style())
        icon = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
    return icon;
}

// The picture centred on a transparent square, as an icon is drawn; its alpha channel, not a
// transparent colour, says where the icon is.
void PutIcon(const QImage& image, int size, TBitmap& icon) {
    QImage square(size, size, QImage::Format_ARGB32_Premultiplied);
    square.fill(Qt::transparent);
    QPainter painter(&square);
    painter.drawImage((size - image.width()) / 2, (size - image.height()) / 2, image);
    painter.end();
    BitmapImage(icon) = square;
}

} // namespace

int ExtractIconCount(const String& fileName) {
    if (!FileExists(fileName) || !IsIconFile(fileName))
        return 0;
    return QImageReader(NativeName(fileName), "ico").read().isNull() ? 0 : 1;
}

bool ExtractIcon(const String& fileName, int index, int size, TBitmap& icon) {
    ++IconExtractions();
    if (index != 0 || ExtractIconCount(fileName) == 0)
        return false;
    QImage image = ReadIconFile(fileName, size);
    if (image.isNull())
        return false;
    PutIcon(image, size, icon);
    return true;
}

bool SHGetFileIcon(const String& fileName, int size, TBitmap& icon) {
    if (!FileExists(fileName))
        return false;
    QImage image;
    if (IsIconFile(fileName))
        image = ReadIconFile(fileName, size);
    if (image.isNull()) {
        QIcon themed = ThemeIconFor(fileName);
        if (!themed.isNull())
            image = themed.pixmap(size, size).toImage();
    }
    if (image.isNull())
        return false;
    PutIcon(image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation), size, icon);
    return true;
}

int& IconExtractions() {
    static int count = 0;
    return count;
}
