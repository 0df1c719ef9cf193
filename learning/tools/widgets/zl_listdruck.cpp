#include "learning/tools/widgets/zl_listdruck.h"

#include <QLabel>

namespace zl
{

TListDruckForm::TListDruckForm(QWidget* parent) : TDruckDialog(QStringLiteral("Liste drucken"), parent)
{
    setObjectName(QStringLiteral("ListDruckForm"));
    HinweisLab = new QLabel(QStringLiteral("Die Schriftgröße wird automatisch angepasst. "
                                           "Wählen Sie unter \"Einrichten\" ggf. das Querformat."),
                            Panel1);
    HinweisLab->setObjectName(QStringLiteral("HinweisLab"));
    HinweisLab->setWordWrap(true);
    PanelHoehe = 56;
    PasseGroesseAn(400);
}

void TListDruckForm::OrdnePanel(int Breite)
{
    HinweisLab->setGeometry(10, 8, Breite - 20, 40);
}

bool TListDruckForm::Drucke()
{
    TDruckauftrag Auftrag(Drucker());
    if (!Auftrag.Beginne())
        return false;
    const TDruckSeite Seite = Auftrag.Seite(180, 180, 180, 180);
    const QStringList Leer;
    const QStringList& Zeilen = Druckzeilen ? *Druckzeilen : Leer;
    if (DruckeListe(Auftrag.Canvas(), Seite, Zeilen, [&] { return Auftrag.NeueSeite(); }) == 0)
        return false;
    return Auftrag.Beende();
}

} // namespace zl
