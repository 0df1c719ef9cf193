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

#include <QCheckBox>
#include <QFileInfo>
#include <QMenu>

namespace zl
{
namespace
{

bool istKartTyp(const QString& t)
{
    return t == u"RS" || t == u"RH" || t == u"PF" || t == u"PW";
}

QString dateiTeil(const QString& Name)
{
    QString n = Name;
    n.replace(u'\\', u'/');
    return QFileInfo(n).fileName();
}

// The seed of the last exercise, kept only while the result window shows with
// "&Exakt gleiche Fragen für Wiederholung und Lesezeichen" ticked.
std::int32_t behaltenerSeed(const HauptfensterZustand& Z)
{
    if (!UebErgebForm || !UebErgebForm->isVisible())
        return 0;
    const auto* exakt = UebErgebForm->findChild<QCheckBox*>(QStringLiteral("ExaktCheck1"));
    return exakt && exakt->isChecked() ? Z.Uebung.UebRandSeed : 0;
}

} // namespace

bool WechsleObjektdatei(const QString& Name)
{
    QString datei = dateiTeil(Name);
    if (datei.isEmpty())
        datei = dateiTeil(ObjDatei);
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
    L.ObjDateiName = dateiTeil(L.ObjDateiName);
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
    Z.AktKartID = L.KartID;
    if (istKartTyp(L.KartTyp))
        KartTyp = L.KartTyp;
    if (L.FontFakIndex >= 0 && L.FontFakIndex <= 2)
        Z.FontFakIndex = L.FontFakIndex;
    if (L.Kartenschrift >= 0 && L.Kartenschrift <= 1)
        Z.Kartenschrift = L.Kartenschrift;
    const KartenLesezeichen K = LeseKartenLesezeichen(L.Daten);
    if (K.Intensitaet)
        F.SetzeIntensitaet(*K.Intensitaet);
    for (int e = 0; e < 5; ++e) {
        F.LernkarteAnsicht->LernObjCheck[e]->setChecked(K.Ebenen[e]);
        F.LernkarteAnsicht->LernObjListCheck[e]->setChecked(K.Ebenen[e]);
    }
    F.SetzeZoom(K.ZoomStufe);
    Z.Viewport.SetzeAnker(K.AnkerX, K.AnkerY);
    F.AktualisiereKartendarstellung();
    WechsleObjektdatei(L.ObjDateiName);
    F.ZeigeLernkarte();
}

void TLesezeichenMenue::StelleUebungHer(const LesezeichenDataTyp& L)
{
    HauptfensterZustand& Z = F.Zustand;
    Uebungszustand& U = Z.Uebung;
    Z.NetzTeilnehmer = false;
    if (UebAuswForm)
        UebAuswForm->NetzwerkUebung1->setChecked(false);
    WechsleObjektdatei(L.ObjDateiName);
    if (istKartTyp(L.KartTyp))
        UebKartTyp = L.KartTyp;
    U.UebFragAnz = L.FragAnz;
    Z.FragTypMasken[3] = L.FragTypOk;
    U.UebModus = L.UebModus >= 1 && L.UebModus <= 4 ? L.UebModus : 1;
    U.UebTypMaske = Z.FragTypMasken[U.UebModus - 1].left(50);
    Z.Wahl.FragWeiterAuto = L.AutoWeiter;
    (L.AutoWeiter ? F.FragWeiterAuto : F.FragWeiterManuell)->setChecked(true);
    for (int i = int(UebungsDaten.size()) - 1; i >= 0; --i)
        if (UebungsDaten[i].UebKartID == L.KartID) {
            U.UebKartIndex = i;
            break;
        }
    if (!StarteLesezeichenUebung) {
        ZeigeInfo(QStringLiteral("Die Übung dieses Lesezeichens kann nicht gestartet werden."));
        return;
    }
    StarteLesezeichenUebung({L.KartID, L.Gebiet, LesezeichenSeed(L.Daten), L.Intensitaet});
}

void TLesezeichenMenue::StellePuzzleHer(const LesezeichenDataTyp& L)
{
    HauptfensterZustand& Z = F.Zustand;
    const QString alteKarte = Z.AktKartID;
    const QString alterTyp = KartTyp;
    Z.AktKartID = L.KartID;
    if (istKartTyp(L.KartTyp))
        KartTyp = L.KartTyp;
    const int n = PuzzleGroesse(L.Daten);
    if (Z.Wahl.PuzzleTeile != n) {
        Z.Wahl.PuzzleTeile = n;
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
