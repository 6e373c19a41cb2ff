#include "widgets/IconCtls.h"

#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/ShellApi.h"

namespace {

// The desktop's standard icon size and the width of a vertical scroll bar.
constexpr int SystemIconSize = 32;
constexpr int ScrollBarWidth = 16;
constexpr int IconItemHeight = SystemIconSize + 6;

} // namespace

TIconComboBox::TIconComboBox(TComponent* AOwner) : TComboBox(AOwner) {
    SetStyle(csDropDownList);
    DrawItemsWith(
        FCanvas, [this](int index, const TRect& rect) { DrawItem(index, rect); }, IconItemHeight);
    SetHeight(IconItemHeight);
    Font().SetName("Arial");
    Font().SetHeight(IconItemHeight);
    SetWidth(SystemIconSize + ScrollBarWidth + 10);
    SetDropDownCount(5);
    UpdateEnabledState();
}

TIconComboBox::~TIconComboBox() = default;

void TIconComboBox::SetFileName(const String& value) {
    if (value == FFileName)
        return;
    FFileName = value;
    ReloadIcons();
    if (OnFileChange)
        OnFileChange(this);
}

void TIconComboBox::SetAutoDisable(bool value) {
    if (value == FAutoDisable)
        return;
    FAutoDisable = value;
    UpdateEnabledState();
}

void TIconComboBox::SetEnableCaching(bool value) {
    if (value == FEnableCaching)
        return;
    FEnableCaching = value;
    if (!FEnableCaching)
        ReloadIcons();
}

void TIconComboBox::ReloadIcons() {
    Items().Clear();
    FIcons.clear();
    FNumberOfIcons = -1;
    UpdateEnabledState();
    if (!FileExists(FFileName))
        return;
    if (FEnableCaching) {
        AddIconItems();
    } else {
        TScreenCursorScope hourglass(crHourGlass);
        AddIconItems();
    }
    SetItemIndex(0);
}

void TIconComboBox::AddIconItems() {
    FNumberOfIcons = ExtractIconCount(FFileName);
    FIcons.resize(FNumberOfIcons);
    for (int i = 0; i < FNumberOfIcons; ++i)
        Items().AddObject(IntToStr(i), FEnableCaching ? nullptr : ReadIcon(i));
}

void TIconComboBox::UpdateEnabledState() {
    SetEnabled(!FAutoDisable || FileExists(FFileName));
}

TBitmap* TIconComboBox::ReadIcon(int index) {
    auto icon = std::make_unique<TBitmap>();
    if (ExtractIcon(FFileName, index, SystemIconSize, *icon))
        FIcons[index] = std::move(icon);
    return FIcons[index].get();
}

TBitmap* TIconComboBox::Icon(int index) {
    if (FEnableCaching && !FIcons[index]) {
        Items().PutObject(index, ReadIcon(index));
    }
    return FIcons[index].get();
}

// A picture that cannot be drawn leaves the item as its background shows it.
void TIconComboBox::DrawItem(int index, const TRect& rect) {
    if (index < 0 || index >= int(FIcons.size()))
        return;
    try {
        FCanvas.FillRect(rect);
        if (TBitmap* icon = Icon(index))
            FCanvas.Draw(rect.Left + (rect.Right - rect.Left - icon->Width()) / 2,
                         rect.Top + (rect.Bottom - rect.Top - icon->Height()) / 2, *icon);
    } catch (const std::exception&) {
    }
}
