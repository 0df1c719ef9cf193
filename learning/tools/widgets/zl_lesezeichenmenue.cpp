#include "learning/tools/widgets/zl_lesezeichenmenue.h"

#include "datastore/Objektdaten.h"
#include "datastore/zl_data.h"
#include "learning/exercise/widgets/zl_uebausw.h"
#include "learning/exercise/widgets/zl_uebergebnis.h"
#include "learning/mainwindow/zl_einstellungen.h"
#include "learning/mainwindow/zl_lernkarte.h"
#include "learning/mainwindow/zl_main.h"
#include "learning/tools/widgets/zl_lesezeichen.h"
#include "learning/tools/widgets/zl_objeditneu.h"
#include "learning/tools/widgets/zl_schiebansicht.h"
#include "platform/MessageService.h"

#include <QFileInfo>
#include <QMenu>

namespace zl
{
namespace
{

// The seed of the last exercise, kept only while the result window shows with
// "&Exakt gleiche Fragen für Wiederholung und Lesezeichen" ticked.
std::int32_t behaltenerSeed(const HauptfensterZustand& Z)
{
    if (!UebErgebForm || !UebErgebForm->isVisible())
        return 0;
    return UebErgebForm->ExaktCheck1->isChecked() ? Z.Uebung.UebRandSeed : 0;
}

} // namespace

bool WechsleObjektdatei(const QString& Name)
{
    QString datei = LesezeichenDateiName(Name);
    if (datei.isEmpty())
        datei = LesezeichenDateiName(ObjDatei);
    const QString neu = DatenVerz + datei;
    if (neu.toUpper() != ObjDatei.toUpper())
        ZeigeInfo(QStringLiteral("Wechsel der Kartenobjektdatei (") + datei + u')');
    // A file that cannot be read leaves the current file and its labels together,
    // so they are never saved under the other name.
    if (!LeseObjektdatei(neu))
        return false;
    ObjDatei = neu;
    return true;
}

TLesezeichenMenue::TLesezeichenMenue(TForm1& Form) : QObject(&Form), F(Form)
{
    setObjectName(QStringLiteral("LesezeichenMenue"));
    connect(F.LesezeichenDefinieren1, &QAction::triggered, this, [this] { LesezeichenDefinieren1Click(); });
    connect(F.LesezeichenBearbeiten1, &QAction::triggered, this, [this] { BearbeiteLesezeichen(false); });
}

void TLesezeichenMenue::LesezeichenDefinieren1Click()
{
    const HauptfensterZustand& Z = F.Zustand;
    const int m = Z.Ansichtsmodus;
    if (!FrageJaNein(LesezeichenFrage(m, F.AnredeDu->isChecked())))
        return;
    const QString zeit = LesezeichenZeit(QDateTime::currentDateTime());
    LesezeichenDataTyp L;
    L.Modus = m;
    L.ObjDateiName = ObjDatei;
    if (m == Lernkarte) {
        L.Titel = LesezeichenTitelKarte(zeit, KartenName(Z.AktKartID));
        KartenLesezeichen K;
        K.Intensitaet = Z.LernIntensitaet;
        for (int e = 0; e < 5; ++e)
            K.Ebenen[e] = F.LernkarteAnsicht->LernObjCheck[e]->isChecked();
        K.ZoomStufe = Z.Viewport.ZoomStufe;
        K.AnkerX = Z.Viewport.ScrollAnkerX;
        K.AnkerY = Z.Viewport.ScrollAnkerY;
        L.KartID = Z.AktKartID;
        L.Daten = KartenLesezeichenDaten(K);
        L.KartTyp = KartTyp;
        L.FontFakIndex = Z.FontFakIndex;
        L.Kartenschrift = Z.Kartenschrift;
    } else if (m == Uebung) {
        const Uebungszustand& U = Z.Uebung;
        const std::int32_t seed = behaltenerSeed(Z);
        L.Titel =
            LesezeichenTitelUebung(zeit, KartenName(U.UebKartID), U.UebModus, U.UebIntensitaet, U.UebFragAnz, seed);
        L.KartID = U.UebKartID;
        L.Gebiet = U.UebGebiet;
        L.Intensitaet = U.UebIntensitaet;
        L.Daten = QString::number(seed);
        L.FragTypOk = U.UebTypMaske;
        L.KartTyp = UebKartTyp;
        L.FragAnz = U.UebFragAnz;
    } else if (m == Schiebepuzzle) {
        const int n = F.Puzzle5x5->isChecked() ? 5 : F.Puzzle4x4->isChecked() ? 4 : 3;
        L.Titel = LesezeichenTitelPuzzle(zeit, KartenName(Z.AktKartID), n);
        L.KartID = Z.AktKartID;
        L.Daten = QString::number(n);
        L.KartTyp = KartTyp;
    } else {
        return;
    }
    L.UebModus = Z.Uebung.UebModus;
    L.AutoWeiter = F.FragWeiterAuto->isChecked();
    NeuesLesezeichen(L);
    BearbeiteLesezeichen(true);
}

void TLesezeichenMenue::NeuesLesezeichen(LesezeichenDataTyp L)
{
    L.ObjDateiName = LesezeichenDateiName(L.ObjDateiName);
    L.Titel = BereinigeTitel(L.Titel);
    LesezeichenListe.append(L);
    SpeichereLesezeichen();
    BaueLesezeichenMenue();
}

void TLesezeichenMenue::BaueLesezeichenMenue()
{
    QMenu* menu = F.LesezeichenMenu1;
    for (QAction* a : std::as_const(Eintraege)) {
        menu->removeAction(a);
        a->deleteLater();
    }
    Eintraege.clear();
    for (int i = 0; i < LesezeichenListe.size(); ++i) {
        QAction* a = menu->addAction(LesezeichenMenueText(i, LesezeichenListe[i].Titel));
        a->setObjectName(QStringLiteral("Lesezeichen%1").arg(i + 1));
        a->setData(i);
        connect(a, &QAction::triggered, this, [this, i] { LesezeichenAuswahlClick(i); });
        Eintraege.append(a);
    }
    const QList<QAction*> punkte = menu->actions();
    if (punkte.size() >= 3 && punkte[2]->isSeparator())
        punkte[2]->setVisible(!LesezeichenListe.isEmpty());
}

void TLesezeichenMenue::BearbeiteLesezeichen(bool GeradeDefiniert)
{
    if (LesezeichenForm) {
        LesezeichenForm->Fuelle(&LesezeichenListe, GeradeDefiniert);
        LesezeichenForm->exec();
        if (LesezeichenForm->Geaendert)
            SpeichereLesezeichen();
    }
    BaueLesezeichenMenue();
}

void TLesezeichenMenue::SpeichereLesezeichen()
{
    F.Settings.Schreibe(QStringLiteral("Lesezeichen"), F.Zustand, F.LesezeichenText());
}

void TLesezeichenMenue::LesezeichenAuswahlClick(int Index)
{
    if (!F.ModusVerlassenErlaubt({Uebung, Schiebepuzzle}))
        return;
    if (Index < 0 || Index >= LesezeichenListe.size())
        return;
    const LesezeichenDataTyp L = LesezeichenListe[Index];
    // The label table is about to be read again: the editor settles its edits first.
    if (L.Modus != Schiebepuzzle && F.ObjEditorSichtbar() && !ObjEditneuForm->close())
        return;
    switch (L.Modus) {
    case Lernkarte:
        StelleKarteHer(L);
        break;
    case Uebung:
        StelleUebungHer(L);
        break;
    case Schiebepuzzle:
        StellePuzzleHer(L);
        break;
    default:
        break;
    }
}

void TLesezeichenMenue::StelleKarteHer(const LesezeichenDataTyp& L)
{
    HauptfensterZustand& Z = F.Zustand;
    Z.Ansichtsmodus = kAnsichtWiederherstellen;
    const auto ebenen = SetzeKartenansicht(L, Z, KartTyp);
    F.SetzeIntensitaet(Z.LernIntensitaet);
    for (int e = 0; e < 5; ++e) {
        F.LernkarteAnsicht->LernObjCheck[e]->setChecked(ebenen[e]);
        F.LernkarteAnsicht->LernObjListCheck[e]->setChecked(ebenen[e]);
    }
    const int ax = Z.Viewport.ScrollAnkerX, ay = Z.Viewport.ScrollAnkerY;
    F.SetzeZoom(Z.Viewport.ZoomStufe);
    Z.Viewport.SetzeAnker(ax, ay);
    F.AktualisiereKartendarstellung();
    WechsleObjektdatei(L.ObjDateiName);
    F.ZeigeLernkarte();
}

void TLesezeichenMenue::StelleUebungHer(const LesezeichenDataTyp& L)
{
    HauptfensterZustand& Z = F.Zustand;
    Z.NetzTeilnehmer = false;
    if (UebAuswForm)
        UebAuswForm->NetzwerkUebung1->setChecked(false);
    WechsleObjektdatei(L.ObjDateiName);
    const TUebStart start = SetzeUebung(L, Z, UebKartTyp);
    (Z.Wahl.FragWeiterAuto ? F.FragWeiterAuto : F.FragWeiterManuell)->setChecked(true);
    if (!StarteLesezeichenUebung) {
        ZeigeInfo(QStringLiteral("Die Übung dieses Lesezeichens kann nicht gestartet werden."));
        return;
    }
    StarteLesezeichenUebung(start);
}

void TLesezeichenMenue::StellePuzzleHer(const LesezeichenDataTyp& L)
{
    HauptfensterZustand& Z = F.Zustand;
    const QString alteKarte = Z.AktKartID;
    const QString alterTyp = KartTyp;
    const int alteTeile = Z.Wahl.PuzzleTeile;
    if (SetzePuzzle(L, Z, KartTyp) != alteTeile) {
        F.ZeigeMenueWahl();
        F.Settings.Schreibe(QStringLiteral("Puzzle-Teile"), Z);
    }
    // The leave check has been asked above; a puzzle that cannot start keeps the old map.
    if (!F.PuzzleAnsicht->Schiebepuzzle1Click(false)) {
        Z.AktKartID = alteKarte;
        KartTyp = alterTyp;
    }
    F.AktualisiereKartendarstellung();
}

} // namespace zl
