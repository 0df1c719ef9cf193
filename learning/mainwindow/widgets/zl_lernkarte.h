#pragma once

// View 2 of the main window: the learning map (section picture with labels, pointer arrow)
// and its right column (object-type and intensity tabs, the learning list, country facts,
// zoom buttons and mini-map), with the zoom, scroll, layer and display menus.

#include "learning/mapview/widgets/zl_lernkarte_steuer.h"
#include "learning/mapview/zl_lernkartenbild.h"
#include "learning/mapview/zl_lernlisten.h"

#include <QObject>

#include <array>

class QAction;
class QCheckBox;
class QLabel;
class QListWidget;
class QTableWidget;

namespace zl
{

class TForm1;
class THoverPanel;
class TImage;

class TLernkarteAnsicht : public QObject
{
  public:
    // Creates the controls in Form.LernKartPan and Form.LernObjPan and the items of the menus
    // "&Ansicht", "&Kartendarstellung" and "&Beschriftungen".
    explicit TLernkarteAnsicht(TForm1& Form);

    void ZeigeLernkarte();
    void ZaehleLernObjekte();
    void FuelleLernlisten(bool MitIntensitaet);
    void AktualisiereLernlisten(bool MitIntensitaet);
    void ZeigeObjektListe(int Reiter);
    void SetzeIntensitaet(int Stufe);
    void WaehleLernObjekt(int i, bool InListeWaehlen);
    void ZeigeLaenderInfo(int i);
    void AktualisiereKartendarstellung();
    void PositioniereReiterTrenner();
    void PasseLernlisteAn();

    void SetzeZoomStufe(int Stufe);
    void SetzeZoom(int Stufe);
    void ZeichneLernkarte();
    void Befehl(TViewportBefehl B);
    void PositioniereZeiger(double Px, double Py);
    void PositioniereMiniMarke(double Px, double Py);
    // The map position under a pixel of LernKartPan (the label editor's click), held to 0..1.
    void BildpunktZuKarte(int X, int Y, double& Px, double& Py) const;
    void LernListKlick();
    void LernListTaste(QChar Zeichen);
    void SetzeKartTyp(const QString& Typ);
    void SetzeKartenschrift(int Stil);
    void SetzeFontFakIndex(int Index);
    void EbeneKlick(int Ebene);            // a layer menu item was toggled (0..5)
    void UebernehmeEbenenHaken(int Ebene); // a layer box was clicked (0..4)
    void AlleEbenen(bool An);
    // The layer items' checks, as the renderer reads them.
    std::array<bool, kEbenen> Ebenen() const;
    // The label index of the selected list entry, -1 when none.
    int GewaehltesObjekt() const;

    const TLernObjAnzahl& LernObjAnzahl() const { return m_anzahl; }
    const TLernkartenBild& KartenBild() const { return m_bild; }

    // Controls (object names as the fields).
    TImage* LernKartBackImg;
    TImage* LernInfoBackImg; // background of the right column
    TBildFlaeche* LernKartPicImg;
    TZeigerPfeil* LernPfeilImg;
    QWidget* LernObjFlaeche; // the object panel of the right column
    QWidget* LernZoomPan;
    QWidget *ObjReiterPan, *IntensReiterPan, *ReiterTrennPan, *LernObjShape;
    std::array<THoverPanel*, 5> ObjCheckPan;
    std::array<QCheckBox*, 5> LernObjListCheck;
    std::array<THoverPanel*, 5> ReiterKnopf; // LernListLaenderBtn .. LernListInselnBtn
    std::array<THoverPanel*, 3> IntensPan;
    QListWidget* LernList;
    QWidget* LernInfoFlagPan;
    TBildFlaeche* LernInfoFlagImg;
    QLabel* LernInfoFlagLab;
    QTableWidget* LernInfoGrid;
    THoverPanel* HSInfoZusatzPan;
    QWidget* ZoomKnopfPan;
    THoverPanel *ZoomInPan, *ZoomOutPan;
    std::array<THoverPanel*, 5> ZoomPan;
    TBildFlaeche* LernKartMiniImg;
    TMiniMarke* LernKartMiniMark;
    TRahmenForm* LernKartMiniShape;
    // Menu items.
    QAction *Hineinzoomen1, *Herauszoomen1, *Standardgroesse1, *Links1, *Rechts1, *Oben1, *Unten1;
    std::array<QAction*, 4> KartTypPunkt;
    QAction *SchriftKontrast1, *SchriftNormal1;
    std::array<QAction*, 3> SchriftGroesse;
    std::array<QAction*, 3> IntensPunkt;
    std::array<QAction*, kEbenen> LernObjCheck;
    QAction *AlleEinblenden1, *AlleAusblenden1;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ErzeugeMenues();
    void OrdneSpalte();
    void MiniKarteMaus(QMouseEvent* e, bool Klick);
    TForm1& F;
    TLernObjAnzahl m_anzahl{};
    TLernkartenBild m_bild;
    QRect m_kartPanRect;
    bool m_listeProgramm = false; // the program changes the list's selection
};

} // namespace zl
