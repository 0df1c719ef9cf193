#pragma once

// The participant's join window: waits for the teacher's command (read every
// 500 ms while shown) and takes the participant's name.

#include "learning/network/widgets/zl_netzdialog.h"
#include "learning/network/zl_netzteilnehmer.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace zl {

class TNetzUebungTnStartForm : public TNetzDialog {
public:
    explicit TNetzUebungTnStartForm(QWidget* parent = nullptr);

    QGroupBox* StatusGroup;
    QLabel* StatusLab;
    QLineEdit* TNameEdit;
    QLabel* HinweisLab;
    QTimer* NetzCheckTimer1;
    TBitBtn2* TeilnehmenBtn;
    TBitBtn2* AbbrechenBtn;
    // The checked command of the last successful "Teilnehmen".
    NetzStartDaten StartDaten;

    // One poll of the command file.
    void PruefeNetzBefehl();
    // Closes with OK when the name, the folder, the command and the label file pass.
    void TeilnehmenBtnClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int r) override;

private:
    void ZeigeStatus(const QString& Text, const QColor& Farbe);
};

// The one window of the run (created at start-up).
inline TNetzUebungTnStartForm* NetzUebungTnStartForm = nullptr;

inline const QString kKommVerzFehlt = QStringLiteral(
    "Das angegebene Kommunikationsverzeichnis ist nicht verfügbar. Wählen Sie zur Korrektur den Menüpunkt "
    "\"Allg.-Optionen/Kommunikationsverzeichnis...\"");

} // namespace zl
