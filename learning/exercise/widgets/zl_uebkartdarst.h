#pragma once

// The map style of the exercise pictures.

#include "controls/Buttons2.h"
#include "learning/mapview/widgets/zl_gestaltung.h"

#include <QDialog>
#include <QRadioButton>

#include <array>

class QFrame;

namespace zl
{

class THauptfensterHost;

class TUebKartDarstForm : public QDialog
{
  public:
    explicit TUebKartDarstForm(QWidget* parent = nullptr);
    // The main window it works for; none: it works alone.
    THauptfensterHost* Host = nullptr;

    // Checks the button of the code ("RS", "RH", "PF", "PW"; none for another value).
    void ZeigeKartTyp(const QString& Typ);
    // The checked button's code, or the given one when none is checked.
    QString GewaehlterKartTyp(const QString& Bisher) const;
    // Runs the dialog; on "OK" sets Typ. Returns whether it was confirmed.
    bool Bearbeite(QString& Typ);

    TImage* MainBackImg;
    QRadioButton *KartRS, *KartRH, *KartPF, *KartPW;
    std::array<TImage*, 4> Muster{}; // Image5, Image10, Image11, Image13
    QFrame* CheckMarkRahm2;
    TBitBtn2 *OKBtn, *AbbrBtn;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

inline TUebKartDarstForm* UebKartDarstForm = nullptr;

} // namespace zl
