#include "learning/mapview/widgets/zl_avi.h"

#include "controls/HoverPanel.h"
#include "datastore/zl_data.h"
#include "learning/mapview/widgets/zl_gestaltung.h"
#include "learning/mapview/zl_hauptfensterhost.h"
#include "learning/mapview/zl_rahmen.h"
#include "learning/mapview/zl_rueckmeldebild.h"
#include "platform/FileAccess.h"
#include "platform/MessageService.h"
#include "platform/widgets/QtMedien.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QPainter>

namespace zl
{

namespace
{

// The option item of the main window is checked; without a main window nothing plays.
bool Gesetzt(TOptionsPunkt Punkt)
{
    return AVIForm && AVIForm->Host && AVIForm->Host->Gewaehlt(Punkt);
}

// The name with its extension replaced (or added), looked up in the folder unless it names
// one itself; empty when the file does not exist.
QString MedienPfad(const QString& Name, const QString& Endung, const QString& Verz)
{
    const QFileInfo info(Name);
    const QString Basis = info.suffix().isEmpty() && !Name.endsWith(u'.') ? Name : Name.left(Name.lastIndexOf(u'.'));
    const QString Datei = Basis + Endung;
    const bool MitOrdner = Datei.contains(u'/') || Datei.contains(u'\\');
    const QString Pfad = resolvePath(MitOrdner ? Datei : Verz + Datei);
    return QFileInfo(Pfad).isFile() ? Pfad : QString();
}

void ZeigeFenster()
{
    AVIForm->Platziere();
    AVIForm->show();
    if (AVIForm->Host)
        AVIForm->Host->Hauptfenster()->activateWindow();
    AVIForm->AVIPan->show();
}

void SchliesseFenster()
{
    AVIForm->close();
    if (AVIForm->Host)
        AVIForm->Host->Hauptfenster()->repaint();
}

} // namespace

TVideoPanel::TVideoPanel(QWidget* parent) : QWidget(parent), Farbe(Qt::gray) {}

void TVideoPanel::ZeigeBild(const QImage& B)
{
    Bild = B;
    repaint();
}

void TVideoPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Farbe);
    if (!Bild.isNull())
        p.drawImage(QPoint((width() - Bild.width()) / 2, (height() - Bild.height()) / 2), Bild);
}

TAVIForm::TAVIForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AVIForm"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setFixedSize(139, 139);
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, 139, 139);
    Panel1->setAutoFillBackground(true);
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, Qt::black);
    Panel1->setPalette(pal);
    AVIPan = new TVideoPanel(Panel1);
    AVIPan->setObjectName(QStringLiteral("AVIPan"));
    AVIPan->setGeometry(1, 1, 137, 137);
    AVIPan->Farbe = ColorToQColor(Rahmenfarbe);
    AVIImg = new TImage(AVIPan);
    AVIImg->setObjectName(QStringLiteral("AVIImg"));
    AVIImg->setGeometry(0, 0, 137, 137);
    AVIImg->hide();
    WeiterBtn = new THoverPanel(AVIPan);
    WeiterBtn->setObjectName(QStringLiteral("WeiterBtn"));
    WeiterBtn->SetCaption(QStringLiteral("&Weiter"));
    WeiterBtn->setGeometry(8, 137 - 30, 121, 24);
    WeiterBtn->SetColors(TColor(173 | (193 << 8) | (239 << 16)), TColor(197 | (217 << 8) | (255 << 16)),
                         TColor(226 | (236 << 8) | (255 << 16)));
    WeiterBtn->hide();
    connect(WeiterBtn, &THoverPanel::OnClick, this, [this] { WeiterBtnClick(); });
}

void TAVIForm::WeiterBtnClick()
{
    done(QDialog::Accepted);
}

void TAVIForm::Platziere()
{
    if (!Host)
        return;
    const QRect m = Host->Hauptfenster()->frameGeometry();
    move(m.left() + m.width() - width() - 10, m.top() + 20);
}

void TAVIForm::closeEvent(QCloseEvent* event)
{
    WeiterBtn->hide();
    QDialog::closeEvent(event);
}

void TAVIForm::hideEvent(QHideEvent* event)
{
    WeiterBtn->hide();
    QDialog::hideEvent(event);
}

void TAVIForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FaerbeKnoepfe(this);
    QDialog::changeEvent(event);
}

void StoppeSound()
{
    MedienDienstOderQt().StoppeSound();
}

QString SoundDateiPfad(const QString& Name)
{
    return MedienPfad(Name, QStringLiteral(".wav"), SoundVerz);
}

QString VideoDateiPfad(const QString& Name)
{
    return MedienPfad(Name, QStringLiteral(".avi"), VideoVerz);
}

bool VideoDateiExistiert(const QString& Name)
{
    return !VideoDateiPfad(Name).isEmpty();
}

bool VideosVorhanden()
{
    for (const char* n : {"VRichtig1snd.avi", "VRichtig1.avi", "VFalsch1snd.avi", "VFalsch1.avi"})
        if (!VideoDateiExistiert(QString::fromLatin1(n)))
            return false;
    return true;
}

void SpieleSound(const QString& Name, bool Synchron, bool Wiederholen)
{
    if (!Gesetzt(TOptionsPunkt::Sound1)) {
        StoppeSound();
        return;
    }
    const QString Pfad = SoundDateiPfad(Name);
    if (Pfad.isEmpty()) {
        ZeigeFehler(QStringLiteral("Sounddatei ") + Name + QStringLiteral(" nicht gefunden."));
        return;
    }
    TMedienDienst& d = MedienDienstOderQt();
    d.StoppeSound();
    d.SpieleSound(Pfad, Synchron && !Wiederholen, Wiederholen);
}

void SpieleRichtigTon()
{
    SpieleSound(QStringLiteral("Richtig1.wav"));
}
void SpieleFalschTon()
{
    SpieleSound(QStringLiteral("Falsch1.wav"));
}
void SpieleHoverTon()
{
    SpieleSound(QStringLiteral("Hover1.wav"));
}

void SpieleVideo(const QString& Name)
{
    if (!Gesetzt(TOptionsPunkt::Animation_ein) || !AVIForm)
        return;
    const QString Pfad = VideoDateiPfad(Name);
    if (Pfad.isEmpty()) {
        ZeigeFehler(QStringLiteral("Videodatei ") + Name + QStringLiteral(" nicht gefunden."));
        return;
    }
    AVIForm->AVIImg->hide();
    AVIForm->AVIPan->Bild = QImage();
    ZeigeFenster();
    QString Fehler;
    const bool Ok = MedienDienstOderQt().SpieleVideo(
        Pfad, [](const QImage& B) { AVIForm->AVIPan->ZeigeBild(B); }, &Fehler);
    AVIForm->AVIPan->Bild = QImage();
    SchliesseFenster();
    if (!Ok)
        ZeigeFehler(Fehler);
}

void SpieleRichtigVideo()
{
    SpieleVideo(Gesetzt(TOptionsPunkt::Sound1) ? QStringLiteral("VRichtig1snd.avi")
                                                         : QStringLiteral("VRichtig1.avi"));
}

void SpieleFalschVideo()
{
    SpieleVideo(Gesetzt(TOptionsPunkt::Sound1) ? QStringLiteral("VFalsch1snd.avi")
                                                         : QStringLiteral("VFalsch1.avi"));
}

void ZeigeStandbild(const QImage& Bild)
{
    if (!Gesetzt(TOptionsPunkt::Animation_Standbild) || !AVIForm)
        return;
    AVIForm->AVIImg->SetPicture(Bild.copy());
    AVIForm->AVIImg->show();
    ZeigeFenster();
    AVIForm->AVIPan->repaint();
    // The picture stands while the program does not react; clicks are handled afterwards.
    MedienDienstOderQt().WarteOhneNachrichten(1500);
    SchliesseFenster();
}

QImage ZLRichtigImg1()
{
    return RueckmeldeBild(true, 1.0);
}
QImage ZLFalschImg1()
{
    return RueckmeldeBild(false, 1.0);
}
QImage ZLWeiterImg()
{
    return WeiterBild();
}

void ZeigeRichtigStandbild()
{
    ZeigeStandbild(ZLRichtigImg1());
}
void ZeigeFalschStandbild()
{
    ZeigeStandbild(ZLFalschImg1());
}

} // namespace zl
