// The main window's part of the class exercise: its menu items, the
// communication folder and the participant's join.

#include "learning/mainwindow/zl_main.h"

#include "datastore/Objektdaten.h"
#include "datastore/zl_data.h"
#include "learning/exercise/widgets/zl_uebausw.h"
#include "learning/network/widgets/zl_kommverz.h"
#include "learning/network/widgets/zl_netzprotokoll.h"
#include "learning/network/widgets/zl_netzuebung.h"
#include "learning/network/widgets/zl_netzuebungtnstart.h"
#include "platform/FileAccess.h"
#include "platform/MessageService.h"

#include <QFileInfo>

namespace zl {

void TForm1::VerbindeNetzwerk()
{
    connect(Netzwerkuebung1, &QAction::triggered, this, [this] { NetzUebungTeilnehmen(); });
    connect(NetzwerkUebInit, &QAction::triggered, this, [this] {
        // The teacher's start runs through the exercise selection with its network option.
        if (UebAuswForm)
            UebAuswForm->NetzwerkUebung1->setChecked(true);
        UebungStart1->trigger();
    });
    connect(NetzwerkuebungProtokoll1, &QAction::triggered, this, [] {
        if (!UebProtForm)
            return;
        UebProtForm->show();
        UebProtForm->raise();
        UebProtForm->activateWindow();
    });
    connect(Kommunikationsverzeichnis1, &QAction::triggered, this, [this] { Kommunikationsverzeichnis1Click(); });
}

void TForm1::Kommunikationsverzeichnis1Click()
{
    if (!KommVerzForm)
        return;
    KommVerzForm->VerzEdit1->setText(NetzVerz);
    const bool ok = KommVerzForm->exec() == QDialog::Accepted;
    // The channel stays as chosen even when cancelled; both are kept in the settings.
    KomModus = KomMailslot() ? 1 : 0;
    Settings.Schreibe(QStringLiteral("NetzKomDatei"), Zustand);
    Settings.Schreibe(QStringLiteral("NetzKomMailslot"), Zustand);
    KomModus = -1;
    if (ok)
        Settings.Schreibe(QStringLiteral("NetzKommVerz"), Zustand);
}

void TForm1::LoescheNetzDatei() { zl::LoescheNetzDatei(NetzVerz); }

void TForm1::NetzUebungTeilnehmen()
{
    // Joining replaces the label file: unsaved edits must not be lost.
    if (ObjEditorSichtbar()) {
        ZeigeInfo(QStringLiteral("Bitte zuerst den Beschriftungseditor schließen."));
        return;
    }
    if (!NetzUebungTnStartForm || NetzUebungTnStartForm->exec() != QDialog::Accepted)
        return;
    const NetzStartDaten d = NetzUebungTnStartForm->StartDaten;
    const QString objDatei = resolvePath(DatenVerz + d.ObjDateiName);
    if (QFileInfo(objDatei) != QFileInfo(ObjDatei)) {
        if (!LeseObjektdatei(objDatei))
            return; // the reader's box was shown; nothing has changed
        ObjDatei = objDatei;
    }
    // The teacher's choices; "own choice" leaves the participant's setting.
    if (d.Sound != 2) {
        Sound1->setChecked(d.Sound == 0);
        Sound1Click();
    }
    if (d.Animationen == 0)
        Animation_einClick();
    else if (d.Animationen == 1)
        Animation_ausClick();
    else if (d.Animationen == 2)
        Animation_StandbildClick();
    if (d.Anrede == 0)
        AnredeDuClick();
    else if (d.Anrede == 1)
        AnredeSieClick();
    if (d.AutoWeiter != 2)
        FragWeiterClick(d.AutoWeiter == 0);
    if (d.RFLevel != 3)
        UebRFLevelClick(d.RFLevel);
    Zustand.Freigaben = {d.Sound, d.Animationen, d.Anrede, d.RFLevel, d.AutoWeiter};
    Zustand.Uebung.UebModus = d.UebModus;
    Zustand.Uebung.UebFragAnz = d.UebFragAnz;
    Zustand.Uebung.UebKartIndex = d.UebKartIndex;
    Zustand.FragTypMasken[d.UebModus - 1] = d.FragTypMaske;
    UebKartTyp = d.UebKartTyp;
    Zustand.NetzTeilnehmer = true;
    AktualisiereMenues();
    if (!StarteNetzUebung || !StarteNetzUebung(d)) {
        Zustand.NetzTeilnehmer = false;
        AktualisiereMenues();
    }
}

} // namespace zl
