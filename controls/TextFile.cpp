#include "controls/TextFile.h"

#include "controls/Dspez.h"

#include "platform/Cp1252.h"
#include "platform/FileAccess.h"
#include "platform/MessageService.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <exception>
#include <limits>

namespace zl {
namespace {

constexpr char kCR = 13;
constexpr char kLF = 10;
constexpr char kCtrlZ = 26;

QString readErrorText(int code) { return QStringLiteral("Datei-Lesefehler! (%1)").arg(code); }
QString writeErrorText(int code) { return QStringLiteral("Datei-Schreibfehler! (%1)").arg(code); }

// Appends the text as Windows-1252 with CR and Ctrl-Z turned into blanks.
void appendLineBytes(QByteArray& out, const QString& text)
{
    const qsizetype n = text.size();
    const qsizetype start = out.size();
    out.resize(start + n + 2);
    char* dst = out.data() + start;
    const char16_t* src = reinterpret_cast<const char16_t*>(text.constData());
    qsizetype w = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t ch = src[i];
        int b;
        if (ch < 0x80) {
            b = ch;
        } else {
            b = cp1252Byte(ch);
            if (b < 0) {
                // A surrogate pair is one character and gives one "?".
                if (QChar::isHighSurrogate(ch) && i + 1 < n && QChar::isLowSurrogate(src[i + 1]))
                    ++i;
                b = '?';
            }
        }
        if (b == kCR || b == kCtrlZ)
            b = ' ';
        dst[w++] = static_cast<char>(b);
    }
    dst[w++] = kCR;
    dst[w++] = kLF;
    out.resize(start + w);
}

bool isBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }

// Optional sign and decimal digits, nothing else; false also when out of range.
bool parseInt32(const char* first, const char* last, std::int32_t& value)
{
    if (first < last && *first == '+')
        ++first;
    if (first == last)
        return false;
    const auto [ptr, ec] = std::from_chars(first, last, value, 10);
    return ec == std::errc() && ptr == last;
}

// The real number of a line: blanks around it allowed, "." whatever the locale.
bool parseFloatLine(const QByteArray& bytes, double& value)
{
    const char* p = bytes.constData();
    const char* e = p + bytes.size();
    while (p < e && *p == ' ')
        ++p;
    while (e > p && e[-1] == ' ')
        --e;
    return LiesDezimalzahl(p, e, value);
}

} // namespace

struct TextFileIO::Impl {
    enum class Mode { Input, Output };
    Mode mode = Mode::Input;

    // Input: the whole file up to the first Ctrl-Z; the lock stays held.
    ReadFile reader;
    QByteArray data;
    qsizetype pos = 0;
    qsizetype end = 0;
    int pendingReadError = 0;
    // CR ends a line; a file without any CR (as Linux editors leave it) uses LF.
    char lineEnd = kCR;

    // Output: collected in memory, stored by commit at Close.
    AtomicWriteFile writer;
    QByteArray out;
    int exceptionsAtOpen = 0;

    void checkRead() const
    {
        if (mode != Mode::Input)
            throw EInOutError(EInOutError::kNotOpenForInput);
        if (pendingReadError)
            throw EInOutError(pendingReadError);
    }

    // The bytes of the next line; moves past its line end.
    void nextLine(const char*& first, qsizetype& size)
    {
        const char* base = data.constData();
        const char* p = base + pos;
        const qsizetype left = end - pos;
        const void* cr = left > 0 ? std::memchr(p, lineEnd, static_cast<size_t>(left)) : nullptr;
        first = p;
        if (!cr) {
            size = left;
            pos = end;
            return;
        }
        size = static_cast<const char*>(cr) - p;
        pos += size + 1;
        if (lineEnd == kCR && pos < end && base[pos] == kLF)
            ++pos;
    }

    void skipRestOfLine()
    {
        const char* first;
        qsizetype size;
        nextLine(first, size);
    }
};

TextFileIO::TextFileIO() = default;

TextFileIO::~TextFileIO()
{
    if (!d_)
        return;
    if (d_->mode == Impl::Mode::Output && std::uncaught_exceptions() == d_->exceptionsAtOpen) {
        d_->writer.write(d_->out);
        if (const int code = d_->writer.commit())
            ZeigeFehler(writeErrorText(code));
    }
    d_.reset(); // an uncommitted write is discarded, the old file stays
}

bool TextFileIO::isOpen() const { return d_ != nullptr; }

void TextFileIO::Assign(const QString& path)
{
    Close();
    path_ = path;
    Kopfzeile.clear();
}

void TextFileIO::Close()
{
    if (!d_)
        return;
    std::unique_ptr<Impl> d = std::move(d_);
    if (d->mode == Impl::Mode::Output) {
        d->writer.write(d->out);
        d->out = QByteArray();
        if (const int code = d->writer.commit())
            throw EInOutError(code);
    }
}

bool TextFileIO::Reset()
{
    Close();
    auto d = std::make_unique<Impl>();
    d->mode = Impl::Mode::Input;
    if (const int code = d->reader.open(path_)) {
        Fehlercode = code;
        ZeigeFehler(readErrorText(code));
        return false;
    }
    Fehlercode = 0;
    bool ok = true;
    d->data = d->reader.readAll(&ok);
    if (!ok)
        d->pendingReadError = winErrorFromErrno(errno, path_);
    const void* z = std::memchr(d->data.constData(), kCtrlZ, static_cast<size_t>(d->data.size()));
    d->end = z ? static_cast<const char*>(z) - d->data.constData() : d->data.size();
    if (!std::memchr(d->data.constData(), kCR, static_cast<size_t>(d->end)))
        d->lineEnd = kLF;
    d_ = std::move(d);
    if (!Kopfzeile.isEmpty() && ReadLine() != Kopfzeile) {
        ZeigeFehler(QStringLiteral("Falsches Dateiformat!"));
        return false;
    }
    return true;
}

bool TextFileIO::Rewrite()
{
    Close();
    auto d = std::make_unique<Impl>();
    d->mode = Impl::Mode::Output;
    if (const int code = d->writer.open(path_)) {
        Fehlercode = code;
        ZeigeFehler(writeErrorText(code));
        return false;
    }
    Fehlercode = 0;
    d->exceptionsAtOpen = std::uncaught_exceptions();
    d_ = std::move(d);
    if (!Kopfzeile.isEmpty())
        WriteLine(Kopfzeile);
    return true;
}

bool TextFileIO::Eof()
{
    if (!d_)
        throw EInOutError(EInOutError::kFileNotOpen);
    d_->checkRead();
    return d_->pos >= d_->end;
}

void TextFileIO::WriteLine(const QString& text)
{
    if (!d_)
        throw EInOutError(EInOutError::kFileNotOpen);
    if (d_->mode != Impl::Mode::Output)
        throw EInOutError(EInOutError::kNotOpenForOutput);
    appendLineBytes(d_->out, text);
}

QString TextFileIO::ReadLine()
{
    const QByteArrayView line = ReadLineBytes();
    return fromCp1252(line.data(), line.size());
}

QByteArrayView TextFileIO::ReadLineBytes()
{
    if (!d_)
        throw EInOutError(EInOutError::kFileNotOpen);
    d_->checkRead();
    const char* first;
    qsizetype size;
    d_->nextLine(first, size);
    return QByteArrayView(first, size);
}

std::int32_t TextFileIO::ReadInt()
{
    if (!d_)
        throw EInOutError(EInOutError::kFileNotOpen);
    Impl& d = *d_;
    d.checkRead();
    const char* base = d.data.constData();
    while (d.pos < d.end && isBlankOrControl(base[d.pos]))
        ++d.pos;
    if (d.pos >= d.end)
        return 0;
    const qsizetype start = d.pos;
    qsizetype stop = start;
    while (stop < d.end && stop - start < 32 && !isBlankOrControl(base[stop]))
        ++stop;
    std::int32_t value = 0;
    const bool ok = parseInt32(base + start, base + stop, value);
    d.pos = stop;
    d.skipRestOfLine();
    if (!ok)
        throw EInOutError(EInOutError::kInvalidNumber);
    return value;
}

double TextFileIO::ReadFloat()
{
    const QString line = ReadLine();
    double value = 0;
    if (!parseFloatLine(toCp1252(line), value))
        throw EConvertError::notAFloat(line);
    return value;
}

bool TextFileIO::ReadBool() { return ReadInt() != 0; }

QString TextFileIO::LineStr(const QString& text)
{
    QByteArray bytes;
    appendLineBytes(bytes, text);
    return fromCp1252(bytes);
}

QString TextFileIO::LineInt(std::int64_t value)
{
    return QString::number(value) + QLatin1String("\r\n");
}

QString TextFileIO::LineFloat(double value)
{
    const QLatin1String crlf("\r\n");
    if (!std::isfinite(value) || value == 0.0)
        return QLatin1Char('0') + crlf;

    // 15 significant digits, rounded once, in the form d.dddddddddddddde±x.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    const char* p = buf;
    const char* last = res.ptr;
    bool negative = false;
    if (*p == '-') {
        negative = true;
        ++p;
    }
    char digits[16];
    int nd = 0;
    while (p < last && *p != 'e') {
        if (*p != '.')
            digits[nd++] = *p;
        ++p;
    }
    int exp10 = 0;
    if (p < last) {
        ++p;
        if (*p == '+')
            ++p;
        std::from_chars(p, last, exp10);
    }
    while (nd > 1 && digits[nd - 1] == '0')
        --nd;

    QByteArray s;
    if (negative)
        s += '-';
    if (exp10 >= 15 || exp10 < -5) {
        s += digits[0];
        if (nd > 1) {
            s += '.';
            s.append(digits + 1, nd - 1);
        }
        s += 'E';
        s += QByteArray::number(exp10);
    } else if (exp10 >= 0) {
        const int whole = exp10 + 1;
        if (nd <= whole) {
            s.append(digits, nd);
            s.append(whole - nd, '0');
        } else {
            s.append(digits, whole);
            s += '.';
            s.append(digits + whole, nd - whole);
        }
    } else {
        s += "0.";
        s.append(-exp10 - 1, '0');
        s.append(digits, nd);
    }
    return QString::fromLatin1(s) + crlf; // digits, sign, "." and "E" only
}

} // namespace zl
