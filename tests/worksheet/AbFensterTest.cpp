// Foliavo's windows offscreen on the bundled worksheet data: start-up, composing from the map
// choice, the label view, worksheet files, printing through PDF and the exports.

#include "AbHilfen.h"

#include "learning/mapview/widgets/zl_titel.h"
#include "platform/MessageService.h"
#include "platform/MetafileWriter.h"
#include "platform/SettingsStore.h"
#include "raster/widgets/Rast32_Image.h"
#include "worksheet/ab_data.h"
#include "worksheet/ab_seite.h"
#include "worksheet/widgets/ab_druckform.h"
#include "worksheet/widgets/ab_main.h"
#include "worksheet/widgets/ab_objhinzu.h"
#include "worksheet/widgets/ab_start.h"
#include "worksheet/widgets/ab_voreinstform.h"

#include <cmath>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace zl::ab
{
namespace
{

QByteArray Lies(const QString& p)
{
    QFile f(p);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool Vorhanden(const char* programm)
{
    return !QStandardPaths::findExecutable(QString::fromLatin1(programm)).isEmpty();
}

int Katalogindex(const QString& KartID)
{
    for (int i = 0; i < KartAuswDaten.size(); ++i)
        if (KartAuswDaten[i].KartID == KartID)
            return i;
    return -1;
}

// The program started on the bundled folder with settings in memory, without splash and check.
class AbFensterTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        FoliavoStartOptionen o;
        o.ProgrammVerz = test::FoliavoVerz();
        o.Store = &store;
        o.Titelfenster = false;
        o.Bildschirmpruefung = false;
        programm = std::make_unique<TFoliavo>(o);
        ASSERT_TRUE(programm->Starte());
        F = programm->Hauptfenster();
        F->resize(1280, 900);
        programm->ZeigeHauptfenster();
        F->AutoEditBox->setChecked(false);
        dir.setAutoRemove(qEnvironmentVariableIsEmpty("ZL_KEEP"));
        rec.clear();
    }
    void TearDown() override { programm.reset(); }
    void WaehleKarte(const char* id)
    {
        const int i = Katalogindex(QString::fromLatin1(id));
        ASSERT_GE(i, 0);
        F->KartenFeldKlick(i);
    }

    ScopedMessageRecorder rec;
    MemorySettingsStore store;
    std::unique_ptr<TFoliavo> programm;
    TForm1* F = nullptr;
    QTemporaryDir dir;
};

TEST_F(AbFensterTest, StartsOnTheMapChoiceAndComposesOnAChoice)
{
    EXPECT_EQ(F->Ansichtsmodus, kKartenauswahl);
    EXPECT_EQ(F->windowTitle(), QStringLiteral("Zelvaro - Terrafolio 4.0"));
    EXPECT_EQ(programm->Fenster().size(), 7u);
    EXPECT_GT(F->KartList1->count(), 40);

    // Worksheet and label view are refused on the map choice.
    F->ABBtnClick();
    F->Lernkarte1Click();
    ASSERT_EQ(rec.entries().size(), 2);
    EXPECT_EQ(rec.texts()[0], QStringLiteral("Wählen Sie unten zunächst eine Landkarte aus (per Mausklick auf die "
                                             "Kartenbezeichnung)."));
    EXPECT_EQ(F->Ansichtsmodus, kKartenauswahl);
    F->KartList1DblClick();
    EXPECT_TRUE(rec.texts().last().startsWith(QStringLiteral("Markieren Sie zunächst eine Landkarte")))
        << rec.texts().join(u'|').toStdString() << F->KartList1->currentRow();

    WaehleKarte("FRA");
    EXPECT_EQ(F->Ansichtsmodus, kArbeitsblatt);
    EXPECT_EQ(F->windowTitle(), QStringLiteral("Zelvaro - Terrafolio 4.0 - Karte: Frankreich"));
    EXPECT_GT(F->Dokument.Anzahl, 0);
    EXPECT_EQ(F->ABObjList->count(), F->Dokument.Anzahl);
    ASSERT_TRUE(F->Seitenmetafile);
    EXPECT_EQ(F->ABImg->Bitmap().Width(), 1001);
    EXPECT_EQ(F->ABImg->Bitmap().Height(), 1625);
    EXPECT_EQ(rec.entries().size(), 3);

    // Back to the map choice and the same map again: a new worksheet.
    const auto alt = F->Dokument.Eintraege;
    F->KartenAuswahl1Click();
    EXPECT_EQ(F->Dokument.Anzahl, 0);
    WaehleKarte("FRA");
    EXPECT_GT(F->Dokument.Anzahl, 0);

    // A theme change composes anew; removing marks the new last entry.
    F->ABThemaCombo->setCurrentIndex(5);
    EXPECT_EQ(F->Dokument.Thema, 5);
    const int n = F->Dokument.Anzahl;
    ASSERT_GT(n, 1);
    F->ABObjList->setCurrentRow(n - 1);
    F->ABObjListEntfClick();
    EXPECT_EQ(F->Dokument.Anzahl, n - 1);
    EXPECT_EQ(F->ABObjList->currentRow(), n - 2);
    F->ABObjList->clearSelection();
    F->ABObjList->setCurrentRow(-1);
    F->ABObjListEntfClick();
    EXPECT_EQ(rec.texts().last(), QStringLiteral("Markieren Sie zuerst den zu löschenden Eintrag in der Liste."));
}

TEST_F(AbFensterTest, DisplayTypeRedrawsAndSettingsAreWrittenBack)
{
    WaehleKarte("FRA");
    const TMetafilePtr vorher = F->Seitenmetafile;
    F->SetzeKartTyp(QStringLiteral("PW"));
    EXPECT_NE(F->Seitenmetafile, vorher);
    EXPECT_TRUE(F->KartTypItem[3]->isChecked());
    EXPECT_EQ(store.readText(QStringLiteral("KartTyp")), QStringLiteral("PW"));
    F->ABThemaCombo->setCurrentIndex(3);
    F->ABAufgabeCombo->setCurrentIndex(1);
    // Written as they change.
    EXPECT_EQ(store.readInt32(QStringLiteral("AB-Thema")), 3);
    EXPECT_EQ(store.readInt32(QStringLiteral("AB-Aufgabe")), 1);
    F->SetzeSeitenansicht(false);
    EXPECT_EQ(store.readInt32(QStringLiteral("AB-Ansicht")), 0);
    F->SetzeSeitenansicht(true);
    F->close();
    EXPECT_EQ(store.readInt32(QStringLiteral("AB-Ansicht")), 1);
    // The next start reads them.
    TABEinstellungen e = LeseEinstellungen(store);
    EXPECT_EQ(e.Thema, 3);
    EXPECT_EQ(e.KartTyp, QStringLiteral("PW"));
}

TEST(AbStart, SplashFor1500Ms)
{
    ScopedMessageRecorder rec;
    MemorySettingsStore store;
    FoliavoStartOptionen o;
    o.ProgrammVerz = test::FoliavoVerz();
    o.Store = &store;
    o.Bildschirmpruefung = false;
    TFoliavo programm(o);
    ASSERT_TRUE(programm.Starte());
    ASSERT_TRUE(programm.Titel());
    EXPECT_EQ(programm.Titel()->TitelTimer.interval(), 1500);
    EXPECT_TRUE(programm.Titel()->TitelTimer.isActive());
    EXPECT_EQ(programm.Hauptfenster()->windowTitle(), QStringLiteral("Zelvaro - Terrafolio 4.0"));
    EXPECT_TRUE(rec.entries().isEmpty());
}

TEST_F(AbFensterTest, LabelViewTakesTheThemeAndIntensity)
{
    WaehleKarte("FRA");
    F->ABThemaCombo->setCurrentIndex(1); // Städte
    F->ABIntensCombo->setCurrentIndex(2);
    F->LernIntensitaet = 1;
    F->Lernkarte1Click();
    EXPECT_EQ(F->Ansichtsmodus, kLernkarte);
    EXPECT_EQ(F->ObjReiter, 2);
    EXPECT_TRUE(F->Ebenen[1]);
    EXPECT_EQ(F->LernIntensitaet, 3);
    EXPECT_GT(F->LernListe->count(), 0);
    // Back on the worksheet page: the same entries, taken again from their labels.
    const auto vorher = F->Dokument.Eintraege;
    F->ABBtnClick();
    EXPECT_EQ(F->Ansichtsmodus, kArbeitsblatt);
    EXPECT_EQ(F->Dokument.Eintraege, vorher);
}

// Deleting a label in the editor shifts the table's indexes: the worksheet's entries follow, and
// back on the worksheet page they still show their own labels.
TEST_F(AbFensterTest, EntriesFollowTheEditor)
{
    WaehleKarte("FRA");
    F->Lernkarte1Click();
    F->ZeigeEditor();
    ASSERT_TRUE(ObjEditneuForm->isVisible());
    // The first label of the map that is not an entry of the worksheet.
    int frei = -1;
    for (int i = 0; i < ObjDaten.size() && frei < 0; ++i)
        if (ObjDaten[i].KartID == u"FRA" && !IstGewaehlt(F->Dokument, F->Dokument.Anzahl, i))
            frei = i;
    ASSERT_GE(frei, 0);
    F->WaehleObjekt(frei);
    rec.answerNext(mbYes);
    ASSERT_TRUE(ObjEditneuForm->Editor().Entfernen());
    for (int i = 0; i < F->Dokument.Anzahl; ++i) {
        const ABObjDataTyp& e = F->Dokument.Eintraege[i];
        ASSERT_GE(e.ObjIndex, 0);
        EXPECT_EQ(EntferneTrennzeichen(ObjDaten[e.ObjIndex].Bez), e.Name);
    }
    const auto vorher = F->Dokument.Eintraege;
    ObjEditneuForm->Editor().Geaendert = false; // leave without the save question
    F->ABBtnClick();
    EXPECT_EQ(F->Ansichtsmodus, kArbeitsblatt);
    EXPECT_EQ(F->Dokument.Eintraege, vorher);
    EXPECT_TRUE(ObjEditneuForm->isVisible()); // "Automatisch ein-/ausblenden" is not ticked here
}

TEST_F(AbFensterTest, SaveAndOpenAWorksheet)
{
    WaehleKarte("DEU");
    F->ABAufgabeCombo->setCurrentIndex(2);
    const ArbeitsblattDataTyp vorher = F->Dokument;
    const QString datei = dir.filePath(QStringLiteral("blatt.zla"));
    F->Dateiwahl = [&](const TDateiAuswahl& a) {
        EXPECT_EQ(a.Erweiterung, QStringLiteral("zla"));
        return datei;
    };
    F->SpeichernUnter1Click();
    EXPECT_TRUE(QFile::exists(datei));
    EXPECT_TRUE(F->windowTitle().endsWith(QLatin1String(" - blatt.zla")));
    F->KartenAuswahl1Click();
    F->Oeffnen1Click();
    EXPECT_EQ(F->Ansichtsmodus, kArbeitsblatt);
    EXPECT_EQ(F->Dokument.Eintraege, vorher.Eintraege);
    EXPECT_EQ(F->Dokument.Aufgabe, 2);
    EXPECT_EQ(F->ABAufgabeCombo->currentIndex(), 2);
    EXPECT_TRUE(rec.entries().isEmpty()) << rec.texts().join(u'\n').toStdString();

    // A damaged file: one box, the worksheet stays.
    QFile f(dir.filePath(QStringLiteral("kaputt.zla")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Foliavo-ZLA-1.00\r\nDEUT\r\nRS\r\n0\r\n1\r\n0\r\n0\r\n31\r\n");
    f.close();
    EXPECT_FALSE(F->OeffneArbeitsblattDatei(f.fileName()));
    EXPECT_EQ(rec.entries().size(), 1);
    EXPECT_EQ(F->Dokument.Eintraege, vorher.Eintraege);
    EXPECT_TRUE(F->windowTitle().endsWith(QLatin1String(" - blatt.zla")));
}

TEST_F(AbFensterTest, ExportsAreByteIdenticalOnARepeat)
{
    WaehleKarte("FRA");
    // Each extension under names of its own: the file layer finds names without regard to case.
    int nr = 0;
    for (const char* endung : {"bmp", "jpg", "wmf", "emf", "WMF", "EMF", "JPG"}) {
        ++nr;
        const QString a = dir.filePath(QStringLiteral("a%1.").arg(nr) + QLatin1String(endung));
        const QString b = dir.filePath(QStringLiteral("b%1.").arg(nr) + QLatin1String(endung));
        ASSERT_TRUE(F->ExportiereNach(a)) << endung << rec.texts().join(u'\n').toStdString();
        ASSERT_TRUE(F->ExportiereNach(b)) << endung;
        const QByteArray da = Lies(a);
        EXPECT_FALSE(da.isEmpty());
        EXPECT_EQ(da, Lies(b)) << endung;
        const QString e = QString::fromLatin1(endung).toLower();
        if (e == u"bmp" || e == u"jpg")
            EXPECT_EQ(QImage(a).size(), QSize(1000, 1623)) << endung;
        else if (e == u"wmf")
            EXPECT_EQ(qFromLittleEndian<quint32>(da.constData()), 0x9AC6CDD7u);
        else
            EXPECT_EQ(da.mid(40, 4), QByteArray(" EMF"));
    }
    EXPECT_TRUE(rec.entries().isEmpty());

    // A bad extension writes nothing; an unwritable path keeps what stood there.
    EXPECT_FALSE(F->ExportiereNach(dir.filePath(QStringLiteral("c.jpeg"))));
    EXPECT_EQ(rec.texts().last(), QStringLiteral("Export fehlgeschlagen wegen ungültiger Dateinamenserweiterung."));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("c.jpeg"))));
    for (const char* endung : {"emf", "bmp"}) {
        rec.clear();
        const QString ziel = dir.filePath(QStringLiteral("fehlt/d.") + QLatin1String(endung));
        EXPECT_FALSE(F->ExportiereNach(ziel));
        ASSERT_EQ(rec.entries().size(), 1);
        EXPECT_TRUE(rec.texts()[0].startsWith(QLatin1String("Export fehlgeschlagen")));
        QDir().mkpath(dir.filePath(QStringLiteral("alt.") + QLatin1String(endung)));
        EXPECT_FALSE(F->ExportiereNach(dir.filePath(QStringLiteral("alt.") + QLatin1String(endung))));
        EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("alt.") + QLatin1String(endung))).isDir());
    }
}

// The page's metafiles read by the independent readers (libemf2svg, libwmf).
TEST_F(AbFensterTest, MetafilesReadByIndependentReaders)
{
    WaehleKarte("FRA");
    const struct {
        const char* programm;
        const char* endung;
        bool wmf;
    } leser[] = {{"emf2svg-conv", "emf", false}, {"wmf2svg", "wmf", true}};
    for (const auto& l : leser) {
        if (!Vorhanden(l.programm))
            continue;
        const QString datei = dir.filePath(QStringLiteral("seite.") + QLatin1String(l.endung));
        const QString svg = datei + QStringLiteral(".svg");
        ASSERT_TRUE(F->ExportiereNach(datei));
        QProcess p;
        const QStringList args = l.wmf ? QStringList{QStringLiteral("--inline"), QStringLiteral("-o"), svg, datei}
                                       : QStringList{QStringLiteral("-i"), datei, QStringLiteral("-o"), svg};
        p.start(QString::fromLatin1(l.programm), args);
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 0) << l.programm;
        const QString text = QString::fromLatin1(Lies(svg));
        // The readers' texts without markup and blanks (libwmf writes one element a letter).
        QString inhalt = text;
        inhalt.remove(QStringLiteral("<![CDATA["));
        inhalt.remove(QStringLiteral("]]>"));
        inhalt.remove(QRegularExpression(QStringLiteral("<[^>]*>|\\s")));
        EXPECT_TRUE(inhalt.contains(QLatin1String("Zelvaro-Terrafolio4.0"))) << l.programm;
        EXPECT_TRUE(text.contains(QLatin1String("<image"))) << l.programm; // the map picture
    }
}

// Printing through PDF, rendered back with pdftoppm: the page at its margins, the solution sheet.
TEST_F(AbFensterTest, PrintsThroughPdf)
{
    if (!Vorhanden("pdftoppm"))
        GTEST_SKIP() << "pdftoppm not installed";
    WaehleKarte("FRA");
    F->ABAufgabeCombo->setCurrentIndex(0);
    auto drucke = [&](const QString& name) {
        QPrinter p(QPrinter::HighResolution);
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setPageSize(QPageSize(QPageSize::A4));
        p.setPageMargins(QMarginsF(0, 0, 0, 0));
        p.setOutputFileName(dir.filePath(name + QStringLiteral(".pdf")));
        EXPECT_TRUE(DruckeArbeitsblatt(p, *F->Seitenmetafile, TDruckWerte{}));
        QProcess r;
        r.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"),
                                             QStringLiteral("-singlefile"), p.outputFileName(), dir.filePath(name)});
        EXPECT_TRUE(r.waitForFinished(60000));
        return QImage(dir.filePath(name + QStringLiteral(".png"))).convertToFormat(QImage::Format_RGB32);
    };
    const QImage blatt = drucke(QStringLiteral("blatt"));
    ASSERT_NEAR(blatt.width(), 413, 1); // A4 at 50 dpi
    ASSERT_NEAR(blatt.height(), 585, 1);
    auto dunkel = [](const QImage& b, QRect r) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += qGray(b.pixel(x, y)) < 200;
        return n;
    };
    // 2.2 cm and 1.4 cm margins: nothing left of x 43 or above y 27; the map fills the middle.
    EXPECT_EQ(dunkel(blatt, QRect(0, 0, 40, 585)), 0);
    EXPECT_EQ(dunkel(blatt, QRect(0, 0, 413, 25)), 0);
    EXPECT_GT(dunkel(blatt, QRect(60, 120, 300, 200)), 1000);

    // The solution sheet alone: red marks only.
    F->ABLsgBox->setChecked(true);
    F->ABKomplettBox->setChecked(false);
    const QImage loesung = drucke(QStringLiteral("loesung"));
    EXPECT_LT(dunkel(loesung, QRect(0, 0, 413, 585)), 400);
    int rot = 0;
    for (int y = 0; y < loesung.height(); ++y)
        for (int x = 0; x < loesung.width(); ++x) {
            const QColor c = loesung.pixelColor(x, y);
            rot += c.red() > 180 && c.green() < 120 && c.blue() < 120;
        }
    EXPECT_GT(rot, 10);
    EXPECT_EQ(rec.entries().size(), 0) << rec.texts().join(u'\n').toStdString();
}

TEST_F(AbFensterTest, ManualChoiceOfAtMost30)
{
    WaehleKarte("WELT");
    F->ABThemaCombo->setCurrentIndex(5);
    TObjHinzuForm& d = *F->ObjHinzuForm;
    d.Fuelle(HinzuKandidaten(F->Dokument, ObjDaten));
    ASSERT_GT(d.HinzuListBox->count(), 31);
    d.KeineBtn->click();
    for (int i = 0; i < 31; ++i)
        d.HinzuListBox->item(i)->setCheckState(Qt::Checked);
    EXPECT_EQ(d.AnzCheckedLab->text(), QStringLiteral("31 ausgewählt"));
    d.show();
    d.OKBtn->click();
    EXPECT_TRUE(d.isVisible()); // stays open
    ASSERT_EQ(rec.entries().size(), 1);
    EXPECT_TRUE(rec.texts()[0].endsWith(QStringLiteral("Sie haben 1 Objekt(e) zu viel markiert.")));
    d.HinzuListBox->item(0)->setCheckState(Qt::Unchecked);
    d.OKBtn->click();
    EXPECT_FALSE(d.isVisible());
    UebernimmAuswahl(F->Dokument, ObjDaten, d.Gewaehlt());
    F->ZeigeArbeitsblatt(1);
    EXPECT_EQ(F->Dokument.Anzahl, 30);
    EXPECT_EQ(F->ABObjList->count(), 30);
    EXPECT_EQ(F->ABObjList->item(29)->text().left(5), QStringLiteral("30 - "));
}

TEST_F(AbFensterTest, ClipboardGetsTheMetafile)
{
    WaehleKarte("FRA");
    F->IndieZwischenablage1Click();
    const QMimeData* d = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(d);
    EXPECT_EQ(d->data(QString::fromLatin1(kEmfMimeTyp)), SchreibeEmf(*F->Seitenmetafile));
    EXPECT_TRUE(rec.entries().isEmpty());
}

TEST_F(AbFensterTest, OptionsDialog)
{
    WaehleKarte("FRA");
    TVoreinstForm& d = *F->VoreinstForm;
    ABVoreinstellungen v;
    v.MaxAnz = 25;
    d.Zeige(v, Aufgaben, store);
    EXPECT_EQ(d.MaxAnzCombo->currentText(), QStringLiteral("22"));
    EXPECT_EQ(d.AufgLab[1]->text(), QStringLiteral("&B - Nummern in Liste:"));
    d.KlasseBox->setChecked(false);
    d.accept();
    EXPECT_EQ(d.Werte().MaxAnz, 22);
    EXPECT_FALSE(d.Werte().KlasseZeile);
    EXPECT_FALSE(store.valueExists(QStringLiteral("AB-MaxAnz"))); // not ticked as default

    // "Als Standard festlegen" writes the key; "Standard laden" reads it at once.
    d.Zeige(v, Aufgaben, store);
    d.StandardBox->setChecked(true);
    d.TitelEdit->setText(QStringLiteral("Eigener Titel"));
    d.accept();
    EXPECT_EQ(store.readText(QStringLiteral("AB-TitelText")), QStringLiteral("Eigener Titel"));
    Voreinstellungen = ABVoreinstellungen{};
    d.Zeige(Voreinstellungen, Aufgaben, store);
    d.StdLadenBtn->click();
    d.reject();
    EXPECT_EQ(Voreinstellungen.TitelText, QStringLiteral("Eigener Titel"));
}

TEST_F(AbFensterTest, NoPrinter)
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "a printer is installed";
    WaehleKarte("FRA");
    QPrinter p;
    EXPECT_EQ(DruckerZeile(p), QStringLiteral("- Kein Drucker -"));
    EXPECT_FALSE(DruckeArbeitsblatt(p, *F->Seitenmetafile, TDruckWerte{}));
    ASSERT_EQ(rec.entries().size(), 1);
    EXPECT_TRUE(rec.texts()[0].startsWith(QLatin1String("Es ist kein Drucker vorhanden.")));
}

TEST_F(AbFensterTest, PrintDialogKeepsTheRatio)
{
    WaehleKarte("FRA");
    TDruckForm& d = *F->DruckForm;
    d.Zeige(TDruckWerte{}, 1001.0 / 1625.0, QPrinter());
    EXPECT_NEAR(d.Werte().By, 26.95, 0.01);
    d.SeitRatio->setChecked(false);
    d.SeitRatioClick();
    EXPECT_NEAR(d.Werte().By, 26.95, 0.01);
}

TEST_F(AbFensterTest, MissingPictureWarnsOnce)
{
    const QString alt = KartenVerz;
    KartenVerz = dir.path() + u'/';
    KartenCachePfad.clear();
    WaehleKarte("FRA");
    ASSERT_EQ(rec.entries().size(), 1);
    EXPECT_TRUE(rec.texts()[0].contains(QLatin1String("ohne Landkarte")));
    F->ABMischenBtnClick(); // redrawn: no second warning
    EXPECT_EQ(rec.entries().size(), 1);
    EXPECT_TRUE(F->Seitenmetafile);
    KartenVerz = alt;
}

double Leuchtdichte(QRgb c)
{
    auto k = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * k(qRed(c)) + 0.7152 * k(qGreen(c)) + 0.0722 * k(qBlue(c));
}

// The overview's description keeps its colour and stands on a backing of its own,
// wherever the page's size puts it on the artwork.
TEST_F(AbFensterTest, OverviewTextIsLegibleOnItsBacking)
{
    const QRgb Text = qRgb(207, 178, 182);
    for (QSize Groesse : {QSize(1280, 900), QSize(800, 560)}) {
        F->resize(Groesse);
        F->ZeigeKartenauswahl();
        for (auto& u : F->Uebersichten) {
            SCOPED_TRACE(u.Code.toStdString());
            const QImage Bild = u.Lab->grab().toImage();
            ASSERT_FALSE(Bild.isNull());
            const QRgb Hinten = Bild.pixel(1, 1);
            const double a = Leuchtdichte(Text), b = Leuchtdichte(Hinten);
            EXPECT_GE((std::max(a, b) + 0.05) / (std::min(a, b) + 0.05), 4.5);
        }
    }
}

// The label style has two hidden items, checked from the setting and written back when chosen.
TEST_F(AbFensterTest, HiddenLabelStyleItemsFollowTheSetting)
{
    ASSERT_TRUE(F->SchriftKontrastItem && F->SchriftNormalItem);
    EXPECT_FALSE(F->SchriftKontrastItem->isVisible());
    EXPECT_FALSE(F->SchriftNormalItem->isVisible());
    EXPECT_EQ(F->SchriftKontrastItem->isChecked(), F->Einst.Kontrast);
    F->SchriftNormalItem->trigger();
    EXPECT_FALSE(F->Einst.Kontrast);
    EXPECT_TRUE(F->SchriftNormalItem->isChecked());
    EXPECT_FALSE(F->SchriftKontrastItem->isChecked());
    F->SchriftKontrastItem->trigger();
    EXPECT_TRUE(F->Einst.Kontrast);
    EXPECT_TRUE(F->SchriftKontrastItem->isChecked());
}

} // namespace
} // namespace zl::ab
