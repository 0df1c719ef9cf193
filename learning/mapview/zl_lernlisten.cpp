#include "learning/mapview/zl_lernlisten.h"

#include "controls/Dspez.h"

#include <QCollator>
#include <QLocale>
#include <QSet>

#include <algorithm>

namespace zl
{

namespace
{

const QCollator& Sortierung()
{
    static const QCollator c = [] {
        QCollator k(QLocale(QLocale::German, QLocale::Germany));
        k.setCaseSensitivity(Qt::CaseInsensitive);
        return k;
    }();
    return c;
}

void Sortiere(TLernliste& Liste)
{
    std::stable_sort(Liste.begin(), Liste.end(), [](const TLernEintrag& a, const TLernEintrag& b) {
        return VergleicheListentext(a.Text, b.Text) < 0;
    });
}

// One list being filled: its entries and the case-folded texts it already holds.
struct Sammler {
    TLernliste Eintraege;
    QSet<QString> Vorhanden;

    void FuegeHinzu(const QString& Bez, int Index)
    {
        QString Text = QLatin1Char(' ') + EntferneTrennzeichen(Bez);
        while (Vorhanden.contains(Text.toCaseFolded()))
            Text += QLatin1Char('\'');
        Vorhanden.insert(Text.toCaseFolded());
        Eintraege.append({Text, Index});
    }
};

} // namespace

int VergleicheListentext(const QString& a, const QString& b)
{
    return Sortierung().compare(a, b);
}

TLernObjAnzahl ZaehleLernObjekte(const QList<ObjDataTyp>& Objekte, const QString& AktKartID)
{
    TLernObjAnzahl n{};
    for (const ObjDataTyp& o : Objekte) {
        if (o.Intens <= 0 || o.KartID != AktKartID)
            continue;
        const int g = ObjGruppe(o.ObjTyp);
        if (g < 1 || g > kKategorien)
            continue;
        for (int l = o.Intens; l <= 3; ++l) {
            ++n[g - 1][l - 1];
            if (o.ObjTyp == QLatin1String("IS"))
                ++n[4][l - 1];
        }
    }
    return n;
}

QString LernUeberschrift(const QString& Wort)
{
    const QChar Strich(0x2014);
    return QString(Strich) + QLatin1Char(' ') + Wort + QLatin1Char(' ') + QString(30, Strich);
}

TLernlisten FuelleLernlisten(const QList<ObjDataTyp>& Objekte, const QString& AktKartID, int LernIntensitaet,
                             bool MitIntensitaet)
{
    const int Stufe = std::clamp(LernIntensitaet, 1, 3);
    Sammler Kontinente, Staaten, Untergebiete, Staedte, Gewaesser, Gebirge, Inseln;
    for (int i = 0; i < Objekte.size(); ++i) {
        const ObjDataTyp& o = Objekte[i];
        if (o.KartID != AktKartID || o.Intens > Stufe)
            continue;
        const QString Code = AnsiUpperCase(o.ObjTyp);
        if (Code == u"L" || Code == u"LX")
            Staaten.FuegeHinzu(o.Bez, i);
        else if (Code == u"UG")
            Untergebiete.FuegeHinzu(o.Bez, i);
        else if (Code == u"K")
            Kontinente.FuegeHinzu(o.Bez, i);
        else if (Code == u"S" || Code == u"H")
            Staedte.FuegeHinzu(o.Bez, i);
        else if (Code == u"G")
            Gewaesser.FuegeHinzu(o.Bez, i);
        else if (Code == u"B" || Code == u"GB")
            Gebirge.FuegeHinzu(o.Bez, i);
        else if (Code == u"I")
            Inseln.FuegeHinzu(o.Bez, i);
        else if (Code == u"IS") {
            Staaten.FuegeHinzu(o.Bez, i);
            Inseln.FuegeHinzu(o.Bez, i);
        }
    }
    Sammler* Alle[] = {&Kontinente, &Staaten, &Untergebiete, &Staedte, &Gewaesser, &Gebirge, &Inseln};
    for (Sammler* s : Alle) {
        if (MitIntensitaet)
            for (TLernEintrag& e : s->Eintraege)
                e.Text += QStringLiteral(" (") + QString::number(Objekte[e.Objekt].Intens) + QLatin1Char(')');
        Sortiere(s->Eintraege);
    }

    TLernlisten L;
    auto Gruppe = [&L](const QString& Wort, const TLernliste& g) {
        if (g.isEmpty())
            return;
        L[0].append({LernUeberschrift(Wort), kUeberschriftObjekt});
        L[0].append(g);
    };
    Gruppe(KartenGruppenName(AktKartID), Untergebiete.Eintraege);
    Gruppe(QStringLiteral("Staaten"), Staaten.Eintraege);
    Gruppe(QStringLiteral("Kontinente"), Kontinente.Eintraege);
    L[1] = std::move(Staedte.Eintraege);
    L[2] = std::move(Gewaesser.Eintraege);
    L[3] = std::move(Gebirge.Eintraege);
    L[4] = std::move(Inseln.Eintraege);
    return L;
}

int SucheNachBuchstabe(const QStringList& Texte, int Ausgewaehlt, QChar Buchstabe)
{
    const int n = int(Texte.size());
    if (n == 0)
        return -1;
    const QString c = QString(Buchstabe).toUpper();
    int i = (Ausgewaehlt >= 0 && Ausgewaehlt < n) ? Ausgewaehlt + 1 : 0;
    for (int Schritt = 0; Schritt < n; ++Schritt, ++i) {
        if (i >= n)
            i = 0;
        if (Texte[i].trimmed().toUpper().startsWith(c))
            return i;
    }
    return -1;
}

TKategoriefarben BerechneKategoriefarben()
{
    static constexpr TColor Stufe3[kKategorien] = {173 | (214 << 8) | (154 << 16), 211 | (121 << 8) | (110 << 16),
                                                   135 | (184 << 8) | (224 << 16), 217 | (209 << 8) | (166 << 16),
                                                   204 | (224 << 8) | (231 << 16)};
    TKategoriefarben f{};
    for (int g = 0; g < kKategorien; ++g)
        for (int l = 1; l <= 3; ++l)
            f[g][l - 1] = TColor(MischeFarben(Stufe3[g], clWhite, (3 - l) * 0.2));
    return f;
}

TColor Kategoriefarbe(const TKategoriefarben& Farben, int Kategorie, int Stufe)
{
    return Farben[std::clamp(Kategorie, 1, kKategorien) - 1][std::clamp(Stufe, 1, 3) - 1];
}

QStringList IntensitaetsBeschriftungen(const TLernObjAnzahl& Anzahl, int Reiter)
{
    const int g = GueltigerReiter(Reiter) - 1;
    return {QStringLiteral("1 - Basis (") + QString::number(Anzahl[g][0]) + QLatin1Char(')'),
            QStringLiteral("2 - Aufbau (") + QString::number(Anzahl[g][1]) + QLatin1Char(')'),
            QStringLiteral("3 - Experte (") + QString::number(Anzahl[g][2]) + QLatin1Char(')')};
}

int GueltigerReiter(int Reiter)
{
    return (Reiter >= 1 && Reiter <= kKategorien) ? Reiter : 1;
}

QString ReiterGruppe(int Reiter)
{
    return ObjGruppen.value(GueltigerReiter(Reiter));
}

int KartTypIndex(const QString& KartTyp)
{
    // Pos counts from 1 and gives 0 when the text is not found.
    const int Pos = KartTyp.isEmpty() ? 0 : int(QStringLiteral("RS*RH*PF*PW*").indexOf(KartTyp)) + 1;
    return Pos / 3;
}

TLaenderInfo LaenderInfo(const QList<ObjDataTyp>& Objekte, int i, const QList<laenderdatatyp>& Laender)
{
    TLaenderInfo Info;
    Info.Titel = {QStringLiteral(" Gebiet:"), QStringLiteral(" Einwohner:"), QStringLiteral(" Fläche:"),
                  QStringLiteral(" Hauptstadt:"), QStringLiteral(" Bevölk.dichte:")};
    Info.Werte = QStringList(5, QString());
    if (i < 0 || i >= Objekte.size())
        return Info;
    const ObjDataTyp& o = Objekte[i];
    // A substring test, as the facts have always been shown: S, G and I pass as well.
    if (!QStringLiteral("~L~LX~K~UG~IS~").contains(o.ObjTyp))
        return Info;
    const QString Name = AnsiUpperCase(EntferneTrennzeichen(o.Bez));
    for (const laenderdatatyp& r : Laender) {
        if (AnsiUpperCase(r.Name) != Name)
            continue;
        Info.Gefunden = true;
        Info.Flagge = r.Flagge;
        if (!r.Regierungssitz.isEmpty())
            Info.Regierungssitz = QStringLiteral("Regierungssitz: ") + r.Regierungssitz;
        const QString b(QLatin1Char(' '));
        Info.Werte = {b + r.Name, b + FormatiereGanzzahl(r.Einwohner, 0),
                      b + FormatiereGanzzahl(r.Flaeche, 0) + QStringLiteral(" km²"), b + r.Hauptstadt,
                      b + FormatiereDezimal(r.Dichte, 0, 0) + QStringLiteral(" E/km²")};
        break;
    }
    return Info;
}

QList<int> KartenFelderDerUebersicht(const QList<KartAuswDataTyp>& Katalog, const QString& Code)
{
    QList<int> r;
    for (int i = 0; i < Katalog.size(); ++i)
        if (Katalog[i].Uebersicht == Code)
            r.append(i);
    return r;
}

QList<TKartenListenEintrag> BaueKartenListe(const QList<KartAuswDataTyp>& Katalog)
{
    QList<TKartenListenEintrag> Liste;
    QSet<QString> Vorhanden;
    for (const QString& Code : {QStringLiteral("WLT"), QStringLiteral("EUR"), QStringLiteral("DEU")})
        for (int i : KartenFelderDerUebersicht(Katalog, Code)) {
            const QString s = QLatin1Char(' ') + Katalog[i].KartName.trimmed();
            if (Vorhanden.contains(s.toCaseFolded()))
                continue;
            Vorhanden.insert(s.toCaseFolded());
            Liste.append({s, i});
        }
    std::stable_sort(Liste.begin(), Liste.end(), [](const TKartenListenEintrag& a, const TKartenListenEintrag& b) {
        return VergleicheListentext(a.Text, b.Text) < 0;
    });
    return Liste;
}

} // namespace zl
