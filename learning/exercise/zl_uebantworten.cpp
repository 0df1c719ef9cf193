#include "learning/exercise/zl_uebantworten.h"

#include "controls/Dspez.h"
#include "controls/Zufall.h"
#include "datastore/zl_data.h"

#include <algorithm>
#include <cmath>

namespace zl {

QString Einzeilig(const QString& Text) { return EntferneApostrophe(EntferneTrennzeichen(Text)); }

namespace {

bool zaehlt(const ObjDataTyp& o, const QString& KartID, int Intensitaet)
{
    return o.KartID == KartID && o.Intens > 0 && o.Intens <= Intensitaet;
}

bool inKategorie(const ObjDataTyp& o, int c)
{
    return c >= 1 && c <= 5 && InObjGruppe(o.ObjTyp, ObjGruppen[c]);
}

} // namespace

std::array<int, 5> ZaehleKategorieObjekte(const QList<ObjDataTyp>& Tabelle, const QString& KartID, int Intensitaet)
{
    std::array<int, 5> n{};
    for (const ObjDataTyp& o : Tabelle) {
        if (!zaehlt(o, KartID, Intensitaet))
            continue;
        const int g = ObjGruppe(o.ObjTyp);
        if (g >= 1 && g <= 5)
            ++n[std::size_t(g - 1)];
        if (o.ObjTyp == QLatin1String("IS"))
            ++n[4];
    }
    return n;
}

int FindeKategorieObjekt(const QList<ObjDataTyp>& Tabelle, const QString& KartID, int Intensitaet, int k, int c)
{
    if (k < 0)
        return -1;
    for (qsizetype i = 0; i < Tabelle.size(); ++i) {
        const ObjDataTyp& o = Tabelle[i];
        if (zaehlt(o, KartID, Intensitaet) && inKategorie(o, c) && k-- == 0)
            return int(i);
    }
    return -1;
}

// ---- Index

void TUebIndex::Aufbauen(const QString& KartID, int Intensitaet, int Gebiet)
{
    KartID_ = KartID;
    Intensitaet_ = Intensitaet;
    Gebiet_ = Gebiet;
    for (auto& k : Kategorien_)
        k.clear();
    Einzeilig_.clear();
    NachName_.clear();
    NamenBereit_ = false;
    for (qsizetype i = 0; i < ObjDaten.size(); ++i) {
        const ObjDataTyp& o = ObjDaten[i];
        if (!zaehlt(o, KartID, Intensitaet))
            continue;
        bool drin = false;
        for (int c = 1; c <= 5; ++c) {
            if (inKategorie(o, c)) {
                Kategorien_[std::size_t(c - 1)].append(int(i));
                drin = true;
            }
        }
        if (drin)
            Einzeilig_.insert(int(i), zl::Einzeilig(o.Bez));
    }
    KartenFolge_.clear();
    KartenFolge_.append(KartID);
    for (const KartDataTyp& k : KartenDaten)
        KartenFolge_.append(k.KartID);

    LandName_.clear();
    LandHauptstadt_.clear();
    LandFlagge_.clear();
    GebietsLaender_.clear();
    SubjektLaender_ = 0;
    for (qsizetype r = 0; r < LaenderDaten.size(); ++r) {
        const laenderdatatyp& l = LaenderDaten[r];
        LandName_.append(zl::Einzeilig(l.Name));
        LandHauptstadt_.append(zl::Einzeilig(l.Hauptstadt));
        LandFlagge_.append(zl::Einzeilig(l.Flagge));
        if (LandImGebiet(l, Gebiet))
            GebietsLaender_.append(int(r));
        SubjektLaender_ += LandPasstSubjekt(int(r));
    }
}

int TUebIndex::KategorieAnzahl(int c) const
{
    return c >= 1 && c <= 5 ? int(Kategorien_[std::size_t(c - 1)].size()) : 0;
}

int TUebIndex::KategorieObjekt(int k, int c) const
{
    if (c < 1 || c > 5)
        return -1;
    const QList<int>& l = Kategorien_[std::size_t(c - 1)];
    return k >= 0 && k < l.size() ? l[k] : -1;
}

QString TUebIndex::Einzeilig(int ObjIndex) const
{
    const auto it = Einzeilig_.constFind(ObjIndex);
    if (it != Einzeilig_.constEnd())
        return *it;
    return ObjIndex >= 0 && ObjIndex < ObjDaten.size() ? zl::Einzeilig(ObjDaten[ObjIndex].Bez) : QString();
}

namespace {

char16_t gross(char16_t u)
{
    if (u >= u'a' && u <= u'z')
        return char16_t(u - 32);
    if (u < 0x80)
        return u;
    return AnsiUpperCase(QString(QChar(u))).at(0).unicode();
}

// FNV-1a over the upper-cased text with blank runs joined and outer blanks
// dropped, so a label without markup is hashed without building its one-line text.
std::uint64_t namensHash(QStringView text)
{
    std::uint64_t h = 14695981039346656037ull;
    auto mische = [&h](char16_t c) {
        h = (h ^ (c & 0xFF)) * 1099511628211ull;
        h = (h ^ (c >> 8)) * 1099511628211ull;
    };
    bool begonnen = false, blank = false;
    for (QChar c : text) {
        if (c == u' ') {
            blank = begonnen;
            continue;
        }
        if (blank)
            mische(u' ');
        mische(gross(c.unicode()));
        begonnen = true;
        blank = false;
    }
    return h;
}

} // namespace

int TUebIndex::SucheObjekt(const QString& Name, int Gruppe, QString& GefundenKartID) const
{
    GefundenKartID = KartID_;
    if (Gruppe != 1 && Gruppe != 2) // not indexed: the plain search
        return zl::SucheObjekt(KartID_, Name, ObjGruppen.value(Gruppe), GefundenKartID);
    if (!NamenBereit_) {
        NachName_.clear();
        QHash<QString, bool> gesucht; // per type code: a country or city type
        for (qsizetype i = 0; i < ObjDaten.size(); ++i) {
            const ObjDataTyp& o = ObjDaten[i];
            auto g = gesucht.find(o.ObjTyp);
            if (g == gesucht.end())
                g = gesucht.insert(o.ObjTyp, InObjGruppe(o.ObjTyp, ObjGruppen[1]) || InObjGruppe(o.ObjTyp, ObjGruppen[2]));
            if (!*g)
                continue;
            const std::uint64_t h = o.Bez.contains(u'|') ? namensHash(EntferneTrennzeichen(o.Bez)) : namensHash(o.Bez);
            NachName_.emplace_back(h, int(i));
        }
        std::sort(NachName_.begin(), NachName_.end());
        NamenBereit_ = true;
    }
    const auto [von, bis] = std::equal_range(NachName_.begin(), NachName_.end(), std::pair(namensHash(Name), -1),
                                             [](const auto& a, const auto& b) { return a.first < b.first; });
    if (von == bis)
        return -1;
    const QString gesucht = AnsiUpperCase(Name);
    const QString& set = ObjGruppen[Gruppe];
    for (const QString& karte : KartenFolge_) {
        for (auto it = von; it != bis; ++it) {
            const ObjDataTyp& o = ObjDaten[it->second];
            if (o.KartID == karte && InObjGruppe(o.ObjTyp, set) && AnsiUpperCase(EntferneTrennzeichen(o.Bez)) == gesucht) {
                GefundenKartID = karte;
                return it->second;
            }
        }
    }
    return -1;
}

bool TUebIndex::LandPasstSubjekt(int Zeile) const
{
    if (Gebiet_ < 0)
        return true;
    const int g = LaenderDaten[Zeile].Gebiet;
    if (Gebiet_ > 0)
        return g == Gebiet_;
    return g % 10 == 0 && g > 0;
}

// ---- Rules

bool AntwortNeu(const Fragenentwurf& F, int k)
{
    for (int m = 0; m < k; ++m)
        if (F.Antworten[std::size_t(m)] == F.Antworten[std::size_t(k)])
            return false;
    return true;
}

bool LandImGebiet(const laenderdatatyp& Land, int Gebiet)
{
    return Land.Gebiet == Gebiet || (Gebiet == 0 && Land.Gebiet % 10 == 0);
}

bool ObjekteAuseinander(const Fragenentwurf& F, int k)
{
    const ObjDataTyp& b = ObjDaten[F.ObjIndizes[std::size_t(k)]];
    for (int m = 0; m < k; ++m) {
        const ObjDataTyp& a = ObjDaten[F.ObjIndizes[std::size_t(m)]];
        const double dx = a.Px - b.Px, dy = a.Py - b.Py;
        if (dx * dx + dy * dy < 0.01)
            return false;
    }
    return true;
}

bool FlaggenUnterscheidbar(const Fragenentwurf& F, int k)
{
    static const char* const kPaare[][2] = {
        {"luxemb.jpg", "niederla.jpg"}, {"frankr.jpg", "franzguayana.jpg"}, {"indones.jpg", "monaco.jpg"}};
    auto enthalten = [&](const char* name) {
        for (int m = 0; m <= k; ++m)
            if (F.Antworten[std::size_t(m)].compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                return true;
        return false;
    };
    for (const auto& p : kPaare)
        if (enthalten(p[0]) && enthalten(p[1]))
            return false;
    return true;
}

// ---- Country generators

namespace {

// The value a country generator puts into an answer.
using LandWert = const QString& (TUebIndex::*)(int) const;

// Whether some row of the region would be accepted at answer k: the check that
// keeps the drawing loop from running forever.
bool LandKandidatDa(Fragenentwurf& F, const TUebIndex& I, int k, LandWert Wert, bool Flaggen)
{
    QString& a = F.Antworten[std::size_t(k)];
    const QString alt = a;
    bool da = false;
    for (int r : I.GebietsLaender()) {
        a = (I.*Wert)(r);
        if (!a.isEmpty() && AntwortNeu(F, k) && (!Flaggen || FlaggenUnterscheidbar(F, k))) {
            da = true;
            break;
        }
    }
    a = alt;
    return da;
}

bool LandAntworten(Fragenentwurf& F, const TUebIndex& I, LandWert Wert, bool Flaggen)
{
    const int n = I.LaenderAnzahl();
    for (int k = 1; k <= 4; ++k) {
        if (!LandKandidatDa(F, I, k, Wert, Flaggen))
            return false;
        QString& a = F.Antworten[std::size_t(k)];
        for (;;) {
            const int r = Zufall::Random(n);
            a = (I.*Wert)(r);
            if (!a.isEmpty() && LandImGebiet(LaenderDaten[r], I.Gebiet()) && AntwortNeu(F, k) &&
                (!Flaggen || FlaggenUnterscheidbar(F, k))) {
                if (Flaggen)
                    F.Laendernamen[std::size_t(k)] = I.LandName(r);
                break;
            }
        }
    }
    return true;
}

// The outlier of type 7: a country of another continent. For a region whose
// code is not a multiple of ten, neither a row of the region nor the map itself.
bool IstAusreisser(const TUebIndex& I, int r, const QString& KartenName)
{
    const int g = LaenderDaten[r].Gebiet;
    if (g == I.Gebiet() || g % 10 != 0 || g <= 0 || I.LandName(r).isEmpty())
        return false;
    if (I.Gebiet() % 10 == 0)
        return true;
    const QString& name = I.LandName(r);
    if (name.compare(KartenName, Qt::CaseInsensitive) == 0)
        return false;
    for (int m : I.GebietsLaender())
        if (name.compare(I.LandName(m), Qt::CaseInsensitive) == 0)
            return false;
    return true;
}

} // namespace

bool LaenderAntworten(Fragenentwurf& F, const TUebIndex& I)
{
    return LandAntworten(F, I, &TUebIndex::LandName, false);
}

bool HauptstadtAntworten(Fragenentwurf& F, const TUebIndex& I)
{
    return LandAntworten(F, I, &TUebIndex::LandHauptstadt, false);
}

bool FlaggenAntworten(Fragenentwurf& F, const TUebIndex& I)
{
    return LandAntworten(F, I, &TUebIndex::LandFlagge, true);
}

bool AusreisserAntworten(Fragenentwurf& F, const TUebIndex& I)
{
    const int n = I.LaenderAnzahl();
    bool da = false;
    for (int r = 0; r < n && !da; ++r)
        da = IstAusreisser(I, r, F.KartenName);
    if (!da)
        return false;
    for (;;) {
        const int r = Zufall::Random(n);
        if (IstAusreisser(I, r, F.KartenName)) {
            F.Antworten[0] = I.LandName(r);
            break;
        }
    }
    return LaenderAntworten(F, I);
}

bool KontinentAntworten(Fragenentwurf& F)
{
    for (int k = 1; k <= 4; ++k) {
        QString& a = F.Antworten[std::size_t(k)];
        bool da = false;
        for (const QString& c : Kontinente) {
            a = c;
            if (!a.isEmpty() && AntwortNeu(F, k)) {
                da = true;
                break;
            }
        }
        if (!da)
            return false;
        do {
            const int c = Zufall::Random(7) + 1;
            a = c <= Kontinente.size() ? Kontinente[c - 1] : QString();
        } while (a.isEmpty() || !AntwortNeu(F, k));
    }
    return true;
}

// ---- Object answers

bool ObjektAntworten(Fragenentwurf& F, const TUebIndex& I, int Kategorie)
{
    F.ObjIndizes[0] = F.Objekt;
    const int anzahl = I.KategorieAnzahl(Kategorie);
    int zuege = 0;
    for (int k = 1; k <= 4; ++k) {
        for (;;) {
            const int n = Zufall::Random(anzahl);
            const int idx = I.KategorieObjekt(n, Kategorie);
            if (idx < 0)
                return false;
            F.ObjIndizes[std::size_t(k)] = idx;
            F.Antworten[std::size_t(k)] = I.Einzeilig(idx);
            if (++zuege > 99)
                return false;
            if (!F.Antworten[std::size_t(k)].isEmpty() && AntwortNeu(F, k) && ObjekteAuseinander(F, k))
                break;
        }
    }
    return true;
}

// ---- Number answers

std::array<double, 9> ZahlenLeiter(double V)
{
    std::array<double, 9> L{};
    L[4] = V;
    for (int k = 1; k <= 4; ++k) {
        const double f = Potenz(2.3, k);
        L[std::size_t(4 - k)] = MaximumF(V / f - k, 1.0);
        L[std::size_t(4 + k)] = V * f + k;
    }
    for (double& x : L) {
        const int e = x > 0 ? Maximum(int(std::trunc(Logarithmus10(x))) - 1, 0) : 0;
        x = RundeAufSchritt(x, GanzPotenz(10.0, e));
    }
    return L;
}

bool ZahlenAntworten(Fragenentwurf& F, const QString& Einheit)
{
    QString v = F.Antworten[0];
    v.remove(QLatin1Char('.'));
    F.Zahlenleiter = ZahlenLeiter(WandleInZahl(v));
    const auto& L = F.Zahlenleiter;
    auto text = [&](int i) { return FormatiereGanzzahl(L[std::size_t(i)], 0); };
    F.Antworten[0] = text(4);

    int s = Zufall::Random(5);
    while (s < 4 && std::nearbyint(L[std::size_t(s)]) == std::nearbyint(L[std::size_t(s + 1)]))
        ++s;

    for (int k = 1; k <= 4; ++k) {
        QString& a = F.Antworten[std::size_t(k)];
        bool da = false;
        for (int i = 0; i < 9 && !da; ++i) {
            a = text(i);
            da = AntwortNeu(F, k);
        }
        if (!da)
            return false;
        int versuche = 0;
        do {
            const int idx = versuche < 100 ? s + Zufall::Random(5) : Zufall::Random(9);
            a = text(idx);
            ++versuche;
        } while (!AntwortNeu(F, k));
    }
    if (!Einheit.isEmpty())
        for (QString& a : F.Antworten)
            a += Einheit;
    return true;
}

} // namespace zl
