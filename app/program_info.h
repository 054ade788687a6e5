#pragma once
// Who the program is: its title, version and maker, as the caption, the
// splash and the About box show them.
#include <QString>

namespace tessarin {

QString ProgramTitle();   // "Tessarin"
QString ProgramVersion(); // major.minor.revision, each in decimal
QString ProgramDescription();
QString MakerName();
// Set when the program is built (TESSARIN_HOMEPAGE, TESSARIN_SUPPORT_EMAIL);
// empty when whoever builds it gave none.
QString MakerWebAddress();
QString MakerSupportEmail();

} // namespace tessarin
