// A class exercise through the exercise windows on the bundled atlas: the
// teacher's start publishes the command, the header and the answer key; a
// participant that joins gets the same questions and reports every answer.

#include "learning/exercise/widgets/zl_uebausw.h"
#include "learning/exercise/widgets/zl_uebergebnis.h"
#include "learning/exercise/widgets/zl_uebflaeche.h"
#include "learning/exercise/widgets/zl_uebmodal.h"
#include "learning/exercise/zl_uebtypen.h"

#include "datastore/zl_data.h"
#include "learning/mainwindow/widgets/zl_main.h"
#include "learning/mainwindow/widgets/zl_main_start.h"
#include "learning/network/MailSlot2.h"
#include "learning/network/widgets/zl_kommverz.h"
#include "learning/network/widgets/zl_netzopt.h"
#include "learning/network/widgets/zl_netzprotokoll.h"
#include "learning/network/widgets/zl_netzuebung.h"
#include "learning/network/widgets/zl_netzuebungtnstart.h"
#include "platform/MessageService.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QUdpSocket>
#include <gtest/gtest.h>

using namespace zl;

namespace {

class NetzUebung : public ::testing::Test {
protected:
    void SetUp() override { netzVerz = netz.path() + u'/'; }
    void TearDown() override
    {
        UebModalAusfuehren = nullptr;
        k.reset();
    }

    // The program on the bundled atlas with the learning map open and scripted waits and boxes.
    void starte(bool Mailslot)
    {
        KartivoStartOptionen o;
        o.ProgrammVerz = QStringLiteral(ZL_ATLAS_DIR);
        o.Store = &store;
        o.Titelfenster = false;
        o.Bildschirmpruefung = false;
        k = std::make_unique<TKartivo>(o);
        ASSERT_TRUE(k->Starte());
        k->ZeigeHauptfenster();
        QApplication::processEvents();
        F = k->Hauptfenster();
        A = F->UebungsAnsicht;
        ASSERT_TRUE(A);
        NetzVerz = netzVerz;
        SetzeKomMailslot(Mailslot);
        F->Zustand.AktKartID = QStringLiteral("EURO");
        F->ZeigeLernkarte();
        A->Warten = [](std::uint32_t, bool) {};
        A->WeiterHinweis = [] {};
        A->Medien = {[] {}, [] {}, [] {}, [] {}, [] {}, [] {}};
        UebModalAusfuehren = [this](QDialog* d) {
            d->setResult(0);
            d->show();
            int r = 0;
            if (d == UebAuswForm) {
                UebAuswForm->NetzwerkUebung1->setChecked(lehrer);
                UebAuswForm->UebRadio[0]->click();
                UebAuswForm->FragAnzCombo->setCurrentText(QString::number(kFragen));
                UebAuswForm->StartBtn->click();
                r = UebAuswForm->result();
            } else if (d == UebErgebForm) {
                ++ergebnisse;
                r = mbCancel;
            }
            d->hide();
            return r;
        };
        QApplication::processEvents();
    }

    // The teacher's start through the selection with the class-exercise option.
    void LehrerStart()
    {
        lehrer = true;
        F->UebungStart1->trigger();
        QApplication::processEvents();
    }

    // Joins through the join window with the name.
    void Teilnehmen(const QString& Name)
    {
        lehrer = false;
        QTimer::singleShot(0, [Name] {
            NetzUebungTnStartForm->PruefeNetzBefehl();
            NetzUebungTnStartForm->TNameEdit->setText(Name);
            NetzUebungTnStartForm->TeilnehmenBtnClick();
            if (NetzUebungTnStartForm->isVisible())
                NetzUebungTnStartForm->reject();
        });
        F->Netzwerkuebung1->trigger();
    }

    // Answers every question, right at every odd one, and notes the right letters.
    QStringList BeantworteAlle()
    {
        QStringList richtige;
        for (int n = 0; A->Engine().Laeuft() && n < 2 * kFragen; ++n) {
            const Uebungszustand& U = F->Zustand.Uebung;
            const int r = U.RichtigeAntwort;
            richtige << QString(QChar(u'A' + r - 1));
            A->ABtn[(n % 2 ? r : r % 5 + 1) - 1]->OnClick();
            QApplication::processEvents();
        }
        // Each answer is sent as it is evaluated; what is written lands at once.
        QApplication::processEvents();
        return richtige;
    }

    static constexpr int kFragen = 10;
    QTemporaryDir netz;
    QString netzVerz;
    std::unique_ptr<TKartivo> k;
    MemorySettingsStore store;
    TForm1* F = nullptr;
    TUebungsAnsicht* A = nullptr;
    bool lehrer = false;
    int ergebnisse = 0;
};

} // namespace

TEST_F(NetzUebung, LehrerVeroeffentlichtTeilnehmerErhaeltDieGleichenFragen)
{
    ScopedMessageRecorder boxen;
    starte(false);
    LehrerStart();
    ASSERT_TRUE(QFile::exists(netzVerz + kNetzDateiName)) << boxen.texts().join(u'\n').toStdString();
    const std::optional<NetzDateiInhalt> befehl = LeseNetzDatei(netzVerz);
    ASSERT_TRUE(befehl);
    EXPECT_EQ(befehl->Befehl.Status, 3);
    EXPECT_EQ(befehl->Befehl.UebFragAnz, kFragen);
    EXPECT_NE(befehl->Befehl.RandSeed, QStringLiteral("0"));
    EXPECT_FALSE(befehl->Mailslot);
    // Header, answer key and reception in the protocol window.
    EXPECT_TRUE(UebProtForm->isVisible());
    EXPECT_TRUE(UebProtForm->Timer1->isActive());
    EXPECT_TRUE(UebProtForm->Memo1->toPlainText().contains(QStringLiteral(" [") + befehl->Befehl.RandSeed + u']'));
    const QString schluessel = UebProtForm->Memo2->toPlainText();
    QStringList schluesselBuchstaben;
    for (const auto& m : QRegularExpression(QStringLiteral("Richtige Antwort: ([A-E])")).globalMatch(schluessel))
        schluesselBuchstaben << m.captured(1);
    ASSERT_EQ(schluesselBuchstaben.size(), kFragen);
    EXPECT_EQ(F->Zustand.Ansichtsmodus, Lernkarte);
    EXPECT_TRUE(boxen.entries().isEmpty()) << boxen.texts().join(u'\n').toStdString();
    k.reset(); // the teacher's computer is done; its command file stays for the class

    starte(true); // the participant's own channel setting is overridden by the command
    Teilnehmen(QStringLiteral("Anna"));
    ASSERT_EQ(F->Zustand.Ansichtsmodus, Uebung) << boxen.texts().join(u'\n').toStdString();
    EXPECT_TRUE(F->windowTitle().endsWith(QStringLiteral(" - Teilnehmer: Anna"))) << F->windowTitle().toStdString();
    EXPECT_FALSE(KomMailslot());
    const QStringList richtige = BeantworteAlle();
    EXPECT_EQ(richtige, schluesselBuchstaben);
    EXPECT_EQ(ergebnisse, 1);

    const QList<Teilnehmerergebnis> zeilen = LeseTeilnehmerErgebnisse(netzVerz, false);
    ASSERT_EQ(zeilen.size(), 1);
    const Teilnehmerergebnis& e = zeilen[0];
    EXPECT_EQ(e.Name, QStringLiteral("Anna"));
    EXPECT_EQ(e.UebungsID, befehl->Befehl.UebungsID);
    EXPECT_EQ(e.AntwortFolge, QStringLiteral("-+-+-+-+-+"));
    EXPECT_EQ(e.Richtig, 5);
    EXPECT_EQ(e.Falsch, 5);
    EXPECT_EQ(e.FrageNr, kFragen);
    EXPECT_DOUBLE_EQ(e.Quote, 50.0);
    EXPECT_NE(e.NoteKurz, kNoteKurzStart);
    EXPECT_TRUE(boxen.entries().isEmpty()) << boxen.texts().join(u'\n').toStdString();
}

// On the datagram channel every state the participant sends reaches the teacher: the
// start and then each answer, once and in order, however quickly they follow.
TEST_F(NetzUebung, TeilnehmerSendetStartUndJedeAntwortEinmalInFolge)
{
    QUdpSocket frei;
    ASSERT_TRUE(frei.bind(QHostAddress::LocalHost, 0));
    const quint16 port = frei.localPort();
    frei.close();
    const QByteArray altPort = qgetenv("ZELVARO_MAILSLOT_PORT"), altRechner = qgetenv("ZELVARO_RECHNERNAME");
    qputenv("ZELVARO_MAILSLOT_PORT", QByteArray::number(port));
    qputenv("ZELVARO_RECHNERNAME", "127.0.0.1");
    struct Zurueck {
        QByteArray port, rechner;
        ~Zurueck()
        {
            port.isNull() ? qunsetenv("ZELVARO_MAILSLOT_PORT") : qputenv("ZELVARO_MAILSLOT_PORT", port);
            rechner.isNull() ? qunsetenv("ZELVARO_RECHNERNAME") : qputenv("ZELVARO_RECHNERNAME", rechner);
        }
    } zurueck{altPort, altRechner};

    ScopedMessageRecorder boxen;
    starte(true);
    LehrerStart();
    const std::optional<NetzDateiInhalt> befehl = LeseNetzDatei(netzVerz);
    ASSERT_TRUE(befehl && befehl->Mailslot) << boxen.texts().join(u'\n').toStdString();
    k.reset();

    // The teacher's slot, listening on loopback.
    TMailSlot2 lehrerSlot(nullptr, port, QHostAddress(QHostAddress::LocalHost));
    lehrerSlot.SetMailBox(QStringLiteral("Kartivo1"));
    lehrerSlot.SetCheckInterval(10);
    QStringList empfangen;
    QObject::connect(&lehrerSlot, &TMailSlot2::OnNewMessage,
                     [&](QObject*, const QString&, const QString&, const QString& Text) { empfangen << Text; });
    lehrerSlot.SetActive(true);
    ASSERT_TRUE(lehrerSlot.Active());

    starte(true);
    Teilnehmen(QStringLiteral("Ben"));
    ASSERT_EQ(F->Zustand.Ansichtsmodus, Uebung) << boxen.texts().join(u'\n').toStdString();
    BeantworteAlle();
    QElapsedTimer uhr;
    uhr.start();
    while (empfangen.size() < kFragen + 1 && uhr.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_EQ(empfangen.size(), kFragen + 1);
    for (int i = 0; i <= kFragen; ++i) {
        SCOPED_TRACE(i);
        const std::optional<Teilnehmerergebnis> e = LeseErgebnisText(empfangen[i]);
        ASSERT_TRUE(e);
        EXPECT_EQ(e->Name, QStringLiteral("Ben"));
        EXPECT_EQ(e->UebungsID, befehl->Befehl.UebungsID);
        EXPECT_EQ(e->FrageNr, i);
        EXPECT_EQ(e->AntwortFolge, QStringLiteral("-+-+-+-+-+").left(i));
        EXPECT_EQ(e->Richtig + e->Falsch, i);
    }
    EXPECT_EQ(LeseErgebnisText(empfangen[0])->NoteKurz, kNoteKurzStart);
    EXPECT_TRUE(boxen.entries().isEmpty()) << boxen.texts().join(u'\n').toStdString();
}

TEST_F(NetzUebung, OhneFragenWirdNichtsVeroeffentlicht)
{
    ScopedMessageRecorder boxen;
    starte(false);
    F->Zustand.FragTypMasken[0] = QString(23, u'0');
    LehrerStart();
    EXPECT_FALSE(QFile::exists(netzVerz + kNetzDateiName));
    EXPECT_FALSE(UebProtForm->isVisible());
    EXPECT_FALSE(boxen.entries().isEmpty()); // the selection's own message
}

TEST_F(NetzUebung, MenuepunktUndAuswahlFuehrenZuStartUndBeitritt)
{
    ScopedMessageRecorder boxen;
    starte(false);
    // "&Netzwerk-Übung initiieren..." opens the selection with the class-exercise option.
    bool angekreuzt = false;
    bool beitrittGezeigt = false;
    UebModalAusfuehren = [&](QDialog* d) {
        if (d == UebAuswForm) {
            angekreuzt = UebAuswForm->NetzwerkUebung1->isChecked();
            UebAuswForm->NetzwerkUebung1->setChecked(false);
            // The selection's own join button closes it and opens the join window.
            d->show();
            UebAuswForm->NetzUebungTeilnehmenBtn->click();
            d->hide();
        }
        return 0;
    };
    QTimer beobachter;
    QObject::connect(&beobachter, &QTimer::timeout, [&] {
        if (NetzUebungTnStartForm->isVisible()) {
            beitrittGezeigt = true;
            NetzUebungTnStartForm->reject();
        }
    });
    beobachter.start(10);
    F->NetzwerkUebInit->trigger();
    EXPECT_TRUE(angekreuzt);
    for (int i = 0; i < 50 && !beitrittGezeigt; ++i) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    EXPECT_TRUE(beitrittGezeigt);
    EXPECT_FALSE(F->Zustand.NetzTeilnehmer);
}

TEST_F(NetzUebung, SeedDerNetzoptionenWirdVeroeffentlicht)
{
    ScopedMessageRecorder boxen;
    starte(false);
    QString vorgeschlagen;
    UebModalAusfuehren = [&](QDialog* d) {
        d->show();
        int r = 0;
        if (d == UebAuswForm) {
            QApplication::processEvents(); // the proposal reaches the options dialog
            UebAuswForm->NetzwerkUebung1->setChecked(true);
            UebAuswForm->UebRadio[0]->click();
            UebAuswForm->FragAnzCombo->setCurrentText(QString::number(kFragen));
            UebAuswForm->CloseBtn->click(); // "Netz&optionen..."
            UebAuswForm->StartBtn->click();
            r = UebAuswForm->result();
        } else if (d == NetzOptForm) {
            vorgeschlagen = NetzOptForm->RandSeedEdit->text();
            NetzOptForm->RandSeedEdit->setText(QStringLiteral("24680"));
        }
        d->hide();
        return r;
    };
    F->UebungStart1->trigger();
    EXPECT_FALSE(vorgeschlagen.isEmpty()); // the selection's proposal
    EXPECT_EQ(UebAuswForm->RandSeedText, QStringLiteral("24680"));
    const std::optional<NetzDateiInhalt> befehl = LeseNetzDatei(netzVerz);
    ASSERT_TRUE(befehl) << boxen.texts().join(u'\n').toStdString();
    EXPECT_EQ(befehl->Befehl.RandSeed, QStringLiteral("24680"));
    EXPECT_TRUE(UebProtForm->Memo1->toPlainText().contains(QStringLiteral("[24680]")));
}
