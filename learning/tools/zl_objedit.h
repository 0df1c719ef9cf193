#pragma once

// The map-label editor's rules, shared by both programs: the edit fields of one
// label, taking them over into the label table, new, copy and delete, and the
// label-file actions (save, save question, new file, open, save as). The editor
// talks to its program only through TObjEditHost; what differs between the
// programs (caption, type list, dialog texts) is a TObjEditKonfig.

#include "datastore/Objektdaten.h"
#include "datastore/zl_data.h"
#include "raster/Rast32.h"

#include <QList>
#include <QObject>
#include <QRect>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <array>

namespace zl
{

// What differs between the editors of the two programs.
struct TObjEditKonfig {
    // Caption until the first activation, and the start of every later caption.
    QString Titel;
    // Entries of the type combo; each entry's code is the text in its brackets.
    QStringList TypEintraege;
    // The label open dialog and the label save dialog (filters "Name|Muster|Name|Muster").
    QString OeffnenTitel;
    QString OeffnenFilter;
    QString NeuAnlegenTitel;
    QString SpeichernUnterTitel;
    QString SpeichernFilter;
    QString Erweiterung;
};

// Kartivo's editor: "Kartenbeschriftung bearbeiten" with eleven types.
TObjEditKonfig LernprogrammObjEditKonfig();
// Foliavo's editor: "Abfrageobjekte bearbeiten" with eight types and its open dialog.
TObjEditKonfig ArbeitsblattObjEditKonfig();

// Placement entries "-3" .. "+3" (value = index - 3) and intensity entries (value = index).
extern const QStringList kAusrichtungsEintraege;
extern const QStringList kIntensitaetsEintraege;

// The text between the first "[" and the first "]" after it; empty when there is none.
QString TextInKlammern(const QString& Text);
// One map-combo entry per map of the list, in list order: name + " [" + id + "]".
QStringList KartenEintraege(const QList<KartDataTyp>& Karten);
// Index of the first entry that holds "[" + upper-cased code + "]"; -1 when none does.
int EintragMitCode(const QStringList& Eintraege, const QString& Code);

// A label text may hold neither "~" (the field separator), CR, LF, Ctrl-Z nor a
// character that Windows-1252 cannot hold.
bool BezeichnungZulaessig(const QString& Text);
// The text with every such character removed.
QString BereinigeBezeichnung(const QString& Text);

// The program around the editor. The editor never reaches the main window otherwise.
class TObjEditHost
{
  public:
    virtual ~TObjEditHost() = default;
    // The label table the editor changes, and the current label file (full path).
    virtual QList<ObjDataTyp>& Objekte() = 0;
    virtual QString Objektdatei() const = 0;
    virtual void SetzeObjektdatei(const QString& Datei) = 0;
    // Entries of the map combo (see KartenEintraege).
    virtual QStringList KartenEintraege() const = 0;
    // The map shown, and its visible section in 1/10000 of the picture.
    virtual QString AktKartID() const = 0;
    virtual TRect Ausschnitt() const = 0;
    // Shows label i on its map (switching map and zoom when it is not the one shown),
    // redraws and selects it (which shows it in the editor again).
    virtual void ZeigeAufKarte(int i) = 0;
    // The table lost a label: the view is shown again without a selection.
    virtual void ZeigeKarteNeu() = 0;
    // The table was read again: the current view is laid out and drawn anew.
    virtual void BaueAnsichtNeu() = 0;
    // The label behind the selected list entry; -1 when none.
    virtual int GewaehltesObjekt() const = 0;
    // Refills the learning lists, with each entry's intensity while the editor is open.
    virtual void AktualisiereListen(bool MitIntensitaet) = 0;
    // Selects label i in the lists and on the map.
    virtual void WaehleObjekt(int i) = 0;
    // Label i was moved or its placement stepped: redraw, refill the lists, select it.
    virtual void ObjektGeaendert(int i) = 0;
    // Alt+arrow in the editor: the main window takes the focus and steps the placement.
    virtual void AendereAusrichtung(int dx, int dy) = 0;
    // The editor was closed (menus, pointer arrow, lists without intensities).
    virtual void EditorGeschlossen() = 0;
};

// The edit fields as the window shows them. Combo fields are entry indexes, -1 for
// no entry (the label's value is not in the list).
struct TObjEditFelder {
    int ID = -1; // the table index of the shown label, -1 for none
    int Karte = -1;
    int Typ = -1;
    int PosX = 0; // 1/10000 of the picture
    int PosY = 0;
    QString Bez;
    int AusrX = -1; // 0..6 for -3..+3
    int AusrY = -1;
    int Intens = -1;    // 0..3
    bool Aktiv = false; // the edit controls are enabled
    friend bool operator==(const TObjEditFelder&, const TObjEditFelder&) = default;
};

// The editor's state and operations. Every operation that changes the fields
// emits FelderGeaendert; the window then shows Felder() again.
class TObjEditor : public QObject
{
    Q_OBJECT

  public:
    // The host must outlive the editor.
    TObjEditor(TObjEditKonfig Konfig, TObjEditHost& Host, QObject* parent = nullptr);

    const TObjEditKonfig& Konfig() const { return m_konfig; }
    TObjEditHost& Host() const { return m_host; }
    // The map entries, read from the host at creation and on LeseKartenNeu.
    const QStringList& KartenListe() const { return m_karten; }
    void LeseKartenNeu();

    const TObjEditFelder& Felder() const { return m_felder; }
    // The window's controls changed: the fields as they stand now. Counts as a change.
    void SetzeFelder(const TObjEditFelder& Felder);
    // What a combo shows when the label's value is not in its list (empty otherwise).
    QString KartePlatzhalter() const;
    QString TypPlatzhalter() const;
    QString AusrXPlatzhalter() const;
    QString AusrYPlatzhalter() const;
    QString IntensPlatzhalter() const;

    // The table has changes that are not saved.
    bool Geaendert = false;
    void MarkiereGeaendert() { Geaendert = true; }

    // Takes the fields over, then shows label i (clears the fields for -1 or an index
    // outside the table); Geaendert keeps the value it had after the take-over.
    void ZeigeObjekt(int i);
    // Writes every field that differs from what was shown into the label ID names
    // (values the lists cannot show stay as stored); returns ID.
    int UebernimmObjekt();
    // Takes over and shows the label on the map.
    void ZeigeObjektAufKarte();
    void Neu();
    void Kopieren();
    // Asks first; false when nothing was deleted.
    bool Entfernen();
    // Writes the table to the current label file and reads it again; false when the
    // writing failed (the boxes were shown; table, Geaendert and file are kept).
    bool Speichern();
    // With changes: "Änderungen unter <file> speichern?" (Yes, No, Cancel). False for
    // Cancel and when the chosen save fails: the caller stops.
    bool FrageSpeichern();
    // "Neu anlegen": writes an empty label file; only when that succeeds the table is
    // emptied and the file becomes current.
    bool NeuAnlegen(const QString& Datei);
    // "Öffnen": the file becomes current only when it could be read.
    bool Oeffnen(const QString& Datei);
    // "Speichern unter": takes over, writes, then the file becomes current.
    bool SpeichernUnter(const QString& Datei);
    // Reads the current label file again and lays out the view.
    bool LadeObjektdateiNeu();

    // The window is shown: select the host's selected label and show it.
    void Anzeigen();
    // The window asks to close: the save question, then the discard. False: it stays
    // open. Once it is hidden, the window tells the host (EditorGeschlossen).
    bool Schliessen();
    // Steps the placement (Alt+arrows); the label's index when a field changed, else -1.
    int SchritteAusrichtung(int dx, int dy);
    // The pointer arrow was dragged to a map position (fractions, held to 0..1).
    void SetzePosition(double Px, double Py);

    // "<Titel> - <file name> (<labels>)".
    QString Titel() const;

  signals:
    void FelderGeaendert();
    void TitelGeaendert();
    // The text field should take the focus (after new and copy).
    void TextFokus();
    // Labels were added or removed, or the table was read again: indexes into it may
    // name other labels now.
    void TabelleGeaendert();

  private:
    QList<ObjDataTyp>& tabelle() const { return m_host.Objekte(); }
    TObjEditFelder felderVon(int i) const;
    void leereFelder();
    bool schreibe(const QString& Datei);
    void nachNeuemLesen();

    TObjEditKonfig m_konfig;
    TObjEditHost& m_host;
    QStringList m_karten;
    TObjEditFelder m_felder;
    TObjEditFelder m_gezeigt; // the fields as they were last filled from the label
};

// ---- Hit test on the map -----------------------------------------------------------

// Layers Länder, Städte, Gewässer, Landschaften, Inseln, Kreise.
using TObjEditEbenen = std::array<bool, 6>;

// The first label in table order on the map (exact id), with an intensity of at most
// Intensitaet, whose layer is shown (an island state under Länder or Inseln), whose
// position lies inside the box (map fractions, edges included); -1 when none.
int ObjektUnterMaus(const QList<ObjDataTyp>& Objekte, const QString& KartID, int Intensitaet,
                    const TObjEditEbenen& Ebenen, const QRectF& Box);

// The 17 x 17 square centred on a label, in the coordinates of the picture control's
// parent: the control at Bild shows a picture of pw x ph centred, cut from the section.
// Empty when the section or the picture is empty.
QRect TrefferQuadrat(const ObjDataTyp& Obj, const QRect& Bild, int pw, int ph, const TRect& Ausschnitt);

} // namespace zl
