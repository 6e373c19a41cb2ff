#pragma once
// The image index's pages as text: the head with the script that shows a clicked image as a
// page's background, one table per row of thumbnails, and the foot. Each routine gives the lines
// to append to the page, in order.

#include "platform/DateTime.h"

#include <vector>

// The file masks of the images an index shows.
inline const String ImageIndexMask = "*.gif;*.jpg;*.png;*.bmp";

struct TIndexImage {
    String Name;
    int Width = 0;
    int Height = 0;
};

std::vector<String> ImageIndexHead(const String& folder, int pageNumber);
// The row's table: the images at their size, each with its size below, and their names under
// them. A name that holds a quote, an ampersand or a backslash is written so that it stays one
// value and the script still receives it whole.
std::vector<String> ImageIndexRow(const std::vector<TIndexImage>& row);
std::vector<String> ImageIndexFoot(TDateTime created);

// The page size past which the index begins a new page, from the stored "MaxEditSize": 64000
// when it is missing, no number, or too small to leave room for a row ("-1", the editors' "no
// limit", included).
int ImageIndexSizeLimit(const String& stored);
