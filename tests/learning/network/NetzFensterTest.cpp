#include "learning/network/widgets/zl_kommverz.h"
#include "learning/network/widgets/zl_netzopt.h"
#include "learning/network/widgets/zl_netzprotokoll.h"
#include "learning/network/widgets/zl_netzuebung.h"
#include "learning/network/widgets/zl_netzuebungtnstart.h"
#include "learning/tools/widgets/zl_listdruck.h"
#include "tests/learning/FakeHauptfenster.h"

#include "controls/Dspez.h"
#include "datastore/zl_data.h"
#include "platform/MessageService.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QUdpSocket>
#include <QWindow>
#include <gtest/gtest.h>

#include <utility>

using namespace zl;

namespace {

template <class F> bool WarteAuf(F f, int ms = 3000)
{
    QElapsedTimer t;
    t.start();
    while (!f() && t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    return f();
}

quint16 FreierPort()
{
    QUdpSocket s;
    s.bind(QHostAddress::LocalHost, 0, QAbstractSocket::DontShareAddress);
    return s.localPort();
}

// The class exercise's windows on a temporary communication folder, on loopback.
class NetzFenster : public ::testing::Test {
protected:
    void SetUp() override
    {
        port = FreierPort();
        qputenv("ZELVARO_MAILSLOT_PORT", QByteArray::number(port));
        qputenv("ZELVARO_MAILSLOT_BIND", "127.0.0.1");
        qputenv("ZELVARO_RECHNERNAME", "127.0.0.1");
        NetzVerz = netz.path() + u'/';
        DatenVerz = daten.path() + u'/';
        ObjDatei = DatenVerz + QStringLiteral("zl_standard.zlk");
        QFile f(ObjDatei);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("KartID~ObjTyp~Px~Py~Bez~dx~dy~Intens~\r\n");
        f.close();
        UebungsDaten = {{1, QStringLiteral("DEU"), QStringLiteral("DEU"), 11}};
        KartenDaten = {{QStringLiteral("DEU"), QStringLiteral("Deutschland"), 0}};
        KommVerzForm = kommVerz = new TKommVerzForm;
        NetzOptForm = netzOpt = new TNetzOptForm;
        UebProtForm = prot = new TUebProtForm;
        NetzUebungTnStartForm = tnStart = new TNetzUebungTnStartForm;
        NetzBefehl = {};
    }
    void TearDown() override
    {
        KommVerzForm = nullptr;
        NetzOptForm = nullptr;
        UebProtForm = nullptr;
        NetzUebungTnStartForm = nullptr;
        delete tnStart;
        delete prot;
        delete netzOpt;
        delete kommVerz;
        UebungsDaten.clear();
        KartenDaten.clear();
        NetzVerz.clear();
        DatenVerz.clear();
        ObjDatei.clear();
    }
    // The teacher's start as the exercise engine runs it.
    void LehrerStart(int Fragen)
    {
        ASSERT_TRUE(NetzUebungDefinieren(QStringLiteral("DEU"), 11, 2, 4711, QStringLiteral("00000000111111111100000"),
                                         QStringLiteral("RS"), Fragen, 1));
        TeilnehmerProtokollKopf(QStringLiteral("Deutschland"), QStringLiteral("&Topographie-Übung (Single Choice)"),
                                QStringLiteral("4711"), 2, Fragen);
        ZeigeNetzAntwortschluessel(QStringLiteral("Frage 1\nRichtige Antwort: C\n"));
    }
    // A participant's result as it sends it.
    void Sende(const ErgebnisNamen& n, const QString& name, const QString& folge)
    {
        TeilnehmerDateien = n;
        const int r = static_cast<int>(folge.count(u'+')), f = static_cast<int>(folge.count(u'-'));
        SendeTeilnehmerErgebnis(NetzBefehl.Befehl.UebungsID, QStringLiteral("PC-") + name, name, 46000.5,
                                static_cast<int>(folge.size()), r, f, r + f ? 100.0 * r / (r + f) : 0,
                                kNoteKurzStart, 1000 * static_cast<int>(folge.size()), folge);
    }
    QString Zeile(int i) const { return prot->Memo1->document()->findBlockByNumber(kKopfZeilen + i).text(); }

    QTemporaryDir netz, daten;
    quint16 port = 0;
    TKommVerzForm* kommVerz = nullptr;
    TNetzOptForm* netzOpt = nullptr;
    TUebProtForm* prot = nullptr;
    TNetzUebungTnStartForm* tnStart = nullptr;
    ScopedMessageRecorder boxen;
};

} // namespace

TEST_F(NetzFenster, KommunikationsverzeichnisPruefenUndSpeichern)
{
    const QString alt = NetzVerz;
    struct Fall {
        QString text;
        bool angenommen;
    } faelle[] = {{QString(), false}, {QStringLiteral("   "), false}, {netz.path() + QStringLiteral("/fehlt"), false},
                  {netz.path(), true}};
    for (const Fall& f : faelle) {
        boxen.clear();
        NetzVerz = alt + QStringLiteral("vorher/");
        kommVerz->VerzEdit1->setText(f.text);
        kommVerz->open();
        kommVerz->OKBtnClick();
        EXPECT_EQ(kommVerz->result() == QDialog::Accepted, f.angenommen) << f.text.toStdString();
        if (f.angenommen) {
            EXPECT_EQ(NetzVerz, netz.path() + u'/'); // stored with its separator
            EXPECT_TRUE(boxen.entries().isEmpty());
        } else {
            EXPECT_EQ(NetzVerz, alt + QStringLiteral("vorher/"));
            EXPECT_EQ(boxen.texts(), QStringList{QStringLiteral("Das angegebene Verzeichnis ist ungültig.")});
            kommVerz->reject();
        }
    }
    // The access test on either channel.
    boxen.clear();
    kommVerz->VerzEdit1->setText(netz.path());
    kommVerz->KomRadioMailslot->setChecked(true);
    EXPECT_TRUE(kommVerz->TesteZugriff(true));
    kommVerz->KomRadioDatei->setChecked(true);
    EXPECT_TRUE(kommVerz->TesteZugriff(true));
    EXPECT_EQ(boxen.texts(), (QStringList{QStringLiteral("Aufgrund Mailslot-Kommunikation kein Datei-Zugriffstest erforderlich."),
                                          QStringLiteral("Test für Lese- und Schreibzugriff erfolgreich.")}));
    // A channel changed and cancelled stays.
    kommVerz->open();
    kommVerz->KomRadioMailslot->setChecked(true);
    kommVerz->AbbrechenBtn->click();
    EXPECT_TRUE(KomMailslot());
}

TEST_F(NetzFenster, OptionenMitIhrenVorgabenGehenInDieBefehlsdatei)
{
    EXPECT_EQ(netzOpt->SoundBox1->currentIndex(), 2);
    EXPECT_EQ(netzOpt->AnimationBox1->currentIndex(), 3);
    EXPECT_EQ(netzOpt->RueckmeldBox1->currentIndex(), 3);
    EXPECT_EQ(netzOpt->AnredeBox1->currentIndex(), 2);
    EXPECT_EQ(netzOpt->AutoWeiterBox1->currentIndex(), 2);
    EXPECT_EQ(netzOpt->RueckmeldBox1->itemText(3), QStringLiteral("Individuell"));
    netzOpt->SoundBox1->setCurrentIndex(1);
    netzOpt->RueckmeldBox1->setCurrentIndex(0);
    kommVerz->KomRadioDatei->setChecked(true);
    LehrerStart(10);
    const auto in = LeseNetzDatei(NetzVerz);
    ASSERT_TRUE(in);
    EXPECT_EQ(in->Befehl.Sound, 1);
    EXPECT_EQ(in->Befehl.RFLevel, 0);
    EXPECT_EQ(in->Befehl.Animationen, 3);
    EXPECT_EQ(in->Befehl.Titel, QStringLiteral("Übung: Deutschland"));
    EXPECT_EQ(in->Befehl.ObjDateiName, QStringLiteral("zl_standard.zlk"));
    EXPECT_EQ(in->Befehl.UebungsID.size(), 30);
    EXPECT_FALSE(in->Mailslot);
    EXPECT_EQ(in->LehrerRechner, QStringLiteral("127.0.0.1"));
}

TEST_F(NetzFenster, BeitrittsfensterFolgtDemBefehl)
{
    kommVerz->KomRadioMailslot->setChecked(true);
    tnStart->show();
    EXPECT_FALSE(tnStart->TeilnehmenBtn->isEnabled());
    EXPECT_EQ(tnStart->StatusLab->text(), QStringLiteral("Bitte warten..."));
    EXPECT_TRUE(tnStart->NetzCheckTimer1->isActive());
    tnStart->PruefeNetzBefehl();
    EXPECT_EQ(tnStart->StatusLab->text(), kNichtInitiiert);
    EXPECT_EQ(tnStart->StatusLab->palette().color(QPalette::WindowText), QColor(255, 0, 0));

    kommVerz->KomRadioDatei->setChecked(true);
    LehrerStart(10);
    kommVerz->KomRadioMailslot->setChecked(true); // the participant's own setting before the poll
    // Enabled within one poll of the timer.
    ASSERT_TRUE(WarteAuf([&] { return tnStart->TeilnehmenBtn->isEnabled(); }, 1500));
    EXPECT_EQ(tnStart->StatusLab->text(), QStringLiteral("Übung: Deutschland"));
    EXPECT_EQ(tnStart->StatusLab->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    EXPECT_TRUE(kommVerz->KomRadioDatei->isChecked()); // the teacher's channel

    // "Weitere Teilnehmer erlauben" unticked: waiting participants see the wait text.
    prot->TeilnahmeErlaubt->click();
    EXPECT_FALSE(QFile::exists(NetzVerz + kNetzDateiName));
    tnStart->PruefeNetzBefehl();
    EXPECT_FALSE(tnStart->TeilnehmenBtn->isEnabled());
    prot->TeilnahmeErlaubt->click();
    EXPECT_TRUE(QFile::exists(NetzVerz + kNetzDateiName));
    tnStart->PruefeNetzBefehl();
    EXPECT_TRUE(tnStart->TeilnehmenBtn->isEnabled());

    // The checks of "Teilnehmen".
    tnStart->TNameEdit->clear();
    tnStart->TeilnehmenBtnClick();
    EXPECT_EQ(boxen.texts().value(0), QStringLiteral("Bitte zuerst Name oder Rechnernummer eintragen!"));
    tnStart->TNameEdit->setText(QStringLiteral("Ein sehr langer Name"));
    EXPECT_EQ(tnStart->TNameEdit->text(), QStringLiteral("Ein sehr langer"));
    QFile::rename(ObjDatei, ObjDatei + QStringLiteral(".weg"));
    boxen.clear();
    tnStart->TeilnehmenBtnClick();
    ASSERT_EQ(boxen.entries().size(), 1);
    EXPECT_EQ(boxen.entries()[0].kind, MsgKind::Bestaetigung);
    EXPECT_EQ(boxen.texts()[0], QStringLiteral("Kartenbeschriftungsdatei ") + ObjDatei + QStringLiteral(" nicht gefunden!"));
    EXPECT_TRUE(tnStart->isVisible());
    QFile::rename(ObjDatei + QStringLiteral(".weg"), ObjDatei);
    tnStart->TeilnehmenBtnClick();
    EXPECT_EQ(tnStart->result(), QDialog::Accepted);
    EXPECT_FALSE(tnStart->NetzCheckTimer1->isActive());
    EXPECT_EQ(tnStart->StartDaten.Seed, 4711);
    EXPECT_EQ(tnStart->StartDaten.UebKartIndex, 0);
}

TEST_F(NetzFenster, UngueltigerBefehlWirdMitKlarerMeldungAbgewiesen)
{
    LehrerStart(10);
    NetzDateiInhalt in = NetzBefehl;
    in.Befehl.Intensitaet = 0;
    ASSERT_TRUE(SchreibeNetzDatei(NetzVerz, in));
    tnStart->show();
    tnStart->PruefeNetzBefehl();
    tnStart->TNameEdit->setText(QStringLiteral("Anna"));
    boxen.clear();
    tnStart->TeilnehmenBtnClick();
    ASSERT_EQ(boxen.texts().size(), 1);
    EXPECT_TRUE(boxen.texts()[0].startsWith(kBefehlUngueltig));
    EXPECT_TRUE(tnStart->isVisible());
}

TEST_F(NetzFenster, WarnungBeiFehlendemVerzeichnisNurEinmalJeAnzeige)
{
    NetzVerz = netz.path() + QStringLiteral("/fehlt/");
    tnStart->show();
    for (int i = 0; i < 5; ++i) {
        tnStart->activateWindow();
        WarteAuf([] { return false; }, 20);
    }
    EXPECT_EQ(boxen.texts(), QStringList{kKommVerzFehlt});
    EXPECT_TRUE(tnStart->NetzCheckTimer1->isActive()); // it keeps polling
    tnStart->reject();
    EXPECT_FALSE(tnStart->NetzCheckTimer1->isActive());
}

TEST_F(NetzFenster, LehrerUndTeilnehmerUeberDateien)
{
    kommVerz->KomRadioDatei->setChecked(true);
    LehrerStart(4);
    EXPECT_TRUE(prot->isVisible());
    EXPECT_TRUE(prot->Timer1->isActive());
    EXPECT_EQ(prot->Memo2->toPlainText(), QStringLiteral("Frage 1\nRichtige Antwort: C\n"));
    EXPECT_EQ(prot->Memo1->document()->blockCount(), kKopfZeilen);
    const ErgebnisNamen anna = NeueErgebnisNamen(), ben = NeueErgebnisNamen();
    Sende(anna, QStringLiteral("Anna"), {});
    Sende(ben, QStringLiteral("Ben"), QStringLiteral("+"));
    prot->Timer1Timer();
    Sende(anna, QStringLiteral("Anna"), QStringLiteral("+-"));
    // A resize of the window keeps reception on.
    prot->resize(500, 300);
    prot->Timer1Timer();
    EXPECT_TRUE(prot->Timer1->isActive());
    const int anna0 = static_cast<int>(prot->Protokoll.TeilnehmerListe().indexOf(anna.Datei));
    EXPECT_TRUE(Zeile(anna0).startsWith(QStringLiteral(" PC-Anna         Anna")));
    EXPECT_TRUE(Zeile(anna0).endsWith(QStringLiteral("+-..")));
    EXPECT_TRUE(Zeile(1 - anna0).endsWith(QStringLiteral("+...")));
    EXPECT_EQ(prot->Memo1->document()->blockCount(), kKopfZeilen + 2);
    EXPECT_TRUE(boxen.entries().isEmpty());
    // The files of the exercise go with the next one.
    LehrerStart(4);
    EXPECT_TRUE(QDir(NetzVerz).entryList({QStringLiteral("ZLTN*")}, QDir::Files).isEmpty());
    EXPECT_EQ(prot->Memo1->document()->blockCount(), kKopfZeilen);
}

// On a stand-in for the main window: the teacher's window keeps the host's participant
// list, the options' folder button runs the host's menu item, and the protocol window
// stands above the host's window.
TEST_F(NetzFenster, FensterFragenIhrenHost)
{
    test::FakeHauptfenster host;
    host.Fenster.show();
    prot->Host = &host;
    netzOpt->Host = &host;
    host.Zustand.TeilnehmerListe = {QStringLiteral("alt")};
    kommVerz->KomRadioDatei->setChecked(true);
    LehrerStart(4);
    EXPECT_TRUE(host.Zustand.TeilnehmerListe.isEmpty()); // a new exercise starts an empty list
    ASSERT_TRUE(prot->windowHandle());
    EXPECT_EQ(prot->windowHandle()->transientParent(), host.Fenster.windowHandle());
    const ErgebnisNamen anna = NeueErgebnisNamen();
    Sende(anna, QStringLiteral("Anna"), QStringLiteral("+"));
    prot->Timer1Timer();
    EXPECT_EQ(host.Zustand.TeilnehmerListe, prot->Protokoll.TeilnehmerListe());
    EXPECT_EQ(host.Zustand.TeilnehmerListe.size(), 1);

    netzOpt->KommVerzBtn->click();
    EXPECT_EQ(host.Nimm(), QStringList{QStringLiteral("WaehleKommunikationsverzeichnis")});
    EXPECT_FALSE(kommVerz->isVisible()); // the host's item opens the folder window, not the button
    prot->Host = nullptr;
    netzOpt->Host = nullptr;
    EXPECT_TRUE(boxen.entries().isEmpty()) << boxen.texts().join(u'\n').toStdString();
}

TEST_F(NetzFenster, LehrerUndTeilnehmerUeberMailslot)
{
    kommVerz->KomRadioMailslot->setChecked(true);
    LehrerStart(3);
    ASSERT_TRUE(prot->MailSlot1->Active());
    EXPECT_FALSE(prot->Timer1->isActive());
    const ErgebnisNamen a = NeueErgebnisNamen(), b = NeueErgebnisNamen();
    Sende(a, QStringLiteral("Anna"), QStringLiteral("+"));
    Sende(b, QStringLiteral("Ben"), QStringLiteral("-"));
    Sende(a, QStringLiteral("Anna"), QStringLiteral("++-"));
    ASSERT_TRUE(WarteAuf([&] { return Zeile(0).endsWith(QStringLiteral("++-")) && Zeile(1).endsWith(QStringLiteral("-..")); }));
    EXPECT_TRUE(QDir(NetzVerz).entryList({QStringLiteral("ZLTN*")}, QDir::Files).isEmpty());
    // A second exercise while the window stays shown still receives.
    LehrerStart(3);
    EXPECT_TRUE(prot->MailSlot1->Active());
    Sende(a, QStringLiteral("Anna"), QStringLiteral("+"));
    EXPECT_TRUE(WarteAuf([&] { return Zeile(0).endsWith(QStringLiteral("+..")); }));
    // Closing ends reception.
    prot->close();
    EXPECT_FALSE(prot->MailSlot1->Active());
    EXPECT_FALSE(prot->Timer1->isActive());
}

TEST_F(NetzFenster, BelegterEmpfangWirdGemeldet)
{
    TMailSlot2 anderer(nullptr, port, QHostAddress::LocalHost);
    anderer.SetMailBox(QStringLiteral("Kartivo1"));
    anderer.SetActive(true);
    ASSERT_TRUE(anderer.Active());
    kommVerz->KomRadioMailslot->setChecked(true);
    LehrerStart(3);
    EXPECT_FALSE(prot->MailSlot1->Active());
    EXPECT_EQ(boxen.texts(), QStringList{MailslotBelegtText(port)});
}

TEST_F(NetzFenster, SpeichernKopierenUndDruckenBeiderReiter)
{
    kommVerz->KomRadioDatei->setChecked(true);
    LehrerStart(4);
    Sende(NeueErgebnisNamen(), QStringLiteral("Jörg"), QStringLiteral("+"));
    prot->Timer1Timer();
    QString gewaehlt = daten.path() + QStringLiteral("/protokoll.txt");
    TUebProtForm::WaehleSpeicherDatei = [&](QWidget*, const QString&) { return gewaehlt; };
    prot->PageControl1->setCurrentIndex(0);
    prot->SpeichernBtn->click();
    QFile f(gewaehlt);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith(" Netzwerk-\xdc" "bung Teilnehmerprotokoll\r\n"));
    EXPECT_TRUE(bytes.contains(" PC-J\xf6rg "));
    f.close();
    prot->PageControl1->setCurrentIndex(1);
    prot->ZAblBtn->click();
    EXPECT_EQ(QApplication::clipboard()->text(), prot->Memo2->toPlainText());
    prot->SpeichernBtn->click();
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("Frage 1\r\nRichtige Antwort: C\r\n\r\n"));
    f.close();
    // A folder that does not exist: the writer's box, no success.
    gewaehlt = daten.path() + QStringLiteral("/fehlt/p.txt");
    boxen.clear();
    prot->SpeichernBtn->click();
    EXPECT_EQ(boxen.texts().value(0), QStringLiteral("Datei-Schreibfehler! (3)"));

    // "Drucken..." hands the active tab's lines to the list print dialog, shown modally.
    TListDruckForm listDruck;
    TListDruckForm* vorher = std::exchange(ListDruckForm, &listDruck);
    QStringList gedruckt;
    listDruck.ZeigeModal = [&] {
        if (listDruck.Druckzeilen)
            gedruckt = *listDruck.Druckzeilen;
        return int(QDialog::Accepted);
    };
    prot->PageControl1->setCurrentIndex(0);
    prot->DruckBtn->click();
    EXPECT_EQ(gedruckt, prot->Memo1->toPlainText().split(u'\n'));
    prot->PageControl1->setCurrentIndex(1);
    prot->DruckBtn->click();
    EXPECT_EQ(gedruckt, prot->Memo2->toPlainText().split(u'\n'));
    EXPECT_EQ(listDruck.Druckzeilen, nullptr);
    ListDruckForm = vorher;
    TUebProtForm::WaehleSpeicherDatei = nullptr;
}
