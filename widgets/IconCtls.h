#pragma once
// A drop-down list of the icons a file holds, one item per icon, its text the icon's index, so
// that the user can pick an icon by its index.

#include "platform/Events.h"
#include "platform/StdCtrls.h"

#include <memory>
#include <vector>

class TIconComboBox : public TComboBox {
public:
    explicit TIconComboBox(TComponent* AOwner);
    ~TIconComboBox() override;

    // The file whose icons are listed; setting another reloads the icons, then raises
    // OnFileChange.
    const String& FileName() const { return FFileName; }
    void SetFileName(const String& value);
    // On: the control is disabled while FileName names no existing file.
    bool AutoDisable() const { return FAutoDisable; }
    void SetAutoDisable(bool value);
    // On: an item's icon is read the first time the item is drawn; off: every icon is read when
    // the file is loaded.
    bool EnableCaching() const { return FEnableCaching; }
    void SetEnableCaching(bool value);
    // The number of icons in the file; -1 while none are loaded.
    int NumberOfIcons() const { return FNumberOfIcons; }

    // Fills rect with the brush of the item's state and draws the item's icon centred in it.
    void DrawItem(int index, const TRect& rect);

    TNotifyEvent OnFileChange;

private:
    TBitmap* Icon(int index);
    TBitmap* ReadIcon(int index);
    void ReloadIcons();
    void UpdateEnabledState();
    void AddIconItems();

    String FFileName;
    bool FAutoDisable = true;
    bool FEnableCaching = true;
    int FNumberOfIcons = -1;
    std::vector<std::unique_ptr<TBitmap>> FIcons;
    TCanvas FCanvas;
};
