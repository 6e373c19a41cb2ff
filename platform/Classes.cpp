#include "platform/Classes.h"

#include "platform/FileUtils.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <numeric>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const SortedListError = "Operation not allowed on sorted list";
const char* const DuplicateString = "String list does not allow duplicates";

String IndexErrorMessage(int index) {
    return "List index out of bounds (" + IntToStr(index) + ")";
}

bool SameString(const String& a, const String& b, bool caseSensitive) {
    return caseSensitive ? a == b : SameText(a, b);
}

// The framework quotes an item of comma text when it holds a blank, a control character, a quote
// or a comma; an empty item stays empty.
bool NeedsCommaQuotes(const String& item) {
    return std::any_of(item.begin(), item.end(), [](char c) {
        return static_cast<unsigned char>(c) <= ' ' || c == '"' || c == ',';
    });
}

String QuotedItem(const String& item) {
    String result = "\"";
    for (char c : item) {
        result += c;
        if (c == '"')
            result += '"';
    }
    return result + "\"";
}

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// Reads a quoted item starting at the opening quote; a doubled quote stands for one. Leaves pos
// after the closing quote (or at the end when the quote is never closed).
String ReadQuotedItem(const String& text, size_t& pos) {
    String item;
    ++pos;
    while (pos < text.size()) {
        char c = text[pos++];
        if (c != '"') {
            item += c;
        } else if (pos < text.size() && text[pos] == '"') {
            item += '"';
            ++pos;
        } else {
            break;
        }
    }
    return item;
}

String ReadPlainItem(const String& text, size_t& pos) {
    size_t start = pos;
    while (pos < text.size() && !IsBlank(text[pos]) && text[pos] != ',')
        ++pos;
    return text.substr(start, pos - start);
}

void SkipBlanks(const String& text, size_t& pos) {
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TStrings

void TStrings::Put(int index, const String& s) {
    TObject* object = GetObject(index);
    BeginUpdate();
    Delete(index);
    InsertObject(index, s, object);
    EndUpdate();
}

TObject* TStrings::GetObject(int /*index*/) const {
    return nullptr;
}

void TStrings::PutObject(int /*index*/, TObject* /*object*/) {}

int TStrings::Add(const String& s) {
    int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const String& s, TObject* object) {
    int index = Add(s);
    PutObject(index, object);
    return index;
}

void TStrings::InsertObject(int index, const String& s, TObject* object) {
    Insert(index, s);
    PutObject(index, object);
}

void TStrings::AddStrings(const TStrings& other) {
    BeginUpdate();
    int count = other.Count(); // fixed first, so adding a list to itself ends
    for (int i = 0; i < count; ++i)
        AddObject(other.Get(i), other.GetObject(i));
    EndUpdate();
}

void TStrings::Assign(const TStrings& other) {
    if (&other == this)
        return;
    BeginUpdate();
    Clear();
    AddStrings(other);
    EndUpdate();
}

void TStrings::Exchange(int a, int b) {
    String textA = Get(a);
    TObject* objectA = GetObject(a);
    BeginUpdate();
    Put(a, Get(b));
    PutObject(a, GetObject(b));
    Put(b, textA);
    PutObject(b, objectA);
    EndUpdate();
}

void TStrings::Move(int from, int to) {
    if (from == to)
        return;
    String text = Get(from);
    TObject* object = GetObject(from);
    BeginUpdate();
    Delete(from);
    InsertObject(to, text, object);
    EndUpdate();
}

int TStrings::IndexOf(const String& s) const {
    int count = Count();
    for (int i = 0; i < count; ++i)
        if (SameString(Get(i), s, CompareCaseSensitive()))
            return i;
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
    int count = Count();
    for (int i = 0; i < count; ++i)
        if (GetObject(i) == object)
            return i;
    return -1;
}

String TStrings::Names(int index) const {
    String line = Get(index);
    size_t equals = line.find('=');
    return equals == String::npos ? String() : line.substr(0, equals);
}

String TStrings::ValueFromIndex(int index) const {
    String line = Get(index);
    size_t equals = line.find('=');
    return equals == String::npos ? String() : line.substr(equals + 1);
}

int TStrings::IndexOfName(const String& name) const {
    int count = Count();
    for (int i = 0; i < count; ++i) {
        String line = Get(i);
        size_t equals = line.find('=');
        if (equals != String::npos &&
            SameString(line.substr(0, equals), name, CompareCaseSensitive()))
            return i;
    }
    return -1;
}

String TStrings::Values(const String& name) const {
    int index = IndexOfName(name);
    return index < 0 ? String() : ValueFromIndex(index);
}

void TStrings::SetValues(const String& name, const String& value) {
    int index = IndexOfName(name);
    if (value.empty()) {
        if (index >= 0)
            Delete(index);
    } else if (index < 0) {
        Add(name + "=" + value);
    } else {
        Put(index, name + "=" + value);
    }
}

String TStrings::Text() const {
    int count = Count();
    String text;
    for (int i = 0; i < count; ++i) {
        text += Get(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(const String& text) {
    BeginUpdate();
    Clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == String::npos) {
            Add(text.substr(start));
            break;
        }
        Add(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    EndUpdate();
}

String TStrings::CommaText() const {
    int count = Count();
    if (count == 1 && Get(0).empty())
        return "\"\"";
    String text;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            text += ',';
        String item = Get(i);
        text += NeedsCommaQuotes(item) ? QuotedItem(item) : item;
    }
    return text;
}

// Blanks outside quotes separate items as commas do; a comma at the very end adds an empty item.
void TStrings::SetCommaText(const String& text) {
    BeginUpdate();
    Clear();
    size_t pos = 0;
    SkipBlanks(text, pos);
    while (pos < text.size()) {
        Add(text[pos] == '"' ? ReadQuotedItem(text, pos) : ReadPlainItem(text, pos));
        SkipBlanks(text, pos);
        if (pos < text.size() && text[pos] == ',') {
            ++pos;
            if (pos == text.size())
                Add("");
            SkipBlanks(text, pos);
        }
    }
    EndUpdate();
}

void TStrings::LoadFromFile(const String& fileName) {
    SetText(ReadFileBytes(fileName));
}

void TStrings::SaveToFile(const String& fileName) const {
    WriteFileAtomic(fileName, Text());
}

void TStrings::BeginUpdate() {
    if (FUpdateCount == 0)
        SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate() {
    if (FUpdateCount == 0)
        return;
    --FUpdateCount;
    if (FUpdateCount == 0)
        SetUpdateState(false);
}

// ---------------------------------------------------------------------------------------------
// TStringList

String TStringList::Get(int index) const {
    CheckIndex(index, Count() - 1);
    return FItems[index].Text;
}

void TStringList::Put(int index, const String& s) {
    if (FSorted)
        throw EStringListError(SortedListError);
    CheckIndex(index, Count() - 1);
    Changing();
    FItems[index].Text = s;
    Changed();
}

TObject* TStringList::GetObject(int index) const {
    CheckIndex(index, Count() - 1);
    return FItems[index].Object;
}

void TStringList::PutObject(int index, TObject* object) {
    CheckIndex(index, Count() - 1);
    Changing();
    FItems[index].Object = object;
    Changed();
}

void TStringList::Insert(int index, const String& s) {
    if (FSorted)
        throw EStringListError(SortedListError);
    CheckIndex(index, Count());
    InsertItem(index, s, nullptr);
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count() - 1);
    Changing();
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (FItems.empty())
        return;
    Changing();
    FItems.clear();
    Changed();
}

int TStringList::Add(const String& s) {
    return AddItem(s, nullptr);
}

int TStringList::AddObject(const String& s, TObject* object) {
    return AddItem(s, object);
}

int TStringList::IndexOf(const String& s) const {
    if (!FSorted)
        return TStrings::IndexOf(s);
    int index;
    return Find(s, index) ? index : -1;
}

void TStringList::SetSorted(bool value) {
    if (value && !FSorted)
        Sort();
    FSorted = value;
}

void TStringList::SetCaseSensitive(bool value) {
    if (!Change(FCaseSensitive, value))
        return;
    if (FSorted)
        Sort();
}

bool TStringList::Find(const String& s, int& index) const {
    auto first = std::lower_bound(FItems.begin(), FItems.end(), s,
                                  [this](const Item& item, const String& text) {
                                      return CompareStrings(item.Text, text) < 0;
                                  });
    index = static_cast<int>(first - FItems.begin());
    return first != FItems.end() && CompareStrings(first->Text, s) == 0;
}

void TStringList::Sort() {
    ReorderItems([this](int a, int b) { return CompareStrings(FItems[a].Text, FItems[b].Text); });
}

void TStringList::CustomSort(const std::function<int(TStringList& list, int a, int b)>& compare) {
    if (!FSorted)
        ReorderItems([this, &compare](int a, int b) { return compare(*this, a, b); });
}

void TStringList::SetUpdateState(bool updating) {
    if (updating)
        Changing();
    else
        Changed();
}

int TStringList::CompareStrings(const String& a, const String& b) const {
    if (!FCaseSensitive)
        return CompareText(a, b);
    int order = a.compare(b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

int TStringList::AddItem(const String& s, TObject* object) {
    int index = Count();
    if (FSorted && Find(s, index)) {
        if (FDuplicates == dupIgnore)
            return index;
        if (FDuplicates == dupError)
            throw EStringListError(DuplicateString);
    }
    InsertItem(index, s, object);
    return index;
}

void TStringList::InsertItem(int index, const String& s, TObject* object) {
    Changing();
    FItems.insert(FItems.begin() + index, Item{s, object});
    Changed();
}

// Sorts by a comparison of item indexes. The comparison sees the list unchanged while it runs:
// the order is worked out on a permutation and applied at the end. Equal items keep their order.
void TStringList::ReorderItems(const std::function<int(int a, int b)>& compare) {
    if (FItems.size() < 2)
        return;
    std::vector<int> order(FItems.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&compare](int a, int b) { return compare(a, b) < 0; });
    std::vector<Item> sorted;
    sorted.reserve(FItems.size());
    for (int i : order)
        sorted.push_back(std::move(FItems[i]));
    Changing();
    FItems = std::move(sorted);
    Changed();
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging)
        OnChanging(this);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange)
        OnChange(this);
}

void TStringList::CheckIndex(int index, int upper) const {
    if (index < 0 || index > upper)
        throw EStringListError(IndexErrorMessage(index));
}

// ---------------------------------------------------------------------------------------------
// TList

namespace {
void CheckListIndex(int index, int upper) {
    if (index < 0 || index > upper)
        throw EListError(IndexErrorMessage(index));
}
} // namespace

void* TList::Items(int index) const {
    CheckListIndex(index, Count() - 1);
    return FItems[index];
}

int TList::Add(void* item) {
    FItems.push_back(item);
    return Count() - 1;
}

void TList::Insert(int index, void* item) {
    CheckListIndex(index, Count());
    FItems.insert(FItems.begin() + index, item);
}

void TList::Delete(int index) {
    CheckListIndex(index, Count() - 1);
    FItems.erase(FItems.begin() + index);
}

int TList::Remove(void* item) {
    int index = IndexOf(item);
    if (index >= 0)
        Delete(index);
    return index;
}

int TList::IndexOf(const void* item) const {
    auto found = std::find(FItems.begin(), FItems.end(), item);
    return found == FItems.end() ? -1 : static_cast<int>(found - FItems.begin());
}

void TList::Exchange(int a, int b) {
    CheckListIndex(a, Count() - 1);
    CheckListIndex(b, Count() - 1);
    std::swap(FItems[a], FItems[b]);
}

void TList::Move(int from, int to) {
    if (from == to)
        return;
    CheckListIndex(to, Count() - 1);
    void* item = Items(from);
    FItems.erase(FItems.begin() + from);
    FItems.insert(FItems.begin() + to, item);
}

void TList::Sort(const std::function<int(void* a, void* b)>& compare) {
    std::stable_sort(FItems.begin(), FItems.end(),
                     [&compare](void* a, void* b) { return compare(a, b) < 0; });
}

// ---------------------------------------------------------------------------------------------
// Streams

void TStream::ReadBuffer(void* buffer, int count) {
    if (count != 0 && Read(buffer, count) != count)
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int count) {
    if (count != 0 && Write(buffer, count) != count)
        throw EWriteError("Stream write error");
}

int64_t TStream::Size() {
    int64_t position = Seek(0, soFromCurrent);
    int64_t size = Seek(0, soFromEnd);
    Seek(position, soFromBeginning);
    return size;
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    std::vector<char> buffer(static_cast<size_t>(std::min<int64_t>(count, 1 << 16)));
    for (int64_t left = count; left > 0;) {
        int chunk = static_cast<int>(std::min<int64_t>(left, static_cast<int64_t>(buffer.size())));
        source.ReadBuffer(buffer.data(), chunk);
        WriteBuffer(buffer.data(), chunk);
        left -= chunk;
    }
    return count;
}

namespace {

int OpenFlags(unsigned mode) {
    switch (mode & 0x3) {
    case fmOpenWrite:
        return O_WRONLY;
    case fmOpenReadWrite:
        return O_RDWR;
    default:
        return O_RDONLY;
    }
}

int SeekWhence(TSeekOrigin origin) {
    switch (origin) {
    case soFromCurrent:
        return SEEK_CUR;
    case soFromEnd:
        return SEEK_END;
    default:
        return SEEK_SET;
    }
}

} // namespace

// The share modes have no Linux meaning: another program may always open the file.
TFileStream::TFileStream(const String& fileName, unsigned mode) : FFileName(fileName) {
    if (mode == fmCreate) {
        FHandle = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (FHandle < 0)
            throw EFCreateError(FileErrorMessage("Cannot create", fileName, errno));
        return;
    }
    FHandle = ::open(fileName.c_str(), OpenFlags(mode) | O_CLOEXEC);
    if (FHandle < 0)
        throw EFOpenError(FileErrorMessage("Cannot open", fileName, errno));
    struct stat info;
    if (::fstat(FHandle, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(FHandle);
        throw EFOpenError(FileErrorMessage("Cannot open", fileName, EISDIR));
    }
}

TFileStream::~TFileStream() {
    if (FHandle >= 0)
        ::close(FHandle);
}

int TFileStream::Read(void* buffer, int count) {
    int done = 0;
    while (done < count) {
        ssize_t n = ::read(FHandle, static_cast<char*>(buffer) + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return done > 0 ? done : -1;
        if (n == 0)
            break;
        done += static_cast<int>(n);
    }
    return done;
}

int TFileStream::Write(const void* buffer, int count) {
    int done = 0;
    while (done < count) {
        ssize_t n = ::write(FHandle, static_cast<const char*>(buffer) + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return done > 0 ? done : -1;
        done += static_cast<int>(n);
    }
    return done;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    return ::lseek(FHandle, offset, SeekWhence(origin));
}

int TMemoryStream::Read(void* buffer, int count) {
    int64_t available = static_cast<int64_t>(FData.size()) - FPosition;
    if (count <= 0 || available <= 0)
        return 0;
    int n = static_cast<int>(std::min<int64_t>(count, available));
    std::memcpy(buffer, FData.data() + FPosition, n);
    FPosition += n;
    return n;
}

int TMemoryStream::Write(const void* buffer, int count) {
    if (count <= 0)
        return 0;
    if (FPosition + count > static_cast<int64_t>(FData.size()))
        FData.resize(static_cast<size_t>(FPosition + count));
    std::memcpy(FData.data() + FPosition, buffer, count);
    FPosition += count;
    return count;
}

// A position past the end is allowed (a later write fills the gap with zero bytes); a negative
// one is refused and the position stays.
int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = origin == soFromBeginning ? 0
                   : origin == soFromCurrent ? FPosition
                                             : static_cast<int64_t>(FData.size());
    if (base + offset < 0)
        return -1;
    FPosition = base + offset;
    return FPosition;
}

void TMemoryStream::SetSize(int64_t size) {
    FData.resize(static_cast<size_t>(std::max<int64_t>(size, 0)));
    FPosition = std::min<int64_t>(FPosition, static_cast<int64_t>(FData.size()));
}

void TMemoryStream::LoadFromFile(const String& fileName) {
    String bytes = ReadFileBytes(fileName);
    FData.assign(bytes.begin(), bytes.end());
    FPosition = 0;
}

void TMemoryStream::SaveToFile(const String& fileName) {
    WriteFileAtomic(fileName, String(FData.begin(), FData.end()));
}
