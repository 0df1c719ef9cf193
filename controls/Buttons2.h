#pragma once

#include "controls/Farben.h"

#include <QImage>
#include <QPointer>
#include <QPushButton>

#include <functional>

class QDialog;

namespace zl {

enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };

// Modal results of the dialogs (the values of the message service's buttons).
enum : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
             mrYes = 6, mrNo = 7, mrAll = 8 };

// The modal result a kind sets (0 for bkCustom, bkHelp, bkClose).
int ModalResultFuerArt(TBitBtnKind kind);

// NumGlyphs as stored: below 1 gives 1 (a strip is never cut into 0 parts), above 4 gives 4.
int BegrenzeNumGlyphs(int n);

// Glyph state and the strip position shown for it: the state's own position, the
// first when the strip is shorter, and the up image when pressed with fewer than 3.
enum class GlyphZustand { Oben = 0, Gesperrt = 1, Unten = 2 };
int GlyphIndex(GlyphZustand zustand, int numGlyphs);

// Caption fitting: the font size goes down by 1 point while the text measured at
// that size (measure(size) = width in pixels) is wider than `breite` and the
// size is above 1 point. Returns the size to draw with.
int PasseSchriftAn(int punkte, int breite, const std::function<int(int punkte)>& measure);

// Pending modal result of a form: a click of a button with a ModalResult sets it
// before OnClick runs; an OnClick handler may set it back to mrNone to keep the
// dialog open. Read by the button after OnClick.
int FormModalResult(const QWidget* form);
void SetFormModalResult(QWidget* form, int result);

// The push button of every dialog: owner-drawn, with an optional glyph strip, a
// caption that shrinks to fit, a caption shadow, its own fill colour and the kind
// and modal result of the class library's bitmap button. A click on a button with
// a ModalResult closes the parent QDialog with that result (QDialog::done).
class TBitBtn2 : public QPushButton {
    Q_OBJECT

public:
    explicit TBitBtn2(QWidget* parent = nullptr);
    ~TBitBtn2() override;

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption);

    bool Cancel() const { return m_cancel; }
    void SetCancel(bool cancel);
    bool Default() const { return isDefault(); }
    void SetDefault(bool isDefault);
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int result);

    // Reads back bkCustom once Default, Cancel, ModalResult or the glyph no longer match.
    TBitBtnKind Kind() const;
    void SetKind(TBitBtnKind kind);

    const QImage& Glyph() const { return m_glyph; }
    void SetGlyph(const QImage& strip);
    // Transparent colour of the strip: olive until a non-empty strip is set, then its
    // bottom-left pixel.
    TColor GlyphTransparentColor() const { return m_transparentColor; }
    int NumGlyphs() const { return m_numGlyphs; }
    void SetNumGlyphs(int n);
    int Margin() const { return m_margin; }
    void SetMargin(int margin); // values below -1 are ignored
    TButtonStyle Style() const { return m_style; }
    void SetStyle(TButtonStyle style);
    int Style3D() const { return m_style3D; }
    void SetStyle3D(int style3D);
    int Shadow() const { return m_shadow; }
    void SetShadow(int shadow);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);
    bool Checked() const { return m_checked; }
    void SetChecked(bool checked);
    TColor SelColor() const { return m_selColor; }
    void SetSelColor(TColor c);
    TColor Color() const { return m_color; }
    void SetColor(TColor c); // always repaints
    // The font's colour (the class library's font carries one), clWindowText at first.
    TColor FontColor() const { return m_fontColor; }
    void SetFontColor(TColor c);

    // Set when the focus moved here, cleared when it moved to another control.
    bool IsActive() const { return m_active; }
    // The image drawn for a state (cut from the strip), or a null image without a glyph.
    QImage GlyphImage(GlyphZustand zustand) const;

    // The click of the button as the user makes it: bkClose closes the window,
    // otherwise OnClick and the modal result.
    void Click();

signals:
    void OnClick();
    void OnEnter();
    void OnExit();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void handleClicked();
    void watchWindow();
    void setActive(bool active);

    bool m_cancel = false;
    int m_modalResult = 0;
    TBitBtnKind m_kind = bkCustom;
    QImage m_glyph;
    bool m_glyphByHand = false;
    TColor m_transparentColor = clOlive;
    int m_numGlyphs = 1;
    int m_margin = 0;
    TButtonStyle m_style = bsAutoDetect;
    int m_style3D = 2;
    int m_shadow = 1;
    bool m_transparent = false;
    bool m_checked = false;
    TColor m_selColor = clWhite;
    TColor m_color = clBtnFace;
    TColor m_fontColor = clWindowText;
    bool m_active = false;
    bool m_destroying = false;
    QPointer<QWidget> m_watched;
};

} // namespace zl
