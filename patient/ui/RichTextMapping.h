#pragma once

#include "patient/RtfDocument.h"

class QTextDocument;

namespace tiravel {

// Shows a record in the edit box: one block per paragraph, the runs'
// bold, italic, underline, size and colour as character formats.
void showRtfDocument(const RtfDocument& document, QTextDocument& target);

// The record as the edit box holds it, ready to be written as RTF; colours
// found in the text join the colour table.
RtfDocument rtfDocumentOf(const QTextDocument& source);

} // namespace tiravel
