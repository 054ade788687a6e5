#include "report_fonts.h"

#include <QStringList>

#include <array>

namespace tessarin {
namespace {

struct Substitute {
    const char* family;
    const char* metricTwins; // ';'-separated
    QFont::StyleHint hint;
};

constexpr std::array kSubstitutes = {
    Substitute{"Arial", "Liberation Sans;Arimo", QFont::SansSerif},
    Substitute{"Helvetica", "Liberation Sans;Arimo", QFont::SansSerif},
    Substitute{"Courier New", "Liberation Mono;Cousine", QFont::TypeWriter},
    Substitute{"Courier", "Liberation Mono;Cousine", QFont::TypeWriter},
    Substitute{"Times New Roman", "Liberation Serif;Tinos", QFont::Serif},
};

// Tried after the entry's own family and its twins, in this order, so the
// kind holds whatever fonts the machine has: fontconfig alone may answer an
// unknown sans family with a fixed-pitch font, or the reverse, when only a
// few families are installed. The generic name comes last.
QStringList KindFallbacks(QFont::StyleHint hint)
{
    switch (hint) {
    case QFont::TypeWriter:
        return {"Liberation Mono", "Cousine", "DejaVu Sans Mono", "Noto Sans Mono", "Noto Mono", "monospace"};
    case QFont::Serif:
        return {"Liberation Serif", "Tinos", "DejaVu Serif", "Noto Serif", "serif"};
    case QFont::SansSerif:
        return {"Liberation Sans", "Arimo", "DejaVu Sans", "Noto Sans", "sans-serif"};
    default:
        return {};
    }
}

QFont::StyleHint HintForFamily(const std::string& family)
{
    if (family == "swiss")
        return QFont::SansSerif;
    if (family == "modern")
        return QFont::TypeWriter;
    if (family == "roman")
        return QFont::Serif;
    if (family == "script")
        return QFont::Cursive;
    if (family == "decor")
        return QFont::Decorative;
    return QFont::AnyStyle;
}

} // namespace

QFont ReportFont(const FontEntry* entry)
{
    static const FontEntry kBodyFont{1, "swiss", 2, "Arial"};
    const FontEntry& font = entry != nullptr ? *entry : kBodyFont;

    const QString name = QString::fromStdString(font.name);
    QStringList families;
    if (!name.isEmpty())
        families << name;
    QFont::StyleHint hint = HintForFamily(font.family);
    for (const Substitute& substitute : kSubstitutes) {
        if (name.compare(QLatin1String(substitute.family), Qt::CaseInsensitive) != 0)
            continue;
        families << QString::fromLatin1(substitute.metricTwins).split(u';');
        if (hint == QFont::AnyStyle)
            hint = substitute.hint;
    }
    const bool fixedPitch = font.pitch == 1 || hint == QFont::TypeWriter;
    if (fixedPitch)
        hint = QFont::TypeWriter;

    for (const QString& fallback : KindFallbacks(hint))
        if (!families.contains(fallback, Qt::CaseInsensitive))
            families << fallback;

    QFont qfont;
    if (!families.isEmpty())
        qfont.setFamilies(families);
    qfont.setStyleHint(hint);
    qfont.setFixedPitch(fixedPitch);
    return qfont;
}

} // namespace tessarin
