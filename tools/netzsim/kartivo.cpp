// netzsim_kartivo: one Kartivo of a class exercise, run offscreen on a program
// folder and driven through its windows, for "netzsim kartivo".
//
//   netzsim_kartivo teacher --prog P --dir D --channel file|udp --answers N [--timeout S]
//       starts a class exercise through the exercise selection and, once the
//       file D/netzsim.stop appears, prints its protocol rows
//   netzsim_kartivo participant --prog P --dir D --name X [--delay-max MS] [--timeout S]
//       joins through the join window, answers every question and prints its state
//
// The orchestrator sets ZELVARO_MAILSLOT_PORT, ZELVARO_MAILSLOT_BIND and
// ZELVARO_RECHNERNAME so that everything stays on loopback.

#include "controls/Dspez.h"
#include "datastore/zl_data.h"
#include "learning/exercise/widgets/zl_uebausw.h"
#include "learning/exercise/widgets/zl_uebergebnis.h"
#include "learning/exercise/widgets/zl_uebflaeche.h"
#include "learning/exercise/widgets/zl_uebmodal.h"
#include "learning/exercise/zl_uebtypen.h"
#include "learning/mainwindow/widgets/zl_main.h"
#include "learning/mainwindow/widgets/zl_main_start.h"
#include "learning/network/widgets/zl_kommverz.h"
#include "learning/network/widgets/zl_netzprotokoll.h"
#include "learning/network/widgets/zl_netzuebung.h"
#include "learning/network/widgets/zl_netzuebungtnstart.h"
#include "platform/MessageService.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QTimer>

#include <cstdio>
#include <random>

using namespace zl;

namespace {

QHash<QString, QString> Argumente(const QStringList& a)
{
    QHash<QString, QString> r;
    for (int i = 2; i + 1 < a.size(); i += 2)
        r.insert(a[i].mid(2), a[i + 1]);
    return r;
}

void Ausgabe(const QString& zeile)
{
    const QByteArray b = zeile.toUtf8() + '\n';
    std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), stdout);
    std::fflush(stdout);
}

// Processes events until the condition holds or the time is up.
template <class F> bool WarteAuf(F f, qint64 ms)
{
    QElapsedTimer t;
    t.start();
    while (!f() && t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return f();
}

std::unique_ptr<TKartivo> StarteKartivo(const QString& Prog, SettingsStore& Store)
{
    KartivoStartOptionen o;
    o.ProgrammVerz = Prog;
    o.Store = &Store;
    o.Titelfenster = false;
    o.Bildschirmpruefung = false;
    auto k = std::make_unique<TKartivo>(o);
    if (!k->Starte())
        return nullptr;
    k->ZeigeHauptfenster();
    QApplication::processEvents();
    TForm1* f = k->Hauptfenster();
    f->Zustand.AktKartID = QStringLiteral("EURO");
    f->ZeigeLernkarte();
    // No media, short waits that keep the timers running.
    TUebungsAnsicht* a = f->UebungsAnsicht;
    a->Warten = [](std::uint32_t ms, bool) { Warte(qMin<std::uint32_t>(ms, 10)); };
    a->WeiterHinweis = [] {};
    a->Medien = {[] {}, [] {}, [] {}, [] {}, [] {}, [] {}};
    return k;
}

int Lehrer(const QHash<QString, QString>& a, RecordingMessageService& boxen)
{
    MemorySettingsStore store;
    auto k = StarteKartivo(a.value(QStringLiteral("prog")), store);
    if (!k)
        return 2;
    TForm1* f = k->Hauptfenster();
    const QString verz = MitTrenner(a.value(QStringLiteral("dir")));
    NetzVerz = verz;
    SetzeKomMailslot(a.value(QStringLiteral("channel")) == QStringLiteral("udp"));
    const int fragen = a.value(QStringLiteral("answers"), QStringLiteral("10")).toInt();
    UebModalAusfuehren = [fragen](QDialog* d) {
        d->setResult(0);
        d->show();
        int r = 0;
        if (d == UebAuswForm) {
            UebAuswForm->NetzwerkUebung1->setChecked(true);
            UebAuswForm->UebRadio[0]->click();
            UebAuswForm->FragAnzCombo->setCurrentText(QString::number(fragen));
            UebAuswForm->StartBtn->click();
            r = UebAuswForm->result();
        }
        d->hide();
        return r;
    };
    f->UebungStart1->trigger();
    if (!QFile::exists(verz + kNetzDateiName) || !UebProtForm->isVisible()) {
        Ausgabe(QStringLiteral("ERROR the class exercise did not start: ") + boxen.texts().join(u' '));
        return 2;
    }
    Ausgabe(QStringLiteral("READY"));
    const qint64 grenze = a.value(QStringLiteral("timeout"), QStringLiteral("120")).toLongLong() * 1000;
    WarteAuf([&] { return QFile::exists(verz + QStringLiteral("netzsim.stop")); }, grenze);
    const TeilnehmerProtokoll& p = UebProtForm->Protokoll;
    for (int i = 0; i < p.TeilnehmerListe().size(); ++i)
        Ausgabe(QStringLiteral("ROW\t") + p.TeilnehmerListe()[i] + u'\t' + p.Teilnehmerzeilen()[i]);
    Ausgabe(QStringLiteral("MEMO\t%1").arg(UebProtForm->Memo1->document()->blockCount()));
    QString schluessel;
    for (const auto& m : QRegularExpression(QStringLiteral("Richtige Antwort: ([A-E])")).globalMatch(UebProtForm->Memo2->toPlainText()))
        schluessel += m.captured(1);
    Ausgabe(QStringLiteral("KEY\t") + schluessel);
    Ausgabe(QStringLiteral("BOXES\t%1").arg(boxen.entries().size()));
    UebModalAusfuehren = nullptr;
    return 0;
}

int Teilnehmer(const QHash<QString, QString>& a, RecordingMessageService& boxen)
{
    MemorySettingsStore store;
    auto k = StarteKartivo(a.value(QStringLiteral("prog")), store);
    if (!k)
        return 2;
    TForm1* f = k->Hauptfenster();
    NetzVerz = MitTrenner(a.value(QStringLiteral("dir")));
    const QString name = a.value(QStringLiteral("name"));
    const qint64 grenze = a.value(QStringLiteral("timeout"), QStringLiteral("120")).toLongLong() * 1000;
    const int pause = a.value(QStringLiteral("delay-max"), QStringLiteral("20")).toInt();
    UebModalAusfuehren = [](QDialog* d) { return d == UebErgebForm ? int(mbCancel) : 0; };
    // The join window polls on its own; the participant waits for "Teilnehmen".
    QTimer::singleShot(0, [&] {
        WarteAuf([] { return NetzUebungTnStartForm->TeilnehmenBtn->isEnabled(); }, grenze);
        NetzUebungTnStartForm->TNameEdit->setText(name);
        NetzUebungTnStartForm->TeilnehmenBtnClick();
        if (NetzUebungTnStartForm->isVisible())
            NetzUebungTnStartForm->reject();
    });
    f->Netzwerkuebung1->trigger();
    TUebungsAnsicht* ansicht = f->UebungsAnsicht;
    if (f->Zustand.Ansichtsmodus != Uebung) {
        Ausgabe(QStringLiteral("ERROR no exercise: ") + boxen.texts().join(u' '));
        return 3;
    }
    Ausgabe(QStringLiteral("TITLE\t") + f->windowTitle());
    std::mt19937 zufall(std::random_device{}());
    QString richtige;
    for (int n = 0; ansicht->Engine().Laeuft() && n < 200; ++n) {
        Warte(static_cast<std::uint32_t>(std::uniform_int_distribution<int>(0, pause)(zufall)));
        const int r = f->Zustand.Uebung.RichtigeAntwort;
        richtige += QChar(u'A' + r - 1);
        const bool richtig = std::uniform_int_distribution<int>(0, 3)(zufall) != 0;
        ansicht->ABtn[(richtig ? r : r % 5 + 1) - 1]->OnClick();
    }
    Warte(300); // the last result leaves on the sender's timer
    const Uebungszustand& U = f->Zustand.Uebung;
    Ausgabe(QStringLiteral("FINAL\t%1\t%2\t%3\t%4\t%5")
                .arg(TeilnehmerDateien.Datei, name, U.AntwortFolge)
                .arg(U.AnzRichtig)
                .arg(U.AnzFalsch));
    Ausgabe(QStringLiteral("KEY\t") + richtige);
    Ausgabe(QStringLiteral("BOXES\t%1").arg(boxen.entries().size()));
    UebModalAusfuehren = nullptr;
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    RecordingMessageService boxen;
    setMessageService(&boxen);
    const QString modus = app.arguments().value(1);
    const QHash<QString, QString> a = Argumente(app.arguments());
    int rc = 64;
    if (modus == QStringLiteral("teacher"))
        rc = Lehrer(a, boxen);
    else if (modus == QStringLiteral("participant"))
        rc = Teilnehmer(a, boxen);
    setMessageService(nullptr);
    return rc;
}
