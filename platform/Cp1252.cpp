#include "platform/Cp1252.h"

#include <array>

namespace zl {
namespace {

// Characters of the bytes 0x80..0x9F; the holes keep their C1 code points.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QString fromCp1252(const char* data, qsizetype size)
{
    QString out(size, Qt::Uninitialized);
    char16_t* dst = reinterpret_cast<char16_t*>(out.data());
    for (qsizetype i = 0; i < size; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        dst[i] = (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : char16_t(b);
    }
    return out;
}

char16_t cp1252Char(unsigned char byte)
{
    return (byte >= 0x80 && byte < 0xA0) ? kHigh[byte - 0x80] : char16_t(byte);
}

int cp1252Byte(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return ch;
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == ch)
            return 0x80 + i;
    return -1;
}

QByteArray toCp1252(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    const char16_t* src = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t ch = src[i];
        int b = ch < 0x80 ? ch : cp1252Byte(ch);
        if (b < 0) {
            // A surrogate pair is one character and gives one "?".
            if (QChar::isHighSurrogate(ch) && i + 1 < n && QChar::isLowSurrogate(src[i + 1]))
                ++i;
            b = '?';
        }
        out.append(static_cast<char>(b));
    }
    return out;
}

bool isCp1252(const QString& text)
{
    for (QChar c : text)
        if (cp1252Byte(c.unicode()) < 0)
            return false;
    return true;
}

} // namespace zl
