#pragma once

// The teacher's participant protocol without its window: the 9 header lines,
// one fixed-width row per participant in the order they first reported, and the
// update rule that replaces a participant's row in place.

#include "learning/network/zl_netz.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace zl {

inline constexpr int kKopfZeilen = 9;

// The header; UebModusTitel is the exercise kind's caption ("&" and
// " (Single Choice)" are removed here), Intensitaet 1..3.
QStringList TeilnehmerProtokollKopfZeilen(const QDateTime& Jetzt, const QString& KartenName,
                                          const QString& UebModusTitel, const QString& Seed, int Intensitaet,
                                          int FragenAnzahl);

// One participant's row; FragenAnzahl is the teacher's number of questions.
QString ProtokollZeile(const QString& Rechner, const QString& Name, const QString& AntwortFolge,
                       const QString& NoteKurz, const QString& DauerText, double Start, double Quote, int FrageNr,
                       int Richtig, int Falsch, int FragenAnzahl);
QString ProtokollZeile(const Teilnehmerergebnis& E, int FragenAnzahl);

class TeilnehmerProtokoll {
public:
    // Starts a new protocol: keys and rows are cleared.
    void NeuerKopf(const QStringList& Kopf, const QString& UebungsID, int FragenAnzahl);
    // Adds the participant's row or replaces it; true when the lines changed.
    bool AktualisiereTeilnehmerZeile(const QString& Schluessel, const QString& UebungsID, const QString& Zeile);
    // The same for a result; one of this exercise that counts more items than
    // it has questions changes nothing.
    bool Aktualisiere(const Teilnehmerergebnis& E);
    // Header and rows, as the memo shows them.
    QStringList Zeilen() const { return kopf_ + zeilen_; }
    const QStringList& TeilnehmerListe() const { return schluessel_; }
    const QStringList& Teilnehmerzeilen() const { return zeilen_; }
    // The row of a key, empty when it has none.
    QString ZeileVon(const QString& Schluessel) const;
    const QString& UebungsID() const { return uebungsID_; }
    int FragenAnzahl() const { return fragenAnzahl_; }

private:
    QStringList kopf_;
    QStringList schluessel_;
    QStringList zeilen_;
    QString uebungsID_;
    int fragenAnzahl_ = 0;
};

} // namespace zl
