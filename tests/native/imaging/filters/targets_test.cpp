// Every filter written into a target of the caller's gives the picture the
// returning form gives, and refuses a target it cannot fill.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "imaging/filters/filter_pictures.h"
#include "imaging/filters/filters.h"

namespace kelbo {
namespace {

struct FilterForms {
    const char* name;
    std::function<Bitmap24(ConstPixelView)> returning;
    std::function<void(ConstPixelView, PixelView)> into;
};

std::vector<FilterForms> AllFilters() {
    const SobelOptions sobel{3, true, false};
    return {
        {"average", [](ConstPixelView s) { return Average(s, 4); },
         [](ConstPixelView s, PixelView t) { Average(s, t, 4); }},
        {"average 0", [](ConstPixelView s) { return Average(s, 0); },
         [](ConstPixelView s, PixelView t) { Average(s, t, 0); }},
        {"gauss", [](ConstPixelView s) { return GaussianSmooth(s); },
         [](ConstPixelView s, PixelView t) { GaussianSmooth(s, t); }},
        {"median", [](ConstPixelView s) { return Median(s, 3); },
         [](ConstPixelView s, PixelView t) { Median(s, t, 3); }},
        {"roberts", [](ConstPixelView s) { return Roberts(s, true); },
         [](ConstPixelView s, PixelView t) { Roberts(s, t, true); }},
        {"laplace", [](ConstPixelView s) { return Laplace(s, LaplaceNeighbours::kEight, false); },
         [](ConstPixelView s, PixelView t) { Laplace(s, t, LaplaceNeighbours::kEight, false); }},
        {"sobel", [sobel](ConstPixelView s) { return Sobel(s, sobel); },
         [sobel](ConstPixelView s, PixelView t) { Sobel(s, t, sobel); }},
        {"noise", [](ConstPixelView s) { return RemoveNoise(s, NoiseMethod::kFrequency, 200); },
         [](ConstPixelView s, PixelView t) { RemoveNoise(s, t, NoiseMethod::kFrequency, 200); }},
        {"spatial", [](ConstPixelView s) { return RemoveNoise(s, NoiseMethod::kSpatial, 150); },
         [](ConstPixelView s, PixelView t) { RemoveNoise(s, t, NoiseMethod::kSpatial, 150); }},
    };
}

TEST(FilterTargets, WritingIntoATargetGivesTheReturnedPicture) {
    const Bitmap24 source = testing::RandomPicture(37, 23, 11);
    for (const FilterForms& f : AllFilters()) {
        Bitmap24 target(37, 23, Rgb(1, 2, 3));  // whatever was there goes
        f.into(source.View(), target.View());
        EXPECT_TRUE(SamePixels(target.View(), f.returning(source.View()).View())) << f.name;
    }
}

TEST(FilterTargets, ATargetOfAnotherSizeOrTheSourceItselfIsRefused) {
    Bitmap24 source = testing::RandomPicture(8, 6, 3);
    const Bitmap24 before = source;
    for (const FilterForms& f : AllFilters()) {
        Bitmap24 wrong(8, 5);
        EXPECT_THROW(f.into(source.View(), wrong.View()), std::invalid_argument) << f.name;
        EXPECT_THROW(f.into(source.View(), source.View()), std::invalid_argument) << f.name;
    }
    EXPECT_TRUE(SamePixels(source.View(), before.View()));
}

}  // namespace
}  // namespace kelbo
