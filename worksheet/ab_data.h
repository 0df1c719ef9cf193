#pragma once

// The worksheet program's data module: its folders, the map catalogue, the map list and the
// label table (the shared tables of the data store, filled from "AB-Daten"), its type tables
// and its variants of the shared text and picture helpers.

#include "datastore/zl_data.h"

#include <QString>
#include <QStringList>

#include <array>

namespace zl::ab
{

// Folders of the worksheet program beside those of the data store (each ends in "/").
inline QString ArbeitsblattVerz; // "AB-Arbeitsblätter/"
// The worksheet file last opened or saved; empty after start-up and whenever a map is chosen.
inline QString ArbeitsblattDatei;

inline const QString kKartenDateiName = QStringLiteral("ab_karten.dat");
inline const QString kKartenauswahlDateiName = QStringLiteral("ab_kartenauswahl.dat");

// The themes 1..6 of a worksheet: the type sets (exact codes framed by "~") and the theme
// combo's items; index 0 is unused.
inline constexpr int kGruppen = 6;
extern const std::array<QString, kGruppen + 1> ABObjGruppen;
extern const QStringList Themen; // "Länder/Staaten" .. "Mix"
// The nine type codes the worksheet program knows.
extern const QStringList ABObjTypen;

// Sets ProgVerz, DatenVerz ("AB-Daten/"), KartenVerz ("ZX-Karten/"), HilfeVerz ("AB-Hilfe/"),
// ArbeitsblattVerz and ObjDatei from the program folder, then reads the catalogue, the map
// list and the default label file into KartAuswDaten, KartenDaten and ObjDaten. A missing file
// shows its read-error box and leaves its table empty; rows that do not convert are skipped
// with one box naming the file and the first bad line. Nothing is created on disk.
void DatenInitialisieren(const QString& ProgrammVerz);
void DatenFreigeben();
bool LeseKartenauswahl();
bool LeseKarten();

// "Land" for L and LX, "Inselstaat", "Hauptstadt", "Stadt", "Gewässer", "Landschaft", "Berg",
// "Insel" (code upper-cased first); empty for any other code.
QString ObjTypName(const QString& Code);
// The first theme 1..5 whose set holds the code; -1 when none (IS gives 1).
int ObjGruppe(const QString& Code);
// True when the theme's set (1..6) holds the code exactly; false for a theme out of range.
bool InGruppe(const QString& Code, int Gruppe);

// The one-line text of a stored label text: "-|" before a lower-case letter is removed, before
// anything else only the "|"; any other "|" becomes a blank; then trimmed. Double blanks stay.
QString EntferneTrennzeichen(const QString& Text);

// The map picture at Pfad, else with ".dat", else the folder's "xxx.dat", decoded into the
// shared KartenCache unless KartenCachePfad already names it. Returns false and leaves the
// cache empty (KartenCachePfad cleared) when none exists or the picture is damaged; Fehler
// then gets the message to show (empty for a plainly missing picture).
bool LadeKartenCache(const QString& Pfad, QString* Fehler = nullptr);
// The file LadeKartenCache would read for Pfad; empty when none exists.
QString KartenCacheDatei(const QString& Pfad);

} // namespace zl::ab
