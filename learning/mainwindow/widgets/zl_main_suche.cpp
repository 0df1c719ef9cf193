// The main window's part of the place-name search and the country data table.

#include "learning/mainwindow/widgets/zl_lernkarte.h"
#include "learning/mainwindow/widgets/zl_main.h"
#include "learning/tools/widgets/zl_datentab.h"
#include "learning/tools/widgets/zl_suche.h"
#include "learning/tools/widgets/zl_suchergebnis.h"
#include "platform/MessageService.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>

namespace zl
{

void TForm1::VerbindeSuche()
{
    connect(Suche1, &QAction::triggered, this, [this] { Suche1Click(); });
    connect(Datentabelle1, &QAction::triggered, this, [this] { Datentabelle1Click(); });
}

void TForm1::Suche1Click()
{
    if (!ModusVerlassenErlaubt({Uebung, Schiebepuzzle}))
        return;
    if (SuchErgForm)
        SuchErgForm->AusDatentabelle = false;
    FuehreSucheAus(QString(), false, false);
}

void TForm1::FuehreSucheAus(QString Begriff, bool NurGanzWort, bool NurGanzStr)
{
    if (!KartSuchForm || !SuchErgForm)
        return;
    for (;;) {
        TSuchOptionen Optionen{NurGanzWort, NurGanzStr, QString()};
        if (Begriff.isEmpty()) {
            const bool AufKarte = Zustand.Ansichtsmodus == Lernkarte;
            KartSuchForm->NurAktKarte->setEnabled(AufKarte);
            if (!AufKarte)
                KartSuchForm->NurAktKarte->setChecked(false);
            if (KartSuchForm->ZeigeModal() != QDialog::Accepted) {
                SetzeSuchKnoepfe(false);
                return;
            }
            Begriff = KartSuchForm->TextEdit->currentText();
            Optionen.NurGanzWort = KartSuchForm->NurGanzWort->isChecked();
            Optionen.NurGanzStr = KartSuchForm->NurGanzStr->isChecked();
            if (KartSuchForm->NurAktKarte->isChecked())
                Optionen.KartFilter = Zustand.AktKartID;
        }
        KartSuchForm->MerkeSuchbegriff(Begriff);
        SuchErgForm->LeereErgebnis(ObjDaten);
        SuchErgForm->FuegeHinzu(SuchErgForm->Index.Suche(ObjDaten, Begriff, Optionen));
        if (SuchErgForm->Ergebnis.TrefferAnzahl > 0)
            break;
        ZeigeInfo(NichtGefundenText(Begriff, Zustand.Wahl.AnredeDu));
        Begriff.clear();
    }
    const QRect Haupt = frameGeometry();
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const int Bildschirm = s ? s->geometry().width() : Haupt.right() + 1;
    SuchErgForm->move(SuchergebnisPosition(Bildschirm, Haupt, SuchErgForm->frameGeometry().size()));
    SuchErgForm->setWindowTitle(SuchergebnisTitel(SuchErgForm->Ergebnis.TrefferAnzahl, Begriff));
    if (SuchErgForm->isVisible())
        SuchErgForm->hide();
    SuchErgForm->show();
    SuchErgForm->raise();
}

void TForm1::FuegeSuchErgebnisHinzu(int Index)
{
    if (SuchErgForm && Index >= 0 && Index < ObjDaten.size())
        SuchErgForm->FuegeHinzu(Index);
}

void TForm1::SetzeSuchKnoepfe(bool Gedrueckt)
{
    SuchBtn2->SetChecked(Gedrueckt);
    if (Gedrueckt)
        SuchBtn2->repaint();
}

void TForm1::VersteckeLernPfeil()
{
    if (LernkarteAnsicht)
        LernkarteAnsicht->LernPfeilImg->hide();
}

void TForm1::ZeigeSuchtreffer(int Index)
{
    if (Index < 0 || Index >= ObjDaten.size() || !LernkarteAnsicht)
        return;
    const QString KartID = ObjDaten.at(Index).KartID;
    if (KartID == Zustand.AktKartID && Zustand.Ansichtsmodus == Lernkarte) {
        LernkarteAnsicht->WaehleLernObjekt(Index, true);
        return;
    }
    // The jump leaves the current view: a running exercise or puzzle asks first.
    if (!ModusVerlassenErlaubt({Uebung, Schiebepuzzle}))
        return;
    Zustand.AktKartID = KartID;
    LernkarteAnsicht->SetzeZoomStufe(0);
    LernkarteAnsicht->LernList->clearSelection();
    ZeigeLernkarte();
    LernkarteAnsicht->WaehleLernObjekt(Index, true);
}

void TForm1::SetzeDatentabelleKnoepfe(bool Gedrueckt)
{
    DatentabelleBtn1->SetChecked(Gedrueckt);
    DatentabelleBtn2->SetChecked(Gedrueckt);
}

void TForm1::Datentabelle1Click()
{
    if (!DatenTabForm)
        return;
    DatentabelleBtn1->SetChecked(true);
    DatentabelleBtn2->SetChecked(true);
    if (DatenTabForm->isMinimized())
        DatenTabForm->showNormal();
    if (DatenTabForm->isVisible()) {
        DatenTabForm->FormActivate();
    } else {
        DatenTabForm->show();
    }
    DatenTabForm->raise();
    DatenTabForm->activateWindow();
}

} // namespace zl
