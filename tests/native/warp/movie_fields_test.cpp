#include <gtest/gtest.h>

#include "warp/movie_fields.h"

namespace kelbo {
namespace {

TEST(MovieFields, TheTimersCorrectionsInTheirOrder) {
    struct Case {
        const char *frames, *first, *last;
        const char *wantFrames, *wantFirst, *wantLast;
    };
    const Case cases[] = {
        {"2", "1", "2", "2", "1", "2"},   // the defaults stay
        {"3", "5", "3", "3", "2", "3"},   // first at N or more: N - 1
        {"3", "3", "2", "3", "2", "2"},   // first = N
        {"x", "1", "9", "2", "1", "2"},   // the count falls back to 2, the last follows it
        {"4", "a", "b", "4", "0", "4"},   // not whole: 0 and the count's text
        {"4", "0", "5", "4", "0", "4"},   // last above N
        {"0", "0", "0", "0", "0", "0"},   // no frames: no first to step back to
        {"-1", "7", "9", "-1", "7", "9"}  // -1 is 65535 in 16 bits
    };
    for (const Case& c : cases) {
        const std::string frames = CorrectFrameCount(c.frames);
        const std::string first = CorrectFirstFrame(c.first, frames);
        const std::string last = CorrectLastFrame(c.last, frames);
        EXPECT_EQ(frames + " " + first + " " + last, std::string(c.wantFrames) + " " + c.wantFirst + " " + c.wantLast)
            << c.frames << " " << c.first << " " << c.last;
    }
    EXPECT_EQ(FieldWord("65537"), 1);
    EXPECT_EQ(FieldWord("nie"), 0);
}

TEST(MovieFields, NamesOfTheFrames) {
    EXPECT_EQ(MovieBaseName("C:\\anim\\base.bmp"), "C:\\anim\\base");
    EXPECT_EQ(MovieBaseName("C:\\a.b\\base"), "C:\\a.b\\base");
    EXPECT_EQ(MovieBaseName("film.v2.jpg"), "film.v2");
    EXPECT_EQ(MovieFrameName("C:\\anim\\base", 1, ".bmp"), "C:\\anim\\base01.bmp");
    EXPECT_EQ(MovieFrameName("x", 12, ".jpg"), "x12.jpg");
}

}  // namespace
}  // namespace kelbo
