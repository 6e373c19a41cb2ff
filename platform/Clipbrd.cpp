#include "platform/Clipbrd.h"
#include "platform/DisplayText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

// The clipboard's data when it offers the format; none without an application.
const QMimeData* ClipboardData(UINT format) {
    if (!QGuiApplication::instance() || format != CF_TEXT)
        return nullptr;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText() ? data : nullptr;
}

} // namespace

void SetClipboardData(UINT format, const String& block) {
    if (!QGuiApplication::instance() || format != CF_TEXT)
        return;
    QGuiApplication::clipboard()->setText(DisplayText(String(block.c_str())));
}

bool GetClipboardData(UINT format, String& block) {
    const QMimeData* data = ClipboardData(format);
    if (!data)
        return false;
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
