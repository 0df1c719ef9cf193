#pragma once

// The worksheet presets: task texts, header lines, title, the count a random worksheet aims
// at and the type hints of a mixed theme. Defaults, the settings key, and what a worksheet
// file carries of them.

#include <QString>

namespace zl
{
class SettingsStore;
}

namespace zl::ab
{

inline constexpr int kMaxEintraege = 30;

struct ABVoreinstellungen {
    QString AufgTextA = QStringLiteral("Aufgabe: Trage in die Kästchen in der Landkarte die richtigen Nummern ein.");
    QString AufgTextB = QStringLiteral(
        "Aufgabe: Trage in die Kästchen in der Liste unterhalb der Landkarte die richtigen Nummern ein.");
    QString AufgTextC =
        QStringLiteral("Aufgabe: Trage in der Liste unterhalb der Landkarte die richtigen Namen zu den Nummern ein.");
    QString AufgTextD = AufgTextC;
    bool NameZeile = true;
    bool KlasseZeile = true;
    bool DatumZeile = true;
    QString NameText = QStringLiteral("Name:");
    QString KlasseText = QStringLiteral("Klasse:");
    QString DatumText = QStringLiteral("Datum:");
    QString TitelText = QStringLiteral("%karte% - %thema%");
    int MaxAnz = 20;
    QString ot_L = QStringLiteral("(Land)");
    QString ot_IS = QStringLiteral("(Inselstaat)");
    QString ot_H = QStringLiteral("(Hauptstadt)");
    QString ot_S = QStringLiteral("(Stadt)");
    QString ot_G = QStringLiteral("(Gewässer)");
    QString ot_GB = QStringLiteral("(Landschaft)");
    QString ot_B = QStringLiteral("(Berg)");
    QString ot_I = QStringLiteral("(Insel/Kap)");
    bool MixTypHinweis = true;

    // The task text of task 0..3 (A..D); empty for any other index.
    const QString& AufgText(int Aufgabe) const;
    QString& AufgText(int Aufgabe);

    friend bool operator==(const ABVoreinstellungen&, const ABVoreinstellungen&) = default;
};

// The presets of the run.
inline ABVoreinstellungen Voreinstellungen;

// MaxAnz as composing uses it: held to 1..30.
int GueltigeMaxAnz(int MaxAnz);

// Replaces every field whose value exists in the key (texts as text values, truth values and
// MaxAnz as whole numbers); a missing value keeps the field, except "AB-MaxAnz", whose absence
// sets 20. A MaxAnz outside 1..30 counts as missing.
void LeseABVoreinstellungen(const SettingsStore& Store, ABVoreinstellungen& V);
// Writes every field under the names LeseABVoreinstellungen reads; 0 or the first error code.
int SchreibeABVoreinstellungen(SettingsStore& Store, const ABVoreinstellungen& V);

// The hint of a type code from the presets: ot_L for L and LX, ot_IS, ot_H, ot_S, ot_G, ot_GB,
// ot_B, ot_I; empty for any other code.
QString ObjTypHinweis(const ABVoreinstellungen& V, const QString& Code);

// The title with every "%karte%" replaced by the map name, then every "%thema%" by the theme.
QString TitelMitPlatzhaltern(const QString& Titel, const QString& KartenName, const QString& Thema);

} // namespace zl::ab
