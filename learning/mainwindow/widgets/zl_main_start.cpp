#include "learning/mainwindow/widgets/zl_main_start.h"

#include "controls/MinHi800.h"
#include "datastore/zl_data.h"
#include "learning/exercise/widgets/zl_uebausw.h"
#include "learning/exercise/widgets/zl_uebergebnis.h"
#include "learning/exercise/widgets/zl_uebkartdarst.h"
#include "learning/exercise/widgets/zl_uebopt.h"
#include "learning/mainwindow/widgets/zl_main.h"
#include "learning/mapview/widgets/zl_avi.h"
#include "learning/mapview/widgets/zl_info.h"
#include "learning/mapview/widgets/zl_melde.h"
#include "learning/mapview/widgets/zl_titel.h"
#include "learning/network/widgets/zl_kommverz.h"
#include "learning/network/widgets/zl_netzopt.h"
#include "learning/network/widgets/zl_netzprotokoll.h"
#include "learning/network/widgets/zl_netzuebungtnstart.h"
#include "learning/tools/widgets/zl_datentab.h"
#include "learning/tools/widgets/zl_druck.h"
#include "learning/tools/widgets/zl_lesezeichen.h"
#include "learning/tools/widgets/zl_listdruck.h"
#include "learning/tools/widgets/zl_objeditneu.h"
#include "learning/tools/widgets/zl_suche.h"
#include "learning/tools/widgets/zl_suchergebnis.h"
#include "learning/tools/widgets/zl_tabelledruck.h"

#include <QApplication>
#include <QScreen>

namespace zl {

TKartivo::TKartivo(KartivoStartOptionen Optionen) : optionen_(std::move(Optionen)) {}

TKartivo::~TKartivo()
{
    // Global window pointers go first, so nothing reaches a destroyed window.
    UebAuswForm = nullptr;
    MeldForm = nullptr;
    UebProtForm = nullptr;
    InfoBox = nullptr;
    UebKartDarstForm = nullptr;
    KartSuchForm = nullptr;
    SuchErgForm = nullptr;
    NetzUebungTnStartForm = nullptr;
    TabDruckForm = nullptr;
    AVIForm = nullptr;
    KommVerzForm = nullptr;
    UebErgebForm = nullptr;
    NetzOptForm = nullptr;
    DatenTabForm = nullptr;
    LesezeichenForm = nullptr;
    ObjEditneuForm = nullptr;
    DruckForm = nullptr;
    ListDruckForm = nullptr;
    UebungsoptForm = nullptr;
    while (!besitz_.empty())
        besitz_.pop_back();
    fenster_.clear();
    form1_ = nullptr;
    titel_.reset();
    if (datenGeladen_)
        DatenFreigeben();
}

bool TKartivo::Starte()
{
    QElapsedTimer uhr;
    uhr.start();
    DatenInitialisieren(optionen_.ProgrammVerz.isEmpty() ? ProgrammVerzeichnis() : optionen_.ProgrammVerz);
    datenGeladen_ = true;
    datenMs_ = uhr.elapsed();
    if (optionen_.Bildschirmpruefung && !PruefeGrafikmodus())
        return false;

    AnwendungsTitel = kStartTitel;
    if (optionen_.Titelfenster) {
        titel_ = std::make_unique<TTitelForm>();
        titel_->ZeigeSofort();
    }

    uhr.restart();
    if (optionen_.Store)
        settings_ = std::make_unique<Einstellungen>(optionen_.Store);
    else
        settings_ = std::make_unique<Einstellungen>(
            optionen_.EinstellungsRoot.isEmpty() ? defaultSettingsRoot() : optionen_.EinstellungsRoot);

    auto erzeuge = [this](auto* w, auto*& global) {
        global = w;
        fenster_.push_back(w);
        besitz_.emplace_back(w);
    };
    auto* form1 = new TForm1(*settings_);
    form1_ = form1;
    fenster_.push_back(form1);
    besitz_.emplace_back(form1);
    erzeuge(new TUebAuswForm, UebAuswForm);
    erzeuge(new TMeldForm, MeldForm);
    erzeuge(new TUebProtForm, UebProtForm);
    erzeuge(new TInfoBox, InfoBox);
    erzeuge(new TUebKartDarstForm, UebKartDarstForm);
    erzeuge(new TKartSuchForm, KartSuchForm);
    erzeuge(new TSuchErgForm, SuchErgForm);
    erzeuge(new TNetzUebungTnStartForm, NetzUebungTnStartForm);
    erzeuge(new TTabDruckForm, TabDruckForm);
    erzeuge(new TAVIForm, AVIForm);
    erzeuge(new TKommVerzForm, KommVerzForm);
    erzeuge(new TUebErgebForm, UebErgebForm);
    erzeuge(new TNetzOptForm, NetzOptForm);
    erzeuge(new TDatenTabForm, DatenTabForm);
    erzeuge(new TLesezeichenForm, LesezeichenForm);
    erzeuge(new TObjEditneuForm, ObjEditneuForm);
    erzeuge(new TDruckForm, DruckForm);
    erzeuge(new TListDruckForm, ListDruckForm);
    erzeuge(new TUebungsoptForm, UebungsoptForm);
    // The subsystems' windows reach the main window through its host interface only.
    for (auto* host : {&UebAuswForm->Host, &UebungsoptForm->Host, &UebKartDarstForm->Host, &KartSuchForm->Host,
                       &SuchErgForm->Host, &DatenTabForm->Host, &DruckForm->Host, &UebProtForm->Host,
                       &NetzOptForm->Host})
        *host = form1;
    AVIForm->Host = form1;
    fensterMs_ = uhr.elapsed();
    if (titel_ && titel_->isVisible())
        titel_->raise();
    return true;
}

void TKartivo::ZeigeHauptfenster()
{
    if (!form1_)
        return;
    // Without a window manager nothing maximizes: the window then takes the screen.
    if (const QScreen* s = form1_->screen())
        form1_->setGeometry(s->availableGeometry());
    form1_->showMaximized();
    form1_->activateWindow();
    // Offscreen and on some window managers activation never arrives; the
    // first activation's work must run all the same.
    form1_->FormActivate();
    if (titel_ && titel_->isVisible())
        titel_->raise();
}

} // namespace zl
