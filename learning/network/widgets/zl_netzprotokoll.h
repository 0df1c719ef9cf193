#pragma once

// The teacher's protocol window: one live row per participant (from result
// files or mailslot messages) and the answer key, with save, copy and print of
// either tab. Reception runs whenever the window is shown and from the moment a
// new protocol header is written; closing the window ends it.

#include "learning/network/MailSlot2.h"
#include "learning/network/widgets/zl_netzdialog.h"
#include "learning/network/zl_teilnehmerprotokoll.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTimer>

#include <functional>


namespace zl {

class THauptfensterHost;

class TUebProtForm : public TNetzDialog {
public:
    explicit TUebProtForm(QWidget* parent = nullptr);
    // The main window it works for; none: it works alone.
    THauptfensterHost* Host = nullptr;
    ~TUebProtForm() override;

    QTabWidget* PageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    QPlainTextEdit* Memo1;
    QPlainTextEdit* Memo2;
    TBitBtn2 *AktualisierenBtn, *SpeichernBtn, *ZAblBtn, *DruckBtn, *MinBtn, *MaxBtn, *AbbruchBtn;
    QCheckBox* AutoAkt1;
    QCheckBox* TeilnahmeErlaubt;
    QLabel* HinweisLab;
    QTimer* Timer1;
    TMailSlot2* MailSlot1;
    // Start folder of the protocol save dialog.
    QString SaveProtokollVerz;
    TeilnehmerProtokoll Protokoll;

    // A new class exercise: clears the rows and old result files, writes the
    // header and opens reception on the current channel.
    void TeilnehmerProtokollKopf(const QString& KartenName, const QString& UebModusTitel, const QString& Seed,
                                 int Intensitaet, int FragenAnzahl, const QString& UebungsID);
    // The answer key of the pre-generated questions; shows the window maximised.
    void ZeigeAntwortschluessel(const QString& Text);

    void AktualisiereTeilnehmerZeile(const Teilnehmerergebnis& E);
    void LeseTeilnehmerErgebnisse(bool FlagModus);
    void Timer1Timer();
    void MailSlot1NewMessage(const QString& Text);
    void AktualisierenBtnClick() { LeseTeilnehmerErgebnisse(false); }
    void SpeichernBtnClick();
    void ZAblBtnClick();
    void DruckBtnClick();
    void TeilnahmeErlaubtClick();
    // Saves the active tab's text; false after the error box.
    bool SpeichereProtokoll(const QString& Datei);
    // The memo of the active tab.
    QPlainTextEdit* AktivesMemo() const;
    // Reception on the channel in force; a slot that cannot be opened gets a warning.
    void StarteEmpfang();
    void StoppeEmpfang();
    bool Empfaengt() const { return Timer1->isActive() || scanLaeuft_ || MailSlot1->Active(); }

    // Asks for the file to save to (tests replace it); empty: cancelled.
    static inline std::function<QString(QWidget*, const QString& StartVerz)> WaehleSpeicherDatei;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void ZeigeZeile(int Index);
    bool mailslotModus_ = false;
    bool scanLaeuft_ = false;
    bool warnungGezeigt_ = false;
};

// The one window of the run (created at start-up).
inline TUebProtForm* UebProtForm = nullptr;

// The warning when the teacher's slot cannot be opened.
QString MailslotBelegtText(quint16 Port);

} // namespace zl
