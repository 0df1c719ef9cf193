#include "learning/exercise/zl_uebanzeige.h"

#include <cmath>

namespace zl
{
namespace
{

// Round to nearest, a half to even.
int rundeGerade(double x)
{
    return int(std::nearbyint(x));
}

bool gueltig(int n)
{
    return n >= 1 && n <= kAntwortAnzahl;
}

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

int NameAufZiel(const std::array<int, kAntwortAnzahl>& Ziele, int Ziel)
{
    if (!gueltig(Ziel))
        return 0;
    for (int j = 0; j < kAntwortAnzahl; ++j)
        if (Ziele[j] == Ziel)
            return j + 1;
    return 0;
}

} // namespace zl
