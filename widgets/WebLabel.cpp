#include "widgets/WebLabel.h"

#include "platform/Forms.h"

TWebLabel::TWebLabel(TComponent* AOwner) : TLabel(AOwner) {
    Font().SetStyle(TFontStyles{fsUnderline});
    Font().SetColor(clBlue);
    Screen->SetCursors(crWebLabelHand, LoadCursor(HInstance, "WLHAND"));
    SetCursor(crWebLabelHand);
    SetColor(clBtnFace);
}

void TWebLabel::Click() {
    TLabel::Click();
    GoToURL();
}

// The clicked colour shows even when no program is found, and stays.
void TWebLabel::GoToURL(const String& address) {
    Font().SetColor(FFontClickedColor);
    OpenLink(FServiceType, address.empty() ? FURL : address, FSubject, FBody);
}
