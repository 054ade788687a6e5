#include "device_readers.h"

#include "edid_parser.h"
#include "late_binding.h"

#include <QByteArray>

#include <string>
#include <utility>

namespace tessarin {
namespace {

constexpr std::size_t kEDIDSize = CEDIDParser::EDIDSize;
constexpr qint16 kDDCAddress = 0xA0;
// Byte 8 is the last one either acceptance test looks at.
constexpr qsizetype kShortestAnswer = 9;

bool Refuse(std::string* whyNot, std::string why)
{
    if (whyNot != nullptr)
        *whyNot = std::move(why);
    return false;
}

std::string Hex(std::uint8_t value)
{
    constexpr char kDigits[] = "0123456789ABCDEF";
    return std::string("0x") + kDigits[value >> 4u] + kDigits[value & 0xFu];
}

bool Take(std::vector<std::uint8_t> edid, std::vector<std::uint8_t>& CurrentEDID, CEDIDParser& parser,
          std::string* whyNot)
{
    if (!parser.UpdateEDIDDataFromArray(edid))
        return Refuse(whyNot, "not taken by the decoder");
    CurrentEDID = std::move(edid);
    return true;
}

} // namespace

bool ReadEDIDFromQorinDrive(QObject* QorinDrive, std::vector<std::uint8_t>& CurrentEDID, CEDIDParser& parser,
                            std::string* whyNot)
{
    if (!IsTrue(GetMember(QorinDrive, "Connected")))
        return Refuse(whyNot, "the device is not connected");
    const auto hotPlug = CallMember(QorinDrive, "GetHotPlug", {});
    if (!hotPlug || !IsTrue(*hotPlug))
        return Refuse(whyNot, "no display is plugged into it");
    std::vector<std::uint8_t> edid(kEDIDSize, 0);
    for (qint16 offset = 0; offset < static_cast<qint16>(kEDIDSize); ++offset) {
        const auto answer = CallMember(QorinDrive, "GetDDCContent", {kDDCAddress, offset});
        const auto value = answer ? IntegerOf(*answer) : std::nullopt;
        // One byte the device could not give spoils the EDID: no zero may
        // stand in for it.
        if (!value || *value < 0 || *value > 255)
            return Refuse(whyNot, "byte " + std::to_string(offset) + " could not be read");
        edid[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(*value);
    }
    if (edid[1] != 0xFF)
        return Refuse(whyNot, "byte 1 is " + Hex(edid[1]) + ", not 0xFF");
    if (edid[8] == 0x00)
        return Refuse(whyNot, "byte 8 is 0x00");
    return Take(std::move(edid), CurrentEDID, parser, whyNot);
}

bool ReadEDIDFromQorinLite(QObject* QorinBase, std::vector<std::uint8_t>& CurrentEDID, CEDIDParser& parser,
                           std::string* whyNot)
{
    if (!IsTrue(GetMember(QorinBase, "Connected")))
        return Refuse(whyNot, "the device is not connected");
    QObject* ddc = ObjectOf(GetMember(QorinBase, "QorinSiI178"));
    if (ddc == nullptr || !IsTrue(GetMember(ddc, "DDCDevicePresent")))
        return Refuse(whyNot, "no display answers on its DDC bus");
    const QVariant answer = GetMember(ddc, "EDIDData");
    if (answer.typeId() != QMetaType::QByteArray)
        return Refuse(whyNot, "it gave no EDID");
    const QByteArray data = answer.toByteArray();
    if (data.size() < kShortestAnswer)
        return Refuse(whyNot, "it gave " + std::to_string(data.size()) + " bytes, too few for an EDID");
    std::vector<std::uint8_t> edid(data.begin(), data.end());
    if (edid[1] != 0xFF)
        return Refuse(whyNot, "byte 1 is " + Hex(edid[1]) + ", not 0xFF");
    if (edid[8] == 0xFF)
        return Refuse(whyNot, "byte 8 is 0xFF");
    // The decoder takes 256 bytes exactly; a 128-byte answer left as it is
    // would be refused there and the old report shown as the new one.
    edid.resize(kEDIDSize, 0);
    return Take(std::move(edid), CurrentEDID, parser, whyNot);
}

} // namespace tessarin
