#pragma once

// The result window at the end of an exercise: the protocol, the grade and its
// scale, and the ways on (repeat, new exercise, learning map), saving, copying
// and printing the protocol.

#include "controls/Buttons2.h"
#include "learning/mapview/widgets/zl_gestaltung.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QString>

#include <functional>

namespace zl
{

class TUebErgebForm : public QDialog
{
  public:
    explicit TUebErgebForm(QWidget* parent = nullptr);

    // Start folder of the protocol save dialog.
    QString SaveProtokollVerz;

    // Protocol, grade label and scale of a finished exercise. Farbe: the grade's
    // band colour as 0xRRGGBB.
    void SetzeErgebnis(const QString& Protokoll, double Quote, const QString& Bewertung, std::uint32_t Farbe);
    // Draws the grade scale with the rate's marker into BewertSkalaImg.
    void ZeichneNotenskala(double Quote);
    // True: the follow-up buttons and the repeat option; false: only "Schließen".
    void SetzeErgebnisKnoepfe(bool Sichtbar);

    // Writes the protocol to the file (Windows-1252, CR LF), replacing it only
    // after a complete write. False after the error box; the old file stays.
    bool SpeichereProtokoll(const QString& Datei);
    void KopiereProtokoll();

    // Asks for the file to save to; empty when cancelled (tests replace it).
    std::function<QString(const QString& StartVerz)> FrageSpeicherDatei;
    std::function<void()> LesezeichenSetzen;

    TImage* MainBackImg;
    QWidget* Panel1;
    QPlainTextEdit* Memo1;
    QLabel *BewertungTitelLab, *BewertungLab;
    TImage* BewertSkalaImg;
    TBitBtn2 *NeueUebungBtn, *UebNochmalBtn, *AbbruchBtn, *CloseBtn, *SpeichernBtn, *ZwischenablageBtn, *DruckenBtn,
        *LesezeichenBtn;
    QCheckBox* ExaktCheck1;

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void SpeichernClick();
    void DruckenClick();
    double quote_ = 0;
};

inline TUebErgebForm* UebErgebForm = nullptr;

} // namespace zl
