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

}  // namespace
}  // namespace kelbo::forms
