#include "worksheet/ab_arbeitsblatt.h"

#include "controls/Zufall.h"
#include "learning/mapview/zl_lernlisten.h"
#include "worksheet/ab_data.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace zl::ab
{

const QStringList Aufgaben = {
    QStringLiteral("A - Nummern in Karte"),
    QStringLiteral("B - Nummern in Liste"),
    QStringLiteral("C - Namen (gegeben)"),
    QStringLiteral("D - Namen (frei)"),
};

namespace
{

// The user locale's order with case, as the worksheet's alphabetical numbering compares.
const QCollator& Namensordnung()
{
    static const QCollator c = [] {
        QCollator k(QLocale(QLocale::German, QLocale::Germany));
        k.setCaseSensitivity(Qt::CaseSensitive);
        return k;
    }();
    return c;
}

int Vorzeichen(int v)
{
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

double Abstand2(QPointF a, QPointF b)
{
    const double x = a.x() - b.x(), y = a.y() - b.y();
    return x * x + y * y;
}

// The first label of the map whose one-line name equals the name (case ignored) and whose type
// is the entry's; -1 when none.
int SucheEintrag(const QList<ObjDataTyp>& Objekte, const QString& KartID, const ABObjDataTyp& e)
{
    const QString n = e.Name.toUpper();
    for (int i = 0; i < Objekte.size(); ++i) {
        const ObjDataTyp& o = Objekte[i];
        if (o.KartID == KartID && o.ObjTyp == e.ObjTyp && EntferneTrennzeichen(o.Bez).toUpper() == n)
            return i;
    }
    return -1;
}

} // namespace

bool IstKandidat(const ObjDataTyp& o, const QString& KartID, int Intens, int Gruppe)
{
    return o.KartID == KartID && o.Intens > 0 && o.Intens <= Intens && InGruppe(o.ObjTyp, Gruppe);
}

TKategorieAnzahl ZaehleKategorieObjekte(const QList<ObjDataTyp>& Objekte, const QString& KartID, int Intens)
{
    TKategorieAnzahl n{};
    for (const ObjDataTyp& o : Objekte) {
        if (o.KartID != KartID || o.Intens <= 0 || o.Intens > Intens)
            continue;
        const int g = ObjGruppe(o.ObjTyp);
        if (g < 1)
            continue;
        ++n[g];
        if (o.ObjTyp == u"IS")
            ++n[5];
        ++n[6];
    }
    return n;
}

int FindeKategorieObjekt(const QList<ObjDataTyp>& Objekte, const QString& KartID, int Intens, int Start, int r,
                         int Gruppe)
{
    if (r < 0)
        return -1;
    for (int i = std::max(0, Start); i < Objekte.size(); ++i) {
        if (!IstKandidat(Objekte[i], KartID, Intens, Gruppe))
            continue;
        if (r-- == 0)
            return i;
    }
    return -1;
}

QPointF KaestchenPos(double Px, double Py, int dx, int dy)
{
    return {Px + dx * 0.01 + Vorzeichen(dx) * 0.00875, Py + dy * 0.0175 + Vorzeichen(dy) * 0.00875};
}

QList<QPointF> BerechneKaestchenPos(const QList<ObjDataTyp>& Objekte, const QString& KartID, int Intens, int Gruppe)
{
    QList<QPointF> k(Objekte.size());
    for (int i = 0; i < Objekte.size(); ++i) {
        const ObjDataTyp& o = Objekte[i];
        if (IstKandidat(o, KartID, Intens, Gruppe))
            k[i] = KaestchenPos(o.Px, o.Py, o.dx, o.dy);
    }
    return k;
}

bool IstGewaehlt(const ArbeitsblattDataTyp& A, int n, int k)
{
    n = std::clamp(n, 0, kMaxEintraege);
    for (int i = 0; i < n; ++i)
        if (A.Eintraege[i].ObjIndex == k)
            return true;
    return false;
}

bool AbstandAusreichend(const ArbeitsblattDataTyp& A, int n, int k, const QList<ObjDataTyp>& Objekte,
                        const QList<QPointF>& Kaestchen)
{
    if (k < 0 || k >= Objekte.size() || k >= Kaestchen.size())
        return false;
    const QPointF boxK = Kaestchen[k], punktK(Objekte[k].Px, Objekte[k].Py);
    n = std::clamp(n, 0, kMaxEintraege);
    for (int i = 0; i < n; ++i) {
        const int j = A.Eintraege[i].ObjIndex;
        if (j < 0 || j >= Objekte.size() || j >= Kaestchen.size())
            continue;
        const QPointF boxJ = Kaestchen[j], punktJ(Objekte[j].Px, Objekte[j].Py);
        if (Abstand2(boxJ, boxK) < 0.08 * 0.08 || Abstand2(punktJ, boxK) < 0.07 * 0.07 ||
            Abstand2(boxJ, punktK) < 0.07 * 0.07)
            return false;
    }
    return true;
}

void SetzeEintrag(ArbeitsblattDataTyp& A, int n, const QList<ObjDataTyp>& Objekte, int k)
{
    if (n < 1 || n > kMaxEintraege)
        return;
    ABObjDataTyp& e = A.Eintraege[n - 1];
    if (k < 0 || k >= Objekte.size()) {
        e.ObjIndex = -1;
        return;
    }
    const ObjDataTyp& o = Objekte[k];
    e.ObjIndex = k;
    e.Name = EntferneTrennzeichen(o.Bez).left(kMaxNamenLaenge);
    e.Px = o.Px;
    e.Py = o.Py;
    e.dx = o.dx;
    e.dy = o.dy;
    e.ObjTyp = o.ObjTyp.left(kMaxIdLaenge);
    e.Intens = std::int8_t(o.Intens);
}

void GeneriereArbeitsblatt(ArbeitsblattDataTyp& A, const QList<ObjDataTyp>& Objekte, int MaxAnz)
{
    const int a = std::clamp(A.Intensitaet(), 1, 3), t = std::clamp(A.Gruppe(), 1, kGruppen);
    const int ziel = GueltigeMaxAnz(MaxAnz);
    const TKategorieAnzahl anz = ZaehleKategorieObjekte(Objekte, A.KartID, a);
    const QList<QPointF> kaestchen = BerechneKaestchenPos(Objekte, A.KartID, a, t);
    // The candidates in table order: the r-th is what FindeKategorieObjekt(.., 0, r, t) finds.
    QList<int> kandidaten;
    for (int i = 0; i < Objekte.size(); ++i)
        if (IstKandidat(Objekte[i], A.KartID, a, t))
            kandidaten.append(i);
    int n = 0;
    int c = 0;
    do {
        c = 100;
        bool erfolg = false;
        int k = -1;
        do {
            --c;
            const int r = Zufall::Random(anz[t]);
            k = r < kandidaten.size() ? kandidaten[r] : -1;
            erfolg = k >= 0 && !IstGewaehlt(A, n, k) && AbstandAusreichend(A, n, k, Objekte, kaestchen);
        } while (!erfolg && c >= 0);
        if (erfolg) {
            ++n;
            SetzeEintrag(A, n, Objekte, k);
        }
    } while (n != ziel && c >= 0);
    A.Anzahl = n;
    for (int i = n; i < kMaxEintraege; ++i)
        A.Eintraege[i] = ABObjDataTyp{};
    ErzeugeNummerierung(A);
}

void ErzeugeNummerierung(ArbeitsblattDataTyp& A)
{
    const int n = std::clamp(A.Anzahl, 0, kMaxEintraege);
    std::array<bool, kMaxEintraege> genommen{};
    const QCollator& ordnung = Namensordnung();
    for (int k = 0; k < n; ++k) {
        int best = -1;
        for (int i = 0; i < n; ++i) {
            if (genommen[i])
                continue;
            if (best < 0 || ordnung.compare(A.Eintraege[i].Name, A.Eintraege[best].Name) <= 0)
                best = i;
        }
        genommen[best] = true;
        A.Nummerierung[k] = best + 1;
    }
    for (int k = n; k < kMaxEintraege; ++k)
        A.Nummerierung[k] = 0;
}

void MischeEintraege(ArbeitsblattDataTyp& A)
{
    const int n = std::clamp(A.Anzahl, 0, kMaxEintraege);
    const auto kopie = A.Eintraege;
    std::array<bool, kMaxEintraege> benutzt{};
    for (int s = 0; s < n; ++s) {
        int r;
        do
            r = Zufall::Random(n);
        while (benutzt[r]);
        benutzt[r] = true;
        A.Eintraege[s] = kopie[r];
    }
    ErzeugeNummerierung(A);
}

int EntferneEintrag(ArbeitsblattDataTyp& A, int i)
{
    const int n = std::clamp(A.Anzahl, 0, kMaxEintraege);
    if (i < 0 || i >= n)
        return -1;
    for (int j = i; j + 1 < n; ++j)
        A.Eintraege[j] = A.Eintraege[j + 1];
    A.Eintraege[n - 1] = ABObjDataTyp{};
    A.Anzahl = n - 1;
    ErzeugeNummerierung(A);
    return A.Anzahl > 0 ? std::min(i, A.Anzahl - 1) : -1;
}

QStringList Eintragsliste(const ArbeitsblattDataTyp& A)
{
    QStringList l;
    const int n = std::clamp(A.Anzahl, 0, kMaxEintraege);
    for (int i = 1; i <= n; ++i)
        l.append((i < 10 ? QStringLiteral("0") : QString()) + QString::number(i) + QLatin1String(" - ") +
                 A.Eintraege[i - 1].Name);
    return l;
}

namespace
{

// Whether label k still stands for the entry: on the worksheet's map with its name, or renamed in
// the label view at its type and place. A neighbour that an index shift brings in has neither.
bool PasstNoch(const ArbeitsblattDataTyp& A, const ABObjDataTyp& e, const QList<ObjDataTyp>& Objekte, int k)
{
    if (k < 0 || k >= Objekte.size() || Objekte[k].KartID != A.KartID)
        return false;
    const ObjDataTyp& o = Objekte[k];
    return EntferneTrennzeichen(o.Bez).left(kMaxNamenLaenge) == e.Name ||
           (o.ObjTyp == e.ObjTyp && o.Px == e.Px && o.Py == e.Py);
}

} // namespace

void PruefeEintragsindizes(ArbeitsblattDataTyp& A, const QList<ObjDataTyp>& Objekte)
{
    const int n = std::clamp(A.Anzahl, 0, kMaxEintraege);
    for (int i = 0; i < n; ++i) {
        ABObjDataTyp& e = A.Eintraege[i];
        if (!PasstNoch(A, e, Objekte, e.ObjIndex))
            e.ObjIndex = SucheEintrag(Objekte, A.KartID, e);
    }
}

void AktualisiereEintraege(ArbeitsblattDataTyp& A, const QList<ObjDataTyp>& Objekte)
{
    const int n = std::clamp(A.Anzahl, 0, kMaxEintraege);
    for (int i = 0; i < n; ++i) {
        ABObjDataTyp& e = A.Eintraege[i];
        if (e.ObjIndex < 0)
            continue;
        // An index shifted by a deletion is matched again.
        int k = e.ObjIndex;
        if (!PasstNoch(A, e, Objekte, k))
            k = SucheEintrag(Objekte, A.KartID, e);
        if (k >= 0)
            SetzeEintrag(A, i + 1, Objekte, k);
        else
            e.ObjIndex = -1;
    }
    ErzeugeNummerierung(A);
}

TABLernObjAnzahl CalcLernObjAnz(const QList<ObjDataTyp>& Objekte, const QString& KartID)
{
    TABLernObjAnzahl n{};
    for (const ObjDataTyp& o : Objekte) {
        if (o.KartID != KartID || o.Intens <= 0)
            continue;
        const int g = ObjGruppe(o.ObjTyp);
        if (g < 1)
            continue;
        for (int j = std::max(1, o.Intens); j <= 3; ++j) {
            ++n[g][j];
            if (o.ObjTyp == u"IS")
                ++n[5][j];
            ++n[6][j];
        }
    }
    return n;
}

QStringList IntensitaetsTexte(const TABLernObjAnzahl& Anzahl, int Gruppe)
{
    const int t = std::clamp(Gruppe, 1, kGruppen);
    return {
        QStringLiteral("1 - Basis (%1)").arg(Anzahl[t][1]),
        QStringLiteral("2 - Aufbau (%1)").arg(Anzahl[t][2]),
        QStringLiteral("3 - Experte (%1)").arg(Anzahl[t][3]),
    };
}

QList<THinzuEintrag> HinzuKandidaten(const ArbeitsblattDataTyp& A, const QList<ObjDataTyp>& Objekte)
{
    const int t = std::clamp(A.Gruppe(), 1, kGruppen);
    QList<THinzuEintrag> l;
    for (int k = 0; k < Objekte.size(); ++k) {
        const ObjDataTyp& o = Objekte[k];
        if (!IstKandidat(o, A.KartID, 3, t))
            continue;
        QString text = QLatin1Char(' ') + EntferneTrennzeichen(o.Bez);
        if (t == kGruppen)
            text += QLatin1String(" (") + ObjTypName(o.ObjTyp) + u')';
        text += QLatin1String(" (") + QString::number(o.Intens) + u')';
        l.append({text, k, IstGewaehlt(A, A.Anzahl, k)});
    }
    std::stable_sort(l.begin(), l.end(), [](const THinzuEintrag& a, const THinzuEintrag& b) {
        return VergleicheListentext(a.Text, b.Text) < 0;
    });
    return l;
}

QString HinzuFehler(int AnzahlGewaehlt)
{
    if (AnzahlGewaehlt <= kMaxEintraege)
        return {};
    return QStringLiteral("Sie können höchstens ") + QString::number(kMaxEintraege) +
           QStringLiteral(" Objekte auswählen. ") + QStringLiteral("Sie haben ") +
           QString::number(AnzahlGewaehlt - kMaxEintraege) + QStringLiteral(" Objekt(e) zu viel markiert.");
}

void UebernimmAuswahl(ArbeitsblattDataTyp& A, const QList<ObjDataTyp>& Objekte, const QList<int>& ObjIndizes)
{
    int n = 0;
    for (int k : ObjIndizes) {
        if (n == kMaxEintraege)
            break;
        if (k < 0 || k >= Objekte.size())
            continue;
        ++n;
        SetzeEintrag(A, n, Objekte, k);
    }
    A.Anzahl = n;
    for (int i = n; i < kMaxEintraege; ++i)
        A.Eintraege[i] = ABObjDataTyp{};
    MischeEintraege(A);
}

} // namespace zl::ab
