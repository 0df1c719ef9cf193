#pragma once

// "Abfrageobjekte auswählen": the manual choice of a worksheet's objects from a check list.

#include "worksheet/ab_arbeitsblatt.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace zl::ab
{

class TObjHinzuForm : public QDialog
{
  public:
    explicit TObjHinzuForm(QWidget* parent = nullptr);

    // Fills the check list (items as HinzuKandidaten gives them) and the file line.
    void Fuelle(const QList<THinzuEintrag>& Eintraege);
    // The label indexes of the checked items in list order.
    QList<int> Gewaehlt() const;
    int AnzahlGewaehlt() const;

    QLabel* DateiLab;
    QLabel* AnzCheckedLab;
    QListWidget* HinzuListBox;
    QPushButton *AlleBtn, *KeineBtn, *ZuruecksetzenBtn, *OKBtn, *AbbrechenBtn;

    void accept() override;

  private:
    void ZeigeAnzahl();
    QList<bool> m_urspruenglich;
};

} // namespace zl::ab
