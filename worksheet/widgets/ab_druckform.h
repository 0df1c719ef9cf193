#pragma once

// "Arbeitsblatt drucken": position and size of the printed page in centimetres, and the print
// of the page metafile itself.

#include "platform/Metafile.h"
#include "worksheet/ab_einstellungen.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPrinter;
class QPushButton;

namespace zl
{
class TNumEditQ;
}

namespace zl::ab
{

// The printer line: name + " an " + port, only the name without a port, "- Kein Drucker -".
QString DruckerZeile(const QPrinter& Drucker);

// Prints the page stretched into the rectangle of the print values (0.1 mm, margins from the
// paper's edge) as one job; false with the box shown when there is no printer, the job does not
// start or the values are unusable (those are replaced by the defaults first).
bool DruckeArbeitsblatt(QPrinter& Drucker, const TMetafile& Seite, const TDruckWerte& Werte);

class TDruckForm : public QDialog
{
  public:
    explicit TDruckForm(QWidget* parent = nullptr);

    // Fills the dialog for the page's ratio (width / height) and the printer.
    void Zeige(const TDruckWerte& Werte, double Seitenverhaeltnis, const QPrinter& Drucker);
    TDruckWerte Werte() const;

    QCheckBox* SeitRatio;
    TNumEditQ *LinksEdit, *ObenEdit, *BreiteEdit, *HoeheEdit;
    QLabel* DruckerInfo;
    QPushButton *DruckBtn, *AbbrechenBtn, *DrEinrBtn;
    // "Einrichten...": the printer set-up; the window then shows the printer line again.
    std::function<void()> OnEinrichten;
    void ZeigeDrucker(const QPrinter& Drucker);

    void SeitRatioClick();
    void BreiteEditChange();
    void HoeheEditChange();

  private:
    double m_r = 1001.0 / 1625.0;
};

} // namespace zl::ab
