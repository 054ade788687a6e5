#pragma once
// The E-EDID of one monitor: a 128-byte base block and at most one CEA-861
// extension, answered through read-only properties computed from the bytes.
#include "cea861.h"
#include "detailed_timing.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tessarin {

class CEDIDParser {
public:
    static constexpr std::size_t EDIDSize = 256;
    static constexpr std::size_t BlockSize = 128;
    static constexpr std::int32_t SlotCount = 10;

    CEDIDParser();
    ~CEDIDParser();
    CEDIDParser(const CEDIDParser&) = delete;
    CEDIDParser& operator=(const CEDIDParser&) = delete;

    // Takes exactly 256 bytes (base block, then the extension block or zeros);
    // anything else is ignored and changes nothing. Returns whether it was taken.
    bool UpdateEDIDDataFromArray(std::span<const std::uint8_t> bytDataArray);

    std::array<std::uint8_t, BlockSize> RawEDIDBaseData() const noexcept { return base_; }
    std::int32_t TypeOfExtensionBlock() const noexcept { return extensionType_; }
    // The extension of the last load that carried one; check
    // TypeOfExtensionBlock() == 2 before trusting it for the current EDID.
    const CCEA861* edidCEA861() const noexcept;

    std::int32_t DetailedTimingIndex() const noexcept { return timingIndex_; }
    // Stored as given; the detailed-timing properties check it when they read.
    void DetailedTimingIndex(std::int32_t eNewValue) noexcept { timingIndex_ = eNewValue; }
    // Slot 1..10; throws IndexError for any other number.
    const CDetailedTiming& DetailedTiming(std::int32_t slot) const;

    // Identification and version
    const std::string& ManufacturerID() const noexcept { return manufacturerId_; }
    std::string IDManufacturerName() const;
    std::string IDProductId() const;
    std::string IDSerialNumber() const;
    std::uint8_t WeekOfManufacture() const noexcept;
    std::int16_t YearOfManufacture() const noexcept;
    std::uint8_t EDIDVersion() const noexcept;
    std::uint8_t EDIDRevision() const noexcept;
    std::uint8_t NumberOfExtensionFlag() const noexcept;

    // Basic display parameters and features
    std::string VideoInputDefinition() const;
    std::string AnalogSignalProperties() const;
    bool DFP1XCompatibleInterface() const noexcept;
    std::int16_t MaxHorizontalImageSize() const noexcept;
    std::int16_t MaxVerticalImageSize() const noexcept;
    float DisplaySize() const noexcept;
    float DisplayGamma() const noexcept;
    bool StandbySupported() const noexcept;
    bool SuspendSupported() const noexcept;
    bool ActiveOffSupported() const noexcept;
    std::int32_t DisplayType() const noexcept;
    bool sRGBDefaultColorSpace() const noexcept;
    bool PreferedTimingMode() const noexcept;
    bool DefaultGTFSupported() const noexcept;

    // Colour characteristics
    float RedX() const noexcept;
    float RedY() const noexcept;
    float GreenX() const noexcept;
    float GreenY() const noexcept;
    float BlueX() const noexcept;
    float BlueY() const noexcept;
    float WhiteX() const noexcept;
    float WhiteY() const noexcept;

    // Established timings, addressed by eTiming = 10 * (byte - 35) + bit
    std::string EstablishedTimingsString(std::int32_t eTiming) const;
    // The same text without a copy: it lives as long as the program.
    std::string_view EstablishedTimingsName(std::int32_t eTiming) const noexcept;
    std::int16_t EstablishedTimingsHorizontalActive(std::int32_t eTiming) const noexcept;
    std::string EstablishedTimingsVerticalActive(std::int32_t eTiming) const;
    bool EstablishedTimingsSupported(std::int32_t eTiming) const noexcept;
    // Uses the blanking of the selected detailed timing slot.
    float EstablishedTimingPixelFrequency(std::int32_t eTiming) const;

    // Standard timings, records 1..8 (IndexError otherwise)
    std::int16_t StandardTimingXResolution(std::uint8_t bytTimingId) const;
    std::int16_t StandardTimingYResolution(std::uint8_t bytTimingId) const;
    std::int16_t StandardTimingVerticalFrequency(std::uint8_t bytTimingId) const;
    bool StandardTimingEnable(std::uint8_t bytTimingId) const;
    float StandardTimingAspectRatio(std::uint8_t bytTimingId) const;

    // Detailed timing of slot DetailedTimingIndex() (IndexError outside 1..10)
    float PixelClock() const;
    std::int16_t HorizontalActive() const;
    std::int16_t HorizontalBlanking() const;
    std::int16_t VerticalActive() const;
    std::int16_t VerticalBlanking() const;
    std::int16_t HorizontalSyncOffset() const;
    std::int16_t HorizontalSyncPulseWidth() const;
    std::int16_t VerticalSyncOffset() const;
    std::int16_t VerticalSyncPulseWidth() const;
    std::int16_t HorizontalSize() const;
    std::int16_t VerticalSize() const;
    std::int16_t HorizontalBorder() const;
    std::int16_t VerticalBorder() const;
    bool Interlaced() const;
    std::string StereoDisplay() const;
    std::int32_t InputType() const;
    bool VerticalPolarity() const;
    bool HorizontalPolarity() const;
    bool DetailedTimingIsValid() const;

    // Monitor descriptors 2..4
    std::string MonitorName() const;
    std::string MonitorSerialNumber() const;
    std::int16_t MinimumVerticalFrequency() const noexcept;
    std::int16_t MaximumVerticalFrequency() const noexcept;
    std::int16_t MinimumHorizontalFrequency() const noexcept;
    std::int16_t MaximumHorizontalFrequency() const noexcept;
    std::int16_t MaximumPixelClock() const noexcept;

private:
    struct StandardTiming {
        std::int16_t xResolution = 0;
        std::int16_t yResolution = 0;
        float aspectRatio = 0.0f;
        std::uint8_t verticalFrequency = 0;
    };

    void ParseBaseBlock();
    void ParseCEAExtension(std::span<const std::uint8_t, EDIDSize> edid);
    void DecodeManufacturerID();
    void DecodeStandardTimings();
    const StandardTiming& StandardTimingRecord(std::uint8_t bytTimingId) const;
    const CDetailedTiming& SelectedTiming() const;
    float Chromaticity(int highByte, int lowByte, int lowBit) const noexcept;
    std::string MonitorText(std::uint8_t tag) const;
    std::int16_t RangeLimit(int descriptorByte, int factor) const noexcept;

    std::array<std::uint8_t, BlockSize> base_{};
    std::string manufacturerId_ = "@@@";
    std::array<StandardTiming, 8> standardTimings_{};
    std::array<CDetailedTiming, SlotCount> slots_{};
    std::int32_t timingIndex_ = 0;
    std::int32_t extensionType_ = 0;
    std::optional<CCEA861> cea_; // in place: one report, one load
};

} // namespace tessarin
