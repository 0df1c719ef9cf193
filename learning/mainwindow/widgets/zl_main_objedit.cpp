// Kartivo's side of the map-label editor: the host the editor talks to, the menu
// items "Karten&beschriftung bearbeiten..." and "Kartenbeschriftungsdatei ö&ffnen...",
// the placement keys, the pointer-arrow drag and the hit square on the learning map.

#include "learning/mainwindow/widgets/zl_main.h"

#include "controls/Farben.h"
#include "datastore/zl_data.h"
#include "learning/mainwindow/widgets/zl_lernkarte.h"
#include "learning/mapview/zl_rahmen.h"
#include "learning/tools/widgets/zl_objeditneu.h"

#include <QMouseEvent>
#include <QPainter>

namespace zl
{

class TKartivoObjEdit : public QObject, public TObjEditHost
{
  public:
    explicit TKartivoObjEdit(TForm1& Form) : QObject(&Form), F(Form) {}

    // The editor window, connected to this host on first use.
    TObjEditneuForm* Fenster()
    {
        if (!ObjEditneuForm)
            return nullptr;
        if (!ObjEditneuForm->Eingerichtet()) {
            ObjEditneuForm->Einrichten(LernprogrammObjEditKonfig(), *this, &F);
            ObjEditneuForm->SetzeFarben(ZuQColor(Rahmenfarbe, ObjEditneuForm->palette()),
                                        ZuQColor(DialogFlaechenfarbe, ObjEditneuForm->palette()));
        }
        // The main window sets the dialogs' start folder at its first activation.
        if (ObjEditneuForm->OeffnenVerz.isEmpty())
            ObjEditneuForm->OeffnenVerz = F.ZLKOpenDlg1Verz;
        if (ObjEditneuForm->SpeichernVerz.isEmpty())
            ObjEditneuForm->SpeichernVerz = F.ZLKSaveDlg1Verz;
        return ObjEditneuForm;
    }

    void Verbinde();

    // ---- TObjEditHost ----
    QList<ObjDataTyp>& Objekte() override { return ObjDaten; }
    QString Objektdatei() const override { return ObjDatei; }
    void SetzeObjektdatei(const QString& Datei) override { ObjDatei = Datei; }
    QStringList KartenEintraege() const override { return zl::KartenEintraege(KartenDaten); }
    QString AktKartID() const override { return F.Zustand.AktKartID; }
    TRect Ausschnitt() const override { return F.Zustand.Viewport.Ausschnitt; }
    void ZeigeAufKarte(int i) override;
    void ZeigeKarteNeu() override
    {
        if (F.Zustand.Ansichtsmodus == Lernkarte)
            F.ZeigeLernkarte();
    }
    void BaueAnsichtNeu() override { F.FormResize(); }
    int GewaehltesObjekt() const override { return L().GewaehltesObjekt(); }
    void AktualisiereListen(bool MitIntensitaet) override { L().AktualisiereLernlisten(MitIntensitaet); }
    void WaehleObjekt(int i) override { L().WaehleLernObjekt(i, true); }
    void ObjektGeaendert(int i) override
    {
        L().ZeichneLernkarte();
        L().AktualisiereLernlisten(true);
        L().WaehleLernObjekt(i, true);
    }
    void AendereAusrichtung(int dx, int dy) override
    {
        F.activateWindow();
        F.setFocus();
        F.AendereAusrichtung(dx, dy);
    }
    void EditorGeschlossen() override
    {
        F.AktualisiereMenues();
        PfeilZiehbar(false);
        F.KartEditShape->hide();
        L().AktualisiereLernlisten(false);
    }

    // While the editor is open the pointer arrow takes the mouse.
    void PfeilZiehbar(bool An)
    {
        L().LernPfeilImg->setAttribute(Qt::WA_TransparentForMouseEvents, !An);
        if (!An)
            L().LernPfeilImg->unsetCursor();
    }

    // The hit test at a point of the map picture's parent.
    void ObjektUnterMaus(int x, int y);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TLernkarteAnsicht& L() const { return *F.LernkarteAnsicht; }
    bool EditorAktiv() const { return F.ObjEditorSichtbar() && ObjEditneuForm->Eingerichtet(); }
    bool PfeilEreignis(QMouseEvent* e, QEvent::Type Typ);

    TForm1& F;
    // The watched controls, kept here: their last events arrive while the main
    // window is being destroyed, when its fields may no longer be read.
    QWidget* m_shape = nullptr;
    QWidget* m_pfeil = nullptr;
    int m_tag = -1; // KartEditShape's Tag: the label under the mouse
    QPoint m_griff; // where the arrow was grabbed, in its own pixels
    bool m_zieht = false;
};

void TKartivoObjEdit::Verbinde()
{
    L().LernKartPicImg->OnMausBewegung = [this](QMouseEvent* e) {
        const QPoint p = e->position().toPoint() + L().LernKartPicImg->pos();
        ObjektUnterMaus(p.x(), p.y());
    };
    m_shape = F.KartEditShape;
    m_pfeil = L().LernPfeilImg;
    m_shape->installEventFilter(this);
    m_shape->hide();
    m_pfeil->installEventFilter(this);
}

void TKartivoObjEdit::ZeigeAufKarte(int i)
{
    HauptfensterZustand& Z = F.Zustand;
    if (i < 0 || i >= ObjDaten.size())
        return;
    // An exercise or an unsolved puzzle is not left without asking.
    if ((Z.Ansichtsmodus == Uebung || Z.Ansichtsmodus == Schiebepuzzle) &&
        !F.ModusVerlassenErlaubt({Uebung, Schiebepuzzle}))
        return;
    const QString KartID = ObjDaten[i].KartID;
    if (KartID != Z.AktKartID || Z.Ansichtsmodus != Lernkarte) {
        Z.AktKartID = KartID;
        L().SetzeZoomStufe(0);
    }
    F.ZeigeLernkarte();
    L().WaehleLernObjekt(i, true);
}

void TKartivoObjEdit::ObjektUnterMaus(int x, int y)
{
    if (!EditorAktiv() || F.Zustand.Ansichtsmodus != Lernkarte)
        return;
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    L().BildpunktZuKarte(x - 8, y - 8, x0, y0);
    L().BildpunktZuKarte(x + 8, y + 8, x1, y1);
    TObjEditEbenen Ebenen{};
    const auto e = L().Ebenen();
    std::copy(e.begin(), e.end(), Ebenen.begin());
    const int i = zl::ObjektUnterMaus(ObjDaten, F.Zustand.AktKartID, F.Zustand.LernIntensitaet, Ebenen,
                                      QRectF(QPointF(x0, y0), QPointF(x1, y1)));
    const QImage& Bild = L().LernKartPicImg->Bild();
    const QRect q = i >= 0 ? TrefferQuadrat(ObjDaten[i], L().LernKartPicImg->geometry(), Bild.width(), Bild.height(),
                                            F.Zustand.Viewport.Ausschnitt)
                           : QRect();
    if (q.isEmpty()) {
        F.KartEditShape->hide();
        m_tag = -1;
        return;
    }
    F.KartEditShape->setGeometry(q);
    F.KartEditShape->show();
    F.KartEditShape->raise();
    m_tag = i;
}

bool TKartivoObjEdit::PfeilEreignis(QMouseEvent* e, QEvent::Type Typ)
{
    if (!EditorAktiv())
        return false;
    TZeigerPfeil* Pfeil = L().LernPfeilImg;
    TObjEditor& Ed = ObjEditneuForm->Editor();
    if (Typ == QEvent::MouseButtonPress) {
        if (e->button() != Qt::LeftButton)
            return true;
        m_griff = e->position().toPoint();
        m_zieht = true;
    }
    if (Typ == QEvent::MouseButtonRelease) {
        if (!m_zieht || e->button() != Qt::LeftButton)
            return true;
        m_zieht = false;
        const int i = Ed.UebernimmObjekt();
        if (i >= 0)
            ObjektGeaendert(i);
        return true;
    }
    F.KartEditShape->hide();
    Pfeil->setCursor(Qt::PointingHandCursor);
    // Only a drag moves the label; hovering over the arrow changes nothing.
    if (!m_zieht || !(e->buttons() & Qt::LeftButton))
        return true;
    Pfeil->move(Pfeil->pos() + e->position().toPoint() - m_griff);
    Pfeil->repaint();
    double Px = 0, Py = 0;
    L().BildpunktZuKarte(Pfeil->x() + Pfeil->width(), Pfeil->y() + Pfeil->height(), Px, Py);
    L().PositioniereMiniMarke(Px, Py);
    Ed.SetzePosition(Px, Py);
    return true;
}

bool TKartivoObjEdit::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type t = event->type();
    if (watched == m_shape) {
        if (t == QEvent::Paint) {
            QPainter p(m_shape);
            p.setPen(QPen(QColor(255, 0, 0), 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(1, 1, m_shape->width() - 2, m_shape->height() - 2));
            return true;
        }
        if (t == QEvent::MouseButtonPress) {
            if (F.Zustand.Ansichtsmodus == Lernkarte && EditorAktiv() && m_tag >= 0 && m_tag < ObjDaten.size())
                L().WaehleLernObjekt(m_tag, true);
            return true;
        }
        if (t == QEvent::MouseMove) {
            const QPoint p = m_shape->mapToParent(static_cast<QMouseEvent*>(event)->position().toPoint());
            ObjektUnterMaus(p.x(), p.y());
            return true;
        }
    } else if (watched == m_pfeil &&
               (t == QEvent::MouseButtonPress || t == QEvent::MouseMove || t == QEvent::MouseButtonRelease)) {
        return PfeilEreignis(static_cast<QMouseEvent*>(event), t);
    }
    return QObject::eventFilter(watched, event);
}

// ---- TForm1 ------------------------------------------------------------------

void TForm1::ErzeugeObjEdit()
{
    ObjEdit = new TKartivoObjEdit(*this);
    ObjEdit->Verbinde();
    connect(BeschriftungEdit, &QAction::triggered, this, [this] { BeschriftungEditClick(); });
    connect(KartenObjDateiOeffnen1, &QAction::triggered, this, [this] { KartenObjDateiOeffnen1Click(); });
}

void TForm1::BeschriftungEditClick()
{
    TObjEditneuForm* E = ObjEdit->Fenster();
    if (!E)
        return;
    ObjEdit->PfeilZiehbar(true);
    E->show();
    E->raise();
    E->activateWindow();
    AktualisiereMenues();
}

void TForm1::KartenObjDateiOeffnen1Click()
{
    TObjEditneuForm* E = ObjEdit->Fenster();
    if (!E || ObjEditorSichtbar())
        return;
    const QString Datei = E->WaehleOeffnen();
    if (!Datei.isEmpty())
        E->Editor().Oeffnen(Datei);
}

void TForm1::ZeigeObjektImEditor(int i)
{
    if (ObjEditorSichtbar() && ObjEditneuForm->Eingerichtet())
        ObjEditneuForm->ZeigeObjekt(i);
}

bool TForm1::LadeObjektdateiNeu()
{
    const bool ok = LeseObjektdatei(ObjDatei);
    FormResize();
    return ok;
}

void TForm1::AendereAusrichtung(int dx, int dy)
{
    if (!ObjEditorSichtbar() || !ObjEditneuForm->Eingerichtet())
        return;
    const int i = ObjEditneuForm->Editor().SchritteAusrichtung(dx, dy);
    if (i >= 0)
        ObjEdit->ObjektGeaendert(i);
    activateWindow();
    setFocus();
}

} // namespace zl
