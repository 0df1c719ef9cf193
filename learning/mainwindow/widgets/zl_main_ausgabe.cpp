#include "learning/mainwindow/widgets/zl_main_ausgabe.h"

#include "controls/DrucSpez.h"
#include "datastore/JpegDatei.h"
#include "datastore/Objektdaten.h"
#include "learning/mainwindow/widgets/zl_lernkarte.h"
#include "learning/mainwindow/widgets/zl_main.h"
#include "learning/mainwindow/zl_einstellungen.h"
#include "learning/tools/widgets/zl_druck.h"
#include "learning/tools/widgets/zl_drucker.h"
#include "platform/MessageService.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QPrinter>

namespace zl
{

namespace
{

// The hourglass while an output runs, taken back however it ends.
struct Sanduhr {
    Sanduhr() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Sanduhr() { QGuiApplication::restoreOverrideCursor(); }
    Sanduhr(const Sanduhr&) = delete;
    Sanduhr& operator=(const Sanduhr&) = delete;
};

bool melde(bool Ok, const QString& Fehler)
{
    if (!Ok)
        ZeigeFehler(Fehler);
    return Ok;
}

} // namespace

TKartenausgabe AktuelleKartenausgabe(const TForm1& Form)
{
    const HauptfensterZustand& Z = Form.Zustand;
    TKartenausgabe A;
    A.KartID = Z.AktKartID;
    A.KartTyp = KartTyp.isEmpty() ? QStringLiteral("RS") : KartTyp;
    A.Ausschnitt = Z.Viewport.Ausschnitt;
    A.ZoomFaktor = Z.Viewport.ZoomFaktor;
    TBeschriftungsZustand& B = A.Beschriftung;
    B.Objekte = &ObjDaten;
    B.AktKartID = Z.AktKartID;
    B.LernIntensitaet = Z.LernIntensitaet;
    B.FontFakIndex = Z.FontFakIndex;
    B.Kartenschrift = Z.Kartenschrift;
    B.Ansichtsmodus = Z.Ansichtsmodus;
    if (Form.LernkarteAnsicht)
        B.Ebenen = Form.LernkarteAnsicht->Ebenen();
    return A;
}

void VerbindeAusgabe(TForm1& Form)
{
    QObject::connect(Form.Exportieren1, &QAction::triggered, &Form, [&Form] { Exportieren1Click(Form); });
    QObject::connect(Form.IndieZwischenablageEMF, &QAction::triggered, &Form, [&Form] { KopiereKarteEMF(Form); });
    QObject::connect(Form.IndieZwischenablageBMP, &QAction::triggered, &Form, [&Form] { KopiereKarteBMP(Form); });
    QObject::connect(Form.Drucken1, &QAction::triggered, &Form, [&Form] { Form.Drucken1Click(); });
    QObject::connect(Form.Druckereinrichtung1, &QAction::triggered, &Form,
                     [&Form] { Form.Druckereinrichtung1Click(); });
}

void TForm1::Drucken1Click()
{
    if (DruckForm)
        DruckForm->ZeigeModal();
}

void TForm1::Druckereinrichtung1Click()
{
    DruckerEinrichten(this);
}

bool TForm1::DruckeKarte(QPrinter& Drucker, const QRect& Box, const QRectF& Flaeche)
{
    return zl::DruckeKarte(*this, Drucker, Box, Flaeche);
}

void Exportieren1Click(TForm1& Form)
{
    QFileDialog SaveWMF(&Form, QStringLiteral("Landkarte exportieren"));
    SaveWMF.setObjectName(QStringLiteral("SaveWMF"));
    SaveWMF.setAcceptMode(QFileDialog::AcceptSave);
    SaveWMF.setNameFilters({QStringLiteral("Enhanced Metafile (*.emf)"), QStringLiteral("Metafile (*.wmf)"),
                            QStringLiteral("JPEG (*.jpg)"), QStringLiteral("Bitmap (*.bmp)"),
                            QStringLiteral("Alle Dateien (*.*)")});
    SaveWMF.setDefaultSuffix(QStringLiteral("emf"));
    SaveWMF.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (SaveWMF.exec() != QDialog::Accepted || SaveWMF.selectedFiles().isEmpty())
        return;
    ExportiereDatei(Form, SaveWMF.selectedFiles().constFirst());
}

bool ExportiereDatei(TForm1& Form, const QString& Datei)
{
    const TExportArt Art = ExportArtFuerName(Datei);
    if (Art == TExportArt::Ungueltig || Datei.isEmpty())
        return melde(false, UngueltigeEndungText());
    const TKartenausgabe A = AktuelleKartenausgabe(Form);
    QString Fehler;
    bool Ok = false;
    {
        Sanduhr s;
        Ok = Art == TExportArt::Metafile ? ExportiereMetafile(A, Datei, Fehler)
                                         : ExportiereBitmap(A, Datei, Art == TExportArt::Jpeg, Fehler);
    }
    return melde(Ok, Fehler);
}

bool KopiereKarteEMF(TForm1& Form)
{
    QString Fehler;
    bool Ok = false;
    {
        Sanduhr s;
        Ok = ExportiereMetafile(AktuelleKartenausgabe(Form), QString(), Fehler);
    }
    return melde(Ok, Fehler);
}

bool KopiereKarteBMP(TForm1& Form)
{
    QString Fehler;
    bool Ok = false;
    {
        Sanduhr s;
        Ok = ExportiereBitmap(AktuelleKartenausgabe(Form), QString(), false, Fehler);
    }
    return melde(Ok, Fehler);
}

bool DruckeKarte(const TForm1& Form, QPrinter& Drucker, const QRect& Box, const QRectF& Flaeche)
{
    if (Box.width() <= 0 || Box.height() <= 0)
        return melde(false, QStringLiteral("Breite und Höhe müssen größer als 0 sein."));
    // No printer: the box comes before the wait message and the hourglass.
    if (!DruckerBereit(Drucker))
        return false;
    const TKartenausgabe A = AktuelleKartenausgabe(Form);
    QString Fehler;
    {
        Sanduhr s;
        TDruckauftrag Auftrag(Drucker);
        if (!Auftrag.Beginne())
            return false;
        int L = Box.left(), T = Box.top();
        if (!KorrigiereDruckRaender(Drucker, L, T)) // also the 0.1-mm-per-dot factors
            return false;
        try {
            ZeichneKartenausschnitt(A, true, Auftrag.Canvas(), L, T, Box.width(), Box.height(),
                                    DruckerZehntelProPixelX(), DruckerZehntelProPixelY(), Flaeche);
            return Auftrag.Beende();
        } catch (const EBildFehler& e) {
            Fehler = e.message();
        }
        // A job with nothing drawn is abandoned with the wait message, not printed as a
        // blank page.
    }
    return melde(false, Fehler);
}

} // namespace zl
