#include "splash_window.h"

#include "logo_strip.h"
#include "program_info.h"

#include <QPainter>
#include <QPalette>
#include <QPixmap>

namespace tessarin {
namespace {

QPixmap SplashPicture()
{
    // The splash keeps its light look whatever the theme.
    QPalette light;
    light.setColor(QPalette::WindowText, QColor(0x34, 0x3a, 0x46));
    light.setColor(QPalette::Link, QColor(0x28, 0x5f, 0xae));
    const QPixmap logo = LogoStrip(light, 1.0);
    QPixmap picture(logo.width() + 80, logo.height() + 110);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setPen(QColor(0x34, 0x3a, 0x46));
    painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    painter.drawPixmap(40, 20, logo);
    painter.drawText(QRect(0, logo.height() + 30, picture.width(), 20), Qt::AlignHCenter,
                     QStringLiteral("Version ") + ProgramVersion());
    painter.drawText(QRect(20, logo.height() + 55, picture.width() - 40, 40),
                     Qt::AlignHCenter | Qt::TextWordWrap, ProgramDescription().simplified());
    return picture;
}

} // namespace

frmSplash::frmSplash()
    : QSplashScreen(SplashPicture())
{
    setObjectName(QStringLiteral("frmSplash"));
}

} // namespace tessarin
