#pragma once

// The class exercise as the rest of the program calls it: the teacher's
// publishing of an exercise, the participant's results, the protocol header and
// the answer key. The channel is the communication-folder dialog's choice, the
// behaviour options those of the network options dialog.

#include "learning/network/zl_netz.h"
#include "learning/network/zl_netzteilnehmer.h"

#include <QString>

#include <functional>

namespace zl {

// The command in force: the teacher's published exercise, or the one a
// participant read last (with the teacher's computer and channel).
inline NetzDateiInhalt NetzBefehl;
// The participant's result and flag file for the running exercise.
inline ErgebnisNamen TeilnehmerDateien;

// This computer's name as the class exercise shows it; ZELVARO_RECHNERNAME
// replaces it (tests on one machine use 127.0.0.1).
QString NetzRechnername();

// The teacher's start: fills NetzBefehl (new exercise id, the map's title, the
// current label file) and writes the command file; on success "Weitere
// Teilnehmer erlauben" is ticked. False after the write-error boxes.
bool NetzUebungDefinieren(const QString& KartID, int Gebiet, int Intensitaet, std::int32_t Seed,
                          const QString& FragTypMaske, const QString& UebKartTyp, int UebFragAnz, int UebModus);
// Writes NetzBefehl with the options dialog's current indices and the channel in force.
bool SchreibeNetzDatei();
// Reads the command file into NetzBefehl and sets the channel to the teacher's;
// false (nothing changed) when it is missing or cannot be read.
bool LeseNetzDatei(int* Fehlercode = nullptr);
// The participant's file names for a new exercise.
void ErzeugeErgebnisNamen();
// Sends the participant's result on the channel in force.
bool SendeTeilnehmerErgebnis(const QString& UebungsID, const QString& Rechner, const QString& Name, double Start,
                             int FrageNr, int Richtig, int Falsch, double Quote, const QString& NoteKurz,
                             std::int32_t Millisekunden, const QString& AntwortFolge);
// The teacher's protocol header (clears rows and old result files, opens reception).
void TeilnehmerProtokollKopf(const QString& KartenName, const QString& UebModusTitel, const QString& Seed,
                             int Intensitaet, int FragenAnzahl);
// The answer key after the pre-generation; shows the protocol window.
void ZeigeNetzAntwortschluessel(const QString& ProtokollText);

// Starts the participant's exercise from a checked command (the exercise
// engine installs it); false when it did not start.
inline std::function<bool(const NetzStartDaten&)> StarteNetzUebung;

} // namespace zl
