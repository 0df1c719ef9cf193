#pragma once

// The learning program's settings: read once while the main window is created,
// first from the settings key, then (when the master record asks for it) from
// the user configuration file; each value is written back under its name and
// type as soon as it changes.

#include "learning/mapview/zl_zustand.h"
#include "platform/SettingsStore.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace zl {

// The name of the settings key under "Selvik/".
inline const QString kEinstellungsSchluessel = QStringLiteral("Kartivo 4.0");
// The section of the user configuration file.
inline const QString kEinstellungsAbschnitt = QStringLiteral("Einstellungen");

// Start value of the participant's channel: -1 not set, 0 files, 1 mailslot.
inline int KomModus = -1;

struct MasterIniDataTyp {
    std::int32_t UserIniLesen = 0; // 1: read the user configuration file after the key
    std::int32_t Reserve1 = 0;
    std::int32_t NetzFest = 0; // not 0: communication folder and channel not from the settings
    std::int32_t Reserve2 = 1;
    QString Text1;
    QString Text2;
};
inline MasterIniDataTyp MasterIni;

void MasterKonfigZuruecksetzen();

// What reading the settings needs from outside the main window.
struct EinstellungsUmgebung {
    bool VideosVorhanden = true; // all four feedback videos exist
    // Parses the bookmark value into the bookmark table (may be empty: not yet wired).
    std::function<void(const QString&)> LeseLesezeichen;
};

// The value names, in reading order.
QStringList EinstellungsNamen();

// Reads the key into the state and the globals (NetzVerz, KartTyp, UebKartTyp,
// KomModus, the bookmark table). A missing value, a value of the wrong type and a
// value out of range all apply the missing column.
void LeseEinstellungen(const SettingsStore& Store, HauptfensterZustand& Z, const EinstellungsUmgebung& U);

// When MasterIni.UserIniLesen is 1 and the file exists, reads every value from
// its section "Einstellungen", each with its user-file default. Returns the
// Windows code of a file that exists but cannot be read, else 0.
int LeseEinstellungenIni(const QString& UserIniDatei, HauptfensterZustand& Z, const EinstellungsUmgebung& U);

// Writes one value (by its name in EinstellungsNamen) from the state and the
// globals; the bookmark text is handed in as it is stored. Returns 0 or the code.
int SchreibeEinstellung(SettingsStore& Store, const QString& Name, const HauptfensterZustand& Z,
                        const QString& Lesezeichen = {});
// Writes every value; returns the first failure's code, else 0.
int SchreibeAlleEinstellungen(SettingsStore& Store, const HauptfensterZustand& Z, const QString& Lesezeichen = {});

// Boxes of the settings store: each shown once a run at most.
QString EinstellungenNichtLesbarText(const QString& Datei, int Code);
QString EinstellungenBeschaedigtText(const QString& Datei, int Zeile);
QString EinstellungenNichtGespeichertText(const QString& Datei, int Code);

// The key in use for one run: reports a failed read once at opening and the
// first failed write once, then keeps quiet (the values stay in memory).
class Einstellungen {
public:
    // Root: folder that holds "Selvik/" (defaultSettingsRoot() for the program).
    explicit Einstellungen(const QString& Root);
    // A key given from outside (tests); not owned.
    explicit Einstellungen(SettingsStore* Store);
    ~Einstellungen();

    SettingsStore& Store() { return *store_; }
    // Shows the warning of a key that could not be read or was damaged (once).
    void MeldeLesefehler();
    // Writes one value and reports the first failure of the run.
    void Schreibe(const QString& Name, const HauptfensterZustand& Z, const QString& Lesezeichen = {});
    bool SchreibfehlerGemeldet() const { return schreibGemeldet_; }

private:
    std::unique_ptr<SettingsStore> owned_;
    SettingsStore* store_ = nullptr;
    QString datei_;
    bool leseGemeldet_ = false;
    bool schreibGemeldet_ = false;
};

} // namespace zl
