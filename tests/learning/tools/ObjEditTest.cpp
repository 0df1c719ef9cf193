// The map-label editor's rules without a window: a fake host holds the label table
// and the current label file in a temporary folder.

#include "learning/tools/zl_objedit.h"

#include "controls/TextFile.h"
#include "platform/Cp1252.h"
#include "platform/FileAccess.h"
#include "platform/MessageService.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace zl;

namespace
{

QByteArray leseBytes(const QString& Pfad)
{
    QFile f(Pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

ObjDataTyp obj(const char* Karte, const char* Typ, int x, int y, const QString& Bez, int dx = 0, int dy = 0,
               int Intens = 1)
{
    ObjDataTyp o;
    o.KartID = QLatin1String(Karte);
    o.ObjTyp = QLatin1String(Typ);
    o.Px = x / 10000.0;
    o.Py = y / 10000.0;
    o.Bez = Bez;
    o.dx = std::int8_t(dx);
    o.dy = std::int8_t(dy);
    o.Intens = Intens;
    return o;
}

bool gleich(const ObjDataTyp& a, const ObjDataTyp& b)
{
    return a.KartID == b.KartID && a.ObjTyp == b.ObjTyp && a.Px == b.Px && a.Py == b.Py && a.Bez == b.Bez &&
           a.dx == b.dx && a.dy == b.dy && a.Intens == b.Intens;
}

class FakeHost : public TObjEditHost
{
  public:
    QList<ObjDataTyp> Tabelle;
    QString Datei;
    QString Karte = QStringLiteral("DEU");
    TRect Sicht = {0, 0, 10000, 10000};
    int Gewaehlt = -1;
    QStringList Log;

    QList<ObjDataTyp>& Objekte() override { return Tabelle; }
    QString Objektdatei() const override { return Datei; }
    void SetzeObjektdatei(const QString& d) override { Datei = d; }
    QStringList KartenEintraege() const override
    {
        return {QStringLiteral("Deutschland [DEU]"), QStringLiteral("Bayern [DBY]"), QStringLiteral("Europa [EUR]")};
    }
    QString AktKartID() const override { return Karte; }
    TRect Ausschnitt() const override { return Sicht; }
    void ZeigeAufKarte(int i) override { Log << QStringLiteral("Karte %1").arg(i); }
    void ZeigeKarteNeu() override { Log << QStringLiteral("Lernkarte"); }
    void BaueAnsichtNeu() override { Log << QStringLiteral("Neuaufbau"); }
    int GewaehltesObjekt() const override { return Gewaehlt; }
    void AktualisiereListen(bool m) override { Log << QStringLiteral("Listen %1").arg(m); }
    void WaehleObjekt(int i) override { Log << QStringLiteral("Waehle %1").arg(i); }
    void ObjektGeaendert(int i) override { Log << QStringLiteral("Geaendert %1").arg(i); }
    void AendereAusrichtung(int dx, int dy) override { Log << QStringLiteral("Ausrichtung %1 %2").arg(dx).arg(dy); }
    void EditorGeschlossen() override { Log << QStringLiteral("Geschlossen"); }
};

class ObjEditTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        host.Datei = pfad(QStringLiteral("zl_standard.zlk"));
        for (int i = 0; i < 10; ++i)
            host.Tabelle << obj("DEU", "S", 1000 + i, 2000 + i, QStringLiteral("Ort %1").arg(i));
        ASSERT_TRUE(SchreibeObjektdatei(host.Datei, host.Tabelle));
        original = leseBytes(host.Datei);
    }
    QString pfad(const QString& Name) const { return dir.path() + QLatin1Char('/') + Name; }
    TObjEditor& editor(const TObjEditKonfig& k = LernprogrammObjEditKonfig())
    {
        ed = std::make_unique<TObjEditor>(k, host);
        return *ed;
    }
    // The fields as the user would change them in the window.
    void aendere(TObjEditor& e, const std::function<void(TObjEditFelder&)>& f)
    {
        TObjEditFelder x = e.Felder();
        f(x);
        e.SetzeFelder(x);
    }

    QTemporaryDir dir;
    FakeHost host;
    QByteArray original;
    std::unique_ptr<TObjEditor> ed;
    ScopedMessageRecorder rec;
};

} // namespace

TEST(ObjEditRegeln, TextInKlammernEintraegeUndZulaessigeTexte)
{
    const struct {
        const char* text;
        const char* code;
    } klammern[] = {{"Land/Staat [L] ", "L"}, {"Kontinent [K]", "K"}, {"a [b] [c]", "b"}, {"ohne", ""},
                    {"[offen", ""},           {"x]y[z]", "z"}};
    for (const auto& k : klammern)
        EXPECT_EQ(TextInKlammern(QString::fromUtf8(k.text)), QString::fromUtf8(k.code)) << k.text;

    const QStringList typen = LernprogrammObjEditKonfig().TypEintraege;
    ASSERT_EQ(typen.size(), 11);
    EXPECT_EQ(typen.first(), QStringLiteral("Land/Staat [L] "));
    EXPECT_EQ(EintragMitCode(typen, QStringLiteral("lx")), 9);
    EXPECT_EQ(EintragMitCode(typen, QStringLiteral("KD")), -1);
    EXPECT_EQ(EintragMitCode(typen, QString()), -1);
    const QStringList foliavo = ArbeitsblattObjEditKonfig().TypEintraege;
    ASSERT_EQ(foliavo.size(), 8);
    EXPECT_EQ(EintragMitCode(foliavo, QStringLiteral("LX")), -1);
    EXPECT_EQ(ArbeitsblattObjEditKonfig().Titel, QStringLiteral("Abfrageobjekte bearbeiten"));
    EXPECT_EQ(ArbeitsblattObjEditKonfig().OeffnenTitel, QStringLiteral("Beschriftungsschema öffnen"));

    KartDataTyp k;
    k.KartID = QStringLiteral("DBY");
    k.KartName = QStringLiteral("Bayern");
    EXPECT_EQ(KartenEintraege({k}), QStringList{QStringLiteral("Bayern [DBY]")});

    for (const QString& t : {QStringLiteral("a~b"), QStringLiteral("a\rb"), QStringLiteral("a\nb"),
                             QString(QChar(0x20AC)) + QChar(0x0100)}) {
        EXPECT_FALSE(BezeichnungZulaessig(t)) << t.toStdString();
        EXPECT_TRUE(BezeichnungZulaessig(BereinigeBezeichnung(t)));
    }
    EXPECT_TRUE(BezeichnungZulaessig(QStringLiteral("Nord-|rhein Öl €")));
    EXPECT_EQ(BereinigeBezeichnung(QStringLiteral("a~b\r\nc")), QStringLiteral("abc"));
}

TEST_F(ObjEditTest, ShowsALabelAndTakesEditsOverWhenAnotherIsShown)
{
    host.Tabelle[2] = obj("DBY", "H", 5234, 3120, QStringLiteral("München"), 1, -1, 2);
    TObjEditor& e = editor();
    e.ZeigeObjekt(2);
    const TObjEditFelder& f = e.Felder();
    EXPECT_EQ(f.ID, 2);
    EXPECT_EQ(f.Karte, 1);
    EXPECT_EQ(f.Typ, 4);
    EXPECT_EQ(f.PosX, 5234);
    EXPECT_EQ(f.PosY, 3120);
    EXPECT_EQ(f.Bez, QStringLiteral("München"));
    EXPECT_EQ(f.AusrX, 4);
    EXPECT_EQ(f.AusrY, 2);
    EXPECT_EQ(f.Intens, 2);
    EXPECT_TRUE(f.Aktiv);
    EXPECT_FALSE(e.Geaendert); // filling the fields is no change

    aendere(e, [](TObjEditFelder& x) {
        x.Bez = QStringLiteral("Munich");
        x.Karte = 2;
        x.Typ = 3;
        x.AusrX = 6;
        x.Intens = 3;
        x.PosY = 20000; // out of range: held on take-over
    });
    EXPECT_TRUE(e.Geaendert);
    e.ZeigeObjekt(5);
    const ObjDataTyp& o = host.Tabelle[2];
    EXPECT_EQ(o.Bez, QStringLiteral("Munich"));
    EXPECT_EQ(o.KartID, QStringLiteral("EUR"));
    EXPECT_EQ(o.ObjTyp, QStringLiteral("S"));
    EXPECT_EQ(o.dx, 3);
    EXPECT_EQ(o.dy, -1);
    EXPECT_EQ(o.Intens, 3);
    EXPECT_EQ(o.Py, 1.0);
    EXPECT_EQ(o.Px, 0.5234);
    EXPECT_EQ(e.Felder().ID, 5);
    EXPECT_TRUE(e.Geaendert);

    e.ZeigeObjekt(-1);
    EXPECT_EQ(e.Felder(), TObjEditFelder{});
    e.ZeigeObjekt(99); // an index outside the table clears as -1 does
    EXPECT_EQ(e.Felder().ID, -1);
}

TEST_F(ObjEditTest, ViewingLabelsTheListsCannotShowNeverRewritesThem)
{
    host.Tabelle[0] = obj("DEU", "KD", 4000, 4000, QStringLiteral("1|FF00|2.5"), 0, 0, 0);
    host.Tabelle[1] = obj("XYZ", "S", 4000, 4000, QStringLiteral("Fremd"));
    host.Tabelle[2] = obj("DEU", "S", 4000, 4000, QStringLiteral("Weit"), 44, -100, 7);
    host.Tabelle[3] = obj("deu", "lx", 4000, 4000, QStringLiteral("klein"));
    host.Tabelle[4].Px = 0.12345; // between two ten-thousandths
    host.Tabelle[5] = obj("DEU", "LX", 12000, -5, QStringLiteral("Draußen"));
    const QList<ObjDataTyp> vorher = host.Tabelle;
    for (const TObjEditKonfig& k : {LernprogrammObjEditKonfig(), ArbeitsblattObjEditKonfig()}) {
        TObjEditor& e = editor(k);
        QObject::connect(&e, &TObjEditor::TabelleGeaendert, [] { ADD_FAILURE() << "the table changed"; });
        for (int i = 0; i < 6; ++i) {
            e.ZeigeObjekt(i);
            e.ZeigeObjektAufKarte();
        }
        e.ZeigeObjekt(-1);
        for (int i = 0; i < 6; ++i)
            EXPECT_TRUE(gleich(host.Tabelle[i], vorher[i])) << k.Titel.toStdString() << " label " << i;
    }
    TObjEditor& e = editor();
    e.ZeigeObjekt(0);
    EXPECT_EQ(e.Felder().Typ, -1);
    EXPECT_EQ(e.TypPlatzhalter(), QStringLiteral("(nicht in der Liste) [KD]"));
    e.ZeigeObjekt(2);
    EXPECT_EQ(e.AusrXPlatzhalter(), QStringLiteral("44"));
    EXPECT_EQ(e.IntensPlatzhalter(), QStringLiteral("7"));
    // A field the user picks is written all the same.
    aendere(e, [](TObjEditFelder& x) { x.AusrX = 3; });
    e.UebernimmObjekt();
    EXPECT_EQ(host.Tabelle[2].dx, 0);
    EXPECT_EQ(host.Tabelle[2].dy, -100);
    EXPECT_EQ(host.Tabelle[2].Intens, 7);
}

TEST_F(ObjEditTest, ForbiddenCharactersNeverReachTheTable)
{
    TObjEditor& e = editor();
    e.ZeigeObjekt(1);
    aendere(e, [](TObjEditFelder& x) { x.Bez = QStringLiteral("A~B\r\nC"); });
    e.UebernimmObjekt();
    EXPECT_EQ(host.Tabelle[1].Bez, QStringLiteral("ABC"));
    EXPECT_EQ(e.Felder().Bez, QStringLiteral("ABC"));
}

TEST_F(ObjEditTest, NewCopyAndDelete)
{
    TObjEditor& e = editor();
    int tabelleGeaendert = 0;
    QObject::connect(&e, &TObjEditor::TabelleGeaendert, [&] { ++tabelleGeaendert; });
    host.Sicht = {2500, 0, 7500, 5000};
    e.Neu();
    ASSERT_EQ(host.Tabelle.size(), 11);
    const ObjDataTyp n = host.Tabelle.last();
    EXPECT_TRUE(gleich(n, obj("DEU", "L", 5000, 2500, QStringLiteral("NEU"))));
    EXPECT_EQ(e.Felder().ID, 10);
    EXPECT_TRUE(e.Geaendert);
    EXPECT_EQ(host.Log.last(), QStringLiteral("Karte 10"));

    e.ZeigeObjekt(3);
    aendere(e, [](TObjEditFelder& x) { x.Typ = 4; }); // a selected type is taken for a new label
    e.Neu();
    EXPECT_EQ(host.Tabelle.last().ObjTyp, QStringLiteral("H"));
    EXPECT_EQ(host.Tabelle[3].ObjTyp, QStringLiteral("H")); // the previous label was taken over first

    e.ZeigeObjekt(3);
    const ObjDataTyp drei = host.Tabelle[3];
    e.Kopieren();
    ASSERT_EQ(host.Tabelle.size(), 13);
    ObjDataTyp erwartet = drei;
    erwartet.Bez += QStringLiteral(" KOPIE");
    EXPECT_TRUE(gleich(host.Tabelle[4], erwartet));
    EXPECT_TRUE(gleich(host.Tabelle[3], drei));
    EXPECT_EQ(host.Tabelle[5].Bez, QStringLiteral("Ort 4"));
    EXPECT_EQ(e.Felder().ID, 4);

    // Delete label 5 of the first ten: "No" keeps it, "Yes" removes it.
    host.Tabelle = host.Tabelle.mid(0, 10);
    for (int i = 0; i < 10; ++i)
        host.Tabelle[i] = obj("DEU", "S", 1000 + i, 2000 + i, QStringLiteral("Ort %1").arg(i));
    e.ZeigeObjekt(5);
    rec.clear();
    rec.answerNext(mbNo);
    EXPECT_FALSE(e.Entfernen());
    EXPECT_EQ(host.Tabelle.size(), 10);
    ASSERT_EQ(rec.entries().size(), 1);
    EXPECT_EQ(rec.entries()[0].text,
              QStringLiteral("Soll die Kartenbeschriftung \"Ort 5\" (ID 5) wirklich gelöscht werden?"));
    rec.answerNext(mbYes);
    EXPECT_TRUE(e.Entfernen());
    EXPECT_EQ(host.Tabelle.size(), 9);
    EXPECT_EQ(host.Tabelle[5].Bez, QStringLiteral("Ort 6"));
    EXPECT_EQ(e.Felder(), TObjEditFelder{});
    EXPECT_EQ(host.Log.last(), QStringLiteral("Lernkarte"));
    // Nothing is taken over into the label that moved up.
    e.ZeigeObjekt(2);
    EXPECT_EQ(host.Tabelle[5].Bez, QStringLiteral("Ort 6"));
    EXPECT_EQ(e.Titel(), QStringLiteral("Kartenbeschriftung bearbeiten - zl_standard.zlk (9)"));
    EXPECT_EQ(tabelleGeaendert, 4); // two new labels, a copy, one deletion
}

TEST_F(ObjEditTest, PlacementStepsAndArrowPosition)
{
    host.Tabelle[0] = obj("DEU", "S", 1000, 1000, QStringLiteral("Rand"), 3, 0);
    TObjEditor& e = editor();
    e.ZeigeObjekt(0);
    EXPECT_EQ(e.SchritteAusrichtung(1, 0), -1); // already +3
    EXPECT_FALSE(e.Geaendert);
    EXPECT_EQ(e.SchritteAusrichtung(-1, 1), 0);
    EXPECT_EQ(host.Tabelle[0].dx, 2);
    EXPECT_EQ(host.Tabelle[0].dy, 1);
    EXPECT_TRUE(e.Geaendert);
    e.ZeigeObjekt(-1);
    EXPECT_EQ(e.SchritteAusrichtung(1, 1), -1); // nothing shown

    e.ZeigeObjekt(1);
    e.SetzePosition(0.52345, 1.7);
    EXPECT_EQ(e.Felder().PosX, 5234); // half to even
    EXPECT_EQ(e.Felder().PosY, 10000);
    e.UebernimmObjekt();
    EXPECT_EQ(host.Tabelle[1].Px, 0.5234);
    EXPECT_EQ(host.Tabelle[1].Py, 1.0);
}

TEST_F(ObjEditTest, SaveWritesReadsAgainAndKeepsEverythingOnFailure)
{
    TObjEditor& e = editor();
    e.ZeigeObjekt(4);
    aendere(e, [](TObjEditFelder& x) { x.Bez = QStringLiteral("Neustadt"); });
    ASSERT_TRUE(e.Speichern());
    EXPECT_FALSE(e.Geaendert);
    EXPECT_EQ(host.Log.last(), QStringLiteral("Neuaufbau"));
    QList<ObjDataTyp> gelesen;
    ASSERT_TRUE(LeseObjektdatei(host.Datei, gelesen));
    EXPECT_EQ(gelesen[4].Bez, QStringLiteral("Neustadt"));

    // A read-only file and a locked file: boxes, edits and file name kept, file untouched.
    const QByteArray gespeichert = leseBytes(host.Datei);
    for (int fall = 0; fall < 2; ++fall) {
        rec.clear();
        ReadFile sperre;
        if (fall == 0)
            ASSERT_EQ(::chmod(QFile::encodeName(host.Datei).constData(), 0444), 0);
        else
            ASSERT_EQ(sperre.open(host.Datei), 0);
        e.ZeigeObjekt(4);
        aendere(e, [](TObjEditFelder& x) { x.Bez = QStringLiteral("Altstadt"); });
        EXPECT_FALSE(e.Speichern()) << fall;
        EXPECT_TRUE(e.Geaendert);
        EXPECT_EQ(host.Tabelle[4].Bez, QStringLiteral("Altstadt"));
        EXPECT_EQ(host.Datei, pfad(QStringLiteral("zl_standard.zlk")));
        EXPECT_EQ(rec.texts().last(), QStringLiteral("Schreibfehler! Objektdaten können nicht geschrieben werden."));
        // The save question's "Yes" fails the same way: the caller must stop.
        rec.answerNext(mbYes);
        EXPECT_FALSE(e.FrageSpeichern());
        EXPECT_TRUE(e.Geaendert);
        // "Speichern unter" onto it fails too and keeps the current file.
        EXPECT_FALSE(e.SpeichernUnter(host.Datei));
        EXPECT_EQ(host.Datei, pfad(QStringLiteral("zl_standard.zlk")));
        sperre.close();
        ::chmod(QFile::encodeName(host.Datei).constData(), 0644);
        EXPECT_EQ(leseBytes(host.Datei), gespeichert);
    }
}

TEST_F(ObjEditTest, SaveQuestionAnswers)
{
    TObjEditor& e = editor();
    EXPECT_TRUE(e.FrageSpeichern()); // no changes: no question
    EXPECT_TRUE(rec.entries().isEmpty());
    e.MarkiereGeaendert(); // any key in the window
    const struct {
        MsgButton antwort;
        bool weiter;
        bool geschrieben;
    } faelle[] = {{mbCancel, false, false}, {mbNo, true, false}, {mbYes, true, true}};
    for (const auto& f : faelle) {
        rec.clear();
        e.ZeigeObjekt(0);
        aendere(e, [](TObjEditFelder& x) { x.Bez = QStringLiteral("Frage"); });
        rec.answerNext(f.antwort);
        EXPECT_EQ(e.FrageSpeichern(), f.weiter);
        ASSERT_EQ(rec.entries().size(), 1);
        EXPECT_EQ(rec.entries()[0].text,
                  QStringLiteral("Änderungen unter ") + host.Datei + QStringLiteral(" speichern?"));
        EXPECT_EQ(rec.entries()[0].buttons, (MsgButtons{mbYes, mbNo, mbCancel}));
        EXPECT_EQ(leseBytes(host.Datei) != original, f.geschrieben);
    }
}

TEST_F(ObjEditTest, ClosingWithNoRestoresTheTableFromTheFile)
{
    TObjEditor& e = editor();
    host.Gewaehlt = 3;
    e.Anzeigen();
    EXPECT_EQ(e.Felder().ID, 3);
    EXPECT_FALSE(e.Geaendert);
    EXPECT_EQ(host.Log.mid(0, 2), (QStringList{QStringLiteral("Listen 1"), QStringLiteral("Waehle 3")}));
    aendere(e, [](TObjEditFelder& x) { x.Bez = QStringLiteral("verworfen"); });
    e.Kopieren();
    rec.answerNext(mbCancel);
    EXPECT_FALSE(e.Schliessen());
    EXPECT_EQ(host.Tabelle.size(), 11);
    rec.answerNext(mbNo);
    EXPECT_TRUE(e.Schliessen());
    EXPECT_EQ(host.Tabelle.size(), 10);
    EXPECT_EQ(host.Tabelle[3].Bez, QStringLiteral("Ort 3"));
    EXPECT_EQ(e.Felder(), TObjEditFelder{});
    EXPECT_FALSE(e.Geaendert);
    EXPECT_EQ(leseBytes(host.Datei), original);
    // Showing it again takes nothing over from the discarded fields.
    host.Gewaehlt = -1;
    e.Anzeigen();
    EXPECT_EQ(host.Tabelle[3].Bez, QStringLiteral("Ort 3"));
}

TEST_F(ObjEditTest, NewFileOpenAndSaveAs)
{
    TObjEditor& e = editor();
    // "Neu anlegen" into a missing folder fails before anything changes.
    EXPECT_FALSE(e.NeuAnlegen(pfad(QStringLiteral("fehlt/neu.zlk"))));
    EXPECT_EQ(host.Tabelle.size(), 10);
    EXPECT_EQ(host.Datei, pfad(QStringLiteral("zl_standard.zlk")));
    ASSERT_TRUE(e.NeuAnlegen(pfad(QStringLiteral("neu.zlk"))));
    EXPECT_TRUE(host.Tabelle.isEmpty());
    EXPECT_EQ(host.Datei, pfad(QStringLiteral("neu.zlk")));
    EXPECT_EQ(leseBytes(host.Datei), (kObjDateiKopf + QStringLiteral("\r\n")).toLatin1());

    // An unreadable file on open: the old file stays current with its labels.
    e.Neu();
    rec.clear();
    EXPECT_FALSE(e.Oeffnen(pfad(QStringLiteral("gibtsnicht.zlk"))));
    EXPECT_EQ(host.Datei, pfad(QStringLiteral("neu.zlk")));
    EXPECT_EQ(host.Tabelle.size(), 1);
    EXPECT_FALSE(rec.entries().isEmpty());
    ASSERT_TRUE(e.Oeffnen(pfad(QStringLiteral("zl_standard.zlk"))));
    EXPECT_EQ(host.Tabelle.size(), 10);
    EXPECT_FALSE(e.Geaendert);
    EXPECT_EQ(e.Felder().ID, -1);

    // "Speichern unter" takes the pending edit over before it writes.
    e.ZeigeObjekt(7);
    aendere(e, [](TObjEditFelder& x) { x.Bez = QStringLiteral("Kopie-|stadt"); });
    ASSERT_TRUE(e.SpeichernUnter(pfad(QStringLiteral("kopie.zlk"))));
    EXPECT_EQ(host.Datei, pfad(QStringLiteral("kopie.zlk")));
    EXPECT_EQ(host.Tabelle[7].Bez, QStringLiteral("Kopie-|stadt"));
    EXPECT_EQ(leseBytes(pfad(QStringLiteral("zl_standard.zlk"))), original);
    QList<ObjDataTyp> gelesen;
    ASSERT_TRUE(LeseObjektdatei(host.Datei, gelesen));
    EXPECT_EQ(gelesen[7].Bez, QStringLiteral("Kopie-|stadt"));
}

TEST_F(ObjEditTest, AnEmptyTableDoesNotReplaceLabelsWithoutAsking)
{
    TObjEditor& e = editor();
    for (int i = 0; i < 10; ++i) {
        e.ZeigeObjekt(0);
        rec.answerNext(mbYes);
        ASSERT_TRUE(e.Entfernen());
    }
    rec.clear();
    rec.answerNext(mbNo);
    EXPECT_FALSE(e.Speichern());
    EXPECT_EQ(leseBytes(host.Datei), original);
    ASSERT_EQ(rec.entries().size(), 1);
    rec.answerNext(mbYes);
    EXPECT_TRUE(e.Speichern());
    EXPECT_EQ(leseBytes(host.Datei), (kObjDateiKopf + QStringLiteral("\r\n")).toLatin1());
}

TEST(ObjEditTreffer, FirstShownLabelInsideTheBox)
{
    QList<ObjDataTyp> t = {
        obj("EUR", "S", 5000, 5000, QStringLiteral("andere Karte")),
        obj("DEU", "S", 5000, 5000, QStringLiteral("zu schwer"), 0, 0, 3),
        obj("DEU", "IS", 5000, 5000, QStringLiteral("Inselstaat")),
        obj("DEU", "S", 5000, 5000, QStringLiteral("Stadt")),
        obj("DEU", "KD", 5000, 5000, QStringLiteral("1|FF|1")),
        obj("DEU", "XX", 5000, 5000, QStringLiteral("unbekannt")),
    };
    const QRectF box(QPointF(0.49, 0.49), QPointF(0.50, 0.51)); // the label on the box's edge counts
    const struct {
        TObjEditEbenen ebenen;
        int intens;
        int treffer;
    } faelle[] = {
        {{true, true, true, true, true, true}, 2, 2},
        {{false, true, true, true, true, true}, 2, 2},  // IS also under Inseln
        {{false, true, true, true, false, true}, 2, 3}, // then the city
        {{false, false, false, false, false, true}, 2, 4},
        {{false, false, false, false, false, false}, 3, -1},
        {{false, true, false, false, false, false}, 3, 1},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(ObjektUnterMaus(t, QStringLiteral("DEU"), f.intens, f.ebenen, box), f.treffer);
    EXPECT_EQ(ObjektUnterMaus(t, QStringLiteral("DEU"), 3, {true, true, true, true, true, true},
                              QRectF(QPointF(0.51, 0.51), QPointF(0.6, 0.6))),
              -1);

    // Section 2500..7500 x 0..5000 on a 400 x 200 picture centred in a 420 x 240 control at (10, 20):
    // the label at (5000, 2500) is the picture's centre.
    const ObjDataTyp o = obj("DEU", "S", 5000, 2500, QString());
    EXPECT_EQ(TrefferQuadrat(o, QRect(10, 20, 420, 240), 400, 200, {2500, 0, 7500, 5000}), QRect(212, 132, 17, 17));
    EXPECT_TRUE(TrefferQuadrat(o, QRect(10, 20, 420, 240), 0, 200, {2500, 0, 7500, 5000}).isEmpty());
    EXPECT_TRUE(TrefferQuadrat(o, QRect(10, 20, 420, 240), 400, 200, {2500, 0, 2500, 5000}).isEmpty());
}
