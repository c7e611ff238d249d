#include "ReportPicture.h"

#include "analysis/Spectrum.h"

#include <algorithm>
#include <cstddef>
#include <string>

namespace tiravel {
namespace {

constexpr int kMaxPictureWidth = 1200;
constexpr int kMaxPictureHeight = 32766; // the height stays a positive 16-bit number
constexpr int kFullScaleWidth = 1050;    // wider pictures are shown smaller
constexpr int kFullScaleTwips = 10;      // twips per pixel
constexpr double kWideScaleTwips = 10240.0;
constexpr int kPixelsPerLine = 64;
// Metafile sizes in 16-bit words: the header takes 9, the window origin and
// extent records 5 each and the end record 3; the stretch-blit record holds
// 13 words before its 20-word bitmap info header and then the pixels.
constexpr std::uint32_t kWordsBesidePixels = 55;
constexpr std::uint32_t kWordsBesideBlit = 22;
constexpr char kHexDigits[] = "0123456789abcdef";

// The drawn area (W x H pixels), the display scale in twips per pixel and
// the bytes of one padded pixel row.
struct MetafileGeometry {
    int width;
    int height;
    int scale;
    std::uint32_t rowBytes;
};

MetafileGeometry geometryOf(const ReportPicture& picture)
{
    const int scale = picture.width <= kFullScaleWidth ? kFullScaleTwips : roundEven(kWideScaleTwips / picture.width);
    const int width = std::min(2 * ((picture.width - 2) / 2), kMaxPictureWidth);
    const int height = std::min(2 * ((picture.height - 2) / 2), kMaxPictureHeight);
    return {width, height, scale, (static_cast<std::uint32_t>(width) * 3 + 3) / 4 * 4};
}

void appendByte(std::string& text, std::uint32_t byte)
{
    text += kHexDigits[(byte >> 4) & 0xF];
    text += kHexDigits[byte & 0xF];
}

// A number of the given byte count in hexadecimal, least significant byte first.
void appendNumber(std::string& text, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i, value >>= 8)
        appendByte(text, value & 0xFF);
}

// The metafile header, the window origin and extent, the stretch-blit
// record's parameters and the bitmap info header, one group per line.
std::string metafileStart(const MetafileGeometry& g)
{
    const auto width = static_cast<std::uint32_t>(g.width);
    const auto height = static_cast<std::uint32_t>(g.height);
    const std::uint32_t total = g.rowBytes * height / 2 + kWordsBesidePixels;
    const std::uint32_t blitRecord = total - kWordsBesideBlit;
    std::string text = "010009000003";
    appendNumber(text, total, 4);
    text += "0000";
    appendNumber(text, blitRecord, 4);
    text += "0000\n050000000b0200000000050000000c02";
    appendNumber(text, height, 2);
    appendNumber(text, width, 2);
    text += '\n';
    appendNumber(text, blitRecord, 4);
    text += "410b2000cc00"; // stretch-blit with the source-copy raster operation
    for (int area = 0; area < 2; ++area) { // the source, then the destination
        appendNumber(text, height, 2);
        appendNumber(text, width, 2);
        text += "00000000";
    }
    text += "\n28000000";
    appendNumber(text, width, 4);
    appendNumber(text, height, 4);
    text += "01001800"; // one plane, 24 bits per pixel, then no compression
    text += std::string(6 * 8, '0');
    text += '\n';
    return text;
}

void appendPixel(std::string& text, const ReportPicture& picture, int x, int y)
{
    if (y >= picture.height) {
        text += "ffffff";
        return;
    }
    const std::size_t at = (static_cast<std::size_t>(y) * picture.width + x) * 3;
    appendByte(text, picture.rgb[at + 2]);
    appendByte(text, picture.rgb[at + 1]);
    appendByte(text, picture.rgb[at]);
}

// The rows from the bottom up, each padded to whole 4-byte words, with a
// line end after every 64 pixels.
void writePixels(std::ostream& out, const ReportPicture& picture, const MetafileGeometry& g)
{
    const std::string padding(2 * (g.rowBytes - 3 * static_cast<std::uint32_t>(g.width)), '0');
    std::string row;
    int onLine = 0;
    for (int y = g.height - 1; y >= 0; --y) {
        row.clear();
        for (int x = 0; x < g.width; ++x) {
            appendPixel(row, picture, x, y);
            if (x == g.width - 1)
                row += padding;
            if (++onLine == kPixelsPerLine) {
                row += '\n';
                onLine = 0;
            }
        }
        out << row;
    }
    if (onLine > 0)
        out << '\n';
}

} // namespace

bool canEmbedPicture(const ReportPicture& picture)
{
    return picture.present && picture.width >= 4 && picture.height >= 4
        && picture.rgb.size() == static_cast<std::size_t>(picture.width) * picture.height * 3;
}

void writeMetafilePicture(std::ostream& out, const ReportPicture& picture)
{
    if (!canEmbedPicture(picture))
        return;
    const MetafileGeometry g = geometryOf(picture);
    out << "\n{\\pict\\wmetafile8\\picwgoal" << g.width * g.scale << "\\pichgoal" << g.height * g.scale << '\n'
        << metafileStart(g);
    writePixels(out, picture, g);
    out << "030000000000 }";
}

} // namespace tiravel
