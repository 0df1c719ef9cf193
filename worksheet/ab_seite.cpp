#include "worksheet/ab_seite.h"

#include "datastore/Kartenbilder.h"
#include "learning/mapview/zl_viewport.h"
#include "worksheet/ab_beschriftung.h"
#include "worksheet/ab_data.h"

#include <QFileInfo>
#include <QPainter>

#include <algorithm>

namespace zl::ab
{

namespace
{

constexpr TColor kRot = TColor(0x0000FF);

// The map picture as the page records it: one copy of the cached bitmap per decoded picture,
// shared by every page drawn from it (the cache itself is replaced on the next decode).
QImage Kartenbild()
{
    static QImage s_bild;
    static QString s_pfad;
    static QSize s_groesse;
    const QSize g(KartenCache->Width(), KartenCache->Height());
    if (s_bild.isNull() || s_pfad != KartenCachePfad || s_groesse != g) {
        s_bild = KartenCache->ImageViewRGB32().copy();
        s_pfad = KartenCachePfad;
        s_groesse = g;
    }
    return s_bild;
}

int HoeheX(TCanvas& C)
{
    return C.TextHeight(QStringLiteral("X"));
}

void Schrift(TCanvas& C, int Hoehe, unsigned Stil = 0, TColor Farbe = clBlack)
{
    C.Font.Name = QStringLiteral("Arial");
    C.Font.Height = Hoehe;
    C.Font.Style = Stil;
    C.Font.Color = Farbe;
}

void Linie(TCanvas& C, int x1, int y1, int x2, int y2)
{
    C.MoveTo(x1, y1);
    C.LineTo(x2, y2);
}

// Step by step as the page is laid out; y is the current top.
struct Layout {
    TCanvas& C;
    const ArbeitsblattDataTyp& A;
    const ABVoreinstellungen& V;
    const int T;     // task 0..3 (A..D)
    const bool Voll; // everything, not only the solution marks
    const int n;
    int y = 0;
    int th = 0; // height of "X" in the font set last

    void Kopf()
    {
        Schrift(C, -18);
        th = HoeheX(C);
        const int th18 = th;
        C.SetTextAlign(TA_LEFT | TA_TOP);
        const int linieY = RundeGerade(th18);
        const struct {
            bool an;
            const QString& text;
            int x, laenge;
        } posten[] = {
            {V.NameZeile, V.NameText, 0, RundeGerade(kW / 2.0)},
            {V.KlasseZeile, V.KlasseText, RundeGerade(kW / 2.0), RundeGerade(kW / 4.0)},
            {V.DatumZeile, V.DatumText, RundeGerade(kW / 2.0) + RundeGerade(kW / 4.0), RundeGerade(kW / 4.0)},
        };
        bool gesetzt = false;
        for (const auto& p : posten) {
            if (!p.an || p.text.isEmpty())
                continue;
            gesetzt = true;
            if (Voll) {
                C.TextOut(p.x, 0, p.text);
                Linie(C, p.x, linieY, p.x + p.laenge, linieY);
            }
        }
        y = gesetzt ? RundeGerade(2.5 * th18) : 0;
        th18_ = th18;
    }

    void Titel(const QString& KartenName)
    {
        if (V.TitelText.isEmpty())
            return;
        y += RundeGerade(0.5 * th18_);
        Schrift(C, -30, fsBold);
        C.SetTextAlign(TA_CENTER | TA_TOP);
        th = HoeheX(C);
        const int th30 = th;
        const QString titel = TitelMitPlatzhaltern(V.TitelText, KartenName, Themen.value(A.Thema));
        if (Voll) {
            C.TextOut(500, y, titel);
            C.Pen = TPen{clBlack, 1, psSolid};
            C.Brush.Style = bsClear;
            C.Rectangle(0, y - RundeGerade(0.3 * th30), kW, y + RundeGerade(1.3 * th30));
        }
        y += RundeGerade(2.0 * th30);
    }

    void Aufgabe()
    {
        const QString& text = V.AufgText(T);
        if (text.isEmpty())
            return;
        Schrift(C, -25);
        C.SetTextAlign(TA_LEFT | TA_TOP);
        th = HoeheX(C);
        const int th25 = th;
        QRect r(QPoint(0, y), QPoint(kW - 1, kH - 1));
        const int hoehe = C.DrawText(text, r, DT_CALCRECT | DT_WORDBREAK);
        if (Voll) {
            QRect d(QPoint(0, y), QPoint(kW - 1, kH - 1));
            C.DrawText(text, d, DT_WORDBREAK);
        }
        y += RundeGerade(th25) + hoehe;
    }

    // The map and its boxes; returns the warning for a missing picture.
    QString Karte(QRect& Rechteck, QString& Datei)
    {
        const QString pfad = KartenbildPfad(A.KartID, A.KartTyp, QStringLiteral("1"));
        QString fehler;
        const bool da = LadeKartenCache(pfad, &fehler);
        int mw = kW, mh = kMaxKartenHoehe;
        QString warnung;
        if (da && KartenCache && !KartenCache->Empty()) {
            const int pw = KartenCache->Width(), ph = KartenCache->Height();
            mh = RundeGerade(double(ph) * 1000 / pw);
            if (mh > kMaxKartenHoehe) {
                mh = kMaxKartenHoehe;
                mw = RundeGerade(double(pw) * kMaxKartenHoehe / ph);
            }
            Datei = KartenCachePfad;
        } else {
            Datei.clear();
            const QString name = QFileInfo(pfad).fileName();
            warnung = (fehler.isEmpty()
                           ? QStringLiteral("Das Kartenbild \"") + name + QStringLiteral("\" ist nicht vorhanden.")
                           : fehler) +
                      QStringLiteral(" Das Arbeitsblatt wird ohne Landkarte gezeigt.");
        }
        const int links = (kW - mw) / 2, oben = y;
        Rechteck = QRect(links, oben, mw, mh);
        if (Voll) {
            if (!Datei.isEmpty())
                C.StretchDraw(QRect(links, oben, mw, mh), Kartenbild());
            C.Pen = TPen{clBlack, 1, psSolid};
            C.Brush.Style = bsClear;
            C.Rectangle(links, oben - 1, links + mw, oben + mh);
        }
        TABBeschriftungsZustand z;
        z.AktKartID = A.KartID.toUpper();
        z.Ansichtsmodus = 5;
        for (int m = 1; m <= n; ++m) {
            const ABObjDataTyp& e = A.Eintraege[m - 1];
            ObjDataTyp o;
            o.KartID = A.KartID;
            o.Bez = e.Name;
            o.Px = e.Px;
            o.Py = e.Py;
            o.dx = e.dx;
            o.dy = e.dy;
            o.ObjTyp = e.ObjTyp;
            o.Intens = e.Intens;
            const int nummer = (T != 0 || A.Lsg) ? m : kLeeresKaestchen;
            if (T == 0 || Voll)
                ZeichneBeschriftungen(C, links, oben, mw, mh, 2.5, &o, nummer, TRect{0, 0, 10000, 10000},
                                      T == 0 && A.Lsg, Voll, z);
        }
        y = oben + mh + th;
        return warnung;
    }

    const QString& Name(int Nr) const { return A.Eintraege[std::clamp(Nr, 1, kMaxEintraege) - 1].Name; }
    int Nummer(int k) const { return std::clamp(A.Nummerierung[k - 1], 1, std::max(1, n)); }

    void GegebeneNamen()
    {
        if (T != 2)
            return;
        Schrift(C, -22);
        C.SetTextAlign(TA_LEFT | TA_TOP);
        const int th22 = HoeheX(C);
        QString puffer;
        for (int k = 1; k <= n; ++k) {
            const QString stueck = Name(Nummer(k)) + (k < n ? QStringLiteral(" - ") : QString());
            if (puffer.isEmpty()) {
                puffer = stueck;
            } else if (C.TextWidth(puffer + stueck) > kW) {
                if (Voll)
                    C.TextOut(0, y, puffer);
                puffer = stueck;
                y += RundeGerade(th22);
            } else {
                puffer += stueck;
            }
        }
        if (!puffer.isEmpty()) {
            if (Voll)
                C.TextOut(0, y, puffer);
            y += RundeGerade(th22);
        }
        y += RundeGerade(th22);
    }

    void Antwortliste()
    {
        Schrift(C, -15);
        const int th15 = HoeheX(C);
        Schrift(C, -25);
        const int th25 = HoeheX(C);
        const int grenze = kH - th15 - th25;
        const bool mix = A.Thema == 5 && V.MixTypHinweis;
        int x = 0;
        const int y0 = y;
        const int zeilen = (n + 1) / 2;
        for (int m = 1; m <= n; ++m) {
            if (y <= grenze) {
                const int nr = T == 1 ? Nummer(m) : m;
                Schrift(C, -25);
                C.Pen = TPen{clBlack, 1, psSolid};
                if (Voll) {
                    C.Brush = TBrush{clWhite, bsSolid};
                    C.Rectangle(x, y - RundeGerade(0.2 * th25), x + 44, y + RundeGerade(th25));
                }
                if (T != 1 || A.Lsg) {
                    C.Brush.Style = bsClear;
                    C.SetTextAlign(TA_CENTER | TA_TOP);
                    C.Font.Color = (T == 1 && A.Lsg) ? kRot : clBlack;
                    if (T == 1 || Voll)
                        C.TextOut(x + 22, y - RundeGerade(0.1 * th25), QString::number(nr));
                }
                if (Voll)
                    Linie(C, x + 56, y + RundeGerade(th25), x + RundeGerade(kW * 0.5 - 18.75), y + RundeGerade(th25));
                if (T <= 1 || A.Lsg) {
                    C.SetTextAlign(TA_LEFT | TA_TOP);
                    C.Brush.Style = bsClear;
                    C.Font.Color = (T >= 2 && A.Lsg) ? kRot : clBlack;
                    if (T >= 2 || Voll)
                        C.TextOut(x + 62, y - RundeGerade(0.1 * th25), Name(nr));
                }
                if (mix && Voll) {
                    Schrift(C, -18);
                    C.SetTextAlign(TA_RIGHT | TA_BOTTOM);
                    C.Brush.Style = bsClear;
                    C.TextOut(x + RundeGerade(kW * 0.5 - 25), y + th25, ObjTypHinweis(V, A.Eintraege[nr - 1].ObjTyp));
                }
            }
            if (m == zeilen) {
                x = RundeGerade(kW * 0.5 + 18.75);
                y = y0;
            } else {
                y += RundeGerade(1.5 * th25);
            }
        }
    }

    void Fuss()
    {
        Schrift(C, -15);
        C.SetTextAlign(TA_LEFT | TA_TOP);
        const int fy = kH - HoeheX(C);
        if (!Voll)
            return;
        C.Pen = TPen{clBlack, 1, psSolid};
        Linie(C, 0, fy, kW, fy);
        C.TextOut(0, fy, kProduktTitel);
        C.SetTextAlign(TA_RIGHT | TA_TOP);
        C.TextOut(kW, fy, kWebAdresse);
    }

    int th18_ = 0;
};

} // namespace

TSeite ZeichneArbeitsblatt(const ArbeitsblattDataTyp& A, const ABVoreinstellungen& V, const QString& KartenName)
{
    TMetafileRecorder rec(QSize(kSeitenBreite, kSeitenHoehe));
    TCanvas& C = rec.Canvas();
    C.Brush.Style = bsClear;
    C.Pen = TPen{clBlack, 1, psSolid};
    Layout L{C, A, V, std::clamp(A.Aufgabe, 0, 3), A.Voll(), std::clamp(A.Anzahl, 0, kMaxEintraege)};
    TSeite S;
    L.Kopf();
    L.Titel(KartenName);
    L.Aufgabe();
    S.Warnung = L.Karte(S.Karte, S.Bild);
    L.GegebeneNamen();
    L.Antwortliste();
    L.Fuss();
    S.Metafile = rec.Beenden();
    return S;
}

QImage Seitenbild(const TMetafile& Mf)
{
    return AlsBild(Mf, QSize(kSeitenBreite, kSeitenHoehe));
}

QImage Exportbild(const TMetafile& Mf)
{
    const QSize g = Mf.Groesse().isEmpty() ? QSize(kSeitenBreite, kSeitenHoehe) : Mf.Groesse();
    const int h = RundeGerade(double(g.height()) * 1000 / g.width());
    QImage bild(1000, h, QImage::Format_RGB32);
    bild.fill(Qt::white);
    QPainter p(&bild);
    Abspielen(Mf, p, QRectF(0, 0, 1000, h));
    return bild;
}

QSize SeitenbreitePanel(int ScrollBreite)
{
    const int w = std::max(80, ScrollBreite - 32);
    // The panel's client width equals its width (no border).
    return {w, RundeGerade((w * 2600.0 - 104000) / 1600 + 40)};
}

QSize GanzeSeitePanel(int ScrollHoehe)
{
    const int h = std::max(120, ScrollHoehe - 16);
    return {RundeGerade((h * 1600.0 - 64000) / 2600 + 40), h};
}

} // namespace zl::ab
