#include "learning/exercise/zl_uebanzeige.h"

#include "controls/Dspez.h"

#include <cmath>

namespace zl {
namespace {

// Round to nearest, a half to even.
int rundeGerade(double x) { return int(std::nearbyint(x)); }

bool gueltig(int n) { return n >= 1 && n <= kAntwortAnzahl; }

} // namespace

AntwortKnopfLayout OrdneAntwortKnoepfe(int Modus, int W, int H)
{
    AntwortKnopfLayout L;
    if (Modus == 1) {
        const int bw = rundeGerade((W - 16) / 3.0) - 8;
        const int bh = rundeGerade((H - 16) / 2.0) - 8;
        for (int i = 0; i < 3; ++i)
            L.Knoepfe[i] = QRect(12 + i * (bw + 8), 12, bw, bh);
        for (int m = 0; m < 2; ++m)
            L.Knoepfe[3 + m] = QRect(12 + m * (bw + 8) + bw / 2, bh + 20, bw, bh);
        return L;
    }
    const int bw = rundeGerade(W * 0.4);
    const int bh = rundeGerade((H - 32) / 5.0) - 8;
    L.BildSichtbar = true;
    L.Bild = QRect(10, 10, W - bw - 40, 5 * bh + 52);
    for (int i = 0; i < kAntwortAnzahl; ++i)
        L.Knoepfe[i] = QRect(W - bw - 20, 20 + i * (bh + 8), bw, bh);
    return L;
}

QString MaskeAusHaken(const std::array<bool, 23>& Haken)
{
    QString m(50, u'1');
    for (int n = 0; n < 23; ++n)
        if (!Haken[n])
            m[n] = u'0';
    return m;
}

std::array<bool, 23> HakenAusMaske(const QString& Maske)
{
    std::array<bool, 23> h{};
    for (int n = 0; n < 23; ++n)
        h[n] = n < Maske.size() && Maske[n] == u'1';
    return h;
}

QString AnzahlAusgewaehltText(int n, int Gesamt)
{
    return QString::number(n) + QStringLiteral(" von ") + QString::number(Gesamt) + QStringLiteral(" ausgewählt");
}

float Erfolgsquote(int Richtig, int Falsch)
{
    if (Richtig + Falsch <= 0)
        return 0.0f;
    return float(Richtig) / float(Richtig + Falsch) * 100.0f;
}

StatusTexte StatusZeile(int Level, int Richtig, int Falsch)
{
    if (Level <= 0)
        return {QStringLiteral("?"), QStringLiteral("?"), QStringLiteral("?")};
    return {QString::number(Richtig), QString::number(Falsch),
            FormatiereZahl(Erfolgsquote(Richtig, Falsch), 0, 1) + QStringLiteral(" %")};
}

Rueckmeldung RueckmeldungEinfach(bool Richtig, const QString& AntwortText)
{
    if (Richtig)
        return {QStringLiteral("Richtig!"), kFarbeRichtigText};
    if (AntwortText.isEmpty())
        return {QStringLiteral("Leider falsch!"), kFarbeFalschText};
    return {QStringLiteral("Falsch, das war: ") + AntwortText, kFarbeFalschText};
}

Rueckmeldung RueckmeldungZuordnung(int k)
{
    if (k >= kAntwortAnzahl)
        return {QStringLiteral("Alles richtig!"), kFarbeRichtigText};
    if (k <= 0)
        return {QStringLiteral("Leider falsch!"), kFarbeFalschText};
    return {QString::number(k) + QStringLiteral(" richtig, ") + QString::number(kAntwortAnzahl - k) +
                QStringLiteral(" falsch!"),
            kFarbeTeilweise};
}

Rueckmeldung RueckmeldungLoesung() { return {QStringLiteral("Lösung"), kFarbeTeilweise}; }

void TZuordnung::Neu(const std::array<int, kAntwortAnzahl>& RichtigeZiele)
{
    for (int i = 0; i < kAntwortAnzahl; ++i) {
        richtig_[i] = RichtigeZiele[i];
        platz_[i] = -(i + 1);
    }
    quelle_ = 0;
}

int TZuordnung::RichtigesZiel(int Name) const { return gueltig(Name) ? richtig_[Name - 1] : 0; }

int TZuordnung::Platz(int Name) const { return gueltig(Name) ? platz_[Name - 1] : 0; }

bool TZuordnung::OrdneZu(int Name, int Ziel)
{
    if (!gueltig(Name) || !gueltig(Ziel))
        return false;
    for (int j = 0; j < kAntwortAnzahl; ++j)
        if (platz_[j] == Ziel)
            platz_[j] = -(j + 1);
    platz_[Name - 1] = Ziel;
    quelle_ = 0;
    return true;
}

int TZuordnung::ZaehleZugeordnete() const
{
    int n = 0;
    for (int p : platz_)
        n += p > 0;
    return n;
}

int TZuordnung::NameAuf(int Ziel) const
{
    for (int j = 0; j < kAntwortAnzahl; ++j)
        if (platz_[j] == Ziel && Ziel > 0)
            return j + 1;
    return 0;
}

int TZuordnung::Bewerte(QString* Folge) const
{
    int k = 0;
    for (int i = 0; i < kAntwortAnzahl; ++i) {
        const bool r = platz_[i] > 0 && platz_[i] == richtig_[i];
        k += r;
        if (Folge)
            Folge->append(r ? u'+' : u'-');
    }
    return k;
}

int NotenskalaY(double Rate, int H) { return rundeGerade((100.0 - Rate) / 100.0 * (H - 24)) + 12; }

} // namespace zl
