#include "program_info.h"

namespace tessarin {

QString ProgramTitle()
{
    return QStringLiteral("Tessarin");
}

QString ProgramVersion()
{
    return QStringLiteral(TESSARIN_VERSION);
}

QString ProgramDescription()
{
    return QStringLiteral("Tessarin analyses  E-EDID(1.3) Data and generates a printable report.");
}

QString MakerName()
{
    return QStringLiteral("The Tessarin project");
}

QString MakerWebAddress()
{
    return QStringLiteral(TESSARIN_HOMEPAGE);
}

QString MakerSupportEmail()
{
    return QStringLiteral(TESSARIN_SUPPORT_EMAIL);
}

} // namespace tessarin
