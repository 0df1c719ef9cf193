// Files and output of Foliavo's main window: opening and saving worksheets, printing, the
// export to BMP, JPEG, WMF and EMF, and the clipboard. Every output replays the page metafile
// drawn last.

#include "worksheet/widgets/ab_main.h"

#include "controls/DrucSpez.h"
#include "platform/MessageService.h"
#include "platform/MetafileWriter.h"
#include "worksheet/ab_data.h"
#include "worksheet/ab_datei.h"
#include "worksheet/ab_seite.h"
#include "worksheet/widgets/ab_druckform.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSaveFile>

namespace zl::ab
{

namespace
{

const QString kZlaFilter = QStringLiteral("ZL Arbeitsblatt (*.zla)|*.zla|Alle Dateien (*.*)|*.*");

// The one printer of the run: the system's default one.
QPrinter& Drucker()
{
    static QPrinter p(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    return p;
}

bool SpeichereBild(const QImage& Bild, const QString& Pfad, const char* Format, int Qualitaet, QString& Fehler)
{
    QSaveFile f(Pfad);
    if (!f.open(QIODevice::WriteOnly)) {
        Fehler = f.errorString();
        return false;
    }
    QImageWriter w(&f, Format);
    if (Qualitaet >= 0)
        w.setQuality(Qualitaet);
    if (!w.write(Bild)) {
        Fehler = w.errorString();
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        Fehler = f.errorString();
        return false;
    }
    return true;
}

} // namespace

QString TForm1::frageDatei(const TDateiAuswahl& a)
{
    if (Dateiwahl)
        return Dateiwahl(a);
    const QString filter = DateiFilterListe(a.Filter).join(QLatin1String(";;"));
    const QString start = a.Verzeichnis + a.Name;
    QString datei = a.Speichern ? QFileDialog::getSaveFileName(this, a.Titel, start, filter)
                                : QFileDialog::getOpenFileName(this, a.Titel, start, filter);
    if (!datei.isEmpty() && a.Speichern && QFileInfo(datei).suffix().isEmpty() && !a.Erweiterung.isEmpty())
        datei += u'.' + a.Erweiterung;
    return datei;
}

void TForm1::Oeffnen1Click()
{
    if (!SchliesseEditor())
        return;
    ABOeffnenBtn->setDown(true);
    const QString datei = frageDatei(
        {false, QStringLiteral("Arbeitsblatt öffnen"), kZlaFilter, ArbeitsblattVerz, QString(), QStringLiteral("zla")});
    ABOeffnenBtn->setDown(false);
    if (!datei.isEmpty())
        OeffneArbeitsblattDatei(datei);
}

bool TForm1::OeffneArbeitsblattDatei(const QString& Pfad)
{
    if (!OeffneArbeitsblatt(Pfad, Dokument))
        return false;
    ArbeitsblattDatei = Pfad;
    MarkiereKartTyp();
    ZeigeArbeitsblatt(1);
    return true;
}

void TForm1::Speichern1Click()
{
    if (ArbeitsblattDatei.isEmpty())
        SpeichernUnter1Click();
    else
        SpeichereArbeitsblatt(ArbeitsblattDatei);
}

void TForm1::SpeichernUnter1Click()
{
    const QString datei =
        frageDatei({true, QStringLiteral("Arbeitsblatt speichern unter"), kZlaFilter, ArbeitsblattVerz,
                    QFileInfo(ArbeitsblattDatei).fileName(), QStringLiteral("zla")});
    if (!datei.isEmpty())
        SpeichereArbeitsblatt(datei);
}

bool TForm1::SpeichereArbeitsblatt(const QString& Pfad)
{
    Dokument.Vorein = Voreinstellungen;
    Dokument.ObjDatei = ObjDatei;
    if (!SchreibeArbeitsblatt(Pfad, Dokument))
        return false;
    ArbeitsblattDatei = Pfad;
    SetzeTitel();
    return true;
}

void TForm1::Drucken1Click()
{
    if (!DruckForm || !Seitenmetafile)
        return;
    const QSize g = Seitenmetafile->Groesse();
    DruckForm->OnEinrichten = [this] {
        Druckereinrichtung1Click();
        DruckForm->ZeigeDrucker(Drucker());
    };
    DruckForm->Zeige(Einst.Druck, double(g.width()) / g.height(), Drucker());
    if (DruckForm->exec() != QDialog::Accepted)
        return;
    Einst.Druck = DruckForm->Werte();
    SchreibeEinstellungen();
    DruckeArbeitsblatt(Drucker(), *Seitenmetafile, Einst.Druck);
}

void TForm1::Druckereinrichtung1Click()
{
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        ZeigeFehler(KeinDruckerText());
        return;
    }
    QPrintDialog d(&Drucker(), this);
    d.setWindowTitle(QStringLiteral("Druckereinrichtung"));
    d.exec();
}

void TForm1::Exportieren1Click()
{
    const QString datei =
        frageDatei({true, QStringLiteral("Arbeitsblatt exportieren"),
                    QStringLiteral("Enhanced Metafile (*.emf)|*.emf|Metafile (*.wmf)|*.wmf|JPEG (*.jpg)|*.jpg|Bitmap "
                                   "(*.bmp)|*.bmp|Alle Dateien (*.*)|*.*"),
                    ArbeitsblattVerz, QString(), QStringLiteral("emf")});
    if (!datei.isEmpty())
        ExportiereNach(datei);
}

bool TForm1::ExportiereNach(const QString& Pfad)
{
    if (!Seitenmetafile)
        return false;
    const QString endung = u'.' + QFileInfo(Pfad).suffix().toUpper();
    QString fehler;
    bool ok = false;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    if (endung == u".BMP" || endung == u".JPG") {
        const bool jpeg = endung == u".JPG";
        ok = SpeichereBild(Exportbild(*Seitenmetafile), Pfad, jpeg ? "JPEG" : "BMP", jpeg ? 99 : -1, fehler);
    } else if (endung == u".WMF" || endung == u".EMF") {
        ok = SpeichereMetafile(*Seitenmetafile, Pfad, &fehler);
    } else {
        QGuiApplication::restoreOverrideCursor();
        ZeigeFehler(QStringLiteral("Export fehlgeschlagen wegen ungültiger Dateinamenserweiterung."));
        return false;
    }
    QGuiApplication::restoreOverrideCursor();
    if (!ok)
        ZeigeFehler(QStringLiteral("Export fehlgeschlagen: ") + QDir::toNativeSeparators(Pfad) +
                    QLatin1String("\r\n\r\n") + fehler);
    return ok;
}

void TForm1::IndieZwischenablage1Click()
{
    if (!Seitenmetafile)
        return;
    QString fehler;
    QMimeData* daten = MetafileMimeDaten(*Seitenmetafile, &fehler);
    if (!daten) {
        ZeigeFehler(QStringLiteral("Das Arbeitsblatt konnte nicht in die Zwischenablage kopiert werden.") +
                    QLatin1String("\r\n\r\n") + fehler);
        return;
    }
    QGuiApplication::clipboard()->setMimeData(daten);
}

} // namespace zl::ab
