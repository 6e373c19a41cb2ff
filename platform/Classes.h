#pragma once
// Base object, string lists, pointer lists and streams.

#include "platform/SysUtils.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// A property setter's first step: stores value and says whether it differed, so the setter
// reacts only to a real change (`if (Change(FColor, value)) Invalidate();`).
template <typename T, typename V> bool Change(T& field, V&& value) {
    if (field == value)
        return false;
    field = std::forward<V>(value);
    return true;
}

class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

enum TDuplicates { dupIgnore, dupAccept, dupError };

// The framework's abstract list of texts with attached objects. Editor lines, list-box items and
// string lists all share this interface.
class TStrings : public TObject {
public:
    virtual int Count() const = 0;
    virtual String Get(int index) const = 0;
    virtual void Put(int index, const String& s);
    virtual TObject* GetObject(int index) const;
    virtual void PutObject(int index, TObject* object);
    virtual void Insert(int index, const String& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    String operator[](int index) const { return Get(index); }
    virtual int Add(const String& s);
    virtual int AddObject(const String& s, TObject* object);
    void InsertObject(int index, const String& s, TObject* object);
    void AddStrings(const TStrings& other);
    virtual void Assign(const TStrings& other);
    void Exchange(int a, int b);
    void Move(int from, int to);
    virtual int IndexOf(const String& s) const; // without regard to case, as the framework does
    int IndexOfObject(const TObject* object) const;

    // "name=value" lines.
    String Names(int index) const;
    String ValueFromIndex(int index) const;
    int IndexOfName(const String& name) const;
    String Values(const String& name) const;
    void SetValues(const String& name, const String& value); // an empty value removes the line

    // Lines joined with CR LF, each line ended by CR LF. Setting splits at CR LF, LF or CR.
    virtual String Text() const;
    virtual void SetText(const String& text);
    String CommaText() const;
    void SetCommaText(const String& text);

    // Bytes as the file holds them; raise EFOpenError / EFCreateError naming the file.
    virtual void LoadFromFile(const String& fileName);
    virtual void SaveToFile(const String& fileName) const;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

protected:
    virtual void SetUpdateState(bool /*updating*/) {}
    virtual bool CompareCaseSensitive() const { return false; }

private:
    int FUpdateCount = 0;
};

class TStringList : public TStrings {
public:
    int Count() const override { return static_cast<int>(FItems.size()); }
    String Get(int index) const override;
    void Put(int index, const String& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, const String& s) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const String& s) override;
    int AddObject(const String& s, TObject* object) override;
    int IndexOf(const String& s) const override;

    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    void SetDuplicates(TDuplicates value) { FDuplicates = value; }
    void SetCaseSensitive(bool value);
    // Binary search of a sorted list: true when found; index is where s is or would go (the
    // first of equal texts).
    bool Find(const String& s, int& index) const;
    void Sort();
    // Does nothing on a sorted list, whose order must stay the one Find relies on.
    void CustomSort(const std::function<int(TStringList& list, int a, int b)>& compare);

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool updating) override;
    bool CompareCaseSensitive() const override { return FCaseSensitive; }

private:
    struct Item {
        String Text;
        TObject* Object = nullptr;
    };
    int CompareStrings(const String& a, const String& b) const;
    int AddItem(const String& s, TObject* object);
    void InsertItem(int index, const String& s, TObject* object);
    void ReorderItems(const std::function<int(int a, int b)>& compare);
    void Changing();
    void Changed();
    void CheckIndex(int index, int upper) const;

    std::vector<Item> FItems;
    bool FSorted = false;
    TDuplicates FDuplicates = dupIgnore;
    bool FCaseSensitive = false;
};

// A list of untyped pointers, as the framework's TList.
class TList : public TObject {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    void* Items(int index) const;
    int Add(void* item);
    void Insert(int index, void* item);
    void Delete(int index);
    int Remove(void* item);
    int IndexOf(const void* item) const;
    void Exchange(int a, int b);
    void Move(int from, int to);
    void Clear() { FItems.clear(); }
    void Sort(const std::function<int(void* a, void* b)>& compare);
    void* First() const { return Items(0); }
    void* Last() const { return Items(Count() - 1); }

private:
    std::vector<void*> FItems;
};

enum TSeekOrigin { soFromBeginning, soFromCurrent, soFromEnd };

class TStream : public TObject {
public:
    virtual int Read(void* buffer, int count) = 0;
    virtual int Write(const void* buffer, int count) = 0;
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    void ReadBuffer(void* buffer, int count);        // raises EReadError when short
    void WriteBuffer(const void* buffer, int count); // raises EWriteError when short
    int64_t Position() { return Seek(0, soFromCurrent); }
    void SetPosition(int64_t position) { Seek(position, soFromBeginning); }
    virtual int64_t Size();
    int64_t CopyFrom(TStream& source, int64_t count); // count 0 copies the whole source
};

// Open modes of TFileStream; a mode is one access value, optionally or-ed with a share value.
enum : unsigned {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareCompat = 0x0000,
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyRead = 0x0030,
    fmShareDenyNone = 0x0040,
    fmCreate = 0xFFFF,
};

class TFileStream : public TStream {
public:
    // Raises EFOpenError (EFCreateError for fmCreate) with a message naming the file.
    TFileStream(const String& fileName, unsigned mode);
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;
    ~TFileStream() override;
    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    const String& FileName() const { return FFileName; }

private:
    String FFileName;
    int FHandle = -1;
};

class TMemoryStream : public TStream {
public:
    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void* Memory() { return FData.data(); }
    void SetSize(int64_t size);
    void LoadFromFile(const String& fileName);
    void SaveToFile(const String& fileName);

private:
    std::vector<char> FData;
    int64_t FPosition = 0;
};

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

struct TThreadState;

// A worker thread, made suspended: Execute runs on a thread of its own once the object is first
// resumed. A suspended thread stands still at the next point where it waits (its start,
// WaitWhileSuspended, the end of a Sleep) until it is resumed or terminated. With FreeOnTerminate
// the object frees itself when Execute returns; otherwise its destructor terminates the thread and
// waits for it to end.
class TThread : public TObject {
public:
    TThread();
    ~TThread() override;
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    void Resume();
    void Suspend();
    bool Suspended() const;
    // Asks Execute to end and wakes a sleeping or suspended thread.
    void Terminate();
    bool Terminated() const;
    TThreadPriority Priority() const;
    void SetPriority(TThreadPriority value);
    bool FreeOnTerminate() const;
    void SetFreeOnTerminate(bool value);

protected:
    virtual void Execute() = 0;
    // Runs method on the user-interface thread and waits until it has run; at once when called
    // there, and not at all once the application is closing down. Returns whether it ran.
    bool Synchronize(const std::function<void()>& method);
    // Waits the milliseconds, or less when the thread is terminated, then while it is suspended.
    void Sleep(unsigned milliseconds);
    void WaitWhileSuspended();

private:
    static void Run(TThread* thread, std::shared_ptr<TThreadState> state);
    std::shared_ptr<TThreadState> FState;
};
