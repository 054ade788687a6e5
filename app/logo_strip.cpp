#include "logo_strip.h"

#include <QFont>
#include <QPainter>
#include <QPalette>

#include <cstdlib>
#include <vector>

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

// "EDID viewer" in the link colour, unless the theme's link colour hardly
// stands out from its window (a dark window with the default blue).
QColor SubtitleColour(const QPalette& palette)
{
    const QColor link = palette.color(QPalette::Link);
    const int window = palette.color(QPalette::Window).lightness();
    if (std::abs(link.lightness() - window) >= 96)
        return link;
    return window < 128 ? link.lighter(200) : link.darker(200);
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
    painter.setPen(SubtitleColour(palette));
    painter.drawText(QPoint(86, 59), QStringLiteral("EDID viewer"));
    return strip;
}

QImage WithoutWhiteGround(const QImage& image)
{
    if (image.isNull())
        return image;
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    const int width = result.width();
    const int height = result.height();
    const auto isWhite = [&](int x, int y) { return result.pixel(x, y) == qRgba(255, 255, 255, 255); };
    std::vector<QPoint> todo;
    for (int x = 0; x < width; ++x)
        todo.insert(todo.end(), {QPoint(x, 0), QPoint(x, height - 1)});
    for (int y = 0; y < height; ++y)
        todo.insert(todo.end(), {QPoint(0, y), QPoint(width - 1, y)});
    while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        if (p.x() < 0 || p.y() < 0 || p.x() >= width || p.y() >= height || !isWhite(p.x(), p.y()))
            continue;
        result.setPixel(p, qRgba(255, 255, 255, 0));
        todo.insert(todo.end(), {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)});
    }
    return result;
}

} // namespace tessarin
