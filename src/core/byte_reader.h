#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace kelbo {

// Reads little- and big-endian fields from a byte span without ever reading
// past its end. A read that does not fit returns 0 (or an empty span), leaves
// the position at the end and sets a sticky flag, so a decoder can read a
// whole header and test Overrun() once.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

    std::size_t Position() const { return pos_; }
    std::size_t Size() const { return data_.size(); }
    std::size_t Remaining() const { return data_.size() - pos_; }
    bool AtEnd() const { return pos_ == data_.size(); }
    bool Overrun() const { return overrun_; }

    // Moving beyond the end counts as an overrun.
    void Seek(std::size_t position);
    void Skip(std::size_t count);

    std::uint8_t U8();
    std::uint16_t U16Le();
    std::uint32_t U32Le();
    std::int32_t I32Le();
    std::uint16_t U16Be();
    std::uint32_t U32Be();

    // The next `count` bytes, or an empty span on overrun.
    std::span<const std::uint8_t> Bytes(std::size_t count);

private:
    const std::uint8_t* Take(std::size_t count);

    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
    bool overrun_ = false;
};

}  // namespace kelbo
