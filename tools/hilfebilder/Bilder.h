#pragma once

// The pictures of the help documents, taken from the programs' own windows.

#include <QString>
#include <QStringList>

class QImage;
class QWidget;

namespace zl::hilfebilder
{

// Where the pictures go and which program folders they are made from.
struct Auftrag {
    QString KartivoVerz; // the built program folder of Kartivo
    QString FoliavoVerz; // the built program folder of Foliavo
    QString KartivoZiel; // the help folder of Kartivo's sources (data/Kartivo/ZL-Hilfe)
    QString FoliavoZiel; // the help folder of Foliavo's sources (data/Foliavo/AB-Hilfe)
};

// Writes the picture by the file's extension (".png" or ".jpg"); false with a line on stderr.
bool Speichere(const QImage& Bild, const QString& Datei);
// The widget as it is on screen, grabbed at its present size.
bool Speichere(QWidget* Fenster, const QString& Datei);

// Each returns the files written; a picture that could not be made is reported on stderr
// and left out.
QStringList KartivoBilder(const Auftrag& A);
QStringList FoliavoBilder(const Auftrag& A);

// The fixed size of the main windows in the pictures.
inline constexpr int kFensterBreite = 960;
inline constexpr int kFensterHoehe = 640;

} // namespace zl::hilfebilder
