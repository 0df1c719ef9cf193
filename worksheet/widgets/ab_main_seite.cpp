// The worksheet page of Foliavo's main window: the composer's controls, the preview and its
// two zoom views with drag scrolling.

#include "worksheet/widgets/ab_main.h"

#include "datastore/Kartenbilder.h"
#include "datastore/zl_data.h"
#include "learning/mapview/widgets/zl_gestaltung.h"
#include "platform/MessageService.h"
#include "raster/widgets/Rast32_Image.h"
#include "worksheet/ab_data.h"
#include "worksheet/ab_seite.h"
#include "worksheet/widgets/ab_objhinzu.h"
#include "worksheet/widgets/ab_voreinstform.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>

namespace zl::ab
{

namespace
{

// The page panel: dragging it (or the preview on it) scrolls the scroll box.
class TSeitenPanel : public QWidget
{
  public:
    explicit TSeitenPanel(QScrollArea* Box) : m_box(Box) {}

  protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        if (e->button() != Qt::LeftButton)
            return;
        m_y = int(e->globalPosition().y());
        m_pos = m_box->verticalScrollBar()->value();
        m_ziehen = true;
        QGuiApplication::setOverrideCursor(Qt::PointingHandCursor);
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        if (!m_ziehen)
            return;
        const int y = int(e->globalPosition().y());
        const int gewuenscht = m_pos + m_y - y;
        QScrollBar* s = m_box->verticalScrollBar();
        s->setValue(gewuenscht);
        const int ist = s->value();
        m_pos = ist;
        m_y = m_y + (ist - gewuenscht);
    }
    void mouseReleaseEvent(QMouseEvent*) override
    {
        if (m_ziehen)
            QGuiApplication::restoreOverrideCursor();
        m_ziehen = false;
    }

  private:
    QScrollArea* m_box;
    int m_y = 0, m_pos = 0;
    bool m_ziehen = false;
};

QLabel* Beschriftung(const QString& Text, QWidget* Parent)
{
    auto* l = new QLabel(Text, Parent);
    l->setStyleSheet(QStringLiteral("color: white;"));
    return l;
}

} // namespace

void TForm1::ErzeugeArbeitsblattSeite()
{
    ABBasisPan = new QWidget;
    ABBasisPan->setObjectName(QStringLiteral("ABBasisPan"));
    FaerbeFlaeche(ABBasisPan, kFarbeC2);
    Seiten->addWidget(ABBasisPan);

    ABScrollBox = new QScrollArea(ABBasisPan);
    ABScrollBox->setObjectName(QStringLiteral("ABScrollBox"));
    ABScrollBox->setWidgetResizable(false);
    ABScrollBox->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    ABScrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ABPan = new TSeitenPanel(ABScrollBox);
    ABPan->setObjectName(QStringLiteral("ABPan"));
    FaerbeFlaeche(ABPan, int(0x808080));
    ABImg = new TImage32(ABPan);
    ABImg->setObjectName(QStringLiteral("ABImg"));
    ABImg->SetBitmapAlign(baCenter);
    ABImg->SetScaleMode(smResize);
    ABImg->Bitmap().SetStretchFilter(sfLinear);
    ABImg->Loaded();
    ABImg->setAttribute(Qt::WA_TransparentForMouseEvents);
    ABScrollBox->setWidget(ABPan);

    ABRePan = new QWidget(ABBasisPan);
    ABRePan->setObjectName(QStringLiteral("ABRePan"));
    FaerbeFlaeche(ABRePan, kFarbeC1);
    auto* ThemaLab = Beschriftung(QStringLiteral("&Thema:"), ABRePan);
    ABThemaCombo = new QComboBox(ABRePan);
    ABThemaCombo->setObjectName(QStringLiteral("ABThemaCombo"));
    ABThemaCombo->addItems(Themen);
    ABThemaCombo->setCurrentIndex(Dokument.Thema);
    ThemaLab->setBuddy(ABThemaCombo);
    auto* IntensLab = Beschriftung(QStringLiteral("&Intensität:"), ABRePan);
    ABIntensCombo = new QComboBox(ABRePan);
    ABIntensCombo->setObjectName(QStringLiteral("ABIntensCombo"));
    ABIntensCombo->addItems({QStringLiteral("1 - Basis"), QStringLiteral("2 - Aufbau"), QStringLiteral("3 - Experte")});
    ABIntensCombo->setCurrentIndex(Dokument.Intens);
    IntensLab->setBuddy(ABIntensCombo);
    ABGenerierenBtn = new QPushButton(QStringLiteral("Neu zufällig &generieren"), ABRePan);
    ABGenerierenBtn->setObjectName(QStringLiteral("ABGenerierenBtn"));
    auto* ListLab = Beschriftung(QStringLiteral("Abfrageobjekte:"), ABRePan);
    ABObjList = new QListWidget(ABRePan);
    ABObjList->setObjectName(QStringLiteral("ABObjList"));
    ABObjList->installEventFilter(this);
    ABMischenBtn = new QPushButton(QStringLiteral("&Mischen"), ABRePan);
    ABObjListEntf = new QPushButton(QStringLiteral("Entfernen"), ABRePan);
    ABObjListHinzu = new QPushButton(QStringLiteral("Aus&wahl..."), ABRePan);
    auto* AufgLab = Beschriftung(QStringLiteral("&Aufgabe:"), ABRePan);
    ABAufgabeCombo = new QComboBox(ABRePan);
    ABAufgabeCombo->setObjectName(QStringLiteral("ABAufgabeCombo"));
    ABAufgabeCombo->addItems(Aufgaben);
    ABAufgabeCombo->setCurrentIndex(Dokument.Aufgabe);
    AufgLab->setBuddy(ABAufgabeCombo);
    ABLsgBox = new QCheckBox(QStringLiteral("&Lösung"), ABRePan);
    ABLsgBox->setObjectName(QStringLiteral("ABLsgBox"));
    ABLsgBox->setChecked(Dokument.Lsg);
    ABKomplettBox = new QCheckBox(QStringLiteral("Komplett"), ABRePan);
    ABKomplettBox->setObjectName(QStringLiteral("ABKomplettBox"));
    ABKomplettBox->setChecked(Dokument.Komplett);
    for (QCheckBox* b : {ABLsgBox, ABKomplettBox})
        b->setStyleSheet(QStringLiteral("color: white;"));
    ABOptBtn = new QPushButton(QStringLiteral("O&ptionen..."), ABRePan);

    int y = 10;
    auto setze = [&y](QWidget* w, int h, int abstand = 4) {
        w->setGeometry(10, y, 220, h);
        y += h + abstand;
    };
    setze(ThemaLab, 18, 0);
    setze(ABThemaCombo, 26);
    setze(IntensLab, 18, 0);
    setze(ABIntensCombo, 26);
    setze(ABGenerierenBtn, 30, 10);
    setze(ListLab, 18, 0);
    ABObjList->setProperty("oben", y);
    connect(ABThemaCombo, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (m_fuelleSteuerung || i < 0)
            return;
        Dokument.Thema = i;
        ABGenerierenBtnClick();
    });
    connect(ABIntensCombo, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (m_fuelleSteuerung || i < 0)
            return;
        Dokument.Intens = i;
        ABGenerierenBtnClick();
    });
    connect(ABGenerierenBtn, &QPushButton::clicked, this, [this] { ABGenerierenBtnClick(); });
    connect(ABMischenBtn, &QPushButton::clicked, this, [this] { ABMischenBtnClick(); });
    connect(ABObjListEntf, &QPushButton::clicked, this, [this] { ABObjListEntfClick(); });
    connect(ABObjListHinzu, &QPushButton::clicked, this, [this] { ABObjListHinzuClick(); });
    connect(ABOptBtn, &QPushButton::clicked, this, [this] { ABOptBtnClick(); });
    connect(ABAufgabeCombo, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (m_fuelleSteuerung || i < 0)
            return;
        Dokument.Aufgabe = i;
        if (!ErsteAktivierung) {
            SchreibeEinstellungen();
            ZeichneArbeitsblatt();
        }
    });
    auto loesung = [this] {
        if (m_fuelleSteuerung)
            return;
        Dokument.Lsg = ABLsgBox->isChecked();
        Dokument.Komplett = ABKomplettBox->isChecked();
        if (!ErsteAktivierung) {
            SchreibeEinstellungen();
            ZeichneArbeitsblatt();
        }
    };
    connect(ABLsgBox, &QCheckBox::toggled, this, loesung);
    connect(ABKomplettBox, &QCheckBox::toggled, this, loesung);
    m_aufgabeLab = AufgLab;
}

void TForm1::OrdneArbeitsblatt()
{
    const int W = ABBasisPan->width(), H = ABBasisPan->height();
    const int rechts = 240;
    ABRePan->setGeometry(W - rechts, 0, rechts, H);
    ABScrollBox->setGeometry(0, 0, std::max(0, W - rechts), H);
    const int oben = ABObjList->property("oben").toInt();
    const int unten = H - 10;
    // From the bottom: options, solution boxes, task, then the list's buttons.
    ABOptBtn->setGeometry(10, unten - 30, 220, 30);
    ABLsgBox->setGeometry(10, unten - 60, 100, 24);
    ABKomplettBox->setGeometry(120, unten - 60, 110, 24);
    ABAufgabeCombo->setGeometry(10, unten - 92, 220, 26);
    m_aufgabeLab->setGeometry(10, unten - 110, 220, 18);
    const int knoepfe = unten - 146;
    ABMischenBtn->setGeometry(10, knoepfe, 70, 28);
    ABObjListEntf->setGeometry(84, knoepfe, 70, 28);
    ABObjListHinzu->setGeometry(158, knoepfe, 72, 28);
    ABObjList->setGeometry(10, oben, 220, std::max(40, knoepfe - 6 - oben));

    const int sw = ABScrollBox->viewport()->width(), sh = ABScrollBox->viewport()->height();
    const QSize p = ABGanzeSeite->isChecked() ? GanzeSeitePanel(ABScrollBox->height()) : SeitenbreitePanel(sw + 0);
    ABPan->resize(p);
    ABPan->setCursor(ABGanzeSeite->isChecked() ? Qt::ArrowCursor : Qt::PointingHandCursor);
    ABImg->setGeometry(20, 20, std::max(1, p.width() - 40), std::max(1, p.height() - 40));
    Q_UNUSED(sh);
}

void TForm1::SetzeSeitenansicht(bool GanzeSeite)
{
    ABGanzeSeite->setChecked(GanzeSeite);
    ABSeitenbreite->setChecked(!GanzeSeite);
    ABAnsichtBtn->setChecked(GanzeSeite);
    ABAnsichtBtn->setText(GanzeSeite ? QStringLiteral("Seitenbreite") : QStringLiteral("Ganze Seite"));
    Einst.GanzeSeite = GanzeSeite;
    if (!ErsteAktivierung)
        SchreibeEinstellungen();
    if (Ansichtsmodus == kArbeitsblatt)
        ZeigeArbeitsblatt(0);
}

void TForm1::ZeigeArbeitsblatt(int Art)
{
    Ansichtsmodus = kArbeitsblatt;
    ZeigeModus();
    SetzeTitel();
    if (Art > 0)
        ZeigeIntensitaetsAnzahlen();
    MarkiereKartTyp();
    OrdneArbeitsblatt();
    if (Art > 0)
        ABScrollBox->verticalScrollBar()->setValue(0);
    if (Art == 1) {
        ZeigeEintragsliste();
        ZeichneArbeitsblatt();
    } else if (Art == 2) {
        ABGenerierenBtnClick();
    }
}

void TForm1::ZeigeIntensitaetsAnzahlen()
{
    const QStringList t = IntensitaetsTexte(CalcLernObjAnz(ObjDaten, Dokument.KartID), Dokument.Gruppe());
    m_fuelleSteuerung = true;
    for (int i = 0; i < 3; ++i)
        ABIntensCombo->setItemText(i, t[i]);
    ABThemaCombo->setCurrentIndex(Dokument.Thema);
    ABIntensCombo->setCurrentIndex(Dokument.Intens);
    ABAufgabeCombo->setCurrentIndex(Dokument.Aufgabe);
    ABLsgBox->setChecked(Dokument.Lsg);
    ABKomplettBox->setChecked(Dokument.Komplett);
    m_fuelleSteuerung = false;
}

void TForm1::ABGenerierenBtnClick()
{
    SchreibeEinstellungen();
    ZeigeIntensitaetsAnzahlen();
    GeneriereArbeitsblatt(Dokument, ObjDaten, Voreinstellungen.MaxAnz);
    ZeigeEintragsliste();
    ZeichneArbeitsblatt();
}

void TForm1::ABMischenBtnClick()
{
    MischeEintraege(Dokument);
    ZeigeEintragsliste();
    ZeichneArbeitsblatt();
}

void TForm1::ABObjListEntfClick()
{
    const int i = ABObjList->currentRow();
    if (i < 0 || !ABObjList->currentItem()->isSelected()) {
        ZeigeInfo(QStringLiteral("Markieren Sie zuerst den zu löschenden Eintrag in der Liste."));
        return;
    }
    const int neu = EntferneEintrag(Dokument, i);
    ZeigeEintragsliste();
    if (neu >= 0)
        ABObjList->setCurrentRow(neu);
    ZeichneArbeitsblatt();
}

void TForm1::ABObjListHinzuClick()
{
    if (!ObjHinzuForm)
        return;
    ObjHinzuForm->Fuelle(HinzuKandidaten(Dokument, ObjDaten));
    if (ObjHinzuForm->exec() != QDialog::Accepted)
        return;
    UebernimmAuswahl(Dokument, ObjDaten, ObjHinzuForm->Gewaehlt());
    ZeigeEintragsliste();
    ZeichneArbeitsblatt();
}

void TForm1::ZeigeEintragsliste()
{
    ABObjList->clear();
    ABObjList->addItems(Eintragsliste(Dokument));
    ErzeugeNummerierung(Dokument);
}

void TForm1::ZeichneArbeitsblatt()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    Dokument.Vorein = Voreinstellungen;
    Dokument.ObjDatei = ObjDatei;
    TSeite S = ab::ZeichneArbeitsblatt(Dokument, Voreinstellungen, KartenName(Dokument.KartID));
    Seitenmetafile = S.Metafile;
    ZeigeVorschau();
    QGuiApplication::restoreOverrideCursor();
    const QString bild = KartenbildPfad(Dokument.KartID, Dokument.KartTyp, QStringLiteral("1"));
    if (!S.Warnung.isEmpty() && GewarntesBild != bild) {
        GewarntesBild = bild;
        ZeigeWarnung(S.Warnung);
    } else if (S.Warnung.isEmpty()) {
        GewarntesBild.clear();
    }
}

void TForm1::ZeigeVorschau()
{
    if (!Seitenmetafile)
        return;
    TBitmap32 Seite;
    Seite.Assign(Seitenbild(*Seitenmetafile));
    TBitmap32& Ziel = ABImg->Bitmap();
    Ziel.SetDrawMode(dmOpaque);
    Ziel.SetStretchFilter(sfLinear);
    Ziel.SetDimensions(Seite.Width(), Seite.Height());
    Ziel.DrawAt(0, 0, &Seite);
    ABImg->Changed();
    ABImg->show();
}

void TForm1::ABOptBtnClick()
{
    if (!VoreinstForm)
        return;
    VoreinstForm->Zeige(Voreinstellungen, Aufgaben, m_store);
    if (VoreinstForm->exec() != QDialog::Accepted)
        return;
    Voreinstellungen = VoreinstForm->Werte();
    if (Ansichtsmodus == kArbeitsblatt)
        ZeichneArbeitsblatt();
}

} // namespace zl::ab
