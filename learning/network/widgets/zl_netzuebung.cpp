#include "learning/network/widgets/zl_netzuebung.h"

#include "controls/Dspez.h"
#include "datastore/zl_data.h"
#include "learning/network/widgets/zl_kommverz.h"
#include "learning/network/widgets/zl_netzopt.h"
#include "learning/network/widgets/zl_netzprotokoll.h"

#include <QFileInfo>

namespace zl {

QString NetzRechnername()
{
    const QString env = qEnvironmentVariable("ZELVARO_RECHNERNAME");
    return env.isEmpty() ? HoleComputername() : env;
}

bool SchreibeNetzDatei()
{
    NetzDateiInhalt in = NetzBefehl;
    if (NetzOptForm) {
        in.Befehl.Sound = NetzOptForm->SoundBox1->currentIndex();
        in.Befehl.Animationen = NetzOptForm->AnimationBox1->currentIndex();
        in.Befehl.Anrede = NetzOptForm->AnredeBox1->currentIndex();
        in.Befehl.AutoWeiter = NetzOptForm->AutoWeiterBox1->currentIndex();
        in.Befehl.RFLevel = NetzOptForm->RueckmeldBox1->currentIndex();
    }
    in.LehrerRechner = NetzRechnername();
    in.Mailslot = KomMailslot();
    if (!SchreibeNetzDatei(NetzVerz, in))
        return false;
    NetzBefehl = in;
    return true;
}

bool NetzUebungDefinieren(const QString& KartID, int Gebiet, int Intensitaet, std::int32_t Seed,
                          const QString& FragTypMaske, const QString& UebKartTyp, int UebFragAnz, int UebModus)
{
    NetzwerkBefehlDataTyp& b = NetzBefehl.Befehl;
    b.UebungsID = ZufallsBuchstaben(30);
    b.Titel = QStringLiteral("Übung: ") + KartenName(KartID);
    b.KartID = KartID;
    b.Gebiet = Gebiet;
    b.Intensitaet = Intensitaet;
    b.Status = 3;
    b.RandSeed = QString::number(Seed);
    b.ObjDateiName = QFileInfo(ObjDatei).fileName();
    b.FragTypOk = FragTypMaske;
    b.UebKartTyp = UebKartTyp;
    b.UebFragAnz = UebFragAnz;
    b.UebModus = UebModus;
    if (!SchreibeNetzDatei())
        return false;
    if (UebProtForm)
        UebProtForm->TeilnahmeErlaubt->setChecked(true);
    return true;
}

bool LeseNetzDatei(int* Fehlercode)
{
    const std::optional<NetzDateiInhalt> in = LeseNetzDatei(NetzVerz, Fehlercode);
    if (!in)
        return false;
    NetzBefehl = *in;
    SetzeKomMailslot(in->Mailslot);
    return true;
}

void ErzeugeErgebnisNamen() { TeilnehmerDateien = NeueErgebnisNamen(); }

bool SendeTeilnehmerErgebnis(const QString& UebungsID, const QString& Rechner, const QString& Name, double Start,
                             int FrageNr, int Richtig, int Falsch, double Quote, const QString& NoteKurz,
                             std::int32_t Millisekunden, const QString& AntwortFolge)
{
    Teilnehmerergebnis e;
    e.UebungsID = UebungsID;
    e.Rechner = Rechner;
    e.Name = Name;
    e.Start = Start;
    e.FrageNr = FrageNr;
    e.Richtig = Richtig;
    e.Falsch = Falsch;
    e.Quote = Quote;
    e.NoteKurz = NoteKurz;
    e.Millisekunden = Millisekunden;
    e.AntwortFolge = AntwortFolge;
    if (!UebProtForm) // its slot sends the messages
        return false;
    return zl::SendeTeilnehmerErgebnis(NetzVerz, KomMailslot(), *UebProtForm->MailSlot1, NetzBefehl.LehrerRechner,
                                       TeilnehmerDateien, e);
}

void TeilnehmerProtokollKopf(const QString& KartenName, const QString& UebModusTitel, const QString& Seed,
                             int Intensitaet, int FragenAnzahl)
{
    if (UebProtForm)
        UebProtForm->TeilnehmerProtokollKopf(KartenName, UebModusTitel, Seed, Intensitaet, FragenAnzahl,
                                             NetzBefehl.Befehl.UebungsID);
}

void ZeigeNetzAntwortschluessel(const QString& ProtokollText)
{
    if (UebProtForm)
        UebProtForm->ZeigeAntwortschluessel(ProtokollText);
}

} // namespace zl
