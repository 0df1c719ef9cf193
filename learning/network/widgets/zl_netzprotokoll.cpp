#include "learning/network/widgets/zl_netzprotokoll.h"
#include "learning/tools/widgets/zl_listdruck.h"

#include "controls/TextFile.h"
#include "datastore/zl_data.h"
#include "learning/mapview/widgets/zl_melde.h"
#include "learning/mapview/zl_hauptfensterhost.h"
#include "learning/network/widgets/zl_kommverz.h"
#include "learning/network/widgets/zl_netzuebung.h"
#include "platform/MessageService.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QVBoxLayout>
#include <QWindow>

namespace zl {
namespace {

QPlainTextEdit* Memo(QWidget* parent, const char* name)
{
    auto* m = new QPlainTextEdit(parent);
    m->setObjectName(QString::fromLatin1(name));
    m->setReadOnly(true);
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    m->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    if (!QFontInfo(f).fixedPitch())
        f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setPointSize(9);
    m->setFont(f);
    return m;
}

quint16 MailslotPort()
{
    bool ok = false;
    const int p = qEnvironmentVariableIntValue("ZELVARO_MAILSLOT_PORT", &ok);
    return ok && p > 0 && p < 65536 ? static_cast<quint16>(p) : TMailSlot2::kStandardPort;
}

QHostAddress MailslotAdresse()
{
    const QHostAddress a(qEnvironmentVariable("ZELVARO_MAILSLOT_BIND"));
    return a.isNull() ? QHostAddress(QHostAddress::AnyIPv4) : a;
}

QString DialogDatei(QWidget* parent, const QString& start)
{
    QFileDialog dlg(parent, QStringLiteral("Protokoll speichern"), start,
                    QStringLiteral("Textdatei (*.txt);;Alle Dateien (*.*)"));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(QStringLiteral("txt"));
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    return dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty() ? dlg.selectedFiles().first()
                                                                             : QString();
}

} // namespace

QString MailslotBelegtText(quint16 Port)
{
    return QStringLiteral("Die Ergebnisse der Teilnehmer können nicht über Mailslots empfangen werden: der "
                          "Empfang (Port %1) ist auf diesem Rechner bereits belegt, zum Beispiel durch ein zweites "
                          "Programm. Schließen Sie das andere Programm oder wählen Sie unter dem Menüpunkt "
                          "\"Allg.-Optionen/Kommunikationsverzeichnis...\" die Kommunikation über das "
                          "Kommunikationsverzeichnis.")
        .arg(Port);
}

TUebProtForm::TUebProtForm(QWidget* parent) : TNetzDialog(parent)
{
    setObjectName(QStringLiteral("UebProtForm"));
    setWindowTitle(QStringLiteral("Netzwerk-Übung Protokoll"));
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    setModal(false);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    Memo1 = Memo(TabSheet1, "Memo1");
    Memo2 = Memo(TabSheet2, "Memo2");
    (new QVBoxLayout(TabSheet1))->addWidget(Memo1);
    (new QVBoxLayout(TabSheet2))->addWidget(Memo2);
    PageControl1->addTab(TabSheet1, QStringLiteral(" Teilnehmer "));
    PageControl1->addTab(TabSheet2, QStringLiteral(" Fragen "));

    AktualisierenBtn = NetzKnopf(this, "AktualisierenBtn", QStringLiteral("Aktualisieren"));
    SpeichernBtn = NetzKnopf(this, "SpeichernBtn", QStringLiteral("Speichern..."));
    ZAblBtn = NetzKnopf(this, "ZAblBtn", QStringLiteral("Zwischenabl."));
    DruckBtn = NetzKnopf(this, "DruckBtn", QStringLiteral("Drucken..."));
    MinBtn = NetzKnopf(this, "MinBtn", QStringLiteral("Minimieren"));
    MaxBtn = NetzKnopf(this, "MaxBtn", QStringLiteral("Maximieren"));
    AbbruchBtn = NetzKnopf(this, "AbbruchBtn", QStringLiteral("Schließen"));
    AutoAkt1 = new QCheckBox(QStringLiteral("Protokoll automatisch aktualisieren"), this);
    AutoAkt1->setObjectName(QStringLiteral("AutoAkt1"));
    AutoAkt1->setChecked(true);
    TeilnahmeErlaubt = new QCheckBox(QStringLiteral("Weitere Teilnehmer erlauben"), this);
    TeilnahmeErlaubt->setObjectName(QStringLiteral("TeilnahmeErlaubt"));
    TeilnahmeErlaubt->setChecked(true);
    HinweisLab = new QLabel(this);
    HinweisLab->setObjectName(QStringLiteral("HinweisLab"));
    HinweisLab->setWordWrap(true);
    HinweisLab->setText(QStringLiteral("Die Teilnehmer wählen an ihren Rechnern den Menüpunkt \"Datei/An "
                                       "Netzwerk-Übung teilnehmen...\". Alle Rechner müssen dasselbe "
                                       "Kommunikationsverzeichnis angeben."));

    auto* knoepfe = new QVBoxLayout;
    for (TBitBtn2* b : {AktualisierenBtn, SpeichernBtn, ZAblBtn, DruckBtn})
        knoepfe->addWidget(b);
    knoepfe->addStretch();
    for (TBitBtn2* b : {MinBtn, MaxBtn, AbbruchBtn})
        knoepfe->addWidget(b);
    auto* unten = new QHBoxLayout;
    unten->addWidget(AutoAkt1);
    unten->addSpacing(24);
    unten->addWidget(TeilnahmeErlaubt);
    unten->addStretch();
    auto* oben = new QHBoxLayout;
    oben->addWidget(PageControl1, 1);
    oben->addLayout(knoepfe);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(kNetzRand, kNetzRand, kNetzRand, kNetzRand);
    l->addLayout(oben, 1);
    l->addLayout(unten);
    l->addWidget(HinweisLab);
    setMinimumSize(640, 420);
    resize(900, 560);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1500);
    Timer1->setSingleShot(true);
    MailSlot1 = new TMailSlot2(this, MailslotPort(), MailslotAdresse());
    MailSlot1->setObjectName(QStringLiteral("MailSlot1"));
    MailSlot1->SetMailBox(QStringLiteral("Kartivo1"));
    MailSlot1->SetCheckInterval(200);

    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    connect(MailSlot1, &TMailSlot2::OnNewMessage, this,
            [this](QObject*, const QString&, const QString&, const QString& Text) { MailSlot1NewMessage(Text); });
    connect(AktualisierenBtn, &QPushButton::clicked, this, [this] { AktualisierenBtnClick(); });
    connect(SpeichernBtn, &QPushButton::clicked, this, [this] { SpeichernBtnClick(); });
    connect(ZAblBtn, &QPushButton::clicked, this, [this] { ZAblBtnClick(); });
    connect(DruckBtn, &QPushButton::clicked, this, [this] { DruckBtnClick(); });
    connect(MinBtn, &QPushButton::clicked, this, [this] { showMinimized(); });
    connect(MaxBtn, &QPushButton::clicked, this, [this] { showMaximized(); });
    connect(AbbruchBtn, &QPushButton::clicked, this, [this] { close(); });
    connect(TeilnahmeErlaubt, &QCheckBox::clicked, this, [this] { TeilnahmeErlaubtClick(); });
}

TUebProtForm::~TUebProtForm()
{
    Timer1->stop();
    MailSlot1->SetActive(false);
}

void TUebProtForm::TeilnehmerProtokollKopf(const QString& KartenName, const QString& UebModusTitel,
                                           const QString& Seed, int Intensitaet, int FragenAnzahl,
                                           const QString& UebungsID)
{
    StoppeEmpfang();
    Protokoll.NeuerKopf(
        TeilnehmerProtokollKopfZeilen(QDateTime::currentDateTime(), KartenName, UebModusTitel, Seed, Intensitaet,
                                      FragenAnzahl),
        UebungsID, FragenAnzahl);
    if (Host)
        Host->Fensterzustand().TeilnehmerListe.clear();
    LoescheErgebnisDateien(NetzVerz);
    Memo1->setPlainText(Protokoll.Zeilen().join(u'\n'));
    StarteEmpfang();
}

void TUebProtForm::ZeigeAntwortschluessel(const QString& Text)
{
    Memo2->setPlainText(Text);
    showMaximized();
    raise();
    activateWindow();
    StarteEmpfang();
}

void TUebProtForm::StarteEmpfang()
{
    mailslotModus_ = KomMailslot();
    if (mailslotModus_) {
        Timer1->stop();
        AutoAkt1->setChecked(true);
        MailSlot1->SetActive(true);
        if (!MailSlot1->Active() && !warnungGezeigt_) {
            warnungGezeigt_ = true; // once per reception, not on every show
            ZeigeWarnung(MailslotBelegtText(MailSlot1->PortFuer(MailSlot1->MailBox())));
        }
    } else {
        MailSlot1->SetActive(false);
        if (!Timer1->isActive() && !scanLaeuft_)
            Timer1->start();
    }
}

void TUebProtForm::StoppeEmpfang()
{
    Timer1->stop();
    MailSlot1->SetActive(false);
    warnungGezeigt_ = false;
}

void TUebProtForm::showEvent(QShowEvent* event)
{
    // Above the main window, without blocking it.
    if (Host && windowHandle() && Host->Hauptfenster()->windowHandle() && !windowHandle()->transientParent())
        windowHandle()->setTransientParent(Host->Hauptfenster()->windowHandle());
    TNetzDialog::showEvent(event);
    StarteEmpfang();
}

void TUebProtForm::closeEvent(QCloseEvent* event)
{
    StoppeEmpfang();
    TNetzDialog::closeEvent(event);
}

void TUebProtForm::hideEvent(QHideEvent* event)
{
    // Minimising hides nothing that should stop; only a real close does.
    if (!isMinimized())
        StoppeEmpfang();
    TNetzDialog::hideEvent(event);
}

void TUebProtForm::ZeigeZeile(int Index)
{
    const QStringList& zeilen = Protokoll.Teilnehmerzeilen();
    QTextDocument* doc = Memo1->document();
    const int nr = kKopfZeilen + Index;
    QScrollBar* v = Memo1->verticalScrollBar();
    QScrollBar* h = Memo1->horizontalScrollBar();
    const int vPos = v->value(), hPos = h->value();
    if (nr >= doc->blockCount()) {
        Memo1->appendPlainText(zeilen[Index]);
    } else {
        QTextCursor c(doc->findBlockByNumber(nr));
        c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        c.insertText(zeilen[Index]);
    }
    v->setValue(vPos);
    h->setValue(hPos);
}

void TUebProtForm::AktualisiereTeilnehmerZeile(const Teilnehmerergebnis& E)
{
    const qsizetype vorher = Protokoll.TeilnehmerListe().size();
    if (!Protokoll.Aktualisiere(E))
        return;
    if (Host && Protokoll.TeilnehmerListe().size() != vorher)
        Host->Fensterzustand().TeilnehmerListe = Protokoll.TeilnehmerListe();
    ZeigeZeile(static_cast<int>(Protokoll.TeilnehmerListe().indexOf(E.Schluessel)));
}

void TUebProtForm::LeseTeilnehmerErgebnisse(bool FlagModus)
{
    for (const Teilnehmerergebnis& e : zl::LeseTeilnehmerErgebnisse(NetzVerz, FlagModus))
        AktualisiereTeilnehmerZeile(e);
}

void TUebProtForm::Timer1Timer()
{
    // Scans never overlap, and the timer always runs again after one.
    scanLaeuft_ = true;
    try {
        if (AutoAkt1->isChecked())
            LeseTeilnehmerErgebnisse(true);
    } catch (...) {
    }
    scanLaeuft_ = false;
    Timer1->start();
}

void TUebProtForm::MailSlot1NewMessage(const QString& Text)
{
    if (const std::optional<Teilnehmerergebnis> e = LeseErgebnisNachricht(Text))
        AktualisiereTeilnehmerZeile(*e);
}

QPlainTextEdit* TUebProtForm::AktivesMemo() const
{
    return PageControl1->currentWidget() == TabSheet2 ? Memo2 : Memo1;
}

bool TUebProtForm::SpeichereProtokoll(const QString& Datei)
{
    TextFileIO f;
    f.Assign(Datei);
    if (!f.Rewrite())
        return false;
    try {
        for (const QString& z : AktivesMemo()->toPlainText().split(u'\n'))
            f.WriteLine(z);
        f.Close();
    } catch (const Exception& e) {
        ZeigeFehler(e.message());
        return false;
    }
    return true;
}

void TUebProtForm::SpeichernBtnClick()
{
    const QString datei = (WaehleSpeicherDatei ? WaehleSpeicherDatei : DialogDatei)(this, SaveProtokollVerz);
    if (!datei.isEmpty())
        SpeichereProtokoll(datei);
}

void TUebProtForm::ZAblBtnClick() { QApplication::clipboard()->setText(AktivesMemo()->toPlainText()); }

void TUebProtForm::DruckBtnClick()
{
    // The active tab's lines go to the list print dialog.
    if (!ListDruckForm)
        return;
    const QStringList Zeilen = AktivesMemo()->toPlainText().split(u'\n');
    ListDruckForm->Druckzeilen = &Zeilen;
    ListDruckForm->ZeigeModal();
    ListDruckForm->Druckzeilen = nullptr;
}

void TUebProtForm::TeilnahmeErlaubtClick()
{
    if (TeilnahmeErlaubt->isChecked())
        SchreibeNetzDatei();
    else
        LoescheNetzDatei(NetzVerz);
}

} // namespace zl
