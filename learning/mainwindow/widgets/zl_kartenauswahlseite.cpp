#include "learning/mainwindow/widgets/zl_kartenauswahlseite.h"

#include "controls/HoverPanel.h"
#include "datastore/zl_data.h"
#include "learning/mainwindow/widgets/zl_lernkarte.h"
#include "learning/mainwindow/widgets/zl_main.h"
#include "learning/mapview/widgets/zl_gestaltung.h"
#include "learning/mapview/zl_lernlisten.h"
#include "platform/MessageService.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>

namespace zl
{

namespace
{

const char* const kSheets[3] = {"WLTSheet", "EURSheet", "DEUSheet"};

TKartenauswahlStil Stil()
{
    TKartenauswahlStil s;
    s.Felder = {clWhite, TColor(255 | (226 << 8) | (151 << 16)), TColor(226 | (236 << 8) | (255 << 16))};
    s.LabelStil = QStringLiteral("color: rgb(207, 178, 182); background: transparent;");
    return s;
}

} // namespace

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

    KartListPan = new QWidget(Pan);
    KartListPan->setObjectName(QStringLiteral("KartListPan"));
    ErzeugeAuswahl(Pan, KartListPan, Stil(), this);

    QObject::connect(KartAuswahlControl, &QTabWidget::currentChanged, this, [this](int i) {
        if (i < 0 || i > 2)
            return;
        F.Zustand.KartenAuswahlSeite = QLatin1String(kSheets[i]);
        F.Settings.Schreibe(QStringLiteral("Karten-Auswahl"), F.Zustand);
    });

    auto* Ueberschrift = new QLabel(QStringLiteral("Verfügbare Karten:"), KartListPan);
    Ueberschrift->setObjectName(QStringLiteral("KartListLab"));
    Ueberschrift->setFont(QFont(QStringLiteral("Arial"), 10, QFont::Bold));
    Ueberschrift->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    Ueberschrift->move(8, 6);
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

    if (NeuAufbau || KartList1->count() == 0)
        BaueUebersichten(DatenVerz);
    MarkiereKarteImUeberblick(-1);
    for (int s = 0; s < 3; ++s)
        if (F.Zustand.KartenAuswahlSeite == QLatin1String(kSheets[s]))
            KartAuswahlControl->setCurrentIndex(s);
    WaehleInListe(KartenName(F.Zustand.AktKartID));
    Zeige();
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
    const int Index = GewaehlteKarte();
    if (Index < 0) {
        ZeigeBox(MsgKind::Information,
                 QStringLiteral("Markiere zunächst eine Landkarte in der Liste oder wähle die gewünschte Karte "
                                "direkt aus."),
                 {mbOK});
        return;
    }
    KartenFeldKlick(Index);
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
