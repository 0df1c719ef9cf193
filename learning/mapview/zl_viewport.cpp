#include "learning/mapview/zl_viewport.h"

#include <QString>

#include <algorithm>
#include <climits>
#include <cmath>

namespace zl
{

int RundeGerade(double Wert)
{
    if (std::isnan(Wert))
        return 0;
    if (Wert >= double(INT_MAX))
        return INT_MAX;
    if (Wert <= double(INT_MIN))
        return INT_MIN;
    // nearbyint rounds in the default mode, to nearest with ties to even.
    return int(std::nearbyint(Wert));
}

QString ZoomBeschriftung(int Stufe)
{
    static const char* const Texte[kZoomStufen] = {"100 %", "125 %", "150 %", "175 %", "200 %"};
    if (Stufe < 0 || Stufe >= kZoomStufen)
        return QString();
    return QLatin1String(Texte[Stufe]);
}

void TViewport::SetzeZoomStufe(int Stufe)
{
    ZoomStufe = std::clamp(Stufe, 0, kZoomStufen - 1);
    ZoomFaktor = ZoomFaktoren[ZoomStufe];
}

void TViewport::SetzeAnker(int X, int Y)
{
    ScrollAnkerX = std::clamp(X, -1, 1);
    ScrollAnkerY = std::clamp(Y, -1, 1);
}

std::optional<int> FuehreAus(TViewport& V, TViewportBefehl Befehl)
{
    switch (Befehl) {
    case TViewportBefehl::Standardgroesse:
        V.ScrollAnkerX = 0;
        V.ScrollAnkerY = 0;
        return 0;
    case TViewportBefehl::Zoom1:
        return 1;
    case TViewportBefehl::Zoom2:
        return 2;
    case TViewportBefehl::Zoom3:
        return 3;
    case TViewportBefehl::Zoom4:
        return 4;
    case TViewportBefehl::ZoomRein:
        if (V.ZoomStufe < kZoomStufen - 1)
            return V.ZoomStufe + 1;
        return std::nullopt;
    case TViewportBefehl::ZoomRaus:
        if (V.ZoomStufe > 0)
            return V.ZoomStufe - 1;
        return std::nullopt;
    case TViewportBefehl::Links:
        if (V.ScrollAnkerX > -1) {
            --V.ScrollAnkerX;
            return V.ZoomStufe;
        }
        return std::nullopt;
    case TViewportBefehl::Rechts:
        if (V.ScrollAnkerX < 1) {
            ++V.ScrollAnkerX;
            return V.ZoomStufe;
        }
        return std::nullopt;
    case TViewportBefehl::Oben:
        if (V.ScrollAnkerY > -1) {
            --V.ScrollAnkerY;
            return V.ZoomStufe;
        }
        return std::nullopt;
    case TViewportBefehl::Unten:
        if (V.ScrollAnkerY < 1) {
            ++V.ScrollAnkerY;
            return V.ZoomStufe;
        }
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<TViewportBefehl> BefehlFuerTaste(int Taste, Qt::KeyboardModifiers Modifiers)
{
    const bool Ziffernblock = Modifiers.testFlag(Qt::KeypadModifier);
    if ((Modifiers & ~Qt::KeypadModifier) != Qt::ControlModifier)
        return std::nullopt;
    switch (Taste) {
    case Qt::Key_Plus:
        return Ziffernblock ? std::optional(TViewportBefehl::ZoomRein) : std::nullopt;
    case Qt::Key_Minus:
        return Ziffernblock ? std::optional(TViewportBefehl::ZoomRaus) : std::nullopt;
    case Qt::Key_0:
        return Ziffernblock ? std::optional(TViewportBefehl::Standardgroesse) : std::nullopt;
    case Qt::Key_Left:
        return TViewportBefehl::Links;
    case Qt::Key_Right:
        return TViewportBefehl::Rechts;
    case Qt::Key_Up:
        return TViewportBefehl::Oben;
    case Qt::Key_Down:
        return TViewportBefehl::Unten;
    default:
        return std::nullopt;
    }
}

void WaehleZoomAusschnitt(double fx, double fy, int& AnkerX, int& AnkerY)
{
    double Bester = 99;
    AnkerX = 0;
    AnkerY = 0;
    for (int p = -1; p <= 1; ++p)
        for (int q = -1; q <= 1; ++q) {
            const double dx = (p + 2) * 0.25 - fx;
            const double dy = (q + 2) * 0.25 - fy;
            const double d = dx * dx + dy * dy;
            if (d < Bester) {
                Bester = d;
                AnkerX = p;
                AnkerY = q;
            }
        }
}

QRect MiniKartenRahmen(const TRect& A, int w, int h)
{
    const int x1 = RundeGerade(A.Left / 10000.0 * w), y1 = RundeGerade(A.Top / 10000.0 * h);
    const int x2 = RundeGerade(A.Right / 10000.0 * w), y2 = RundeGerade(A.Bottom / 10000.0 * h);
    return QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1));
}

namespace
{

// One axis of the preview: the section length s placed at anchor a, in 1/10000.
void VorschauAchse(int s, int a, int& von, int& bis)
{
    if (a < 0) {
        von = 0;
        bis = s;
    } else if (a == 0) {
        von = 5000 - RundeGerade(s / 2.0);
        bis = RundeGerade(s / 2.0) + 5000;
    } else {
        von = 10000 - s;
        bis = 10000;
    }
}

} // namespace

QRect MiniKartenVorschau(const TRect& A, int AnkerX, int AnkerY, int w, int h, int OffsetX, int OffsetY)
{
    int x1, x2, y1, y2;
    VorschauAchse(A.Right - A.Left, AnkerX, x1, x2);
    VorschauAchse(A.Bottom - A.Top, AnkerY, y1, y2);
    const int l = RundeGerade(x1 / 10000.0 * w) + OffsetX, r = RundeGerade(x2 / 10000.0 * w) + OffsetX;
    const int t = RundeGerade(y1 / 10000.0 * h) + OffsetY, b = RundeGerade(y2 / 10000.0 * h) + OffsetY;
    return QRect(l, t, r - l, b - t);
}

QRect MiniBildRechteck(int ControlW, int ControlH, int BildW, int BildH)
{
    // Whole-number division as the control centres its picture.
    return QRect((ControlW - BildW) / 2, (ControlH - BildH) / 2, BildW, BildH);
}

namespace
{

bool Bruchteile(const TRect& A, double Px, double Py, double& fx, double& fy)
{
    const double sw = (A.Right - A.Left) / 10000.0, sh = (A.Bottom - A.Top) / 10000.0;
    if (sw <= 0 || sh <= 0 || std::isnan(Px) || std::isnan(Py))
        return false;
    fx = (Px - A.Left / 10000.0) / sw;
    fy = (Py - A.Top / 10000.0) / sh;
    return true;
}

} // namespace

std::optional<QPoint> ZeigerPunkt(const QRect& Img, int pw, int ph, const TRect& A, double Px, double Py)
{
    double fx, fy;
    if (pw <= 0 || ph <= 0 || !Bruchteile(A, Px, Py, fx, fy))
        return std::nullopt;
    const double x = pw * fx + (Img.width() - pw) / 2.0 + Img.left() - 1;
    const double y = ph * fy + (Img.height() - ph) / 2.0 + Img.top() - 1;
    return QPoint(RundeGerade(x), RundeGerade(y));
}

std::optional<QPoint> MarkenPunkt(int ControlW, int ControlH, int bw, int bh, const TRect& A, double Px, double Py)
{
    double fx, fy;
    if (bw <= 0 || bh <= 0 || !Bruchteile(A, Px, Py, fx, fy))
        return std::nullopt;
    const double x = bw * fx + (ControlW - bw) / 2.0 - 1;
    const double y = bh * fy + (ControlH - bh) / 2.0 - 1;
    return QPoint(RundeGerade(x), RundeGerade(y));
}

QPoint MiniMarkenPunkt(const QRect& Mini, int pw, int ph, double Px, double Py)
{
    return QPoint(RundeGerade(pw * Px) + Mini.left() + (Mini.width() - pw) / 2 - 2,
                  RundeGerade(ph * Py) + Mini.top() + (Mini.height() - ph) / 2 - 2);
}

void BildpunktZuKarte(int X, int Y, const QRect& Img, int pw, int ph, const TRect& A, double& Px, double& Py)
{
    const int ox = RundeGerade((Img.width() - pw) / 2.0 + Img.left());
    const int oy = RundeGerade((Img.height() - ph) / 2.0 + Img.top());
    const double fx = pw > 0 ? double(X - ox + 1) / pw : 0.0;
    const double fy = ph > 0 ? double(Y - oy + 1) / ph : 0.0;
    Px = std::clamp(fx * (A.Right - A.Left) / 10000.0 + A.Left / 10000.0, 0.0, 1.0);
    Py = std::clamp(fy * (A.Bottom - A.Top) / 10000.0 + A.Top / 10000.0, 0.0, 1.0);
}

} // namespace zl
