#include "learning/tools/zl_schieb.h"

#include "controls/Dspez.h"
#include "controls/Zufall.h"
#include "datastore/Kartenbilder.h"
#include "platform/Tick.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace zl
{
namespace
{

// The hole's steps of the shuffle, by the draw Random(4).
constexpr int kSchrittX[4] = {1, 0, -1, 0};
constexpr int kSchrittY[4] = {0, -1, 0, 1};

QRgb rgbVon(TColor c)
{
    return ColorToQColor(c).rgb();
}

// Copies a rectangle between two RGB32 pictures of the same size.
void kopiereRechteck(const QImage& Von, const QRect& Quelle, QImage& Nach, const QPoint& Ziel)
{
    const qsizetype bytes = qsizetype(Quelle.width()) * 4;
    for (int y = 0; y < Quelle.height(); ++y) {
        const uchar* s = Von.constScanLine(Quelle.top() + y) + qsizetype(Quelle.left()) * 4;
        uchar* d = Nach.scanLine(Ziel.y() + y) + qsizetype(Ziel.x()) * 4;
        std::memmove(d, s, size_t(bytes));
    }
}

void fuelleRechteck(QImage& Bild, const QRect& R, QRgb Farbe)
{
    for (int y = R.top(); y <= R.bottom(); ++y) {
        auto* z = reinterpret_cast<QRgb*>(Bild.scanLine(y));
        for (int x = R.left(); x <= R.right(); ++x)
            z[x] = Farbe;
    }
}

} // namespace

TSchiebepuzzle::TSchiebepuzzle() : Uhr([] { return TickCount(); })
{
    Zufall::Randomize();
    for (int c = 0; c < kMaxTeile; ++c)
        for (int r = 0; r < kMaxTeile; ++r)
            Feld[c][r] = Spalten * r + c;
}

bool TSchiebepuzzle::NeuesSpiel(const QImage& Bild, int NeueSpalten, int NeueZeilen)
{
    Spalten = std::clamp(NeueSpalten, 3, kMaxTeile);
    Zeilen = std::clamp(NeueZeilen, 3, kMaxTeile);
    m_quelle = Bild.isNull() ? QImage() : Bild.convertToFormat(QImage::Format_RGB32);
    if (m_quelle.isNull() || m_quelle.width() <= 0 || m_quelle.height() <= 0) {
        m_quelle = QImage();
        m_brett = QImage();
        for (int c = 0; c < Spalten; ++c)
            for (int r = 0; r < Zeilen; ++r)
                Feld[c][r] = Spalten * r + c;
        TeilBreite = TeilHoehe = 0;
        Falsche = Zuege = 0;
        LeerSpalte = LeerZeile = -1;
        return false;
    }
    Aufbauen(Neu);
    return true;
}

void TSchiebepuzzle::NeuAufbauen()
{
    Aufbauen(Neuzeichnen);
}

void TSchiebepuzzle::PasseBildAn()
{
    const QSize box = Zielbild ? Zielbild->Groesse() : QSize();
    int fitW = 0, fitH = 0;
    if (m_quelle.isNull() || !PasseEin(m_quelle.width(), m_quelle.height(), box.width(), box.height(), fitW, fitH)) {
        m_brett = QImage();
        return;
    }
    const int w = (fitW / Spalten) * Spalten;
    const int h = (fitH / Zeilen) * Zeilen;
    if (w <= 0 || h <= 0) {
        m_brett = QImage();
        return;
    }
    if (m_brett.size() != QSize(w, h) || m_brett.format() != QImage::Format_RGB32)
        m_brett = QImage(w, h, QImage::Format_RGB32);
    const TRect quelle{0, 0, m_quelle.width(), m_quelle.height()};
    StreckeNaechstes(m_quelle.constBits(), m_quelle.bytesPerLine(), quelle, m_brett.bits(), m_brett.bytesPerLine(), w,
                     h);
}

void TSchiebepuzzle::Aufbauen(Modus m)
{
    PasseBildAn();
    TeilBreite = m_brett.isNull() ? 0 : m_brett.width() / Spalten;
    TeilHoehe = m_brett.isNull() ? 0 : m_brett.height() / Zeilen;
    if (m == Neu) {
        LeerSpalte = Spalten - 1;
        LeerZeile = Zeilen - 1;
        Zuege = 0;
    }
    if (m == Neuzeichnen && HatBrett()) {
        const QImage gestreckt = m_brett.copy();
        for (int c = 0; c < Spalten; ++c)
            for (int r = 0; r < Zeilen; ++r) {
                const int id = Feld[c][r];
                kopiereRechteck(gestreckt, Zelle(id % Spalten, id / Spalten), m_brett, Zelle(c, r).topLeft());
            }
    }
    for (int c = 0; c < Spalten; ++c)
        for (int r = 0; r < Zeilen; ++r) {
            if (m == Neu)
                Feld[c][r] = Spalten * r + c;
            ZeichneKante(c, r);
        }
    if (m != Geloest && HatBrett())
        ZeichneLeerfeld(m_brett);
    ZaehleFalsche();
    Zeige();
}

QRect TSchiebepuzzle::Zelle(int c, int r) const
{
    return QRect(c * TeilBreite, r * TeilHoehe, TeilBreite, TeilHoehe);
}

void TSchiebepuzzle::ZeichneKante(int c, int r)
{
    if (!HatBrett())
        return;
    // As two GDI polylines that leave out their end points: white left column and
    // top row, the button shadow along the right column and the bottom row.
    const QRgb hell = qRgb(255, 255, 255);
    const QRgb dunkel = rgbVon(ColorToRGB(clBtnShadow));
    const QRect z = Zelle(c, r);
    const int L = z.left(), T = z.top(), R = L + TeilBreite, B = T + TeilHoehe;
    auto punkt = [this](int x, int y, QRgb f) { reinterpret_cast<QRgb*>(m_brett.scanLine(y))[x] = f; };
    for (int y = T; y <= B - 1; ++y)
        punkt(L, y, hell);
    for (int x = L; x <= R - 2; ++x)
        punkt(x, T, hell);
    for (int y = T; y <= B - 2; ++y)
        punkt(R - 1, y, dunkel);
    for (int x = L + 1; x <= R - 1; ++x)
        punkt(x, B - 1, dunkel);
}

void TSchiebepuzzle::ZeichneLeerfeld(QImage& Bild) const
{
    if (LeerSpalte < 0 || LeerZeile < 0 || !HatBrett())
        return;
    fuelleRechteck(Bild, Zelle(LeerSpalte, LeerZeile), rgbVon(ColorToRGB(Leerfarbe)));
}

void TSchiebepuzzle::VerschiebeLeerfeld(int c, int r, QImage& Bild)
{
    if (HatBrett() && LeerSpalte >= 0 && LeerZeile >= 0)
        kopiereRechteck(Bild, Zelle(c, r), Bild, Zelle(LeerSpalte, LeerZeile).topLeft());
    LeerSpalte = c;
    LeerZeile = r;
    ZeichneLeerfeld(Bild);
}

void TSchiebepuzzle::Mischen()
{
    if (LeerSpalte < 0 || LeerZeile < 0) {
        // After the solved view: the hole is where its tile lies.
        const int loch = Spalten * Zeilen - 1;
        for (int c = 0; c < Spalten; ++c)
            for (int r = 0; r < Zeilen; ++r)
                if (Feld[c][r] == loch) {
                    LeerSpalte = c;
                    LeerZeile = r;
                }
        ZeichneLeerfeld(m_brett);
    }
    Zuege = 0;
    do {
        int n = Spalten * Zeilen * (Spalten + Zeilen) * 4;
        while (n > 0) {
            const int k = Zufall::Random(4);
            const int c = LeerSpalte + kSchrittX[k];
            const int r = LeerZeile + kSchrittY[k];
            if (c < 0 || c >= Spalten || r < 0 || r >= Zeilen)
                continue;
            std::swap(Feld[LeerSpalte][LeerZeile], Feld[c][r]);
            VerschiebeLeerfeld(c, r, m_brett);
            --n;
        }
        ZaehleFalsche();
    } while (Falsche < 1);
    Zeige();
    MerkeStartzeit();
}

bool TSchiebepuzzle::ZelleBei(int X, int Y, int& c, int& r) const
{
    if (!HatBrett() || X < 0 || Y < 0)
        return false;
    c = X / TeilBreite;
    r = Y / TeilHoehe;
    return c < Spalten && r < Zeilen;
}

bool TSchiebepuzzle::Klick(int X, int Y, bool NurNachbarn)
{
    if (Falsche == 0)
        return true;
    int c = 0, r = 0;
    if (!ZelleBei(X, Y, c, r) || LeerSpalte < 0 || LeerZeile < 0)
        return false;
    if (NurNachbarn && std::abs(c - LeerSpalte) + std::abs(r - LeerZeile) != 1)
        return false;
    const QRect alt = Zelle(LeerSpalte, LeerZeile);
    std::swap(Feld[LeerSpalte][LeerZeile], Feld[c][r]);
    // The screen shows the board only between events, so the move is drawn in
    // place and never shows half done.
    VerschiebeLeerfeld(c, r, m_brett);
    Zeige(alt.united(Zelle(c, r)));
    ++Zuege;
    ZaehleFalsche();
    return Falsche == 0;
}

bool TSchiebepuzzle::KannZiehen(int X, int Y, bool NurNachbarn) const
{
    int c = 0, r = 0;
    if (!ZelleBei(X, Y, c, r) || Falsche < 1)
        return false;
    const int d = std::abs(c - LeerSpalte) + std::abs(r - LeerZeile);
    return NurNachbarn ? d == 1 : d >= 1;
}

void TSchiebepuzzle::ZeigeGeloest()
{
    LeerSpalte = LeerZeile = -1;
    Aufbauen(Geloest);
}

QString TSchiebepuzzle::Spielzeit() const
{
    const std::uint32_t jetzt = Uhr ? Uhr() : TickCount();
    return FormatiereMinSek(double(std::uint32_t(jetzt - Startzeit)) / 1000.0);
}

void TSchiebepuzzle::ZaehleFalsche()
{
    Falsche = 0;
    for (int c = 0; c < Spalten; ++c)
        for (int r = 0; r < Zeilen; ++r)
            if (Feld[c][r] % Spalten != c || Feld[c][r] / Spalten != r)
                ++Falsche;
}

void TSchiebepuzzle::MerkeStartzeit()
{
    Startzeit = Uhr ? Uhr() : TickCount();
}

void TSchiebepuzzle::Zeige(const QRect& Bereich)
{
    if (Zielbild)
        Zielbild->Neuzeichnen(Bereich);
}

QString PuzzleNeustartText()
{
    return QStringLiteral("Die Einstellung wirkt sich erst nach einem Neustart des Schiebepuzzles aus. "
                          "(Schaltfeld \"Puzzle\" erneut anklicken.)");
}

QString PuzzleGeloestText(bool AnredeDu, const QString& Zuege, const QString& Zeit)
{
    return (AnredeDu ? QStringLiteral("Herzlichen Glückwunsch! Du hast das Schiebepuzzle")
                     : QStringLiteral("Herzlichen Glückwunsch! Sie haben das Schiebepuzzle")) +
           QStringLiteral(" mit ") + Zuege + QStringLiteral(" Zügen in einer Zeit von ") + Zeit +
           QStringLiteral(" gelöst!");
}

} // namespace zl
