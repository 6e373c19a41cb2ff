#include "widgets/WebConnect.h"

#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/Processes.h"
#include "platform/Registry.h"

namespace {

const String ClassesKey = "Software\\Classes\\";
const String CommandKey = "\\Shell\\open\\command";

struct ServiceRegistration {
    const char* Scheme; // nullptr: the program that opens ".html" files
    const char* Missing;
};

const ServiceRegistration Registrations[] = {
    {nullptr, "Can't find default browser."},
    {"mailto", "Can't find default e-mail program."},
    {"news", "Can't find default newsreader."},
    {"ftp", "Can't find default ftp program."},
};

// The default value of the machine's key; false when the key or the value is missing.
bool ReadDefaultValue(const String& key, String& value) {
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    const bool found = reg.OpenKeyReadOnly(key) && reg.ValueExists("");
    if (found)
        value = reg.ReadString("");
    reg.CloseKey();
    return found;
}

bool RegisteredCommand(TServiceType service, String& command) {
    const ServiceRegistration& registration = Registrations[service];
    if (registration.Scheme)
        return ReadDefaultValue(ClassesKey + registration.Scheme + CommandKey, command);
    String fileType;
    return ReadDefaultValue(ClassesKey + ".html", fileType) &&
           ReadDefaultValue(ClassesKey + fileType + CommandKey, command);
}

String ReplaceEvery(const String& text, char c, const String& replacement) {
    String out;
    for (char ch : text)
        out += ch == c ? replacement : String(1, ch);
    return out;
}

} // namespace

String MailTarget(const String& address, const String& subject, const String& body) {
    String target = Pos("mailto:", address) > 0 ? address : "mailto:" + address;
    if (!subject.empty())
        target += "?subject=" + ReplaceEvery(subject, '"', "%22");
    if (!body.empty())
        target += (subject.empty() ? "?body=" : "&body=") +
                  ReplaceEvery(ReplaceEvery(body, '|', "%0D%0A"), '"', "%22");
    return target;
}

void StartRegisteredProgram(TServiceType service, const String& target) {
    if (service < stWeb || service > stFtp)
        return;
    String command;
    if (!RegisteredCommand(service, command)) {
        ShowMessage(Registrations[service].Missing);
        return;
    }
    std::vector<String> arguments = SplitCommandLine(command);
    bool placed = false;
    for (String& argument : arguments) {
        const size_t at = argument.find("%1");
        if (at != String::npos) {
            argument.replace(at, 2, target);
            placed = true;
            break;
        }
    }
    // An empty target adds nothing, as a blank at the end of a command line adds nothing.
    if (!placed && !target.empty())
        arguments.push_back(target);
    // A command that names no program starts nothing, as a wrong path in the registry would.
    if (arguments.empty())
        return;
    const String program = arguments.front();
    arguments.erase(arguments.begin());
    StartProgram(program, arguments);
}

void OpenLink(TServType service, const String& address, const String& subject, const String& body) {
    if (service == svMAIL)
        StartRegisteredProgram(stMail, MailTarget(address, subject, body));
    else
        StartRegisteredProgram(stWeb, address);
}

void TWebConnect::GoToURL(const String& address, TServiceType service) {
    String target = address == "*" ? FDefaultURL : address;
    if (service == stMail) {
        const size_t at = target.find("mailto:");
        if (at != String::npos)
            target.erase(0, at + 7);
    }
    StartRegisteredProgram(service, target);
}

void TWebConnect::LoadWebCursor(const String& cursorName) {
    Screen->SetCursors(crWebHand, LoadCursor(HInstance, cursorName.c_str()));
}

void TWebConnect::SetWebCursor(TControl* control) {
    control->SetCursor(crWebHand);
    control->SetShowHint(true);
    if (SameText(control->ClassName(), "TLabel")) {
        control->Font().SetColor(clBlue);
        control->Font().SetStyle(TFontStyles{fsUnderline});
        control->SetCursor(crWebHand);
    }
}
