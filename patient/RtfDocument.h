#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tiravel {

// Character formatting of a run. fontSize is in half-points (24 is 12 pt);
// colorIndex indexes the document's colour table.
struct RtfCharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int fontSize = 24;
    int colorIndex = 0;

    bool operator==(const RtfCharFormat&) const = default;
};

// Text in one format, in UTF-8. A tab is '\t' and a line break inside the
// paragraph is '\n'; no other control character is part of the text.
struct RtfRun {
    std::string text;
    RtfCharFormat format;

    bool operator==(const RtfRun&) const = default;
};

// One colour-table entry, 8 bits per component. An automatic entry stands
// for the reader's default text colour and has no components of its own.
struct RtfColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool automatic = false;

    bool operator==(const RtfColor&) const = default;
};

struct RtfParagraph {
    std::vector<RtfRun> runs;

    // Appends text in a format, extending the last run when it has the same
    // format. Empty text adds nothing.
    void append(std::string_view text, const RtfCharFormat& format);
    // The text of all runs.
    std::string text() const;

    bool operator==(const RtfParagraph&) const = default;
};

// A rich-text document as the patient record keeps it: paragraphs of
// formatted runs and a colour table. Runs of equal format next to each other
// and empty runs are not distinguished from one run (the reader merges them).
struct RtfDocument {
    std::vector<RtfParagraph> paragraphs;
    std::vector<RtfColor> colors;

    // Appends a paragraph holding one run of text.
    void appendParagraph(std::string_view text, const RtfCharFormat& format = {});
    // The index of a colour in the table, appended when missing. An empty
    // table first receives the automatic entry, so that index 0 stays "auto".
    int colorIndex(const RtfColor& color);
    // The text of the paragraphs, one line each; a line break inside a
    // paragraph starts a new line. Tabs are kept.
    std::vector<std::string> plainLines() const;

    bool operator==(const RtfDocument&) const = default;
};

} // namespace tiravel
