#include "platform/FileUtils.h"
#include "platform/RichEdit.h"
#include "platform/RichEditPeer.h"

namespace {

void CheckLineIndex(int index, int upper) {
    if (index < 0 || index > upper)
        throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
}

} // namespace

int TRichEditStrings::Count() const {
    int lines = FEdit.LineCount();
    return FEdit.LineStart(lines - 1) == FEdit.GetTextLen() ? lines - 1 : lines;
}

String TRichEditStrings::Get(int index) const {
    CheckLineIndex(index, Count() - 1);
    int start = FEdit.LineStart(index);
    return String(FEdit.Bytes() + start, static_cast<size_t>(FEdit.LineEnd(index) - start));
}

void TRichEditStrings::Put(int index, const String& s) {
    CheckLineIndex(index, Count() - 1);
    FEdit.ReplaceRange(FEdit.LineStart(index), FEdit.LineEnd(index), s);
    FEdit.FlushNotifications();
}

void TRichEditStrings::Insert(int index, const String& s) {
    CheckLineIndex(index, Count());
    if (index < FEdit.LineCount()) {
        int start = FEdit.LineStart(index);
        FEdit.ReplaceRange(start, start, s + "\r\n");
    } else {
        // After a last line without a line end.
        int end = FEdit.GetTextLen();
        FEdit.ReplaceRange(end, end, "\r\n" + s);
    }
    FEdit.FlushNotifications();
}

void TRichEditStrings::Delete(int index) {
    CheckLineIndex(index, Count() - 1);
    int start = FEdit.LineStart(index);
    int end = index + 1 < FEdit.LineCount() ? FEdit.LineStart(index + 1) : FEdit.GetTextLen();
    // A last line without a line end takes the line end before it along.
    if (index + 1 >= FEdit.LineCount() && index > 0)
        start = FEdit.LineEnd(index - 1);
    FEdit.ReplaceRange(start, end, "");
    FEdit.FlushNotifications();
}

void TRichEditStrings::Clear() {
    FEdit.Clear();
}

String TRichEditStrings::Text() const {
    return FEdit.Text();
}

void TRichEditStrings::SetText(const String& text) {
    FEdit.SetText(text);
}

void TRichEditStrings::LoadFromFile(const String& fileName) {
    TLineBreaks found;
    String text = AdjustLineBreaks(ReadFileBytes(fileName), false, found);
    FEdit.ReplaceAll(text);
    FEdit.FFileLineBreaks = found;
    FEdit.FModified = false;
    FEdit.FlushNotifications();
}

// A text whose line ends stay as they are is written from the editor's own bytes, so that saving
// a large page holds no second copy of it.
void TRichEditStrings::SaveToFile(const String& fileName) const {
    std::string_view text = FEdit.TextView();
    if (FEdit.FFileLineBreaks.Style == tlbsCRLF && HasOnlyCrLfLineBreaks(text))
        WriteFileAtomic(fileName, text);
    else
        WriteFileAtomic(fileName, AdjustLineBreaks(FEdit.Text(), FEdit.FFileLineBreaks.Style));
}

void TRichEditStrings::SetUpdateState(bool updating) {
    FEdit.TypedPeer().SetUpdatesEnabled(!updating);
}
