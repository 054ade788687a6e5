#include "edid_parser.h"

#include "bits.h"
#include "errors.h"
#include "manufacturers.h"
#include "rounding.h"
#include "text_codec.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tessarin {

namespace {

constexpr int kFirstDescriptor = 54;
constexpr int kDescriptorSize = static_cast<int>(CDetailedTiming::Size);
constexpr int kExtensionStart = 128;

} // namespace

CEDIDParser::CEDIDParser() = default;
CEDIDParser::~CEDIDParser() = default;

bool CEDIDParser::UpdateEDIDDataFromArray(std::span<const std::uint8_t> bytDataArray)
{
    if (bytDataArray.size() != EDIDSize)
        return false;
    const std::span<const std::uint8_t, EDIDSize> edid(bytDataArray.data(), EDIDSize);

    std::copy_n(edid.begin(), BlockSize, base_.begin());
    ParseBaseBlock();
    extensionType_ = 0;
    if (NumberOfExtensionFlag() != 0) {
        if (edid[kExtensionStart] == 0x02) {
            ParseCEAExtension(edid);
            extensionType_ = 2;
        }
        if (edid[kExtensionStart] == 0x40)
            extensionType_ = 64;
    }
    return true;
}

void CEDIDParser::ParseBaseBlock()
{
    for (CDetailedTiming& slot : slots_)
        slot.Reset();
    timingIndex_ = 1;

    // Descriptor 1 is a timing by definition; the others only when they do
    // not start with the three zero bytes of a monitor descriptor. Timings
    // are packed into the slots without gaps.
    const std::span<const std::uint8_t> block(base_);
    slots_[0].UpdateDetailedTiming(block, kFirstDescriptor);
    std::size_t next = 1;
    for (int start = kFirstDescriptor + kDescriptorSize; start + kDescriptorSize <= 126; start += kDescriptorSize) {
        const auto at = static_cast<std::size_t>(start);
        if (base_[at] == 0 && base_[at + 1] == 0 && base_[at + 2] == 0)
            continue;
        slots_[next++].UpdateDetailedTiming(block, static_cast<std::int16_t>(start));
    }

    DecodeManufacturerID();
    DecodeStandardTimings();
}

void CEDIDParser::ParseCEAExtension(std::span<const std::uint8_t, EDIDSize> edid)
{
    cea_.emplace();
    cea_->Update_CEA_Data(edid, kExtensionStart);

    // An offset below 4 would point into the extension's own header; in
    // CEA-861 it means the block carries no descriptors at all.
    const int offset = cea_->DetailedTimingOffset();
    if (offset < 4)
        return;
    for (int q = kExtensionStart + offset, slot = 5; slot <= SlotCount; q += kDescriptorSize, ++slot) {
        if (q + kDescriptorSize > static_cast<int>(EDIDSize))
            break;
        const auto at = static_cast<std::size_t>(q);
        if (edid[at] == 0 && edid[at + 1] == 0 && edid[at + 2] == 0)
            break;
        slots_[static_cast<std::size_t>(slot - 1)].UpdateDetailedTiming(edid, static_cast<std::int16_t>(q));
        if (q > 218)
            break;
    }
}

void CEDIDParser::DecodeManufacturerID()
{
    const unsigned v = base_[8] * 256u + base_[9];
    manufacturerId_ = {
        static_cast<char>(64 + ((v >> 10) & 31)),
        static_cast<char>(64 + ((v >> 5) & 31)),
        static_cast<char>(64 + (v & 31)),
    };
}

void CEDIDParser::DecodeStandardTimings()
{
    static constexpr std::array<float, 4> kAspectRatios{0.0f, 0.75f, 0.8f, 0.5625f};
    standardTimings_ = {};
    for (std::size_t k = 0; k < standardTimings_.size(); ++k) {
        const std::uint8_t b1 = base_[38 + 2 * k];
        const std::uint8_t b2 = base_[39 + 2 * k];
        // 0x01 0x01 marks an unused pair; anything below 2 cannot be a timing.
        if (b1 < 2 || b2 < 2)
            continue;
        StandardTiming& record = standardTimings_[k];
        record.verticalFrequency = static_cast<std::uint8_t>(get_bit_range(b2, 5, 0) + 60);
        record.xResolution = static_cast<std::int16_t>((b1 + 31) * 8);
        record.aspectRatio = kAspectRatios[get_bit_range(b2, 7, 6)];
        const float height = static_cast<float>(record.xResolution) * record.aspectRatio;
        record.yResolution = static_cast<std::int16_t>(RoundHalfEven(static_cast<double>(height)));
    }
}

const CCEA861* CEDIDParser::edidCEA861() const noexcept { return cea_ ? &*cea_ : nullptr; }

const CDetailedTiming& CEDIDParser::DetailedTiming(std::int32_t slot) const
{
    if (slot < 1 || slot > SlotCount)
        throw IndexError("detailed timing slot " + std::to_string(slot) + " outside 1 to 10");
    return slots_[static_cast<std::size_t>(slot - 1)];
}

const CDetailedTiming& CEDIDParser::SelectedTiming() const { return DetailedTiming(timingIndex_); }

// ---- Identification and version

std::string CEDIDParser::IDManufacturerName() const { return GetManufacturerName(manufacturerId_); }

std::string CEDIDParser::IDProductId() const
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    const std::uint8_t high = base_[11];
    const std::uint8_t low = base_[10];
    return {kHex[high >> 4], kHex[high & 0xF], kHex[low >> 4], kHex[low & 0xF]};
}

std::string CEDIDParser::IDSerialNumber() const
{
    const std::uint32_t serial = std::uint32_t{base_[12]} | (std::uint32_t{base_[13]} << 8u)
                                 | (std::uint32_t{base_[14]} << 16u) | (std::uint32_t{base_[15]} << 24u);
    return std::to_string(serial);
}

std::uint8_t CEDIDParser::WeekOfManufacture() const noexcept { return base_[16]; }
std::int16_t CEDIDParser::YearOfManufacture() const noexcept { return static_cast<std::int16_t>(base_[17] + 1990); }
std::uint8_t CEDIDParser::EDIDVersion() const noexcept { return base_[18]; }
std::uint8_t CEDIDParser::EDIDRevision() const noexcept { return base_[19]; }
std::uint8_t CEDIDParser::NumberOfExtensionFlag() const noexcept { return base_[126]; }

// ---- Basic display parameters and features

std::string CEDIDParser::VideoInputDefinition() const
{
    return IsBitSet(base_[20], 7) ? "Digital Signal" : "Analog Signal";
}

std::string CEDIDParser::AnalogSignalProperties() const
{
    static constexpr std::array<const char*, 4> kLevels{
        "0.700V/0.300V (1.000 Vp-p)", "0.714V/0.286V (1.000 Vp-p)",
        "1.000V/0.400V (1.400 Vp-p)", "0.700V/0.000V (0.700 Vp-p)"};
    const std::uint8_t b20 = base_[20];
    std::string text;
    if (IsBitSet(b20, 0))
        text += "Separate Sync - ";
    if (IsBitSet(b20, 1))
        text += "Composite Sync - ";
    if (IsBitSet(b20, 2))
        text += "Sync on Green - ";
    if (IsBitSet(b20, 3))
        text += "Separate Sync - ";
    if (IsBitSet(b20, 4))
        text += "Blank to Black setup - ";
    text += kLevels[get_bit_range(b20, 6, 5)];
    return text;
}

bool CEDIDParser::DFP1XCompatibleInterface() const noexcept { return IsBitSet(base_[20], 0); }
std::int16_t CEDIDParser::MaxHorizontalImageSize() const noexcept { return static_cast<std::int16_t>(base_[21] * 10); }
std::int16_t CEDIDParser::MaxVerticalImageSize() const noexcept { return static_cast<std::int16_t>(base_[22] * 10); }

float CEDIDParser::DisplaySize() const noexcept
{
    const int h = base_[21];
    const int v = base_[22];
    const auto sumOfSquares = static_cast<float>(h * h + v * v);
    const auto inches = static_cast<float>(std::sqrt(static_cast<double>(sumOfSquares)) / 2.54);
    // A single times ten is exact in double, so a true half is seen as one.
    return static_cast<float>(RoundHalfEven(static_cast<double>(inches) * 10.0) / 10.0);
}

float CEDIDParser::DisplayGamma() const noexcept { return static_cast<float>((base_[23] + 100) / 100.0); }
bool CEDIDParser::StandbySupported() const noexcept { return IsBitSet(base_[24], 7); }
bool CEDIDParser::SuspendSupported() const noexcept { return IsBitSet(base_[24], 6); }
bool CEDIDParser::ActiveOffSupported() const noexcept { return IsBitSet(base_[24], 5); }
std::int32_t CEDIDParser::DisplayType() const noexcept { return static_cast<std::int32_t>(get_bit_range(base_[24], 4, 3)); }
bool CEDIDParser::sRGBDefaultColorSpace() const noexcept { return IsBitSet(base_[24], 2); }
bool CEDIDParser::PreferedTimingMode() const noexcept { return IsBitSet(base_[24], 1); }
bool CEDIDParser::DefaultGTFSupported() const noexcept { return IsBitSet(base_[24], 0); }

// ---- Colour characteristics

float CEDIDParser::Chromaticity(int highByte, int lowByte, int lowBit) const noexcept
{
    const unsigned n = base_[static_cast<std::size_t>(highByte)] * 4u
                       + get_bit_range(base_[static_cast<std::size_t>(lowByte)], lowBit + 1, lowBit);
    return static_cast<float>(RoundHalfEven(n / 1.024) / 1000.0);
}

float CEDIDParser::RedX() const noexcept { return Chromaticity(27, 25, 6); }
float CEDIDParser::RedY() const noexcept { return Chromaticity(28, 25, 4); }
float CEDIDParser::GreenX() const noexcept { return Chromaticity(29, 25, 2); }
float CEDIDParser::GreenY() const noexcept { return Chromaticity(30, 25, 0); }
float CEDIDParser::BlueX() const noexcept { return Chromaticity(31, 26, 6); }
float CEDIDParser::BlueY() const noexcept { return Chromaticity(32, 26, 4); }
float CEDIDParser::WhiteX() const noexcept { return Chromaticity(33, 26, 2); }
float CEDIDParser::WhiteY() const noexcept { return Chromaticity(34, 26, 0); }

} // namespace tessarin
