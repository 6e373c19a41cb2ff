#pragma once
// Opening web addresses and starting mail messages with the programs the system has registered
// for them, and the hand cursor that link-like controls show. Nothing here talks to a network:
// the registered program's command line is read from the machine's registry (on this platform,
// the desktop's default handlers, which the user may change there) and started with the address.

#include "platform/Component.h"
#include "platform/Controls.h"

// The kind of address of a web label or web button.
enum TServType { svHTTP, svMAIL };
// The kind of address TWebConnect opens.
using TServiceType = int;
enum : TServiceType { stWeb = 0, stMail = 1, stNews = 2, stFtp = 3 };

// The address handed to the mail program for a label or button: "mailto:" in front unless the
// address holds one, then "?subject=" and the subject, then "&body=" and the body with every "|"
// written as a line break ("%0D%0A"). A double quote is written as "%22" in both, so neither can
// end the argument it stands in. Without a subject the body follows "?body=".
String MailTarget(const String& address, const String& subject, const String& body);

// Starts the program registered for the service with the target. A missing registration is
// reported with its message ("Can't find default browser." and the like) and starts nothing.
// The command line is split into its program and arguments first; its first "%1" then takes the
// target in whichever argument holds it, else the target is one more argument, so the target
// stays one argument whatever blanks or quotes it holds.
void StartRegisteredProgram(TServiceType service, const String& target);

// What a web label or web button does when clicked: a web address opens in the browser; a mail
// address starts a message with the subject and body.
void OpenLink(TServType service, const String& address, const String& subject, const String& body);

class TWebConnect : public TComponent {
public:
    explicit TWebConnect(TComponent* AOwner) : TComponent(AOwner) {}

    // The address opened when "*" is asked for.
    const String& DefaultURL() const { return FDefaultURL; }
    void SetDefaultURL(const String& value) { FDefaultURL = value; }

    // Opens the address ("*": DefaultURL) with the program for the service. A mail address loses
    // everything up to and including its first "mailto:".
    void GoToURL(const String& address = "*", TServiceType service = stWeb);

    // Puts the program's cursor of that name into the screen's cursor slot crWebHand.
    void LoadWebCursor(const String& cursorName = "HAND");
    // Gives the control the web hand cursor and switches its hint on; a plain TLabel also turns
    // blue and underlined, as a link looks.
    void SetWebCursor(TControl* control);

private:
    String FDefaultURL;
};

// The screen's cursor slot of the web hand.
constexpr int crWebHand = -21;
