#pragma once

// The communication-folder dialog: the shared folder and the channel from the
// participants to the teacher's computer, with an access test. Its two radio
// buttons are the program's channel setting; a change stays when the dialog is
// cancelled.

#include "learning/network/widgets/zl_netzdialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace zl {

class TKommVerzForm : public TNetzDialog {
public:
    explicit TKommVerzForm(QWidget* parent = nullptr);

    QLineEdit* VerzEdit1;
    TBitBtn2* DurchsuchenBtn;
    QGroupBox* KomGroup;
    QRadioButton* KomRadioDatei;
    QRadioButton* KomRadioMailslot;
    TBitBtn2* ZugriffstestBtn;
    TBitBtn2* OKBtn;
    TBitBtn2* AbbrechenBtn;
    QLabel* HinweisLab;

    // The access test of the edited folder; with a message on either outcome.
    bool TesteZugriff(bool MitMeldung);
    void DurchsuchenBtnClick();
    // Stores the edited folder as NetzVerz and closes when it exists and passes the test.
    void OKBtnClick();
};

// The one window of the run (created at start-up).
inline TKommVerzForm* KommVerzForm = nullptr;

// The channel in force: true for mailslot messages (also without the dialog).
bool KomMailslot();
void SetzeKomMailslot(bool Mailslot);

} // namespace zl
