#pragma once

// The printer that every print dialog of the learning program uses, its line in
// the dialogs, its set-up dialog, and one print job in 0.1 mm with the wait
// message.

#include "learning/tools/zl_drucklayout.h"
#include "platform/Canvas.h"

#include <QDialog>
#include <QPainter>
#include <QString>

#include <functional>
#include <memory>

class QGroupBox;
class QLabel;
class QPrinter;
class QWidget;

namespace zl
{

// The program's printer (the system's default printer, created on first use).
QPrinter& Drucker();
// The printer line for a printer: its name (a PDF file counts as "PDF" at that file).
QString DruckerInfoText(const QPrinter& Printer);
// ZeigeDrucker: writes the current printer's line into the panel.
void ZeigeDrucker(QLabel* DruckerInfo);
// PrinterSetupDialog1: the set-up dialog for the program's printer.
void DruckerEinrichten(QWidget* Parent);

// One print job: shows "Ausdruck wird vorbereitet.||Bitte warten.", starts the job
// in 0.1 mm and hides the message again when it ends (also on failure).
class TDruckauftrag
{
  public:
    explicit TDruckauftrag(QPrinter& Printer);
    ~TDruckauftrag();
    TDruckauftrag(const TDruckauftrag&) = delete;
    TDruckauftrag& operator=(const TDruckauftrag&) = delete;

    // Starts the job; false after an error box (no printer, the job did not start).
    bool Beginne();
    // The page for margins measured from the paper's edge (before the unprintable
    // border is taken off); U and B as the printout's rule.
    TDruckSeite Seite(int L, int T, int Rechts, int Unten);
    TCanvas& Canvas() { return *m_canvas; }
    bool NeueSeite();
    // Ends the job; false when it failed.
    bool Beende();

    int PapierBreite = 0, PapierHoehe = 0; // 0.1 mm

  private:
    QPrinter& m_printer;
    QPainter m_painter;
    std::unique_ptr<TCanvas> m_canvas;
    bool m_aktiv = false;
};

// What the three print dialogs share: the printer group " Drucker " with its line,
// "Drucken" (default, closes with OK and prints), "Abbrechen" and "Einrichten...".
class TBitBtn2;
class TImage;
class TDruckDialog : public QDialog
{
  public:
    explicit TDruckDialog(const QString& Titel, QWidget* parent = nullptr);

    // Prints; the dialog closes with OK first.
    virtual void DruckBtnClick() = 0;
    void DrEinrBtnClick();
    // Shows the dialog modally; tests replace it, so no test waits on a window.
    std::function<int()> ZeigeModal;

    TImage* MainBackImg;
    QWidget* Panel1; // the dialog's own controls go here
    QGroupBox* DruckerGruppe;
    QLabel* DruckerInfo;
    TBitBtn2 *DruckBtn, *AbbrechenBtn, *DrEinrBtn;

  protected:
    // Background, buttons, printer line, focus on "Drucken" (subclasses add theirs).
    virtual void FormActivate();
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Lays out Panel1's own controls in the given width.
    virtual void OrdnePanel(int Breite) { Q_UNUSED(Breite); }
    // The dialog's size for its width: the own controls (PanelHoehe high), the
    // printer group and the button row.
    void PasseGroesseAn(int Breite);
    int PanelHoehe = 120;
};

inline const QString kDruckMeldung = QStringLiteral("Ausdruck wird vorbereitet.||Bitte warten.");

} // namespace zl
