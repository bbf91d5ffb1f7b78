#pragma once

#include "core/platform/cell_line.h"

#include <QByteArray>
#include <QString>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The hand-tuned reading of the data files' text, and the plain reader it must
// agree with. The fast path widens plain ASCII sixteen bytes at a time and
// reads the usual cell line's two numbers on its way to the line break; the
// plain path is DataFile::decodeInto and PlainText::forEachCellLine, built on
// DataFile::LineReader and parseCellLineView. The loaders use the fast path
// because the plain one takes a 1000-entry year to some 12 times one read of
// its file, against a budget of 5 (docs/performance.md); tests and a fuzzer
// hold the two to the same results. Neither stores a cell or opens a file.
namespace FastText {

// What DataFile::decodeInto gives: the text before the first NUL byte, and
// where that NUL stands, or -1.
qsizetype decodeInto(const QByteArray& bytes, QString& text);

// The first CR or LF in [from, end), or `end`.
inline const char16_t* findLineBreak(const char16_t* from, const char16_t* end)
{
#if defined(__SSE2__)
    // Eight characters at a time: the compare marks CR and LF lanes, and the
    // lowest mark is the break, with no loop over the eight. The last few
    // characters, and every one without SSE2, are looked at one by one.
    const __m128i cr = _mm_set1_epi16(u'\r');
    const __m128i lf = _mm_set1_epi16(u'\n');
    while (end - from >= 8) {
        const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
        const int marks =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(chars, cr), _mm_cmpeq_epi16(chars, lf)));
        if (marks != 0)
            return from + __builtin_ctz(unsigned(marks)) / 2;
        from += 8;
    }
#endif
    while (from < end && *from != u'\r' && *from != u'\n')
        ++from;
    return from;
}

// Where the line after the break at `at` starts: past CR LF, a lone CR or a
// lone LF; `end` stays `end`.
inline const char16_t* pastLineBreak(const char16_t* at, const char16_t* end)
{
    if (at == end)
        return end;
    return at + (*at == u'\r' && at + 1 < end && at[1] == u'\n' ? 2 : 1);
}

// Reads the plain digits at `p` and moves past them; true when there are 1
// to 9 of them. A character other than a digit must follow before the text
// ends: forEachCellLine sees to that.
inline bool plainNumber(const char16_t*& p, int& value)
{
    const char16_t* const start = p;
    unsigned number = 0;
    for (unsigned digit; (digit = unsigned(*p) - u'0') <= 9; ++p)
        number = number * 10 + digit;
    value = int(number);
    return p > start && p - start <= 9;
}

// Reads the cell line at `p`, which a line break follows before `end`, and
// finds where it ends. A line of the usual shape, 1 to 9 plain digits, one
// blank, 1 to 9 plain digits, then a blank and the text or the line's end,
// is read here on the way; any other line goes to parseCellLineView, which
// knows every other case and its message.
inline CellLineView cellLineAt(const char16_t* p, const char16_t* end, const char16_t*& lineEnd)
{
    CellLineView cell;
    const char16_t* q = p;
    if (plainNumber(q, cell.column) && *q == u' ' && plainNumber(++q, cell.row)) {
        if (*q == u'\r' || *q == u'\n') {
            lineEnd = q;
            return cell;
        }
        if (*q == u' ') {
            lineEnd = findLineBreak(q + 1, end);
            cell.text = QStringView(q + 1, lineEnd);
            return cell;
        }
    }
    lineEnd = findLineBreak(p, end);
    return parseCellLineView(QStringView(p, lineEnd));
}

// Calls `visit(cell, number)` for each line of `text` read as a cell line,
// `number` counting on from `lineNumber`, the number of the line before
// `text`. A line parseCellLineView refuses raises its message.
template <typename Visit>
void forEachCellLine(QStringView text, qsizetype lineNumber, Visit&& visit)
{
    const char16_t* p = text.utf16();
    const char16_t* const end = p + text.size();
    // Every line that starts before the last break ends in a break, so the
    // quick path reads its numbers up to the first other character without
    // watching for `end`. A last line without a break goes to the full parser.
    const char16_t* broken = end;
    while (broken > p && broken[-1] != u'\r' && broken[-1] != u'\n')
        --broken;
    while (p < end) {
        const char16_t* lineEnd = nullptr;
        CellLineView cell;
        if (p < broken) {
            cell = cellLineAt(p, end, lineEnd);
        } else {
            lineEnd = end;
            cell = parseCellLineView(QStringView(p, end));
        }
        visit(cell, ++lineNumber);
        p = pastLineBreak(lineEnd, end);
    }
}

} // namespace FastText

namespace PlainText {

// The same walk as FastText::forEachCellLine, line by line: the reference
// the fast path is tested against.
template <typename Visit>
void forEachCellLine(QStringView text, qsizetype lineNumber, Visit&& visit)
{
    DataFile::LineReader lines(text);
    QStringView line;
    while (lines.next(line))
        visit(parseCellLineView(line), lineNumber + lines.lineNumber());
}

} // namespace PlainText
