#include "worksheet/ab_data.h"

#include "datastore/JpegDatei.h"
#include "datastore/Kartenbilder.h"

#include <QFileInfo>

namespace zl::ab
{

const std::array<QString, kGruppen + 1> ABObjGruppen = {
    QString(),
    QStringLiteral("~L~LX~IS~"),
    QStringLiteral("~S~H~"),
    QStringLiteral("~G~"),
    QStringLiteral("~B~GB~"),
    QStringLiteral("~I~IS~"),
    QStringLiteral("~L~LX~IS~S~H~G~B~GB~I~"),
};

const QStringList Themen = {
    QStringLiteral("Länder/Staaten"), QStringLiteral("Städte"), QStringLiteral("Gewässer"),
    QStringLiteral("Landschaften"),   QStringLiteral("Inseln"), QStringLiteral("Mix"),
};

const QStringList ABObjTypen = {
    QStringLiteral("L"), QStringLiteral("LX"), QStringLiteral("IS"), QStringLiteral("H"), QStringLiteral("S"),
    QStringLiteral("G"), QStringLiteral("GB"), QStringLiteral("B"),  QStringLiteral("I"),
};

bool LeseKartenauswahl()
{
    const QString pfad = DatenVerz + kKartenauswahlDateiName;
    return UebernimmTabelle(LeseKartenauswahldatei(pfad), pfad, KartAuswDaten);
}

bool LeseKarten()
{
    const QString pfad = DatenVerz + kKartenDateiName;
    return UebernimmTabelle(LeseKartendatei(pfad), pfad, KartenDaten);
}

void DatenInitialisieren(const QString& ProgrammVerz)
{
    ProgVerz = MitSchraegstrich(ProgrammVerz);
    DatenVerz = ProgVerz + QLatin1String("AB-Daten/");
    KartenVerz = ProgVerz + QLatin1String("ZX-Karten/");
    HilfeVerz = ProgVerz + QLatin1String("AB-Hilfe/");
    ArbeitsblattVerz = ProgVerz + QStringLiteral("AB-Arbeitsblätter/");
    ObjDatei = DatenVerz + kStandardObjDateiName;
    ArbeitsblattDatei.clear();

    LeseKartenauswahl();
    LeseKarten();
    LeseObjektdatei(ObjDatei);

    KartenCache = std::make_unique<TBitmap32>();
    KartenCachePfad.clear();
}

void DatenFreigeben()
{
    KartenDaten.clear();
    KartAuswDaten.clear();
    ObjDaten.clear();
    KartenCache.reset();
    KartenCachePfad.clear();
    for (QString* s :
         {&ProgVerz, &DatenVerz, &KartenVerz, &HilfeVerz, &ArbeitsblattVerz, &ObjDatei, &ArbeitsblattDatei})
        s->clear();
}

QString ObjTypName(const QString& Code)
{
    const QString c = Code.toUpper();
    if (c == u"L" || c == u"LX")
        return QStringLiteral("Land");
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

bool InGruppe(const QString& Code, int Gruppe)
{
    if (Gruppe < 1 || Gruppe > kGruppen || Code.isEmpty() || Code.size() > 2)
        return false;
    const QString& set = ABObjGruppen[Gruppe];
    // "~" + code + "~" without building the text: every code of the sets has one or two letters.
    for (qsizetype i = set.indexOf(Code); i >= 0; i = set.indexOf(Code, i + 1))
        if (i > 0 && set[i - 1] == u'~' && i + Code.size() < set.size() && set[i + Code.size()] == u'~')
            return true;
    return false;
}

int ObjGruppe(const QString& Code)
{
    for (int g = 1; g <= 5; ++g)
        if (InGruppe(Code, g))
            return g;
    return -1;
}

QString EntferneTrennzeichen(const QString& Text)
{
    QString t = Text;
    qsizetype i = 0;
    while ((i = t.indexOf(u'|', i)) >= 0) {
        if (i > 0 && t[i - 1] == u'-') {
            const bool klein = i + 1 < t.size() && t[i + 1] != t[i + 1].toUpper();
            if (klein) {
                t.remove(i - 1, 2);
                --i;
            } else {
                t.remove(i, 1);
            }
        } else {
            t[i] = u' ';
        }
    }
    return t.trimmed();
}

QString KartenCacheDatei(const QString& Pfad)
{
    QString gefunden;
    if (BildDateiDa(Pfad, &gefunden))
        return gefunden;
    const QFileInfo fi(Pfad);
    const QString dat = fi.path() + u'/' + fi.completeBaseName() + QLatin1String(".dat");
    if (BildDateiDa(dat, &gefunden))
        return gefunden;
    if (BildDateiDa(fi.path() + QLatin1String("/xxx.dat"), &gefunden))
        return gefunden;
    return {};
}

bool LadeKartenCache(const QString& Pfad, QString* Fehler)
{
    if (Fehler)
        Fehler->clear();
    const QString datei = KartenCacheDatei(Pfad);
    if (KartenCache && !KartenCachePfad.isEmpty() && KartenCachePfad == datei && !KartenCache->Empty())
        return true;
    if (datei.isEmpty()) {
        if (KartenCache)
            KartenCache->SetDimensions(0, 0);
        KartenCachePfad.clear();
        return false;
    }
    try {
        if (!zl::LadeKartenCache(datei))
            return false;
    } catch (const EBildFehler& e) {
        if (Fehler)
            *Fehler = e.message();
        return false;
    }
    KartenCachePfad = datei;
    return true;
}

} // namespace zl::ab
