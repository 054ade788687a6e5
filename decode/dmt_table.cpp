#include "dmt_table.h"

#include <algorithm>
#include <array>

namespace tessarin {

namespace {

constexpr bool RB = true;
constexpr bool I = true;

// Sorted by ID.
constexpr std::array<DmtMode, 88> kModes = {{
    {0x01, 640, 350, 85, false, false},    {0x02, 640, 400, 85, false, false},
    {0x03, 720, 400, 85, false, false},    {0x04, 640, 480, 60, false, false},
    {0x05, 640, 480, 72, false, false},    {0x06, 640, 480, 75, false, false},
    {0x07, 640, 480, 85, false, false},    {0x08, 800, 600, 56, false, false},
    {0x09, 800, 600, 60, false, false},    {0x0A, 800, 600, 72, false, false},
    {0x0B, 800, 600, 75, false, false},    {0x0C, 800, 600, 85, false, false},
    {0x0D, 800, 600, 120, false, RB},      {0x0E, 848, 480, 60, false, false},
    {0x0F, 1024, 768, 43, I, false},       {0x10, 1024, 768, 60, false, false},
    {0x11, 1024, 768, 70, false, false},   {0x12, 1024, 768, 75, false, false},
    {0x13, 1024, 768, 85, false, false},   {0x14, 1024, 768, 120, false, RB},
    {0x15, 1152, 864, 75, false, false},   {0x16, 1280, 768, 60, false, RB},
    {0x17, 1280, 768, 60, false, false},   {0x18, 1280, 768, 75, false, false},
    {0x19, 1280, 768, 85, false, false},   {0x1A, 1280, 768, 120, false, RB},
    {0x1B, 1280, 800, 60, false, RB},      {0x1C, 1280, 800, 60, false, false},
    {0x1D, 1280, 800, 75, false, false},   {0x1E, 1280, 800, 85, false, false},
    {0x1F, 1280, 800, 120, false, RB},     {0x20, 1280, 960, 60, false, false},
    {0x21, 1280, 960, 85, false, false},   {0x22, 1280, 960, 120, false, RB},
    {0x23, 1280, 1024, 60, false, false},  {0x24, 1280, 1024, 75, false, false},
    {0x25, 1280, 1024, 85, false, false},  {0x26, 1280, 1024, 120, false, RB},
    {0x27, 1360, 768, 60, false, false},   {0x28, 1360, 768, 120, false, RB},
    {0x29, 1400, 1050, 60, false, RB},     {0x2A, 1400, 1050, 60, false, false},
    {0x2B, 1400, 1050, 75, false, false},  {0x2C, 1400, 1050, 85, false, false},
    {0x2D, 1400, 1050, 120, false, RB},    {0x2E, 1440, 900, 60, false, RB},
    {0x2F, 1440, 900, 60, false, false},   {0x30, 1440, 900, 75, false, false},
    {0x31, 1440, 900, 85, false, false},   {0x32, 1440, 900, 120, false, RB},
    {0x33, 1600, 1200, 60, false, false},  {0x34, 1600, 1200, 65, false, false},
    {0x35, 1600, 1200, 70, false, false},  {0x36, 1600, 1200, 75, false, false},
    {0x37, 1600, 1200, 85, false, false},  {0x38, 1600, 1200, 120, false, RB},
    {0x39, 1680, 1050, 60, false, RB},     {0x3A, 1680, 1050, 60, false, false},
    {0x3B, 1680, 1050, 75, false, false},  {0x3C, 1680, 1050, 85, false, false},
    {0x3D, 1680, 1050, 120, false, RB},    {0x3E, 1792, 1344, 60, false, false},
    {0x3F, 1792, 1344, 75, false, false},  {0x40, 1792, 1344, 120, false, RB},
    {0x41, 1856, 1392, 60, false, false},  {0x42, 1856, 1392, 75, false, false},
    {0x43, 1856, 1392, 120, false, RB},    {0x44, 1920, 1200, 60, false, RB},
    {0x45, 1920, 1200, 60, false, false},  {0x46, 1920, 1200, 75, false, false},
    {0x47, 1920, 1200, 85, false, false},  {0x48, 1920, 1200, 120, false, RB},
    {0x49, 1920, 1440, 60, false, false},  {0x4A, 1920, 1440, 75, false, false},
    {0x4B, 1920, 1440, 120, false, RB},    {0x4C, 2560, 1600, 60, false, RB},
    {0x4D, 2560, 1600, 60, false, false},  {0x4E, 2560, 1600, 75, false, false},
    {0x4F, 2560, 1600, 85, false, false},  {0x50, 2560, 1600, 120, false, RB},
    {0x51, 1366, 768, 60, false, false},   {0x52, 1920, 1080, 60, false, false},
    {0x53, 1600, 900, 60, false, RB},      {0x54, 2048, 1152, 60, false, RB},
    {0x55, 1280, 720, 60, false, false},   {0x56, 1366, 768, 60, false, RB},
    {0x57, 4096, 2160, 60, false, RB},     {0x58, 4096, 2160, 59.94, false, RB},
}};

} // namespace

const DmtMode* FindDmtMode(unsigned id) noexcept
{
    const auto it = std::lower_bound(kModes.begin(), kModes.end(), id,
                                     [](const DmtMode& m, unsigned key) { return m.id < key; });
    return it != kModes.end() && it->id == id ? &*it : nullptr;
}

} // namespace tessarin
