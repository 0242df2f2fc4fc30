#include "core/byte_reader.h"

namespace kelbo {

void ByteReader::Seek(std::size_t position) {
    if (position > data_.size()) {
        overrun_ = true;
        pos_ = data_.size();
        return;
    }
    pos_ = position;
}

void ByteReader::Skip(std::size_t count) {
    if (count > Remaining()) {
        overrun_ = true;
        pos_ = data_.size();
        return;
    }
    pos_ += count;
}

const std::uint8_t* ByteReader::Take(std::size_t count) {
    if (count > Remaining()) {
        overrun_ = true;
        pos_ = data_.size();
        return nullptr;
    }
    const std::uint8_t* p = data_.data() + pos_;
    pos_ += count;
    return p;
}

std::uint8_t ByteReader::U8() {
    const std::uint8_t* p = Take(1);
    return p ? p[0] : 0;
}

std::uint16_t ByteReader::U16Le() {
    const std::uint8_t* p = Take(2);
    return p ? static_cast<std::uint16_t>(p[0] | (p[1] << 8)) : 0;
}

std::uint32_t ByteReader::U32Le() {
    const std::uint8_t* p = Take(4);
    if (!p) return 0;
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::int32_t ByteReader::I32Le() { return static_cast<std::int32_t>(U32Le()); }

std::uint16_t ByteReader::U16Be() {
    const std::uint8_t* p = Take(2);
    return p ? static_cast<std::uint16_t>((p[0] << 8) | p[1]) : 0;
}

std::uint32_t ByteReader::U32Be() {
    const std::uint8_t* p = Take(4);
    if (!p) return 0;
    return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
           (static_cast<std::uint32_t>(p[2]) << 8) | static_cast<std::uint32_t>(p[3]);
}

std::span<const std::uint8_t> ByteReader::Bytes(std::size_t count) {
    const std::uint8_t* p = Take(count);
    return p ? std::span<const std::uint8_t>(p, count) : std::span<const std::uint8_t>();
}

}  // namespace kelbo
