#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

namespace tiravel {

// 24-bit picture, rows top to bottom, 3 bytes per pixel in the order red,
// green, blue.
struct ReportPicture {
    bool present = false;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb; // width * height * 3
};

// True when the picture is present, holds width * height pixels and is at
// least 4 x 4 pixels (smaller ones leave no even-sized area to draw).
bool canEmbedPicture(const ReportPicture& picture);

// Writes the picture as an RTF metafile picture group (a line end, then
// {\pict\wmetafile8 ... }) to out: a Windows metafile in hexadecimal holding
// one stretched 24-bit device-independent bitmap of W x H pixels, where W and
// H are the width and height less 2, made even, W at most 1200. Pixel rows
// are padded to a multiple of 4 bytes as bitmap readers expect. The display
// size is 10 twips per pixel, less for pictures wider than 1050 pixels.
// Writes nothing for a picture that cannot be embedded.
void writeMetafilePicture(std::ostream& out, const ReportPicture& picture);

} // namespace tiravel
