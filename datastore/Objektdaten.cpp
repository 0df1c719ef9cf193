#include "datastore/Objektdaten.h"

#include "controls/Dspez.h"
#include "controls/TextFile.h"
#include "datastore/zl_data.h"
#include "platform/Cp1252.h"
#include "platform/MessageService.h"

#include <QDir>
#include <QFileInfo>
#include <QStringView>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace zl
{

const QStringList ObjGruppen = {
    QStringLiteral("~L~LX~K~UG~IS~S~H~G~B~GB~I~"),
    QStringLiteral("~L~LX~K~UG~IS~"),
    QStringLiteral("~S~H~"),
    QStringLiteral("~G~"),
    QStringLiteral("~B~GB~"),
    QStringLiteral("~I~IS~"),
    QStringLiteral("~KD~"),
};

namespace
{

const QChar kTrenner = u'~';

std::int8_t niedrigesByte(std::int32_t wert)
{
    return static_cast<std::int8_t>(static_cast<std::uint8_t>(static_cast<std::uint32_t>(wert) & 0xFFu));
}

// The decimal digits of a number of a label line, with "-" where negative.
class Ziffern
{
  public:
    explicit Ziffern(std::int64_t wert) { n_ = std::to_chars(puffer_, puffer_ + sizeof puffer_, wert).ptr - puffer_; }
    // A position as the system writes it: the fraction x 10000 computed in extended
    // precision, then rounded at the units with a half going away from zero, as
    // FormatiereZahl with 0 decimals does (which takes NaN and values beyond 9E18).
    static Ziffern Position(double anteil)
    {
        const long double x = static_cast<long double>(anteil) * 10000.0L;
        if (!(std::fabs(x) < 9.0e18L))
            return Ziffern(FormatiereZahl(x, 0, 0));
        // A neighbouring whole number in the current rounding mode (llrint keeps the
        // processor's mode, where a cast would switch it twice), then the step to the
        // nearest one; x - k is exact.
        std::int64_t k = std::llrint(x);
        const long double rest = x - static_cast<long double>(k);
        if (rest > 0.5L || (rest == 0.5L && x > 0))
            ++k;
        else if (rest < -0.5L || (rest == -0.5L && x < 0))
            --k;
        return Ziffern(k);
    }

    qsizetype size() const { return gross_.isNull() ? n_ : gross_.size(); }
    QChar* kopiereNach(QChar* d) const
    {
        if (!gross_.isNull())
            return std::copy(gross_.cbegin(), gross_.cend(), d);
        for (qsizetype i = 0; i < n_; ++i)
            *d++ = QLatin1Char(puffer_[i]); // digits and "-" only
        return d;
    }

  private:
    explicit Ziffern(QString text) : gross_(std::move(text)) {}

    char puffer_[24];
    qsizetype n_ = 0;
    QString gross_;
};

QStringView ersteZeichen(const QString& text, qsizetype n)
{
    return QStringView(text).first(std::min(text.size(), n));
}

QChar* kopiere(QStringView text, QChar* d)
{
    return std::copy(text.cbegin(), text.cend(), d);
}

bool zeichenZulaessig(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x20 ? u == u'~' || (u >= 0x7F && cp1252Byte(u) < 0) : u == u'\r' || u == u'\n' || u == 26)
            return false;
    }
    return true;
}

// A line is read either from the file's Windows-1252 bytes (char) or from a
// decoded text (char16_t); both give the same label.
template <class Zeichen> struct Feld {
    const Zeichen* p = nullptr; // nullptr: the line does not reach this field
    qsizetype n = 0;
};

// The fields of a line as HoleFeld cuts them from the line with a "~" appended.
template <class Zeichen> void schneideFelder(const Zeichen* z, qsizetype n, std::array<Feld<Zeichen>, 8>& felder)
{
    const Zeichen* e = z + n;
    for (Feld<Zeichen>& f : felder) {
        if (!z)
            break;
        const Zeichen* t = std::find(z, e, Zeichen(u'~'));
        f.p = z;
        f.n = t - z;
        z = t < e ? t + 1 : nullptr;
    }
}

QString text(const Feld<char>& f)
{
    return f.p ? fromCp1252(f.p, f.n) : QString();
}

QString text(const Feld<char16_t>& f)
{
    return f.p ? QString(reinterpret_cast<const QChar*>(f.p), f.n) : QString();
}

template <class Zeichen> Feld<Zeichen> kennung(Feld<Zeichen> f)
{
    f.n = std::min<qsizetype>(f.n, kMaxIdLaenge);
    return f;
}

// The decoded characters of an id, for comparing without a new text.
QStringView zeichen(const Feld<char>& f, char16_t (&puffer)[kMaxIdLaenge])
{
    for (qsizetype i = 0; i < f.n; ++i)
        puffer[i] = cp1252Char(static_cast<unsigned char>(f.p[i]));
    return QStringView(puffer, f.n);
}

QStringView zeichen(const Feld<char16_t>& f, char16_t (&)[kMaxIdLaenge])
{
    return QStringView(f.p, f.n);
}

// The type codes of the table share one text each: a large file then allocates
// little beyond its label texts.
template <class Zeichen> QString typKennung(const Feld<Zeichen>& f)
{
    static const QString codes[] = {
        QStringLiteral("L"),  QStringLiteral("LX"), QStringLiteral("UG"), QStringLiteral("K"),
        QStringLiteral("IS"), QStringLiteral("H"),  QStringLiteral("S"),  QStringLiteral("G"),
        QStringLiteral("GB"), QStringLiteral("B"),  QStringLiteral("I"),  QStringLiteral("KD"),
    };
    if (f.p && (f.n == 1 || f.n == 2)) {
        for (const QString& c : codes)
            if (c.size() == f.n && c[0].unicode() == char16_t(f.p[0]) &&
                (f.n == 1 || c[1].unicode() == char16_t(f.p[1])))
                return c;
    }
    return text(kennung(f));
}

std::int32_t ganzzahl(const Feld<char>& f)
{
    return WandleInGanzzahl(f.p, f.p + f.n);
}

std::int32_t ganzzahl(const Feld<char16_t>& f)
{
    return WandleInGanzzahl(QStringView(f.p, f.n));
}

double zahl(const Feld<char>& f)
{
    return WandleInZahl(f.p, f.p + f.n);
}

double zahl(const Feld<char16_t>& f)
{
    return WandleInZahl(QStringView(f.p, f.n));
}

// vorigeKarte: the map id of the label before, shared when it is the same.
template <class Zeichen> void liesObjekt(const Zeichen* z, qsizetype n, ObjDataTyp& o, const QString* vorigeKarte)
{
    std::array<Feld<Zeichen>, 8> f;
    schneideFelder(z, n, f);
    const Feld<Zeichen> karte = kennung(f[0]);
    char16_t puffer[kMaxIdLaenge];
    if (vorigeKarte && karte.p && !vorigeKarte->isNull() && *vorigeKarte == zeichen(karte, puffer))
        o.KartID = *vorigeKarte;
    else
        o.KartID = text(karte);
    o.ObjTyp = typKennung(f[1]);
    o.Px = zahl(f[2]) / 10000.0;
    o.Py = zahl(f[3]) / 10000.0;
    o.Bez = text(f[4]);
    o.dx = niedrigesByte(ganzzahl(f[5]));
    o.dy = niedrigesByte(ganzzahl(f[6]));
    o.Intens = ganzzahl(f[7]);
}

void zeigeSchreibfehler()
{
    ZeigeFehler(QStringLiteral("Schreibfehler! Objektdaten können nicht geschrieben werden."));
}

} // namespace

ObjDataTyp ObjektAusZeile(const QString& Zeile)
{
    ObjDataTyp o;
    liesObjekt(reinterpret_cast<const char16_t*>(Zeile.constData()), Zeile.size(), o, nullptr);
    return o;
}

QString ObjektZeile(const ObjDataTyp& Obj)
{
    // Every part is measured first, so the line is allocated once.
    const QStringView karte = ersteZeichen(Obj.KartID, kMaxIdLaenge);
    const QStringView typ = ersteZeichen(Obj.ObjTyp, kMaxIdLaenge);
    const Ziffern zahlen[] = {Ziffern::Position(Obj.Px), Ziffern::Position(Obj.Py), Ziffern(Obj.dx), Ziffern(Obj.dy),
                              Ziffern(Obj.Intens)};
    qsizetype laenge = karte.size() + typ.size() + Obj.Bez.size() + 8;
    for (const Ziffern& z : zahlen)
        laenge += z.size();
    QString zeile(laenge, Qt::Uninitialized);
    QChar* d = zeile.data();
    d = kopiere(karte, d);
    *d++ = kTrenner;
    d = kopiere(typ, d);
    *d++ = kTrenner;
    d = zahlen[0].kopiereNach(d);
    *d++ = kTrenner;
    d = zahlen[1].kopiereNach(d);
    *d++ = kTrenner;
    d = kopiere(Obj.Bez, d);
    *d++ = kTrenner;
    for (int i = 2; i < 5; ++i) {
        d = zahlen[i].kopiereNach(d);
        *d++ = kTrenner;
    }
    return zeile;
}

QString ObjektSchreibfehler(const ObjDataTyp& Obj)
{
    if (zeichenZulaessig(Obj.KartID) && zeichenZulaessig(Obj.ObjTyp) && zeichenZulaessig(Obj.Bez))
        return {};
    return QStringLiteral("Die Beschriftung \"%1\" der Karte %2 enthält ein Zeichen, das in einer "
                          "Beschriftungsdatei nicht stehen kann (\"~\", einen Zeilenumbruch oder ein "
                          "Zeichen außerhalb des Windows-Zeichensatzes).")
        .arg(Obj.Bez, Obj.KartID);
}

bool LeseObjektdatei(const QString& Datei, QList<ObjDataTyp>& Tabelle)
{
    TextFileIO f;
    f.Assign(Datei);
    if (!f.Reset())
        return false;
    QList<ObjDataTyp> neu;
    try {
        if (!f.Eof())
            f.ReadLine(); // header, not looked at
        while (!f.Eof()) {
            const QByteArrayView zeile = f.ReadLineBytes();
            if (zeile.isEmpty())
                continue;
            ObjDataTyp& o = neu.emplaceBack(); // may move the table: the label before is taken after it
            liesObjekt(zeile.data(), zeile.size(), o, neu.size() > 1 ? &neu.at(neu.size() - 2).KartID : nullptr);
        }
        f.Close();
    } catch (const Exception& e) {
        // A read error after the open: keep the old table.
        ZeigeFehler(e.message());
        return false;
    }
    Tabelle = std::move(neu);
    return true;
}

bool LeseObjektdatei(const QString& Datei)
{
    return LeseObjektdatei(Datei, ObjDaten);
}

bool SchreibeObjektdatei(const QString& Datei, const QList<ObjDataTyp>& Tabelle)
{
    // A text that would split its line or change on the way to Windows-1252 would
    // corrupt the file: refuse before anything is written.
    for (const ObjDataTyp& o : Tabelle) {
        const QString grund = ObjektSchreibfehler(o);
        if (!grund.isEmpty()) {
            ZeigeFehler(grund);
            zeigeSchreibfehler();
            return false;
        }
    }
    // An empty table never silently replaces a file that holds labels.
    if (Tabelle.isEmpty()) {
        QList<ObjDataTyp> vorhanden;
        if (QFileInfo::exists(Datei)) {
            ScopedMessageRecorder still; // an unreadable old file is no reason to ask
            LeseObjektdatei(Datei, vorhanden);
        }
        if (!vorhanden.isEmpty()
            && !FrageJaNein(QStringLiteral("Die Datei %1 enthält %2 Beschriftungen. Soll sie durch eine leere "
                                           "Beschriftungstabelle ersetzt werden?")
                                .arg(QDir::toNativeSeparators(Datei))
                                .arg(vorhanden.size()),
                            mbNo))
            return false;
    }
    TextFileIO f;
    f.Assign(Datei);
    if (!f.Rewrite()) {
        zeigeSchreibfehler();
        return false;
    }
    try {
        f.WriteLine(kObjDateiKopf);
        for (const ObjDataTyp& o : Tabelle)
            f.WriteLine(ObjektZeile(o));
        f.Close();
    } catch (const EInOutError& e) {
        // The old file is still there: the new one replaces it only at a good close.
        ZeigeFehler(QStringLiteral("Datei-Schreibfehler! (%1)").arg(e.code()));
        zeigeSchreibfehler();
        return false;
    }
    return true;
}

bool SchreibeObjektdatei(const QString& Datei)
{
    return SchreibeObjektdatei(Datei, ObjDaten);
}

QString ObjTypName(const QString& Code)
{
    const QString c = AnsiUpperCase(Code);
    if (c == u"L" || c == u"LX")
        return QStringLiteral("Land/Staat");
    if (c == u"UG")
        return QStringLiteral("Unterg. Gebiet");
    if (c == u"K")
        return QStringLiteral("Kontinent");
    if (c == u"IS")
        return QStringLiteral("Inselstaat");
    if (c == u"H")
        return QStringLiteral("Hauptstadt");
    if (c == u"S")
        return QStringLiteral("Stadt");
    if (c == u"G")
        return QStringLiteral("Gewässer");
    if (c == u"GB")
        return QStringLiteral("Landschaft");
    if (c == u"B")
        return QStringLiteral("Berg");
    if (c == u"I")
        return QStringLiteral("Insel");
    return {};
}

bool InObjGruppe(const QString& Code, const QString& Gruppe)
{
    QString muster;
    muster.reserve(Code.size() + 2);
    muster += kTrenner;
    muster += Code;
    muster += kTrenner;
    return Gruppe.contains(muster);
}

int ObjGruppe(const QString& Code)
{
    for (int k = 1; k <= 6; ++k) {
        if (InObjGruppe(Code, ObjGruppen[k]))
            return k;
    }
    return -1;
}

QString EntferneTrennzeichen(const QString& Text)
{
    QString s = Text;
    qsizetype p = s.indexOf(u'|');
    while (p >= 0) {
        if (p > 0 && s[p - 1] == u'-') {
            // "-|" before a lower-case letter joins the word; otherwise the hyphen stays.
            const bool klein = p + 1 < s.size() && AnsiUpperCase(s.mid(p + 1, 1)) != s.mid(p + 1, 1);
            if (klein)
                s.remove(p - 1, 2);
            else
                s.remove(p, 1);
        } else {
            s[p] = u' ';
        }
        p = s.indexOf(u'|');
    }
    while (s.contains(QLatin1String("  ")))
        s.replace(QLatin1String("  "), QLatin1String(" "));
    // Blanks only: other white space is part of the text.
    qsizetype a = 0, e = s.size();
    while (a < e && s[a] == u' ')
        ++a;
    while (e > a && s[e - 1] == u' ')
        --e;
    return s.mid(a, e - a);
}

QString EntferneApostrophe(const QString& Text)
{
    qsizetype e = Text.size();
    while (e > 0 && Text[e - 1] == u'\'')
        --e;
    return Text.left(e);
}

QString EntferneAkzente(const QString& Text)
{
    static const struct {
        const char16_t* von;
        char16_t nach;
    } tabelle[] = {
        {u"áàâãå", u'a'}, {u"ÁÀÂÃÅ", u'A'}, {u"éèêë", u'e'}, {u"ÉÈÊË", u'E'}, {u"íìîï", u'i'}, {u"ÍÌÎÏ", u'I'},
        {u"óòôõ", u'o'},  {u"ÓÒÔÕ", u'O'},  {u"úùû", u'u'},  {u"ÚÙÛ", u'U'},  {u"ñ", u'n'},    {u"Ñ", u'N'},
    };
    QString s = Text;
    for (QChar& c : s) {
        const char16_t u = c.unicode();
        if (u < 0xC0)
            continue;
        for (const auto& t : tabelle) {
            for (const char16_t* v = t.von; *v; ++v) {
                if (*v == u) {
                    c = QChar(t.nach);
                    break;
                }
            }
        }
    }
    return s;
}

int SucheObjektAufKarte(const QString& KartID, const QString& Name, const QString& Gruppe)
{
    const QString gesucht = AnsiUpperCase(Name);
    for (qsizetype i = 0; i < ObjDaten.size(); ++i) {
        const ObjDataTyp& o = ObjDaten[i];
        if (o.KartID == KartID && InObjGruppe(o.ObjTyp, Gruppe) &&
            AnsiUpperCase(EntferneTrennzeichen(o.Bez)) == gesucht)
            return int(i);
    }
    return -1;
}

int SucheObjekt(const QString& KartID, const QString& Name, const QString& Gruppe, QString& GefundenKartID)
{
    GefundenKartID = KartID;
    int i = SucheObjektAufKarte(KartID, Name, Gruppe);
    if (i >= 0)
        return i;
    for (const KartDataTyp& k : KartenDaten) {
        i = SucheObjektAufKarte(k.KartID, Name, Gruppe);
        if (i >= 0) {
            GefundenKartID = k.KartID;
            return i;
        }
    }
    return -1;
}

} // namespace zl
