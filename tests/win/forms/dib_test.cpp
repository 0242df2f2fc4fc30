#include <gtest/gtest.h>
#include <windows.h>

#include "forms/dib.h"
#include "imaging/filters/filter_pictures.h"

namespace kelbo::forms {
namespace {

TEST(DibSection, CopiesOnlyTheAreaUnscaled) {
    const Bitmap24 source = kelbo::testing::RandomPicture(17, 11, 3);
    const DibSection picture(source.View());
    DibSection screen(20, 12);  // white
    {
        const DibCanvas canvas(screen);
        picture.CopyAreaTo(canvas.dc(), RECT{3, 2, 30, 7});  // clipped at the picture's right edge
    }
    const Bitmap24 shown = screen.ToBitmap();
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 20; ++x) {
            const bool inside = x >= 3 && x < 17 && y >= 2 && y < 7;
            ASSERT_EQ(shown.Pixel(x, y), inside ? source.Pixel(x, y) : colors::kWhite) << x << ", " << y;
        }
    }
}

// A size GDI cannot count (12.9 GB) is refused before it is asked, like
// one it cannot make: never a null section used.
TEST(DibSection, APictureTheSystemCannotMakeIsABitmapSizeError) {
    try {
        const DibSection huge(65535, 65535);
        ADD_FAILURE() << "made";
    } catch (const BitmapSizeError& e) {
        EXPECT_STREQ(e.what(), "not enough memory for a picture of 65535 x 65535 pixels");
    }
}

}  // namespace
}  // namespace kelbo::forms
