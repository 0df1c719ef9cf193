#include "learning/exercise/zl_uebtypen.h"

#include "controls/Dspez.h"

namespace zl {

namespace {

struct ModusText {
    const char16_t* Name;
    const char16_t* Titel;
    const char16_t* Info;
};

constexpr ModusText kModi[kUebModusAnzahl] = {
    {u"Standard", u"&Topographie-Übung mit Auswahlaufgaben (Single Choice)",
     u"Länder, Städte, Gewässer, Gebirge, Inseln"},
    {u"Erweitert", u"&Erweiterte Topographie-Übung mit Auswahlaufgaben (Single Choice)",
     u"Zusätzliche Fragen zu Hauptstädten, Einwohner, Flaggen und Kontinenten"},
    {u"Zuordnungen", u"Topographie-Übung mit &Zuordnungsaufgaben", u"Länder, Städte, Gewässer, Gebirge, Inseln"},
    {u"Individuell", u"&Individuelle Übung", u"Eigene Zusammenstellung der Fragetypen"},
};

const ModusText* modus(int m) { return m >= 1 && m <= kUebModusAnzahl ? &kModi[m - 1] : nullptr; }

} // namespace

QString UebModusName(int UebModus)
{
    const ModusText* t = modus(UebModus);
    return t ? QString::fromUtf16(t->Name) : QString();
}

QString UebModusTitel(int UebModus)
{
    const ModusText* t = modus(UebModus);
    return t ? QString::fromUtf16(t->Titel) : QString();
}

QString UebModusInfo(int UebModus)
{
    const ModusText* t = modus(UebModus);
    return t ? QString::fromUtf16(t->Info) : QString();
}

QString UebModusProtokollTitel(int UebModus)
{
    QString t = UebModusTitel(UebModus);
    t.remove(u'&');
    t.remove(QStringLiteral(" (Single Choice)"));
    return t;
}

QString FragTypCode(int Typ)
{
    if (IstLandFrage(Typ))
        return QStringLiteral("E%1").arg(Typ, 2, 10, QLatin1Char('0'));
    if (Typ >= S01 && Typ <= S10)
        return QStringLiteral("S%1").arg(Typ - S01 + 1, 2, 10, QLatin1Char('0'));
    if (IstZuordnungsFrage(Typ))
        return QStringLiteral("Z%1").arg(Typ - Z01 + 1, 2, 10, QLatin1Char('0'));
    return {};
}

int FragTypAusCode(const QString& Code)
{
    for (int t = 1; t <= kFragTypen; ++t)
        if (FragTypCode(t) == Code)
            return t;
    return 0;
}

int FragTypKategorie(int Typ) { return IstObjektFrage(Typ) ? (Typ - 9) % 5 + 1 : 0; }

bool FragTypErlaubt(int Typ, int Gebiet)
{
    if (Typ < 1 || Typ > kFragTypen)
        return false;
    if (Typ >= S01)
        return true;
    switch (Gebiet) {
    case -1:
    case 40:
        return false;
    case 0:
        return Typ != E07;
    case 11:
    case 12:
        return Typ != E07 && Typ != E08;
    case 13:
    case 41:
    case 42:
        return Typ != E01 && Typ != E02 && Typ != E07 && Typ != E08;
    default:
        return Typ != E08;
    }
}

FragTypMaske KuerzeMaske(const FragTypMaske& Maske) { return Maske.left(kMaxMaskenLaenge); }

bool MaskeErlaubt(const FragTypMaske& Maske, int Typ)
{
    return Typ >= 1 && Typ <= kFragTypen && Typ <= Maske.size() && Maske[Typ - 1] == u'1';
}

int ZaehleMaskenTypen(const FragTypMaske& Maske)
{
    int n = 0;
    for (int t = 1; t <= kFragTypen; ++t)
        n += MaskeErlaubt(Maske, t);
    return n;
}

int ZaehleErlaubteFragTypen(const FragTypMaske& Maske, int Gebiet)
{
    int n = 0;
    for (int t = 1; t <= kFragTypen; ++t)
        n += MaskeErlaubt(Maske, t) && FragTypErlaubt(t, Gebiet);
    return n;
}

void Fragenhistorie::Zuruecksetzen() { Eintraege_.fill(FragenhistorieEintrag{}); }

void Fragenhistorie::Eintragen(int Typ, int Land, int Objekt)
{
    for (std::size_t e = kLaenge - 1; e > 0; --e)
        Eintraege_[e] = Eintraege_[e - 1];
    Eintraege_[0] = {Typ, Land, Objekt};
}

bool Fragenhistorie::KuerzlichGefragt(int Typ, int Land, int Objekt, int Tiefe, int AnzErlaubteFragTypen) const
{
    const int typFenster = Minimum(3, AnzErlaubteFragTypen - 2);
    const int bis = Minimum(Tiefe, kLaenge - 1);
    for (int e = 0; e <= bis; ++e) {
        const FragenhistorieEintrag& h = Eintraege_[std::size_t(e)];
        if (e < typFenster && h.Typ == Typ)
            return true;
        if (Land != -1 && h.Land == Land)
            return true;
        if (Objekt != -1 && h.Objekt == Objekt)
            return true;
    }
    return false;
}

} // namespace zl
