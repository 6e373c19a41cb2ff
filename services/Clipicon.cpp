#include "services/Clipicon.h"

#include "platform/Clipbrd.h"
#include "platform/Graphics.h"

UINT CF_ICON = 0;

void RegisterIconClipboardFormat() {
    CF_ICON = RegisterClipboardFormat("Quiltmarker Icon");
    TPicture::RegisterClipboardFormat(CF_ICON, [] { return std::make_unique<TIcon>(); });
}
