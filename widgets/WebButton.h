#pragma once
// A speed button that opens its web address, or starts a mail message to its address, when
// clicked; its glyph shows which.

#include "platform/Buttons.h"
#include "widgets/WebConnect.h"

class TWebButton : public TSpeedButton {
public:
    explicit TWebButton(TComponent* AOwner);

    const String& URL() const { return FURL; }
    void SetURL(const String& value) { FURL = value; }
    TServType ServiceType() const { return FServiceType; }
    // Also loads the glyph: the letter for mail, the globe for the web.
    void SetServiceType(TServType value);
    // Mail only: the new message's subject, and its text, where "|" breaks a line.
    const String& Subject() const { return FSubject; }
    void SetSubject(const String& value) { FSubject = value; }
    const String& Body() const { return FBody; }
    void SetBody(const String& value) { FBody = value; }

    // OnClick runs first, so it may still change the address, subject or body; then the link opens.
    void Click() override;
    // Opens the address (empty: the button's URL).
    void GoToURL(const String& address = "");

private:
    String FURL;
    TServType FServiceType = svHTTP;
    String FSubject;
    String FBody;
};

// The screen's cursor slot of the web buttons' hand.
constexpr int crWebButtonHand = -22;
