#include "core/platform/fast_text.h"

#include <QStringDecoder>

namespace {

// Copies the leading plain ASCII bytes (1 to 127) of `bytes` into `out` as
// characters, sixteen at a time where SSE2 is there, and returns how many
// there were: the data files are mostly nothing else.
qsizetype widenAscii(const char* bytes, qsizetype size, char16_t* out)
{
    qsizetype i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; size - i >= 16; i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        // A NUL or a byte from 128 on is not greater than 0 as a signed byte.
        if (_mm_movemask_epi8(_mm_cmpgt_epi8(chunk, zero)) != 0xffff)
            break;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(chunk, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(chunk, zero));
    }
#endif
    for (; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == 0 || byte >= 0x80)
            break;
        out[i] = byte;
    }
    return i;
}

} // namespace

namespace FastText {

qsizetype decodeInto(const QByteArray& raw, QString& text)
{
    // Plain ASCII is its own UTF-8 and is widened as it is, finding a NUL in
    // the same pass; a text with any other byte goes to the plain decoder.
    if (!text.isDetached() || text.capacity() < raw.size())
        text = QString(raw.size(), Qt::Uninitialized);
    text.resize(raw.size());
    const qsizetype ascii =
        widenAscii(raw.constData(), raw.size(), reinterpret_cast<char16_t*>(text.data()));
    if (ascii == raw.size() || raw[ascii] == '\0') {
        text.resize(ascii);
        return ascii == raw.size() ? -1 : ascii;
    }
    return DataFile::decodeInto(raw, text);
}

} // namespace FastText
