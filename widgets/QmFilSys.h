#pragma once
// The file pane's drive list and folder list: the framework's, with a filter by kind of drive,
// roomier items, folders shown by the names they have on disk, and an item drawing that sets
// every folder one step further in than the folder above it.

#include "platform/FileCtrl.h"

class TQmDirectoryListBox : public TDirectoryListBox {
public:
    explicit TQmDirectoryListBox(TComponent* AOwner);

    // Show each folder by the name it has on disk (on by default).
    bool ShowLongNames() const { return FShowLongNames; }
    void SetShowLongNames(bool value);
    // The current folder spelt as the disk spells it.
    String LongDirectory() const;
    // The linked label shows the current folder, shortened to the width of the list when the
    // label sizes itself, else to its own width.
    void UpdateLabelCaption();

    // How far an item's glyph and text are set in: the folders of the path by their place in the
    // list, every subfolder one step past the current folder's depth.
    int ItemIndent(int index);
    // The text an item shows.
    String ItemText(int index);

protected:
    void DrawItem(int index, const TRect& rect) override;
    void Change() override;

private:
    bool FShowLongNames = true;
};

// The kinds of drive, in the order the system numbers them.
enum TDriveType { dtUnknown, dtNoDrive, dtFloppy, dtFixed, dtNetwork, dtCDROM, dtRAM };
using TDriveTypes = TSet<TDriveType>;

class TQmDriveComboBox : public TDriveComboBox {
public:
    explicit TQmDriveComboBox(TComponent* AOwner);

    // The kinds of drive listed; the root "/" is a fixed drive unless a network file system is
    // mounted there.
    TDriveTypes DriveTypes() const { return FDriveTypes; }
    void SetDriveTypes(TDriveTypes value);
    // Items tall enough for the font, and never lower than the removable-drive glyph.
    void FitItemHeight();

protected:
    void BuildList() override;
    void WndProc(TMessage& Message) override;

private:
    String DriveText(const TLogicalDrive& drive) const;
    TBitmap* DriveGlyph(UINT type);

    TDriveTypes FDriveTypes{dtFloppy, dtFixed, dtNetwork, dtCDROM, dtRAM};
};

// "[label]" of a drive's volume, "[]" when it has none; cased as the drive's text is.
String DriveVolumeText(const TLogicalDrive& drive, TTextCase textCase);
// The remote name a network drive is connected to, cased as the drive's text is; the volume text
// when it is not known.
String DriveNetworkText(const TLogicalDrive& drive, TTextCase textCase);

// The last name of path as the disk spells it. The root comes back unchanged; a path that is not
// there gives its own last name.
String LongFormOfName(const String& path);
// path made full, every name in it spelt as the disk spells it.
String LongFormOfPath(const String& path);
// The height of a line of font's text, with a quarter of the smaller of that and the screen
// font's height as room.
int FontLineHeight(TFont& font);
