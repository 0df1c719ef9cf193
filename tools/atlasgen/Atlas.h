#pragma once

// The atlas generator: reads the prepared sources and the curated tables, draws
// every map, places the labels and writes the programs' data folders.

#include "tools/atlasgen/Geodaten.h"
#include "tools/atlasgen/Projektion.h"

#include <QImage>
#include <QList>
#include <QMap>
#include <QPointF>
#include <QRectF>
#include <QSet>
#include <QString>
#include <QStringList>

#include <climits>

namespace zl::atlas
{

inline constexpr int kKeinGebiet = INT_MIN;

struct Kartendef {
    QString id;
    QString name;
    QStringList uebersichten; // "WLT", "EUR", "DEU"
    Kartenrahmen rahmen;
    int stufe = 1;            // 1 world, 2 continent, 3 country or region, 4 state
    int gebiet = kKeinGebiet; // region code of the exercise map, kKeinGebiet: no exercise
    bool detailliert = false;
    QString teilgebieteVon; // "DE": the German states are drawn and labelled
};

// A curated geographic name: type code, German name, point, level and importance.
struct Namenseintrag {
    QString typ;
    QString name;
    double lon = 0, lat = 0;
    int stufe = 1;   // the most general map level it appears on
    int wichtig = 1; // its intensity on maps of its own level
    QString fang;    // "F" snap to a river, "B" to the highest point nearby, "K" onto the coast/sea
};

struct Beschriftung {
    QString KartID, ObjTyp;
    double Px = 0, Py = 0;
    QString Bez;
    int dx = 0, dy = 0;
    int Intens = 1;
};

struct Landzeile {
    QString Name;
    int Gebiet = 0;
    double Einwohner = 0, Flaeche = 0;
    QString Hauptstadt, Regierungssitz, Flagge;
};

struct Einstellungen {
    int breiteGross = 2200;
    int breiteKlein = 1200;
    int breiteVorschau = 240;
    int breiteUebersicht = 1400;
    int qualitaetRelief = 40;
    int qualitaetPolitisch = 40;
    int qualitaetVorschau = 65;
    QStringList nurKarten; // empty: all maps of the table
};

class Atlas
{
  public:
    // Reads the prepared sources and the curated tables; false with the reason in fehler.
    bool lade(const QString& quellen, const QString& tabellen, QString& fehler);
    // Draws and writes everything below ziel; false with the reason in fehler.
    bool erzeuge(const QString& ziel, const Einstellungen& e, QString& fehler);

    const QList<Kartendef>& karten() const { return karten_; }
    const QList<Beschriftung>& beschriftungen() const { return beschriftungen_; }
    const QList<Landzeile>& laenderzeilen() const { return laender_; }

  private:
    void beschrifte(const Kartendef& k, const struct Kartenbilder& b);
    void baueLaenderzeilen();
    int gebietVon(const QString& a2) const;
    QString landname(const QString& a2) const;

    Geodaten g_;
    QList<Kartendef> karten_;
    QMap<QString, Kartenrahmen> uebersichten_; // by overview code
    QMap<QString, QRectF> textfelder_;         // backing of the page's description text, by overview code
    QList<Namenseintrag> namen_;
    QList<QStringList> laenderTabelle_; // a2, region code, name, capital, seat of government, flag file
    QList<QStringList> teilgebiete_;    // name, state code, capital
    QStringList inselstaaten_, euStaaten_;
    QSet<QString> keineOrte_; // town-list entries that are no towns
    QList<Beschriftung> beschriftungen_;
    QList<Landzeile> laender_;
};

// Writes a table file: Windows-1252 text with CR LF, the header first, replaced
// atomically. Returns 0 or the Windows error code.
int SchreibeTabelle(const QString& datei, const QString& kopf, const QStringList& zeilen);
// Writes the labels as a label file through the data store's writer.
bool SchreibeBeschriftungen(const QString& datei, const QList<Beschriftung>& b);
// Writes a JPEG through the data store's writer; false when it cannot.
bool SchreibeJpeg(const QString& datei, const QImage& bild, int qualitaet);

// The catalogue's stored value from the value the overview should show (the
// loader's correction undone): for "DEU" and "EUR" the x values, for "WLT" the y values.
int UnkorrigiereX(const QString& uebersicht, int x);
int UnkorrigiereY(const QString& uebersicht, int y);

// One map on an overview: its highlight rectangle and its panel centre, in fractions.
struct Kartenfeld {
    QString uebersicht, id, name;
    QRectF mark;
    QPointF feld;
};
// Places the panels of one overview inside their maps' rectangles, apart from each other
// and from the description text's box (fractions) where there is room.
void PlatziereFelder(QList<Kartenfeld>& felder, const QString& uebersicht, const QRectF& textfeld = QRectF());
// Darkens the box (fractions) of the picture behind the page's description text.
void ZeichneTextfeld(QImage& bild, const QRectF& feld);

// The flag file name of a country (folded German name, at most 8 letters).
QString FlaggenName(const QString& a2, const QString& name);

} // namespace zl::atlas
