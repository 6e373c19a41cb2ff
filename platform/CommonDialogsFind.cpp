// The modeless find and replace dialogs, and the Qt window that shows them.

#include "platform/CommonDialogs.h"
#include "platform/DisplayText.h"
#include "platform/Forms.h"
#include "platform/Peer.h"
#include "platform/TestHooks.h"
#include <QPointer>

#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <vector>

// The window of a shown find or replace dialog. It hands every edit of its texts and options to
// the dialog at once, so the dialog always holds what the user sees, and reports its buttons.
class TFindDialogPeer : public QObject {
public:
    explicit TFindDialogPeer(TFindDialog& dialog);
    // The window may have gone already with the form that owns it.
    ~TFindDialogPeer() override { delete FWindow.data(); }
    void Show();
    void Hide() { FWindow->hide(); }
    // The dialog's state, put into the window before it is shown.
    void Load();

private:
    void BuildTexts(QGridLayout* grid);
    void BuildOptions(QGridLayout* grid);
    QVBoxLayout* BuildButtons();
    void ReadOptions();
    // The buttons that search need something to search for.
    void EnableSearchButtons();
    void Press(TFindButton button);
    TFindOptions Switched(TFindOptions options, TFindOption option, bool on) const {
        return on ? (options << option) : (options >> option);
    }

    TFindDialog& FDialog;
    QPointer<QDialog> FWindow;
    QLineEdit* FFindEdit = nullptr;
    QLineEdit* FReplaceEdit = nullptr;
    QCheckBox* FWholeWord = nullptr;
    QCheckBox* FMatchCase = nullptr;
    QRadioButton* FUp = nullptr;
    QRadioButton* FDown = nullptr;
    std::vector<QPushButton*> FSearchButtons;
    bool FLoading = false;
};

namespace {

// The form that owns the dialog keeps it in front of itself, as an owned window stays above its
// owner, so the dialog does not vanish behind the page it searches.
QWidget* OwnerWindow(const TFindDialog& dialog) {
    auto* form = dynamic_cast<TForm*>(dialog.Owner());
    return form ? form->Peer().Widget() : nullptr;
}

// A label whose underlined letter takes the user to its box.
QLabel* LabelFor(const char* caption, QWidget* box) {
    auto* label = new QLabel(caption);
    label->setBuddy(box);
    return label;
}

} // namespace

TFindDialogPeer::TFindDialogPeer(TFindDialog& dialog)
    : FDialog(dialog), FWindow(new QDialog(OwnerWindow(dialog))) {
    FWindow->setWindowTitle(DisplayText(dialog.Title()));
    FWindow->setModal(false);
    auto* grid = new QGridLayout;
    BuildTexts(grid);
    BuildOptions(grid);
    auto* row = new QHBoxLayout(FWindow);
    row->addLayout(grid);
    row->addLayout(BuildButtons());
    QObject::connect(FWindow, &QDialog::finished, this, [this](int) {
        if (FDialog.Showing())
            FDialog.ButtonPressed(TFindButton::Cancel);
    });
}

void TFindDialogPeer::BuildTexts(QGridLayout* grid) {
    FFindEdit = new QLineEdit;
    FFindEdit->setMaxLength(TFindDialog::MaxTextLength);
    grid->addWidget(LabelFor("Fi&nd what:", FFindEdit), 0, 0);
    grid->addWidget(FFindEdit, 0, 1);
    QObject::connect(FFindEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        FDialog.TextEdited(TextFromDisplay(text));
        EnableSearchButtons();
    });
    if (!FDialog.Replacing())
        return;
    auto& replacing = static_cast<TReplaceDialog&>(FDialog);
    FReplaceEdit = new QLineEdit;
    FReplaceEdit->setMaxLength(TFindDialog::MaxTextLength);
    grid->addWidget(LabelFor("Re&place with:", FReplaceEdit), 1, 0);
    grid->addWidget(FReplaceEdit, 1, 1);
    QObject::connect(FReplaceEdit, &QLineEdit::textEdited, this, [&replacing](const QString& text) {
        replacing.ReplaceTextEdited(TextFromDisplay(text));
    });
}

void TFindDialogPeer::BuildOptions(QGridLayout* grid) {
    FWholeWord = new QCheckBox("Match &whole word only");
    FMatchCase = new QCheckBox("Match &case");
    FUp = new QRadioButton("&Up");
    FDown = new QRadioButton("&Down");
    grid->addWidget(FWholeWord, 2, 0, 1, 2);
    grid->addWidget(FMatchCase, 3, 0, 1, 2);
    auto* direction = new QHBoxLayout;
    direction->addWidget(FUp);
    direction->addWidget(FDown);
    grid->addLayout(direction, 4, 0, 1, 2);
    for (QAbstractButton* box :
         {static_cast<QAbstractButton*>(FWholeWord), static_cast<QAbstractButton*>(FMatchCase),
          static_cast<QAbstractButton*>(FDown)})
        QObject::connect(box, &QAbstractButton::toggled, this, [this](bool) { ReadOptions(); });
}

QVBoxLayout* TFindDialogPeer::BuildButtons() {
    auto* column = new QVBoxLayout;
    auto add = [this, column](const char* caption, TFindButton button) {
        auto* push = new QPushButton(caption);
        column->addWidget(push);
        QObject::connect(push, &QPushButton::clicked, this, [this, button] { Press(button); });
        if (button != TFindButton::Cancel)
            FSearchButtons.push_back(push);
        return push;
    };
    add("&Find Next", TFindButton::FindNext)->setDefault(true);
    if (FDialog.Replacing()) {
        add("&Replace", TFindButton::Replace);
        add("Replace &All", TFindButton::ReplaceAll);
    }
    add("Cancel", TFindButton::Cancel);
    column->addStretch();
    return column;
}

void TFindDialogPeer::Load() {
    FLoading = true;
    TFindOptions options = FDialog.Options();
    FFindEdit->setText(DisplayText(FDialog.FindText()));
    if (FReplaceEdit)
        FReplaceEdit->setText(DisplayText(static_cast<TReplaceDialog&>(FDialog).ReplaceText()));
    FWholeWord->setChecked(options.Contains(frWholeWord));
    FWholeWord->setVisible(!options.Contains(frHideWholeWord));
    FWholeWord->setEnabled(!options.Contains(frDisableWholeWord));
    FMatchCase->setChecked(options.Contains(frMatchCase));
    FMatchCase->setVisible(!options.Contains(frHideMatchCase));
    FMatchCase->setEnabled(!options.Contains(frDisableMatchCase));
    FDown->setChecked(options.Contains(frDown));
    FUp->setChecked(!options.Contains(frDown));
    for (QRadioButton* radio : {FUp, FDown}) {
        radio->setVisible(!options.Contains(frHideUpDown));
        radio->setEnabled(!options.Contains(frDisableUpDown));
    }
    EnableSearchButtons();
    FLoading = false;
}

void TFindDialogPeer::EnableSearchButtons() {
    for (QPushButton* button : FSearchButtons)
        button->setEnabled(!FFindEdit->text().isEmpty());
}

void TFindDialogPeer::ReadOptions() {
    if (FLoading)
        return;
    TFindOptions options = FDialog.Options();
    options = Switched(options, frWholeWord, FWholeWord->isChecked());
    options = Switched(options, frMatchCase, FMatchCase->isChecked());
    options = Switched(options, frDown, FDown->isChecked());
    FDialog.OptionsEdited(options);
}

void TFindDialogPeer::Show() {
    Load();
    FWindow->show();
    FWindow->raise();
    FWindow->activateWindow();
}

void TFindDialogPeer::Press(TFindButton button) {
    // The window may go while the program answers the button: the dialog is told by value.
    QPointer<QDialog> window(FWindow);
    FDialog.ButtonPressed(button);
    if (window && button == TFindButton::Cancel)
        window->hide();
}

// ---- TFindDialog

TFindDialog::TFindDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}

TFindDialog::~TFindDialog() = default;

void TFindDialog::SetFindText(const String& value) {
    FFindText = value.substr(0, MaxTextLength);
    if (FPeer && FShowing)
        FPeer->Load();
}

void TFindDialog::SetOptions(TFindOptions value) {
    FOptions = value;
    if (FPeer && FShowing)
        FPeer->Load();
}

void TReplaceDialog::SetReplaceText(const String& value) {
    FReplaceText = value.substr(0, MaxTextLength);
}

bool TFindDialog::Execute() {
    FShowing = true;
    if (TestHooks::RecordModelessDialog(Kind(), Title(), FFindText))
        return true;
    if (!FPeer)
        FPeer = std::make_unique<TFindDialogPeer>(*this);
    FPeer->Show();
    return true;
}

void TFindDialog::CloseDialog() {
    if (!FShowing)
        return;
    FShowing = false;
    if (FPeer)
        FPeer->Hide();
    if (OnClose)
        OnClose(this);
}

void TFindDialog::ButtonPressed(TFindButton button) {
    FOptions -= TFindOptions{frFindNext, frReplace, frReplaceAll};
    switch (button) {
    case TFindButton::FindNext:
        FOptions << frFindNext;
        if (OnFind)
            OnFind(this);
        break;
    case TFindButton::Replace:
        FOptions << frReplace;
        DoReplace();
        break;
    case TFindButton::ReplaceAll:
        FOptions << frReplaceAll;
        DoReplace();
        break;
    case TFindButton::Cancel:
        CloseDialog();
        break;
    }
}
