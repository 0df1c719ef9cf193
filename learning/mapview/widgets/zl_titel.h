#pragma once

// The splash window shown while the program starts.

#include "learning/mapview/widgets/zl_gestaltung.h"

#include <QFrame>
#include <QTimer>
#include <QWidget>

namespace zl {

class TTitelForm : public QWidget {
public:
    explicit TTitelForm(QWidget* parent = nullptr);

    QFrame* Panel1;
    TImage* Image1;   // 400 x 300
    QTimer TitelTimer; // 1750 ms, running from creation

    // Shows the window without waiting and paints it at once.
    void ZeigeSofort();
    // Hides the window for good and stops its timer (timer, click, Esc).
    void Schliessen();

    // The built-in splash picture.
    static QImage Titelbild();
    // The logo of the tool bar in the splash picture's colours.
    static QImage Logo(int Breite, int Hoehe);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // A splash window gets no keyboard focus: Esc is caught wherever it is pressed.
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace zl
