#include "datastore/zl_data.h"

#include "controls/Dspez.h"
#include "controls/TextFile.h"
#include "platform/Cp1252.h"
#include "platform/MessageService.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <charconv>
#include <cmath>
#include <limits>

namespace zl
{

const QStringList Kontinente = {
    QStringLiteral("Europa"),
    QStringLiteral("Afrika"),
    QStringLiteral("Asien"),
    QStringLiteral("Nordamerika"),
    QStringLiteral("Mittelamerika"),
    QStringLiteral("Südamerika"),
    QStringLiteral("Australien/Ozeanien"),
};

const QStringList Intensitaeten = {
    QStringLiteral("Basis"),
    QStringLiteral("Aufbau"),
    QStringLiteral("Experte"),
};

namespace
{

// A whole number as the class library's StrToInt reads it: leading blanks, an
// optional sign and decimal digits, nothing else, within 32 bits.
bool strengeZahl(const QString& feld, std::int32_t& wert)
{
    qsizetype i = 0;
    while (i < feld.size() && feld[i] == u' ')
        ++i;
    if (i == feld.size())
        return false;
    bool negativ = false;
    if (feld[i] == u'+' || feld[i] == u'-') {
        negativ = feld[i] == u'-';
        ++i;
    }
    if (i == feld.size())
        return false;
    std::int64_t v = 0;
    for (; i < feld.size(); ++i) {
        const char16_t c = feld[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        v = v * 10 + (c - u'0');
        if (v > std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1)
            return false;
    }
    if (negativ)
        v = -v;
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
        return false;
    wert = static_cast<std::int32_t>(v);
    return true;
}

// Trim as the class library does: every character up to the blank.
QString trimmeSteuerzeichen(const QString& s)
{
    qsizetype a = 0, e = s.size();
    while (a < e && s[a].unicode() <= 32)
        ++a;
    while (e > a && s[e - 1].unicode() <= 32)
        --e;
    return s.mid(a, e - a);
}

// A corrected catalogue value: computed in extended precision, rounded half to even.
bool korrigiere(std::int32_t& wert, long double mal, long double plus)
{
    const long double x = static_cast<long double>(wert) * mal + plus;
    const long double r = std::nearbyint(x);
    if (!(r >= std::numeric_limits<std::int32_t>::min() && r <= std::numeric_limits<std::int32_t>::max()))
        return false;
    wert = static_cast<std::int32_t>(r);
    return true;
}

// The common reading scheme: header dropped unread, empty lines skipped, every
// other line cut into fields by the row parser, which answers false for a row
// that does not convert (skipped, its line number kept).
template <class T, class Parser> Tabellendatei<T> leseTabelle(const QString& Datei, bool trimmen, Parser parse)
{
    Tabellendatei<T> erg;
    TextFileIO f;
    f.Assign(Datei);
    if (!f.Reset())
        return erg;
    erg.Geoeffnet = true;
    int zeilenNr = 0;
    try {
        if (!f.Eof()) {
            f.ReadLine();
            ++zeilenNr;
        }
        while (!f.Eof()) {
            QString zeile = f.ReadLine();
            ++zeilenNr;
            if (trimmen)
                zeile = trimmeSteuerzeichen(zeile);
            if (zeile.isEmpty())
                continue;
            T satz;
            if (parse(zeile, satz))
                erg.Zeilen.append(std::move(satz));
            else if (erg.ErsteFehlerzeile == 0)
                erg.ErsteFehlerzeile = zeilenNr;
        }
        f.Close();
    } catch (const Exception& e) {
        // A read error after the open: keep the rows read so far.
        ZeigeFehler(e.message());
    }
    return erg;
}

} // namespace

QString FehlerzeilenMeldung(const QString& Datei, int Zeile)
{
    return QStringLiteral("Die Datei %1 enthält ungültige Zeilen, die übergangen werden (erste: Zeile %2).")
        .arg(QDir::toNativeSeparators(Datei))
        .arg(Zeile);
}

void ZeigeFehlerzeilen(const QString& Datei, int Zeile)
{
    ZeigeFehler(FehlerzeilenMeldung(Datei, Zeile));
}

QString MitSchraegstrich(QString Verz)
{
    Verz = QDir::fromNativeSeparators(Verz);
    if (!Verz.isEmpty() && !Verz.endsWith(u'/'))
        Verz += u'/';
    return Verz;
}

Tabellendatei<laenderdatatyp> LeseLaenderdatei(const QString& Datei)
{
    return leseTabelle<laenderdatatyp>(Datei, true, [](const QString& zeile, laenderdatatyp& l) {
        QString rest = zeile + u';';
        l.Name = HoleFeld(rest, u';');
        if (!strengeZahl(HoleFeld(rest, u';'), l.Gebiet))
            return false;
        // "." groups thousands here, so every one is removed before converting.
        l.Einwohner = WandleInZahl(HoleFeld(rest, u';').remove(u'.'));
        l.Flaeche = WandleInZahl(HoleFeld(rest, u';').remove(u'.'));
        l.Hauptstadt = HoleFeld(rest, u';');
        l.Regierungssitz = HoleFeld(rest, u';');
        l.Flagge = HoleFeld(rest, u';');
        l.Dichte = l.Flaeche == 0 ? 0 : l.Einwohner / l.Flaeche;
        return true;
    });
}

Tabellendatei<UebungDataTyp> LeseUebungsdatei(const QString& Datei)
{
    return leseTabelle<UebungDataTyp>(Datei, false, [](const QString& zeile, UebungDataTyp& u) {
        QString rest = zeile + u'~';
        if (!strengeZahl(HoleFeld(rest, u'~'), u.Nr))
            return false;
        u.LernKartID = HoleFeld(rest, u'~');
        u.UebKartID = HoleFeld(rest, u'~');
        return strengeZahl(HoleFeld(rest, u'~'), u.Gebiet);
    });
}

Tabellendatei<KartDataTyp> LeseKartendatei(const QString& Datei)
{
    return leseTabelle<KartDataTyp>(Datei, false, [](const QString& zeile, KartDataTyp& k) {
        QString rest = zeile + u'~';
        k.KartID = HoleFeld(rest, u'~');
        k.KartName = HoleFeld(rest, u'~');
        k.Wert = WandleInZahl(HoleFeld(rest, u'~'));
        return true;
    });
}

Tabellendatei<KartAuswDataTyp> LeseKartenauswahldatei(const QString& Datei)
{
    return leseTabelle<KartAuswDataTyp>(Datei, false, [](const QString& zeile, KartAuswDataTyp& k) {
        QString rest = zeile + u'~';
        k.Uebersicht = HoleFeld(rest, u'~');
        k.KartID = HoleFeld(rest, u'~');
        k.KartName = HoleFeld(rest, u'~');
        for (std::int32_t* z : {&k.FeldX, &k.FeldY, &k.MarkLinks, &k.MarkOben, &k.MarkRechts, &k.MarkUnten}) {
            if (!strengeZahl(HoleFeld(rest, u'~'), *z))
                return false;
        }
        // Fit the stored positions to the overview pictures the program shows.
        if (k.Uebersicht == u"DEU") {
            for (std::int32_t* z : {&k.FeldX, &k.MarkLinks, &k.MarkRechts}) {
                if (!korrigiere(*z, 87.0L / 137.0L, 250000.0L / 137.0L))
                    return false;
            }
        } else if (k.Uebersicht == u"EUR") {
            for (std::int32_t* z : {&k.FeldX, &k.MarkLinks, &k.MarkRechts}) {
                if (!korrigiere(*z, 725.0L / 828.0L, 377500.0L / 207.0L))
                    return false;
            }
        } else if (k.Uebersicht == u"WLT") {
            for (std::int32_t* z : {&k.FeldY, &k.MarkOben, &k.MarkUnten}) {
                if (!korrigiere(*z, 1.0L, 50000.0L / 29.0L))
                    return false;
            }
        }
        return true;
    });
}

bool LeseLaenderdaten()
{
    const QString pfad = DatenVerz + kLaenderDateiName;
    return UebernimmTabelle(LeseLaenderdatei(pfad), pfad, LaenderDaten);
}

bool LeseUebungen()
{
    const QString pfad = DatenVerz + kUebungenDateiName;
    return UebernimmTabelle(LeseUebungsdatei(pfad), pfad, UebungsDaten);
}

bool LeseKarten()
{
    const QString pfad = DatenVerz + kKartenDateiName;
    return UebernimmTabelle(LeseKartendatei(pfad), pfad, KartenDaten);
}

bool LeseKartenauswahl()
{
    const QString pfad = DatenVerz + kKartenauswahlDateiName;
    return UebernimmTabelle(LeseKartenauswahldatei(pfad), pfad, KartAuswDaten);
}

QString ProgrammVerzeichnis()
{
    return MitSchraegstrich(QCoreApplication::applicationDirPath());
}

QString EigeneDateienPfad()
{
    return MitSchraegstrich(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

void DatenInitialisieren(const QString& programmVerz)
{
    ProgVerz = MitSchraegstrich(programmVerz);
    DatenVerz = ProgVerz + QLatin1String("ZL-Daten/");
    KartenVerz = ProgVerz + QLatin1String("ZX-Karten/");
    FlaggenVerz = ProgVerz + QLatin1String("ZL-Flaggen/");
    SoundVerz = ProgVerz + QLatin1String("ZL-Sound/");
    VideoVerz = ProgVerz + QLatin1String("ZL-Video/");
    HilfeVerz = ProgVerz + QLatin1String("ZL-Hilfe/");
    ProtokollVerz = ProgVerz + QLatin1String("ZL-Protokolle/");
    NetzVerz = ProgVerz + QLatin1String("ZL-Netz/");
    ObjDatei = DatenVerz + kStandardObjDateiName;
    MasterIniDatei = ProgVerz + QLatin1String("KartivoMasterCfg.ini");
    // Without a documents folder there is no user file (not one relative to the
    // current folder).
    const QString eigene = EigeneDateienPfad();
    UserIniDatei = eigene.isEmpty() ? QString() : eigene + QLatin1String("Kartivo/KartivoUserCfg.ini");

    LeseLaenderdaten();
    LeseUebungen();
    LeseKarten();
    LeseKartenauswahl();
    LeseObjektdatei(ObjDatei);

    KartenCache = std::make_unique<TBitmap32>();
    KartenCachePfad.clear();
}

void DatenFreigeben()
{
    LaenderDaten.clear();
    UebungsDaten.clear();
    KartenDaten.clear();
    KartAuswDaten.clear();
    ObjDaten.clear();
    KartenCache.reset();
    KartenCachePfad.clear();
    for (QString* s : {&ProgVerz, &DatenVerz, &KartenVerz, &FlaggenVerz, &SoundVerz, &VideoVerz, &HilfeVerz,
                       &ProtokollVerz, &NetzVerz, &ObjDatei, &MasterIniDatei, &UserIniDatei})
        s->clear();
}

QString AnsiUpperCase(const QString& Text)
{
    QString s = Text;
    for (QChar& c : s) {
        const char16_t u = c.unicode();
        if (u >= u'a' && u <= u'z') {
            c = QChar(char16_t(u - 32));
        } else if (u >= 0x80) {
            const QChar gross = c.toUpper();
            if (gross != c && cp1252Byte(gross.unicode()) >= 0)
                c = gross;
        }
    }
    return s;
}

QString KartenName(const QString& KartID)
{
    const QString gesucht = AnsiUpperCase(KartID);
    for (const KartDataTyp& k : KartenDaten) {
        if (AnsiUpperCase(k.KartID) == gesucht)
            return k.KartName;
    }
    return {};
}

QString KartenGruppenName(const QString& KartID)
{
    if (KartID == u"DEU" || (KartID.size() == 4 && KartID[0] == u'D'))
        return QStringLiteral("Deutsche Bundesländer");
    if (KartID == u"ÖST")
        return QStringLiteral("Österreichische Bundesländer");
    if (KartID == u"SCH")
        return QStringLiteral("Schweizer Kantone");
    if (KartID == u"USA")
        return QStringLiteral("US-Amerikanische Bundesstaaten");
    if (KartID == u"KAN")
        return QStringLiteral("Kanadische Provinzen/Territorien");
    if (KartID == u"AUS")
        return QStringLiteral("Australische Bundesstaaten");
    if (KartID == u"GBI")
        return QStringLiteral("Teilgebiete Großbritanniens");
    return QStringLiteral("Untergeordnete Gebiete");
}

} // namespace zl
