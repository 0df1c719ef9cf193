#pragma once

// The about box.

#include "controls/Buttons2.h"
#include "learning/mapview/widgets/zl_gestaltung.h"

#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>

namespace zl {

inline const QString kVersionsText = QStringLiteral("Version 4.0.2010.02.04");

class TInfoBox : public QDialog {
public:
    explicit TInfoBox(QWidget* parent = nullptr);

    TImage* MainBackImg;
    QWidget* TitPan;
    QLabel* TitelLabel;
    QLabel* VersLab;
    TImage* ZLTextImg1;
    QWidget* TextPan;
    TImage* EiImg;
    QPlainTextEdit* Memo1;
    QWidget* Panel1;
    TBitBtn2* OKBtn;

    static QString InfoText();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

// The one about box of the run (created at start-up).
inline TInfoBox* InfoBox = nullptr;

} // namespace zl
