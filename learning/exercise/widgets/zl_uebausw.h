#pragma once

// The exercise selection window: kind, intensity, number of questions, question
// types, map style, bookmark and the class-exercise options of the map's exercise.

#include "controls/Buttons2.h"
#include "learning/mapview/widgets/zl_gestaltung.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include <array>
#include <functional>

namespace zl
{

class THauptfensterHost;
struct UebungDataTyp;

class TUebAuswForm : public QDialog
{
  public:
    explicit TUebAuswForm(QWidget* parent = nullptr);
    // The main window it works for; none: it works alone.
    THauptfensterHost* Host = nullptr;

    // Lays the window out for entry Index of UebungsDaten (the main window's step 6).
    void Fuelle(int Index, const UebungDataTyp& Eintrag);
    // n + " von 23 ausgewählt" of the kind "Individuell".
    void ZeigeFragTypAnzahl();
    void ZeigeKartenvorschau();
    // IntensGroup's item index 0..2 (-1: none).
    int IntensIndex() const;
    void SetzeIntensIndex(int i);
    // The number of questions chosen in FragAnzCombo.
    int FragAnzahl() const;

    // The start check; true when the exercise started (the window is then closed).
    std::function<bool()> PruefeStart;
    // The bookmark of this choice and the participant's join.
    std::function<void()> LesezeichenSetzen;
    std::function<void()> NetzTeilnehmen;

    // The seed proposed for the next exercise (edited in the network options).
    QString RandSeedText;

    TImage* MainBackImg;
    QWidget *Panel1, *UebAuswPan, *Shape1, *RandSeedPan;
    TImage* UebKartVorschauImg;
    QLabel *Label1, *UebTitLab, *UTitLab, *FrageTypInfoLab, *RandSeedLab1, *RandSeedLab2, *FragAnzHinweisLab;
    std::array<QRadioButton*, 4> UebRadio{};
    std::array<QLabel*, 4> UebAuswLab{};
    QGroupBox *IntensGroup, *GroupBox1;
    std::array<QRadioButton*, 3> IntensRadio{};
    QComboBox* FragAnzCombo;
    TBitBtn2 *UebOptBtn, *KartDarstBtn, *CloseBtn, *StartBtn, *NetzUebungTeilnehmenBtn, *LesezeichenBtn, *AbbrBtn;
    QCheckBox* NetzwerkUebung1;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormActivate();
    void StartBtnClick();
    void UebOptBtnClick();
    void KartDarstBtnClick();
};

inline TUebAuswForm* UebAuswForm = nullptr;

} // namespace zl
