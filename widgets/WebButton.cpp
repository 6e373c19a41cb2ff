#include "widgets/WebButton.h"

#include "platform/Forms.h"

TWebButton::TWebButton(TComponent* AOwner) : TSpeedButton(AOwner) {
    Screen->SetCursors(crWebButtonHand, LoadCursor(HInstance, "WBHAND"));
    SetCursor(crWebButtonHand);
    SetServiceType(svHTTP);
}

void TWebButton::SetServiceType(TServType value) {
    FServiceType = value;
    Glyph().LoadFromResourceName(HInstance, value == svMAIL ? "MAILIMAGE" : "WEBIMAGE");
}

void TWebButton::Click() {
    TSpeedButton::Click();
    GoToURL();
}

void TWebButton::GoToURL(const String& address) {
    OpenLink(FServiceType, address.empty() ? FURL : address, FSubject, FBody);
}
