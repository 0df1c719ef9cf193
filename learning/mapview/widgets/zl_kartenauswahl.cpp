#include "learning/mapview/widgets/zl_kartenauswahl.h"

#include "controls/HoverPanel.h"
#include "datastore/JpegDatei.h"
#include "datastore/Kartenbilder.h"
#include "learning/mapview/widgets/zl_gestaltung.h"
#include "learning/mapview/widgets/zl_lernkarte_steuer.h"
#include "learning/mapview/zl_lernlayout.h"
#include "learning/mapview/zl_lernlisten.h"
#include "raster/widgets/Rast32_Image.h"

#include <QLabel>
#include <QListWidget>
#include <QTabBar>
#include <QTabWidget>

namespace zl
{

namespace
{

const char* const kCodes[3] = {"WLT", "EUR", "DEU"};
const char* const kSheets[3] = {"WLTSheet", "EURSheet", "DEUSheet"};

QString Name(const char* a, const char* b, const char* c)
{
    return QLatin1String(a) + QLatin1String(b) + QLatin1String(c);
}

} // namespace

QList<THoverPanel*> BaueKartenFeldPanels(QWidget* Sheet, const QList<KartAuswDataTyp>& Katalog, const QString& Code,
                                         const QRect& Bild, int ControlHoehe, const TKartenFeldFarben& Farben,
                                         QObject* Kontext, const std::function<void(int)>& Klick,
                                         const std::function<void(int)>& Ueber)
{
    QList<THoverPanel*> Felder;
    for (int i : KartenFelderDerUebersicht(Katalog, Code)) {
        const KartAuswDataTyp& e = Katalog[i];
        auto* p = new THoverPanel(Sheet);
        p->setObjectName(QStringLiteral("Pan_") + Code + QLatin1Char('_') + QString::number(i));
        p->setCursor(Qt::PointingHandCursor);
        p->SetCaption(e.KartName);
        p->SetBorderWidth(0);
        p->SetBevelOuter(bvNone);
        p->setFont(QFont(QStringLiteral("Arial"), 8, QFont::Bold));
        p->SetFontColor(TColor(16 | (16 << 8) | (16 << 16)));
        p->SetNormFontColor(TColor(16 | (16 << 8) | (16 << 16)));
        p->setGeometry(KartenFeldRect(e, Bild, ControlHoehe));
        p->SetColors(Farben.Normal, Farben.Hover, Farben.Gedrueckt);
        p->setProperty("Tag", i);
        QObject::connect(p, &THoverPanel::OnClick, Kontext, [Klick, i] { Klick(i); });
        QObject::connect(p, &THoverPanel::OnMouseEnter, Kontext, [Ueber, i] { Ueber(i); });
        p->show();
        Felder.append(p);
    }
    return Felder;
}

QImage LadeUebersichtsbild(const QString& Verz, const QString& Code, int Breite, int Hoehe)
{
    QImage Bild;
    try {
        if (Breite > 0 && Hoehe > 0)
            LadeJpegGeglaettet(Bild, Breite, Hoehe, Verz + QStringLiteral("KA-") + Code + QStringLiteral(".jpg"));
    } catch (const EBildFehler&) {
        // A damaged overview shows nothing; its panels are still placed.
        Bild = QImage();
    }
    return Bild;
}

void TKartenauswahl::ErzeugeAuswahl(QWidget* Pan, QWidget* ListenPan, const TKartenauswahlStil& Stil,
                                    QObject* Kontext)
{
    stil_ = Stil;
    kontext_ = Kontext;
    KartAuswahlControl = new QTabWidget(Pan);
    KartAuswahlControl->setObjectName(QStringLiteral("KartAuswahlControl"));
    const QString Titel[3] = {QStringLiteral("   Welt   "), QStringLiteral("   Europa   "),
                              QStringLiteral("   Deutschland   ")};
    for (int s = 0; s < 3; ++s) {
        Uebersicht& u = Uebersichten[s];
        u.Code = QLatin1String(kCodes[s]);
        u.Sheet = new QWidget;
        u.Sheet->setObjectName(QLatin1String(kSheets[s]));
        if (stil_.SeitenFaerben)
            FaerbeFlaeche(u.Sheet, stil_.Seitenfarbe);
        KartAuswahlControl->addTab(u.Sheet, Titel[s]);
        // The overview picture: top left, scale 1.0, no scaling.
        u.Img = new TImage32(u.Sheet);
        u.Img->setObjectName(Name("KA", kCodes[s], "Img"));
        u.Img->SetBitmapAlign(baTopLeft);
        u.Img->SetScale(1.0f);
        u.Img->SetScaleMode(smNormal);
        u.Img->OnMouseMove = [this](TCustomImage32*, TShiftState, int, int, TCustomLayer*) {
            MarkiereKarteImUeberblick(-1);
        };
        u.Img->Loaded();
        u.Lab = new QLabel(u.Img);
        u.Lab->setObjectName(Name("KA", kCodes[s], "Lab"));
        u.Lab->setWordWrap(true);
        u.Lab->setAttribute(Qt::WA_TransparentForMouseEvents);
        u.Lab->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        u.Lab->setStyleSheet(stil_.LabelStil);
        u.Lab->setText(UebersichtText(u.Code));
        u.Shape = new TRahmenForm(u.Img, QColor(255, 0, 0), 2);
        u.Shape->setObjectName(Name("KA", kCodes[s], "Shape"));
        u.Shape->hide();
    }
    KartList1 = new QListWidget(ListenPan);
    KartList1->setObjectName(QStringLiteral("KartList1"));
}

void TKartenauswahl::BaueUebersichten(const QString& Verz)
{
    KartList1->hide();
    KartList1->clear();
    const int W = KartAuswahlControl->width();
    // The pages get the control's area below the tabs when it is shown again.
    const int SeitenH =
        std::max(0, KartAuswahlControl->height() - KartAuswahlControl->tabBar()->sizeHint().height() - 2);
    const int SeitenW = std::max(0, W - 2);
    for (int s = 0; s < 3; ++s) {
        Uebersicht& u = Uebersichten[s];
        QFont f(QStringLiteral("Arial"));
        f.setPointSize(UebersichtLabelPunkte(W));
        u.Lab->setFont(f);
        // Grown where the wrapped description needs more, so no line is cut off.
        QRect Feld = UebersichtLabelPassend(u.Code, W, u.Lab->font());
        if (stil_.LabelHoeheNachText)
            Feld.setHeight(u.Lab->heightForWidth(Feld.width()));
        u.Lab->setGeometry(Feld);
        u.Img->setGeometry(0, 0, SeitenW, SeitenH);
        u.Img->SetBitmap(LadeUebersichtsbild(Verz, u.Code, SeitenW, SeitenH));
        BaueKartenFelder(s);
    }
    for (const TKartenListenEintrag& e : BaueKartenListe(KartAuswDaten)) {
        auto* Item = new QListWidgetItem(e.Text, KartList1);
        Item->setData(Qt::UserRole, e.Katalogindex);
    }
}

void TKartenauswahl::BaueKartenFelder(int Seite)
{
    Uebersicht& u = Uebersichten[Seite];
    qDeleteAll(u.Felder);
    u.Felder.clear();
    u.Felder = BaueKartenFeldPanels(
        u.Sheet, KartAuswDaten, u.Code, u.Img->geometry(), KartAuswahlControl->height(), stil_.Felder, kontext_,
        [this](int i) { KartenFeldKlick(i); }, [this](int i) { MarkiereKarteImUeberblick(i); });
}

void TKartenauswahl::MarkiereKarteImUeberblick(int Index)
{
    if (Index < 0) {
        for (Uebersicht& u : Uebersichten)
            u.Shape->hide();
        return;
    }
    const int s = KartAuswahlControl->currentIndex();
    if (s < 0 || s > 2 || Index >= KartAuswDaten.size())
        return;
    Uebersicht& u = Uebersichten[s];
    u.Shape->setGeometry(MarkierungsRect(KartAuswDaten[Index], u.Img->width(), u.Img->height()));
    u.Shape->show();
    u.Shape->raise();
}

void TKartenauswahl::WaehleInListe(const QString& Name)
{
    const QString Gesucht = QLatin1Char(' ') + Name;
    KartList1->setCurrentRow(-1);
    KartList1->clearSelection();
    for (int i = 0; i < KartList1->count(); ++i)
        if (KartList1->item(i)->text().compare(Gesucht, Qt::CaseInsensitive) == 0) {
            KartList1->setCurrentRow(i);
            break;
        }
}

int TKartenauswahl::GewaehlteKarte() const
{
    const QListWidgetItem* Item = KartList1->currentItem();
    return Item && Item->isSelected() ? Item->data(Qt::UserRole).toInt() : -1;
}

void TKartenauswahl::Zeige()
{
    KartList1->show();
    KartAuswahlControl->show();
    KartList1->setFocus();
}

} // namespace zl
