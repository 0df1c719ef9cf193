#include "learning/exercise/widgets/zl_uebkartdarst.h"

#include "datastore/JpegDatei.h"
#include "datastore/Kartenbilder.h"
#include "learning/exercise/widgets/zl_uebmodal.h"
#include "learning/mapview/zl_hauptfensterhost.h"
#include "learning/mapview/zl_rahmen.h"
#include "platform/MessageService.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>

namespace zl
{
namespace
{

const char* const kCodes[4] = {"RS", "RH", "PF", "PW"};
const char* const kTexte[4] = {"Physisch/Relief-&Standard", "Physisch/Relief-&Hell", "Politisch-&Farbig",
                               "Politisch-&Weiß"};
const char* const kBildNamen[4] = {"Image5", "Image10", "Image11", "Image13"};

constexpr int kMusterB = 120, kMusterH = 93;

} // namespace

TUebKartDarstForm::TUebKartDarstForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("UebKartDarstForm"));
    setWindowTitle(QStringLiteral("Kartendarstellungsart in den Übungen"));
    setFixedSize(640, 330);
    FaerbeFlaeche(this, DialogFlaechenfarbe);
    MainBackImg = new TImage(this);
    MainBackImg->setObjectName(QStringLiteral("MainBackImg"));
    auto* kopf = new QLabel(QStringLiteral("&Kartendarstellung:"), this);
    kopf->setGeometry(20, 14, 300, 20);
    QFont f = kopf->font();
    f.setBold(true);
    kopf->setFont(f);

    std::array<QRadioButton**, 4> knoepfe{&KartRS, &KartRH, &KartPF, &KartPW};
    for (int i = 0; i < 4; ++i) {
        const int x = 20 + (i % 2) * 310, y = 44 + (i / 2) * 116;
        Muster[i] = new TImage(this);
        Muster[i]->setObjectName(QString::fromLatin1(kBildNamen[i]));
        Muster[i]->setGeometry(x, y, kMusterB, kMusterH);
        auto* rb = new QRadioButton(QString::fromUtf8(kTexte[i]), this);
        rb->setObjectName(QStringLiteral("Kart") + QString::fromLatin1(kCodes[i]));
        rb->setGeometry(x + kMusterB + 8, y + kMusterH / 2 - 12, 172, 24);
        rb->installEventFilter(this);
        *knoepfe[i] = rb;
        Muster[i]->OnClick = [rb] { rb->setChecked(true); };
    }
    if (QLabel* k = kopf)
        k->setBuddy(KartRS);
    CheckMarkRahm2 = new QFrame(this);
    CheckMarkRahm2->setObjectName(QStringLiteral("CheckMarkRahm2"));
    CheckMarkRahm2->setStyleSheet(QStringLiteral("QFrame { border: 1px dotted #C00000; background: transparent; }"));
    CheckMarkRahm2->setAttribute(Qt::WA_TransparentForMouseEvents);
    CheckMarkRahm2->hide();

    OKBtn = NeuerKnopf(this, "OKBtn", QStringLiteral("OK"));
    OKBtn->SetModalResult(mbOK);
    OKBtn->SetDefault(true);
    OKBtn->setGeometry(410, 288, 100, 28);
    AbbrBtn = NeuerKnopf(this, "AbbrBtn", QStringLiteral("Abbrechen"));
    AbbrBtn->SetModalResult(mbCancel);
    AbbrBtn->SetCancel(true);
    AbbrBtn->setGeometry(524, 288, 100, 28);
}

void TUebKartDarstForm::ZeigeKartTyp(const QString& Typ)
{
    QRadioButton* alle[4] = {KartRS, KartRH, KartPF, KartPW};
    for (QRadioButton* rb : alle)
        rb->setAutoExclusive(false);
    for (int i = 0; i < 4; ++i)
        alle[i]->setChecked(Typ == QLatin1String(kCodes[i]));
    for (QRadioButton* rb : alle)
        rb->setAutoExclusive(true);
}

QString TUebKartDarstForm::GewaehlterKartTyp(const QString& Bisher) const
{
    const QRadioButton* alle[4] = {KartRS, KartRH, KartPF, KartPW};
    for (int i = 0; i < 4; ++i)
        if (alle[i]->isChecked())
            return QString::fromLatin1(kCodes[i]);
    return Bisher;
}

bool TUebKartDarstForm::Bearbeite(QString& Typ)
{
    ZeigeKartTyp(Typ);
    if (UebModal(this) != mbOK)
        return false;
    Typ = GewaehlterKartTyp(Typ);
    return true;
}

void TUebKartDarstForm::showEvent(QShowEvent* event)
{
    ZeichneDialogHintergrund(MainBackImg);
    MainBackImg->lower();
    FaerbeKnoepfe(this);
    // The samples are the current map's thumbnails; a missing one stays blank.
    const QString karte = Host ? Host->Fensterzustand().AktKartID : QString();
    for (int i = 0; i < 4; ++i) {
        QImage bild(kMusterB, kMusterH, QImage::Format_RGB32);
        bild.fill(Qt::white);
        try {
            QImage geladen;
            if (LadeKartenbild(geladen, kMusterB, kMusterH, KleinbildPfad(karte, QString::fromLatin1(kCodes[i])), true,
                               true))
                bild = geladen;
        } catch (const EBildFehler&) {
        }
        Muster[i]->SetPicture(bild);
    }
    OKBtn->setFocus();
    QDialog::showEvent(event);
}

bool TUebKartDarstForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        if (auto* rb = qobject_cast<QRadioButton*>(watched)) {
            CheckMarkRahm2->setVisible(event->type() == QEvent::FocusIn);
            CheckMarkRahm2->setGeometry(rb->x() - 3, rb->y() - 4, rb->width() + 6, rb->height() + 8);
            CheckMarkRahm2->raise();
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zl
