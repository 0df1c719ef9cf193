// The class exercise from the main window: the participant's join and the
// communication folder, on the fixture program folder.
#include "learning/mainwindow/widgets/zl_main.h"

#include "datastore/zl_data.h"
#include "fixtures/DataFolder.h"
#include "learning/mainwindow/widgets/zl_main_start.h"
#include "learning/network/widgets/zl_kommverz.h"
#include "learning/network/widgets/zl_netzuebung.h"
#include "learning/network/widgets/zl_netzuebungtnstart.h"
#include "learning/tools/widgets/zl_objeditneu.h"
#include "platform/MessageService.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zl;

namespace {

class NetzHauptfenster : public ::testing::Test {
protected:
    void SetUp() override
    {
        prog = dir.path() + QStringLiteral("/Kartivo/");
        ASSERT_TRUE(fixtures::writeMinimalDataFolder(prog, fixtures::Options{false}));
        KomModus = -1;
        KartivoStartOptionen o;
        o.ProgrammVerz = prog;
        o.Store = &store;
        o.Titelfenster = false;
        o.Bildschirmpruefung = false;
        k = std::make_unique<TKartivo>(o);
        ASSERT_TRUE(k->Starte());
        k->ZeigeHauptfenster();
        QApplication::processEvents();
        f = k->Hauptfenster();
        NetzVerz = dir.path() + QStringLiteral("/netz/");
        QDir().mkpath(NetzVerz);
    }
    void TearDown() override
    {
        StarteNetzUebung = nullptr;
        k.reset();
    }
    // The teacher's command as another installation wrote it.
    void LehrerBefehl(int Sound, int Anrede, int RFLevel)
    {
        NetzDateiInhalt in;
        in.Befehl = {QStringLiteral("Übung: Deutschland"), QStringLiteral("DEU"), 3, 11, 2, QStringLiteral("777"),
                     Sound, 3, Anrede, 2, RFLevel, QStringLiteral("zl_standard.zlk"),
                     QStringLiteral("00000000111111111100000"), 1, QStringLiteral("PF"), 12,
                     QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZABCD")};
        in.LehrerRechner = QStringLiteral("127.0.0.1");
        in.Mailslot = true;
        ASSERT_TRUE(SchreibeNetzDatei(NetzVerz, in));
    }
    // Answers the modal join window once it polled the command.
    void TeilnehmenMit(const QString& Name)
    {
        QTimer::singleShot(0, [Name] {
            NetzUebungTnStartForm->PruefeNetzBefehl();
            NetzUebungTnStartForm->TNameEdit->setText(Name);
            NetzUebungTnStartForm->TeilnehmenBtnClick();
            if (NetzUebungTnStartForm->isVisible())
                NetzUebungTnStartForm->reject();
        });
    }

    QTemporaryDir dir;
    QString prog;
    MemorySettingsStore store;
    std::unique_ptr<TKartivo> k;
    TForm1* f = nullptr;
    ScopedMessageRecorder boxen;
};

} // namespace

TEST_F(NetzHauptfenster, BeitrittUebernimmtDieVorgabenDesLehrers)
{
    LehrerBefehl(1, 1, 0);
    std::optional<NetzStartDaten> gestartet;
    StarteNetzUebung = [&](const NetzStartDaten& d) {
        gestartet = d;
        return true;
    };
    f->Zustand.Wahl.Sound = true;
    f->Sound1->setChecked(true);
    TeilnehmenMit(QStringLiteral("Anna"));
    f->Netzwerkuebung1->trigger();
    ASSERT_TRUE(gestartet) << boxen.texts().join(u'\n').toStdString();
    EXPECT_EQ(gestartet->KartID, QStringLiteral("DEU"));
    EXPECT_EQ(gestartet->Seed, 777);
    EXPECT_EQ(gestartet->UebFragAnz, 12);
    EXPECT_TRUE(f->Zustand.NetzTeilnehmer);
    EXPECT_FALSE(f->Zustand.Wahl.Sound);
    EXPECT_FALSE(f->Zustand.Wahl.AnredeDu);
    EXPECT_EQ(f->Zustand.UebRFLevel, 0);
    EXPECT_EQ(f->Zustand.Freigaben.Sound, 1);
    EXPECT_EQ(f->Zustand.Freigaben.Animationen, 3);
    EXPECT_EQ(f->Zustand.Uebung.UebFragAnz, 12);
    EXPECT_EQ(f->Zustand.Uebung.UebKartIndex, 1); // the first entry with exercise map DEU
    EXPECT_EQ(UebKartTyp, QStringLiteral("PF"));
    EXPECT_EQ(NetzUebungTnStartForm->TNameEdit->text(), QStringLiteral("Anna"));
    EXPECT_TRUE(KomMailslot());
}

TEST_F(NetzHauptfenster, OffenerBeschriftungseditorVerhindertDenBeitritt)
{
    LehrerBefehl(1, 1, 0);
    bool gestartet = false;
    StarteNetzUebung = [&](const NetzStartDaten&) { return gestartet = true; };
    ObjEditneuForm->show();
    bool fensterGezeigt = false;
    QTimer::singleShot(0, [&] {
        fensterGezeigt = NetzUebungTnStartForm->isVisible();
        NetzUebungTnStartForm->reject();
    });
    f->Netzwerkuebung1->trigger();
    EXPECT_EQ(boxen.texts(), QStringList{QStringLiteral("Bitte zuerst den Beschriftungseditor schließen.")});
    EXPECT_FALSE(gestartet);
    EXPECT_FALSE(fensterGezeigt);
    ObjEditneuForm->hide();
    QApplication::processEvents();
}

TEST_F(NetzHauptfenster, AbgebrochenerOderUngueltigerBeitrittAendertNichts)
{
    LehrerBefehl(1, 1, 0);
    NetzDateiInhalt kaputt = *LeseNetzDatei(NetzVerz);
    kaputt.Befehl.UebModus = 7;
    ASSERT_TRUE(SchreibeNetzDatei(NetzVerz, kaputt));
    const bool sound = f->Zustand.Wahl.Sound;
    bool gestartet = false;
    StarteNetzUebung = [&](const NetzStartDaten&) { return gestartet = true; };
    TeilnehmenMit(QStringLiteral("Ben"));
    f->Netzwerkuebung1->trigger();
    EXPECT_FALSE(gestartet);
    EXPECT_FALSE(f->Zustand.NetzTeilnehmer);
    EXPECT_EQ(f->Zustand.Wahl.Sound, sound);
    ASSERT_EQ(boxen.texts().size(), 1);
    EXPECT_TRUE(boxen.texts()[0].startsWith(kBefehlUngueltig));
}

TEST_F(NetzHauptfenster, KommunikationsverzeichnisWirdGespeichert)
{
    QTimer::singleShot(0, [this] {
        KommVerzForm->KomRadioDatei->setChecked(true);
        KommVerzForm->VerzEdit1->setText(dir.path());
        KommVerzForm->OKBtnClick();
    });
    f->Kommunikationsverzeichnis1->trigger();
    EXPECT_EQ(NetzVerz, dir.path() + u'/');
    EXPECT_EQ(store.readText(QStringLiteral("NetzKommVerz")).value_or(QString()), dir.path() + u'/');
    EXPECT_EQ(store.readBool(QStringLiteral("NetzKomDatei")).value_or(false), true);
    EXPECT_EQ(store.readBool(QStringLiteral("NetzKomMailslot")).value_or(true), false);
    EXPECT_TRUE(boxen.entries().isEmpty()) << boxen.texts().join(u'\n').toStdString();
}
