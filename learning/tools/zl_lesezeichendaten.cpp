#include "learning/tools/zl_lesezeichendaten.h"

#include "controls/Dspez.h"
#include "datastore/zl_data.h"

#include <QFileInfo>

#include <charconv>

namespace zl
{
namespace
{

constexpr QChar kFeld = u'|';
constexpr QChar kQuote = u'"';

bool istLeer(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= u' ';
}

// Strict whole number: optional sign and decimal digits, within 32 bits.
std::optional<std::int32_t> strikteZahl(const QString& t)
{
    const QByteArray b = t.toLatin1();
    if (b.isEmpty() || t.size() != b.size())
        return std::nullopt;
    const char* p = b.constData();
    const char* e = p + b.size();
    if (*p == '+' && p + 1 < e && p[1] != '-')
        ++p;
    std::int32_t v = 0;
    const auto [ende, fehler] = std::from_chars(p, e, v);
    if (fehler != std::errc() || ende != e || p == e)
        return std::nullopt;
    return v;
}

QString zahl(std::int32_t n)
{
    return QString::number(n);
}

bool istKartTyp(const QString& t)
{
    return t == u"RS" || t == u"RH" || t == u"PF" || t == u"PW";
}

} // namespace

QString LesezeichenDateiName(const QString& Pfad)
{
    QString p = Pfad;
    p.replace(u'\\', u'/');
    return QFileInfo(p).fileName();
}

QStringList ZerlegeCommaText(const QString& Text)
{
    QStringList items;
    const qsizetype n = Text.size();
    qsizetype i = 0;
    auto ueberspringeLeer = [&] {
        while (i < n && istLeer(Text[i]))
            ++i;
    };
    ueberspringeLeer();
    while (i < n && Text[i] != QChar(0)) {
        QString s;
        if (Text[i] == kQuote) {
            ++i;
            while (i < n) {
                if (Text[i] == kQuote) {
                    if (i + 1 < n && Text[i + 1] == kQuote) {
                        s += kQuote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                s += Text[i++];
            }
        } else {
            const qsizetype a = i;
            while (i < n && Text[i].unicode() > u' ' && Text[i] != u',')
                ++i;
            s = Text.mid(a, i - a);
        }
        items.append(s);
        ueberspringeLeer();
        if (i < n && Text[i] == u',') {
            if (i + 1 == n)
                items.append(QString());
            do
                ++i;
            while (i < n && istLeer(Text[i]));
        }
    }
    return items;
}

QString CommaTextEintrag(const QString& Eintrag)
{
    QString s = Eintrag;
    s.replace(QString(kQuote), QStringLiteral("\"\""));
    return kQuote + s + kQuote;
}

std::optional<LesezeichenDataTyp> LeseLesezeichenEintrag(const QString& Eintrag, const QString& AktObjDatei)
{
    QString rest = Eintrag;
    LesezeichenDataTyp L;
    L.Titel = HoleFeld(rest, kFeld);
    L.KartID = HoleFeld(rest, kFeld);
    const auto modus = strikteZahl(HoleFeld(rest, kFeld));
    const auto gebiet = strikteZahl(HoleFeld(rest, kFeld));
    const auto intens = strikteZahl(HoleFeld(rest, kFeld));
    if (!modus || !gebiet || !intens || *modus < 2 || *modus > 4)
        return std::nullopt;
    L.Modus = *modus;
    L.Gebiet = *gebiet;
    L.Intensitaet = *intens;
    L.Daten = HoleFeld(rest, kFeld);
    L.ObjDateiName = LesezeichenDateiName(rest.isEmpty() ? AktObjDatei : HoleFeld(rest, kFeld));
    L.FragTypOk = HoleFeld(rest, kFeld);
    L.KartTyp = HoleFeld(rest, kFeld);
    L.FragAnz = WandleInGanzzahl(HoleFeld(rest, kFeld));
    L.FontFakIndex = WandleInGanzzahl(HoleFeld(rest, kFeld));
    L.Kartenschrift = WandleInGanzzahl(HoleFeld(rest, kFeld));
    L.UebModus = WandleInGanzzahl(HoleFeld(rest, kFeld));
    L.AutoWeiter = WandleInGanzzahl(HoleFeld(rest, kFeld)) == 1;
    return L;
}

LesezeichenLesung LeseLesezeichenWert(const QString& Text, const QString& AktObjDatei)
{
    LesezeichenLesung r;
    for (const QString& item : ZerlegeCommaText(Text)) {
        if (auto L = LeseLesezeichenEintrag(item, AktObjDatei))
            r.Liste.append(*L);
        else if (!item.isEmpty())
            r.Unlesbar.append(item);
    }
    return r;
}

QString LesezeichenFelder(const LesezeichenDataTyp& L)
{
    const QStringList f = {BereinigeTitel(L.Titel),
                           L.KartID,
                           zahl(L.Modus),
                           zahl(L.Gebiet),
                           zahl(L.Intensitaet),
                           L.Daten,
                           LesezeichenDateiName(L.ObjDateiName),
                           L.FragTypOk,
                           L.KartTyp,
                           zahl(L.FragAnz),
                           zahl(L.FontFakIndex),
                           zahl(L.Kartenschrift),
                           zahl(L.UebModus),
                           L.AutoWeiter ? QStringLiteral("1") : QStringLiteral("0")};
    QString s;
    for (const QString& t : f) {
        // A stray "|" would shift every later field.
        QString w = t;
        w.remove(kFeld);
        s += w + kFeld;
    }
    return s;
}

QString LesezeichenWert(const QList<LesezeichenDataTyp>& Liste, const QStringList& Unlesbar)
{
    QStringList items;
    for (const LesezeichenDataTyp& L : Liste)
        items.append(CommaTextEintrag(LesezeichenFelder(L)));
    for (const QString& u : Unlesbar)
        items.append(CommaTextEintrag(u));
    return items.join(u',');
}

QString KartenLesezeichenDaten(const KartenLesezeichen& K)
{
    QString s = zahl(K.Intensitaet.value_or(2)) + u'~';
    for (bool e : K.Ebenen)
        s += (e ? QStringLiteral("1") : QStringLiteral("0")) + u'~';
    s += zahl(K.ZoomStufe) + u'~' + zahl(K.AnkerX) + u'~' + zahl(K.AnkerY) + u'~';
    return s;
}

KartenLesezeichen LeseKartenLesezeichen(const QString& Daten)
{
    QString rest = Daten;
    auto wert = [&rest] { return WandleInGanzzahl(HoleFeld(rest, u'~')); };
    KartenLesezeichen K;
    const int intens = wert();
    if (intens >= 1 && intens <= 3)
        K.Intensitaet = intens;
    for (bool& e : K.Ebenen)
        e = wert() == 1;
    const int zoom = wert();
    K.ZoomStufe = zoom >= 0 && zoom <= 4 ? zoom : 0;
    const int ax = wert();
    const int ay = wert();
    K.AnkerX = ax >= -1 && ax <= 1 ? ax : 0;
    K.AnkerY = ay >= -1 && ay <= 1 ? ay : 0;
    return K;
}

int PuzzleGroesse(const QString& Daten)
{
    const int n = WandleInGanzzahl(Daten);
    return n == 4 || n == 5 ? n : 3;
}

std::int32_t LesezeichenSeed(const QString& Daten)
{
    return WandleInGanzzahl(Daten);
}

std::array<bool, 5> SetzeKartenansicht(const LesezeichenDataTyp& L, HauptfensterZustand& Z, QString& KartTyp)
{
    Z.AktKartID = L.KartID;
    if (istKartTyp(L.KartTyp))
        KartTyp = L.KartTyp;
    if (L.FontFakIndex >= 0 && L.FontFakIndex <= 2)
        Z.FontFakIndex = L.FontFakIndex;
    if (L.Kartenschrift >= 0 && L.Kartenschrift <= 1)
        Z.Kartenschrift = L.Kartenschrift;
    const KartenLesezeichen K = LeseKartenLesezeichen(L.Daten);
    if (K.Intensitaet)
        Z.LernIntensitaet = *K.Intensitaet;
    Z.Viewport.SetzeZoomStufe(K.ZoomStufe);
    Z.Viewport.SetzeAnker(K.AnkerX, K.AnkerY);
    return K.Ebenen;
}

TUebStart SetzeUebung(const LesezeichenDataTyp& L, HauptfensterZustand& Z, QString& UebKartTyp)
{
    Uebungszustand& U = Z.Uebung;
    if (istKartTyp(L.KartTyp))
        UebKartTyp = L.KartTyp;
    if (L.FragAnz > 0)
        U.UebFragAnz = L.FragAnz;
    Z.FragTypMasken[3] = L.FragTypOk;
    U.UebModus = L.UebModus >= 1 && L.UebModus <= 4 ? L.UebModus : 1;
    U.UebTypMaske = Z.FragTypMasken[U.UebModus - 1].left(50);
    Z.Wahl.FragWeiterAuto = L.AutoWeiter;
    for (int i = int(UebungsDaten.size()) - 1; i >= 0; --i)
        if (UebungsDaten[i].UebKartID == L.KartID) {
            U.UebKartIndex = i;
            break;
        }
    TUebStart S;
    S.KartID = L.KartID;
    S.Gebiet = L.Gebiet;
    S.Seed = LesezeichenSeed(L.Daten);
    S.Intensitaet = L.Intensitaet;
    return S;
}

int SetzePuzzle(const LesezeichenDataTyp& L, HauptfensterZustand& Z, QString& KartTyp)
{
    Z.AktKartID = L.KartID;
    if (istKartTyp(L.KartTyp))
        KartTyp = L.KartTyp;
    Z.Wahl.PuzzleTeile = PuzzleGroesse(L.Daten);
    return Z.Wahl.PuzzleTeile;
}

QString LesezeichenFrage(int Modus, bool AnredeDu)
{
    QString was;
    if (Modus == 2)
        was = QStringLiteral("diese Karte mit der gewählten Darstellungsart ");
    else if (Modus == 3)
        was = QStringLiteral("diese Übung mit den gewählten Einstellungen ");
    else if (Modus == 4)
        was = QStringLiteral("dieses Puzzle mit den gewählten Einstellungen ");
    return (AnredeDu ? QStringLiteral("Möchtest Du auf ") : QStringLiteral("Möchten Sie auf ")) + was +
           QStringLiteral("ein Lesezeichen setzen?");
}

QString LesezeichenZeit(const QDateTime& Zeit)
{
    return Zeit.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

QString LesezeichenTitelKarte(const QString& Zeit, const QString& KartenName)
{
    return BereinigeTitel(Zeit + QStringLiteral(" - Karte: ") + KartenName);
}

QString UebModusKurzname(int UebModus)
{
    static const QStringList namen = {QStringLiteral("Standard"), QStringLiteral("Erweitert"),
                                      QStringLiteral("Zuordnungen"), QStringLiteral("Individuell")};
    return UebModus >= 1 && UebModus <= 4 ? namen[UebModus - 1] : QString();
}

QString LesezeichenTitelUebung(const QString& Zeit, const QString& KartenName, int UebModus, int Intensitaet,
                               int FragAnz, std::int32_t Seed)
{
    const QString intens =
        Intensitaet >= 1 && Intensitaet <= Intensitaeten.size() ? Intensitaeten[Intensitaet - 1] : QString();
    QString t = Zeit + QStringLiteral(" - Übung: ") + KartenName + QStringLiteral(" - ") + UebModusKurzname(UebModus) +
                QStringLiteral(" - ") + intens + QStringLiteral(" (") + zahl(FragAnz) + u')';
    t += Seed != 0 ? QStringLiteral(" - [") + zahl(Seed) + u']' : QStringLiteral(" - Zufall");
    return BereinigeTitel(t);
}

QString LesezeichenTitelPuzzle(const QString& Zeit, const QString& KartenName, int n)
{
    return BereinigeTitel(Zeit + QStringLiteral(" - Puzzle: ") + KartenName + QStringLiteral(" - ") + zahl(n) + u'x' +
                          zahl(n));
}

QString LesezeichenMenueText(int i, const QString& Titel)
{
    const QString nr = zahl(i + 1) + QStringLiteral(":  ") + Titel;
    return i < 9 ? u'&' + nr : nr;
}

QString BereinigeTitel(const QString& Titel)
{
    QString t = Titel;
    t.remove(kFeld);
    t.remove(u'\r');
    t.remove(u'\n');
    return t;
}

bool BenenneLesezeichen(QList<LesezeichenDataTyp>& Liste, int i, const QString& Titel)
{
    if (i < 0 || i >= Liste.size())
        return false;
    Liste[i].Titel = BereinigeTitel(Titel);
    return true;
}

int LoescheLesezeichen(QList<LesezeichenDataTyp>& Liste, int i)
{
    if (i < 0 || i >= Liste.size())
        return -1;
    Liste.removeAt(i);
    if (Liste.isEmpty())
        return -1;
    return std::min<int>(i, int(Liste.size()) - 1);
}

} // namespace zl
