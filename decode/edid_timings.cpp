// The timing and monitor-descriptor properties of CEDIDParser.
#include "edid_parser.h"

#include "bits.h"
#include "errors.h"
#include "established_timings.h"
#include "text_codec.h"

#include <limits>

namespace tessarin {

namespace {

constexpr std::array<std::size_t, 3> kMonitorDescriptors{72, 90, 108};
constexpr std::uint8_t kTagSerialNumber = 0xFF;
constexpr std::uint8_t kTagName = 0xFC;
constexpr std::uint8_t kTagRangeLimits = 0xFD;

} // namespace

// ---- Established timings

std::string CEDIDParser::EstablishedTimingsString(std::int32_t eTiming) const
{
    return std::string(EstablishedTimingsName(eTiming));
}

std::string_view CEDIDParser::EstablishedTimingsName(std::int32_t eTiming) const noexcept
{
    const EstablishedTiming* row = FindEstablishedTiming(eTiming);
    return row ? row->text : std::string_view();
}

std::int16_t CEDIDParser::EstablishedTimingsHorizontalActive(std::int32_t eTiming) const noexcept
{
    const EstablishedTiming* row = FindEstablishedTiming(eTiming);
    return row ? row->horizontal : std::int16_t{0};
}

std::string CEDIDParser::EstablishedTimingsVerticalActive(std::int32_t eTiming) const
{
    const EstablishedTiming* row = FindEstablishedTiming(eTiming);
    return row ? std::to_string(row->vertical) : std::string();
}

bool CEDIDParser::EstablishedTimingsSupported(std::int32_t eTiming) const noexcept
{
    if (!FindEstablishedTiming(eTiming))
        return false;
    const std::size_t byte = 35 + static_cast<std::size_t>(eTiming / 10);
    return IsBitSet(base_[byte], eTiming % 10);
}

float CEDIDParser::EstablishedTimingPixelFrequency(std::int32_t eTiming) const
{
    const EstablishedTiming* row = FindEstablishedTiming(eTiming);
    if (!row)
        return 0.0f;
    // An established timing has no blanking of its own; the selected
    // detailed timing lends its blanking.
    const CDetailedTiming& timing = SelectedTiming();
    const std::int64_t product = std::int64_t{row->horizontal + timing.HorizontalBlanking()}
                                 * std::int64_t{row->vertical + timing.VerticalBlanking()};
    if (product > std::numeric_limits<std::int32_t>::max() || product < std::numeric_limits<std::int32_t>::min())
        throw OverflowError("established timing total beyond 32 bits");
    return static_cast<float>(static_cast<double>(product) * row->hz / 1000000.0);
}

// ---- Standard timings

const CEDIDParser::StandardTiming& CEDIDParser::StandardTimingRecord(std::uint8_t bytTimingId) const
{
    if (bytTimingId < 1 || bytTimingId > standardTimings_.size())
        throw IndexError("standard timing " + std::to_string(bytTimingId) + " outside 1 to 8");
    return standardTimings_[bytTimingId - 1u];
}

std::int16_t CEDIDParser::StandardTimingXResolution(std::uint8_t id) const { return StandardTimingRecord(id).xResolution; }
std::int16_t CEDIDParser::StandardTimingYResolution(std::uint8_t id) const { return StandardTimingRecord(id).yResolution; }
float CEDIDParser::StandardTimingAspectRatio(std::uint8_t id) const { return StandardTimingRecord(id).aspectRatio; }
std::int16_t CEDIDParser::StandardTimingVerticalFrequency(std::uint8_t id) const { return StandardTimingRecord(id).verticalFrequency; }
bool CEDIDParser::StandardTimingEnable(std::uint8_t id) const { return StandardTimingRecord(id).verticalFrequency != 0; }

// ---- Detailed timing of the selected slot

float CEDIDParser::PixelClock() const { return SelectedTiming().PixelClock(); }
std::int16_t CEDIDParser::HorizontalActive() const { return SelectedTiming().HorizontalActive(); }
std::int16_t CEDIDParser::HorizontalBlanking() const { return SelectedTiming().HorizontalBlanking(); }
std::int16_t CEDIDParser::VerticalActive() const { return SelectedTiming().VerticalActive(); }
std::int16_t CEDIDParser::VerticalBlanking() const { return SelectedTiming().VerticalBlanking(); }
std::int16_t CEDIDParser::HorizontalSyncOffset() const { return SelectedTiming().HorizontalSyncOffset(); }
std::int16_t CEDIDParser::HorizontalSyncPulseWidth() const { return SelectedTiming().HorizontalSyncPulseWidth(); }
std::int16_t CEDIDParser::VerticalSyncOffset() const { return SelectedTiming().VerticalSyncOffset(); }
std::int16_t CEDIDParser::VerticalSyncPulseWidth() const { return SelectedTiming().VerticalSyncPulseWidth(); }
std::int16_t CEDIDParser::HorizontalSize() const { return SelectedTiming().HorizontalSize(); }
std::int16_t CEDIDParser::VerticalSize() const { return SelectedTiming().VerticalSize(); }
std::int16_t CEDIDParser::HorizontalBorder() const { return SelectedTiming().HorizontalBorder(); }
std::int16_t CEDIDParser::VerticalBorder() const { return SelectedTiming().VerticalBorder(); }
bool CEDIDParser::Interlaced() const { return SelectedTiming().Interlaced(); }
std::string CEDIDParser::StereoDisplay() const { return SelectedTiming().StereoDisplay(); }
std::int32_t CEDIDParser::InputType() const { return SelectedTiming().InputType(); }
bool CEDIDParser::VerticalPolarity() const { return SelectedTiming().VerticalPolarity(); }
bool CEDIDParser::HorizontalPolarity() const { return SelectedTiming().HorizontalPolarity(); }
bool CEDIDParser::DetailedTimingIsValid() const { return SelectedTiming().isValid(); }

// ---- Monitor descriptors

std::string CEDIDParser::MonitorText(std::uint8_t tag) const
{
    // Only the tag byte is compared: a timing in descriptor 2 whose byte 3
    // happens to equal the tag is taken too.
    for (const std::size_t start : kMonitorDescriptors) {
        if (base_[start + 3] != tag)
            continue;
        std::array<std::uint8_t, 13> kept{};
        std::size_t length = 0;
        for (std::size_t i = start + 5; i < start + 18; ++i)
            if (base_[i] != 0x0A && base_[i] != 0x00)
                kept[length++] = base_[i];
        std::size_t first = 0;
        while (first < length && kept[first] == ' ')
            ++first;
        while (length > first && kept[length - 1] == ' ')
            --length;
        return Windows1252ToUtf8(std::span(kept).subspan(first, length - first));
    }
    return {};
}

std::string CEDIDParser::MonitorName() const { return MonitorText(kTagName); }
std::string CEDIDParser::MonitorSerialNumber() const { return MonitorText(kTagSerialNumber); }

std::int16_t CEDIDParser::RangeLimit(int descriptorByte, int factor) const noexcept
{
    for (const std::size_t start : kMonitorDescriptors)
        if (base_[start + 3] == kTagRangeLimits)
            return static_cast<std::int16_t>(base_[start + static_cast<std::size_t>(descriptorByte)] * factor);
    return 0;
}

std::int16_t CEDIDParser::MinimumVerticalFrequency() const noexcept { return RangeLimit(5, 1); }
std::int16_t CEDIDParser::MaximumVerticalFrequency() const noexcept { return RangeLimit(6, 1); }
std::int16_t CEDIDParser::MinimumHorizontalFrequency() const noexcept { return RangeLimit(7, 1); }
std::int16_t CEDIDParser::MaximumHorizontalFrequency() const noexcept { return RangeLimit(8, 1); }
std::int16_t CEDIDParser::MaximumPixelClock() const noexcept { return RangeLimit(9, 10); }

} // namespace tessarin
