#pragma once

// A small stand-in for Kartivo's main window, for the windows of the exercises, the
// tools and the class exercise: it holds a state and the option checks, answers from
// them and records every call it gets, one line each ("ZeigeSuchtreffer 3").

#include "learning/mapview/zl_hauptfensterhost.h"

#include <QRect>
#include <QRectF>
#include <QStringList>
#include <QWidget>

#include <set>

namespace zl::test
{

class FakeHauptfenster : public TAnsichtHost
{
  public:
    HauptfensterZustand Zustand;
    QWidget Fenster;
    std::set<TOptionsPunkt> Gewaehlte{TOptionsPunkt::AnredeDu, TOptionsPunkt::FragWeiterAuto};
    std::array<bool, 5> LernEbenen{true, false, false, false, false};
    bool EditorSichtbar = false;
    bool VerlassenErlaubt = true;
    QStringList Aufrufe;

    // Takes and clears the calls recorded so far.
    QStringList Nimm()
    {
        QStringList a = Aufrufe;
        Aufrufe.clear();
        return a;
    }

    HauptfensterZustand& Fensterzustand() override { return Zustand; }
    void SchreibeEinstellung(const QString& Name) override { Aufrufe << QStringLiteral("SchreibeEinstellung ") + Name; }
    QWidget* Hauptfenster() override { return &Fenster; }
    void FuehreSucheAus(QString Begriff, bool NurGanzWort, bool NurGanzStr) override
    {
        Aufrufe << QStringLiteral("FuehreSucheAus %1 %2 %3").arg(Begriff).arg(NurGanzWort).arg(NurGanzStr);
    }
    void SetzeSuchKnoepfe(bool Gedrueckt) override { Aufrufe << QStringLiteral("SetzeSuchKnoepfe %1").arg(Gedrueckt); }
    void ZeigeSuchtreffer(int Index) override { Aufrufe << QStringLiteral("ZeigeSuchtreffer %1").arg(Index); }
    void VersteckeLernPfeil() override { Aufrufe << QStringLiteral("VersteckeLernPfeil"); }
    void SetzeDatentabelleKnoepfe(bool Gedrueckt) override
    {
        Aufrufe << QStringLiteral("SetzeDatentabelleKnoepfe %1").arg(Gedrueckt);
    }
    void LoescheNetzDatei() override { Aufrufe << QStringLiteral("LoescheNetzDatei"); }
    void WaehleKommunikationsverzeichnis() override { Aufrufe << QStringLiteral("WaehleKommunikationsverzeichnis"); }
    bool DruckeKarte(QPrinter&, const QRect& Box, const QRectF&) override
    {
        Aufrufe << QStringLiteral("DruckeKarte %1 %2 %3 %4").arg(Box.x()).arg(Box.y()).arg(Box.width()).arg(Box.height());
        return true;
    }

    bool Gewaehlt(TOptionsPunkt Punkt) const override { return Gewaehlte.count(Punkt) > 0; }
    void Waehle(TOptionsPunkt Punkt) override { Gewaehlte.insert(Punkt); }
    void ZeigeMenueWahl() override { Aufrufe << QStringLiteral("ZeigeMenueWahl"); }
    void ZeigeModus() override { Aufrufe << QStringLiteral("ZeigeModus %1").arg(Zustand.Ansichtsmodus); }
    bool ModusVerlassenErlaubt(ModusMenge) override { return VerlassenErlaubt; }
    void SetzeTitel(const QString& Titel) override { Aufrufe << QStringLiteral("SetzeTitel ") + Titel; }
    bool ObjEditorSichtbar() const override { return EditorSichtbar; }
    void ZeigeLernkarte() override { Aufrufe << QStringLiteral("ZeigeLernkarte ") + Zustand.AktKartID; }
    void SetzeZoom(int Stufe) override { Aufrufe << QStringLiteral("SetzeZoom %1").arg(Stufe); }
    void SetzeIntensitaet(int Intensitaet) override { Aufrufe << QStringLiteral("SetzeIntensitaet %1").arg(Intensitaet); }
    void AktualisiereKartendarstellung() override { Aufrufe << QStringLiteral("AktualisiereKartendarstellung"); }
    std::array<bool, 5> Ebenen() const override { return LernEbenen; }
    void SetzeEbenen(const std::array<bool, 5>& E) override { LernEbenen = E; }
    void NetzUebungTeilnehmen() override { Aufrufe << QStringLiteral("NetzUebungTeilnehmen"); }
};

} // namespace zl::test
