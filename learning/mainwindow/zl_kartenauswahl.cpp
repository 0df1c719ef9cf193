#include "learning/mainwindow/zl_kartenauswahl.h"

#include "controls/HoverPanel.h"
#include "datastore/JpegDatei.h"
#include "datastore/Kartenbilder.h"
#include "datastore/zl_data.h"
#include "learning/mainwindow/zl_lernkarte.h"
#include "learning/mainwindow/zl_main.h"
#include "learning/mapview/widgets/zl_gestaltung.h"
#include "learning/mapview/zl_lernlayout.h"
#include "learning/mapview/zl_lernlisten.h"
#include "platform/MessageService.h"
#include "raster/widgets/Rast32_Image.h"

#include <QKeyEvent>
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

TKartenauswahlSeite::TKartenauswahlSeite(TForm1& Form) : QObject(&Form), F(Form)
{
    QWidget* Pan = F.KartenAuswahlPan;
    MainBackImg = new TImage(Pan);
    MainBackImg->setObjectName(QStringLiteral("MainBackImg"));
    MainBackImg->lower();

    AuswahlInfoLab = new QLabel(Pan);
    AuswahlInfoLab->setObjectName(QStringLiteral("AuswahlInfoLab"));
    QFont Hinweis(QStringLiteral("Arial"), 11, QFont::Bold);
    AuswahlInfoLab->setFont(Hinweis);
    AuswahlInfoLab->setStyleSheet(QStringLiteral("color: white; background: transparent;"));

    KartAuswahlControl = new QTabWidget(Pan);
    KartAuswahlControl->setObjectName(QStringLiteral("KartAuswahlControl"));
    const QString Titel[3] = {QStringLiteral("   Welt   "), QStringLiteral("   Europa   "),
                              QStringLiteral("   Deutschland   ")};
    for (int s = 0; s < 3; ++s) {
        Uebersicht& u = Uebersichten[s];
        u.Code = QLatin1String(kCodes[s]);
        u.Sheet = new QWidget;
        u.Sheet->setObjectName(QLatin1String(kSheets[s]));
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
        u.Lab->setStyleSheet(QStringLiteral("color: rgb(207, 178, 182); background: transparent;"));
        u.Lab->setText(UebersichtText(u.Code));
        u.Shape = new TRahmenForm(u.Img, QColor(255, 0, 0), 2);
        u.Shape->setObjectName(Name("KA", kCodes[s], "Shape"));
    }
    QObject::connect(KartAuswahlControl, &QTabWidget::currentChanged, this, [this](int i) {
        if (i < 0 || i > 2)
            return;
        F.Zustand.KartenAuswahlSeite = QLatin1String(kSheets[i]);
        F.Settings.Schreibe(QStringLiteral("Karten-Auswahl"), F.Zustand);
    });

    KartListPan = new QWidget(Pan);
    KartListPan->setObjectName(QStringLiteral("KartListPan"));
    auto* Ueberschrift = new QLabel(QStringLiteral("Verfügbare Karten:"), KartListPan);
    Ueberschrift->setObjectName(QStringLiteral("KartListLab"));
    Ueberschrift->setFont(QFont(QStringLiteral("Arial"), 10, QFont::Bold));
    Ueberschrift->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    Ueberschrift->move(8, 6);
    KartList1 = new QListWidget(KartListPan);
    KartList1->setObjectName(QStringLiteral("KartList1"));
    KartList1->installEventFilter(this);
    QObject::connect(KartList1, &QListWidget::itemDoubleClicked, this, [this] { KartList1DblClick(); });
    KartAuswBtn = new THoverPanel(KartListPan);
    KartAuswBtn->setObjectName(QStringLiteral("KartAuswBtn"));
    KartAuswBtn->SetCaption(QStringLiteral("Karte auswählen"));
    QObject::connect(KartAuswBtn, &THoverPanel::OnClick, this, [this] { KartList1DblClick(); });
}

void TKartenauswahlSeite::SetzeAuswahlHinweis()
{
    AuswahlInfoLab->setText(F.AnredeSie->isChecked()
                                ? QStringLiteral("Kartenauswahl: Klicken Sie mit der Maus auf die gewünschte Karte.")
                                : QStringLiteral("Kartenauswahl: Klicke mit der Maus auf die gewünschte Karte."));
}

void TKartenauswahlSeite::Ordne()
{
    QWidget* Pan = F.KartenAuswahlPan;
    const int W = Pan->width(), H = Pan->height();
    // The page's own network and data-table buttons at the top right, the hint beside them.
    F.DatentabelleBtn1->setGeometry(W - 12 - 80, 4, 76, 39);
    F.NetzUebTeilnehmenBtn1->setGeometry(W - 12 - 160, 4, 76, 39);
    AuswahlInfoLab->setGeometry(16, 12, std::max(0, W - 32 - 172), 24);
    const int ListeBreite = 240;
    KartListPan->setGeometry(W - ListeBreite - 12, 47, ListeBreite, std::max(0, H - 87));
    KartList1->setGeometry(8, 28, ListeBreite - 16, std::max(0, KartListPan->height() - 28 - 48));
    KartAuswBtn->setGeometry(8, KartListPan->height() - 40, ListeBreite - 16, 32);
    KartAuswahlControl->setGeometry(12, 47, std::max(0, W - ListeBreite - 36), std::max(0, H - 87));
}

void TKartenauswahlSeite::ZeigeKartenauswahl(bool NeuAufbau)
{
    KartAuswahlControl->hide();
    F.Zustand.Ansichtsmodus = Kartenauswahl;
    F.Zustand.NetzTeilnehmer = false;
    F.ZeigeModus();
    ZeichneHintergrund(MainBackImg);
    MainBackImg->lower();
    F.SetzeTitel(kProgrammTitel);
    SetzeAuswahlHinweis();
    Ordne();

    if (NeuAufbau || KartList1->count() == 0) {
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
            u.Lab->setGeometry(UebersichtLabelPassend(u.Code, W, u.Lab->font()));
            u.Img->setGeometry(0, 0, SeitenW, SeitenH);
            u.Img->SetBitmap(LadeUebersichtsbild(DatenVerz, u.Code, SeitenW, SeitenH));
            BaueKartenFelder(s);
        }
        for (const TKartenListenEintrag& e : BaueKartenListe(KartAuswDaten)) {
            auto* Item = new QListWidgetItem(e.Text, KartList1);
            Item->setData(Qt::UserRole, e.Katalogindex);
        }
    }
    MarkiereKarteImUeberblick(-1);
    for (int s = 0; s < 3; ++s)
        if (F.Zustand.KartenAuswahlSeite == QLatin1String(kSheets[s]))
            KartAuswahlControl->setCurrentIndex(s);
    const QString Gesucht = QLatin1Char(' ') + KartenName(F.Zustand.AktKartID);
    KartList1->setCurrentRow(-1);
    KartList1->clearSelection();
    for (int i = 0; i < KartList1->count(); ++i)
        if (KartList1->item(i)->text().compare(Gesucht, Qt::CaseInsensitive) == 0) {
            KartList1->setCurrentRow(i);
            break;
        }
    KartList1->show();
    KartAuswahlControl->show();
    KartList1->setFocus();
}

void TKartenauswahlSeite::BaueKartenFelder(int Seite)
{
    Uebersicht& u = Uebersichten[Seite];
    qDeleteAll(u.Felder);
    u.Felder.clear();
    u.Felder = BaueKartenFeldPanels(
        u.Sheet, KartAuswDaten, u.Code, u.Img->geometry(), KartAuswahlControl->height(),
        {clWhite, TColor(255 | (226 << 8) | (151 << 16)), TColor(226 | (236 << 8) | (255 << 16))}, this,
        [this](int i) { KartenFeldKlick(i); }, [this](int i) { MarkiereKarteImUeberblick(i); });
}

void TKartenauswahlSeite::MarkiereKarteImUeberblick(int Index)
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

void TKartenauswahlSeite::KartenFeldKlick(int Index)
{
    if (Index < 0 || Index >= KartAuswDaten.size())
        return;
    F.Zustand.AktKartID = KartAuswDaten[Index].KartID;
    F.SetzeZoom(0);
    if (F.LernkarteAnsicht)
        F.LernkarteAnsicht->LernKartPicImg->hide();
    F.ZeigeLernkarte();
}

void TKartenauswahlSeite::KartList1DblClick()
{
    QListWidgetItem* Item = KartList1->currentItem();
    if (!Item || !Item->isSelected()) {
        ZeigeBox(MsgKind::Information,
                 QStringLiteral("Markiere zunächst eine Landkarte in der Liste oder wähle die gewünschte Karte "
                                "direkt aus."),
                 {mbOK});
        return;
    }
    KartenFeldKlick(Item->data(Qt::UserRole).toInt());
}

void TKartenauswahlSeite::KartList1KeyPress(QChar Zeichen)
{
    QStringList Texte;
    for (int i = 0; i < KartList1->count(); ++i)
        Texte << KartList1->item(i)->text();
    const QListWidgetItem* Akt = KartList1->currentItem();
    const int Neu = SucheNachBuchstabe(Texte, Akt && Akt->isSelected() ? KartList1->currentRow() : -1, Zeichen);
    if (Neu >= 0)
        KartList1->setCurrentRow(Neu);
}

bool TKartenauswahlSeite::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == KartList1 && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            KartList1DblClick();
            return true;
        }
        const QString t = k->text();
        if (t.size() == 1 && t[0].isPrint() && !t[0].isSpace() &&
            !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            // The list's own keyboard search would jump elsewhere; the first letter decides.
            KartList1KeyPress(t[0]);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zl
