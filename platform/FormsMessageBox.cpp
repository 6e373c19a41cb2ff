#include "platform/Forms.h"
#include "platform/Peer.h"
#include "platform/TestHooks.h"

#include <QApplication>
#include <QMessageBox>

#include <vector>

namespace {

// Each line end (CR LF, LF CR, a lone CR or LF) shows as one line break.
QString MessageBoxText(const String& text) {
    String lines;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\r' && c != '\n') {
            lines += c;
            continue;
        }
        lines += '\n';
        if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n') && text[i + 1] != c)
            ++i;
    }
    return DisplayText(lines);
}

struct BoxButton {
    QMessageBox::StandardButton Button;
    int Id;
};

std::vector<BoxButton> ButtonsOf(UINT flags) {
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
        return {{QMessageBox::Abort, IDABORT},
                {QMessageBox::Retry, IDRETRY},
                {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL:
        return {
            {QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL:
        return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default:
        return {{QMessageBox::Ok, IDOK}};
    }
}

// What closing the box without choosing gives: Cancel where there is one, else the safe answer.
int DismissAnswer(UINT flags) {
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL:
        return IDCANCEL;
    case MB_YESNO:
        return IDNO;
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    default:
        return IDOK;
    }
}

QMessageBox::Icon IconOf(UINT flags) {
    switch (flags & MB_ICONMASK) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONWARNING:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QWidget* WindowOf(HWND owner) {
    if (TWinControl* control = FindControl(owner))
        return control->Peer().Widget()->window();
    if (Screen && Screen->ActiveForm())
        return Screen->ActiveForm()->Peer().Widget();
    return nullptr;
}

} // namespace

int MessageBox(HWND owner, const String& text, const String& caption, UINT flags) {
    TModalScope modal;
    if (TestHooks::Active()) {
        int id = 0;
        return TestHooks::TakeMessageBoxAnswer(caption, text, flags, id) ? id
                                                                         : DismissAnswer(flags);
    }
    QMessageBox box(IconOf(flags), DisplayText(caption), MessageBoxText(text),
                    QMessageBox::NoButton, WindowOf(owner));
    std::vector<BoxButton> buttons = ButtonsOf(flags);
    for (const BoxButton& button : buttons)
        box.addButton(button.Button);
    size_t defaultIndex = (flags & MB_DEFMASK) >> 8;
    if (defaultIndex < buttons.size())
        box.setDefaultButton(buttons[defaultIndex].Button);
    box.exec();
    for (const BoxButton& button : buttons)
        if (box.clickedButton() == box.button(button.Button))
            return button.Id;
    return DismissAnswer(flags);
}

// The plain message is one of the program's own dialogs: the form it covers is activated again
// when it closes.
void ShowMessage(const String& text) {
    TForm* active = Screen->ActiveForm();
    if (active)
        active->SetActive(false);
    MessageBox(nullptr, text, Application ? Application->Title() : String(), MB_OK);
    if (active && active->Visible())
        active->SetActive(true);
}

BOOL MessageBeep(UINT type) {
    if (!TestHooks::RecordBeep(type))
        QApplication::beep();
    return 1;
}
