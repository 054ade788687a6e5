#pragma once
// One CEA-861 extension block: header flags, the video data block and the
// HDMI vendor-specific data block, each read from the bytes when asked.
#include "video_formats.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tessarin {

class CCEA861 {
public:
    static constexpr std::size_t BlockSize = 128;

    CCEA861();

    std::array<std::uint8_t, BlockSize> RawEDIDCEAData() const noexcept { return data_; }
    // Stores bytData[intStartPosition + i] for i = 0..127. Throws IndexError at
    // the first position bytData lacks; bytes stored before it stay stored.
    void Update_CEA_Data(std::span<const std::uint8_t> bytData, std::int16_t intStartPosition);

    std::uint8_t RevisionNumber() const noexcept { return data_[1]; }
    // bytBit 0..3: YCbCr 4:2:2, YCbCr 4:4:4, basic audio, underscan.
    // OverflowError when bytBit + 4 is not a bit number.
    bool IsDTVMonitorSupport(std::int32_t bytBit) const;
    std::int16_t NumberOfNativeFormats() const noexcept;

    // HDMI vendor-specific data block. Without such a block the identifier and
    // the physical address are "" and every other field reads as a zero byte
    // (flags false, clock 0, image size "No Additional Information"); a field
    // past the block's own length reads as 0 too (HDMI: absent means not
    // supported), never as the next block's byte.
    std::string VendorSpecificRegistrationIdentifier() const;
    std::string VendorSpecificPhysicalAddress() const;
    bool VendorSpecificSupports_Al() const;
    bool Supports48bpp() const;
    bool Supports36bpp() const;
    bool Supports30bpp() const;
    bool SupportsYCbCr() const;
    bool SupportsDUALDVI() const;
    std::int16_t Max_TMDS_Clock() const;
    std::string HDMI_Image_Size() const;
    bool HDMI_3D_Information_Present() const;
    bool HDMI_3D_Present() const;
    bool HDMI_3D_Structure_All_Present() const;
    bool HDMI_3D_Mask_Present() const;
    bool HDMI_3D_FramePacking_Support() const;
    bool HDMI_3D_TopAndBottom_Support() const;
    bool HDMI_3D_SideBySide_Support() const;

    // Video data block
    bool Support50Hz2DFormat() const;
    bool Support60Hz2DFormat() const;
    std::int16_t NumberOfVideoCodes() const noexcept;
    std::string VideoFormatString(std::uint8_t bytNum) const;
    // The same name without a copy: it lives as long as the program.
    std::string_view VideoFormatName(std::uint8_t bytNum) const;
    bool IsNativeVideoFormat(std::uint8_t bytNum) const;

    void InitVideoString() noexcept;

    // Used by the parser and the tests
    std::int16_t DetailedTimingOffset() const noexcept { return data_[2]; }
    // Position of the header of the first data block with this tag, or -1.
    std::int16_t FindDataBlock(std::int32_t tag) const;
    // Position P of the 3D fields; -1 without a vendor-specific block.
    std::int16_t HDMI_Video_Position() const;
    std::int16_t HDMI_VIC_Length() const;

private:
    // The one checked read: a position outside the block throws IndexError.
    std::uint8_t at(int position) const;
    // Byte `offset` after the vendor-specific header; see the class comment.
    std::uint8_t VendorByte(int offset) const;
    bool VendorBit(int offset, int bit) const;
    // Byte P + k of the 3D fields, read like any other vendor byte.
    std::uint8_t VideoByte(int k) const;
    bool SupportsRate(std::string_view rate) const;
    // FindDataBlock's answers for the two blocks every property looks for,
    // found once per update; kScanThrows where the scan meets the end of
    // the block (FindDataBlock then scans again and throws as it did).
    static constexpr std::int16_t kScanThrows = -2;
    void IndexDataBlocks() noexcept;
    std::int16_t ScanForDataBlock(std::int32_t tag) const;

    std::array<std::uint8_t, BlockSize> data_{};
    std::int16_t videoBlock_ = -1;
    std::int16_t vendorBlock_ = -1;
    std::array<std::string_view, VideoFormatCount> VideoString{};
};

} // namespace tessarin
