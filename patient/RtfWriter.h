#pragma once

#include "RtfDocument.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace tiravel {

// The RTF text of a document, for Windows-1252 word processors: a header with
// the one font Arial and the colour table (left out when the table is empty),
// then each paragraph ended by \par and a line end. \b, \i, \ul, \fs and \cf
// are written only where the formatting changes. Characters of Windows-1252
// above 0x7F are written as \'hh, others as \uN with "?" as fallback; tabs as
// \tab and line breaks as \line. Lines stay within 200 characters.
// Reading the text back gives the same document.
std::string writeRtf(const RtfDocument& document);

// UTF-8 text as RTF text: "\\", "{" and "}" escaped, tabs as \\tab and line
// breaks as \\line, other control characters left out, Windows-1252
// characters above 0x7F as \\'hh and the others as \\uN with "?" as fallback.
std::string rtfText(std::string_view utf8);

// Writes the RTF text of a document to a file, replacing it; false when the
// file cannot be written.
bool writeRtfFile(const RtfDocument& document, const std::filesystem::path& path);

} // namespace tiravel
