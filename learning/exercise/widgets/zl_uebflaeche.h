#pragma once

// The exercise view of the main window: its controls (question bar, answer
// buttons, question picture with pointers, status line), the showing of each
// question, answers by click, key, pointing and drag and drop, the feedback, the
// waits, the end with the result window, and the menu items of the exercises.
// The questions, counts and protocol come from the engine (TUebung).

#include "controls/HoverPanel.h"
#include "controls/ShadLab.h"
#include "learning/exercise/zl_uebanzeige.h"
#include "learning/exercise/zl_uebung.h"
#include "learning/mapview/widgets/zl_gestaltung.h"

#include <QCursor>
#include <QImage>
#include <QObject>
#include <QPoint>

#include <array>
#include <functional>
#include <memory>

class QKeyEvent;
class QTimer;

namespace zl
{

class TAnsichtHost;
class TLesezeichenMenue;

// The main window's places the exercise screen works in.
struct TUebungsFlaechen {
    QWidget* UebenPan = nullptr;              // view 3: question bar and answers
    QWidget* UebStatusPan = nullptr;          // the status line
    TImage* StatusHintergrund = nullptr;      // its background (StatBackImg2) ...
    const TImage* StatusBild = nullptr;       // ... showing the status-bar picture (StatBackImg1)
    const QWidget* StatusNachbar = nullptr;   // the status line begins right of this view button
    const QWidget* Hauptflaeche = nullptr;    // and ends inside the client area
    THoverPanel* UebungenBtn = nullptr;       // pressed while the selection is open
    QTimer* ZeitTimer = nullptr;              // the clock of the views 3 and 4
    TLesezeichenMenue* Lesezeichen = nullptr; // bookmarks of the selection and the result
};

// The feedback media; tests replace them with fakes.
struct TUebMedien {
    std::function<void()> RichtigVideo, FalschVideo, RichtigTon, FalschTon, RichtigStandbild, FalschStandbild;
};

class TUebungsAnsicht : public QObject
{
  public:
    // Creates the controls in the panels of Flaechen; Host must outlive the view. The
    // main window connects the exercise menu items to the handlers below.
    TUebungsAnsicht(TAnsichtHost& Host, const TUebungsFlaechen& Flaechen);
    ~TUebungsAnsicht() override;

    TUebung& Engine() { return *engine_; }
    // A new engine with another clock (tests); its listener stays.
    void SetzeUhr(TUebUhr Uhr);

    // Waits (ms, with window messages or frozen), the "&Weiter" prompt and the media.
    std::function<void(std::uint32_t, bool)> Warten;
    std::function<void()> WeiterHinweis;
    // The standard "&Weiter" prompt: the video window shown modally with its button.
    void ZeigeWeiterHinweis();
    TUebMedien Medien;

    // ---- Menu items and the selection -------------------------------------------------
    void UebungStart1Click();
    bool PruefeUebungsstart();
    // "&Lesezeichen setzen..." of the selection.
    void LesezeichenDerAuswahl();
    // Starts an exercise of the exercise map with its region; Seed 0 draws a new one.
    bool StarteUebung(const QString& KartID, int Gebiet, std::int32_t Seed, int Intensitaet);
    // The start of a restored exercise bookmark: the exercise view with its first question.
    void StarteLesezeichenUebung1(const TUebStart& S);
    void LetzteUebung1Click();
    void Fragetypen1Click();
    void UebKartDarstClick();

    // ---- Screen -----------------------------------------------------------------------
    void OrdneUebungsFlaeche();
    void OrdneAntwortKnoepfe(int Modus);
    void OrdneStatusZeile();
    // Shows the engine's current question.
    void ZeigeFrage();
    void ZeigeUebungsStatus(int Level);
    void ZeigeUebungsZeit();

    // ---- Answers ----------------------------------------------------------------------
    // The click handler of letter n (1..5) of buttons, pictures, panels and pointers.
    void AKlick(int n);
    // Answer 1..5 (single choice), 0 evaluates the assignment block.
    void WerteAntwortAus(int Antwort, THoverPanel* Knopf);
    // The exercise keys (A..E, 1..5); true when the key was used.
    bool Taste(QKeyEvent* Key);
    bool Taste(const QString& Text);

    // ---- Drag and drop (assignment questions) ----------------------------------------
    // A target t > 0 or a name -i being dragged.
    void SetzeZiehQuelle(int Quelle);
    // Start of a drag on name i's marker or on target arrow t.
    void BeginneZiehenName(int i);
    void BeginneZiehenZiel(int t);
    // Drops the dragged item on the widget (a name's button, panel or marker, or a
    // target arrow). False when the widget takes no drop (the drag is refused).
    bool LasseFallen(QWidget* Ziel);
    // End of a drag, dropped or not.
    void EndeZiehen();
    void OrdneZu(int Name, int Ziel);
    void PlatziereZuordnungen();
    void ZeigeZuordnungsLoesung();
    const TZuordnung& Zuordnung() const { return zuordnung_; }
    int ZiehQuelle() const { return ziehQuelle_.Wert; }

    // ---- Controls ---------------------------------------------------------------------
    QWidget *FragePan, *AntPan, *FPicPan;
    TImage *MainBackImg3, *MainBackImg4;
    TShadowLabel* FragLab;
    TImage* FPicImg;
    std::array<THoverPanel*, 5> ABtn{}, AShape{};
    std::array<TImage*, 5> AImg{}, AShapeImg{}, FPfeilImgX{}, ZgesetztImg{};
    std::array<TShadowLabel*, 5> AntwLab{};
    TImage *FPfeilImg, *FRahmImgR, *FRahmImgF, *FRahmDrag;
    TShadowLabel *FragNrLab, *RichtigLab, *FalschLab, *QuoteLab, *UebZeitLab;
    // Picture sources: the empty marker, the dragged marker, the letter marks and the frames.
    QImage ZRahmPfeil, ZRahmPfeilMark;
    std::array<QImage, 5> FMarkBild;
    QImage RahmenGesetzt, RahmenRichtig, RahmenFalsch, RahmenZiehen;

    // The teacher's generated protocol (the answer key), for the teacher's protocol window.
    QString LehrerProtokoll;

  protected:
    bool eventFilter(QObject* Obj, QEvent* Event) override;

  private:
    void ErzeugeSteuerelemente();
    void ZeigeBild();
    void PlatziereZeiger(TImage* Zeiger, const TZeiger& Z);
    void FaerbeRichtig(THoverPanel* Knopf);
    void FaerbeFalsch(THoverPanel* Knopf);
    void Effekt(bool Richtig);
    void RahmenUm(TImage* Rahmen, const QImage& Bild, const TImage* Pfeil);
    // Waits and reports whether the same exercise still runs in the exercise view.
    bool WarteUndPruefe(std::uint32_t ms, bool MitNachrichten, int Serie);
    bool NochAktiv(int Serie) const;
    void BeendeUebungsAnzeige();
    void ZeigeUebungsErgebnis();
    void Scheitern();
    void NetzUebungBereit();
    int Level() const;
    int NameVon(const QWidget* w) const;
    int ZielVon(const QWidget* w) const;
    bool IstZuordnung() const;

    TAnsichtHost& H;
    TUebungsFlaechen Fl;
    std::unique_ptr<TUebung> engine_;
    QWidget* statusPan_ = nullptr;
    Uebungszustand* uebung_ = nullptr;
    TZuordnung zuordnung_;
    TZiehQuelle ziehQuelle_;
    int fokusName_ = 0;
    bool frageAngezeigt_ = false;
    bool ergebnisDa_ = false; // the result window holds the last finished exercise
    QString letzteZeit_;
    // The fitted question picture of the last path and size, and where it lies on FPicImg.
    QString bildPfad_;
    QSize bildBox_;
    QImage bildCache_;
    QRect bildRect_;
    // A press on a draggable control, before the mouse moved far enough.
    QObject* druckQuelle_ = nullptr;
    QPoint druckPunkt_;
    bool zieht_ = false;
    // The cursors of a drag: over a place that takes the drop, and over one that does not.
    QCursor ziehCursor_, keinAblegenCursor_;
};

} // namespace zl
