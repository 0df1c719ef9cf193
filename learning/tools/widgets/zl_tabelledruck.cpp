#include "learning/tools/widgets/zl_tabelledruck.h"

#include "controls/StringGrid2.h"

namespace zl
{

TTabDruckForm::TTabDruckForm(QWidget* parent) : TDruckDialog(QStringLiteral("Tabelle drucken"), parent)
{
    setObjectName(QStringLiteral("TabDruckForm"));
    PanelHoehe = 10;
    PasseGroesseAn(400);
}

TTabellenDruck TTabDruckForm::Druckdaten() const
{
    TTabellenDruck d;
    d.Ueberschrift = Ueberschrift;
    d.Kopfzeile = Kopfzeile;
    d.Summenzeile = Summenzeile;
    if (!Tabelle)
        return d;
    for (int c = 0; c < Tabelle->ColCount(); ++c) {
        d.Spaltenbreiten.append(Tabelle->ColWidths(c));
        d.Ausrichtungen.append(Tabelle->GetColAlign(c));
    }
    const int n = Zeilenanzahl < 0 ? Tabelle->RowCount() : std::min(Zeilenanzahl, Tabelle->RowCount());
    for (int r = 0; r < n; ++r) {
        QStringList z;
        for (int c = 0; c < Tabelle->ColCount(); ++c)
            z.append(Tabelle->Cells(c, r));
        d.Zeilen.append(z);
    }
    return d;
}

bool TTabDruckForm::Drucke()
{
    TDruckauftrag Auftrag(Drucker());
    if (!Auftrag.Beginne())
        return false;
    const TDruckSeite Seite = Auftrag.Seite(250, 180, 250, 180);
    if (DruckeTabelle(Auftrag.Canvas(), Seite, Druckdaten(), [&] { return Auftrag.NeueSeite(); }) == 0)
        return false;
    return Auftrag.Beende();
}

} // namespace zl
