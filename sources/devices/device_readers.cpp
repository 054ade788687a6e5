#include "device_readers.h"

#include "edid_parser.h"
#include "late_binding.h"

#include <QByteArray>

namespace tessarin {
namespace {

constexpr std::size_t kEDIDSize = CEDIDParser::EDIDSize;
constexpr qint16 kDDCAddress = 0xA0;
// Byte 8 is the last one either acceptance test looks at.
constexpr qsizetype kShortestAnswer = 9;

bool Take(std::vector<std::uint8_t> edid, std::vector<std::uint8_t>& CurrentEDID, CEDIDParser& parser)
{
    if (!parser.UpdateEDIDDataFromArray(edid))
        return false;
    CurrentEDID = std::move(edid);
    return true;
}

} // namespace

bool ReadEDIDFromQorinDrive(QObject* QorinDrive, std::vector<std::uint8_t>& CurrentEDID, CEDIDParser& parser)
{
    if (!IsTrue(GetMember(QorinDrive, "Connected")))
        return false;
    const auto hotPlug = CallMember(QorinDrive, "GetHotPlug", {});
    if (!hotPlug || !IsTrue(*hotPlug))
        return false;
    std::vector<std::uint8_t> edid(kEDIDSize, 0);
    for (qint16 offset = 0; offset < static_cast<qint16>(kEDIDSize); ++offset) {
        const auto answer = CallMember(QorinDrive, "GetDDCContent", {kDDCAddress, offset});
        const auto value = answer ? IntegerOf(*answer) : std::nullopt;
        // One byte the device could not give spoils the EDID: no zero may
        // stand in for it.
        if (!value || *value < 0 || *value > 255)
            return false;
        edid[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(*value);
    }
    if (edid[1] != 0xFF || edid[8] == 0x00)
        return false;
    return Take(std::move(edid), CurrentEDID, parser);
}

bool ReadEDIDFromQorinLite(QObject* QorinBase, std::vector<std::uint8_t>& CurrentEDID, CEDIDParser& parser)
{
    if (!IsTrue(GetMember(QorinBase, "Connected")))
        return false;
    QObject* ddc = ObjectOf(GetMember(QorinBase, "QorinSiI178"));
    if (ddc == nullptr || !IsTrue(GetMember(ddc, "DDCDevicePresent")))
        return false;
    const QVariant answer = GetMember(ddc, "EDIDData");
    if (answer.typeId() != QMetaType::QByteArray)
        return false;
    const QByteArray data = answer.toByteArray();
    if (data.size() < kShortestAnswer)
        return false;
    std::vector<std::uint8_t> edid(data.begin(), data.end());
    if (edid[1] != 0xFF || edid[8] == 0xFF)
        return false;
    // The decoder takes 256 bytes exactly; a 128-byte answer left as it is
    // would be refused there and the old report shown as the new one.
    edid.resize(kEDIDSize, 0);
    return Take(std::move(edid), CurrentEDID, parser);
}

} // namespace tessarin
