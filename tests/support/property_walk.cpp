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

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kFirstTiming = -1;
constexpr std::int32_t kLastTiming = 30;

void ReadIdentification(const CEDIDParser& p, Fold& f)
{
    Take(f, [&] { return p.RawEDIDBaseData(); });
    Take(f, [&] { return p.TypeOfExtensionBlock(); });
    Take(f, [&] { return p.ManufacturerID(); });
    Take(f, [&] { return p.IDManufacturerName(); });
    Take(f, [&] { return p.IDProductId(); });
    Take(f, [&] { return p.IDSerialNumber(); });
    Take(f, [&] { return p.WeekOfManufacture(); });
    Take(f, [&] { return p.YearOfManufacture(); });
    Take(f, [&] { return p.EDIDVersion(); });
    Take(f, [&] { return p.EDIDRevision(); });
    Take(f, [&] { return p.NumberOfExtensionFlag(); });
}

void ReadDisplayParameters(const CEDIDParser& p, Fold& f)
{
    Take(f, [&] { return p.VideoInputDefinition(); });
    Take(f, [&] { return p.AnalogSignalProperties(); });
    Take(f, [&] { return p.DFP1XCompatibleInterface(); });
    Take(f, [&] { return p.MaxHorizontalImageSize(); });
    Take(f, [&] { return p.MaxVerticalImageSize(); });
    Take(f, [&] { return p.DisplaySize(); });
    Take(f, [&] { return p.DisplayGamma(); });
    Take(f, [&] { return p.StandbySupported(); });
    Take(f, [&] { return p.SuspendSupported(); });
    Take(f, [&] { return p.ActiveOffSupported(); });
    Take(f, [&] { return p.DisplayType(); });
    Take(f, [&] { return p.sRGBDefaultColorSpace(); });
    Take(f, [&] { return p.PreferedTimingMode(); });
    Take(f, [&] { return p.DefaultGTFSupported(); });
    Take(f, [&] { return p.RedX(); });
    Take(f, [&] { return p.RedY(); });
    Take(f, [&] { return p.GreenX(); });
    Take(f, [&] { return p.GreenY(); });
    Take(f, [&] { return p.BlueX(); });
    Take(f, [&] { return p.BlueY(); });
    Take(f, [&] { return p.WhiteX(); });
    Take(f, [&] { return p.WhiteY(); });
}

void ReadTimingTables(const CEDIDParser& p, Fold& f)
{
    for (std::int32_t e = kFirstTiming; e <= kLastTiming; ++e) {
        Take(f, [&] { return p.EstablishedTimingsString(e); });
        Take(f, [&] { return p.EstablishedTimingsHorizontalActive(e); });
        Take(f, [&] { return p.EstablishedTimingsVerticalActive(e); });
        Take(f, [&] { return p.EstablishedTimingsSupported(e); });
    }
    for (std::uint8_t id = 1; id <= 8; ++id) {
        Take(f, [&] { return p.StandardTimingXResolution(id); });
        Take(f, [&] { return p.StandardTimingYResolution(id); });
        Take(f, [&] { return p.StandardTimingVerticalFrequency(id); });
        Take(f, [&] { return p.StandardTimingEnable(id); });
        Take(f, [&] { return p.StandardTimingAspectRatio(id); });
    }
}

void ReadMonitorDescriptors(const CEDIDParser& p, Fold& f)
{
    Take(f, [&] { return p.MonitorName(); });
    Take(f, [&] { return p.MonitorSerialNumber(); });
    Take(f, [&] { return p.MinimumVerticalFrequency(); });
    Take(f, [&] { return p.MaximumVerticalFrequency(); });
    Take(f, [&] { return p.MinimumHorizontalFrequency(); });
    Take(f, [&] { return p.MaximumHorizontalFrequency(); });
    Take(f, [&] { return p.MaximumPixelClock(); });
}

// The properties of the slot DetailedTimingIndex selects, plus the one
// established-timing property that borrows that slot's blanking.
void ReadSelectedTiming(const CEDIDParser& p, Fold& f)
{
    Take(f, [&] { return p.DetailedTimingIsValid(); });
    Take(f, [&] { return p.PixelClock(); });
    Take(f, [&] { return p.HorizontalActive(); });
    Take(f, [&] { return p.HorizontalBlanking(); });
    Take(f, [&] { return p.VerticalActive(); });
    Take(f, [&] { return p.VerticalBlanking(); });
    Take(f, [&] { return p.HorizontalSyncOffset(); });
    Take(f, [&] { return p.HorizontalSyncPulseWidth(); });
    Take(f, [&] { return p.VerticalSyncOffset(); });
    Take(f, [&] { return p.VerticalSyncPulseWidth(); });
    Take(f, [&] { return p.HorizontalSize(); });
    Take(f, [&] { return p.VerticalSize(); });
    Take(f, [&] { return p.HorizontalBorder(); });
    Take(f, [&] { return p.VerticalBorder(); });
    Take(f, [&] { return p.Interlaced(); });
    Take(f, [&] { return p.StereoDisplay(); });
    Take(f, [&] { return p.InputType(); });
    Take(f, [&] { return p.VerticalPolarity(); });
    Take(f, [&] { return p.HorizontalPolarity(); });
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
        Take(f, [&] { return parser.EstablishedTimingsString(e); });
        Take(f, [&] { return parser.EstablishedTimingsHorizontalActive(e); });
        Take(f, [&] { return parser.EstablishedTimingsVerticalActive(e); });
        Take(f, [&] { return parser.EstablishedTimingsSupported(e); });
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
    Take(f, [&] { return c.RawEDIDCEAData(); });
    Take(f, [&] { return c.RevisionNumber(); });
    for (std::int32_t bit = 0; bit <= 3; ++bit)
        Take(f, [&] { return c.IsDTVMonitorSupport(bit); });
    Take(f, [&] { return c.NumberOfNativeFormats(); });
    Take(f, [&] { return c.DetailedTimingOffset(); });
    for (std::int32_t tag = 0; tag <= 7; ++tag)
        Take(f, [&] { return c.FindDataBlock(tag); });

    Take(f, [&] { return c.VendorSpecificRegistrationIdentifier(); });
    Take(f, [&] { return c.VendorSpecificPhysicalAddress(); });
    Take(f, [&] { return c.VendorSpecificSupports_Al(); });
    Take(f, [&] { return c.Supports48bpp(); });
    Take(f, [&] { return c.Supports36bpp(); });
    Take(f, [&] { return c.Supports30bpp(); });
    Take(f, [&] { return c.SupportsYCbCr(); });
    Take(f, [&] { return c.SupportsDUALDVI(); });
    Take(f, [&] { return c.Max_TMDS_Clock(); });
    Take(f, [&] { return c.HDMI_Image_Size(); });
    Take(f, [&] { return c.HDMI_Video_Position(); });
    Take(f, [&] { return c.HDMI_VIC_Length(); });
    Take(f, [&] { return c.HDMI_3D_Information_Present(); });
    Take(f, [&] { return c.HDMI_3D_Present(); });
    Take(f, [&] { return c.HDMI_3D_Structure_All_Present(); });
    Take(f, [&] { return c.HDMI_3D_Mask_Present(); });
    Take(f, [&] { return c.HDMI_3D_FramePacking_Support(); });
    Take(f, [&] { return c.HDMI_3D_TopAndBottom_Support(); });
    Take(f, [&] { return c.HDMI_3D_SideBySide_Support(); });

    Take(f, [&] { return c.Support50Hz2DFormat(); });
    Take(f, [&] { return c.Support60Hz2DFormat(); });
    Take(f, [&] { return c.NumberOfVideoCodes(); });
    // One past the last code on each side; the codes are numbered from 1.
    const int last = std::clamp(c.NumberOfVideoCodes() + 1, 0, 255);
    for (int n = 0; n <= last; ++n) {
        const auto num = static_cast<std::uint8_t>(n);
        Take(f, [&] { return c.VideoFormatString(num); });
        Take(f, [&] { return c.IsNativeVideoFormat(num); });
    }
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
    ReadIdentification(parser, f);
    ReadDisplayParameters(parser, f);
    ReadTimingTables(parser, f);
    ReadMonitorDescriptors(parser, f);
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
