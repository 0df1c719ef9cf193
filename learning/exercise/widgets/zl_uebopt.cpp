#include "learning/exercise/widgets/zl_uebopt.h"

#include "learning/exercise/widgets/zl_uebmodal.h"
#include "learning/exercise/zl_uebanzeige.h"
#include "learning/mapview/zl_hauptfensterhost.h"
#include "learning/mapview/zl_rahmen.h"
#include "platform/MessageService.h"

#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QPushButton>

namespace zl
{
namespace
{

const char* const kSpalten[5] = {"Länder", "Städte", "Gewässer", "Landschaften", "Inseln"};

const char16_t* const kErwTexte[8] = {
    u" [E01] - Welches ist die Flagge zu <Land>? - 5 Flaggenbilder zur Wahl",
    u" [E02] - Wie heißt das Land zu dieser Flagge? - 5 Ländernamen zur Wahl",
    u" [E03] - Welches ist die Hauptstadt von <Land>? - 5 Hauptstadtnamen zur Wahl",
    u" [E04] - Von welchem Land ist <Hauptstadt> die Hauptstadt? - 5 Ländernamen zur Wahl",
    u" [E05] - Wieviele Einwohner hat <Land>? - 5 Einwohnerzahlen zur Wahl",
    u" [E06] - Welche Bevölkerungsdichte hat <Land>? - 5 Bevölkerungsdichten zur Wahl",
    u" [E07] - Welches Land gehört nicht zu <Kontinent>? - 5 Ländernamen zur Wahl",
    u" [E08] - Auf welchem Kontinent liegt <Land>? - 5 Kontinentsnamen zur Wahl",
};

const char16_t* const kNamenHinweise[5] = {
    u"Wie heißt dieses Land (Position in Karte gezeigt)? - 5 Ländernamen zur Wahl",
    u"Wie heißt diese Stadt (Position in Karte gezeigt)? - 5 Städtenamen zur Wahl",
    u"Wie heißt dieses Gewässer (Position in Karte gezeigt)? - 5 Gewässernamen zur Wahl",
    u"Wie heißt diese Landschaft (Position in Karte gezeigt)? - 5 Landschaftsnamen zur Wahl",
    u"Wie heißt diese Insel (Position in Karte gezeigt)? - 5 Inselnamen zur Wahl",
};

const char16_t* const kZeigeHinweise[5] = {
    u"Zeige <Land> - 5 Länderpositionen zur Wahl",       u"Zeige <Stadt> - 5 Städtepositionen zur Wahl",
    u"Zeige <Gewässer> - 5 Gewässerpositionen zur Wahl", u"Zeige <Landschaft> - 5 Landschaftspositionen zur Wahl",
    u"Zeige <Insel> - 5 Inselpositionen zur Wahl",
};

QString t(const char16_t* s)
{
    return QString::fromUtf16(s);
}

QPushButton* knopf(QWidget* eltern, const QString& text, int x, int y)
{
    auto* b = new QPushButton(text, eltern);
    b->setGeometry(x, y, 110, 24);
    b->setAutoDefault(false);
    return b;
}

QFrame* markRahmen(QWidget* eltern, const char* name)
{
    auto* f = new QFrame(eltern);
    f->setObjectName(QString::fromLatin1(name));
    f->setFrameShape(QFrame::Box);
    f->setStyleSheet(QStringLiteral("QFrame { border: 1px dotted #C00000; background: transparent; }"));
    f->setAttribute(Qt::WA_TransparentForMouseEvents);
    f->hide();
    return f;
}

} // namespace

TUebungsoptForm::TUebungsoptForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("UebungsoptForm"));
    setWindowTitle(QStringLiteral("Fragetypen"));
    setFixedSize(660, 560);
    FaerbeFlaeche(this, DialogFlaechenfarbe);
    MainBackImg = new TImage(this);
    MainBackImg->setObjectName(QStringLiteral("MainBackImg"));

    auto gruppe = [this](const QString& titel, int y, int h) {
        auto* g = new QGroupBox(titel, this);
        g->setGeometry(14, y, 632, h);
        return g;
    };

    // Standard questions: five columns, one row of names and one of positions.
    QGroupBox* gs = gruppe(QStringLiteral("Themen für &Standard-Auswahlaufgaben:"), 12, 168);
    for (int c = 0; c < 5; ++c) {
        const int x = 150 + c * 96;
        ObjShape[c] = new QWidget(gs);
        ObjShape[c]->setObjectName(QStringLiteral("ObjShape%1").arg(c + 1));
        ObjShape[c]->setGeometry(x, 24, 88, 6);
        auto* kopf = new QLabel(QString::fromUtf8(kSpalten[c]), gs);
        kopf->setGeometry(x, 32, 92, 18);
        for (int r = 0; r < 2; ++r) {
            const int n = r * 5 + c; // S01..S05 names, S06..S10 positions
            auto* cb = new QCheckBox(QStringLiteral("S%1").arg(n + 1, 2, 10, QLatin1Char('0')), gs);
            cb->setObjectName(QStringLiteral("CheckS%1").arg(n + 1, 2, 10, QLatin1Char('0')));
            cb->setGeometry(x, 56 + r * 28, 88, 22);
            cb->setToolTip(r == 0 ? t(kNamenHinweise[c]) : t(kZeigeHinweise[c]));
            CheckS[n] = cb;
        }
    }
    (new QLabel(QStringLiteral("5 Namen zur Wahl"), gs))->setGeometry(12, 58, 136, 18);
    (new QLabel(QStringLiteral("5 Positionen zur Wahl"), gs))->setGeometry(12, 86, 136, 18);
    AnzCheckedLab = new QLabel(gs);
    AnzCheckedLab->setObjectName(QStringLiteral("AnzCheckedLab"));
    AnzCheckedLab->setGeometry(12, 126, 200, 20);
    QPushButton* sAlle = knopf(gs, QStringLiteral("Alle wählen"), 388, 124);
    QPushButton* sKeine = knopf(gs, QStringLiteral("Alle entfernen"), 506, 124);

    // Extended questions: a check list.
    QGroupBox* ge = gruppe(QStringLiteral("Themen für &erweiterte Auswahlaufgaben:"), 188, 200);
    ErwFragTypListBox = new QListWidget(ge);
    ErwFragTypListBox->setObjectName(QStringLiteral("ErwFragTypListBox"));
    ErwFragTypListBox->setGeometry(12, 24, 608, 136);
    for (const char16_t* s : kErwTexte) {
        auto* item = new QListWidgetItem(t(s), ErwFragTypListBox);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }
    AnzCheckedLab2 = new QLabel(ge);
    AnzCheckedLab2->setObjectName(QStringLiteral("AnzCheckedLab2"));
    AnzCheckedLab2->setGeometry(12, 168, 200, 20);
    QPushButton* eAlle = knopf(ge, QStringLiteral("Alle wählen"), 388, 166);
    QPushButton* eKeine = knopf(ge, QStringLiteral("Alle entfernen"), 506, 166);

    // Assignment questions: the same five columns.
    QGroupBox* gz = gruppe(QStringLiteral("Themen für &Zuordnungsaufgaben:"), 396, 112);
    for (int c = 0; c < 5; ++c) {
        const int x = 150 + c * 96;
        ObjShapeZ[c] = new QWidget(gz);
        ObjShapeZ[c]->setObjectName(QStringLiteral("ObjShapeZ%1").arg(c + 1));
        ObjShapeZ[c]->setGeometry(x, 24, 88, 6);
        auto* kopf = new QLabel(QString::fromUtf8(kSpalten[c]), gz);
        kopf->setGeometry(x, 32, 92, 18);
        auto* cb = new QCheckBox(QStringLiteral("Z%1").arg(c + 1, 2, 10, QLatin1Char('0')), gz);
        cb->setObjectName(QStringLiteral("CheckZ%1").arg(c + 1, 2, 10, QLatin1Char('0')));
        cb->setGeometry(x, 54, 88, 22);
        cb->setToolTip(t(kNamenHinweise[c]));
        CheckZ[c] = cb;
    }
    AnzCheckLab3 = new QLabel(gz);
    AnzCheckLab3->setObjectName(QStringLiteral("AnzCheckLab3"));
    AnzCheckLab3->setGeometry(12, 84, 200, 20);
    QPushButton* zAlle = knopf(gz, QStringLiteral("Alle wählen"), 388, 82);
    QPushButton* zKeine = knopf(gz, QStringLiteral("Alle entfernen"), 506, 82);

    CheckMarkRahm = markRahmen(gs, "CheckMarkRahm");
    CheckMarkRahm3 = markRahmen(gz, "CheckMarkRahm3");

    OKBtn = NeuerKnopf(this, "OKBtn", QStringLiteral("OK"));
    OKBtn->SetModalResult(mbOK);
    OKBtn->SetDefault(true);
    OKBtn->setGeometry(430, 520, 100, 28);
    AbbrBtn = NeuerKnopf(this, "AbbrBtn", QStringLiteral("Abbrechen"));
    AbbrBtn->SetModalResult(mbCancel);
    AbbrBtn->SetCancel(true);
    AbbrBtn->setGeometry(546, 520, 100, 28);

    for (QCheckBox* cb : CheckS) {
        connect(cb, &QCheckBox::toggled, this, [this] { ZeigeAnzahlen(); });
        cb->installEventFilter(this);
    }
    for (QCheckBox* cb : CheckZ) {
        connect(cb, &QCheckBox::toggled, this, [this] { ZeigeAnzahlen(); });
        cb->installEventFilter(this);
    }
    connect(ErwFragTypListBox, &QListWidget::itemChanged, this, [this] { ZeigeAnzahlen(); });
    auto alle = [](auto& boxen, bool an) {
        for (QCheckBox* cb : boxen)
            cb->setChecked(an);
    };
    connect(sAlle, &QPushButton::clicked, this, [this, alle] { alle(CheckS, true); });
    connect(sKeine, &QPushButton::clicked, this, [this, alle] { alle(CheckS, false); });
    connect(zAlle, &QPushButton::clicked, this, [this, alle] { alle(CheckZ, true); });
    connect(zKeine, &QPushButton::clicked, this, [this, alle] { alle(CheckZ, false); });
    auto erw = [this](bool an) {
        for (int i = 0; i < ErwFragTypListBox->count(); ++i)
            ErwFragTypListBox->item(i)->setCheckState(an ? Qt::Checked : Qt::Unchecked);
    };
    connect(eAlle, &QPushButton::clicked, this, [erw] { erw(true); });
    connect(eKeine, &QPushButton::clicked, this, [erw] { erw(false); });
}

void TUebungsoptForm::ZeigeMaske(const QString& Maske)
{
    const std::array<bool, 23> h = HakenAusMaske(Maske);
    QSignalBlocker sperre(ErwFragTypListBox);
    for (int n = 0; n < 8; ++n)
        ErwFragTypListBox->item(n)->setCheckState(h[n] ? Qt::Checked : Qt::Unchecked);
    for (int n = 0; n < 10; ++n)
        CheckS[n]->setChecked(h[8 + n]);
    for (int n = 0; n < 5; ++n)
        CheckZ[n]->setChecked(h[18 + n]);
    ZeigeAnzahlen();
}

QString TUebungsoptForm::UebernimmMaske() const
{
    std::array<bool, 23> h{};
    for (int n = 0; n < 8; ++n)
        h[n] = ErwFragTypListBox->item(n)->checkState() == Qt::Checked;
    for (int n = 0; n < 10; ++n)
        h[8 + n] = CheckS[n]->isChecked();
    for (int n = 0; n < 5; ++n)
        h[18 + n] = CheckZ[n]->isChecked();
    return MaskeAusHaken(h);
}

void TUebungsoptForm::ZeigeAnzahlen()
{
    int s = 0, e = 0, z = 0;
    for (QCheckBox* cb : CheckS)
        s += cb->isChecked();
    for (int i = 0; i < ErwFragTypListBox->count(); ++i)
        e += ErwFragTypListBox->item(i)->checkState() == Qt::Checked;
    for (QCheckBox* cb : CheckZ)
        z += cb->isChecked();
    AnzCheckedLab->setText(AnzahlAusgewaehltText(s, 10));
    AnzCheckedLab2->setText(AnzahlAusgewaehltText(e, ErwFragTypListBox->count()));
    AnzCheckLab3->setText(AnzahlAusgewaehltText(z, 5));
}

bool TUebungsoptForm::Bearbeite(QString& Maske)
{
    ZeigeMaske(Maske);
    if (UebModal(this) != mbOK)
        return false;
    Maske = UebernimmMaske();
    return true;
}

void TUebungsoptForm::showEvent(QShowEvent* event)
{
    ZeichneDialogHintergrund(MainBackImg);
    MainBackImg->lower();
    FaerbeKnoepfe(this);
    if (Host)
        for (int c = 0; c < 5; ++c) {
            FaerbeFlaeche(ObjShape[c], Host->Fensterzustand().Kategoriefarben[c][2]);
            FaerbeFlaeche(ObjShapeZ[c], Host->Fensterzustand().Kategoriefarben[c][2]);
        }
    OKBtn->setFocus();
    QDialog::showEvent(event);
}

bool TUebungsoptForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        auto* cb = qobject_cast<QCheckBox*>(watched);
        if (cb) {
            QFrame* rahmen = cb->parentWidget() == CheckMarkRahm->parentWidget() ? CheckMarkRahm : CheckMarkRahm3;
            CheckMarkRahm->hide();
            CheckMarkRahm3->hide();
            if (event->type() == QEvent::FocusIn) {
                rahmen->setGeometry(cb->x() - 3, cb->y() - 3, cb->width() + 6, cb->height() + 6);
                rahmen->raise();
                rahmen->show();
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zl
