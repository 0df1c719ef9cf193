// The label view of Foliavo's main window (mode 2): the map with its labels and the box-frame
// preview, the five learning lists with their tabs and intensity buttons, and the label editor's
// host.

#include "worksheet/widgets/ab_main.h"

#include "datastore/JpegDatei.h"
#include "datastore/Kartenbilder.h"
#include "learning/mapview/widgets/zl_gestaltung.h"
#include "learning/mapview/widgets/zl_lernkarte_steuer.h"
#include "learning/mapview/zl_lernlisten.h"
#include "platform/MessageService.h"
#include "worksheet/ab_data.h"
#include "worksheet/ab_datei.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSet>
#include <QStackedWidget>

namespace zl::ab
{

namespace
{

// The map picture of the label view: reports the mouse and clicks.
class TLernKartBild : public QLabel
{
  public:
    using QLabel::QLabel;
    std::function<void(QPoint)> OnBewegung;
    std::function<void()> OnKlick;

  protected:
    void mouseMoveEvent(QMouseEvent* e) override
    {
        if (OnBewegung)
            OnBewegung(e->position().toPoint());
    }
    void mousePressEvent(QMouseEvent*) override
    {
        if (OnKlick)
            OnKlick();
    }
};

// The 17 x 17 square on the label under the mouse; a click opens the editor on it.
class TTrefferQuadrat : public QWidget
{
  public:
    using QWidget::QWidget;
    std::function<void()> OnKlick;

  protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setPen(QPen(QColor(255, 0, 0), 2));
        p.drawRect(rect().adjusted(1, 1, -1, -1));
    }
    void mousePressEvent(QMouseEvent*) override
    {
        if (OnKlick)
            OnKlick();
    }
};

// The pointer arrow on the selected label: its tip is the widget's top-left corner. While the
// label editor is open it can be dragged, and its tip becomes the label's position.
class TZeigerPfeil : public QWidget
{
  public:
    using QWidget::QWidget;
    std::function<void(QPoint)> OnGezogen; // the tip in the parent's coordinates
    std::function<void()> OnLosgelassen;
    bool Ziehbar = false;

  protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(255, 0, 0));
        p.drawPolygon(QPolygon(
            {QPoint(0, 0), QPoint(14, 5), QPoint(9, 9), QPoint(20, 20), QPoint(17, 23), QPoint(6, 12), QPoint(4, 16)}));
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        if (Ziehbar && e->button() == Qt::LeftButton)
            m_griff = e->position().toPoint();
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        if (!Ziehbar || !(e->buttons() & Qt::LeftButton))
            return;
        move(mapToParent(e->position().toPoint() - m_griff));
        m_gezogen = true;
        if (OnGezogen)
            OnGezogen(pos());
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        if (m_gezogen && e->button() == Qt::LeftButton && OnLosgelassen)
            OnLosgelassen();
        m_gezogen = false;
    }

  private:
    QPoint m_griff;
    bool m_gezogen = false;
};

const QString kReiter[5] = {QStringLiteral("Länder"), QStringLiteral("Städte"), QStringLiteral("Gewässer"),
                            QStringLiteral("Landschaften"), QStringLiteral("Inseln")};

// The type sets of the label view's lists 1..5.
const QString kListenGruppen[5] = {QStringLiteral("~L~LX~IS~"), QStringLiteral("~S~H~"), QStringLiteral("~G~"),
                                   QStringLiteral("~B~GB~"), QStringLiteral("~I~IS~")};

} // namespace

void TForm1::ErzeugeLernkarte()
{
    LernPan = new QWidget;
    LernPan->setObjectName(QStringLiteral("LernPan"));
    FaerbeFlaeche(LernPan, kFarbeC1);
    Seiten->addWidget(LernPan);
    LernKartPan = new QWidget(LernPan);
    LernKartPan->setObjectName(QStringLiteral("LernKartPan"));
    FaerbeFlaeche(LernKartPan, kFarbeC2);
    auto* Bild = new TLernKartBild(LernKartPan);
    Bild->setObjectName(QStringLiteral("LernKartPicImg"));
    Bild->setMouseTracking(true);
    Bild->setAlignment(Qt::AlignCenter);
    LernKartPicImg = Bild;
    auto* Quadrat = new TTrefferQuadrat(LernKartPan);
    Quadrat->setObjectName(QStringLiteral("KartEditShape"));
    Quadrat->setCursor(Qt::PointingHandCursor);
    Quadrat->hide();
    Quadrat->setProperty("Tag", -1);
    KartEditShape = Quadrat;
    Bild->OnBewegung = [this](QPoint p) {
        TABBeschriftungsZustand z;
        z.AktKartID = Dokument.KartID;
        z.LernIntensitaet = LernIntensitaet;
        z.Ebenen = Ebenen;
        const int i =
            ObjektUnterMaus(p.x(), p.y(), LernKartPicImg->width(), LernKartPicImg->height(), KartenAusschnitt, z);
        KartEditShape->setProperty("Tag", i);
        if (i < 0) {
            KartEditShape->hide();
            return;
        }
        const QPoint m = KartenPunkt(i);
        KartEditShape->setGeometry(m.x() - 8, m.y() - 8, 17, 17);
        KartEditShape->show();
        KartEditShape->raise();
    };
    auto* Pfeil = new TZeigerPfeil(LernKartPan);
    Pfeil->setObjectName(QStringLiteral("LernPfeilImg"));
    Pfeil->resize(24, 24);
    Pfeil->hide();
    LernPfeilImg = Pfeil;
    Pfeil->OnGezogen = [this](QPoint Spitze) {
        TObjEditneuForm* e = Editor();
        if (!e || !e->isVisible())
            return;
        const QPoint p = Spitze - LernKartPicImg->pos();
        const double px = KartenAusschnitt.Left / 10000.0 + double(p.x()) / std::max(1, LernKartPicImg->width()) *
                                                                (KartenAusschnitt.Right - KartenAusschnitt.Left) /
                                                                10000.0;
        const double py = KartenAusschnitt.Top / 10000.0 + double(p.y()) / std::max(1, LernKartPicImg->height()) *
                                                               (KartenAusschnitt.Bottom - KartenAusschnitt.Top) /
                                                               10000.0;
        e->Editor().SetzePosition(px, py);
    };
    // The drag ends: the new position is taken over into the label and the view redrawn.
    Pfeil->OnLosgelassen = [this] {
        TObjEditneuForm* e = Editor();
        if (!e || !e->isVisible())
            return;
        if (const int i = e->Editor().UebernimmObjekt(); i >= 0)
            ObjektGeaendert(i);
    };
    Bild->OnKlick = [this] {
        if (LernPfeilImg->isVisible())
            LernPfeilImg->hide();
        else if (AktObjekt >= 0)
            PositioniereZeiger(AktObjekt);
    };
    Quadrat->OnKlick = [this] {
        const int i = KartEditShape->property("Tag").toInt();
        if (i < 0)
            return;
        if (!(Editor() && Editor()->isVisible()))
            ZeigeEditor();
        WaehleObjekt(i);
    };

    LernObjPan = new QWidget(LernPan);
    LernObjPan->setObjectName(QStringLiteral("LernObjPan"));
    FaerbeFlaeche(LernObjPan, kFarbeC3);
    const QString Stufen[3] = {QStringLiteral("1 - Basis"), QStringLiteral("2 - Aufbau"),
                               QStringLiteral("3 - Experte")};
    for (int k = 0; k < 3; ++k) {
        IntensBtn[k] = new QPushButton(Stufen[k], LernObjPan);
        IntensBtn[k]->setCheckable(true);
        IntensBtn[k]->setFocusPolicy(Qt::NoFocus);
        connect(IntensBtn[k], &QPushButton::clicked, this, [this, k] { SetzeLernIntensitaet(k + 1); });
    }
    for (int k = 0; k < 5; ++k) {
        ReiterBtn[k] = new QPushButton(kReiter[k], LernObjPan);
        ReiterBtn[k]->setCheckable(true);
        ReiterBtn[k]->setFocusPolicy(Qt::NoFocus);
        connect(ReiterBtn[k], &QPushButton::clicked, this, [this, k] {
            Ebenen[k] = true;
            EbenenItem[k]->setChecked(true);
            SetzeObjReiter(k + 1);
        });
    }
    LernListe = new QListWidget(LernObjPan);
    LernListe->setObjectName(QStringLiteral("LernListe"));
    connect(LernListe, &QListWidget::currentRowChanged, this, [this](int r) {
        if (r < 0 || m_fuelleSteuerung)
            return;
        const int i = LernListe->item(r)->data(Qt::UserRole).toInt();
        AktObjekt = i;
        PositioniereZeiger(i);
        if (Editor() && Editor()->isVisible() && i >= 0)
            Editor()->ZeigeObjekt(i);
    });
    ObjEditBtn = new QPushButton(QStringLiteral("Bearbeitungsdialog"), LernObjPan);
    ObjEditBtn->setObjectName(QStringLiteral("ObjEditBtn"));
    connect(ObjEditBtn, &QPushButton::clicked, this, [this] { ZeigeEditor(); });
    AutoEditBox = new QCheckBox(QStringLiteral("Automatisch ein-/ausblenden"), LernObjPan);
    AutoEditBox->setObjectName(QStringLiteral("AutoEdit"));
    AutoEditBox->setChecked(Einst.AutoEdit);
    connect(AutoEditBox, &QCheckBox::toggled, this, [this] { SchreibeEinstellungen(); });
}

void TForm1::OrdneLernkarte()
{
    const int W = LernPan->width(), H = LernPan->height();
    const int kw = int(std::lround(0.7 * W));
    LernKartPan->setGeometry(0, 0, kw, H);
    LernObjPan->setGeometry(kw + 4, 0, std::max(0, W - kw - 4), H);
    const int w = LernObjPan->width();
    const int a = int(std::lround((w - 8) * 0.5));
    for (int k = 0; k < 3; ++k)
        IntensBtn[k]->setGeometry(w - a - 8, 8 + 35 * k, a, 36);
    for (int k = 0; k < 5; ++k)
        ReiterBtn[k]->setGeometry(9, 8 + 21 * k, std::max(20, w - a - 16), 22);
    LernListe->setGeometry(9, 121, std::max(20, w - 18), std::max(40, H - 131 - 70));
    ObjEditBtn->setGeometry(9, H - 64, std::max(20, w - 18), 28);
    AutoEditBox->setGeometry(9, H - 32, std::max(20, w - 18), 24);
}

QPoint TForm1::KartenPunkt(int i) const
{
    const ObjDataTyp& o = ObjDaten[i];
    const double sw = std::max(1, KartenAusschnitt.Right - KartenAusschnitt.Left) / 10000.0;
    const double sh = std::max(1, KartenAusschnitt.Bottom - KartenAusschnitt.Top) / 10000.0;
    return LernKartPicImg->pos() +
           QPoint(int(std::lround((o.Px - KartenAusschnitt.Left / 10000.0) * LernKartPicImg->width() / sw)),
                  int(std::lround((o.Py - KartenAusschnitt.Top / 10000.0) * LernKartPicImg->height() / sh)));
}

void TForm1::PositioniereZeiger(int i)
{
    if (i < 0 || i >= ObjDaten.size() || ObjDaten[i].KartID != Dokument.KartID) {
        LernPfeilImg->hide();
        return;
    }
    static_cast<TZeigerPfeil*>(LernPfeilImg)->Ziehbar = Editor() && Editor()->isVisible();
    LernPfeilImg->move(KartenPunkt(i));
    LernPfeilImg->show();
    LernPfeilImg->raise();
}

void TForm1::ZeigeLernkarte()
{
    Ansichtsmodus = kLernkarte;
    AktObjekt = -1;
    LernPfeilImg->hide();
    ZeigeModus();
    SetzeTitel();
    MarkiereKartTyp();
    OrdneLernkarte();
    SetzeLernIntensitaet(LernIntensitaet);
}

void TForm1::SetzeLernIntensitaet(int Stufe)
{
    LernIntensitaet = std::clamp(Stufe, 1, 3);
    if (!ErsteAktivierung)
        SchreibeEinstellungen();
    for (int k = 0; k < 3; ++k) {
        IntensBtn[k]->setChecked(k + 1 == LernIntensitaet);
        IntensItem[k]->setChecked(k + 1 == LernIntensitaet);
    }
    FuelleLernlisten();
    ZeichneLernkarte();
}

void TForm1::SetzeObjReiter(int Reiter)
{
    ObjReiter = std::clamp(Reiter, 1, 5);
    FuelleLernlisten();
    ZeichneLernkarte();
}

void TForm1::FuelleLernlisten()
{
    for (int k = 0; k < 5; ++k)
        ReiterBtn[k]->setChecked(k + 1 == ObjReiter);
    const bool mitIntens = Editor() && Editor()->isVisible();
    m_fuelleSteuerung = true;
    LernListe->clear();
    // The list of the tab: the labels of its types up to the intensity, sorted, each with its index.
    QList<TLernEintrag> l;
    QSet<QString> vorhanden;
    for (int i = 0; i < ObjDaten.size(); ++i) {
        const ObjDataTyp& o = ObjDaten[i];
        if (o.KartID != Dokument.KartID || o.Intens > LernIntensitaet ||
            !kListenGruppen[ObjReiter - 1].contains(u'~' + o.ObjTyp + u'~') || o.ObjTyp.isEmpty())
            continue;
        QString t = QLatin1Char(' ') + EntferneTrennzeichen(o.Bez);
        while (vorhanden.contains(t.toCaseFolded()))
            t += u'\'';
        vorhanden.insert(t.toCaseFolded());
        if (mitIntens)
            t += QStringLiteral(" (%1)").arg(o.Intens);
        l.append({t, i});
    }
    std::stable_sort(l.begin(), l.end(), [](const TLernEintrag& a, const TLernEintrag& b) {
        return VergleicheListentext(a.Text, b.Text) < 0;
    });
    for (const TLernEintrag& e : l) {
        auto* item = new QListWidgetItem(e.Text, LernListe);
        item->setData(Qt::UserRole, e.Objekt);
        if (e.Objekt == AktObjekt)
            LernListe->setCurrentItem(item);
    }
    m_fuelleSteuerung = false;
}

void TForm1::ZeichneLernkarte()
{
    if (Ansichtsmodus != kLernkarte)
        return;
    const int bw = std::max(1, LernKartPan->width() - 16), bh = std::max(1, LernKartPan->height() - 16);
    QString fehler;
    const QString pfad = KartenbildPfad(Dokument.KartID, Dokument.KartTyp, QStringLiteral("5"));
    if (!LadeKartenCache(pfad, &fehler) || !KartenCache || KartenCache->Empty()) {
        if (!fehler.isEmpty() && GewarntesBild != pfad) {
            GewarntesBild = pfad;
            ZeigeWarnung(fehler);
        }
        LernKartPicImg->setPixmap(QPixmap());
        return;
    }
    Kartenausschnitt a;
    if (!BerechneAusschnitt(KartenCache->Width(), KartenCache->Height(), bw, bh, 1.0, 0, 0, a))
        return;
    QImage bild(a.Breite, a.Hoehe, QImage::Format_RGB32);
    StreckeNaechstes(reinterpret_cast<const uchar*>(KartenCache->Bits()), KartenCache->BytesPerLine(), a.Quelle,
                     bild.bits(), bild.bytesPerLine(), a.Breite, a.Hoehe);
    KartenAusschnitt = a.Ausschnitt;
    {
        TCanvas c(&bild);
        TABBeschriftungsZustand z;
        z.AktKartID = Dokument.KartID.toUpper();
        z.LernIntensitaet = LernIntensitaet;
        z.Ansichtsmodus = kLernkarte;
        z.Ebenen = Ebenen;
        z.Kaestchenrahmen = Kaestchenrahmen;
        z.Kontrast = Einst.Kontrast;
        ZeichneBeschriftungen(c, 0, 0, a.Breite, a.Hoehe, 1.0, nullptr, 0, KartenAusschnitt, false, true, z);
    }
    ZeichneBildrand(bild, 1);
    m_lernBild = bild;
    LernKartPicImg->setPixmap(QPixmap::fromImage(bild));
    LernKartPicImg->setGeometry((LernKartPan->width() - a.Breite) / 2, (LernKartPan->height() - a.Hoehe) / 2, a.Breite,
                                a.Hoehe);
}

// ---- the label editor's host

TObjEditneuForm* TForm1::Editor() const
{
    if (!ObjEditneuForm)
        return nullptr;
    if (!ObjEditneuForm->Eingerichtet()) {
        auto* self = const_cast<TForm1*>(this);
        ObjEditneuForm->Einrichten(ArbeitsblattObjEditKonfig(), *self, self);
        ObjEditneuForm->SetzeFarben(QColor(96, 108, 142), QColor(201, 205, 214)); // c1, c3
        ObjEditneuForm->OeffnenVerz = DatenVerz;
        ObjEditneuForm->SpeichernVerz = DatenVerz;
        // New, copied or deleted labels shift the table's indexes: the entries follow them.
        QObject::connect(&ObjEditneuForm->Editor(), &TObjEditor::TabelleGeaendert, self,
                         [self] { PruefeEintragsindizes(self->Dokument, ObjDaten); });
    }
    return ObjEditneuForm;
}

void TForm1::ZeigeEditor()
{
    TObjEditneuForm* e = Editor();
    if (!e)
        return;
    if (Ansichtsmodus != kLernkarte && Ansichtsmodus != kKartenauswahl)
        ZeigeLernkarte();
    e->show();
    e->raise();
    AktualisiereMenues();
    FuelleLernlisten();
    if (AktObjekt >= 0)
        PositioniereZeiger(AktObjekt);
}

QList<ObjDataTyp>& TForm1::Objekte()
{
    return ObjDaten;
}

QString TForm1::Objektdatei() const
{
    return ObjDatei;
}

void TForm1::SetzeObjektdatei(const QString& Datei)
{
    ObjDatei = Datei;
}

QStringList TForm1::KartenEintraege() const
{
    return zl::KartenEintraege(KartenDaten);
}

void TForm1::ZeigeAufKarte(int i)
{
    if (i < 0 || i >= ObjDaten.size())
        return;
    if (ObjDaten[i].KartID != Dokument.KartID) {
        ZeigeInfo(QStringLiteral("Das Abfrageobjekt liegt auf einer anderen Karte."));
        return;
    }
    ZeichneLernkarte();
    WaehleObjekt(i);
}

void TForm1::ZeigeKarteNeu()
{
    AktObjekt = -1;
    if (Ansichtsmodus == kLernkarte)
        ZeigeLernkarte();
}

void TForm1::BaueAnsichtNeu()
{
    // The table was read again: entries whose index no longer fits are matched anew.
    PruefeEintragsindizes(Dokument, ObjDaten);
    if (Ansichtsmodus == kLernkarte)
        ZeigeLernkarte();
    else if (Ansichtsmodus == kArbeitsblatt)
        ZeigeArbeitsblatt(1);
}

int TForm1::GewaehltesObjekt() const
{
    return AktObjekt;
}

void TForm1::AktualisiereListen(bool)
{
    FuelleLernlisten();
}

void TForm1::WaehleObjekt(int i)
{
    if (i < 0 || i >= ObjDaten.size())
        return;
    const ObjDataTyp& o = ObjDaten[i];
    AktObjekt = i;
    if (!kListenGruppen[ObjReiter - 1].contains(u'~' + o.ObjTyp + u'~'))
        for (int k = 0; k < 5; ++k)
            if (kListenGruppen[k].contains(u'~' + o.ObjTyp + u'~')) {
                ObjReiter = k + 1;
                break;
            }
    if (o.Intens > LernIntensitaet)
        LernIntensitaet = std::clamp(o.Intens, 1, 3);
    SetzeLernIntensitaet(LernIntensitaet);
    PositioniereZeiger(i);
    if (Editor() && Editor()->isVisible())
        Editor()->ZeigeObjekt(i);
}

void TForm1::ObjektGeaendert(int i)
{
    ZeichneLernkarte();
    FuelleLernlisten();
    WaehleObjekt(i);
}

void TForm1::AendereAusrichtung(int dx, int dy)
{
    if (!(Editor() && Editor()->isVisible()))
        return;
    const int i = Editor()->Editor().SchritteAusrichtung(dx, dy);
    if (i >= 0)
        ObjektGeaendert(i);
}

void TForm1::EditorGeschlossen()
{
    AktualisiereMenues();
    KartEditShape->hide();
    static_cast<TZeigerPfeil*>(LernPfeilImg)->Ziehbar = false;
    FuelleLernlisten();
}

void TForm1::Beschriftungsdatei1Click()
{
    TObjEditneuForm* e = Editor();
    if (!e || e->isVisible())
        return;
    const QString Datei = e->WaehleOeffnen();
    if (Datei.isEmpty())
        return;
    e->Editor().Oeffnen(Datei); // the editor lays the view out again through BaueAnsichtNeu
}

} // namespace zl::ab
