#include "platform/Clipbrd.h"
#include "platform/DisplayText.h"
#include "platform/Graphics.h"
#include "platform/Peer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <map>
#include <memory>

namespace {

constexpr UINT FirstNamedFormat = 0xC000;

std::map<String, UINT>& NamedFormats() {
    static std::map<String, UINT> formats;
    return formats;
}

// A named format goes by Qt's name for a Windows clipboard format, so that it means the same
// thing to every program that uses the name.
QString MimeTypeOf(UINT format) {
    for (const auto& [name, number] : NamedFormats())
        if (number == format)
            return QStringLiteral("application/x-qt-windows-mime;value=\"%1\"")
                .arg(QString::fromUtf8(name.c_str()));
    return QString();
}

// The blocks gathered while the clipboard is open.
std::unique_ptr<QMimeData>& Pending() {
    static std::unique_ptr<QMimeData> pending;
    return pending;
}

bool Offers(const QMimeData* data, UINT format) {
    if (!data)
        return false;
    if (format == CF_TEXT)
        return data->hasText();
    if (format == CF_BITMAP)
        return data->hasImage();
    QString type = MimeTypeOf(format);
    return !type.isEmpty() && data->hasFormat(type);
}

// The clipboard's data when it offers the format; none without an application.
const QMimeData* ClipboardData(UINT format) {
    if (!QGuiApplication::instance())
        return nullptr;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return Offers(data, format) ? data : nullptr;
}

void AddBlock(QMimeData& data, UINT format, const String& block) {
    if (format == CF_TEXT) {
        data.setText(DisplayText(String(block.c_str())));
    } else if (format == CF_BITMAP) {
        TMemoryStream stream;
        stream.WriteBuffer(block.data(), static_cast<int>(block.size()));
        stream.SetPosition(0);
        TBitmap bitmap;
        bitmap.LoadFromStream(stream);
        data.setImageData(BitmapImage(bitmap));
    } else if (QString type = MimeTypeOf(format); !type.isEmpty()) {
        data.setData(type, QByteArray(block.data(), static_cast<qsizetype>(block.size())));
    }
}

String BitmapBlock(const QMimeData& data) {
    TBitmap bitmap;
    BitmapImage(bitmap) =
        qvariant_cast<QImage>(data.imageData()).convertToFormat(QImage::Format_RGB32);
    if (bitmap.Empty())
        return String();
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    return String(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

} // namespace

UINT RegisterClipboardFormat(const String& name) {
    if (name.empty())
        return 0;
    auto& formats = NamedFormats();
    for (const auto& [known, number] : formats)
        if (SameText(known, name))
            return number;
    UINT number = FirstNamedFormat + static_cast<UINT>(formats.size());
    formats.emplace(name, number);
    return number;
}

void SetClipboardData(UINT format, const String& block) {
    if (!QGuiApplication::instance())
        return;
    if (Pending()) {
        AddBlock(*Pending(), format, block);
        return;
    }
    auto data = std::make_unique<QMimeData>();
    AddBlock(*data, format, block);
    QGuiApplication::clipboard()->setMimeData(data.release());
}

bool GetClipboardData(UINT format, String& block) {
    const QMimeData* data = ClipboardData(format);
    if (!data)
        return false;
    if (format == CF_TEXT) {
        block = TextFromDisplay(data->text());
        block += '\0';
    } else if (format == CF_BITMAP) {
        block = BitmapBlock(*data);
    } else {
        QByteArray bytes = data->data(MimeTypeOf(format));
        block.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
    }
    return true;
}

void TClipboard::Open() {
    if (!Pending())
        Pending() = std::make_unique<QMimeData>();
}

void TClipboard::Close() {
    std::unique_ptr<QMimeData> data = std::move(Pending());
    if (data && QGuiApplication::instance())
        QGuiApplication::clipboard()->setMimeData(data.release());
}

bool TClipboard::HasFormat(UINT format) const {
    return ClipboardData(format) != nullptr;
}

String TClipboard::AsText() const {
    const QMimeData* data = ClipboardData(CF_TEXT);
    return data ? TextFromDisplay(data->text()) : String();
}

void TClipboard::SetAsText(const String& text) {
    SetClipboardData(CF_TEXT, text);
}

TClipboard* Clipboard() {
    static TClipboard clipboard;
    return &clipboard;
}
