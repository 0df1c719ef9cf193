#include "UebTestdaten.h"

#include "datastore/zl_data.h"

namespace zl::testdaten {

void Objekt(const QString& Typ, const QString& Bez, double Px, double Py, int Intens, const QString& KartID)
{
    ObjDataTyp o;
    o.KartID = KartID;
    o.ObjTyp = Typ;
    o.Px = Px;
    o.Py = Py;
    o.Bez = Bez;
    o.Intens = Intens;
    ObjDaten.append(o);
}

void Land(const QString& Name, int Gebiet, double Einwohner, double Flaeche, const QString& Hauptstadt,
          const QString& Flagge)
{
    laenderdatatyp l;
    l.Name = Name;
    l.Gebiet = Gebiet;
    l.Einwohner = Einwohner;
    l.Flaeche = Flaeche;
    l.Hauptstadt = Hauptstadt;
    l.Flagge = Flagge;
    l.Dichte = Flaeche > 0 ? Einwohner / Flaeche : 0;
    LaenderDaten.append(l);
}

void Leere()
{
    LaenderDaten.clear();
    ObjDaten.clear();
    KartenDaten.clear();
    UebungsDaten.clear();
    ProgVerz.clear();
    KartenVerz.clear();
    FlaggenVerz.clear();
    ObjDatei.clear();
}

void Setze()
{
    Leere();
    ProgVerz = QStringLiteral("/nicht/da/");
    KartenVerz = ProgVerz + QStringLiteral("ZX-Karten/");
    FlaggenVerz = ProgVerz + QStringLiteral("ZL-Flaggen/");
    ObjDatei = ProgVerz + QStringLiteral("ZL-Daten/zl_standard.zlk");
    KartenDaten.append({kKarte, QStringLiteral("Testkarte"), 0});
    KartenDaten.append({QStringLiteral("ZWEI"), QStringLiteral("Zweite Karte"), 0});
    UebungsDaten.append({1, kKarte, kKarte, 10});

    const char* const laender[][3] = {
        {"Albanien", "Tirana", "albanien.jpg"},   {"Belgien", "Brüssel", "belgien.jpg"},
        {"Dänemark", "Kopenhagen", "daenem.jpg"}, {"Estland", "Tallinn", "estland.jpg"},
        {"Finnland", "Helsinki", "finnl.jpg"},    {"Frankreich", "Paris", "frankr.jpg"},
        {"Luxemburg", "Luxemburg", "luxemb.jpg"}, {"Niederlande", "Amsterdam", "niederla.jpg"},
        {"Monaco", "Monaco", "monaco.jpg"},       {"Russland", "Moskau", "russland.jpg"},
        {"Türkei", "Ankara", "tuerkei.jpg"},      {"Ungarn", "Budapest", "ungarn.jpg"},
    };
    int i = 0;
    for (const auto& l : laender) {
        Land(QString::fromUtf8(l[0]), 10, 1000000.0 * (i + 1) + 4321, 10000.0 * (i + 2), QString::fromUtf8(l[1]),
             QString::fromUtf8(l[2]));
        ++i;
    }
    Land(QStringLiteral("Europa"), 0, 7e8, 1e7, QString(), QString());
    Land(QStringLiteral("Ägypten"), 20, 1e8, 1e6, QStringLiteral("Kairo"), QStringLiteral("aegypten.jpg"));
    Land(QStringLiteral("Kenia"), 20, 5e7, 5e5, QStringLiteral("Nairobi"), QStringLiteral("kenia.jpg"));
    Land(QStringLiteral("Japan"), 30, 1.2e8, 3.7e5, QStringLiteral("Tokio"), QStringLiteral("japan.jpg"));
    Land(QStringLiteral("Bayern"), 11, 1.3e7, 7e4, QStringLiteral("München"), QString());

    // Labels on a 4 x 2 grid per category, 0.2 apart.
    auto gitter = [](const QString& typ, const QStringList& namen, double versatz) {
        for (int k = 0; k < namen.size(); ++k)
            Objekt(typ, namen[k], 0.1 + 0.2 * (k % 4) + versatz, 0.1 + 0.4 * (k / 4) + versatz);
    };
    QStringList laenderNamen;
    for (const auto& l : laender)
        laenderNamen << QString::fromUtf8(l[0]);
    gitter(QStringLiteral("L"), laenderNamen.mid(0, 8), 0.0);
    gitter(QStringLiteral("S"),
           {QStringLiteral("Tirana"), QStringLiteral("Brüssel"), QStringLiteral("Kopen-|hagen"),
            QStringLiteral("Tallinn"), QStringLiteral("Helsinki"), QStringLiteral("Paris"),
            QStringLiteral("Luxemburg"), QStringLiteral("Amsterdam")},
           0.05);
    gitter(QStringLiteral("G"),
           {QStringLiteral("Rhein"), QStringLiteral("Donau"), QStringLiteral("Elbe"), QStringLiteral("Oder"),
            QStringLiteral("Nord-|see"), QStringLiteral("Ostsee")},
           0.1);
    gitter(QStringLiteral("B"),
           {QStringLiteral("Alpen"), QStringLiteral("Pyrenäen"), QStringLiteral("Karpaten"), QStringLiteral("Ural"),
            QStringLiteral("Harz"), QStringLiteral("Vogesen")},
           0.15);
    gitter(QStringLiteral("I"),
           {QStringLiteral("Sizilien"), QStringLiteral("Korsika"), QStringLiteral("Kreta"), QStringLiteral("Rügen"),
            QStringLiteral("Sylt"), QStringLiteral("Malta|Gozo")},
           0.02);
    Objekt(QStringLiteral("KD"), QStringLiteral("Punkt"), 0.5, 0.5);
    Objekt(QStringLiteral("L"), QStringLiteral("Nie gefragt"), 0.5, 0.5, 0);
    Objekt(QStringLiteral("S"), QStringLiteral("Moskau"), 0.4, 0.4, 1, QStringLiteral("ZWEI"));
}

Uebungszustand Zustand(int UebModus, int FragAnz)
{
    Uebungszustand z;
    z.UebModus = UebModus;
    z.UebFragAnz = FragAnz;
    z.UebKartIndex = 0;
    return z;
}

TUebOptionen Optionen(const QString& Maske4)
{
    TUebOptionen o;
    o.FragTypMasken[3] = Maske4;
    return o;
}

TUebUhr FesteUhr()
{
    TUebUhr u;
    u.Tick = [] { return 1000u; };
    u.Jetzt = [] { return QDateTime(QDate(2026, 3, 1), QTime(9, 30, 0)); };
    return u;
}

WeiterErgebnis BeantworteAlle(TUebung& U, int Antwort)
{
    for (int n = 0; n < 200; ++n) {
        if (IstZuordnungsFrage(U.Frage().Typ)) {
            TZuordnung z;
            for (int i = 1; i <= 5; ++i)
                z.OrdneZu(i, (i + Antwort - 2) % 5 + 1);
            U.WerteZuordnungAus(z);
        } else {
            U.WerteAntwortAus(Antwort);
        }
        const WeiterErgebnis w = U.Weiter();
        if (w != WeiterErgebnis::NaechsteFrage)
            return w;
    }
    return WeiterErgebnis::Fehler;
}

} // namespace zl::testdaten
