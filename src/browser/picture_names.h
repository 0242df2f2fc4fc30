// Which files the browser and the fast view list, and the order they list
// them in.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelbo {

// True for a file name whose extension, upper-cased, is ".ICO", ".BMP",
// ".GIF", ".JPG" or ".JPEG" (the extension as std::filesystem takes it: a
// name that is all extension, like ".bmp", has none).
bool IsPictureFile(std::string_view name);

// The order of names and paths without regard to case, as a strict weak
// order over UTF-8 text. The program's own order was the user's locale; the
// one here is fixed so every machine lists a folder alike:
// 1. letters compared without case and without diacritics (á, ä and Á
//    count as a; č as c, ž as z), everything else by code point, so
//    punctuation and digits come before letters and "10" before "100"
//    before "11";
// 2. on a tie, letters with diacritics after the plain letter, in code point
//    order (a, á, ä; o, ó, ô);
// 3. on a tie again, by code point (A before a), so no two different names
//    are equal and a sort gives one result.
// Slovak's own letters č, š, ž and ch are not ordered as letters of their
// own after c, s, z and h.
bool PictureNameLess(std::string_view a, std::string_view b);

void SortPictureNames(std::vector<std::string>& names);

}  // namespace kelbo
