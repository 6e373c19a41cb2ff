#pragma once
// A label that looks like a link and opens its web address, or starts a mail message to its
// address, when clicked.

#include "platform/StdCtrls.h"
#include "widgets/WebConnect.h"

class TWebLabel : public TLabel {
public:
    explicit TWebLabel(TComponent* AOwner);

    const String& URL() const { return FURL; }
    void SetURL(const String& value) { FURL = value; }
    TServType ServiceType() const { return FServiceType; }
    void SetServiceType(TServType value) { FServiceType = value; }
    // The font colour the label takes once its link was opened.
    TColor FontClickedColor() const { return FFontClickedColor; }
    void SetFontClickedColor(TColor value) { FFontClickedColor = value; }
    // Kept with the label; the text's colour is the font's.
    TColor FontLinkColor() const { return FFontLinkColor; }
    void SetFontLinkColor(TColor value) { FFontLinkColor = value; }
    // Mail only: the new message's subject, and its text, where "|" breaks a line.
    const String& Subject() const { return FSubject; }
    void SetSubject(const String& value) { FSubject = value; }
    const String& Body() const { return FBody; }
    void SetBody(const String& value) { FBody = value; }

    // OnClick runs first, so it may still change the address, subject or body; then the link opens.
    void Click() override;
    // Opens the address (empty: the label's URL) and shows the clicked colour.
    void GoToURL(const String& address = "");

private:
    String FURL;
    TServType FServiceType = svHTTP;
    TColor FFontClickedColor = clRed;
    TColor FFontLinkColor = clBlue;
    String FSubject;
    String FBody;
};

// The screen's cursor slot of the web labels' hand.
constexpr int crWebLabelHand = -23;
