// Where a form's toolbars are, kept in the registry between runs: one section per toolbar.

#include "widgets/QmToolbars.h"

#include "platform/Forms.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"
#include "platform/Win32Draw.h"

#include <climits>

namespace {

const char* const Nil = "nil";

String NameOf(const TQmToolbar* toolbar) {
    if (toolbar->Name().empty())
        throw Exception("Name property not set");
    return toolbar->Name();
}

TQmDock* FindDockByName(TComponent* form, const String& name) {
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* dock = dynamic_cast<TQmDock*>(form->Components(i)); dock && dock->Name() == name)
            return dock;
    return nullptr;
}

// Decimal, or hexadecimal after "0x"; anything else, an empty text included, is damaged.
bool ParseStoredInteger(const String& text, int& value) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const String digits = hex ? text.substr(2) : text;
    if (digits.empty())
        return false;
    long long result = 0;
    size_t i = 0;
    const bool negative = !hex && digits[0] == '-';
    if (negative)
        i = 1;
    if (i == digits.size())
        return false;
    for (; i < digits.size(); ++i) {
        const char c = digits[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        result = result * (hex ? 16 : 10) + digit;
        if (result > static_cast<long long>(UINT_MAX))
            return false;
    }
    value = static_cast<int>(negative ? -result : result);
    return true;
}

// The place a toolbar's section records.
struct TStoredPlace {
    int DockRow = 0;
    int DockPos = 0;
    TRect FloatRect{};
    int FloatRightX = 0;
};

void WriteToolbarRecord(const TPositionIntegerProc& writeInteger,
                        const TPositionStringProc& writeString, void* data, const String& section,
                        const String& dockName, const TQmToolbar* toolbar, const TRect& rect) {
    writeString(section, "DockedTo", dockName, data);
    writeInteger(section, "DockRow", toolbar->DockRow(), data);
    writeInteger(section, "DockPos", toolbar->DockPos(), data);
    writeInteger(section, "FloatLeft", rect.Left, data);
    writeInteger(section, "FloatTop", rect.Top, data);
    writeInteger(section, "FloatRight", rect.Right, data);
    writeInteger(section, "FloatBottom", rect.Bottom, data);
    writeInteger(section, "FloatRightX", toolbar->FloatingWrapWidth(), data);
}

// False when a value is missing or damaged: the toolbar then stays where the form put it.
bool ReadToolbarRecord(const TPositionStringProc& readString, void* data, const String& section,
                       TStoredPlace& place) {
    auto read = [&](const char* name, int& value) {
        return ParseStoredInteger(readString(section, name, "", data), value);
    };
    if (!read("DockRow", place.DockRow) || !read("DockPos", place.DockPos) ||
        !read("FloatLeft", place.FloatRect.Left) || !read("FloatTop", place.FloatRect.Top) ||
        !read("FloatRight", place.FloatRect.Right) ||
        !read("FloatBottom", place.FloatRect.Bottom) || !read("FloatRightX", place.FloatRightX))
        return false;
    place.DockRow = std::max(place.DockRow, 0);
    place.FloatRightX = std::max(place.FloatRightX, 0);
    return true;
}

// A floating place must be a real window that the screen shows at least in part.
bool FloatingPlaceShown(const TRect& window) {
    if (window.Width() <= 0 || window.Height() <= 0)
        return false;
    return !IsRectEmpty(Intersection(window, Screen->WorkAreaRect()));
}

void LoadToolbar(TComponent* form, TQmToolbar* toolbar, const TPositionIntegerProc& readInteger,
                 const TPositionStringProc& readString, void* data) {
    const String section = NameOf(toolbar);
    toolbar->SetVisible(readInteger(section, "Visible", toolbar->Visible() ? 1 : 0, data) != 0);
    const String dockName = readString(section, "DockedTo", "", data);
    if (dockName.empty())
        return;
    TStoredPlace place;
    if (dockName == Nil) {
        if (!ReadToolbarRecord(readString, data, section, place))
            return;
        const TRect window = GrowRectByFloatingFrame(place.FloatRect);
        if (!FloatingPlaceShown(window))
            return;
        toolbar->SetFloatingPlace(window, place.FloatRightX);
        toolbar->SetDockedTo(nullptr);
        toolbar->MoveOnScreen(false);
        return;
    }
    TQmDock* dock = FindDockByName(form, dockName);
    if (!dock || !dock->AllowDrag() || !ReadToolbarRecord(readString, data, section, place))
        return;
    const TRect window =
        IsRectEmpty(place.FloatRect) ? place.FloatRect : GrowRectByFloatingFrame(place.FloatRect);
    toolbar->SetFloatingPlace(window, place.FloatRightX);
    toolbar->SetDockPlace(place.DockRow, place.DockPos);
    toolbar->SetDockedTo(dock);
}

} // namespace

void SaveToolbarPositionsEx(TComponent* form, const TPositionIntegerProc& writeInteger,
                            const TPositionStringProc& writeString, void* data) {
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* toolbar = dynamic_cast<TQmToolbar*>(form->Components(i));
        if (!toolbar)
            continue;
        const String section = NameOf(toolbar);
        TQmDock* dock = toolbar->DockedTo();
        if (dock && dock->Name().empty())
            throw Exception("DockTo's Name property not set");
        writeInteger(section, "Visible", toolbar->Visible() ? 1 : 0, data);
        if (!dock) {
            WriteToolbarRecord(writeInteger, writeString, data, section, Nil, toolbar,
                               ShrinkRectByFloatingFrame(toolbar->GetTrueBounds()));
        } else if (dock->AllowDrag()) {
            const TRect rect = toolbar->FloatingRect();
            WriteToolbarRecord(writeInteger, writeString, data, section, dock->Name(), toolbar,
                               IsRectEmpty(rect) ? rect : ShrinkRectByFloatingFrame(rect));
        }
    }
}

// No dock arranges itself while the toolbars come and go; all are arranged at the end, however
// the loading ends.
void LoadToolbarPositionsEx(TComponent* form, const TPositionIntegerProc& readInteger,
                            const TPositionStringProc& readString, void* data) {
    std::vector<TQmDock*> docks;
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* dock = dynamic_cast<TQmDock*>(form->Components(i))) {
            dock->BeginUpdate();
            docks.push_back(dock);
        }
    auto release = [&docks] {
        for (auto dock = docks.rbegin(); dock != docks.rend(); ++dock) {
            (*dock)->EndUpdate();
            (*dock)->ArrangeToolbars();
        }
    };
    try {
        for (int i = 0; i < form->ComponentCount(); ++i)
            if (auto* toolbar = dynamic_cast<TQmToolbar*>(form->Components(i)))
                LoadToolbar(form, toolbar, readInteger, readString, data);
    } catch (...) {
        release();
        throw;
    }
    release();
}

void SaveToolbarPositions(TComponent* form, const String& keyPath) {
    TRegIniFile ini(keyPath);
    SaveToolbarPositionsEx(
        form,
        [&ini](const String& section, const String& name, int value, void*) {
            ini.WriteInteger(section, name, value);
            return value;
        },
        [&ini](const String& section, const String& name, const String& value, void*) {
            ini.WriteString(section, name, value);
            return value;
        },
        nullptr);
}

void LoadToolbarPositions(TComponent* form, const String& keyPath) {
    TRegIniFile ini(keyPath);
    LoadToolbarPositionsEx(
        form,
        [&ini](const String& section, const String& name, int value, void*) {
            return ini.ReadInteger(section, name, value);
        },
        [&ini](const String& section, const String& name, const String& value, void*) {
            return ini.ReadString(section, name, value);
        },
        nullptr);
}
