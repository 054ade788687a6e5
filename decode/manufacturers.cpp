#include "manufacturers.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace tessarin {

namespace {

struct Manufacturer {
    std::string_view key;
    std::string_view name;
};

// Keys are whole three-letter IDs, compared case-sensitively; "___" is what
// bytes 0x7F 0xFF decode to, and some makers stand under two keys.
constexpr auto kManufacturers = std::to_array<Manufacturer>({
    {"ACT", "Targa"},
    {"ADI", "ADI Corporation"},
    {"AOC", "AOC International (USA) Ltd."},
    {"API", "Acer America Corp."},
    {"APP", "Apple Computer, Inc."},
    {"ART", "ArtMedia"},
    {"AST", "AST Research"},
    {"CPL", "Compal Electronics, Inc. / ALFA"},
    {"CPQ", "COMPAQ Computer Corp."},
    {"CTX", "CTX - Chuntex Electronic Co."},
    {"DEC", "Digital Equipment Corporation"},
    {"DEL", "Dell Computer Corp."},
    {"DPC", "Delta Electronics, Inc."},
    {"DWE", "Daewoo Telecom Ltd"},
    {"ECS", "ELITEGROUP Computer Systems"},
    {"EIZ", "EIZO"},
    {"FCM", "Funai Electric Company of Taiwan"},
    {"GSM", "LG Electronics Inc. (GoldStar Technology, Inc.)"},
    {"GWY", "Gateway 2000"},
    {"HEI", "Hyundai Electronics Industries Co., Ltd."},
    {"HIT", "Hitachi"},
    {"HSL", "Hansol Electronics"},
    {"HTC", "Hitachi Ltd. / Nissei Sangyo America Ltd."},
    {"HWP", "Hewlett Packard"},
    {"IBM", "IBM PC Company"},
    {"ICL", "Fujitsu ICL"},
    {"IVM", "Idek Iiyama North America, Inc."},
    {"KFC", "KFC Computek"},
    {"LKM", "ADLAS / AZALEA"},
    {"LNK", "LINK Technologies, Inc."},
    {"LTN", "Lite-On"},
    {"MAG", "MAG InnoVision"},
    {"MAX", "Maxdata Computer GmbH"},
    {"MEI", "Panasonic Comm. & Systems Co."},
    {"MEL", "Mitsubishi Electronics"},
    {"MIR", "miro Computer Products AG"},
    {"MTC", "MITAC"},
    {"NAN", "NANAO"},
    {"NEC", "NEC Technologies, Inc."},
    {"NOK", "Nokia"},
    {"OQI", "OPTIQUEST"},
    {"PBN", "Packard Bell"},
    {"PGS", "Princeton Graphic Systems"},
    {"PHL", "Philips Consumer Electronics Co."},
    {"REL", "Relisys"},
    {"SAM", "Samsung"},
    {"SDI", "Samtron"},
    {"SMI", "Smile"},
    {"SNI", "Siemens Nixdorf"},
    {"SNY", "Sony Corporation"},
    {"SPT", "Sceptre"},
    {"SRC", "Shamrock Technology"},
    {"STP", "Sceptre"},
    {"TAT", "Tatung Co. of America, Inc."},
    {"TRL", "Royal Information Company"},
    {"TSB", "Toshiba, Inc."},
    {"UNM", "Unisys Corporation"},
    {"VSC", "ViewSonic Corporation"},
    {"WTC", "Wen Technology"},
    {"ZCM", "Zenith Data Systems"},
    {"___", "Targa"},
});

constexpr bool KeyBefore(const Manufacturer& row, std::string_view key) { return row.key < key; }

// Looked up by halves: every report asks once.
static_assert(std::is_sorted(kManufacturers.begin(), kManufacturers.end(),
                             [](const Manufacturer& a, const Manufacturer& b) { return a.key < b.key; }),
              "manufacturer keys in byte order");

} // namespace

std::string GetManufacturerName(std::string_view id)
{
    const auto row = std::lower_bound(kManufacturers.begin(), kManufacturers.end(), id, KeyBefore);
    if (row != kManufacturers.end() && row->key == id)
        return std::string(row->name);
    return std::string(id);
}

} // namespace tessarin
