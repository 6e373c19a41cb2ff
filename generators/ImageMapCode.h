#pragma once
// A client-side image map as the image-map editor holds it, the code it writes (an IMG tag that
// uses the map, the MAP element and its AREA tags) and the reading of a MAP element back. They
// work on texts alone, so the editor, the command and the tests share them.

#include "platform/SysUtils.h"
#include "platform/Types.h"

#include <vector>

// The picture is drawn this far from the drawing surface's top-left corner: picture pixel (x, y)
// is surface point (x + PictureOffset, y + PictureOffset).
constexpr int PictureOffset = 8;

// "*": the map has no default area.
inline const String NoDefaultArea = "*";

// The areas of a map. Entry i of each list describes area i, in drawing order; rectangles are in
// surface pixels with left < right and top < bottom; texts are empty when not set.
struct TImageMap {
    std::vector<TRect> Areas;
    std::vector<String> AreaURLs;
    std::vector<String> AreaAltTexts;
    std::vector<String> AreaTargets;
    // NoDefaultArea, empty for a default area without link (NOHREF), else its HREF.
    String DefaultURL = NoDefaultArea;
    String MapName;

    void AddArea(const TRect& area, const String& url, const String& altText, const String& target);
    void DeleteArea(int index);
    void ClearAreas();
    int AreaCount() const { return static_cast<int>(Areas.size()); }
    // The last drawn area whose rectangle holds the point, edges included; -1 for none.
    int AreaAtPoint(int x, int y) const;
};

// The map's code, each line ended by CR LF: with writeImgTag and an image named, an IMG tag that
// uses the map and an empty line first. Width and height come from the image's file when its
// name tells a kind whose size can be read; otherwise the tag has neither.
String WriteMapCode(const TImageMap& map, const String& image, bool writeImgTag);

struct TImageMapReading {
    // False: the text is not a MAP element with a name.
    bool Read = false;
    TImageMap Map;
    // What the editor cannot hold, one line each; the caller tells the user before the page
    // changes.
    std::vector<String> Unheld;
};

// Reads a selected MAP element: the text starts with "<MAP" in any case and its start tag names
// the map.
TImageMapReading ReadImageMap(const String& text);

// The SRC of the first IMG tag of the page whose USEMAP names the map; false when there is none.
bool FindMapImage(const String& page, const String& mapName, String& source);

// The file's name relative to the folder (the current folder when empty), with "/" between
// folder names; a name without folder comes back as it is.
String MakeRelativePath(const String& file, const String& folder);
