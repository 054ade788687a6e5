#include "logo_strip.h"

#include <QFont>
#include <QPainter>
#include <QPalette>

namespace tessarin {
namespace {

constexpr QSize kStripSize(300, 71);
constexpr QSize kLogoSize(67, 58);

QFont StripFont(int pixels, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

QIcon ProgramIcon()
{
    QIcon icon;
    for (const int size : {64, 128, 256})
        icon.addFile(QStringLiteral(":/tessarin/tessarin-%1.png").arg(size), QSize(size, size));
    return icon;
}

QPixmap LogoStrip(const QPalette& palette, qreal devicePixelRatio)
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QPixmap strip(kStripSize * ratio);
    strip.setDevicePixelRatio(ratio);
    strip.fill(Qt::transparent);

    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // logo@2x.png stands in on a scaled screen.
    const QIcon logo(QStringLiteral(":/tessarin/logo.png"));
    painter.drawPixmap(QPoint(4, 7), logo.pixmap(kLogoSize, ratio));
    painter.setFont(StripFont(31, true));
    painter.setPen(palette.color(QPalette::WindowText));
    painter.drawText(QPoint(84, 38), QStringLiteral("Tessarin"));
    painter.setFont(StripFont(14, false));
    painter.setPen(palette.color(QPalette::Link));
    painter.drawText(QPoint(86, 59), QStringLiteral("EDID viewer"));
    return strip;
}

} // namespace tessarin
