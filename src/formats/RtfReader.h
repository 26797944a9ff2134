#pragma once

#include <QByteArray>

class QTextDocument;

// Reads a document in Rich Text Format into a text document, replacing its content. It knows
// what a help text needs: paragraphs with their alignment, indents and spacing, line breaks
// and tabs, bold, italic, underline, font sizes, colours from the colour table, characters
// given as \'hh (code page 1252) or \u, and the common symbol words. Fonts, pictures, tables
// and every other destination are passed over. Malformed input (unbalanced braces, cut-off
// escapes, absurd numbers) gives whatever text could be read, never a failure. Input that
// is not RTF at all is shown as plain text.
void readRtf(const QByteArray& rtf, QTextDocument& document);
