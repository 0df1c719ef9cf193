#pragma once

// The place-name search without windows: the comparison texts, the three match
// rules, the hit list of the result window, the preferred hit, the term history
// and the texts and placement of the result window.

#include "datastore/Objektdaten.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

namespace zl
{

// A label's comparison text: line-break markup and trailing apostrophes removed,
// accents folded, then upper case.
QString SuchVergleichstext(const QString& Bez);
// A term's comparison text: accents folded, then upper case.
QString SuchbegriffVergleichstext(const QString& Begriff);

struct TSuchOptionen {
    bool NurGanzWort = false;
    bool NurGanzStr = false; // wins over NurGanzWort
    QString KartFilter;      // empty: every map; else the map id, compared exactly
};

// The rule on two comparison texts (B of the label, T of the term). An empty T
// matches nothing.
bool PasstZuSuche(const QString& B, const QString& T, const TSuchOptionen& Optionen);

// Whether two label tables hold the same map ids, types and texts in the same
// order (positions and the rest do not matter to a search).
bool GleicheBeschriftungen(const QList<ObjDataTyp>& a, const QList<ObjDataTyp>& b);

// The comparison texts of a label table, built once and rebuilt only when the
// table changed. The index keeps a shared copy: while the table still shares it
// nothing was written; otherwise the contents are compared.
class TSuchIndex
{
  public:
    // Table indices of every label that matches the term, in table order; empty
    // for an empty term.
    QList<int> Suche(const QList<ObjDataTyp>& Tabelle, const QString& Begriff, const TSuchOptionen& Optionen);

  private:
    void Aktualisiere(const QList<ObjDataTyp>& Tabelle);
    QList<ObjDataTyp> m_stand;
    QStringList m_texte;
    bool m_gebaut = false;
};

// The hit list of the result window: TrefferIndizes ("17|230|") and the count.
// Row r (1-based) of the grid is entry r. The list belongs to the label table it
// was filled from: once that table changed, the hits are stale.
struct TSuchergebnis {
    QString TrefferIndizes;
    int TrefferAnzahl = 0;

    void Leeren(const QList<ObjDataTyp>& Tabelle);
    void FuegeHinzu(int Index);
    // The label index of grid row r; -1 for a row without a hit.
    int IndexInZeile(int Zeile) const;
    bool Veraltet(const QList<ObjDataTyp>& Tabelle) const
    {
        return !Tabelle.isSharedWith(m_stand) && !GleicheBeschriftungen(Tabelle, m_stand);
    }

  private:
    QList<ObjDataTyp> m_stand;
};

// The three cells of a hit row: " " + one-line text, " " + type name, " " + map name.
QStringList TrefferZellen(const ObjDataTyp& Obj);

// The grid row (1-based) selected when the result window opens: the only hit;
// else the first hit on AktKartID; else row 1. 0 when there is no hit.
int BevorzugteTrefferzeile(const QList<int>& Treffer, const QList<ObjDataTyp>& Tabelle, const QString& AktKartID);

// "1 Suchergebnis für 'x'" or "<n> Suchergebnisse für 'x'".
QString SuchergebnisTitel(int Anzahl, const QString& Begriff);
// The box shown when nothing was found (Du or Sie form).
QString NichtGefundenText(const QString& Begriff, bool AnredeDu);

// Puts the term on top of the history; a term already there (compared without
// case) moves up and keeps its spelling; an empty term changes nothing.
void MerkeSuchbegriff(QStringList& Verlauf, const QString& Begriff);

// The result window's top-left corner beside the main window's bottom-right corner.
QPoint SuchergebnisPosition(int BildschirmBreite, const QRect& Hauptfenster, const QSize& Fenster);

// Column widths of the result grid at a screen's pixels per inch for a grid width.
QList<int> TrefferSpaltenbreiten(int Ppi, int GridBreite);

} // namespace zl
