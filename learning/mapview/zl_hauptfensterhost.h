#pragma once

// The learning program's main window as the windows of the exercises, the tools and
// the class exercise see it. They never reach the main window otherwise: it implements
// these interfaces, and tests pass a small fake.

#include "learning/mapview/zl_zustand.h"

#include <QString>

#include <array>

class QPrinter;
class QRect;
class QRectF;
class QWidget;

namespace zl
{

// What the subsystems' dialogs ask of the main window.
class THauptfensterHost
{
  public:
    virtual ~THauptfensterHost() = default;

    // The state the windows read and set.
    virtual HauptfensterZustand& Fensterzustand() = 0;
    // Writes one value (by its name in EinstellungsNamen) from the state to the settings.
    virtual void SchreibeEinstellung(const QString& Name) = 0;
    // The window itself: the dialogs' owner and screen.
    virtual QWidget* Hauptfenster() = 0;

    // The place-name search: an empty term asks through the search dialog, a given one
    // searches at once without a map filter.
    virtual void FuehreSucheAus(QString Begriff, bool NurGanzWort, bool NurGanzStr) = 0;
    // The search button's pressed look while the result window is active.
    virtual void SetzeSuchKnoepfe(bool Gedrueckt) = 0;
    // Shows the label of a hit on the learning map (asking first when an exercise or a
    // puzzle would be left).
    virtual void ZeigeSuchtreffer(int Index) = 0;
    // Hides the learning map's pointer arrow.
    virtual void VersteckeLernPfeil() = 0;
    // The two buttons of the country table.
    virtual void SetzeDatentabelleKnoepfe(bool Gedrueckt) = 0;

    // Deletes the class exercise's command file from the communication folder.
    virtual void LoescheNetzDatei() = 0;
    // The menu item "Kommunikationsver&zeichnis..." (nothing while it is disabled).
    virtual void WaehleKommunikationsverzeichnis() = 0;

    // Prints the learning map's section into Box (0.1 mm) with the output area Flaeche;
    // false after an error box.
    virtual bool DruckeKarte(QPrinter& Drucker, const QRect& Box, const QRectF& Flaeche) = 0;
};

// The checkable option items of the main window's menus, by their item names.
enum class TOptionsPunkt {
    Sound1,
    AnredeDu,
    Animation_ein,
    Animation_aus,
    Animation_Standbild,
    FragWeiterAuto,
    FragWeiterManuell,
    Puzzle4x4,
    Puzzle5x5,
    PuzzleMode0,
};

// What the screens that live in the main window's panels (exercise, puzzle) and its
// bookmarks ask beyond that.
class TAnsichtHost : public THauptfensterHost
{
  public:
    // The item is checked.
    virtual bool Gewaehlt(TOptionsPunkt Punkt) const = 0;
    // Checks the item (the others of its group go off) without running its click.
    virtual void Waehle(TOptionsPunkt Punkt) = 0;
    // The checks of every option item from Fensterzustand().Wahl.
    virtual void ZeigeMenueWahl() = 0;

    // Shows the panels and view buttons of Fensterzustand().Ansichtsmodus and the menu states.
    virtual void ZeigeModus() = 0;
    // The leave check (see zl_zustand.h) with the current form of address and puzzle.
    virtual bool ModusVerlassenErlaubt(ModusMenge Modi) = 0;
    // Sets the window caption and the application title.
    virtual void SetzeTitel(const QString& Titel) = 0;
    // The label editor window is visible.
    virtual bool ObjEditorSichtbar() const = 0;

    // Enters view 2 and shows the learning map of AktKartID.
    virtual void ZeigeLernkarte() = 0;
    // Sets the zoom level and redraws the learning map.
    virtual void SetzeZoom(int Stufe) = 0;
    // Shows the learning intensity on the tabs.
    virtual void SetzeIntensitaet(int Intensitaet) = 0;
    // Menu marks of display type, label style and font size.
    virtual void AktualisiereKartendarstellung() = 0;
    // The label layers 1 to 5 of the learning map (menu items and list boxes).
    virtual std::array<bool, 5> Ebenen() const = 0;
    virtual void SetzeEbenen(const std::array<bool, 5>& Ebenen) = 0;

    // The participant's join ("An Netzwerk-Übung &teilnehmen...").
    virtual void NetzUebungTeilnehmen() = 0;
};

} // namespace zl
