#include "learning/network/zl_netz.h"
#include "learning/network/zl_netzteilnehmer.h"
#include "learning/network/zl_teilnehmerprotokoll.h"

#include "controls/Zufall.h"
#include "datastore/zl_data.h"
#include "platform/Cp1252.h"
#include "platform/MessageService.h"

#include "controls/Dspez.h"
#include "controls/TextFile.h"

#include <QDir>
#include <QRegularExpression>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace zl;

namespace {

QByteArray Lies(const QString& pfad)
{
    QFile f(pfad);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void Schreib(const QString& pfad, const QByteArray& bytes)
{
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

NetzDateiInhalt Beispiel()
{
    NetzDateiInhalt in;
    NetzwerkBefehlDataTyp& b = in.Befehl;
    b.Titel = QStringLiteral("Übung: Deutschland");
    b.KartID = QStringLiteral("DEU");
    b.Status = 3;
    b.Gebiet = 11;
    b.Intensitaet = 2;
    b.RandSeed = QStringLiteral("-4711");
    b.Sound = 1;
    b.Animationen = 2;
    b.Anrede = 0;
    b.AutoWeiter = 1;
    b.RFLevel = 0;
    b.ObjDateiName = QStringLiteral("zl_standard.zlk");
    b.FragTypOk = QStringLiteral("00000000111111111100000");
    b.UebModus = 1;
    b.UebKartTyp = QStringLiteral("PF");
    b.UebFragAnz = 20;
    b.UebungsID = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZABCD");
    in.LehrerRechner = QStringLiteral("LEHRER-PC");
    in.Mailslot = false;
    return in;
}

Teilnehmerergebnis BeispielErgebnis()
{
    Teilnehmerergebnis e;
    e.Schluessel = QStringLiteral("ZLTNX_ABCDEFGHIJKL.dat");
    e.UebungsID = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZABCD");
    e.Rechner = QStringLiteral("PC07");
    e.Name = QStringLiteral("Jörg");
    e.Start = 46000.5;
    e.FrageNr = 4;
    e.Richtig = 3;
    e.Falsch = 1;
    e.Quote = 75;
    e.NoteKurz = QStringLiteral("  2     ");
    e.Millisekunden = 61234;
    e.AntwortFolge = QStringLiteral("++-+");
    return e;
}

class NetzVerzeichnis : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString verz = tmp.path() + u'/';
    ScopedMessageRecorder boxen;
};

} // namespace

TEST_F(NetzVerzeichnis, BefehlsdateiHat19FelderUndLiestSichZurueck)
{
    const NetzDateiInhalt in = Beispiel();
    ASSERT_TRUE(SchreibeNetzDatei(verz, in));
    EXPECT_EQ(Lies(verz + kNetzDateiName),
              toCp1252(QStringLiteral("Übung: Deutschland|DEU|3|11|2|-4711|1|2|0|1|0|zl_standard.zlk|"
                                      "00000000111111111100000|1|PF|20|ABCDEFGHIJKLMNOPQRSTUVWXYZABCD|LEHRER-PC|0|\r\n")));
    const auto gelesen = LeseNetzDatei(verz);
    ASSERT_TRUE(gelesen);
    EXPECT_EQ(*gelesen, in);
    EXPECT_TRUE(boxen.entries().isEmpty());
    // Nothing but the command file is left: the temporary file was renamed.
    EXPECT_EQ(QDir(verz).entryList(QDir::Files | QDir::Hidden), QStringList{kNetzDateiName});
}

TEST(NetzBefehl, SchraegstrichStattTrennerInTextfeldern)
{
    NetzDateiInhalt in = Beispiel();
    in.Befehl.Titel = QStringLiteral("Übung: A|B");
    in.Befehl.ObjDateiName = QStringLiteral("meine|karte.zlk");
    const NetzDateiInhalt gelesen = LeseNetzBefehlText(NetzBefehlZeile(in) + QStringLiteral("\r\n"));
    EXPECT_EQ(gelesen.Befehl.Titel, QStringLiteral("Übung: A/B"));
    EXPECT_EQ(gelesen.Befehl.ObjDateiName, QStringLiteral("meine/karte.zlk").section(u'/', -1));
    EXPECT_EQ(gelesen.Befehl.UebungsID, in.Befehl.UebungsID);
    EXPECT_EQ(gelesen.LehrerRechner, in.LehrerRechner);
}

TEST(NetzBefehl, KurzeFremdeUndMehrzeiligeDateien)
{
    struct Fall {
        const char* text;
        int status;
        QString kart;
        int fragen;
        bool mailslot;
        QString datei;
    } faelle[] = {
        // fewer fields: the rest reads as empty or 0
        {"Übung: X|ABC|3|", 3, QStringLiteral("ABC"), 0, false, {}},
        // the last line wins
        {"a|ALT|3|1|1|1|2|3|2|2|3|x.zlk|1|1|RS|5|ID|PC|1|\r\nb|NEU|3|1|1|1|2|3|2|2|3|y.zlk|1|1|RS|7|ID|PC|0|\r\n", 3,
         QStringLiteral("NEU"), 7, false, QStringLiteral("y.zlk")},
        // foreign text: a status that is no number counts as not open
        {"Hallo Welt\r\n", 0, {}, 0, false, {}},
        // a folder in field 12 is cut off, LF-only files are read by lines
        {"t|K|3|1|1|1|2|3|2|2|3|C:\\Daten\\z.zlk|1|1|RS|9|ID|PC|1|\n", 3, QStringLiteral("K"), 9, true,
         QStringLiteral("z.zlk")},
        {"", 0, {}, 0, true, {}},
    };
    for (const Fall& f : faelle) {
        const NetzDateiInhalt in = LeseNetzBefehlText(fromCp1252(QByteArray(f.text)));
        EXPECT_EQ(in.Befehl.Status, f.status) << f.text;
        EXPECT_EQ(in.Befehl.KartID, f.kart) << f.text;
        EXPECT_EQ(in.Befehl.UebFragAnz, f.fragen) << f.text;
        EXPECT_EQ(in.Mailslot, f.mailslot) << f.text;
        EXPECT_EQ(in.Befehl.ObjDateiName, f.datei) << f.text;
    }
}

TEST_F(NetzVerzeichnis, FehlendeLeereOderUnbeschreibbareOrdner)
{
    EXPECT_FALSE(LeseNetzDatei(verz + QStringLiteral("fehlt/")));
    EXPECT_FALSE(LeseNetzDatei(QString()));
    // An empty folder never writes into the working folder.
    EXPECT_FALSE(SchreibeNetzDatei(QString(), Beispiel()));
    EXPECT_FALSE(QFile::exists(kNetzDateiName));
    ASSERT_EQ(boxen.texts().size(), 2);
    EXPECT_EQ(boxen.texts()[1], NetzSchreibFehlerText());
    boxen.clear();
    EXPECT_FALSE(SchreibeNetzDatei(verz + QStringLiteral("fehlt/"), Beispiel()));
    EXPECT_EQ(boxen.texts().value(0), QStringLiteral("Datei-Schreibfehler! (3)"));
    EXPECT_FALSE(TesteVerzeichnisZugriff(QString(), false));
    EXPECT_FALSE(TesteVerzeichnisZugriff(verz + QStringLiteral("fehlt"), false));
    EXPECT_TRUE(TesteVerzeichnisZugriff(verz + QStringLiteral("fehlt"), true));
    if (::geteuid() != 0) {
        ::chmod(QFile::encodeName(verz).constData(), 0555);
        EXPECT_FALSE(TesteVerzeichnisZugriff(verz, false));
        ::chmod(QFile::encodeName(verz).constData(), 0755);
    }
}

TEST_F(NetzVerzeichnis, ErgebnisdateiVorFlagUndZurueckgelesen)
{
    const ErgebnisNamen namen{QStringLiteral("ZLTNX_ABCDEFGHIJKL.dat"), QStringLiteral("ZLTNS_ABCDEFGHIJKL.dat")};
    const Teilnehmerergebnis e = BeispielErgebnis();
    ASSERT_TRUE(SchreibeErgebnisDateien(verz, namen, e));
    EXPECT_EQ(Lies(verz + namen.Datei),
              toCp1252(QStringLiteral("ZLTNX_ABCDEFGHIJKL.dat\r\nABCDEFGHIJKLMNOPQRSTUVWXYZABCD\r\nPC07\r\nJörg\r\n"
                                      "46000.5\r\n4\r\n3\r\n1\r\n75\r\n  2     \r\n61234\r\n++-+\r\n\r\n")));
    EXPECT_EQ(Lies(verz + namen.Flag), QByteArray(" \r\n"));
    const QList<Teilnehmerergebnis> gelesen = LeseTeilnehmerErgebnisse(verz, true);
    ASSERT_EQ(gelesen.size(), 1);
    EXPECT_EQ(gelesen[0], e);
    // The flag is gone, the result stays for a manual refresh.
    EXPECT_FALSE(QFile::exists(verz + namen.Flag));
    EXPECT_TRUE(LeseTeilnehmerErgebnisse(verz, true).isEmpty());
    EXPECT_EQ(LeseTeilnehmerErgebnisse(verz, false).size(), 1);
    EXPECT_TRUE(boxen.entries().isEmpty());
}

TEST_F(NetzVerzeichnis, SchlechteDateienHaltenDenScanNichtAuf)
{
    const ErgebnisNamen gut{QStringLiteral("ZLTNX_GUTGUTGUTGUT.dat"), QStringLiteral("ZLTNS_GUTGUTGUTGUT.dat")};
    ASSERT_TRUE(SchreibeErgebnisDateien(verz, gut, BeispielErgebnis()));
    // truncated, foreign, zero-byte flag without result, empty result
    Schreib(verz + QStringLiteral("ZLTNX_AAAAAAAAAAAA.dat"), "ZLTNX_AAAAAAAAAAAA.dat\r\nID\r\nPC\r\n");
    Schreib(verz + QStringLiteral("ZLTNS_AAAAAAAAAAAA.dat"), " \r\n");
    Schreib(verz + QStringLiteral("ZLTNX_BBBBBBBBBBBB.dat"), QByteArray(5000, '\xff'));
    Schreib(verz + QStringLiteral("ZLTNS_BBBBBBBBBBBB.dat"), " \r\n");
    Schreib(verz + QStringLiteral("ZLTNS_CCCCCCCCCCCC.dat"), "");
    Schreib(verz + QStringLiteral("ZLTNX_DDDDDDDDDDDD.dat"), "");
    Schreib(verz + QStringLiteral("ZLTNS_DDDDDDDDDDDD.dat"), " \r\n");
    // numbers that are no numbers read as 0
    Schreib(verz + QStringLiteral("ZLTNX_EEEEEEEEEEEE.dat"), "k\r\nID\r\nPC\r\nN\r\nx\r\ny\r\n1\r\n2\r\nz\r\nn\r\n9\r\n+--\r\n");
    Schreib(verz + QStringLiteral("ZLTNS_EEEEEEEEEEEE.dat"), " \r\n");
    const QList<Teilnehmerergebnis> gelesen = LeseTeilnehmerErgebnisse(verz, true);
    QStringList schluessel;
    for (const auto& e : gelesen)
        schluessel << e.Schluessel;
    EXPECT_EQ(schluessel, (QStringList{QStringLiteral("ZLTNX_EEEEEEEEEEEE.dat"), gut.Datei}));
    EXPECT_EQ(gelesen[0].Start, 0.0);
    EXPECT_EQ(gelesen[0].Falsch, 2);
    EXPECT_TRUE(QDir(verz).entryList({QStringLiteral("ZLTNS_*")}, QDir::Files).isEmpty());
    EXPECT_TRUE(boxen.entries().isEmpty());
}

TEST_F(NetzVerzeichnis, NeuesErgebnisWaehrendDesScansGehtNichtVerloren)
{
    // The participant rewrites between the teacher's flag removal and the read
    // of the next scan: its new flag makes the next scan read the new state.
    const ErgebnisNamen namen = NeueErgebnisNamen();
    Teilnehmerergebnis e = BeispielErgebnis();
    ASSERT_TRUE(SchreibeErgebnisDateien(verz, namen, e));
    ASSERT_EQ(LeseTeilnehmerErgebnisse(verz, true).size(), 1);
    e.FrageNr = 5;
    e.Richtig += 1;
    e.AntwortFolge += u'+';
    ASSERT_TRUE(SchreibeErgebnisDateien(verz, namen, e));
    const auto zweiter = LeseTeilnehmerErgebnisse(verz, true);
    ASSERT_EQ(zweiter.size(), 1);
    EXPECT_EQ(zweiter[0].AntwortFolge, QStringLiteral("++-++"));
}

TEST_F(NetzVerzeichnis, UnlesbaresErgebnisBekommtSeinFlagZurueck)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    const ErgebnisNamen namen = NeueErgebnisNamen();
    ASSERT_TRUE(SchreibeErgebnisDateien(verz, namen, BeispielErgebnis()));
    ::chmod(QFile::encodeName(verz + namen.Datei).constData(), 0);
    EXPECT_TRUE(LeseTeilnehmerErgebnisse(verz, true).isEmpty());
    EXPECT_TRUE(QFile::exists(verz + namen.Flag));
    ::chmod(QFile::encodeName(verz + namen.Datei).constData(), 0644);
    EXPECT_EQ(LeseTeilnehmerErgebnisse(verz, true).size(), 1);
}

TEST_F(NetzVerzeichnis, LoeschenRaeumtAuchReste)
{
    for (const char* n : {"ZLTNX_A.dat", "ZLTNS_A.dat", "zltns_b.dat", ".ZLTNX_C.dat.tmp123", "zlnetz.dat", "anders.txt"})
        Schreib(verz + QString::fromLatin1(n), "x");
    LoescheErgebnisDateien(verz);
    EXPECT_EQ(QDir(verz).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{QStringLiteral("anders.txt"), QStringLiteral("zlnetz.dat")}));
    LoescheNetzDatei(verz);
    EXPECT_FALSE(QFile::exists(verz + kNetzDateiName));
}

TEST_F(NetzVerzeichnis, ProbeNimmtDieErsteFreieNummerUndLaesstNichtsZurueck)
{
    Schreib(verz + QStringLiteral("ZLXZ_1"), "");
    EXPECT_TRUE(TesteVerzeichnisZugriff(tmp.path(), false));
    EXPECT_EQ(QDir(verz).entryList(QDir::Files), QStringList{QStringLiteral("ZLXZ_1")});
}

TEST(NetzNamen, ZwoelfBuchstabenUnabhaengigVomUebungsgenerator)
{
    Zufall::SetRandSeed(42);
    const ErgebnisNamen a = NeueErgebnisNamen();
    EXPECT_EQ(Zufall::RandSeed(), 42); // the exercise's sequence is untouched
    Zufall::SetRandSeed(42);
    const ErgebnisNamen b = NeueErgebnisNamen();
    EXPECT_NE(a.Datei, b.Datei);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^ZLTNX_[A-Z]{12}\\.dat$")).match(a.Datei).hasMatch());
    EXPECT_EQ(a.Flag, QStringLiteral("ZLTNS_") + a.Datei.mid(6));
    Zufall::SetRandSeed(7);
    const QString id = ZufallsBuchstaben(30);
    Zufall::SetRandSeed(7);
    EXPECT_EQ(ZufallsBuchstaben(30), id);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[A-Z]{30}$")).match(id).hasMatch());
}

TEST(NetzErgebnis, ErsterStandUndKurzeNachrichten)
{
    Teilnehmerergebnis start;
    start.Schluessel = QStringLiteral("ZLTNX_X.dat");
    start.Name = QStringLiteral("Anna");
    const auto e = LeseErgebnisText(ErgebnisText(start));
    ASSERT_TRUE(e);
    EXPECT_EQ(e->NoteKurz, QStringLiteral("  -     "));
    EXPECT_EQ(e->AntwortFolge, QString());
    EXPECT_EQ(*e, start);
    EXPECT_FALSE(LeseErgebnisText(QStringLiteral("a\r\nb\r\nc\r\n")));
    EXPECT_FALSE(LeseErgebnisText(QString()));
}

TEST(NetzErgebnis, ZeilenumbruchImNamenBleibtInSeinerZeile)
{
    Teilnehmerergebnis e = BeispielErgebnis();
    e.Name = QStringLiteral("a\r\nb");
    const auto g = LeseErgebnisText(ErgebnisText(e));
    ASSERT_TRUE(g);
    EXPECT_EQ(g->Name, QStringLiteral("a  b"));
    EXPECT_EQ(g->AntwortFolge, e.AntwortFolge);
}

// A result message with line Zeile (0-based) replaced by Wert, as the wire carries it.
QString MitZeile(int Zeile, const QString& Wert)
{
    QStringList z = ErgebnisText(BeispielErgebnis()).split(QStringLiteral("\r\n"));
    z[Zeile] = Wert;
    return z.join(QStringLiteral("\r\n"));
}

TEST(NetzErgebnis, NachrichtenDieKeinErgebnisSeinKoennenMachenKeineZeile)
{
    struct Fall {
        const char* was;
        QString text;
    } const faelle[] = {
        {"3000 CRs", QString(3000, u'\r')},
        {"empty key", MitZeile(0, QString())},
        {"blank key", MitZeile(0, QStringLiteral("   "))},
        {"blank name", MitZeile(3, QStringLiteral("  "))},
        {"LF in the name", MitZeile(3, QStringLiteral("UNG01 \n x"))},
        {"LF in the key", MitZeile(0, QStringLiteral("ZLTNX_A\nB.dat"))},
        {"tab in the computer name", MitZeile(2, QStringLiteral("PC\t07"))},
        {"C1 control in the id", MitZeile(1, QStringLiteral("ABC") + QChar(0x81))},
        {"control in the grade", MitZeile(9, QStringLiteral("  2 \x1b   "))},
        {"negative question number", MitZeile(5, QStringLiteral("-1"))},
        {"question past the answers", MitZeile(5, QStringLiteral("5"))},
        {"right count off the answers", MitZeile(6, QStringLiteral("2147483647"))},
        {"negative wrong count", MitZeile(7, QStringLiteral("-3"))},
        {"rate above 100", MitZeile(8, QStringLiteral("100.5"))},
        {"negative rate", MitZeile(8, QStringLiteral("-1"))},
        {"start past the calendar", MitZeile(4, QStringLiteral("1e300"))},
        {"negative start", MitZeile(4, QStringLiteral("-2"))},
        {"duration of days", MitZeile(10, QStringLiteral("2147483647"))},
        {"negative duration", MitZeile(10, QStringLiteral("-5"))},
        {"letters in the answers", MitZeile(11, QStringLiteral("++x+"))},
        {"more answers than any exercise",
         QStringLiteral("k\r\nID\r\nPC\r\nN\r\n46000\r\n51\r\n51\r\n0\r\n100\r\n  1     \r\n9\r\n") + QString(51, u'+')
             + QStringLiteral("\r\n")},
    };
    ASSERT_TRUE(LeseErgebnisNachricht(ErgebnisText(BeispielErgebnis())));
    for (const Fall& f : faelle)
        EXPECT_FALSE(LeseErgebnisNachricht(f.text)) << f.was;
    // A file's key is its name, so a blank first line does not matter there.
    EXPECT_TRUE(LeseErgebnisText(MitZeile(0, QString())));
    // The sender keeps every control character off the wire.
    Teilnehmerergebnis e = BeispielErgebnis();
    e.Name = QStringLiteral("A\tB\x1b");
    const auto g = LeseErgebnisNachricht(ErgebnisText(e));
    ASSERT_TRUE(g);
    EXPECT_EQ(g->Name, QStringLiteral("A B "));
}

TEST(NetzErgebnis, SchlechteNachrichtLaesstDieZeileEinesTeilnehmersStehen)
{
    TeilnehmerProtokoll prot;
    const Teilnehmerergebnis gut = BeispielErgebnis();
    prot.NeuerKopf({}, gut.UebungsID, 4);
    ASSERT_TRUE(prot.Aktualisiere(*LeseErgebnisNachricht(ErgebnisText(gut))));
    const QString zeile = prot.ZeileVon(gut.Schluessel);
    // The same key with junk numbers, and a state with more items than this
    // exercise has questions: the row stays as it was.
    EXPECT_FALSE(LeseErgebnisNachricht(MitZeile(10, QStringLiteral("2147483647"))));
    Teilnehmerergebnis zuViele = gut;
    zuViele.AntwortFolge += u'+';
    zuViele.Richtig += 1;
    ASSERT_TRUE(LeseErgebnisNachricht(ErgebnisText(zuViele)));
    EXPECT_FALSE(prot.Aktualisiere(zuViele));
    EXPECT_EQ(prot.ZeileVon(gut.Schluessel), zeile);
    EXPECT_EQ(prot.TeilnehmerListe().size(), 1);
    // Of another exercise, with its own number of questions, it is shown.
    zuViele.UebungsID = QStringLiteral("ANDERE");
    zuViele.Schluessel = QStringLiteral("ZLTNX_ANDEREANDERE.dat");
    EXPECT_TRUE(prot.Aktualisiere(zuViele));
}

TEST(NetzZugriff, WarnungMitUndOhneMenueHinweis)
{
    const QString mit = ZugriffsFehlerText(false, QStringLiteral("/x/"));
    EXPECT_TRUE(mit.contains(QStringLiteral("(/x/) benötigen Sie Lese- und Schreibzugriffsrechte. \r\n\r\n")));
    EXPECT_TRUE(mit.contains(QStringLiteral("wählen Sie unter dem Menüpunkt \"Allg.-Optionen/Kommunikationsverzeichnis...\" ein anderes")));
    EXPECT_TRUE(ZugriffsFehlerText(true, QStringLiteral("/x/")).contains(QStringLiteral("wählen Sie ein anderes Verzeichnis aus. Wenden Sie")));
}

TEST(NetzStart, BefehlWirdVorDemStartGeprueft)
{
    QList<UebungDataTyp> liste{{1, QStringLiteral("EUR"), QStringLiteral("EUR1"), 10},
                               {2, QStringLiteral("DEU"), QStringLiteral("DEU"), 11},
                               {3, QStringLiteral("WLT"), QStringLiteral("DEU"), 11}};
    const NetzwerkBefehlDataTyp gut = Beispiel().Befehl;
    QString fehler;
    const auto d = PruefeNetzStart(gut, liste, &fehler);
    ASSERT_TRUE(d) << fehler.toStdString();
    EXPECT_EQ(d->UebKartIndex, 1);
    EXPECT_EQ(d->Seed, -4711);
    EXPECT_EQ(d->FragTypMaske, gut.FragTypOk);
    struct Fall {
        void (*aendern)(NetzwerkBefehlDataTyp&);
    } faelle[] = {
        {[](NetzwerkBefehlDataTyp& b) { b.UebModus = 0; }},
        {[](NetzwerkBefehlDataTyp& b) { b.UebModus = 5; }},
        {[](NetzwerkBefehlDataTyp& b) { b.Intensitaet = 0; }},
        {[](NetzwerkBefehlDataTyp& b) { b.UebFragAnz = 0; }},
        {[](NetzwerkBefehlDataTyp& b) { b.UebFragAnz = 5000; }},
        {[](NetzwerkBefehlDataTyp& b) { b.UebKartTyp = QStringLiteral("XX"); }},
        {[](NetzwerkBefehlDataTyp& b) { b.FragTypOk = QStringLiteral("0000"); }},
        {[](NetzwerkBefehlDataTyp& b) { b.FragTypOk = QStringLiteral("01x"); }},
        {[](NetzwerkBefehlDataTyp& b) { b.KartID = QStringLiteral("MARS"); }},
    };
    for (const Fall& f : faelle) {
        NetzwerkBefehlDataTyp b = gut;
        f.aendern(b);
        fehler.clear();
        EXPECT_FALSE(PruefeNetzStart(b, liste, &fehler));
        EXPECT_TRUE(fehler.startsWith(kBefehlUngueltig));
    }
    // A short mask is padded, options out of range are the participant's own choice.
    NetzwerkBefehlDataTyp b = gut;
    b.FragTypOk = QStringLiteral("0001");
    b.Sound = 9;
    b.RFLevel = -1;
    const auto k = PruefeNetzStart(b, liste);
    ASSERT_TRUE(k);
    EXPECT_EQ(k->FragTypMaske, QStringLiteral("00010000000000000000000"));
    EXPECT_EQ(k->Sound, 2);
    EXPECT_EQ(k->RFLevel, 3);
}

TEST(NetzStart, StatusDesBeitrittsfensters)
{
    EXPECT_EQ(NetzStatus(std::nullopt), (NetzStatusAnzeige{kNichtInitiiert, QColor(255, 0, 0), false}));
    NetzDateiInhalt in = Beispiel();
    EXPECT_EQ(NetzStatus(in), (NetzStatusAnzeige{QStringLiteral("Übung: Deutschland"), QColor(0, 128, 0), true}));
    in.Befehl.Status = 0;
    EXPECT_FALSE(NetzStatus(in).TeilnehmenErlaubt);
}

TEST(NetzZeit, TageszahlHinUndZurueck)
{
    const QDateTime t(QDate(2026, 12, 10), QTime(14, 30, 15, 250));
    const double d = TagesZahl(t);
    EXPECT_EQ(static_cast<int>(d), 46366);
    EXPECT_EQ(ZeitAusTageszahl(d), t);
    EXPECT_EQ(ZeitAusTageszahl(WandleInZahl(TextFileIO::LineFloat(d).trimmed())), t);
}

TEST_F(NetzVerzeichnis, GanzeKlasseInEinemScanInOrdnerfolge)
{
    QStringList erwartet;
    for (int i = 0; i < 40; ++i) {
        const ErgebnisNamen n = NeueErgebnisNamen();
        Teilnehmerergebnis e = BeispielErgebnis();
        e.Name = QStringLiteral("T%1").arg(i);
        ASSERT_TRUE(SchreibeErgebnisDateien(verz, n, e));
        erwartet << n.Datei;
    }
    // A foreign file among them changes nothing for the others.
    Schreib(verz + QStringLiteral("ZLTNX_KAPUTTKAPUTT.dat"), "kaputt");
    Schreib(verz + QStringLiteral("ZLTNS_KAPUTTKAPUTT.dat"), " \r\n");
    erwartet.sort();
    QStringList gelesen;
    for (const Teilnehmerergebnis& e : LeseTeilnehmerErgebnisse(verz, true))
        gelesen << e.Schluessel;
    EXPECT_EQ(gelesen, erwartet);
    EXPECT_TRUE(QDir(verz).entryList({QStringLiteral("ZLTNS_*")}, QDir::Files).isEmpty());
    EXPECT_EQ(LeseTeilnehmerErgebnisse(verz, false).size(), 40);
}

TEST_F(NetzVerzeichnis, OrdnerDerEineDateiIstWirdAbgewiesen)
{
    // Writing fails as in a folder without write access: boxes, no flag, nothing lost.
    const QString datei = verz + QStringLiteral("keinordner");
    Schreib(datei, "x");
    const ErgebnisNamen namen = NeueErgebnisNamen();
    EXPECT_FALSE(SchreibeErgebnisDateien(datei + u'/', namen, BeispielErgebnis()));
    ASSERT_EQ(boxen.texts().size(), 2);
    EXPECT_TRUE(boxen.texts()[0].startsWith(QStringLiteral("Datei-Schreibfehler! (")));
    EXPECT_EQ(boxen.texts()[1], NetzSchreibFehlerText());
    EXPECT_FALSE(TesteVerzeichnisZugriff(datei, false));
    EXPECT_TRUE(LeseTeilnehmerErgebnisse(datei + u'/', true).isEmpty());
    EXPECT_EQ(Lies(datei), QByteArray("x"));
}
