#include "controls/Dspez.h"

#include "platform/Canvas.h"
#include "platform/FileAccess.h"
#include "platform/Tick.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSysInfo>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace zl {
namespace {

// ---- Fixed-decimal text

// Increments the decimal string (digits and at most one ".") by one unit of
// its last digit.
void incrementLastDigit(std::string& s)
{
    for (auto i = s.size(); i-- > 0;) {
        if (s[i] == '.')
            continue;
        if (s[i] != '9') {
            ++s[i];
            return;
        }
        s[i] = '0';
    }
    s.insert(s.begin(), '1');
}

std::string toFixed(long double a, int decimals)
{
    char local[128];
    auto res = std::to_chars(local, local + sizeof local, a, std::chars_format::fixed, decimals);
    if (res.ec == std::errc())
        return std::string(local, res.ptr);
    std::string big(std::size_t(5000 + decimals), '\0'); // long double reaches 4933 whole digits
    res = std::to_chars(big.data(), big.data() + big.size(), a, std::chars_format::fixed, decimals);
    big.resize(std::size_t(res.ptr - big.data()));
    return big;
}

// True when a (finite, not negative) lies exactly halfway between two
// multiples of 10^-decimals: a x 2 x 10^decimals is an odd whole number.
bool isTie(long double a, int decimals)
{
    if (a == 0)
        return false;
    int e = 0;
    const long double f = std::frexp(a, &e); // a = f x 2^e, 0.5 <= f < 1
    const auto m = static_cast<std::uint64_t>(std::ldexp(f, 64));
    const int tz = std::countr_zero(m);
    // a = (m >> tz) x 2^(e - 64 + tz) with an odd mantissa; 10^d = 5^d x 2^d
    // with 5^d odd, so only the power of two decides.
    return e - 64 + tz == -(decimals + 1);
}

std::string fixedText(long double zahl, int decimals)
{
    if (decimals < 0)
        decimals = 0;
    if (!std::isfinite(zahl))
        zahl = 0;
    const bool negative = std::signbit(zahl);
    const long double a = std::fabs(zahl);
    std::string s;
    if (isTie(a, decimals)) {
        // The tie has exactly one more decimal, a 5: drop it and round away from zero.
        s = toFixed(a, decimals + 1);
        s.pop_back();
        if (decimals == 0)
            s.pop_back(); // the "."
        incrementLastDigit(s);
    } else {
        s = toFixed(a, decimals);
    }
    if (negative && s.find_first_not_of("0.") != std::string::npos)
        s.insert(s.begin(), '-');
    return s;
}

QString padFront(const std::string& s, int breite)
{
    QString out = QString::fromLatin1(s.data(), qsizetype(s.size())); // digits, "-", "." and "," only
    if (out.size() < breite)
        out.prepend(QString(breite - out.size(), QLatin1Char(' ')));
    return out;
}

// Inserts "." in front of every group of three digits, counted from the
// right, of the whole part s[0, wholeEnd).
void groupThousands(std::string& s, std::size_t wholeEnd)
{
    const std::size_t digitsStart = (!s.empty() && s[0] == '-') ? 1 : 0;
    const std::size_t digits = wholeEnd - digitsStart;
    if (digits == 0)
        return;
    // In front of the last 3k digits of the whole part, k from the largest
    // down; each "." moves the whole part's end by one.
    for (std::size_t k = (digits - 1) / 3; k >= 1; --k) {
        s.insert(s.begin() + std::ptrdiff_t(wholeEnd - 3 * k), '.');
        ++wholeEnd;
    }
}

// For a well-formed number: the count of whole digits of its value (without
// leading zeros), negative for the zeros behind the point of a pure fraction.
// Positive means the value is 1 or more.
long long decimalMagnitude(const char* s, const char* last)
{
    long long whole = 0;
    long long fractionZeros = 0;
    bool seenNonZero = false;
    bool fraction = false;
    for (; s < last && *s != 'e' && *s != 'E'; ++s) {
        if (*s == '.') {
            fraction = true;
        } else if (!fraction) {
            if (*s != '0' || seenNonZero) {
                seenNonZero = true;
                ++whole;
            }
        } else if (!seenNonZero) {
            if (*s == '0')
                ++fractionZeros;
            else
                seenNonZero = true;
        }
    }
    long long exponent = 0;
    if (s < last) {
        ++s;
        bool negative = false;
        if (*s == '+' || *s == '-')
            negative = *s++ == '-';
        for (; s < last; ++s)
            exponent = std::min(exponent * 10 + (*s - '0'), 1000000000000LL);
        if (negative)
            exponent = -exponent;
    }
    return (whole > 0 ? whole : -fractionZeros) + exponent;
}

template <class T>
bool parseDecimal(const char* first, const char* last, T& value)
{
    const char* s = first;
    bool negative = false;
    if (s < last && (*s == '+' || *s == '-')) {
        negative = *s == '-';
        ++s;
    }
    const char* numStart = s;
    int digits = 0;
    while (s < last && *s >= '0' && *s <= '9') {
        ++s;
        ++digits;
    }
    if (s < last && *s == '.') {
        ++s;
        while (s < last && *s >= '0' && *s <= '9') {
            ++s;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (s < last && (*s == 'e' || *s == 'E')) {
        ++s;
        if (s < last && (*s == '+' || *s == '-'))
            ++s;
        const char* expDigits = s;
        while (s < last && *s >= '0' && *s <= '9')
            ++s;
        if (s == expDigits)
            return false;
    }
    if (s != last)
        return false;
    T v = 0;
    const auto [ptr, ec] = std::from_chars(numStart, last, v, std::chars_format::general);
    if (ptr != last)
        return false;
    if (ec == std::errc::result_out_of_range) {
        // Too large to hold is refused; too small reads as 0.
        if (decimalMagnitude(numStart, last) > 0)
            return false;
        v = 0;
    } else if (ec != std::errc()) {
        return false;
    }
    value = negative ? -v : v;
    return true;
}

// The text without blanks (code 32) as bytes; other characters stay, and
// anything beyond ASCII becomes a byte that no number holds (as every byte
// from 0x80 up is none). Short texts, as every field of a data file is, stay
// on the stack; bytes without a blank are used where they are.
class NumberBytes
{
  public:
    explicit NumberBytes(QStringView text)
    {
        char* d = buffer(text.size());
        first = d;
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            if (u == u' ')
                continue;
            *d++ = u < 0x80 ? char(u) : char(0x7F);
        }
        last = d;
    }
    NumberBytes(const char* von, const char* bis)
    {
        first = von;
        last = bis;
        if (std::find(von, bis, ' ') == bis)
            return;
        char* d = buffer(bis - von);
        first = d;
        for (; von < bis; ++von)
            if (*von != ' ')
                *d++ = *von;
        last = d;
    }
    NumberBytes(const NumberBytes&) = delete;
    NumberBytes& operator=(const NumberBytes&) = delete;

    const char* first;
    const char* last;

  private:
    char* buffer(qsizetype n)
    {
        if (n <= qsizetype(sizeof local))
            return local;
        large.resize(std::size_t(n));
        return large.data();
    }

    char local[64];
    std::string large;
};

// Optional sign and 1 to 18 digits, nothing else: the value is exact in every
// type used here, so the general conversion is not needed.
bool plainWholeNumber(const char* s, const char* last, bool& negative, std::int64_t& magnitude, int& digits)
{
    negative = false;
    if (s < last && (*s == '+' || *s == '-')) {
        negative = *s == '-';
        ++s;
    }
    digits = int(last - s);
    if (digits < 1 || digits > 18)
        return false;
    std::int64_t v = 0;
    for (; s < last; ++s) {
        const unsigned d = unsigned(static_cast<unsigned char>(*s)) - unsigned('0');
        if (d > 9)
            return false;
        v = v * 10 + std::int64_t(d);
    }
    magnitude = v;
    return true;
}

void handleEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// Waits until dauer ms have passed since start, comparing the elapsed time as
// an unsigned difference so that the tick's wrap never ends a wait early.
void waitFrom(std::uint32_t start, std::uint32_t dauer, bool events)
{
    for (;;) {
        if (events)
            handleEvents();
        if (TickCount() - start >= dauer)
            return;
        SleepMs(1);
    }
}

std::uint32_t remainingTo(std::uint32_t tick, std::uint32_t now)
{
    const auto rest = static_cast<std::int32_t>(tick - now);
    return rest > 0 ? std::uint32_t(rest) : 0;
}

int channel(std::int32_t c, int shift) { return (c >> shift) & 0xFF; }

} // namespace

// ---- Texts

QString ErsetzeZeichen(const QString& text, QChar alt, QChar neu)
{
    if (alt == neu)
        return text;
    QString out = text;
    out.replace(alt, neu);
    return out;
}

QString ErsetzeText(const QString& text, const QString& alt, const QString& neu)
{
    if (alt.isEmpty())
        return text;
    QString out;
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = text.indexOf(alt, from);
        if (at < 0)
            break;
        out += QStringView(text).mid(from, at - from);
        out += neu;
        from = at + alt.size();
    }
    if (from == 0)
        return text;
    out += QStringView(text).mid(from);
    return out;
}

QString EntferneText(const QString& text, const QString& teil)
{
    if (teil.isEmpty())
        return text;
    QString out = text;
    qsizetype at = out.indexOf(teil);
    while (at >= 0) {
        out.remove(at, teil.size());
        // Nothing in front of at - len + 1 changed, and it held no occurrence.
        at = out.indexOf(teil, std::max<qsizetype>(0, at - teil.size() + 1));
    }
    return out;
}

QString EntferneText2(const QString& text, const QString& teil) { return EntferneText(text, teil); }

QString HoleFeld(QString& text, QChar trenner)
{
    const qsizetype at = text.indexOf(trenner);
    if (at < 0)
        return QString();
    QString feld = text.left(at);
    text.remove(0, at + 1);
    return feld;
}

int ZaehleZeichen(const QString& text, QChar zeichen) { return int(text.count(zeichen)); }

QString WiederholeText(const QString& text, int anzahl)
{
    return anzahl > 0 ? text.repeated(anzahl) : QString();
}

QString WiederholeText2(const QString& text, int anzahl) { return WiederholeText(text, anzahl); }

QString FuelleAuf(const QString& text, QChar fuellZeichen, int breite, int modus)
{
    const qsizetype fehlt = qsizetype(breite) - text.size();
    if (fehlt <= 0)
        return text;
    switch (modus) {
    case 0:
        return text + QString(fehlt, fuellZeichen);
    case 1: {
        const qsizetype vorn = fehlt / 2;
        return QString(vorn, fuellZeichen) + text + QString(fehlt - vorn, fuellZeichen);
    }
    case 2:
        return QString(fehlt, fuellZeichen) + text;
    default:
        return text;
    }
}

QString SperreText(const QString& text, int leerzeichen)
{
    if (text.size() < 2 || leerzeichen <= 0)
        return text;
    const QString luecke(leerzeichen, QLatin1Char(' '));
    QString out;
    out.reserve(text.size() * (leerzeichen + 1));
    out += text[0];
    for (qsizetype i = 1; i < text.size(); ++i) {
        out += luecke;
        out += text[i];
    }
    return out;
}

std::int32_t WandleHexZahl(const QString& text)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::uint32_t value = 0;
    for (QChar c : text) {
        char16_t u = c.unicode();
        if (u >= u'a' && u <= u'z')
            u = char16_t(u - u'a' + u'A');
        std::uint32_t digit = std::uint32_t(-1);
        for (int i = 0; i < 16; ++i)
            if (u == char16_t(kDigits[i]))
                digit = std::uint32_t(i);
        value = value * 16u + digit;
    }
    return static_cast<std::int32_t>(value);
}

// ---- Number and time texts

QString FormatiereZahl(long double zahl, int breite, int nachkomma)
{
    return padFront(fixedText(zahl, nachkomma), breite);
}

QString FormatiereGanzzahl(double zahl, int breite)
{
    std::string s = fixedText(zahl, 0);
    groupThousands(s, s.size());
    return padFront(s, breite);
}

QString FormatiereDezimal(double zahl, int breite, int nachkomma)
{
    if (nachkomma < 0)
        nachkomma = 0;
    std::string s = fixedText(zahl, nachkomma);
    std::size_t wholeEnd = s.size();
    if (nachkomma > 0) {
        wholeEnd = s.size() - std::size_t(nachkomma) - 1;
        s[wholeEnd] = ',';
    }
    groupThousands(s, wholeEnd);
    return padFront(s, breite);
}

namespace {
// Truncated whole seconds; a negative value or NaN counts as 0.
std::int64_t wholeSeconds(double sekunden)
{
    if (!(sekunden > 0))
        return 0;
    if (sekunden >= 9.0e18)
        return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(sekunden);
}
} // namespace

QString FormatiereMinSek(double sekunden)
{
    const std::int64_t n = wholeSeconds(sekunden);
    QString out = FormatiereZahl(static_cast<long double>(n / 60), 2, 0) + QLatin1Char(':')
                  + FormatiereZahl(static_cast<long double>(n % 60), 2, 0);
    out.replace(QLatin1Char(' '), QLatin1Char('0'));
    return out;
}

QString FormatiereDauer(double sekunden)
{
    const std::int64_t n = wholeSeconds(sekunden);
    const std::int64_t h = n / 3600;
    const std::int64_t m = (n % 3600) / 60;
    const std::int64_t s = n % 60;
    QString out;
    if (h > 0)
        out += QString::number(h) + QLatin1String(" Std. ");
    if (m > 0 || h > 0)
        out += QString::number(m) + QLatin1String(" Min. ");
    out += QString::number(s) + QLatin1String(" Sek.");
    return out.trimmed();
}

bool LiesDezimalzahl(const char* first, const char* last, double& wert) { return parseDecimal(first, last, wert); }

bool LiesDezimalzahl(const char* first, const char* last, long double& wert)
{
    return parseDecimal(first, last, wert);
}

namespace {

std::int32_t wholeNumber(const NumberBytes& bytes)
{
    bool negative = false;
    std::int64_t magnitude = 0;
    int digits = 0;
    if (plainWholeNumber(bytes.first, bytes.last, negative, magnitude, digits)) {
        const std::int64_t v = negative ? -magnitude : magnitude;
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                                  std::numeric_limits<std::int32_t>::max()));
    }
    long double v = 0;
    if (!parseDecimal(bytes.first, bytes.last, v))
        return 0;
    v = std::nearbyint(v); // to nearest, a half to even
    if (v >= 2147483647.0L)
        return std::numeric_limits<std::int32_t>::max();
    if (v <= -2147483648.0L)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

double realNumber(const NumberBytes& bytes)
{
    bool negative = false;
    std::int64_t magnitude = 0;
    int digits = 0;
    // Up to 15 digits a whole number is exact as a double.
    if (plainWholeNumber(bytes.first, bytes.last, negative, magnitude, digits) && digits <= 15) {
        const double v = static_cast<double>(magnitude);
        return negative ? -v : v;
    }
    double v = 0;
    if (!parseDecimal(bytes.first, bytes.last, v))
        return 0;
    return v;
}

} // namespace

std::int32_t WandleInGanzzahl(const QString& text) { return wholeNumber(NumberBytes(QStringView(text))); }
std::int32_t WandleInGanzzahl(QStringView text) { return wholeNumber(NumberBytes(text)); }
std::int32_t WandleInGanzzahl(const char* first, const char* last) { return wholeNumber(NumberBytes(first, last)); }

double WandleInZahl(const QString& text) { return realNumber(NumberBytes(QStringView(text))); }
double WandleInZahl(QStringView text) { return realNumber(NumberBytes(text)); }
double WandleInZahl(const char* first, const char* last) { return realNumber(NumberBytes(first, last)); }

// ---- Arithmetic

int Minimum(int a, int b) { return a < b ? a : b; }
int Maximum(int a, int b) { return a > b ? a : b; }
double MinimumF(double a, double b) { return a < b ? a : b; }
double MaximumF(double a, double b) { return a > b ? a : b; }

int Vorzeichen(double wert) { return wert > 0 ? 1 : (wert < 0 ? -1 : 0); }

double Potenz(double basis, double exponent)
{
    // Computed in extended precision, as the results of the rounding steps
    // built on it expect.
    const long double e = std::fabs(static_cast<long double>(exponent));
    if (basis > 0) {
        const long double p = std::pow(static_cast<long double>(basis), e);
        return static_cast<double>(exponent < 0 ? 1.0L / p : p);
    }
    if (basis == 0)
        return exponent == 0 ? 1.0 : 0.0;
    if (std::isnan(basis) || std::trunc(exponent) != exponent)
        return 0.0; // a negative base with a fractional exponent
    long double p = std::pow(std::fabs(static_cast<long double>(basis)), e);
    if (std::fmod(e, 2.0L) == 1.0L)
        p = -p;
    return static_cast<double>(exponent < 0 ? 1.0L / p : p);
}

double GanzPotenz(double basis, std::int32_t exponent)
{
    if (exponent == 0)
        return 1.0;
    if (basis == 0)
        return 0.0;
    const std::int64_t n = exponent < 0 ? -std::int64_t(exponent) : std::int64_t(exponent);
    // The magnitude by repeated multiplication, the sign applied at the end
    // (it never changes the rounding); once the product is stuck at 0, 1 or
    // infinity further factors change nothing, so huge exponents end early.
    const long double b = std::fabs(static_cast<long double>(basis));
    long double p = b;
    for (std::int64_t i = 1; i < n; ++i) {
        p *= b;
        if (p == 0 || p == 1 || !std::isfinite(p))
            break;
    }
    if (basis < 0 && n % 2 == 1)
        p = -p;
    return static_cast<double>(exponent < 0 ? 1.0L / p : p);
}

long double Abrunden(long double wert) { return std::floor(wert); }

double RundeAufSchritt(double wert, double schritt)
{
    if (1e20L * schritt >= std::fabs(static_cast<long double>(wert)))
        return static_cast<double>(Abrunden(static_cast<long double>(wert) / schritt + 0.5L) * schritt);
    return wert;
}

double Logarithmus10(double x) { return x > 0 ? std::log10(x) : 0.0; }

int WaehleWert(bool bedingung, int a, int b) { return bedingung ? a : b; }

void TauscheSpeicher(void* a, void* b, std::size_t groesse)
{
    if (groesse == 0 || a == b)
        return;
    unsigned char local[256];
    std::vector<unsigned char> heap;
    unsigned char* buffer = local;
    if (groesse > sizeof local) {
        heap.resize(groesse);
        buffer = heap.data();
    }
    std::memcpy(buffer, a, groesse);
    std::memmove(a, b, groesse);
    std::memcpy(b, buffer, groesse);
}

// ---- Colours, waiting, system

std::int32_t MischeFarben(std::int32_t farbe1, std::int32_t farbe2, double t)
{
    const std::int32_t c1 = ColorToRGB(farbe1);
    const std::int32_t c2 = ColorToRGB(farbe2);
    const long double lt = t;
    std::int32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const long double v = channel(c2, shift) * lt + channel(c1, shift) * (1.0L - lt);
        long long r = 0;
        if (std::isfinite(v) && std::fabs(v) < 1e18L)
            r = std::llrint(v); // to nearest, a half to even
        out |= std::int32_t(r & 0xFF) << shift;
    }
    return out;
}

void Warte(std::uint32_t millisekunden) { waitFrom(TickCount(), millisekunden, true); }

void WarteBisTick(std::uint32_t tick)
{
    const std::uint32_t now = TickCount();
    waitFrom(now, remainingTo(tick, now), true);
}

void WarteOhneNachrichten(std::uint32_t millisekunden) { waitFrom(TickCount(), millisekunden, false); }

void WarteBisTickOhneNachrichten(std::uint32_t tick)
{
    const std::uint32_t now = TickCount();
    waitFrom(now, remainingTo(tick, now), false);
}

bool VerzeichnisExistiert(const QString& pfad)
{
    QString p = pfad;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    p = QDir::current().absoluteFilePath(p);
    return QFileInfo(resolvePath(p)).isDir();
}

std::int32_t ErmittleDateiGroesse(const QString& dateiName)
{
    ReadFile f;
    if (f.open(dateiName) != 0)
        return -1;
    const QFileInfo info(resolvePath(dateiName));
    const qint64 size = info.size();
    if (!info.isFile() || size < 0 || size > std::numeric_limits<std::int32_t>::max())
        return -1;
    return static_cast<std::int32_t>(size);
}

QString HoleComputername() { return QSysInfo::machineHostName(); }

} // namespace zl
