#pragma once

// The layouts of the print dialogs without a printer: the printer line, the
// side-ratio rule of the map dialog, and the table and list printouts on any
// canvas whose logical unit is 0.1 mm.

#include "platform/Canvas.h"

#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace zl
{

// The printer line of every print dialog: the device name, " an " and the port
// when there is one; "- Kein Drucker -" without a device name.
QString DruckerInfoText(const QString& Name, const QString& Port);

// The height for a width (and the width for a height) that keeps the section's
// side ratio a (width / height) in the output area R (fractions of the drawing
// rectangle, as the map output takes it). Nothing when a or the area is not a
// positive finite number (no section drawn yet) or the given length is not positive.
std::optional<double> RatioHoehe(double Breite, const QRectF& R, double a);
std::optional<double> RatioBreite(double Hoehe, const QRectF& R, double a);

// A length in centimetres as whole tenths of a millimetre (half to even).
int CmInZehntelMm(double Zentimeter);

// Where a printout may draw, in 0.1 mm from the printable area's corner: the
// margins (already reduced by the unprintable border), the usable width and the
// bottom limit.
struct TDruckSeite {
    int L = 0, T = 0, U = 0, B = 0;
};
// The page of a printout with the given margins on a paper of W x H before the
// unprintable border is taken off: U = W - L - Rechts, B = H - T - Unten.
TDruckSeite Druckseite(int W, int H, int L, int T, int Rechts, int Unten);

// Starts the next page; false when the job failed (printing then stops).
using TNeueSeite = std::function<bool()>;

// A table as it is printed: the grid's rows, its screen column widths and
// alignments (0 left, 1 centre, 2 right), and the optional extra lines with their
// cells each followed by "~".
struct TTabellenDruck {
    QList<QStringList> Zeilen;
    QList<int> Spaltenbreiten;
    QList<int> Ausrichtungen;
    QString Ueberschrift;
    QString Kopfzeile;
    QString Summenzeile;
};

// The column edges x[0] = L, x[i+1] = x[i] + Round(width[i] / total * U).
QList<int> Spaltenkanten(const QList<int>& Breiten, int L, int U);

// Prints the table: Arial 40, title, heading with its rule, the rows (a new page
// when the next row would pass B), the sum row with a rule along its top. Returns
// the number of pages used, 0 when a new page could not be started.
int DruckeTabelle(TCanvas& Canvas, const TDruckSeite& Seite, const TTabellenDruck& Tabelle,
                  const TNeueSeite& NeueSeite);

// The height of "Courier New" (40 down to 20) at which n letters "X" fit the width U.
int ListenSchrifthoehe(TCanvas& Canvas, int n, int U);
// Prints the lines unwrapped, one a line, at the height above. Returns the number
// of pages used, 0 when a new page could not be started.
int DruckeListe(TCanvas& Canvas, const TDruckSeite& Seite, const QStringList& Zeilen, const TNeueSeite& NeueSeite);

} // namespace zl
