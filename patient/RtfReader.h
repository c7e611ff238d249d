#pragma once

#include "RtfDocument.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace tiravel {

// A document read from RTF. When ok is false, error says why and the caller
// should keep the document it had; document then holds what was read before
// the fault (nothing for a text that is not RTF).
struct RtfReadResult {
    RtfDocument document;
    bool ok = false;
    std::string error;
};

// Reads an RTF document: the character formatting of the runs (bold, italic,
// underline, font size, colour), paragraphs (\par, and \row for a table
// row), line breaks (\line), tabs (\tab, and \cell between table cells) and
// the colour table. Everything else (fonts, styles, pictures, objects,
// headers, footers, document information, "\*" destinations) is skipped.
//
// - Text that does not begin with "{\rtf" (after blanks) is not read: error.
// - Bytes above 0x7F and \'hh escapes are Windows-1252 whatever code page or
//   font charset the document names; \uN is UTF-16, with its \ucN fallback
//   characters skipped. Text ends up in UTF-8.
// - A document cut short (groups left open) is read up to its end: ok.
// - Groups nested more than 1000 deep stop the reading: error.
// - Anything after the group that closes the document is ignored.
// Parameters are clamped to a sensible range; the input is never read
// outside its bounds and the reading time grows linearly with its size.
RtfReadResult readRtf(std::string_view rtf);

// Reads an RTF file; a file that cannot be read is an error.
RtfReadResult readRtfFile(const std::filesystem::path& path);

} // namespace tiravel
