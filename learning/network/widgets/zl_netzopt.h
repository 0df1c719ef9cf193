#pragma once

// The teacher's network options: how the participants' programs behave during
// the class exercise and the common seed. The command file takes the item
// indices of the five boxes at the moment it is written.

#include "learning/network/widgets/zl_netzdialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

namespace zl {

class THauptfensterHost;

class TNetzOptForm : public TNetzDialog {
public:
    explicit TNetzOptForm(QWidget* parent = nullptr);
    // The main window it works for; none: it works alone.
    THauptfensterHost* Host = nullptr;

    QComboBox* SoundBox1;
    QComboBox* AnimationBox1;
    QComboBox* RueckmeldBox1;
    QComboBox* AnredeBox1;
    QComboBox* AutoWeiterBox1;
    QLineEdit* RandSeedEdit;
    TBitBtn2* OKBtn;
    TBitBtn2* KommVerzBtn;

protected:
    void showEvent(QShowEvent* event) override;
};

// The one window of the run (created at start-up).
inline TNetzOptForm* NetzOptForm = nullptr;

} // namespace zl
