#include "learning/exercise/widgets/zl_uebausw.h"

#include "controls/Zufall.h"
#include "datastore/JpegDatei.h"
#include "datastore/Kartenbilder.h"
#include "datastore/zl_data.h"
#include "learning/exercise/widgets/zl_uebkartdarst.h"
#include "learning/exercise/widgets/zl_uebmodal.h"
#include "learning/exercise/widgets/zl_uebopt.h"
#include "learning/exercise/zl_uebtypen.h"
#include "learning/mapview/zl_hauptfensterhost.h"
#include "learning/mapview/zl_rahmen.h"
#include "learning/network/widgets/zl_netzopt.h"
#include "platform/MessageService.h"

#include <QPainter>

namespace zl
{
namespace
{

constexpr int kBreite = 580;
constexpr int kHoehe = 531;
const char* const kFragAnzahlen[] = {"5", "10", "15", "20", "25", "30", "40", "50"};

QFont arial(int punkte, bool fett)
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(punkte);
    f.setBold(fett);
    return f;
}

QLabel* label(QWidget* eltern, const char* name, const QString& text = {})
{
    auto* l = new QLabel(text, eltern);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

} // namespace

TUebAuswForm::TUebAuswForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("UebAuswForm"));
    setWindowTitle(QStringLiteral("Übung auswählen"));
    setFixedSize(kBreite, kHoehe);
    BaueDialogRahmen(this, MainBackImg, Panel1);
    Panel1->setGeometry(8, 8, kBreite - 16, kHoehe - 16);

    Label1 = label(Panel1, "Label1", QStringLiteral("Übungsaus&wahl:"));
    Label1->setGeometry(8, 4, 200, 18);
    Label1->setFont(arial(9, true));
    UebAuswPan = new QWidget(Panel1);
    UebAuswPan->setObjectName(QStringLiteral("UebAuswPan"));
    UebAuswPan->setGeometry(4, 24, kBreite - 24, 234);
    FaerbeFlaeche(UebAuswPan, RGBFarbe(230, 234, 240)); // $F0EAE6
    Shape1 = new QWidget(UebAuswPan);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(UebAuswPan->rect());
    Shape1->setAttribute(Qt::WA_TransparentForMouseEvents);
    Shape1->setStyleSheet(QStringLiteral("#Shape1 { border: 1px solid #535E7B; }")); // $7B5E53

    UebKartVorschauImg = new TImage(UebAuswPan);
    UebKartVorschauImg->setObjectName(QStringLiteral("UebKartVorschauImg"));
    KartDarstBtn = NeuerKnopf(UebAuswPan, "KartDarstBtn", QStringLiteral("&Darstellung..."));
    UebTitLab = label(UebAuswPan, "UebTitLab");
    UebTitLab->setFont(arial(11, true));
    UTitLab = label(UebAuswPan, "UTitLab",
                    QStringLiteral("Die Aufgaben werden zufällig dynamisch aus dem Datenbestand generiert"));
    UTitLab->setFont(arial(8, false));
    for (int m = 0; m < 4; ++m) {
        UebRadio[m] = new QRadioButton(UebAuswPan);
        UebRadio[m]->setObjectName(QStringLiteral("UebRadio%1").arg(m + 1));
        UebRadio[m]->setFont(arial(9, true));
        UebAuswLab[m] = label(UebAuswPan, "");
        UebAuswLab[m]->setObjectName(QStringLiteral("UebAuswLab%1").arg(m + 1));
        UebAuswLab[m]->setFont(arial(8, false));
        connect(UebRadio[m], &QRadioButton::clicked, this, [this, m] {
            if (Host)
                Host->Fensterzustand().Uebung.UebModus = m + 1;
        });
    }
    Label1->setBuddy(UebRadio[0]); // "&w" shows as an underline and leads to the kinds
    FrageTypInfoLab = label(UebAuswPan, "FrageTypInfoLab");
    FrageTypInfoLab->setFont(arial(8, false));

    IntensGroup = new QGroupBox(QStringLiteral(" &Schwierigkeitsgrad / Intensitätsstufe "), Panel1);
    IntensGroup->setObjectName(QStringLiteral("IntensGroup"));
    IntensGroup->setGeometry(4, 264, kBreite - 24, 50);
    const char* const stufen[3] = {" &1 - Basis ", " &2 - Aufbau ", " &3 - Experte "};
    for (int i = 0; i < 3; ++i) {
        IntensRadio[i] = new QRadioButton(QString::fromLatin1(stufen[i]), IntensGroup);
        IntensRadio[i]->setGeometry(16 + i * 180, 20, 170, 22);
    }

    GroupBox1 = new QGroupBox(QStringLiteral(" Fragen&anzahl "), Panel1);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(4, 320, 366, 54);
    FragAnzCombo = new QComboBox(GroupBox1);
    FragAnzCombo->setObjectName(QStringLiteral("FragAnzCombo"));
    FragAnzCombo->setGeometry(12, 22, 60, 24);
    for (const char* n : kFragAnzahlen)
        FragAnzCombo->addItem(QString::fromLatin1(n));
    FragAnzHinweisLab = label(GroupBox1, "Label2", QStringLiteral("Zuordnungsaufgaben zählen als 5 Fragen"));
    FragAnzHinweisLab->setGeometry(82, 24, 276, 20);
    UebOptBtn = NeuerKnopf(Panel1, "UebOptBtn", QStringLiteral("&Fragetypen..."));
    UebOptBtn->setGeometry(386, 336, 120, 28);

    RandSeedPan = new QWidget(Panel1);
    RandSeedPan->setObjectName(QStringLiteral("RandSeedPan"));
    RandSeedPan->setGeometry(4, 380, kBreite - 24, 77);
    FaerbeFlaeche(RandSeedPan, RGBFarbe(230, 234, 240));
    NetzwerkUebung1 = new QCheckBox(QStringLiteral("Als &Netzwerk-Übung initiieren"), RandSeedPan);
    NetzwerkUebung1->setObjectName(QStringLiteral("NetzwerkUebung1"));
    NetzwerkUebung1->setGeometry(10, 8, 300, 22);
    RandSeedLab2 = label(RandSeedPan, "RandSeedLab2",
                         QStringLiteral("(Nur vom Lehrer-PC starten, alle Teilnehmer erhalten die gleichen Fragen.)"));
    RandSeedLab2->setGeometry(28, 32, 420, 18);
    RandSeedLab2->setFont(arial(8, false));
    RandSeedLab1 = RandSeedLab2;
    CloseBtn = NeuerKnopf(RandSeedPan, "CloseBtn", QStringLiteral("Netz&optionen..."));
    CloseBtn->setGeometry(RandSeedPan->width() - 130, 8, 120, 28);

    StartBtn = NeuerKnopf(Panel1, "StartBtn", QStringLiteral("&Übung starten"));
    StartBtn->SetDefault(true);
    StartBtn->setGeometry(4, 470, 120, 30);
    NetzUebungTeilnehmenBtn =
        NeuerKnopf(Panel1, "NetzUebungTeilnehmenBtn", QStringLiteral("An &Netzwerk-Übung teilnehmen..."));
    NetzUebungTeilnehmenBtn->setGeometry(130, 470, 190, 30);
    LesezeichenBtn = NeuerKnopf(Panel1, "LesezeichenBtn", QStringLiteral("&Lesezeichen setzen..."));
    LesezeichenBtn->setGeometry(326, 470, 130, 30);
    AbbrBtn = NeuerKnopf(Panel1, "AbbrBtn", QStringLiteral("Abbrechen"));
    AbbrBtn->SetModalResult(mbCancel);
    AbbrBtn->SetCancel(true);
    AbbrBtn->setGeometry(462, 470, 94, 30);

    connect(StartBtn, &QPushButton::clicked, this, [this] { StartBtnClick(); });
    connect(UebOptBtn, &QPushButton::clicked, this, [this] { UebOptBtnClick(); });
    connect(KartDarstBtn, &QPushButton::clicked, this, [this] { KartDarstBtnClick(); });
    connect(NetzwerkUebung1, &QCheckBox::toggled, this, [this](bool an) { NetzUebungTeilnehmenBtn->setEnabled(!an); });
    connect(CloseBtn, &QPushButton::clicked, this, [] {
        if (NetzOptForm)
            UebModal(NetzOptForm);
    });
    connect(LesezeichenBtn, &QPushButton::clicked, this, [this] {
        if (LesezeichenSetzen)
            LesezeichenSetzen();
    });
    connect(NetzUebungTeilnehmenBtn, &QPushButton::clicked, this, [this] {
        if (NetzTeilnehmen)
            NetzTeilnehmen();
    });
}

void TUebAuswForm::Fuelle(int Index, const UebungDataTyp& Eintrag)
{
    int y = 10;
    UebKartVorschauImg->setGeometry(14, y + 3, 120, 93);
    KartDarstBtn->setGeometry(14, y + 3 + 93 + 8, 120, 26);
    UebTitLab->setGeometry(136, y, 405, 25);
    UebTitLab->setText(KartenName(Eintrag.UebKartID));
    y += 20;
    UTitLab->setGeometry(136, y, 405, 25);
    y += 26;
    for (int m = 1; m <= 4; ++m) {
        QRadioButton* rb = UebRadio[m - 1];
        rb->setGeometry(136, y, 430, 20);
        rb->setText(UebModusTitel(m));
        QString info = UebModusInfo(m);
        if (m == 2) {
            const bool ohneLaender = Eintrag.Gebiet == -1;
            if (ohneLaender && rb->isChecked())
                UebRadio[0]->setChecked(true);
            rb->setEnabled(!ohneLaender);
            if (ohneLaender)
                info = QStringLiteral("Für ") + KartenName(Eintrag.UebKartID) +
                       QStringLiteral(" nicht verfügbar (Karte mit übergeordnetem Gebiet wählen)");
        }
        y += 20;
        UebAuswLab[m - 1]->setGeometry(155, y, 400, 20);
        UebAuswLab[m - 1]->setText(info);
        y += m < 4 ? 20 : 16;
    }
    FrageTypInfoLab->setGeometry(155, y, 400, 20);
    if (Host)
        Host->Fensterzustand().Uebung.UebKartIndex = Index;
    RandSeedPan->show();
    setFixedSize(kBreite, kHoehe);
}

void TUebAuswForm::ZeigeFragTypAnzahl()
{
    const QString maske = Host ? Host->Fensterzustand().FragTypMasken[3] : QString();
    FrageTypInfoLab->setText(QString::number(ZaehleMaskenTypen(maske)) + QStringLiteral(" von ") +
                             QString::number(kFragTypen) + QStringLiteral(" ausgewählt"));
}

void TUebAuswForm::ZeigeKartenvorschau()
{
    const int w = UebKartVorschauImg->width(), h = UebKartVorschauImg->height();
    QImage bild(std::max(1, w), std::max(1, h), QImage::Format_RGB32);
    bild.fill(Qt::white);
    const QString karte = Host ? Host->Fensterzustand().AktKartID : QString();
    try {
        QImage geladen;
        if (LadeKartenbild(geladen, w, h, KleinbildPfad(karte, UebKartTyp), true, true))
            bild = geladen;
    } catch (const EBildFehler&) {
        // A damaged thumbnail leaves the preview blank.
    }
    UebKartVorschauImg->SetPicture(bild);
}

int TUebAuswForm::IntensIndex() const
{
    for (int i = 0; i < 3; ++i)
        if (IntensRadio[i]->isChecked())
            return i;
    return -1;
}

void TUebAuswForm::SetzeIntensIndex(int i)
{
    if (i >= 0 && i < 3)
        IntensRadio[i]->setChecked(true);
}

int TUebAuswForm::FragAnzahl() const
{
    return FragAnzCombo->currentText().toInt();
}

void TUebAuswForm::showEvent(QShowEvent* event)
{
    // A new random start each time; its seed is proposed for the next exercise.
    Zufall::Randomize();
    RandSeedText = QString::number(Zufall::RandSeed());
    FormActivate();
    QDialog::showEvent(event);
}

void TUebAuswForm::FormActivate()
{
    RandSeedPan->show();
    if (NetzwerkUebung1->isChecked() && Host)
        Host->LoescheNetzDatei();
    ZeichneDialogHintergrund(MainBackImg);
    MainBackImg->lower();
    FaerbeKnoepfe(this);
    if (!Host)
        return;
    Uebungszustand& U = Host->Fensterzustand().Uebung;
    const int i = FragAnzCombo->findText(QString::number(U.UebFragAnz));
    FragAnzCombo->setCurrentIndex(i >= 0 ? i : 3);
    NetzUebungTeilnehmenBtn->setEnabled(!NetzwerkUebung1->isChecked());
    ZeigeFragTypAnzahl();
    ZeigeKartenvorschau();
    if (U.UebModus == 2 && !UebRadio[1]->isEnabled())
        U.UebModus = 1;
    if (U.UebModus < 1 || U.UebModus > 4)
        U.UebModus = 1;
    UebRadio[U.UebModus - 1]->setChecked(true);
    // An intensity out of range counts as "Basis".
    if (U.UebIntensitaet < 1 || U.UebIntensitaet > 3)
        U.UebIntensitaet = 1;
    SetzeIntensIndex(U.UebIntensitaet - 1);
    StartBtn->setFocus();
}

void TUebAuswForm::StartBtnClick()
{
    // On success the check has closed the window already.
    if (PruefeStart)
        PruefeStart();
}

void TUebAuswForm::UebOptBtnClick()
{
    if (!Host || !UebungsoptForm)
        return;
    if (UebungsoptForm->Bearbeite(Host->Fensterzustand().FragTypMasken[3])) {
        UebRadio[3]->setChecked(true);
        Host->Fensterzustand().Uebung.UebModus = 4;
        Host->SchreibeEinstellung(QStringLiteral("FragTypOk"));
    }
    ZeigeFragTypAnzahl();
}

void TUebAuswForm::KartDarstBtnClick()
{
    if (!Host || !UebKartDarstForm)
        return;
    if (UebKartDarstForm->Bearbeite(UebKartTyp)) {
        Host->SchreibeEinstellung(QStringLiteral("UebKartTyp"));
        ZeigeKartenvorschau();
    }
}

} // namespace zl
