#pragma once

// Small tables for the engine tests, set straight into the data store's globals:
// the map "TK" (region 10) with countries, cities, waters, mountains and islands
// spread over the picture, and country rows of several continents.

#include "learning/exercise/zl_uebung.h"

#include <QString>
#include <QTemporaryDir>

namespace zl::testdaten {

inline const QString kKarte = QStringLiteral("TK");

// Fills LaenderDaten, ObjDaten, KartenDaten, UebungsDaten and the folders
// (pointing into a temporary folder without pictures).
void Setze();
// Empties every table and path.
void Leere();

// A label of map TK.
void Objekt(const QString& Typ, const QString& Bez, double Px, double Py, int Intens = 1,
            const QString& KartID = kKarte);
// A country row.
void Land(const QString& Name, int Gebiet, double Einwohner, double Flaeche, const QString& Hauptstadt,
          const QString& Flagge);

// A state with the exercise kind, count and index set for map TK.
Uebungszustand Zustand(int UebModus, int FragAnz);
// Options with a single mask for kind 4 (the other kinds keep their presets).
TUebOptionen Optionen(const QString& Maske4 = QString(23, u'1'));
// A clock that stands still: tick 1000, 1 March 2026 09:30:00.
TUebUhr FesteUhr();

// Answers every question (slot Antwort, or every name on target Antwort..)
// and runs to the end; returns the final result of Weiter().
WeiterErgebnis BeantworteAlle(TUebung& U, int Antwort = 1);

} // namespace zl::testdaten
