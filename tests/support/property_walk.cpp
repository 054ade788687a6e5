#include "property_walk.h"

#include "edid_parser.h"
#include "errors.h"

#include <algorithm>
#include <array>
#include <bit>
#include <concepts>
#include <limits>
#include <string>

namespace tessarin {
namespace {

// FNV-1a over 64-bit words: cheap, and every value read changes it.
class Fold {
public:
    void Word(std::uint64_t value) noexcept { hash_ = (hash_ ^ value) * 0x100000001b3ull; }

    template <std::integral T>
    void Add(T value) noexcept
    {
        Word(static_cast<std::uint64_t>(static_cast<std::int64_t>(value)));
    }
    void Add(float value) noexcept { Word(std::bit_cast<std::uint32_t>(value)); }
    void Add(const std::string& text) noexcept
    {
        Word(text.size());
        for (const char c : text)
            Word(static_cast<unsigned char>(c));
    }
    template <std::size_t N>
    void Add(const std::array<std::uint8_t, N>& bytes) noexcept
    {
        for (const std::uint8_t b : bytes)
            Word(b);
    }
    void Error() noexcept { Word(0xdec0de5eull); }

    std::uint64_t Value() const noexcept { return hash_; }

private:
    std::uint64_t hash_ = 0xcbf29ce484222325ull;
};

// One read as the report makes it: a DecodeError leaves that value out and the
// walk goes on.
template <typename Read>
void Take(Fold& fold, Read&& read)
{
    try {
        fold.Add(read());
    } catch (const DecodeError&) {
        fold.Error();
    }
}

// The members read one after another, each through Take.
template <typename Object, typename... Reads>
void TakeEach(Fold& fold, const Object& object, Reads... reads)
{
    (Take(fold, [&] { return (object.*reads)(); }), ...);
}

template <typename Object, typename Index, typename... Reads>
void TakeEachAt(Fold& fold, const Object& object, Index index, Reads... reads)
{
    (Take(fold, [&] { return (object.*reads)(index); }), ...);
}

using P = CEDIDParser;
using C = CCEA861;

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kFirstTiming = -1;
constexpr std::int32_t kLastTiming = 30;

void ReadEstablishedTiming(const CEDIDParser& p, Fold& f, std::int32_t e)
{
    TakeEachAt(f, p, e, &P::EstablishedTimingsString, &P::EstablishedTimingsHorizontalActive,
               &P::EstablishedTimingsVerticalActive, &P::EstablishedTimingsSupported);
}

void ReadBaseBlock(const CEDIDParser& p, Fold& f)
{
    TakeEach(f, p, &P::RawEDIDBaseData, &P::TypeOfExtensionBlock, &P::ManufacturerID, &P::IDManufacturerName,
             &P::IDProductId, &P::IDSerialNumber, &P::WeekOfManufacture, &P::YearOfManufacture, &P::EDIDVersion,
             &P::EDIDRevision, &P::NumberOfExtensionFlag);
    TakeEach(f, p, &P::VideoInputDefinition, &P::AnalogSignalProperties, &P::DFP1XCompatibleInterface,
             &P::MaxHorizontalImageSize, &P::MaxVerticalImageSize, &P::DisplaySize, &P::DisplayGamma,
             &P::StandbySupported, &P::SuspendSupported, &P::ActiveOffSupported, &P::DisplayType,
             &P::sRGBDefaultColorSpace, &P::PreferedTimingMode, &P::DefaultGTFSupported);
    TakeEach(f, p, &P::RedX, &P::RedY, &P::GreenX, &P::GreenY, &P::BlueX, &P::BlueY, &P::WhiteX, &P::WhiteY);
    for (std::int32_t e = kFirstTiming; e <= kLastTiming; ++e)
        ReadEstablishedTiming(p, f, e);
    for (std::uint8_t id = 1; id <= 8; ++id)
        TakeEachAt(f, p, id, &P::StandardTimingXResolution, &P::StandardTimingYResolution,
                   &P::StandardTimingVerticalFrequency, &P::StandardTimingEnable, &P::StandardTimingAspectRatio);
    TakeEach(f, p, &P::MonitorName, &P::MonitorSerialNumber, &P::MinimumVerticalFrequency,
             &P::MaximumVerticalFrequency, &P::MinimumHorizontalFrequency, &P::MaximumHorizontalFrequency,
             &P::MaximumPixelClock);
}

// The properties of the slot DetailedTimingIndex selects, plus the one
// established-timing property that borrows that slot's blanking.
void ReadSelectedTiming(const CEDIDParser& p, Fold& f)
{
    TakeEach(f, p, &P::DetailedTimingIsValid, &P::PixelClock, &P::HorizontalActive, &P::HorizontalBlanking,
             &P::VerticalActive, &P::VerticalBlanking, &P::HorizontalSyncOffset, &P::HorizontalSyncPulseWidth,
             &P::VerticalSyncOffset, &P::VerticalSyncPulseWidth, &P::HorizontalSize, &P::VerticalSize,
             &P::HorizontalBorder, &P::VerticalBorder, &P::Interlaced, &P::StereoDisplay, &P::InputType,
             &P::VerticalPolarity, &P::HorizontalPolarity);
    for (std::int32_t e = kFirstTiming; e <= kLastTiming; ++e)
        Take(f, [&] { return p.EstablishedTimingPixelFrequency(e); });
}

void ReadSlots(CEDIDParser& parser, Fold& f)
{
    for (std::int32_t index = 1; index <= CEDIDParser::SlotCount; ++index) {
        Take(f, [&] { return parser.DetailedTiming(index).isValid(); });
        Take(f, [&] { return parser.DetailedTiming(index).DescriptorData(); });
        parser.DetailedTimingIndex(index);
        ReadSelectedTiming(parser, f);
    }
}

// Numbers outside every indexed family's range, including the extremes of the
// index types (arithmetic on them must not overflow before the check). They
// fail whatever the bytes say, so one read each proves the check.
void ReadOutOfRange(CEDIDParser& parser, Fold& f)
{
    for (const std::int32_t index : {kMin, 0, CEDIDParser::SlotCount + 1, kMax}) {
        Take(f, [&] { return parser.DetailedTiming(index).isValid(); });
        parser.DetailedTimingIndex(index);
        Take(f, [&] { return parser.PixelClock(); });
    }
    for (const std::uint8_t id : {std::uint8_t{0}, std::uint8_t{9}, std::uint8_t{255}})
        Take(f, [&] { return parser.StandardTimingXResolution(id); });
    parser.DetailedTimingIndex(1);
    for (const std::int32_t e : {kMin, kMax}) {
        ReadEstablishedTiming(parser, f, e);
        Take(f, [&] { return parser.EstablishedTimingPixelFrequency(e); });
    }
}

void ReadExtensionOutOfRange(const CCEA861& c, Fold& f)
{
    for (const std::int32_t bit : {-5, 4, kMin, kMax})
        Take(f, [&] { return c.IsDTVMonitorSupport(bit); });
}

void ReadExtension(const CCEA861& c, Fold& f)
{
    TakeEach(f, c, &C::RawEDIDCEAData, &C::RevisionNumber);
    for (std::int32_t bit = 0; bit <= 3; ++bit)
        Take(f, [&] { return c.IsDTVMonitorSupport(bit); });
    TakeEach(f, c, &C::NumberOfNativeFormats, &C::DetailedTimingOffset);
    for (std::int32_t tag = 0; tag <= 7; ++tag)
        Take(f, [&] { return c.FindDataBlock(tag); });

    TakeEach(f, c, &C::VendorSpecificRegistrationIdentifier, &C::VendorSpecificPhysicalAddress,
             &C::VendorSpecificSupports_Al, &C::Supports48bpp, &C::Supports36bpp, &C::Supports30bpp, &C::SupportsYCbCr,
             &C::SupportsDUALDVI, &C::Max_TMDS_Clock, &C::HDMI_Image_Size, &C::HDMI_Video_Position,
             &C::HDMI_VIC_Length, &C::HDMI_3D_Information_Present, &C::HDMI_3D_Present,
             &C::HDMI_3D_Structure_All_Present, &C::HDMI_3D_Mask_Present, &C::HDMI_3D_FramePacking_Support,
             &C::HDMI_3D_TopAndBottom_Support, &C::HDMI_3D_SideBySide_Support);
    TakeEach(f, c, &C::Support50Hz2DFormat, &C::Support60Hz2DFormat, &C::NumberOfVideoCodes);
    // One past the last code on each side; the codes are numbered from 1.
    const int last = std::clamp(c.NumberOfVideoCodes() + 1, 0, 255);
    for (int n = 0; n <= last; ++n)
        TakeEachAt(f, c, static_cast<std::uint8_t>(n), &C::VideoFormatString, &C::IsNativeVideoFormat);
}

// Where reads that must not count still go, so the compiler keeps them.
volatile std::uint64_t discarded = 0;

} // namespace

std::uint64_t ReadEveryProperty(CEDIDParser& parser, OutOfRange outOfRange)
{
    struct RestoreIndex {
        CEDIDParser& parser;
        std::int32_t index;
        ~RestoreIndex() { parser.DetailedTimingIndex(index); }
    } restore{parser, parser.DetailedTimingIndex()};

    Fold f;
    ReadBaseBlock(parser, f);
    ReadSlots(parser, f);

    if (outOfRange == OutOfRange::Probe)
        ReadOutOfRange(parser, f);

    if (const CCEA861* cea = parser.edidCEA861()) {
        const bool current = parser.TypeOfExtensionBlock() == 2;
        Fold stale;
        Fold& fold = current ? f : stale;
        ReadExtension(*cea, fold);
        if (outOfRange == OutOfRange::Probe)
            ReadExtensionOutOfRange(*cea, fold);
        discarded = stale.Value();
    }
    return f.Value();
}

} // namespace tessarin
