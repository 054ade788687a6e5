#include "text_document_builder.h"

#include "report_fonts.h"

#include <QBuffer>
#include "logo_strip.h"

#include <QImage>
#include <QImageReader>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextOption>
#include <QUrl>

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

namespace tessarin {
namespace {

// Half an inch of default tab spacing, as RTF has it.
constexpr int kDefaultTabTwips = 720;
// Twenty-two inches: nothing in a report is wider.
constexpr int kMaxTwips = 31680;
constexpr int kMinHalfPoints = 2;
constexpr int kMaxHalfPoints = 3276; // 1638 points, the largest size RTF editors offer
// A picture larger than this is not decoded (a report's logo is 67 x 58).
constexpr qint64 kMaxPicturePixels = 4096LL * 4096LL;

class Builder {
public:
    Builder(QTextDocument& target, const DocumentModel& document, double dotsPerInch)
        : target_(target)
        , document_(document)
        , dotsPerInch_(dotsPerInch > 0 ? dotsPerInch : 96.0)
    {
    }

    void Build()
    {
        target_.clear();
        target_.setUndoRedoEnabled(false);
        QTextOption option = target_.defaultTextOption();
        option.setTabStopDistance(Units(kDefaultTabTwips));
        target_.setDefaultTextOption(option);
        target_.setDefaultFont(TextFormat(CharFormat{}).font());

        QTextCursor cursor(&target_);
        cursor.beginEditBlock();
        bool first = true;
        for (const TextParagraph& paragraph : document_.paragraphs) {
            const QTextBlockFormat block = BlockFormat(paragraph);
            const QTextCharFormat mark = TextFormat(paragraph.mark);
            if (first) {
                cursor.setBlockFormat(block);
                cursor.setBlockCharFormat(mark);
                first = false;
            } else {
                cursor.insertBlock(block, mark);
            }
            for (const TextRun& run : paragraph.runs) {
                if (run.picture >= 0)
                    cursor.insertImage(ImageFormat(run.picture));
                else
                    cursor.insertText(DisplayText(run.text), TextFormat(run.format));
            }
        }
        cursor.endEditBlock();
    }

private:
    double Units(std::int32_t twips) const
    {
        return std::clamp(twips, 0, kMaxTwips) * dotsPerInch_ / 1440.0;
    }

    QTextBlockFormat BlockFormat(const TextParagraph& paragraph) const
    {
        QTextBlockFormat format;
        switch (paragraph.alignment) {
        case ParagraphAlignment::Left: format.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute); break;
        case ParagraphAlignment::Centre: format.setAlignment(Qt::AlignHCenter); break;
        case ParagraphAlignment::Right: format.setAlignment(Qt::AlignRight | Qt::AlignAbsolute); break;
        case ParagraphAlignment::Justified: format.setAlignment(Qt::AlignJustify); break;
        }
        if (!paragraph.tabStops.empty()) {
            QList<QTextOption::Tab> tabs;
            for (const std::int32_t stop : paragraph.tabStops)
                tabs.append(QTextOption::Tab(Units(stop), QTextOption::LeftTab));
            // Qt wants them in order; RTF lists them in any.
            std::sort(tabs.begin(), tabs.end(),
                      [](const QTextOption::Tab& a, const QTextOption::Tab& b) { return a.position < b.position; });
            format.setTabPositions(tabs);
        }
        return format;
    }

    const QTextCharFormat& TextFormat(const CharFormat& rtf)
    {
        const auto key = std::make_tuple(rtf.font, rtf.halfPoints, rtf.bold, rtf.italic, rtf.underline);
        if (const auto it = charFormats_.find(key); it != charFormats_.end())
            return it->second;
        QFont font = FontOfNumber(rtf.font);
        font.setPointSizeF(std::clamp(rtf.halfPoints, kMinHalfPoints, kMaxHalfPoints) / 2.0);
        font.setBold(rtf.bold);
        font.setItalic(rtf.italic);
        font.setUnderline(rtf.underline);
        QTextCharFormat format;
        format.setFont(font);
        return charFormats_.emplace(key, format).first->second;
    }

    QFont FontOfNumber(std::int32_t number)
    {
        if (const auto it = fonts_.find(number); it != fonts_.end())
            return it->second;
        const auto entry = std::find_if(document_.fonts.begin(), document_.fonts.end(),
                                        [&](const FontEntry& font) { return font.number == number; });
        // A number the table lacks is shown in the table's first font.
        const QFont font = entry != document_.fonts.end()
                               ? ReportFont(&*entry)
                               : ReportFont(document_.fonts.empty() ? nullptr : &document_.fonts.front());
        return fonts_.emplace(number, font).first->second;
    }

    // The pane counts one character per character of the model; Qt would
    // make a new block of a paragraph or frame mark, and take a lone
    // surrogate or an object mark for something else.
    static QString DisplayText(const std::string& utf8)
    {
        QString text = QString::fromStdString(utf8);
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = text.at(i).unicode();
            const bool control = c < 0x20 && c != u'\t';
            if (control || c == 0x2028 || c == 0x2029 || c == 0xFDD0 || c == 0xFDD1 || c == 0xFFFC ||
                QChar::isSurrogate(c)) {
                if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                    text.remove(i + 1, 1);
                text[i] = QChar(QChar::ReplacementCharacter);
            }
        }
        return text;
    }

    QTextImageFormat ImageFormat(std::int32_t index)
    {
        const PictureData& picture = document_.pictures[static_cast<std::size_t>(index)];
        const QString name = QStringLiteral("rtf-picture:%1").arg(index);
        // On a dark theme the picture's white ground would be a white box.
        QImage image = WithoutWhiteGround(Decode(picture));
        QTextImageFormat format;
        format.setName(name);
        // Its size on the page is what the document asks for; without that,
        // its pixels at 96 dpi.
        const double width = picture.widthGoal > 0 ? Units(picture.widthGoal)
                             : !image.isNull()     ? Units(image.width() * 15)
                                                   : Units(std::max(picture.width, 1) * 15);
        const double height = picture.heightGoal > 0 ? Units(picture.heightGoal)
                              : !image.isNull()      ? Units(image.height() * 15)
                                                     : Units(std::max(picture.height, 1) * 15);
        format.setWidth(std::max(width, 1.0));
        format.setHeight(std::max(height, 1.0));
        if (image.isNull()) {
            // Room for the picture, and nothing drawn in it.
            image = QImage(1, 1, QImage::Format_ARGB32);
            image.fill(Qt::transparent);
        }
        target_.addResource(QTextDocument::ImageResource, QUrl(name), image);
        return format;
    }

    static QImage Decode(const PictureData& picture)
    {
        if (!picture.png || picture.data.empty())
            return {};
        QByteArray bytes = QByteArray::fromStdString(picture.data);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "png");
        const QSize size = reader.size();
        if (!size.isValid() || static_cast<qint64>(size.width()) * size.height() > kMaxPicturePixels)
            return {};
        return reader.read();
    }

    QTextDocument& target_;
    const DocumentModel& document_;
    double dotsPerInch_;
    std::map<std::tuple<std::int32_t, std::int32_t, bool, bool, bool>, QTextCharFormat> charFormats_;
    std::map<std::int32_t, QFont> fonts_;
};

} // namespace

void FillTextDocument(QTextDocument& target, const DocumentModel& document, double dotsPerInch)
{
    Builder(target, document, dotsPerInch).Build();
}

} // namespace tessarin
