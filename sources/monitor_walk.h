#pragma once
// The walk over the system's monitor store: which keys are monitors, which
// of them is active, the list the selection dialog shows, and the EDID of
// the monitor picked from it. Plain functions without state: every call
// walks the store afresh, so the list and a later read each see the store
// as it is at that moment, in the same order.
#include "monitor_store.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

// Shown in a list entry in place of a value that cannot be read.
inline constexpr std::string_view kValueError = "~{{<ERROR>}}~";
// The only element of a key list that found nothing.
inline constexpr std::string_view kNoKeys = "{ERROR}";
// The longest text before an entry's bar: the dialog takes the bar's
// position as a byte.
inline constexpr std::size_t kMaxEntryNameLength = 254;

// Every instance key under the store's display key, model by model, each
// model's instances in the store's order; {kNoKeys} when the display key has
// no subkeys or does not exist.
std::vector<std::string> GetDisplayInstanceKeys(const MonitorStore& store);

// Whether one of the instance's hardware IDs starts with "monitor\" in any
// letter case. An instance whose "HardwareID" cannot be read is no monitor.
bool IsMonitorKey(const MonitorStore& store, const std::string& key);

// The elements of `keys` that are monitors, in their order; {kNoKeys} when
// none is.
std::vector<std::string> GetMonitorKeys(const MonitorStore& store, const std::vector<std::string>& keys);

// Whether the instance key has a subkey named "Control" in any letter case.
bool IsActiveMonitorKey(const MonitorStore& store, const std::string& key);

// One entry per monitor key, index for index: normally
// DeviceDesc " ; " Mfg " | " ("-1" active, "0" not); with IsWindows7 the
// first hardware ID without what precedes its first backslash. Empty when the
// store holds no monitor, so that no pseudo entry can be picked.
std::vector<std::string> BuildDisplayList(const MonitorStore& store, bool IsWindows7);

// The instance's EDID brought to 256 bytes (zero-padded, or cut after byte
// 255); empty when the key has no EDID value, an empty one, or one that
// cannot be read.
std::vector<std::uint8_t> GetEDIDFromKey(const MonitorStore& store, const std::string& key);

// GetEDIDFromKey for entry `index` of a fresh walk; empty for an index that
// is not in the list.
std::vector<std::uint8_t> GetMonitorEDID(const MonitorStore& store, std::int16_t index);
// Every byte the store holds for entry `index` (an EDID with more than one
// extension is longer than 256 bytes), not padded; empty as above.
std::vector<std::uint8_t> GetMonitorEDIDBytes(const MonitorStore& store, std::int16_t index);

// What the dialog shows of a normal entry: everything before its first bar
// (for a built entry, description " ; " manufacturer and one blank). An
// entry without a bar is shown whole.
std::string ExtractName(std::string_view strData);

// The index of the first entry whose two characters after the first bar are
// not " 0" (the first two characters when it has no bar); -1 when there is
// none or the index does not fit the dialog's 16-bit result.
std::int16_t FirstActiveEntry(std::span<const std::string> displayList);

} // namespace tessarin
