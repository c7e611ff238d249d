#include "RichTextMapping.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace tiravel {

namespace {

constexpr int kHalfPointsPerPoint = 2;

QColor colourOf(const RtfDocument& document, int index)
{
    if (index <= 0 || index >= static_cast<int>(document.colors.size()))
        return Qt::black;
    const RtfColor& c = document.colors[static_cast<std::size_t>(index)];
    return c.automatic ? QColor(Qt::black) : QColor(c.red, c.green, c.blue);
}

QTextCharFormat charFormatOf(const RtfDocument& document, const RtfCharFormat& format)
{
    QTextCharFormat qt;
    qt.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    qt.setFontItalic(format.italic);
    qt.setFontUnderline(format.underline);
    qt.setFontPointSize(static_cast<double>(format.fontSize) / kHalfPointsPerPoint);
    qt.setForeground(colourOf(document, format.colorIndex));
    return qt;
}

RtfCharFormat rtfFormatOf(RtfDocument& document, const QTextCharFormat& qt)
{
    RtfCharFormat format;
    format.bold = qt.fontWeight() >= QFont::DemiBold;
    format.italic = qt.fontItalic();
    format.underline = qt.fontUnderline();
    if (qt.fontPointSize() > 0)
        format.fontSize = qRound(qt.fontPointSize() * kHalfPointsPerPoint);
    const QColor colour = qt.foreground().color();
    const bool plainBlack = !qt.foreground().style() || colour == QColor(Qt::black);
    if (!plainBlack) {
        format.colorIndex = document.colorIndex({static_cast<std::uint8_t>(colour.red()),
            static_cast<std::uint8_t>(colour.green()), static_cast<std::uint8_t>(colour.blue()), false});
    }
    return format;
}

std::string utf8Of(QString text)
{
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QChar::Nbsp, QLatin1Char(' '));
    return text.toStdString();
}

} // namespace

void showRtfDocument(const RtfDocument& document, QTextDocument& target)
{
    target.clear();
    QTextCursor cursor(&target);
    bool first = true;
    for (const RtfParagraph& paragraph : document.paragraphs) {
        if (!first)
            cursor.insertBlock();
        first = false;
        for (const RtfRun& run : paragraph.runs) {
            QString text = QString::fromStdString(run.text);
            text.replace(QLatin1Char('\n'), QChar::LineSeparator);
            cursor.insertText(text, charFormatOf(document, run.format));
        }
    }
}

RtfDocument rtfDocumentOf(const QTextDocument& source)
{
    RtfDocument document;
    for (QTextBlock block = source.begin(); block.isValid(); block = block.next()) {
        RtfParagraph paragraph;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid())
                paragraph.append(utf8Of(fragment.text()), rtfFormatOf(document, fragment.charFormat()));
        }
        document.paragraphs.push_back(std::move(paragraph));
    }
    return document;
}

} // namespace tiravel
