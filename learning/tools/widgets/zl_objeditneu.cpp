#include "learning/tools/widgets/zl_objeditneu.h"

#include "controls/Buttons2.h"
#include "controls/NumEd.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace zl
{

namespace
{

constexpr TColor Rgb(int r, int g, int b)
{
    return TColor(r | (g << 8) | (b << 16));
}

void FaerbeHintergrund(QWidget* w, const QColor& c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QLabel* Beschriftung(const QString& Text, QWidget* Partner, QWidget* Eltern)
{
    auto* l = new QLabel(Text, Eltern);
    l->setBuddy(Partner);
    return l;
}

} // namespace

QStringList DateiFilterListe(const QString& Filter)
{
    const QStringList teile = Filter.split(u'|');
    QStringList l;
    for (qsizetype i = 0; i + 1 < teile.size(); i += 2) {
        // Qt reads the patterns from the brackets of the name.
        QString name = teile[i];
        if (!name.contains(u'('))
            name += QStringLiteral(" (") + QString(teile[i + 1]).replace(u';', u' ') + QLatin1Char(')');
        l << name;
    }
    return l;
}

TObjEditneuForm::TObjEditneuForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ObjEditneuForm"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(false);
    ErzeugeSteuerelemente();
    SetzeFarben(QColor(126, 153, 206), QColor(206, 215, 230));
    Dateiwahl = [this](const TDateiAuswahl& a) { return frageDatei(a); };
}

TObjEditneuForm::~TObjEditneuForm()
{
    qApp->removeEventFilter(this);
}

void TObjEditneuForm::ErzeugeSteuerelemente()
{
    auto* aussen = new QVBoxLayout(this);
    aussen->setContentsMargins(8, 8, 8, 8);
    m_innen = new QWidget(this);
    m_innen->setObjectName(QStringLiteral("InnenPan"));
    aussen->addWidget(m_innen);

    QWidget* p = m_innen;
    IDEdit = new TNumEditZ(p);
    IDEdit->setObjectName(QStringLiteral("IDEdit"));
    IDEdit->SetMinValue(-1);
    IDEdit->setEnabled(false);
    IDEdit->SetValue(-1);
    KarteCombo = new QComboBox(p);
    KarteCombo->setObjectName(QStringLiteral("KarteCombo"));
    TypCombo = new QComboBox(p);
    TypCombo->setObjectName(QStringLiteral("TypCombo"));
    PosXEdit = new TNumEditZ(p);
    PosXEdit->setObjectName(QStringLiteral("PosXEdit"));
    PosYEdit = new TNumEditZ(p);
    PosYEdit->setObjectName(QStringLiteral("PosYEdit"));
    for (TNumEditZ* e : {PosXEdit, PosYEdit}) {
        e->SetMinValue(0);
        e->SetMaxValue(10000);
        e->SetValue(0);
    }
    BezEdit = new QLineEdit(p);
    BezEdit->setObjectName(QStringLiteral("BezEdit"));
    // A character a label file cannot hold is dropped as it is typed or pasted.
    connect(BezEdit, &QLineEdit::textEdited, this, [this](const QString& t) {
        if (BezeichnungZulaessig(t))
            return;
        const int vorCursor = int(BereinigeBezeichnung(t.left(BezEdit->cursorPosition())).size());
        BezEdit->setText(BereinigeBezeichnung(t));
        BezEdit->setCursorPosition(vorCursor);
    });
    AusrXCombo = new QComboBox(p);
    AusrXCombo->setObjectName(QStringLiteral("AusrXCombo"));
    AusrYCombo = new QComboBox(p);
    AusrYCombo->setObjectName(QStringLiteral("AusrYCombo"));
    AusrXCombo->addItems(kAusrichtungsEintraege);
    AusrYCombo->addItems(kAusrichtungsEintraege);
    IntensCombo = new QComboBox(p);
    IntensCombo->setObjectName(QStringLiteral("IntensCombo"));
    IntensCombo->addItems(kIntensitaetsEintraege);
    KarteCombo->setMaxVisibleItems(20);
    KarteCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    KarteCombo->setMinimumContentsLength(22);
    TypCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    TypCombo->setMinimumContentsLength(22);
    for (QComboBox* c : {AusrXCombo, AusrYCombo})
        c->setMinimumContentsLength(3);

    auto* g = new QGridLayout(p);
    g->setContentsMargins(10, 10, 10, 10);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(6);
    g->addWidget(Beschriftung(QStringLiteral("ID:"), IDEdit, p), 0, 0);
    g->addWidget(IDEdit, 0, 1);
    g->addWidget(Beschriftung(QStringLiteral("Ka&rte:"), KarteCombo, p), 1, 0);
    g->addWidget(KarteCombo, 1, 1, 1, 3);
    g->addWidget(Beschriftung(QStringLiteral("Ty&p:"), TypCombo, p), 2, 0);
    g->addWidget(TypCombo, 2, 1, 1, 3);
    g->addWidget(Beschriftung(QStringLiteral("Pos.&X:"), PosXEdit, p), 3, 0);
    g->addWidget(PosXEdit, 3, 1);
    g->addWidget(Beschriftung(QStringLiteral("Pos.&Y:"), PosYEdit, p), 3, 2);
    g->addWidget(PosYEdit, 3, 3);
    g->addWidget(Beschriftung(QStringLiteral("&Text:"), BezEdit, p), 4, 0);
    g->addWidget(BezEdit, 4, 1, 1, 3);
    g->addWidget(Beschriftung(QStringLiteral("&Ausr.X:"), AusrXCombo, p), 5, 0);
    g->addWidget(AusrXCombo, 5, 1);
    g->addWidget(Beschriftung(QStringLiteral("A&usr.Y:"), AusrYCombo, p), 5, 2);
    g->addWidget(AusrYCombo, 5, 3);
    g->addWidget(Beschriftung(QStringLiteral("&Intens.:"), IntensCombo, p), 6, 0);
    g->addWidget(IntensCombo, 6, 1, 1, 3);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);

    auto knopf = [p](const char* Name, const QString& Text) {
        auto* b = new TBitBtn2(p);
        b->setObjectName(QLatin1String(Name));
        b->SetCaption(Text);
        b->SetColor(Rgb(205, 208, 226));
        b->setMinimumHeight(26);
        return b;
    };
    UebernehmBtn = knopf("UebernehmBtn", QStringLiteral("&Landkarte aktualisieren"));
    UebernehmBtn->SetDefault(true);
    NeuBtn = knopf("NeuBtn", QStringLiteral("&Neu"));
    CopyBtn = knopf("CopyBtn", QStringLiteral("&Kopieren"));
    EntfBtn = knopf("EntfBtn", QStringLiteral("&Entfernen"));
    DateiBtn = knopf("DateiBtn", QStringLiteral("&Datei..."));
    SaveBtn = knopf("SaveBtn", QStringLiteral("&Speichern"));
    CloseBtn = knopf("CloseBtn", QStringLiteral("Schließen"));
    CloseBtn->SetCancel(true);
    g->addWidget(UebernehmBtn, 7, 0, 1, 4);
    auto* reihe1 = new QHBoxLayout;
    for (TBitBtn2* b : {NeuBtn, CopyBtn, EntfBtn})
        reihe1->addWidget(b);
    g->addLayout(reihe1, 8, 0, 1, 4);
    auto* reihe2 = new QHBoxLayout;
    for (TBitBtn2* b : {DateiBtn, SaveBtn, CloseBtn})
        reihe2->addWidget(b);
    g->addLayout(reihe2, 9, 0, 1, 4);

    DateiPopup = new QMenu(this);
    DateiPopup->setObjectName(QStringLiteral("DateiPopup"));
    auto punkt = [this](const char* Name, const QString& Text) {
        QAction* a = DateiPopup->addAction(Text);
        a->setObjectName(QLatin1String(Name));
        return a;
    };
    Neuanlegen1 = punkt("Neuanlegen1", QStringLiteral("&Neu anlegen..."));
    Oeffnen1 = punkt("Oeffnen1", QStringLiteral("Ö&ffnen..."));
    Speichernunter1 = punkt("Speichernunter1", QStringLiteral("Speichern &unter..."));
    DateiPopup->addSeparator();
    Speichern1 = punkt("Speichern1", QStringLiteral("&Speichern"));
    DateiPopup->addSeparator();
    Zu1 = punkt("Zu1", QStringLiteral("Schließen"));
    Zu1->setShortcut(QKeySequence(Qt::Key_Escape));

    connect(UebernehmBtn, &TBitBtn2::OnClick, this, [this] { UebernehmBtnClick(); });
    connect(NeuBtn, &TBitBtn2::OnClick, this, [this] { NeuBtnClick(); });
    connect(CopyBtn, &TBitBtn2::OnClick, this, [this] { CopyBtnClick(); });
    connect(EntfBtn, &TBitBtn2::OnClick, this, [this] { EntfBtnClick(); });
    connect(SaveBtn, &TBitBtn2::OnClick, this, [this] { SaveBtnClick(); });
    connect(CloseBtn, &TBitBtn2::OnClick, this, [this] { CloseBtnClick(); });
    connect(DateiBtn, &TBitBtn2::OnClick, this, [this] { DateiBtnClick(); });
    connect(Neuanlegen1, &QAction::triggered, this, [this] { Neuanlegen1Click(); });
    connect(Oeffnen1, &QAction::triggered, this, [this] { Oeffnen1Click(); });
    connect(Speichernunter1, &QAction::triggered, this, [this] { Speichernunter1Click(); });
    connect(Speichern1, &QAction::triggered, this, [this] { SaveBtnClick(); });
    connect(Zu1, &QAction::triggered, this, [this] { CloseBtnClick(); });

    // TypComboChange: every field the user changes.
    for (QComboBox* c : {KarteCombo, TypCombo, AusrXCombo, AusrYCombo, IntensCombo})
        connect(c, &QComboBox::currentIndexChanged, this, [this] { FelderUebernehmen(); });
    for (QLineEdit* e : {static_cast<QLineEdit*>(PosXEdit), static_cast<QLineEdit*>(PosYEdit), BezEdit})
        connect(e, &QLineEdit::textChanged, this, [this] { FelderUebernehmen(); });
    SetzeKnoepfe(false);
    setWindowTitle(QStringLiteral("Kartenbeschriftung bearbeiten"));
}

TObjEditor& TObjEditneuForm::Einrichten(const TObjEditKonfig& Konfig, TObjEditHost& Host, QWidget* Besitzer)
{
    if (m_editor)
        return *m_editor;
    if (Besitzer)
        setParent(Besitzer, windowFlags());
    m_editor = std::make_unique<TObjEditor>(Konfig, Host);
    TObjEditor& e = *m_editor;
    m_fuellen = true;
    KarteCombo->clear();
    KarteCombo->addItems(e.KartenListe());
    TypCombo->clear();
    TypCombo->addItems(Konfig.TypEintraege);
    m_fuellen = false;
    setWindowTitle(Konfig.Titel);
    connect(&e, &TObjEditor::FelderGeaendert, this, [this] { ZeigeFelder(); });
    connect(&e, &TObjEditor::TitelGeaendert, this, [this] { ZeigeEditorTitel(); });
    connect(&e, &TObjEditor::TextFokus, this, [this] { BezEdit->setFocus(); });
    // Keys reach the form before its controls.
    qApp->installEventFilter(this);
    ZeigeFelder();
    return e;
}

void TObjEditneuForm::SetzeFarben(const QColor& Rahmen, const QColor& Flaeche)
{
    FaerbeHintergrund(this, Rahmen);
    FaerbeHintergrund(m_innen, Flaeche);
}

void TObjEditneuForm::SetzeKnoepfe(bool Aktiv)
{
    for (QWidget* w :
         {static_cast<QWidget*>(KarteCombo), static_cast<QWidget*>(TypCombo), static_cast<QWidget*>(PosXEdit),
          static_cast<QWidget*>(PosYEdit), static_cast<QWidget*>(BezEdit), static_cast<QWidget*>(AusrXCombo),
          static_cast<QWidget*>(AusrYCombo), static_cast<QWidget*>(IntensCombo), static_cast<QWidget*>(CopyBtn),
          static_cast<QWidget*>(EntfBtn)})
        w->setEnabled(Aktiv);
}

void TObjEditneuForm::ZeigeFelder()
{
    if (!m_editor)
        return;
    const TObjEditFelder& f = m_editor->Felder();
    m_fuellen = true;
    IDEdit->SetValue(f.ID);
    auto waehle = [](QComboBox* c, int i, const QString& Platzhalter) {
        c->setPlaceholderText(Platzhalter);
        c->setCurrentIndex(i >= 0 && i < c->count() ? i : -1);
    };
    waehle(KarteCombo, f.Karte, m_editor->KartePlatzhalter());
    waehle(TypCombo, f.Typ, m_editor->TypPlatzhalter());
    waehle(AusrXCombo, f.AusrX, m_editor->AusrXPlatzhalter());
    waehle(AusrYCombo, f.AusrY, m_editor->AusrYPlatzhalter());
    waehle(IntensCombo, f.Intens, m_editor->IntensPlatzhalter());
    // A stored position out of range is shown as it is; the edit holds it only on exit.
    PosXEdit->setText(QString::number(f.PosX));
    PosYEdit->setText(QString::number(f.PosY));
    if (BezEdit->text() != f.Bez)
        BezEdit->setText(f.Bez);
    SetzeKnoepfe(f.Aktiv);
    m_fuellen = false;
}

void TObjEditneuForm::FelderUebernehmen()
{
    if (m_fuellen || !m_editor)
        return;
    TObjEditFelder f = m_editor->Felder();
    f.Karte = KarteCombo->currentIndex();
    f.Typ = TypCombo->currentIndex();
    f.PosX = PosXEdit->GetValue();
    f.PosY = PosYEdit->GetValue();
    f.Bez = BezEdit->text();
    f.AusrX = AusrXCombo->currentIndex();
    f.AusrY = AusrYCombo->currentIndex();
    f.Intens = IntensCombo->currentIndex();
    m_editor->SetzeFelder(f);
}

void TObjEditneuForm::ZeigeEditorTitel()
{
    if (m_editor && m_aktiviert)
        setWindowTitle(m_editor->Titel());
}

void TObjEditneuForm::ZeigeObjekt(int i)
{
    if (m_editor)
        m_editor->ZeigeObjekt(i);
}

void TObjEditneuForm::UebernehmBtnClick()
{
    m_editor->ZeigeObjektAufKarte();
}

void TObjEditneuForm::NeuBtnClick()
{
    m_editor->Neu();
}

void TObjEditneuForm::CopyBtnClick()
{
    m_editor->Kopieren();
}

void TObjEditneuForm::EntfBtnClick()
{
    m_editor->Entfernen();
}

void TObjEditneuForm::SaveBtnClick()
{
    m_editor->Speichern();
}

void TObjEditneuForm::CloseBtnClick()
{
    close();
}

void TObjEditneuForm::DateiBtnClick()
{
    DateiPopup->popup(DateiBtn->mapToGlobal(QPoint(0, DateiBtn->height())));
}

QString TObjEditneuForm::frageDatei(const TDateiAuswahl& a)
{
    QFileDialog d(this, a.Titel, a.Verzeichnis);
    d.setNameFilters(DateiFilterListe(a.Filter));
    d.setDefaultSuffix(a.Erweiterung);
    if (a.Speichern) {
        d.setAcceptMode(QFileDialog::AcceptSave);
        d.setFileMode(QFileDialog::AnyFile);
    } else {
        d.setAcceptMode(QFileDialog::AcceptOpen);
        d.setFileMode(QFileDialog::ExistingFile);
    }
    if (!a.Name.isEmpty())
        d.selectFile(a.Name);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return {};
    return d.selectedFiles().constFirst();
}

QString TObjEditneuForm::WaehleOeffnen()
{
    if (!m_editor)
        return {};
    TDateiAuswahl a;
    a.Titel = m_editor->Konfig().OeffnenTitel;
    a.Filter = m_editor->Konfig().OeffnenFilter;
    a.Erweiterung = m_editor->Konfig().Erweiterung;
    a.Verzeichnis = OeffnenVerz;
    const QString datei = Dateiwahl(a);
    if (!datei.isEmpty())
        OeffnenVerz = QFileInfo(datei).absolutePath();
    return datei;
}

TDateiAuswahl TObjEditneuForm::speichernDialog(const QString& Titel, const QString& Name) const
{
    TDateiAuswahl a;
    a.Speichern = true;
    a.Titel = Titel;
    a.Filter = m_editor->Konfig().SpeichernFilter;
    a.Erweiterung = m_editor->Konfig().Erweiterung;
    a.Verzeichnis = SpeichernVerz;
    a.Name = Name;
    return a;
}

void TObjEditneuForm::Neuanlegen1Click()
{
    if (!m_editor->FrageSpeichern())
        return;
    const QString datei = Dateiwahl(speichernDialog(m_editor->Konfig().NeuAnlegenTitel, QString()));
    if (datei.isEmpty())
        return;
    SpeichernVerz = QFileInfo(datei).absolutePath();
    m_editor->NeuAnlegen(datei);
}

void TObjEditneuForm::Oeffnen1Click()
{
    if (!m_editor->FrageSpeichern())
        return;
    const QString datei = WaehleOeffnen();
    if (!datei.isEmpty())
        m_editor->Oeffnen(datei);
}

void TObjEditneuForm::Speichernunter1Click()
{
    const QString datei =
        Dateiwahl(speichernDialog(m_editor->Konfig().SpeichernUnterTitel, m_editor->Host().Objektdatei()));
    if (datei.isEmpty())
        return;
    SpeichernVerz = QFileInfo(datei).absolutePath();
    m_editor->SpeichernUnter(datei);
}

void TObjEditneuForm::reject()
{
    // Esc, the close box and "Schließen" all end here: the save question first.
    if (!m_editor) {
        QDialog::reject();
        return;
    }
    if (!m_editor->Schliessen())
        return;
    QDialog::reject();
    m_editor->Host().EditorGeschlossen();
}

void TObjEditneuForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (QWidget* b = parentWidget(); b && !m_platziert) {
        // In the bottom-left corner of the main window, where the map's margin is and
        // the lists stay free.
        const QRect r = b->frameGeometry();
        adjustSize();
        QRect ziel(QPoint(r.left() + 30, r.bottom() - height() - 60), size());
        if (const QScreen* s = b->screen()) {
            const QRect a = s->availableGeometry();
            ziel.moveTopLeft(QPoint(std::max(ziel.left(), a.left()), std::max(ziel.top(), a.top())));
        }
        move(ziel.topLeft());
        m_platziert = true;
    }
    if (!m_editor)
        return;
    m_editor->Anzeigen();
    m_aktiviert = true;
    ZeigeEditorTitel();
}

void TObjEditneuForm::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_editor) {
        m_aktiviert = true;
        ZeigeEditorTitel();
        UebernehmBtn->setFocus();
    }
}

bool TObjEditneuForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && m_editor && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        auto* k = static_cast<QKeyEvent*>(event);
        // Every key counts as a change for the save question.
        m_editor->MarkiereGeaendert();
        const Qt::KeyboardModifiers mods = k->modifiers() & ~Qt::KeypadModifier;
        if (mods == Qt::AltModifier) {
            int dx = 0, dy = 0;
            switch (k->key()) {
            case Qt::Key_Left:
                dx = -1;
                break;
            case Qt::Key_Up:
                dy = -1;
                break;
            case Qt::Key_Right:
                dx = 1;
                break;
            case Qt::Key_Down:
                dy = 1;
                break;
            default:
                break;
            }
            if (dx != 0 || dy != 0) {
                m_editor->Host().AendereAusrichtung(dx, dy);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zl
