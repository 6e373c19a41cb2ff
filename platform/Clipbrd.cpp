#include "platform/Clipbrd.h"
#include "platform/DisplayText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

QClipboard* SystemClipboard() {
    return QGuiApplication::instance() ? QGuiApplication::clipboard() : nullptr;
}

} // namespace

bool TClipboard::HasFormat(UINT format) const {
    QClipboard* clipboard = SystemClipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return format == CF_TEXT && data && data->hasText();
}

String TClipboard::AsText() const {
    QClipboard* clipboard = SystemClipboard();
    return clipboard ? TextFromDisplay(clipboard->text()) : String();
}

TClipboard* Clipboard() {
    static TClipboard clipboard;
    return &clipboard;
}
