#pragma once
// What the main window's tests share: settings written before the window is made, the window
// itself, and pages put in use without the document commands.

#include "TestSupport.h"
#include "app/MainFormFeatures.h"
#include "editor/CorvaletForm.h"
#include "editor/Documents.h"
#include "editor/EditCommands.h"

#include "platform/FileListBox.h"
#include "platform/FileUtils.h"
#include "platform/Registry.h"

#include <filesystem>
#include <memory>
#include <variant>

namespace MainWindowSupport {

inline const String ProductKey = "\\Software\\Olvane\\Quiltmarker";

// A registry value as a test stores it: an integer or a string.
struct TStoredValue {
    String Name;
    std::variant<int, String> Value;
};

inline void Store(const String& key, std::initializer_list<TStoredValue> values) {
    TRegistry reg;
    if (!reg.OpenKey(key, true))
        throw std::runtime_error("cannot open " + key);
    for (const TStoredValue& value : values) {
        if (const int* number = std::get_if<int>(&value.Value))
            reg.WriteInteger(value.Name, *number);
        else
            reg.WriteString(value.Name, std::get<String>(value.Value));
    }
}

inline std::unique_ptr<THTMLEMainForm> MakeMainWindow() {
    THTMLEMainForm::SetFeatureMaker(MakeMainFormFeatures);
    return std::make_unique<THTMLEMainForm>(nullptr);
}

// Puts a document on the page as opening would leave it, and makes the page active.
inline void UsePage(THTMLEMainForm& form, int page, const String& fileName, const String& text,
                    bool modified = false) {
    TRichEdit* editor = form.Memos[page];
    editor->SetText(text);
    editor->SetModified(modified);
    form.FileNames[page] = fileName;
    form.TabSheets[page]->SetCaption(ExtractFileName(fileName));
    form.TabSheets[page]->SetTabVisible(true);
    form.PageControl1->SetActivePage(form.TabSheets[page]);
    form.PageControl1->SetVisible(true);
}

// The file list read again, then the named files selected, the last of them current.
inline void SelectListedFiles(THTMLEMainForm& form, std::initializer_list<String> names) {
    TFileListBox* list = form.WorkingFileList();
    list->Update();
    for (int i = 0; i < list->Items().Count(); ++i)
        for (const String& name : names)
            if (list->Items()[i] == name) {
                list->SetSelected(i, true);
                list->SetItemIndex(i);
            }
}

// A fresh folder in the test's sandbox, with its trailing delimiter.
inline String Folder(const String& name) {
    String folder = TestSupport::Sandbox(name);
    std::filesystem::create_directories(folder);
    return IncludeTrailingPathDelimiter(folder);
}

inline String PanelText(const THTMLEMainForm& form, int panel) {
    return form.StatusBar1->Panels().Items(panel)->Text();
}

} // namespace MainWindowSupport
