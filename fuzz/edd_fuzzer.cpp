// Any text as an ".edd" file. A load that succeeds is decoded and read like a
// real one, and what it loaded must survive a save and a second load intact.
#include "edd_file.h"
#include "edid_parser.h"
#include "property_walk.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<std::uint8_t> edid;
    if (!tessarin::LoadDataFile(in, edid))
        return 0;
    if (edid.size() != tessarin::CEDIDParser::EDIDSize)
        std::abort();

    tessarin::CEDIDParser parser;
    if (!parser.UpdateEDIDDataFromArray(edid))
        std::abort();
    tessarin::ReadEveryProperty(parser);

    for (const char separator : {'.', ','}) {
        std::istringstream saved(tessarin::FormatDataFile(edid, parser, separator));
        std::vector<std::uint8_t> reloaded;
        if (!tessarin::LoadDataFile(saved, reloaded) || reloaded != edid)
            std::abort();
    }
    return 0;
}
