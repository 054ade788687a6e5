#pragma once
// Reading an EDID straight from a display through the QorinDrive or the
// QorinLite device. Each returns whether a new EDID was taken: then
// CurrentEDID holds its 256 bytes and the parser has them. On false neither
// changed, so the report on screen and what an ".edd" save writes stay the
// same EDID, and `whyNot`, when given, gets the reason. The QorinLite read
// can take a while: the window shows its busy pointer around it.
#include <QObject>

#include <cstdint>
#include <string>
#include <vector>

namespace tessarin {

class CEDIDParser;

// Connected, a hot-plug signal, then 256 single-byte reads at DDC address
// 0xA0 (also for a 128-byte EDID). Refused when a read fails or gives a
// value outside 0..255, or byte 1 is not 0xFF, or byte 8 is 0x00.
bool ReadEDIDFromQorinDrive(QObject* QorinDrive, std::vector<std::uint8_t>& CurrentEDID, CEDIDParser& parser,
                            std::string* whyNot = nullptr);

// Connected, a display on the DDC bus, then the EDID as the component hands
// it over (a QByteArray), zero-padded to or cut at 256 bytes. Refused when
// it has fewer than nine bytes, byte 1 is not 0xFF, or byte 8 is 0xFF.
bool ReadEDIDFromQorinLite(QObject* QorinBase, std::vector<std::uint8_t>& CurrentEDID, CEDIDParser& parser,
                           std::string* whyNot = nullptr);

} // namespace tessarin
