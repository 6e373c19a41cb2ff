#include "site/ImageIndexing.h"

#include "editor/CorvaletForm.h"

#include "editor/Documents.h"
#include "editor/HelpPointer.h"
#include "platform/Events.h"
#include "platform/FileListBox.h"
#include "platform/FileUtils.h"
#include "platform/Registry.h"
#include "services/ProgramSettings.h"
#include "site/FilePane.h"
#include "site/ImageIndex.h"
#include "tags/HTMLGlobal.h"
#include "widgets/QmFilSys.h"

#include <algorithm>

namespace {

// An image counts at least this wide when the rows are filled.
const int NarrowestImage = 100;

int StoredSizeLimit() {
    String stored;
    TRegistry reg;
    if (reg.OpenKeyReadOnly(ProductKey) && !ReadSetting(reg, "MaxEditSize", stored)) {
        int number = 0;
        if (ReadSetting(reg, "MaxEditSize", number))
            stored = IntToStr(number);
    }
    return ImageIndexSizeLimit(stored);
}

using TSizeReader = String (TGlobalForm::*)(const String&, char);

// The reader of the first kind whose extension the name holds in lower or upper case; a name
// whose extension mixes the cases is of no kind.
TSizeReader SizeReaderOf(const String& name) {
    struct TKind {
        const char* Lower;
        const char* Upper;
        TSizeReader Reader;
    };
    static const TKind kinds[] = {{".gif", ".GIF", &TGlobalForm::GetGifSize},
                                  {".jpg", ".JPG", &TGlobalForm::GetJpegSize},
                                  {".bmp", ".BMP", &TGlobalForm::GetBmpSize},
                                  {".png", ".PNG", &TGlobalForm::GetPngSize}};
    for (const TKind& kind : kinds)
        if (name.find(kind.Lower) != String::npos || name.find(kind.Upper) != String::npos)
            return kind.Reader;
    return nullptr;
}

void AppendLines(TRichEdit* editor, const std::vector<String>& lines) {
    for (const String& line : lines)
        editor->Lines().Add(line);
}

// Gives the file list its mask back however the index ends.
class TMaskKeeper {
public:
    explicit TMaskKeeper(TFileListBox* list) : FList(list), FMask(list->Mask()) {}
    ~TMaskKeeper() { FList->SetMask(FMask); }
    TMaskKeeper(const TMaskKeeper&) = delete;
    TMaskKeeper& operator=(const TMaskKeeper&) = delete;

private:
    TFileListBox* FList;
    String FMask;
};

// Forgets the index's page however the index ends, so the command can run again.
class TIndexPageScope {
public:
    explicit TIndexPageScope(int& page) : FPage(page) {}
    ~TIndexPageScope() { FPage = -1; }
    TIndexPageScope(const TIndexPageScope&) = delete;
    TIndexPageScope& operator=(const TIndexPageScope&) = delete;

private:
    int& FPage;
};

} // namespace

void TImageIndex::Build() {
    CreateImageIndex1 = InsertItem(&Form, Form.File1, Form.Documents->Close1->MenuIndex(),
                                   "CreateImageIndex1", "Create &Image Index");
    ListBox2 = NewControl<TListBox>(&Form, &Form, "ListBox2");
    ListBox2->SetVisible(false);
    ListBox2->SetSorted(true);
    ListBox = NewControl<TListBox>(&Form, &Form, "ListBox");
    ListBox->SetVisible(false);
    ListBox->SetSorted(true);
}

void TImageIndex::Bind() {
    CreateImageIndex1->OnClick = Handler(this, &TImageIndex::CreateImageIndex1Click);
}

// The rows are written into the index's own page, not whichever page is active when the pending
// messages have been processed; an index already being written is not begun again, and one whose
// page the user closed meanwhile stops.
void TImageIndex::CreateImageIndex1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::CreateImageIndex1Click) || ImageIndexPage >= 0)
        return;
    const int sizeLimit = StoredSizeLimit();
    const String folder = Form.FilePane->DirectoryListBox1->Directory();
    ImageIndexFolder = folder;
    if (!FolderReadProblem(folder).empty()) {
        Form.FilePane->ReportUnreadableFolder(folder);
        return;
    }
    {
        TMaskKeeper keeper(Form.FilePane->FileListBox1);
        Form.FilePane->FileListBox1->SetDirectory(folder);
        Form.FilePane->FileListBox1->SetMask(ImageIndexMask);
        ListBox2->Clear();
        ListBox2->Items().AddStrings(Form.FilePane->FileListBox1->Items());
    }
    ListBox->Clear();

    TIndexPageScope scope(ImageIndexPage);
    int pageNumber = 1;
    if (!StartImageIndexPage(pageNumber))
        return;
    const int screenWidth = Screen->Width();
    int rowWidth = 0;
    const int count = ListBox2->Items().Count();
    for (int i = 0; i < count; ++i) {
        const String name = ListBox2->Items()[i];
        int height = 0, width = 0;
        GetImageSize(IncludeTrailingPathDelimiter(folder) + name, height, width);
        width = std::max(width, NarrowestImage);
        if (ListBox->Items().Count() > 0 && rowWidth + width > screenWidth) {
            WriteImageIndexRow();
            if (!Form.PageInUse(ImageIndexPage))
                return;
            rowWidth = 0;
            ListBox->Clear();
            if (i + 1 < count && Form.GetMemo(ImageIndexPage)->GetTextLen() > sizeLimit - 1000) {
                EndImageIndexPage();
                if (!StartImageIndexPage(++pageNumber))
                    return;
            }
        }
        rowWidth += width;
        ListBox->Items().Add(name);
    }
    if (ListBox->Items().Count() > 0) {
        WriteImageIndexRow();
        if (!Form.PageInUse(ImageIndexPage))
            return;
    }
    EndImageIndexPage();
}

bool TImageIndex::StartImageIndexPage(int pageNumber) {
    const int page = Form.FirstFreePage();
    Form.Documents->FileNewButtonClick(&Form);
    if (page < 0 || !Form.PageInUse(page))
        return false;
    ImageIndexPage = page;
    AppendLines(Form.GetMemo(page), ImageIndexHead(ImageIndexFolder, pageNumber));
    return true;
}

// Only the file's name decides its kind; the folder's name does not.
void TImageIndex::GetImageSize(const String& fileName, int& height, int& width) {
    height = 0;
    width = 0;
    if (TSizeReader reader = SizeReaderOf(ExtractFileName(fileName)); reader && GlobalForm) {
        width = StrToIntDef((GlobalForm->*reader)(fileName, 'W'), 0);
        height = StrToIntDef((GlobalForm->*reader)(fileName, 'H'), 0);
    }
    if (width <= 0)
        width = Screen->Width();
}

void TImageIndex::WriteImageIndexRow() {
    const String folder = IncludeTrailingPathDelimiter(ImageIndexFolder);
    std::vector<TIndexImage> row;
    for (int i = 0; i < ListBox->Items().Count(); ++i) {
        TIndexImage image{ListBox->Items()[i]};
        GetImageSize(folder + image.Name, image.Height, image.Width);
        row.push_back(image);
    }
    TRichEdit* editor = Form.GetMemo(ImageIndexPage);
    AppendLines(editor, ImageIndexRow(row));
    editor->SetSelStart(editor->GetTextLen());
    editor->Perform(EM_SCROLLCARET, 0, 0);
    Application->ProcessMessages();
}

void TImageIndex::EndImageIndexPage() {
    AppendLines(Form.GetMemo(ImageIndexPage), ImageIndexFoot(Now()));
}
