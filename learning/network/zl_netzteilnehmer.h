#pragma once

// The participant's side without windows: sending a result on the teacher's
// channel, the join window's status from the command file, and the check of a
// command before an exercise is started from it.

#include "learning/network/MailSlot2.h"
#include "learning/network/zl_netz.h"

#include <QColor>
#include <QString>

#include <optional>

namespace zl {

struct UebungDataTyp;

// Sends the result: mailslot channel as a message to the teacher's computer
// (always true), file channel as result and flag file in NetzVerz (false after
// the writer's boxes).
bool SendeTeilnehmerErgebnis(const QString& NetzVerz, bool Mailslot, TMailSlot2& Slot, const QString& LehrerRechner,
                             const ErgebnisNamen& Namen, const Teilnehmerergebnis& E);

// What the join window shows for a command read (or none).
struct NetzStatusAnzeige {
    QString Text;
    QColor Farbe;
    bool TeilnehmenErlaubt = false;
    bool operator==(const NetzStatusAnzeige&) const = default;
};
NetzStatusAnzeige NetzStatus(const std::optional<NetzDateiInhalt>& Inhalt);
inline const QString kNichtInitiiert = QStringLiteral("Netzwerk-Übung nicht initiiert. Bitte warten...");

// A command checked for the participant's start: kind 1..4, intensity 1..3,
// 1..50 questions, a mask of "0"/"1" (padded with "0" to 23), a map style RS,
// RH, PF or PW and an exercise map of the list. UebKartIndex is the first
// entry with that exercise map; the behaviour options out of range count as
// the participant's own choice.
struct NetzStartDaten {
    QString KartID;
    int UebKartIndex = -1;
    int Gebiet = -1;
    int Intensitaet = 1;
    int UebModus = 1;
    int UebFragAnz = 0;
    QString FragTypMaske;
    QString UebKartTyp;
    QString ObjDateiName;
    std::int32_t Seed = 0;
    int Sound = 2, Animationen = 3, Anrede = 2, AutoWeiter = 2, RFLevel = 3;
};
// Empty with the reason in Fehler when the command cannot be started.
std::optional<NetzStartDaten> PruefeNetzStart(const NetzwerkBefehlDataTyp& B, const QList<UebungDataTyp>& Uebungen,
                                              QString* Fehler = nullptr);
inline const QString kBefehlUngueltig =
    QStringLiteral("Die Netzwerk-Übung des Lehrer-PCs kann nicht gestartet werden: der Netzwerkbefehl ist ungültig.");

} // namespace zl
