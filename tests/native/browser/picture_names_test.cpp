#include <gtest/gtest.h>

#include "browser/picture_names.h"

namespace kelbo {
namespace {

TEST(PictureNames, WhichFilesArePictures) {
    for (const char* name : {"A.jpeg", "b.JPG", "c.Bmp", "d.gif", "e.ICO", "f.tar.jpg"})
        EXPECT_TRUE(IsPictureFile(name));
    for (const char* name : {"d.png", "e.tif", "jpg", "a.jpg.txt", ".", "..", "a.jpe"})
        EXPECT_FALSE(IsPictureFile(name));
}

// Each list in order; sorting it reversed must give it back.
TEST(PictureNames, SortedWithoutRegardToCaseOrDiacritics) {
    const std::vector<std::string> cases[] = {{"a.bmp", "B.bmp", "c.bmp"},
                                              {"x10.bmp", "x100.bmp", "x11.bmp"},
                                              {"čaj.jpg", "Čas.jpg", "cukor.jpg", "ďaleko.gif", "dom.gif"},
                                              {"a.bmp", "á.bmp", "ä.bmp", "b.bmp", "o.bmp", "ó.bmp", "ô.bmp"},
                                              {"A.bmp", "a.bmp", "Á.bmp", "á.bmp"},
                                              {"šál.bmp", "Straß.bmp", "sud.bmp", "žaba.bmp", "zebra.bmp"},
                                              {"C:\\F\\a.bmp", "C:\\F\\Sub\\b.bmp", "C:\\F\\z.bmp"}};
    for (const std::vector<std::string>& sorted : cases) {
        std::vector<std::string> names(sorted.rbegin(), sorted.rend());
        SortPictureNames(names);
        EXPECT_EQ(names, sorted);
    }
    EXPECT_FALSE(PictureNameLess("a.bmp", "a.bmp"));
}

}  // namespace
}  // namespace kelbo
