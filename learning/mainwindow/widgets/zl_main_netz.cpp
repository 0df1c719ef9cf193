// The main window's part of the class exercise: its menu items, the
// communication folder, the teacher's publishing after the exercise view's
// start and the participant's join with its results.

#include "learning/mainwindow/widgets/zl_main.h"

#include "controls/Dspez.h"
#include "datastore/Objektdaten.h"
#include "datastore/zl_data.h"
#include "learning/exercise/widgets/zl_uebausw.h"
#include "learning/exercise/widgets/zl_uebflaeche.h"
#include "learning/exercise/zl_uebprotokoll.h"
#include "learning/exercise/zl_uebtypen.h"
#include "learning/network/widgets/zl_kommverz.h"
#include "learning/network/widgets/zl_netzopt.h"
#include "learning/network/widgets/zl_netzprotokoll.h"
#include "learning/network/widgets/zl_netzuebung.h"
#include "learning/network/widgets/zl_netzuebungtnstart.h"
#include "platform/FileAccess.h"
#include "platform/MessageService.h"
#include "platform/Tick.h"

#include <QEvent>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>

namespace zl {
namespace {

// The number of the question answered last (of an assignment block its first):
// the questions asked so far, counted up to the answered items.
int BeantworteteFrage(const TUebung& E, int Beantwortet)
{
    int summe = 0;
    for (const TFrage& q : E.Fragen()) {
        const int n = IstZuordnungsFrage(q.Typ) ? 5 : 1;
        if (summe + n >= Beantwortet)
            return summe + 1;
        summe += n;
    }
    return Beantwortet;
}

// The exercise view runs the exercises; this follows it for the class exercise:
// the teacher's start is published once its questions are generated, and a
// participant's state is sent after its start and, told by the exercise, after
// every answer, each once and in order.
class TNetzAnbindung : public QObject {
public:
    explicit TNetzAnbindung(TForm1& Form) : QObject(&Form), F(Form)
    {
        setObjectName(QStringLiteral("NetzAnbindung"));
        if (F.UebungsAnsicht)
            F.UebungsAnsicht->Engine().BeiAenderung = [this](TUebAenderung A) { UebungGeaendert(A); };
    }

    // Once every window exists.
    void Verbinde()
    {
        if (UebAuswForm)
            UebAuswForm->installEventFilter(this);
        if (NetzOptForm)
            NetzOptForm->installEventFilter(this);
    }

    // The participant's exercise has started: first result, then one per answer.
    void StarteTeilnahme(const QString& Name)
    {
        name_ = Name;
        start_ = TagesZahl(QDateTime::currentDateTime());
        startTick_ = TickCount();
        gesendet_.clear();
        ErzeugeErgebnisNamen();
        Sende(0);
        teilnahme_ = true;
    }

    bool eventFilter(QObject* Obj, QEvent* Event) override
    {
        if (Obj == UebAuswForm && Event->type() == QEvent::Show) {
            UmschliessePruefeStart();
            // The join runs once the selection is closed, not on top of it.
            UebAuswForm->NetzTeilnehmen = [f = QPointer<TForm1>(&F)] {
                UebAuswForm->reject();
                if (f)
                    QTimer::singleShot(0, f, [f] { f->NetzUebungTeilnehmen(); });
            };
            // The selection proposes its seed when shown; the options dialog shows it.
            QTimer::singleShot(0, this, [] {
                if (NetzOptForm && UebAuswForm)
                    NetzOptForm->RandSeedEdit->setText(UebAuswForm->RandSeedText);
            });
        } else if (Obj == NetzOptForm && Event->type() == QEvent::Hide && UebAuswForm && UebAuswForm->isVisible()) {
            UebAuswForm->RandSeedText = NetzOptForm->RandSeedEdit->text();
        }
        return false;
    }

private:
    void UmschliessePruefeStart()
    {
        std::function<bool()> start = UebAuswForm->PruefeStart;
        if (!start || istUmschlossen_(start))
            return;
        UebAuswForm->PruefeStart = Umschlossen{start, this};
    }

    // The selection's start check with the teacher's publishing after it.
    struct Umschlossen {
        std::function<bool()> Start;
        TNetzAnbindung* A;
        bool operator()() const { return A->LehrerStart(Start); }
    };
    static bool istUmschlossen_(const std::function<bool()>& f) { return f.target<Umschlossen>() != nullptr; }

    bool LehrerStart(const std::function<bool()>& Start)
    {
        if (!UebAuswForm->NetzwerkUebung1->isChecked() || !F.UebungsAnsicht)
            return Start();
        if (!KomMailslot() && !TesteVerzeichnisZugriff(NetzVerz, false)) {
            ZeigeZugriffsFehler(false, NetzVerz);
            return false;
        }
        F.UebungsAnsicht->LehrerProtokoll.clear();
        const bool ok = Start();
        const QString schluessel = F.UebungsAnsicht->LehrerProtokoll;
        if (!ok || schluessel.isEmpty())
            return ok; // no questions: nothing is published
        const Uebungszustand& U = F.Zustand.Uebung;
        if (!NetzUebungDefinieren(U.UebKartID, U.UebGebiet, U.UebIntensitaet, U.UebRandSeed, U.UebTypMaske,
                                  UebKartTyp, U.UebFragAnz, U.UebModus))
            return ok;
        TeilnehmerProtokollKopf(KartenName(U.UebKartID), UebModusTitel(U.UebModus), QString::number(U.UebRandSeed),
                                U.UebIntensitaet, U.UebFragAnz);
        ZeigeNetzAntwortschluessel(schluessel);
        return ok;
    }

    void Sende(int FrageNr)
    {
        const Uebungszustand& U = F.Zustand.Uebung;
        const int beantwortet = U.AnzRichtig + U.AnzFalsch;
        const float quote = beantwortet ? static_cast<float>(U.AnzRichtig) / static_cast<float>(beantwortet) * 100.0f : 0.0f;
        const QString note = U.AntwortFolge.isEmpty() ? kNoteKurzStart : Notenkurz(NoteAusQuote(quote));
        const std::int32_t ms = U.AntwortFolge.isEmpty() ? 0 : static_cast<std::int32_t>(TickCount() - startTick_);
        SendeTeilnehmerErgebnis(NetzBefehl.Befehl.UebungsID, NetzRechnername(), name_, start_, FrageNr, U.AnzRichtig,
                                U.AnzFalsch, quote, note, ms, U.AntwortFolge);
        gesendet_ = U.AntwortFolge;
    }

    // Every start (the participant's own too, before StarteTeilnahme) and every end
    // closes a participation; each answer of a running one is sent.
    void UebungGeaendert(TUebAenderung A)
    {
        if (A != TUebAenderung::Beantwortet) {
            teilnahme_ = false;
            return;
        }
        const Uebungszustand& U = F.Zustand.Uebung;
        if (teilnahme_ && U.AntwortFolge != gesendet_ && F.UebungsAnsicht)
            Sende(BeantworteteFrage(F.UebungsAnsicht->Engine(), static_cast<int>(U.AntwortFolge.size())));
    }

    TForm1& F;
    bool teilnahme_ = false;
    QString name_;
    double start_ = 0;
    std::uint32_t startTick_ = 0;
    QString gesendet_;
};

TNetzAnbindung* Anbindung(TForm1& F) { return F.findChild<TNetzAnbindung*>(QStringLiteral("NetzAnbindung")); }

} // namespace

void TForm1::VerbindeNetzwerk()
{
    auto* anbindung = new TNetzAnbindung(*this);
    // The dialogs are created after the main window.
    QTimer::singleShot(0, anbindung, [anbindung] { anbindung->Verbinde(); });
    StarteNetzUebung = [f = QPointer<TForm1>(this)](const NetzStartDaten& d) {
        return f && f->StarteTeilnehmerUebung(d);
    };
    connect(Netzwerkuebung1, &QAction::triggered, this, [this] { NetzUebungTeilnehmen(); });
    connect(NetzwerkUebInit, &QAction::triggered, this, [this] {
        // The teacher's start runs through the exercise selection with its network option.
        if (UebAuswForm)
            UebAuswForm->NetzwerkUebung1->setChecked(true);
        UebungStart1->trigger();
    });
    connect(NetzwerkuebungProtokoll1, &QAction::triggered, this, [] {
        if (!UebProtForm)
            return;
        UebProtForm->show();
        UebProtForm->raise();
        UebProtForm->activateWindow();
    });
    connect(Kommunikationsverzeichnis1, &QAction::triggered, this, [this] { Kommunikationsverzeichnis1Click(); });
}

void TForm1::Kommunikationsverzeichnis1Click()
{
    if (!KommVerzForm)
        return;
    KommVerzForm->VerzEdit1->setText(NetzVerz);
    const bool ok = KommVerzForm->exec() == QDialog::Accepted;
    // The channel stays as chosen even when cancelled; both are kept in the settings.
    KomModus = KomMailslot() ? 1 : 0;
    Settings.Schreibe(QStringLiteral("NetzKomDatei"), Zustand);
    Settings.Schreibe(QStringLiteral("NetzKomMailslot"), Zustand);
    KomModus = -1;
    if (ok)
        Settings.Schreibe(QStringLiteral("NetzKommVerz"), Zustand);
}

void TForm1::LoescheNetzDatei() { zl::LoescheNetzDatei(NetzVerz); }

void TForm1::WaehleKommunikationsverzeichnis() { Kommunikationsverzeichnis1->trigger(); }

void TForm1::NetzUebungTeilnehmen()
{
    // Joining replaces the label file: unsaved edits must not be lost.
    if (ObjEditorSichtbar()) {
        ZeigeInfo(QStringLiteral("Bitte zuerst den Beschriftungseditor schließen."));
        return;
    }
    if (!ModusVerlassenErlaubt({Uebung, Schiebepuzzle}))
        return;
    if (!NetzUebungTnStartForm || NetzUebungTnStartForm->exec() != QDialog::Accepted)
        return;
    const NetzStartDaten d = NetzUebungTnStartForm->StartDaten;
    const QString objDatei = resolvePath(DatenVerz + d.ObjDateiName);
    if (QFileInfo(objDatei) != QFileInfo(ObjDatei)) {
        if (!LeseObjektdatei(objDatei))
            return; // the reader's box was shown; nothing has changed
        ObjDatei = objDatei;
    }
    // The teacher's choices; "own choice" leaves the participant's setting.
    if (d.Sound != 2) {
        Sound1->setChecked(d.Sound == 0);
        Sound1Click();
    }
    if (d.Animationen == 0)
        Animation_einClick();
    else if (d.Animationen == 1)
        Animation_ausClick();
    else if (d.Animationen == 2)
        Animation_StandbildClick();
    if (d.Anrede == 0)
        AnredeDuClick();
    else if (d.Anrede == 1)
        AnredeSieClick();
    if (d.AutoWeiter != 2)
        FragWeiterClick(d.AutoWeiter == 0);
    if (d.RFLevel != 3)
        UebRFLevelClick(d.RFLevel);
    Zustand.Freigaben = {d.Sound, d.Animationen, d.Anrede, d.RFLevel, d.AutoWeiter};
    Zustand.Uebung.UebModus = d.UebModus;
    Zustand.Uebung.UebFragAnz = d.UebFragAnz;
    Zustand.Uebung.UebKartIndex = d.UebKartIndex;
    UebKartTyp = d.UebKartTyp;
    Zustand.NetzTeilnehmer = true;
    AktualisiereMenues();
    if (!StarteNetzUebung || !StarteNetzUebung(d)) {
        Zustand.NetzTeilnehmer = false;
        AktualisiereMenues();
    }
}

bool TForm1::StarteTeilnehmerUebung(const NetzStartDaten& d)
{
    if (!UebungsAnsicht)
        return false;
    // The teacher's mask for this exercise only; the participant's own stays.
    const QString eigeneMaske = Zustand.FragTypMasken[d.UebModus - 1];
    Zustand.FragTypMasken[d.UebModus - 1] = d.FragTypMaske;
    const bool ok = UebungsAnsicht->StarteUebung(d.KartID, d.Gebiet, d.Seed, d.Intensitaet);
    Zustand.FragTypMasken[d.UebModus - 1] = eigeneMaske;
    if (!ok)
        return false;
    const QString name = NetzUebungTnStartForm->TNameEdit->text().trimmed();
    SetzeTitel(TitelUebung(KartenName(d.KartID), UebModusName(d.UebModus),
                           Intensitaeten.value(d.Intensitaet - 1), d.UebFragAnz, name));
    ZeigeModus();
    if (TNetzAnbindung* a = Anbindung(*this))
        a->StarteTeilnahme(name);
    return true;
}

} // namespace zl
