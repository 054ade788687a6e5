#pragma once
// One 18-byte detailed timing descriptor, decoded field by field on demand.
#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace tessarin {

class CEDIDParser;

class CDetailedTiming {
public:
    static constexpr std::size_t Size = 18;

    // Copies bytData[intStart .. intStart+17] and marks the object valid.
    // Throws IndexError, leaving the object unchanged, when those 18 bytes
    // are not all inside bytData.
    void UpdateDetailedTiming(std::span<const std::uint8_t> bytData, std::int16_t intStart);

    // Only says the owner fed this slot; it does not judge the bytes.
    bool isValid() const noexcept { return valid_; }
    const std::array<std::uint8_t, Size>& DescriptorData() const noexcept { return data_; }

    float PixelClock() const noexcept; // MHz
    std::int16_t HorizontalActive() const noexcept;
    std::int16_t HorizontalBlanking() const noexcept;
    std::int16_t VerticalActive() const noexcept;
    std::int16_t VerticalBlanking() const noexcept;
    std::int16_t HorizontalSyncOffset() const noexcept;
    std::int16_t HorizontalSyncPulseWidth() const noexcept;
    std::int16_t VerticalSyncOffset() const noexcept;
    std::int16_t VerticalSyncPulseWidth() const noexcept;
    std::int16_t HorizontalSize() const noexcept; // mm
    std::int16_t VerticalSize() const noexcept;   // mm
    std::int16_t HorizontalBorder() const noexcept;
    std::int16_t VerticalBorder() const noexcept;
    bool Interlaced() const noexcept;
    std::string StereoDisplay() const;
    std::int32_t InputType() const noexcept; // 0..3, named by the report
    bool VerticalPolarity() const noexcept;
    bool HorizontalPolarity() const noexcept;

private:
    friend class CEDIDParser;
    void SetValid(bool value) noexcept { valid_ = value; }
    // Every load starts from this, so no slot can show an earlier monitor's bytes.
    void Reset() noexcept
    {
        data_.fill(0);
        valid_ = false;
    }

    std::array<std::uint8_t, Size> data_{};
    bool valid_ = false;
};

} // namespace tessarin
