#include "worksheet/widgets/ab_start.h"

#include "controls/MinHi800.h"
#include "learning/mapview/widgets/zl_info.h"
#include "learning/mapview/widgets/zl_melde.h"
#include "learning/mapview/widgets/zl_titel.h"
#include "learning/tools/widgets/zl_objeditneu.h"
#include "platform/SettingsStore.h"
#include "worksheet/ab_data.h"
#include "worksheet/widgets/ab_druckform.h"
#include "worksheet/widgets/ab_main.h"
#include "worksheet/widgets/ab_objhinzu.h"
#include "worksheet/widgets/ab_voreinstform.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>

namespace zl::ab
{

namespace
{

QString ABInfoText()
{
    const QString absatz = QStringLiteral("\r\n\r\n");
    return QStringLiteral("Zelvaro Lernsoftware\r\nwww.zelvaro.de") + absatz +
           QStringLiteral("Basiskartenmaterial (ohne Beschriftungen, Grenzverläufe wurden dem Stand ") +
           QStringLiteral(
               "des Jahres 2004 angepasst):\r\nNatural Earth, GSHHG und OpenStreetMap (siehe DATA-LICENSES)") +
           absatz + QStringLiteral("Trotz größter Sorgfalt kann keine Gewähr für die Richtigkeit des Datenmaterials ") +
           QStringLiteral("(inkl. der Landkarten und der darin enthaltenen Beschriftungen) übernommen ") +
           QStringLiteral("werden.") + absatz +
           QStringLiteral("Wir danken allen Beteiligten, die zum erfolgreichen Gelingen des Projekts ") +
           QStringLiteral("beigetragen haben.") + absatz + QStringLiteral("Viel Spaß mit dem Programm!");
}

// The shared splash picture with this program's name and line.
QImage Titelbild()
{
    QImage img = TTitelForm::Titelbild();
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, 300);
    g.setColorAt(0, QColor(126, 153, 206));
    g.setColorAt(1, QColor(96, 112, 159));
    p.fillRect(QRect(0, 136, 400, 48), g);
    p.fillRect(QRect(0, 246, 400, 38), g);
    p.setPen(Qt::white);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(26);
    p.setFont(f);
    p.drawText(QRect(0, 140, 400, 40), Qt::AlignCenter, QStringLiteral("Terrafolio 4.0"));
    f.setPixelSize(12);
    p.setFont(f);
    p.drawText(QRect(0, 250, 400, 30), Qt::AlignCenter, QStringLiteral("Arbeitsblätter zur Topographie"));
    return img;
}

// The shared about box with this program's title.
class TABInfoBox : public TInfoBox
{
  public:
    TABInfoBox()
    {
        Memo1->setPlainText(ABInfoText());
        setWindowTitle(QStringLiteral("Info"));
    }

  protected:
    void showEvent(QShowEvent* event) override
    {
        TInfoBox::showEvent(event);
        TitelLabel->setText(kTitel);
        ab::FaerbeKnoepfe(this);
    }
};

} // namespace

TFoliavo::TFoliavo(FoliavoStartOptionen Optionen) : m_optionen(std::move(Optionen)) {}

TFoliavo::~TFoliavo()
{
    MeldForm = nullptr;
    InfoBox = nullptr;
    ObjEditneuForm = nullptr;
    while (!m_besitz.empty())
        m_besitz.pop_back();
    m_fenster.clear();
    m_form1 = nullptr;
    m_titel.reset();
    if (m_datenGeladen)
        DatenFreigeben();
}

bool TFoliavo::Starte()
{
    DatenInitialisieren(m_optionen.ProgrammVerz.isEmpty() ? ProgrammVerzeichnis() : m_optionen.ProgrammVerz);
    m_datenGeladen = true;
    if (m_optionen.Bildschirmpruefung && !PruefeGrafikmodus())
        return false;
    if (m_optionen.Titelfenster) {
        m_titel = std::make_unique<TTitelForm>();
        m_titel->Image1->SetPicture(Titelbild());
        m_titel->TitelTimer.setInterval(1500);
        m_titel->TitelTimer.start();
        m_titel->ZeigeSofort();
    }
    SettingsStore* store = m_optionen.Store;
    if (!store) {
        m_store = std::make_unique<FileSettingsStore>(
            m_optionen.EinstellungsRoot.isEmpty() ? defaultSettingsRoot() : m_optionen.EinstellungsRoot,
            kEinstellungsSchluessel);
        store = m_store.get();
    }
    auto* form1 = new TForm1(*store);
    m_form1 = form1;
    m_fenster.push_back(form1);
    m_besitz.emplace_back(form1);
    auto erzeuge = [this](QWidget* w) {
        m_fenster.push_back(w);
        m_besitz.emplace_back(w);
    };
    MeldForm = new TMeldForm;
    erzeuge(MeldForm);
    InfoBox = new TABInfoBox;
    erzeuge(InfoBox);
    form1->ObjHinzuForm = new TObjHinzuForm;
    erzeuge(form1->ObjHinzuForm);
    form1->DruckForm = new TDruckForm;
    erzeuge(form1->DruckForm);
    form1->VoreinstForm = new TVoreinstForm;
    erzeuge(form1->VoreinstForm);
    ObjEditneuForm = new TObjEditneuForm;
    erzeuge(ObjEditneuForm);
    if (m_titel && m_titel->isVisible())
        m_titel->raise();
    return true;
}

void TFoliavo::ZeigeHauptfenster()
{
    if (!m_form1)
        return;
    if (const QScreen* s = m_form1->screen())
        m_form1->setGeometry(s->availableGeometry());
    m_form1->showMaximized();
    m_form1->activateWindow();
    m_form1->FormActivate();
    if (m_titel && m_titel->isVisible())
        m_titel->raise();
}

} // namespace zl::ab
