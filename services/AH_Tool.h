#pragma once
// Small services of the aligned string grid: a list that owns its objects, several handlers on
// the application's one show-hint event, a stream's bytes to and from the clipboard, and a text
// written into a stream.

#include "platform/Classes.h"
#include "platform/Forms.h"

// A list of objects that it owns: deleting an entry frees its object, and the list frees every
// object, the last first, when it goes.
class TObjectList : public TList {
public:
    TObjectList() = default;
    TObjectList(const TObjectList&) = delete;
    TObjectList& operator=(const TObjectList&) = delete;
    ~TObjectList() override;
    TObject* Items(int index) const { return static_cast<TObject*>(TList::Items(index)); }
    int Add(TObject* object) { return TList::Add(object); }
    virtual void Delete(int index);
    // Deletes the object as Delete does; its former index, or -1 when it is not in the list.
    int Remove(TObject* object);
};

// One show-hint handler: a routine and the object it belongs to. Two holders are equal when both
// parts are.
struct TMethod {
    using TCode = void (*)(void* Data, String& HintStr, bool& CanShow, THintInfo& HintInfo);
    TCode Code = nullptr;
    void* Data = nullptr;
    friend bool operator==(const TMethod&, const TMethod&) = default;
};

// The holder of a member function as a show-hint handler: MethodOf<&TGrid::Hook>(grid).
template <auto Member, typename C> TMethod MethodOf(C* object) {
    return TMethod{[](void* data, String& hint, bool& canShow, THintInfo& info) {
                       (static_cast<C*>(data)->*Member)(hint, canShow, info);
                   },
                   object};
}

// Appends the handler to the multicast and makes the dispatcher the application's show-hint
// event. The dispatcher calls the handlers from the last added to the first, so a handler the
// application had before runs last and later handlers see what earlier ones changed.
void AddShowHintHandler(const TMethod& handler);
// Removes every entry equal to the handler.
void RemoveShowHintHandler(const TMethod& handler);
// Gives the application back the handler it had before the multicast, and forgets the entries.
void EndShowHintMulticast();

// The stream's bytes, from its start, onto the clipboard under the format, followed by a zero
// byte.
void CopyStreamToClipboard(TStream& stream, UINT format);
// The clipboard's block under the format written into the stream from its start, without its
// terminating zero; nothing when the clipboard holds no such block.
void PasteClipboardToStream(TStream& stream, UINT format);
// The text's characters, without terminator, at the stream's position.
void WriteString(TStream& stream, const String& text);
