#include "platform/Clipbrd.h"
#include "platform/DisplayText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

void SetClipboardData(UINT format, const String& block) {
    if (!QGuiApplication::instance() || format != CF_TEXT)
        return;
    QGuiApplication::clipboard()->setText(DisplayText(String(block.c_str())));
}

bool GetClipboardData(UINT format, String& block) {
    if (!QGuiApplication::instance() || format != CF_TEXT)
        return false;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return false;
    block = TextFromDisplay(data->text());
    block += '\0';
    return true;
}
