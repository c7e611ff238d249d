#include "RtfDocument.h"

#include <algorithm>

namespace tiravel {

void RtfParagraph::append(std::string_view text, const RtfCharFormat& format)
{
    if (text.empty())
        return;
    if (!runs.empty() && runs.back().format == format)
        runs.back().text += text;
    else
        runs.push_back({std::string(text), format});
}

std::string RtfParagraph::text() const
{
    std::string all;
    for (const RtfRun& run : runs)
        all += run.text;
    return all;
}

void RtfDocument::appendParagraph(std::string_view text, const RtfCharFormat& format)
{
    paragraphs.emplace_back().append(text, format);
}

int RtfDocument::colorIndex(const RtfColor& color)
{
    if (colors.empty())
        colors.push_back({.automatic = true});
    const auto found = std::find(colors.begin(), colors.end(), color);
    if (found != colors.end())
        return static_cast<int>(found - colors.begin());
    colors.push_back(color);
    return static_cast<int>(colors.size() - 1);
}

std::vector<std::string> RtfDocument::plainLines() const
{
    std::vector<std::string> lines;
    for (const RtfParagraph& paragraph : paragraphs) {
        const std::string text = paragraph.text();
        std::size_t begin = 0;
        for (std::size_t end; (end = text.find('\n', begin)) != std::string::npos; begin = end + 1)
            lines.push_back(text.substr(begin, end - begin));
        lines.push_back(text.substr(begin));
    }
    return lines;
}

} // namespace tiravel
