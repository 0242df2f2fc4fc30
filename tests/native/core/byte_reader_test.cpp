#include "core/byte_reader.h"

#include <gtest/gtest.h>

#include <array>

namespace kelbo {
namespace {

TEST(ByteReader, ReadsLittleAndBigEndianFields) {
    const std::array<std::uint8_t, 12> data = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0xFF, 0xFF, 0xFF, 0xFF, 0x12, 0x34};
    ByteReader r(data);
    EXPECT_EQ(r.U16Le(), 0x0201);
    EXPECT_EQ(r.U32Le(), 0x06050403u);
    EXPECT_EQ(r.I32Le(), -1);
    EXPECT_EQ(r.U16Be(), 0x1234);
    EXPECT_TRUE(r.AtEnd());
    EXPECT_FALSE(r.Overrun());
}

TEST(ByteReader, ReadingPastTheEndGivesZeroAndSetsOverrun) {
    const std::array<std::uint8_t, 3> data = {0xAA, 0xBB, 0xCC};
    ByteReader r(data);
    EXPECT_EQ(r.U8(), 0xAA);
    EXPECT_EQ(r.U32Le(), 0u);  // only two bytes left: nothing is consumed from them
    EXPECT_TRUE(r.Overrun());
    EXPECT_TRUE(r.AtEnd());
    EXPECT_EQ(r.U8(), 0);
    EXPECT_TRUE(r.Overrun());  // sticky
}

TEST(ByteReader, SeekSkipAndBytesStayInside) {
    const std::array<std::uint8_t, 4> data = {1, 2, 3, 4};
    ByteReader r(data);
    r.Seek(2);
    const auto two = r.Bytes(2);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0], 3);
    EXPECT_TRUE(r.Bytes(1).empty());
    EXPECT_TRUE(r.Overrun());

    ByteReader s(data);
    s.Skip(5);
    EXPECT_TRUE(s.Overrun());
    ByteReader t(data);
    t.Seek(4);
    EXPECT_FALSE(t.Overrun());
    t.Seek(5);
    EXPECT_TRUE(t.Overrun());
}

TEST(ByteReader, EmptyDataIsSafe) {
    ByteReader r(std::span<const std::uint8_t>{});
    EXPECT_TRUE(r.AtEnd());
    EXPECT_EQ(r.U16Be(), 0);
    EXPECT_EQ(r.U32Be(), 0u);
    EXPECT_TRUE(r.Overrun());
}

}  // namespace
}  // namespace kelbo
