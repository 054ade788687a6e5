#include "cea861.h"

#include "bits.h"
#include "errors.h"

#include <iterator>

namespace tessarin {

namespace {

constexpr std::int32_t kVideoDataBlock = 2;
constexpr std::int32_t kVendorSpecificDataBlock = 3;
constexpr char kHex[] = "0123456789ABCDEF";

} // namespace

CCEA861::CCEA861() { InitVideoString(); }

void CCEA861::InitVideoString() noexcept { VideoString = kVideoFormats; }

void CCEA861::Update_CEA_Data(std::span<const std::uint8_t> bytData, std::int16_t intStartPosition)
{
    for (std::size_t i = 0; i < BlockSize; ++i) {
        const std::int64_t position = std::int64_t{intStartPosition} + static_cast<std::int64_t>(i);
        if (position < 0 || position >= static_cast<std::int64_t>(bytData.size())) {
            IndexDataBlocks(); // of the bytes stored so far
            throw IndexError("extension block source ends early");
        }
        data_[i] = bytData[static_cast<std::size_t>(position)];
    }
    IndexDataBlocks();
}

void CCEA861::IndexDataBlocks() noexcept
{
    const auto find = [this](std::int32_t tag) {
        try {
            return ScanForDataBlock(tag);
        } catch (const DecodeError&) {
            return kScanThrows;
        }
    };
    videoBlock_ = find(kVideoDataBlock);
    vendorBlock_ = find(kVendorSpecificDataBlock);
}

std::uint8_t CCEA861::at(int position) const
{
    if (position < 0 || position >= static_cast<int>(BlockSize))
        throw IndexError("extension byte " + std::to_string(position) + " outside the block");
    return data_[static_cast<std::size_t>(position)];
}

bool CCEA861::IsDTVMonitorSupport(std::int32_t bytBit) const
{
    const std::int64_t bit = std::int64_t{bytBit} + 4;
    if (bit < 0 || bit > 7)
        throw OverflowError("DTV support bit outside the byte");
    return IsBitSet(data_[3], static_cast<int>(bit));
}

std::int16_t CCEA861::NumberOfNativeFormats() const noexcept
{
    return static_cast<std::int16_t>(get_bit_range(data_[3], 3, 0));
}

std::int16_t CCEA861::FindDataBlock(std::int32_t tag) const
{
    const std::int16_t known = tag == kVideoDataBlock ? videoBlock_
                               : tag == kVendorSpecificDataBlock ? vendorBlock_
                                                                 : kScanThrows;
    return known == kScanThrows ? ScanForDataBlock(tag) : known;
}

std::int16_t CCEA861::ScanForDataBlock(std::int32_t tag) const
{
    const int end = data_[2];
    for (int x = 4; x < end;) {
        const std::uint8_t header = at(x);
        const int length = static_cast<int>(get_bit_range(header, 4, 0));
        if (static_cast<std::int32_t>(get_bit_range(header, 7, 5)) == tag)
            return static_cast<std::int16_t>(x);
        if (x + length > end)
            return -1;
        x += length + 1;
    }
    return -1;
}

// ---- Video data block

std::int16_t CCEA861::NumberOfVideoCodes() const noexcept
{
    try {
        const int w = FindDataBlock(kVideoDataBlock);
        return w < 0 ? std::int16_t{0} : static_cast<std::int16_t>(get_bit_range(at(w), 4, 0));
    } catch (const DecodeError&) {
        return 0;
    }
}

std::string CCEA861::VideoFormatString(std::uint8_t bytNum) const { return std::string(VideoFormatName(bytNum)); }

std::string_view CCEA861::VideoFormatName(std::uint8_t bytNum) const
{
    if (bytNum == 0 || bytNum > NumberOfVideoCodes())
        return "Error";
    const unsigned vic = get_bit_range(at(FindDataBlock(kVideoDataBlock) + bytNum), 6, 0);
    if (vic < 1 || vic > VideoString.size())
        return "Error";
    return VideoString[vic - 1];
}

bool CCEA861::IsNativeVideoFormat(std::uint8_t bytNum) const
{
    if (bytNum > NumberOfVideoCodes())
        return false;
    return IsBitSet(at(FindDataBlock(kVideoDataBlock) + bytNum), 7);
}

bool CCEA861::SupportsRate(std::string_view rate) const
{
    const std::int16_t count = NumberOfVideoCodes();
    for (int n = 1; n <= count; ++n)
        if (VideoFormatName(static_cast<std::uint8_t>(n)).find(rate) != std::string_view::npos)
            return true;
    return false;
}

bool CCEA861::Support50Hz2DFormat() const { return SupportsRate("50Hz"); }
bool CCEA861::Support60Hz2DFormat() const { return SupportsRate("60Hz"); }

// ---- HDMI vendor-specific data block

std::uint8_t CCEA861::VendorByte(int offset) const
{
    const int v = FindDataBlock(kVendorSpecificDataBlock);
    if (v < 0)
        return 0;
    // HDMI lets a sink end its block early: fields past its length are
    // absent, which means "not supported", never the next block's bytes.
    if (offset > static_cast<int>(get_bit_range(at(v), 4, 0)))
        return 0;
    return at(v + offset);
}

bool CCEA861::VendorBit(int offset, int bit) const { return IsBitSet(VendorByte(offset), bit); }

std::string CCEA861::VendorSpecificRegistrationIdentifier() const
{
    if (FindDataBlock(kVendorSpecificDataBlock) < 0)
        return {};
    unsigned value = VendorByte(1) + 256u * VendorByte(2) + 65536u * VendorByte(3);
    const bool hdmi = value == 0xC03;
    // "0x" and the digits without leading zeros, as "0x%X" writes them.
    char digits[8];
    char* first = std::end(digits);
    do {
        *--first = kHex[value & 0xF];
        value >>= 4;
    } while (value != 0);
    std::string result = "0x";
    result.append(first, std::end(digits));
    if (hdmi)
        result += " (HDMI)";
    return result;
}

std::string CCEA861::VendorSpecificPhysicalAddress() const
{
    if (FindDataBlock(kVendorSpecificDataBlock) < 0)
        return {};
    const std::uint8_t ab = VendorByte(4);
    const std::uint8_t cd = VendorByte(5);
    return {kHex[ab >> 4], '.', kHex[ab & 0xF], '.', kHex[cd >> 4], '.', kHex[cd & 0xF]};
}

bool CCEA861::VendorSpecificSupports_Al() const { return VendorBit(6, 7); }
bool CCEA861::Supports48bpp() const { return VendorBit(6, 6); }
bool CCEA861::Supports36bpp() const { return VendorBit(6, 5); }
bool CCEA861::Supports30bpp() const { return VendorBit(6, 4); }
bool CCEA861::SupportsYCbCr() const { return VendorBit(6, 3); }
bool CCEA861::SupportsDUALDVI() const { return VendorBit(6, 0); }
std::int16_t CCEA861::Max_TMDS_Clock() const { return static_cast<std::int16_t>(VendorByte(7) * 5); }

std::int16_t CCEA861::HDMI_Video_Position() const
{
    const int v = FindDataBlock(kVendorSpecificDataBlock);
    if (v < 0)
        return -1;
    const std::uint8_t latency = VendorByte(8);
    int p = v + 9;
    if (IsBitSet(latency, 7))
        p += 2;
    if (IsBitSet(latency, 6))
        p += 2;
    return static_cast<std::int16_t>(p);
}

std::string CCEA861::HDMI_Image_Size() const
{
    static constexpr std::array<const char*, 4> kImageSizes{
        "No Additional Information",
        "Aspect ratio is correct but Sizes are not guaranteed",
        "Aspect ratio is correct and Sizes are rounded to the nearest 1cm",
        "The indicated size must be multiplied by 5"};
    return kImageSizes[get_bit_range(VideoByte(0), 4, 3)];
}

bool CCEA861::HDMI_3D_Information_Present() const { return get_bit_range(VideoByte(0), 7, 5) != 0; }
bool CCEA861::HDMI_3D_Present() const { return IsBitSet(VideoByte(0), 7); }
bool CCEA861::HDMI_3D_Structure_All_Present() const { return get_bit_range(VideoByte(0), 6, 5) != 0; }
bool CCEA861::HDMI_3D_Mask_Present() const { return IsBitSet(VideoByte(0), 6); }

std::int16_t CCEA861::HDMI_VIC_Length() const { return static_cast<std::int16_t>(get_bit_range(VideoByte(1), 7, 5)); }

bool CCEA861::HDMI_3D_FramePacking_Support() const { return IsBitSet(VideoByte(3 + HDMI_VIC_Length()), 0); }
bool CCEA861::HDMI_3D_TopAndBottom_Support() const { return IsBitSet(VideoByte(3 + HDMI_VIC_Length()), 6); }
bool CCEA861::HDMI_3D_SideBySide_Support() const { return IsBitSet(VideoByte(2 + HDMI_VIC_Length()), 0); }

std::uint8_t CCEA861::VideoByte(int k) const
{
    const int v = FindDataBlock(kVendorSpecificDataBlock);
    if (v < 0)
        return 0;
    return VendorByte(HDMI_Video_Position() - v + k);
}

} // namespace tessarin
