#include "learning/tools/widgets/zl_lesezeichenmenue.h"

#include "datastore/Objektdaten.h"
#include "datastore/zl_data.h"
#include "learning/mapview/zl_hauptfensterhost.h"
#include "learning/tools/widgets/zl_lesezeichen.h"
#include "learning/tools/widgets/zl_objeditneu.h"
#include "learning/tools/widgets/zl_schiebansicht.h"
#include "platform/MessageService.h"

#include <QFileInfo>
#include <QMenu>

namespace zl
{
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

TLesezeichenMenue::TLesezeichenMenue(TAnsichtHost& Host, QMenu* Menue, TPuzzleAnsicht& Puzzle)
    : QObject(Host.Hauptfenster()), H(Host), Menue_(Menue), Puzzle_(Puzzle)
{
    setObjectName(QStringLiteral("LesezeichenMenue"));
}

void TLesezeichenMenue::LesezeichenDefinieren1Click()
{
    const HauptfensterZustand& Z = H.Fensterzustand();
    const int m = Z.Ansichtsmodus;
    if (!FrageJaNein(LesezeichenFrage(m, H.Gewaehlt(TOptionsPunkt::AnredeDu))))
        return;
    const QString zeit = LesezeichenZeit(QDateTime::currentDateTime());
    LesezeichenDataTyp L;
    L.Modus = m;
    L.ObjDateiName = ObjDatei;
    if (m == Lernkarte) {
        L.Titel = LesezeichenTitelKarte(zeit, KartenName(Z.AktKartID));
        KartenLesezeichen K;
        K.Intensitaet = Z.LernIntensitaet;
        K.Ebenen = H.Ebenen();
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
        const std::int32_t seed = BehaltenerLesezeichenSeed ? BehaltenerLesezeichenSeed() : 0;
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
        const int n = H.Gewaehlt(TOptionsPunkt::Puzzle5x5) ? 5 : H.Gewaehlt(TOptionsPunkt::Puzzle4x4) ? 4 : 3;
        L.Titel = LesezeichenTitelPuzzle(zeit, KartenName(Z.AktKartID), n);
        L.KartID = Z.AktKartID;
        L.Daten = QString::number(n);
        L.KartTyp = KartTyp;
    } else {
        return;
    }
    L.UebModus = Z.Uebung.UebModus;
    L.AutoWeiter = H.Gewaehlt(TOptionsPunkt::FragWeiterAuto);
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
    QMenu* menu = Menue_;
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
    H.SchreibeEinstellung(QStringLiteral("Lesezeichen"));
}

void TLesezeichenMenue::LesezeichenAuswahlClick(int Index)
{
    if (!H.ModusVerlassenErlaubt({Uebung, Schiebepuzzle}))
        return;
    if (Index < 0 || Index >= LesezeichenListe.size())
        return;
    const LesezeichenDataTyp L = LesezeichenListe[Index];
    // The label table is about to be read again: the editor settles its edits first.
    if (L.Modus != Schiebepuzzle && H.ObjEditorSichtbar() && !ObjEditneuForm->close())
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
    HauptfensterZustand& Z = H.Fensterzustand();
    Z.Ansichtsmodus = kAnsichtWiederherstellen;
    const auto ebenen = SetzeKartenansicht(L, Z, KartTyp);
    H.SetzeIntensitaet(Z.LernIntensitaet);
    H.SetzeEbenen(ebenen);
    const int ax = Z.Viewport.ScrollAnkerX, ay = Z.Viewport.ScrollAnkerY;
    H.SetzeZoom(Z.Viewport.ZoomStufe);
    Z.Viewport.SetzeAnker(ax, ay);
    H.AktualisiereKartendarstellung();
    WechsleObjektdatei(L.ObjDateiName);
    H.ZeigeLernkarte();
}

void TLesezeichenMenue::StelleUebungHer(const LesezeichenDataTyp& L)
{
    HauptfensterZustand& Z = H.Fensterzustand();
    Z.NetzTeilnehmer = false;
    WechsleObjektdatei(L.ObjDateiName);
    const TUebStart start = SetzeUebung(L, Z, UebKartTyp);
    H.Waehle(Z.Wahl.FragWeiterAuto ? TOptionsPunkt::FragWeiterAuto : TOptionsPunkt::FragWeiterManuell);
    if (!StarteLesezeichenUebung) {
        ZeigeInfo(QStringLiteral("Die Übung dieses Lesezeichens kann nicht gestartet werden."));
        return;
    }
    StarteLesezeichenUebung(start);
}

void TLesezeichenMenue::StellePuzzleHer(const LesezeichenDataTyp& L)
{
    HauptfensterZustand& Z = H.Fensterzustand();
    const QString alteKarte = Z.AktKartID;
    const QString alterTyp = KartTyp;
    const int alteTeile = Z.Wahl.PuzzleTeile;
    if (SetzePuzzle(L, Z, KartTyp) != alteTeile) {
        H.ZeigeMenueWahl();
        H.SchreibeEinstellung(QStringLiteral("Puzzle-Teile"));
    }
    // The leave check has been asked above; a puzzle that cannot start keeps the old map.
    if (!Puzzle_.Schiebepuzzle1Click(false)) {
        Z.AktKartID = alteKarte;
        KartTyp = alterTyp;
    }
    H.AktualisiereKartendarstellung();
}

} // namespace zl
