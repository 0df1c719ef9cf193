// Map output and media inside the running main window (offscreen): the export command's
// extension rule and boxes, the clipboard items, printing to PDF, and sounds, videos and
// still pictures with every menu setting, through the media recorder.

#include "learning/mainwindow/widgets/zl_lernkarte.h"
#include "learning/mainwindow/widgets/zl_main.h"
#include "learning/mainwindow/widgets/zl_main_ausgabe.h"
#include "learning/mainwindow/widgets/zl_main_start.h"
#include "learning/mapview/widgets/zl_avi.h"
#include "learning/mapview/widgets/zl_melde.h"
#include "learning/mapview/zl_rueckmeldebild.h"
#include "learning/tools/widgets/zl_druck.h"

#include "MetafileLeser.h"
#include "PdfLesen.h"
#include "QtPrintTo.h"
#include "controls/HoverPanel.h"
#include "datastore/zl_data.h"
#include "fixtures/DataFolder.h"
#include "learning/mapview/widgets/zl_gestaltung.h"
#include "platform/Medien.h"
#include "platform/MessageService.h"
#include "platform/MetafileWriter.h"
#include "platform/SettingsStore.h"
#include "platform/widgets/QtMedien.h"
#include "tests/learning/KartivoTestStart.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace zl
{
namespace
{

const QString kMedien = QStringLiteral(ZL_MEDIEN_DIR);

class AusgabeFenster : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_prog = m_dir.path() + QStringLiteral("/Kartivo/");
        ASSERT_TRUE(fixtures::writeMinimalDataFolder(m_prog));
        for (const QString& Ordner : {QStringLiteral("ZL-Sound/"), QStringLiteral("ZL-Video/")}) {
            for (const QString& Name : QDir(kMedien + Ordner).entryList(QDir::Files))
                ASSERT_TRUE(QFile::copy(kMedien + Ordner + Name, m_prog + Ordner + Name));
        }
        KomModus = -1;
        m_k = test::StarteKartivo(m_prog, m_store);
        ASSERT_TRUE(m_k);
        F = m_k->Hauptfenster();
        ASSERT_TRUE(F && AVIForm);
        F->Zustand.AktKartID = QStringLiteral("DEU");
        F->SetzeZoom(0);
        F->ZeigeLernkarte();
        Boxen.clear();
    }

    QString Datei(const QString& Name) const { return m_dir.filePath(Name); }

    ScopedMessageRecorder Boxen;
    QTemporaryDir m_dir;
    QString m_prog;
    MemorySettingsStore m_store;
    std::unique_ptr<TKartivo> m_k;
    TForm1* F = nullptr;
};

TEST_F(AusgabeFenster, ExportGoesByTheExtensionAndNamesEveryFailure)
{
    // Any other extension: the box, nothing written, the cursor back.
    for (const char* Name : {"karte.png", "karte.jpeg", "karte"}) {
        Boxen.clear();
        EXPECT_FALSE(ExportiereDatei(*F, Datei(QString::fromLatin1(Name))));
        EXPECT_EQ(Boxen.texts(), QStringList{QStringLiteral("Export fehlgeschlagen wegen ungültiger Dateiendung.")});
        EXPECT_FALSE(QFile::exists(Datei(QString::fromLatin1(Name))));
    }
    Boxen.clear();
    for (const char* Name : {"karte.BMP", "karte.jpg", "karte.WmF", "karte.emf"}) {
        EXPECT_TRUE(ExportiereDatei(*F, Datei(QString::fromLatin1(Name)))) << Name;
        EXPECT_GT(QFile(Datei(QString::fromLatin1(Name))).size(), 1000) << Name;
        EXPECT_FALSE(QGuiApplication::overrideCursor());
    }
    EXPECT_TRUE(Boxen.texts().isEmpty()) << Boxen.texts().join(u'\n').toStdString();
    EXPECT_EQ(QImage(Datei(QStringLiteral("karte.BMP"))).size(), QSize(fixtures::kGrossBreite, fixtures::kGrossHoehe));

    // An unwritable target: the box, no success, the cursor back.
    EXPECT_FALSE(ExportiereDatei(*F, Datei(QStringLiteral("fehlt/karte.emf"))));
    EXPECT_EQ(Boxen.texts(), QStringList{QStringLiteral("Datei-Schreibfehler! (3)")});
    EXPECT_FALSE(QGuiApplication::overrideCursor());
    // No picture at all.
    Boxen.clear();
    F->Zustand.AktKartID = QStringLiteral("XYZ");
    EXPECT_FALSE(ExportiereDatei(*F, Datei(QStringLiteral("leer.bmp"))));
    EXPECT_EQ(Boxen.entries().size(), 1);
    EXPECT_FALSE(QFile::exists(Datei(QStringLiteral("leer.bmp"))));
    EXPECT_FALSE(QGuiApplication::overrideCursor());
}

TEST_F(AusgabeFenster, OutputReadsTheScreensState)
{
    F->SetzeZoom(4);
    F->Zustand.LernIntensitaet = 1;
    F->Zustand.FontFakIndex = 2;
    const TKartenausgabe A = AktuelleKartenausgabe(*F);
    EXPECT_EQ(A.KartID, QStringLiteral("DEU"));
    EXPECT_EQ(A.Ausschnitt, F->Zustand.Viewport.Ausschnitt);
    EXPECT_DOUBLE_EQ(A.ZoomFaktor, 2.0);
    EXPECT_EQ(A.Beschriftung.LernIntensitaet, 1);
    EXPECT_EQ(A.Beschriftung.FontFakIndex, 2);
    EXPECT_EQ(A.Beschriftung.Ebenen, F->LernkarteAnsicht->Ebenen());
    // The export is the part of the large picture on screen, in its pixels.
    int W = 0, H = 0, Bytes = 0;
    ErmittleExportgroesse(A, W, H, Bytes);
    const TRect& R = A.Ausschnitt;
    EXPECT_EQ(W, qRound((R.Right - R.Left) / 10000.0 * fixtures::kGrossBreite));
    EXPECT_EQ(H, qRound((R.Bottom - R.Top) / 10000.0 * fixtures::kGrossHoehe));
    EXPECT_LT(W, fixtures::kGrossBreite);
}

TEST_F(AusgabeFenster, ClipboardItemsCopyTheSection)
{
    F->IndieZwischenablageBMP->setEnabled(true);
    F->IndieZwischenablageBMP->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(fixtures::kGrossBreite, fixtures::kGrossHoehe));
    F->IndieZwischenablageEMF->setEnabled(true);
    F->IndieZwischenablageEMF->trigger();
    const QMimeData* d = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(d);
    EXPECT_EQ(d->data(QString::fromLatin1(kEmfMimeTyp)).mid(40, 4), QByteArray(" EMF"));
    EXPECT_TRUE(Boxen.texts().isEmpty()) << Boxen.texts().join(u'\n').toStdString();
}

TEST_F(AusgabeFenster, PrintsTheSectionInTenthsOfAMillimetre)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        GTEST_SKIP() << "pdftoppm not installed";
    QPrinter Drucker(QPrinter::HighResolution);
    Drucker.setOutputFormat(QPrinter::PdfFormat);
    Drucker.setOutputFileName(Datei(QStringLiteral("karte.pdf")));
    Drucker.setPageSize(QPageSize(QPageSize::A4));
    Drucker.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    // 20 mm from the left and top, 120 x 90 mm.
    ASSERT_TRUE(DruckeKarte(*F, Drucker, QRect(200, 200, 1200, 900)));
    EXPECT_TRUE(Boxen.texts().isEmpty()) << Boxen.texts().join(u'\n').toStdString();
    EXPECT_FALSE(MeldForm && MeldForm->isVisible());
    const QImage Seite = test::PdfSeitenbild(Datei(QStringLiteral("karte.pdf")), 1, 50.8, m_dir.path())
                             .convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(Seite.isNull());
    // Two pixels per millimetre: the frame at 40 px, white outside, the map inside.
    EXPECT_TRUE(test::Nahe(Seite.pixelColor(30, 100), Qt::white, 10));
    EXPECT_TRUE(test::Nahe(Seite.pixelColor(40, 100), Qt::black, 60));
    EXPECT_TRUE(test::Nahe(Seite.pixelColor(100, 40), Qt::black, 60));
    EXPECT_TRUE(test::Nahe(Seite.pixelColor(280, 100), Qt::black, 60));
    EXPECT_TRUE(test::Nahe(Seite.pixelColor(290, 100), Qt::white, 10));
    const QColor Mitte = Seite.pixelColor(160, 130);
    EXPECT_NEAR(Mitte.blue(), fixtures::blueOf(QStringLiteral("RS")), 30);
    EXPECT_NEAR(Mitte.red(), 128, 40);
}

TEST_F(AusgabeFenster, PrintingWithoutAPrinterSaysSo)
{
    QPrinter Drucker; // native output, no printer installed in the test environment
    Drucker.setPrinterName(QString());
    if (Drucker.isValid() && !Drucker.printerName().isEmpty())
        GTEST_SKIP() << "a printer is installed";
    EXPECT_FALSE(DruckeKarte(*F, Drucker, QRect(200, 200, 1000, 750)));
    ASSERT_EQ(Boxen.entries().size(), 1);
    EXPECT_FALSE(Boxen.texts().constFirst().isEmpty());
}

TEST_F(AusgabeFenster, PrintingRefusesAnEmptyBoxAndAMissingPicture)
{
    QPrinter Drucker(QPrinter::HighResolution);
    Drucker.setOutputFormat(QPrinter::PdfFormat);
    Drucker.setOutputFileName(Datei(QStringLiteral("leer.pdf")));
    // An empty box is refused before any job starts.
    for (const QRect& Box : {QRect(200, 200, 0, 900), QRect(200, 200, 1200, -5)}) {
        Boxen.clear();
        EXPECT_FALSE(DruckeKarte(*F, Drucker, Box));
        EXPECT_EQ(Boxen.texts(), QStringList{QStringLiteral("Breite und Höhe müssen größer als 0 sein.")});
        EXPECT_FALSE(QFile::exists(Datei(QStringLiteral("leer.pdf"))));
    }
    // No picture at all: one box, after the wait message has gone.
    Boxen.clear();
    F->Zustand.AktKartID = QStringLiteral("XYZ");
    EXPECT_FALSE(DruckeKarte(*F, Drucker, QRect(200, 200, 1200, 900)));
    EXPECT_EQ(Boxen.entries().size(), 1);
    EXPECT_FALSE(MeldForm && MeldForm->isVisible());
    EXPECT_FALSE(QGuiApplication::overrideCursor());
}

TEST_F(AusgabeFenster, PrintItemsOpenTheirDialogsOnce)
{
    ASSERT_TRUE(DruckForm);
    ASSERT_TRUE(F->Drucken1->isEnabled() && F->Druckereinrichtung1->isEnabled());
    int Druckdialoge = 0;
    const std::function<int()> Modal = DruckForm->ZeigeModal;
    DruckForm->ZeigeModal = [&Druckdialoge] {
        ++Druckdialoge;
        return int(QDialog::Rejected);
    };
    F->Drucken1->trigger();
    DruckForm->ZeigeModal = Modal;
    EXPECT_EQ(Druckdialoge, 1);
    // The set-up dialog is closed as soon as it is up, and counted.
    int Einrichtungen = 0;
    QTimer Schliesser;
    Schliesser.setInterval(10);
    QObject::connect(&Schliesser, &QTimer::timeout, [&Einrichtungen] {
        if (auto* d = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
            ++Einrichtungen;
            d->reject();
        }
    });
    Schliesser.start();
    F->Druckereinrichtung1->trigger();
    Schliesser.stop();
    EXPECT_EQ(Einrichtungen, 1);
}

// ---- media ----------------------------------------------------------------------------

TEST_F(AusgabeFenster, SoundsPlayOnlyWhileSoundIsChecked)
{
    TMedienRecorderBereich M;
    F->Sound1->setChecked(false);
    SpieleRichtigTon();
    EXPECT_EQ(M.Protokoll(), QStringList{QStringLiteral("Stopp")});
    QFile::remove(m_prog + QStringLiteral("ZL-Sound/Falsch1.wav"));
    SpieleFalschTon();
    EXPECT_TRUE(Boxen.entries().isEmpty());

    M.Leeren();
    F->Sound1->setChecked(true);
    SpieleRichtigTon();
    SpieleHoverTon();
    SpieleSound(QStringLiteral("Richtig1"), true);
    SpieleSound(QStringLiteral("Hover1.mp3"), true, true);
    EXPECT_EQ(M.Protokoll(), (QStringList{QStringLiteral("Stopp"), QStringLiteral("Sound Richtig1.wav"),
                                          QStringLiteral("Stopp"), QStringLiteral("Sound Hover1.wav"),
                                          QStringLiteral("Stopp"), QStringLiteral("Sound Richtig1.wav (synchron)"),
                                          QStringLiteral("Stopp"), QStringLiteral("Sound Hover1.wav (Schleife)")}));
    EXPECT_TRUE(Boxen.entries().isEmpty());
    // A missing file: the box with the name as given, nothing played.
    M.Leeren();
    SpieleFalschTon();
    EXPECT_EQ(Boxen.texts(), QStringList{QStringLiteral("Sounddatei Falsch1.wav nicht gefunden.")});
    EXPECT_TRUE(M.Protokoll().isEmpty());
}

TEST_F(AusgabeFenster, MediaFilesAreLookedUpByTheirRules)
{
    const QString Richtig = m_prog + QStringLiteral("ZL-Sound/Richtig1.wav");
    EXPECT_EQ(SoundDateiPfad(QStringLiteral("Richtig1.wav")), Richtig);
    EXPECT_EQ(SoundDateiPfad(QStringLiteral("Richtig1")), Richtig);
    EXPECT_EQ(SoundDateiPfad(QStringLiteral("Richtig1.avi")), Richtig);
    EXPECT_EQ(SoundDateiPfad(QStringLiteral("richtig1.WAV")).toLower(), Richtig.toLower());
    EXPECT_TRUE(SoundDateiPfad(QStringLiteral("Fehlt.wav")).isEmpty());
    // A folder part is taken as it is, not the media folder.
    const QString Anderswo = Datei(QStringLiteral("eigen.wav"));
    ASSERT_TRUE(QFile::copy(Richtig, Anderswo));
    EXPECT_EQ(SoundDateiPfad(Datei(QStringLiteral("eigen.mp3"))), Anderswo);
    EXPECT_TRUE(SoundDateiPfad(QStringLiteral("eigen.wav")).isEmpty());
    EXPECT_TRUE(SoundDateiPfad(m_prog + QStringLiteral("Richtig1.wav")).isEmpty());
    EXPECT_EQ(VideoDateiPfad(QStringLiteral("VRichtig1")), m_prog + QStringLiteral("ZL-Video/VRichtig1.avi"));

    EXPECT_TRUE(VideosVorhanden());
    EXPECT_TRUE(F->VideosVorhanden());
    QFile::remove(m_prog + QStringLiteral("ZL-Video/VFalsch1.avi"));
    EXPECT_FALSE(VideosVorhanden());
}

TEST_F(AusgabeFenster, VideosPlayInTheWindowAtTheTopRight)
{
    TMedienRecorderBereich M;
    const QImage Bild = RueckmeldeBild(true, 0.5, QSize(136, 136));
    M.VideoBilder = {Bild};
    bool Sichtbar = false;
    QPoint Ort;
    QImage Gezeigt;
    M.BeiAufruf = [&](const TMedienRecorder::Aufruf&) {
        Sichtbar = AVIForm->isVisible();
        Ort = AVIForm->pos();
        Gezeigt = AVIForm->AVIPan->Bild;
    };
    // Deactivated: no window, no box, even for a missing clip.
    F->Animation_ausClick();
    QFile::remove(m_prog + QStringLiteral("ZL-Video/VFalsch1.avi"));
    SpieleRichtigVideo();
    SpieleFalschVideo();
    EXPECT_TRUE(M.Protokoll().isEmpty());
    EXPECT_TRUE(Boxen.entries().isEmpty());

    F->Animation_ein->setChecked(true);
    F->Sound1->setChecked(true);
    SpieleRichtigVideo();
    F->Sound1->setChecked(false);
    SpieleRichtigVideo();
    EXPECT_EQ(M.Protokoll(),
              (QStringList{QStringLiteral("Video VRichtig1snd.avi"), QStringLiteral("Video VRichtig1.avi")}));
    EXPECT_TRUE(Sichtbar);
    const QRect m = F->frameGeometry();
    EXPECT_EQ(Ort, QPoint(m.left() + m.width() - AVIForm->width() - 10, m.top() + 20));
    EXPECT_EQ(Gezeigt, Bild);
    EXPECT_FALSE(AVIForm->isVisible());
    EXPECT_EQ(AVIForm->size(), QSize(139, 139));
    EXPECT_TRUE(Boxen.entries().isEmpty());

    // A missing clip and a clip the player cannot play: their boxes.
    M.Leeren();
    SpieleFalschVideo();
    EXPECT_EQ(Boxen.texts(), QStringList{QStringLiteral("Videodatei VFalsch1.avi nicht gefunden.")});
    EXPECT_TRUE(M.Protokoll().isEmpty());
    Boxen.clear();
    M.VideoOk = false;
    M.VideoFehler = QStringLiteral("kaputt");
    SpieleRichtigVideo();
    EXPECT_EQ(Boxen.texts(), QStringList{QStringLiteral("kaputt")});
    EXPECT_FALSE(AVIForm->isVisible());
}

TEST_F(AusgabeFenster, StillPicturesStandForOneAndAHalfSeconds)
{
    TMedienRecorderBereich M;
    bool BildSichtbar = false;
    M.BeiAufruf = [&](const TMedienRecorder::Aufruf&) {
        BildSichtbar =
            AVIForm->isVisible() && AVIForm->AVIImg->isVisible() && AVIForm->AVIImg->Picture == ZLFalschImg1();
    };
    F->Animation_ein->setChecked(true);
    ZeigeFalschStandbild();
    EXPECT_TRUE(M.Protokoll().isEmpty());
    F->Animation_Standbild->setChecked(true);
    ZeigeFalschStandbild();
    EXPECT_EQ(M.Protokoll(), QStringList{QStringLiteral("Warten 1500")});
    EXPECT_TRUE(BildSichtbar);
    EXPECT_FALSE(AVIForm->isVisible());
    EXPECT_NE(ZLRichtigImg1(), ZLFalschImg1());
    EXPECT_EQ(ZLRichtigImg1().size(), QSize(137, 137));
}

TEST_F(AusgabeFenster, ContinueButtonClosesTheModalWindow)
{
    AVIForm->WeiterBtn->show();
    QTimer::singleShot(0, AVIForm, [] { AVIForm->WeiterBtnClick(); });
    EXPECT_EQ(AVIForm->exec(), QDialog::Accepted);
    EXPECT_FALSE(AVIForm->WeiterBtn->isVisibleTo(AVIForm));
    EXPECT_EQ(AVIForm->WeiterBtn->Caption(), QStringLiteral("&Weiter"));
}

// A file that starts as an AVI clip and holds nothing a decoder can read.
void SchreibeKaputtesVideo(const QString& Pfad)
{
    QFile f(Pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QByteArray("RIFF\x10\x00\x00\x00"
                       "AVI LIST",
                       16) +
            QByteArray(4000, '\x5a'));
}

// The real back end with an audio output (where the machine has none, GStreamer's stand-in
// sink): a bundled sound and a clip play to their end, a damaged clip ends with an error
// instead of hanging.
TEST(QtMedien, BundledMediaPlayToTheirEnd)
{
    TQtMedienDienst Qt;
    Qt.AudioAusgabeVorhanden = [] { return true; };
    QElapsedTimer Uhr;
    Uhr.start();
    Qt.SpieleSound(kMedien + QStringLiteral("ZL-Sound/Richtig1.wav"), true, false);
    EXPECT_GE(Uhr.elapsed(), 300);
    EXPECT_LT(Uhr.elapsed(), 10000);
    Qt.SpieleSound(kMedien + QStringLiteral("ZL-Sound/Hover1.wav"), false, true);
    Qt.StoppeSound();

    int Bilder = 0;
    QSize Groesse;
    QString Fehler;
    EXPECT_TRUE(Qt.SpieleVideo(
        kMedien + QStringLiteral("ZL-Video/VRichtig1snd.avi"),
        [&](const QImage& b) {
            ++Bilder;
            Groesse = b.size();
        },
        &Fehler))
        << Fehler.toStdString();
    EXPECT_GE(Bilder, 10);
    EXPECT_EQ(Groesse, QSize(136, 136));

    QTemporaryDir Dir;
    const QString Kaputt = Dir.filePath(QStringLiteral("kaputt.avi"));
    SchreibeKaputtesVideo(Kaputt);
    Qt.LadeGrenzeMs = 3000;
    Uhr.restart();
    Fehler.clear();
    EXPECT_FALSE(Qt.SpieleVideo(Kaputt, {}, &Fehler));
    EXPECT_FALSE(Fehler.isEmpty());
    EXPECT_LT(Uhr.elapsed(), 8000);
}

// Without an audio output the sounds are skipped at once, a clip with sound plays its
// pictures to the end, and a damaged clip is still an error.
TEST(QtMedien, WithoutAudioOutputClipsPlaySilentlyAndSoundsAreSkipped)
{
    TQtMedienDienst Qt;
    Qt.AudioAusgabeVorhanden = [] { return false; };
    QElapsedTimer Uhr;
    Uhr.start();
    // Richtig1.wav lasts longer than 300 ms: played synchronously it would be waited for.
    Qt.SpieleSound(kMedien + QStringLiteral("ZL-Sound/Richtig1.wav"), true, false);
    Qt.SpieleSound(kMedien + QStringLiteral("ZL-Sound/Hover1.wav"), false, true);
    Qt.StoppeSound();
    EXPECT_LT(Uhr.elapsed(), 300);

    for (const char* Clip : {"VRichtig1snd.avi", "VFalsch1snd.avi"}) {
        SCOPED_TRACE(Clip);
        int Bilder = 0;
        QString Fehler;
        EXPECT_TRUE(Qt.SpieleVideo(
            kMedien + QStringLiteral("ZL-Video/") + QLatin1String(Clip), [&](const QImage&) { ++Bilder; }, &Fehler))
            << Fehler.toStdString();
        EXPECT_GE(Bilder, 10);
    }

    QTemporaryDir Dir;
    const QString Kaputt = Dir.filePath(QStringLiteral("kaputt.avi"));
    SchreibeKaputtesVideo(Kaputt);
    Qt.LadeGrenzeMs = 3000;
    QString Fehler;
    EXPECT_FALSE(Qt.SpieleVideo(Kaputt, {}, &Fehler));
    EXPECT_TRUE(Fehler.startsWith(QStringLiteral("Das Video ") + Kaputt + QLatin1Char(' '))) << Fehler.toStdString();
}

// The first right answer with clips and sound on, on a computer without audio output: the
// clip with sound plays and no box comes; a clip that cannot be decoded keeps its box.
TEST_F(AusgabeFenster, WithoutAudioOutputFeedbackClipsPlayWithoutABox)
{
    TQtMedienDienst Qt;
    Qt.AudioAusgabeVorhanden = [] { return false; };
    Qt.LadeGrenzeMs = 3000;
    struct Bereich {
        TMedienDienst* Vorher;
        ~Bereich() { setzeMedienDienst(Vorher); }
    } Dienst{setzeMedienDienst(&Qt)};
    F->Animation_ein->setChecked(true);
    F->Sound1->setChecked(true);
    SpieleRichtigVideo();
    SpieleRichtigTon();
    SpieleFalschTon();
    EXPECT_TRUE(Boxen.entries().isEmpty()) << Boxen.texts().join(u'\n').toStdString();
    EXPECT_FALSE(AVIForm->isVisible());

    SchreibeKaputtesVideo(m_prog + QStringLiteral("ZL-Video/VFalsch1snd.avi"));
    SpieleFalschVideo();
    ASSERT_EQ(Boxen.entries().size(), 1);
    EXPECT_TRUE(Boxen.texts().constFirst().startsWith(QStringLiteral("Das Video ") + m_prog +
                                                      QStringLiteral("ZL-Video/VFalsch1snd.avi ")))
        << Boxen.texts().constFirst().toStdString();
}

} // namespace
} // namespace zl
