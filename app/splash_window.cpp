#include "splash_window.h"

#include "program_info.h"

#include <QPainter>
#include <QPixmap>

namespace tessarin {
namespace {

QPixmap SplashPicture()
{
    const QPixmap logo(QStringLiteral(":/tessarin/logo_strip.png"));
    QPixmap picture(logo.width() + 80, logo.height() + 110);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setPen(QColor(0x34, 0x3a, 0x46));
    painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    painter.drawPixmap(40, 20, logo);
    painter.drawText(QRect(0, logo.height() + 30, picture.width(), 20), Qt::AlignHCenter,
                     QStringLiteral("Version ") + ProgramVersion());
    painter.drawText(QRect(20, logo.height() + 55, picture.width() - 40, 40),
                     Qt::AlignHCenter | Qt::TextWordWrap, ProgramDescription());
    return picture;
}

} // namespace

frmSplash::frmSplash()
    : QSplashScreen(SplashPicture())
{
    setObjectName(QStringLiteral("frmSplash"));
}

} // namespace tessarin
