#pragma once

#include <QByteArray>
#include <QString>

// What the print window shows: the file hint beside "1. Click" and a file's
// text as its rich-text view takes it. Reading only: nothing here writes a file.

// The year ledger file a card's key and a two-digit year name: card 3 in 2026
// has "326.dat"; with no card selected the hint is "26.dat".
QString fileHint(const QString& cardKey, const QString& year);

// A file's content for the view: HTML to show formatted, or plain text with
// one file line per view line.
struct ViewText
{
    bool rich = false;
    QString text;
};

// RTF ("{\rtf1 ...") comes back as HTML, an HTML page as it is, anything else
// (a year ledger file, say) as plain text. Text is read as the data files are:
// UTF-8, else Windows-1252, and a NUL byte ends it.
ViewText viewTextOf(const QByteArray& bytes);

// Reads a file whole for the view. Raises "Cannot open file NAME" when it
// cannot be read.
ViewText readViewText(const QString& fileName);

// The text, paragraphs and character looks (bold, italic, underline, struck
// out, size, colour, font) of an RTF document as HTML. Pictures, objects,
// headers and the other hidden parts of the document are left out.
QString rtfToHtml(const QByteArray& rtf);
