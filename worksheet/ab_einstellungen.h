#pragma once

// The worksheet program's settings: the choices of its windows and the print values, read once
// at start-up from its settings key and written back when they change. Values out of range
// count as missing and keep their defaults.

#include <QString>

namespace zl
{
class SettingsStore;
}

namespace zl::ab
{

// The key's name under "Selvik/".
inline const QString kEinstellungsSchluessel = QStringLiteral("Foliavo 4.0");

struct TDruckWerte {
    bool Ratio = true; // "Korrektes &Seitenverhältnis"
    double X1 = 2.2;   // left margin, cm
    double Y1 = 1.4;   // top margin, cm
    double Bx = 16.6;  // width, cm
    double By = 0.0;   // height, cm (computed from the width while the ratio is kept)
    friend bool operator==(const TDruckWerte&, const TDruckWerte&) = default;
};

struct TABEinstellungen {
    QString KartenAuswahl = QStringLiteral("EURSheet"); // "WLTSheet", "EURSheet", "DEUSheet"
    int Intensitaet = 2;                                // label view 1..3
    QString KartTyp = QStringLiteral("RS");
    bool Kontrast = true;   // "Kartenschrift" other than 1
    bool GanzeSeite = true; // "AB-Ansicht" 1
    int Thema = 0;          // 0..5
    int Intens = 1;         // 0..2
    int Aufgabe = 0;        // 0..3
    bool AutoEdit = true;
    bool Lsg = false;
    bool Komplett = true;
    TDruckWerte Druck;
    friend bool operator==(const TABEinstellungen&, const TABEinstellungen&) = default;
};

TABEinstellungen LeseEinstellungen(const SettingsStore& Store);
// Writes every value, or with Vorher only those that differ from it; 0 or the first error code.
int SchreibeEinstellungen(SettingsStore& Store, const TABEinstellungen& E, const TABEinstellungen* Vorher = nullptr);

// The print values a print may use: margins not below 0, width and height above 0 and every value
// finite; otherwise the defaults. With the ratio kept the height follows the width.
TDruckWerte GueltigeDruckwerte(TDruckWerte W, double Seitenverhaeltnis);

} // namespace zl::ab
