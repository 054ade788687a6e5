#pragma once
// Synthetic 256-byte EDIDs for the decoder tests. Every byte starts at 0 and a
// test sets only the fields it is about, so each case reads like a hex dump.
#include "cea861.h"
#include "edid_parser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin::test {

using Descriptor = std::array<std::uint8_t, 18>;

// A timing descriptor told apart from the others by its pixel clock (10 kHz units).
inline Descriptor TimingWithClock(std::uint16_t clock)
{
    return {static_cast<std::uint8_t>(clock & 0xFFu), static_cast<std::uint8_t>(clock >> 8)};
}

// A monitor descriptor: bytes 0..2 zero, the tag at byte 3, data from byte 5.
inline Descriptor MonitorDescriptor(std::uint8_t tag, std::initializer_list<std::uint8_t> data)
{
    Descriptor d{0, 0, 0, tag};
    std::copy(data.begin(), data.end(), d.begin() + 5);
    return d;
}

inline Descriptor TextDescriptor(std::uint8_t tag, std::string_view text)
{
    Descriptor d{0, 0, 0, tag};
    std::transform(text.begin(), text.end(), d.begin() + 5, [](char c) { return static_cast<std::uint8_t>(c); });
    return d;
}

class EdidBuilder {
public:
    EdidBuilder& Set(std::size_t position, std::span<const std::uint8_t> bytes)
    {
        for (std::uint8_t byte : bytes)
            bytes_.at(position++) = byte;
        return *this;
    }
    EdidBuilder& Set(std::size_t position, std::initializer_list<std::uint8_t> bytes)
    {
        return Set(position, std::span<const std::uint8_t>(bytes.begin(), bytes.size()));
    }

    // Base-block descriptor 1..4 (bytes 54, 72, 90, 108).
    EdidBuilder& BaseDescriptor(int number, const Descriptor& d)
    {
        return Set(54 + 18 * static_cast<std::size_t>(number - 1), d);
    }

    // A CEA-861 extension (tag 2, revision 3) whose detailed timings start at
    // extension byte `offset`; Block() appends data blocks from extension byte 4.
    EdidBuilder& Cea(std::uint8_t offset, std::uint8_t flags = 0)
    {
        cursor_ = 132;
        return Set(126, {1}).Set(128, {0x02, 0x03, offset, flags});
    }
    EdidBuilder& Block(unsigned tag, std::span<const std::uint8_t> payload)
    {
        Set(cursor_, {static_cast<std::uint8_t>((tag << 5) | payload.size())}).Set(cursor_ + 1, payload);
        cursor_ += 1 + payload.size();
        return *this;
    }
    EdidBuilder& Block(unsigned tag, std::initializer_list<std::uint8_t> payload)
    {
        return Block(tag, std::span<const std::uint8_t>(payload.begin(), payload.size()));
    }

    // Bytes from extension byte `offset` (0..127) on.
    EdidBuilder& Ext(std::size_t offset, std::initializer_list<std::uint8_t> bytes) { return Set(128 + offset, bytes); }
    EdidBuilder& ExtDescriptor(std::size_t offset, const Descriptor& d) { return Set(128 + offset, d); }

    std::span<const std::uint8_t> Bytes() const { return bytes_; }

private:
    std::array<std::uint8_t, 256> bytes_{};
    std::size_t cursor_ = 132;
};

inline void Load(CEDIDParser& parser, const EdidBuilder& edid)
{
    ASSERT_TRUE(parser.UpdateEDIDDataFromArray(edid.Bytes()));
}

// The extension block of `edid` on its own, as the parser feeds it.
inline CCEA861 CeaOf(const EdidBuilder& edid)
{
    CCEA861 cea;
    cea.Update_CEA_Data(edid.Bytes(), 128);
    return cea;
}

} // namespace tessarin::test
