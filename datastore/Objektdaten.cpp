#include "datastore/Objektdaten.h"

#include "controls/Dspez.h"
#include "controls/TextFile.h"
#include "datastore/zl_data.h"
#include "platform/Cp1252.h"
#include "platform/MessageService.h"

#include <QDir>
#include <QFileInfo>

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

QString position(double anteil)
{
    // Computed as the system does, in extended precision, then rounded at the
    // units with a half going away from zero.
    return FormatiereZahl(static_cast<long double>(anteil) * 10000.0L, 0, 0);
}

bool zeichenZulaessig(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'~' || u == u'\r' || u == u'\n' || u == 26 || cp1252Byte(u) < 0)
            return false;
    }
    return true;
}

void zeigeSchreibfehler()
{
    ZeigeFehler(QStringLiteral("Schreibfehler! Objektdaten können nicht geschrieben werden."));
}

} // namespace

ObjDataTyp ObjektAusZeile(const QString& Zeile)
{
    QString rest = Zeile;
    rest += kTrenner;
    ObjDataTyp o;
    o.KartID = HoleFeld(rest, kTrenner).left(kMaxIdLaenge);
    o.ObjTyp = HoleFeld(rest, kTrenner).left(kMaxIdLaenge);
    o.Px = WandleInZahl(HoleFeld(rest, kTrenner)) / 10000.0;
    o.Py = WandleInZahl(HoleFeld(rest, kTrenner)) / 10000.0;
    o.Bez = HoleFeld(rest, kTrenner);
    o.dx = niedrigesByte(WandleInGanzzahl(HoleFeld(rest, kTrenner)));
    o.dy = niedrigesByte(WandleInGanzzahl(HoleFeld(rest, kTrenner)));
    o.Intens = WandleInGanzzahl(HoleFeld(rest, kTrenner));
    return o;
}

QString ObjektZeile(const ObjDataTyp& Obj)
{
    QString z;
    z.reserve(Obj.Bez.size() + 48);
    z += Obj.KartID.left(kMaxIdLaenge);
    z += kTrenner;
    z += Obj.ObjTyp.left(kMaxIdLaenge);
    z += kTrenner;
    z += position(Obj.Px);
    z += kTrenner;
    z += position(Obj.Py);
    z += kTrenner;
    z += Obj.Bez;
    z += kTrenner;
    z += QString::number(Obj.dx);
    z += kTrenner;
    z += QString::number(Obj.dy);
    z += kTrenner;
    z += QString::number(Obj.Intens);
    z += kTrenner;
    return z;
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
            const QString zeile = f.ReadLine();
            if (zeile.isEmpty())
                continue;
            neu.append(ObjektAusZeile(zeile));
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
