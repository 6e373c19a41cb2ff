#include "platform/Clipbrd.h"
#include "platform/DisplayText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <vector>

namespace {

const UINT FirstRegisteredFormat = 0xC000;

std::vector<String>& RegisteredFormats() {
    static auto* names = new std::vector<String>;
    return *names;
}

// The data type under which a registered format's blocks travel; empty for other formats.
QString MimeTypeOf(UINT format) {
    const auto& names = RegisteredFormats();
    if (format < FirstRegisteredFormat || format - FirstRegisteredFormat >= names.size())
        return QString();
    return "application/x-quiltmarker-" +
           QString::fromUtf8(names[format - FirstRegisteredFormat].c_str())
               .toLower()
               .replace(' ', '-');
}

// The clipboard's data when it offers the format; none without an application.
const QMimeData* ClipboardData(UINT format) {
    if (!QGuiApplication::instance())
        return nullptr;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return nullptr;
    if (format == CF_TEXT)
        return data->hasText() ? data : nullptr;
    const QString type = MimeTypeOf(format);
    return !type.isEmpty() && data->hasFormat(type) ? data : nullptr;
}

} // namespace

UINT RegisterClipboardFormat(const String& name) {
    if (name.empty())
        return 0;
    auto& names = RegisteredFormats();
    for (size_t i = 0; i < names.size(); ++i)
        if (SameText(names[i], name))
            return FirstRegisteredFormat + static_cast<UINT>(i);
    names.push_back(name);
    return FirstRegisteredFormat + static_cast<UINT>(names.size() - 1);
}

void SetClipboardData(UINT format, const String& block) {
    if (!QGuiApplication::instance())
        return;
    if (format == CF_TEXT) {
        QGuiApplication::clipboard()->setText(DisplayText(String(block.c_str())));
        return;
    }
    const QString type = MimeTypeOf(format);
    if (type.isEmpty())
        return;
    auto* data = new QMimeData;
    data->setData(type, QByteArray(block.data(), static_cast<qsizetype>(block.size())));
    QGuiApplication::clipboard()->setMimeData(data);
}

bool GetClipboardData(UINT format, String& block) {
    const QMimeData* data = ClipboardData(format);
    if (!data)
        return false;
    if (format != CF_TEXT) {
        const QByteArray bytes = data->data(MimeTypeOf(format));
        block.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
        return true;
    }
    block = TextFromDisplay(data->text());
    block += '\0';
    return true;
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
