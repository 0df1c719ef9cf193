#include "learning/tools/zl_laendertabelle.h"

#include "controls/Dspez.h"
#include "learning/mapview/zl_lernlisten.h"

namespace zl
{

const std::array<TGebietsWahl, kGebietsWahlen> GebietsWahlen = {{
    {"Alle Länder", -1},
    {"Erde", 99},
    {"Kontinente", 0},
    {"Europa", 10},
    {"Afrika", 20},
    {"Asien", 30},
    {"Nordamerika", 40},
    {"Mittelamerika", 50},
    {"Südamerika", 60},
    {"Australien/Ozeanien", 70},
    {"Deutsche Bundesländer", 11},
    {"Österreichische Bundesländer", 12},
    {"Schweizer Kantone", 13},
    {"Großbritannien", 14},
    {"Europäische Union (mit Beitrittsjahr)", 19},
    {"US-Amerikanische Bundesstaaten", 41},
    {"Kanadische Provinzen/Territorien", 42},
    {"Australische Bundesstaaten", 71},
}};

const std::array<const char*, 4> SortierTitel = {"Land/Gebiet", "Einwohner", "Fläche [km²]", "Bev.dichte [E/km²]"};
const std::array<const char*, 4> SortierHinweise = {
    "Alphabetisch nach Ländername sortieren", "Absteigend nach Einwohnerzahl sortieren",
    "Absteigend nach Fläche sortieren", "Absteigend nach Bevölkerungsdichte sortieren"};

QString GebietsWahlText(int Wahl)
{
    if (Wahl < 0 || Wahl >= kGebietsWahlen)
        return {};
    return QString::fromUtf8(GebietsWahlen[size_t(Wahl)].Text);
}

bool LandInAuswahl(int Wahl, const laenderdatatyp& Land)
{
    if (Wahl < 0 || Wahl >= kGebietsWahlen)
        return false;
    const int k = GebietsWahlen[size_t(Wahl)].Gebiet;
    if (k != -1)
        return Land.Gebiet == k;
    return Land.Gebiet >= 10 && Land.Gebiet <= 70 && Land.Gebiet % 10 == 0;
}

int VergleicheLaender(const laenderdatatyp& a, const laenderdatatyp& b, int Sortierung)
{
    bool vorher = false;
    switch (Sortierung) {
    case kSortEinwohner:
        vorher = a.Einwohner > b.Einwohner;
        break;
    case kSortFlaeche:
        vorher = a.Flaeche > b.Flaeche;
        break;
    case kSortDichte:
        vorher = a.Dichte > b.Dichte;
        break;
    default:
        vorher = VergleicheListentext(a.Name, b.Name) < 0;
        break;
    }
    return vorher ? -1 : 1;
}

TLaenderauswahl BaueLaenderListe(const QList<laenderdatatyp>& Tabelle, int Wahl, int Sortierung)
{
    TLaenderauswahl A;
    for (qsizetype i = 0; i < Tabelle.size(); ++i) {
        const laenderdatatyp& l = Tabelle.at(i);
        if (!LandInAuswahl(Wahl, l))
            continue;
        A.Laenderliste.append(int(i));
        A.SummeEinwohner += l.Einwohner;
        A.SummeFlaeche += l.Flaeche;
    }
    A.SummeDichte = A.SummeFlaeche != 0 ? A.SummeEinwohner / A.SummeFlaeche : 0;
    QList<int>& L = A.Laenderliste;
    for (qsizetype i = 0; i < L.size(); ++i) {
        qsizetype m = i;
        for (qsizetype j = i + 1; j < L.size(); ++j)
            if (VergleicheLaender(Tabelle.at(L.at(m)), Tabelle.at(L.at(j)), Sortierung) == 1)
                m = j;
        L.swapItemsAt(i, m);
    }
    return A;
}

namespace
{

QStringList Zellen(const QString& Erste, const QString& Name, double Einwohner, double Flaeche, double Dichte)
{
    const QString b = QStringLiteral(" ");
    return {Erste, b + Name, b + FormatiereGanzzahl(Einwohner, 0) + b, b + FormatiereGanzzahl(Flaeche, 0) + b,
            FormatiereDezimal(Dichte, 0, 0) + b};
}

} // namespace

QStringList LaenderZellen(int Platz, const laenderdatatyp& Land)
{
    return Zellen(QString::number(Platz), Land.Name, Land.Einwohner, Land.Flaeche, Land.Dichte);
}

QStringList SummenZellen(const TLaenderauswahl& A)
{
    return Zellen(QStringLiteral("Summe"), QStringLiteral("Gesamt"), A.SummeEinwohner, A.SummeFlaeche, A.SummeDichte);
}

QList<QStringList> TabellenZeilen(const QList<laenderdatatyp>& Tabelle, const TLaenderauswahl& Auswahl)
{
    QList<QStringList> Z;
    for (qsizetype r = 0; r < Auswahl.Laenderliste.size(); ++r)
        Z.append(LaenderZellen(int(r) + 1, Tabelle.at(Auswahl.Laenderliste.at(r))));
    return Z;
}

QString ZwischenablageText(const QList<QStringList>& Zeilen, const QStringList& Summe)
{
    const QString Tab = QStringLiteral("\t"), Ende = QStringLiteral("\r\n");
    QString t = QStringLiteral(" ");
    for (const char* s : SortierTitel)
        t += Tab + QString::fromUtf8(s);
    t += Ende;
    for (const QStringList& z : Zeilen)
        t += z.join(Tab) + Ende;
    t += Summe.join(Tab) + Ende;
    return t;
}

QString LandSuchbegriff(const QString& NamensZelle, int Wahl)
{
    QString t = NamensZelle.trimmed();
    if (Wahl == kWahlEU) {
        const qsizetype p = t.indexOf(QStringLiteral(" ("));
        if (p >= 0)
            t = t.left(p);
    }
    return t;
}

QString DruckUeberschrift(int Wahl)
{
    return QStringLiteral("Auswahl: ") + GebietsWahlText(Wahl);
}

QString DruckKopfzeile()
{
    return QStringLiteral("Rang~ Land/Gebiet~Einwohner ~Fläche [km²] ~Dichte [E/km²] ~");
}

QString DruckSummenzeile(const QStringList& Summe)
{
    QString t;
    for (const QString& s : Summe)
        t += s + QLatin1Char('~');
    return t;
}

} // namespace zl
