#include "learning/mapview/zl_lernlayout.h"

#include "learning/mapview/zl_lernlisten.h"
#include "learning/mapview/zl_viewport.h"

#include <QFontMetrics>

#include <algorithm>

namespace zl
{

QRect UebersichtLabelRect(const QString& Code, int W)
{
    if (Code == u"WLT")
        return QRect(RundeGerade(0.2 * W), RundeGerade(0.014 * W), RundeGerade(0.5 * W), RundeGerade(0.05 * W));
    return QRect(RundeGerade(0.012 * W), RundeGerade(0.18 * W), RundeGerade(0.16 * W), RundeGerade(0.5 * W));
}

int UebersichtLabelPunkte(int W)
{
    return W >= 700 ? 9 : 8;
}

QRect UebersichtLabelPassend(const QString& Code, int W, const QFont& Schrift)
{
    QRect Feld = UebersichtLabelRect(Code, W);
    const QFontMetrics fm(Schrift);
    const QString Text = UebersichtText(Code);
    const auto Umbrochen = [&](int Breite) {
        return fm.boundingRect(QRect(0, 0, Breite, 1 << 20), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, Text);
    };
    // A word wider than the label widens it; the lines at that width give its least height.
    Feld.setWidth(std::max(Feld.width(), Umbrochen(Feld.width()).width()));
    Feld.setHeight(std::max(Feld.height(), Umbrochen(Feld.width()).height()));
    return Feld;
}

QString UebersichtText(const QString& Code)
{
    const QString q(QLatin1Char('"'));
    const QString crlf = QStringLiteral("\r\n");
    if (Code == u"WLT")
        return QStringLiteral("Auswahlübersicht ") + q + QStringLiteral("Welt") + q + QLatin1Char(':') + crlf +
               QStringLiteral("15 Landkarten der Welt sowie einzelner Kontinente und großer Gebiete");
    if (Code == u"EUR")
        return QStringLiteral("Auswahlübersicht ") + q + QStringLiteral("Europa") + q + QLatin1Char(':') + crlf +
               QStringLiteral("17 Landkarten von Europa sowie einzelner Staaten und Gebiete");
    if (Code == u"DEU")
        return QStringLiteral("Auswahlübersicht ") + q + QStringLiteral("Deutschland") + q + QLatin1Char(':') + crlf +
               QStringLiteral("14 Landkarten von Deutschland und der einzelnen Bundesländer");
    return QString();
}

QRect KartenFeldRect(const KartAuswDataTyp& e, const QRect& Bild, int ControlHoehe)
{
    const int w = (int(e.KartName.size()) + 2) * 7;
    const int h = RundeGerade(ControlHoehe * 0.04);
    const int l = RundeGerade(e.FeldX / 10000.0 * Bild.width() - w / 2) + Bild.left();
    const int t = RundeGerade(e.FeldY / 10000.0 * Bild.height() - h / 2) + Bild.top();
    return QRect(l, t, w, h);
}

QRect MarkierungsRect(const KartAuswDataTyp& e, int Wi, int Hi)
{
    return QRect(RundeGerade(e.MarkLinks / 10000.0 * Wi), RundeGerade(e.MarkOben / 10000.0 * Hi),
                 RundeGerade((e.MarkRechts - e.MarkLinks) / 10000.0 * Wi),
                 RundeGerade((e.MarkUnten - e.MarkOben) / 10000.0 * Hi));
}

std::array<TWerkzeugKnopf, 7> WerkzeugKnoepfe(int InfoPanBreite)
{
    const bool Schmal = InfoPanBreite < 900;
    const int w = Schmal ? 69 : 73, Abstand = Schmal ? 68 : 80;
    std::array<TWerkzeugKnopf, 7> k{};
    for (int i = 0; i < 7; ++i)
        k[i] = {12 + i * Abstand, w};
    return k;
}

std::array<TWerkzeugKnopf, 4> KartTypKnoepfe(int DatentabelleRechts, int DatentabelleBreite, int LogoLinks)
{
    const int x0 = DatentabelleRechts + 7;
    // Delphi's div truncates towards zero.
    const int w = std::min(DatentabelleBreite - 1, (LogoLinks - x0 - 8) / 4);
    std::array<TWerkzeugKnopf, 4> k{};
    for (int i = 0; i < 4; ++i)
        k[i] = {x0 + i * w, w + 1};
    return k;
}

QRect KartTypMarke(const QRect& RS, const QString& KartTyp)
{
    const int i = KartTypIndex(KartTyp);
    return QRect(RS.left() + i * (RS.width() - 1) + 1, RS.top() + 1, RS.width() - 2, 3);
}

TLernSeite LernSeitenAufteilung(int W, int H)
{
    const int kw = RundeGerade(0.7 * W);
    return {QRect(0, 57, kw, H - 57), QRect(kw, 57, W - kw - 4, H - 57)};
}

TLernSpalte LernSpaltenAufteilung(int W2, int H2, int ZoomPanHoehe, int GridHoehe)
{
    TLernSpalte s;
    s.ZoomPan = QRect(0, H2 - ZoomPanHoehe, W2, ZoomPanHoehe);
    s.ObjPan = QRect(0, 0, W2, H2 - ZoomPanHoehe);
    const int Links = 9, Breite = std::max(0, W2 - 8 - Links);
    s.Grid = QRect(Links, s.ObjPan.height() - GridHoehe - 12, Breite, GridHoehe);
    s.GridSpalte0 = RundeGerade(0.4 * Breite);
    s.GridSpalte1 = Breite - s.GridSpalte0 - 1;
    s.Marker = QRect(s.Grid.left() + s.Grid.width() - 17, s.Grid.top() + 52, 16, 16);
    const int fh = RundeGerade(0.15 * H2) + 1;
    s.FlagPan = QRect(Links, s.Grid.top() - fh, Breite, fh);
    s.FlagImg = QRect(6, 6, Breite - 12, fh - 12);
    s.FlagLab = QRect(8, 8, Breite - 16, fh - 8);
    return s;
}

TLernReiter LernReiterAufteilung(int ObjPanClientBreite)
{
    TLernReiter r;
    const int CW = ObjPanClientBreite - 8;
    const int x = CW - RundeGerade((CW - 24) * 0.5);
    for (int i = 0; i < 5; ++i) {
        r.ObjCheckPan[i] = QRect(9, 8 + 21 * i, 24, 22);
        r.ObjKnopf[i] = QRect(32, 8 + 21 * i, x - 31, 22);
    }
    r.CheckBox = QRect(4, 2, 15, 15);
    for (int i = 0; i < 3; ++i)
        r.IntensPan[i] = QRect(x, 8 + 35 * i, CW - x, 36);
    return r;
}

QRect ObjReiterStreifen(const QRect& Knopf, int StreifenBreite, int Reiter)
{
    const int t = GueltigerReiter(Reiter);
    const int Rechts = Knopf.left() + Knopf.width();
    return QRect(Rechts - StreifenBreite, Knopf.top() + Knopf.height() - 1, StreifenBreite,
                 (5 - t) * (Knopf.height() - 1) + 2);
}

QRect IntensReiterStreifen(const QRect& IntensPan1, int StreifenBreite, int Stufe)
{
    const int l = std::clamp(Stufe, 1, 3);
    return QRect(IntensPan1.left(), IntensPan1.top() + (IntensPan1.height() - 1) * l, StreifenBreite,
                 (3 - l) * (IntensPan1.height() - 1) + 2);
}

QRect ReiterTrenner(const QRect& Intens, const QRect& Obj, int IntensPanHoehe, int ObjKnopfHoehe)
{
    const int d = std::max(Intens.top() - IntensPanHoehe, Obj.top() - ObjKnopfHoehe) + 2;
    const int Unten = Obj.top() + Obj.height();
    return QRect(Intens.left(), d, 1, std::max(0, Unten - d));
}

int LernlistenHoehe(int Reiter, int ListeOben, int FlagPanOben, int ObjPanClientHoehe)
{
    if (GueltigerReiter(Reiter) == 1)
        return FlagPanOben - ListeOben - 3;
    return ObjPanClientHoehe - 130;
}

QRect MiniKartenRect(int ZoomKnopfPanLinks, int ZoomPanHoehe)
{
    return QRect(16, 10, ZoomKnopfPanLinks - 24, ZoomPanHoehe - 20);
}

} // namespace zl
