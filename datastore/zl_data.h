#pragma once

// The learning program's data module: folders, file paths and the data tables
// that every other unit reads. Everything is loaded once by DatenInitialisieren
// before the first window exists and freed by DatenFreigeben after the last.

#include "datastore/Objektdaten.h"
#include "raster/Rast32.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <utility>

namespace zl
{

// One country or region of the country data.
struct laenderdatatyp {
    QString Name;
    std::int32_t Gebiet = 0;
    double Einwohner = 0;
    double Flaeche = 0; // km²
    QString Hauptstadt;
    QString Regierungssitz; // may be empty
    QString Flagge;         // file name in FlaggenVerz
    double Dichte = 0;      // Einwohner / Flaeche, 0 when Flaeche is 0
};

// One exercise map offered for a learning map.
struct UebungDataTyp {
    std::int32_t Nr = 0;
    QString LernKartID;
    QString UebKartID;
    std::int32_t Gebiet = -1; // region code of the country questions, -1 for none
};

// One entry of the map list.
struct KartDataTyp {
    QString KartID;
    QString KartName;
    double Wert = 0;
};

// One selectable map on an overview picture ("WLT", "EUR", "DEU"); the six
// numbers are in 1/10000 of the overview picture after the correction at load.
struct KartAuswDataTyp {
    QString Uebersicht;
    QString KartID;
    QString KartName;
    std::int32_t FeldX = 0;
    std::int32_t FeldY = 0;
    std::int32_t MarkLinks = 0;
    std::int32_t MarkOben = 0;
    std::int32_t MarkRechts = 0;
    std::int32_t MarkUnten = 0;
};

// Folders (each ends in "/"); set by DatenInitialisieren.
inline QString ProgVerz;
inline QString DatenVerz;     // "ZL-Daten/"
inline QString KartenVerz;    // "ZX-Karten/"
inline QString FlaggenVerz;   // "ZL-Flaggen/"
inline QString SoundVerz;     // "ZL-Sound/"
inline QString VideoVerz;     // "ZL-Video/"
inline QString HilfeVerz;     // "ZL-Hilfe/"
inline QString ProtokollVerz; // "ZL-Protokolle/"
inline QString NetzVerz;      // "ZL-Netz/"; replaced by the settings and the folder dialog
inline QString ObjDatei;      // current label file; replaced by the file switch and the editor
inline QString MasterIniDatei;
inline QString UserIniDatei; // empty when the documents folder is unknown

// File names in DatenVerz.
inline const QString kLaenderDateiName = QStringLiteral("zl_laender.dat");
inline const QString kUebungenDateiName = QStringLiteral("zl_uebungen.dat");
inline const QString kKartenDateiName = QStringLiteral("zl_karten.dat");
inline const QString kKartenauswahlDateiName = QStringLiteral("zl_kartenauswahl.dat");
inline const QString kStandardObjDateiName = QStringLiteral("zl_standard.zlk");

// The tables, in file order.
inline QList<laenderdatatyp> LaenderDaten;
inline QList<UebungDataTyp> UebungsDaten;
inline QList<KartDataTyp> KartenDaten;
inline QList<KartAuswDataTyp> KartAuswDaten;

// The last decoded map picture and the path it was loaded under (empty: none).
// Created by DatenInitialisieren (and on first use by LadeKartenCache).
inline std::unique_ptr<TBitmap32> KartenCache;
inline QString KartenCachePfad;

// "Europa", "Afrika", "Asien", "Nordamerika", "Mittelamerika", "Südamerika",
// "Australien/Ozeanien"; entry n-1 is the continent of region code 10 * n.
extern const QStringList Kontinente;
// "Basis", "Aufbau", "Experte" for intensity 1..3 (index 0..2).
extern const QStringList Intensitaeten;

// The folder of the running program's executable, ending in "/".
QString ProgrammVerzeichnis();

// Sets every folder and path from the program folder and loads all tables and
// the default label file. A missing or unreadable file shows its read-error
// box and leaves its table empty; rows that do not convert are skipped with one
// box per file. Nothing is created on disk.
void DatenInitialisieren(const QString& programmVerz);
// Frees every table, path and the map cache.
void DatenFreigeben();

// Each fills its table from its file in DatenVerz; true when the file could be
// opened. When it cannot, the box "Datei-Lesefehler! (code)" is shown and the
// table keeps what it held.
bool LeseLaenderdaten();
bool LeseUebungen();
bool LeseKarten();
bool LeseKartenauswahl();

// The result of reading one table file, without touching the globals.
template <class T> struct Tabellendatei {
    bool Geoeffnet = false; // false: the read-error box was shown
    QList<T> Zeilen;
    int ErsteFehlerzeile = 0; // line number (the header is line 1) of the first skipped row, 0 for none
};
Tabellendatei<laenderdatatyp> LeseLaenderdatei(const QString& Datei);
Tabellendatei<UebungDataTyp> LeseUebungsdatei(const QString& Datei);
Tabellendatei<KartDataTyp> LeseKartendatei(const QString& Datei);
Tabellendatei<KartAuswDataTyp> LeseKartenauswahldatei(const QString& Datei);

// The text of the box shown for a table file with skipped rows.
QString FehlerzeilenMeldung(const QString& Datei, int Zeile);
// Shows that box.
void ZeigeFehlerzeilen(const QString& Datei, int Zeile);

// Moves a read table file's rows into the table and shows the box for skipped
// rows; false, the table untouched, when the file could not be opened.
template <class T> bool UebernimmTabelle(Tabellendatei<T>&& Gelesen, const QString& Datei, QList<T>& Tabelle)
{
    if (!Gelesen.Geoeffnet)
        return false;
    Tabelle = std::move(Gelesen.Zeilen);
    if (Gelesen.ErsteFehlerzeile > 0)
        ZeigeFehlerzeilen(Datei, Gelesen.ErsteFehlerzeile);
    return true;
}

// A folder name with forward slashes and a trailing slash (empty stays empty).
QString MitSchraegstrich(QString Verz);

// The name of the first map-list entry whose id equals KartID without regard to
// case; empty when there is none.
QString KartenName(const QString& KartID);
// The heading of a map's subordinate areas in the learning lists.
QString KartenGruppenName(const QString& KartID);
// The user's documents folder ending in "/", empty when unknown.
QString EigeneDateienPfad();

// Upper-cases every character on its own, as the system's ANSI conversion does:
// a character whose capital is not a Windows-1252 character stays as it is
// ("ß" and "µ" stay; "ÿ" becomes "Ÿ").
QString AnsiUpperCase(const QString& Text);

} // namespace zl
