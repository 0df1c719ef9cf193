#include "controls/Buttons2.h"
#include "controls/Zeichnen.h"

#include <QApplication>
#include <QDialog>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

#include <array>

namespace zl {

namespace {

constexpr char kFormModalResult[] = "zlModalResult";

QColor qc(TColor c, const QPalette& pal) { return ZuQColor(c, pal); }

// The glyph strips of the kinds (two images: up and disabled), drawn once per kind
// on first use. Background olive, the strip's transparent colour.
QImage ArtGlyph(TBitBtnKind kind)
{
    static std::array<QImage, 11> cache;
    QImage& img = cache[size_t(kind)];
    if (!img.isNull() || kind == bkCustom)
        return img;
    constexpr int n = 18;
    img = QImage(2 * n, n, QImage::Format_RGB32);
    img.fill(QColor(0x80, 0x80, 0x00));
    for (int i = 0; i < 2; ++i) {
        QPainter p(&img);
        p.translate(i * n, 0);
        const bool grau = i == 1;
        auto farbe = [&](QColor c) { return grau ? QColor(0x80, 0x80, 0x80) : c; };
        QPen pen(farbe(Qt::black), 2);
        switch (kind) {
        case bkOK:
        case bkYes:
        case bkAll:
            pen.setColor(farbe(QColor(0, 0x80, 0)));
            p.setPen(pen);
            p.drawLine(3, 9, 7, 13);
            p.drawLine(7, 13, 15, 4);
            if (kind == bkAll)
                p.drawLine(10, 13, 16, 7);
            break;
        case bkCancel:
        case bkNo:
        case bkAbort:
            pen.setColor(farbe(QColor(0xC0, 0, 0)));
            p.setPen(pen);
            p.drawLine(4, 4, 13, 13);
            p.drawLine(13, 4, 4, 13);
            if (kind == bkNo)
                p.drawEllipse(2, 2, 13, 13);
            break;
        default: {
            QFont f(QStringLiteral("Arial"));
            f.setPixelSize(14);
            f.setBold(true);
            f.setStyleStrategy(QFont::NoAntialias);
            p.setFont(f);
            p.setPen(farbe(QColor(0, 0, 0x80)));
            const char* zeichen = kind == bkHelp ? "?" : kind == bkClose ? "X"
                                : kind == bkRetry                     ? "R"
                                                                      : "I";
            p.drawText(QRect(0, 0, n, n), Qt::AlignCenter, QString::fromLatin1(zeichen));
            break;
        }
        }
    }
    return img;
}

} // namespace

int ModalResultFuerArt(TBitBtnKind kind)
{
    switch (kind) {
    case bkOK: return mrOk;
    case bkCancel: return mrCancel;
    case bkYes: return mrYes;
    case bkNo: return mrNo;
    case bkAbort: return mrAbort;
    case bkRetry: return mrRetry;
    case bkIgnore: return mrIgnore;
    case bkAll: return mrAll;
    default: return mrNone;
    }
}

int BegrenzeNumGlyphs(int n)
{
    return n < 1 ? 1 : n > 4 ? 4 : n;
}

int GlyphIndex(GlyphZustand zustand, int numGlyphs)
{
    numGlyphs = BegrenzeNumGlyphs(numGlyphs);
    if (zustand == GlyphZustand::Unten && numGlyphs < 3)
        return 0;
    const int i = int(zustand);
    return i < numGlyphs ? i : 0;
}

int PasseSchriftAn(int punkte, int breite, const std::function<int(int)>& measure)
{
    while (punkte > 1 && measure(punkte) > breite)
        --punkte;
    return punkte;
}

int FormModalResult(const QWidget* form)
{
    return form ? form->property(kFormModalResult).toInt() : 0;
}

void SetFormModalResult(QWidget* form, int result)
{
    if (form)
        form->setProperty(kFormModalResult, result);
}

TBitBtn2::TBitBtn2(QWidget* parent) : QPushButton(parent)
{
    setAutoDefault(false);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractButton::clicked, this, &TBitBtn2::handleClicked);
    watchWindow();
}

TBitBtn2::~TBitBtn2()
{
    m_destroying = true;
    if (m_watched)
        m_watched->removeEventFilter(this);
}

void TBitBtn2::SetCaption(const QString& caption)
{
    if (caption != text())
        setText(caption);
}

void TBitBtn2::SetCancel(bool cancel)
{
    if (cancel != m_cancel) {
        m_cancel = cancel;
        update();
    }
}

void TBitBtn2::SetDefault(bool isDefault)
{
    if (isDefault != this->isDefault()) {
        setDefault(isDefault);
        update();
    }
}

void TBitBtn2::SetModalResult(int result)
{
    m_modalResult = result;
}

TBitBtnKind TBitBtn2::Kind() const
{
    if (m_kind == bkCustom)
        return bkCustom;
    const bool defaultSoll = m_kind == bkOK || m_kind == bkYes;
    const bool cancelSoll = m_kind == bkCancel || m_kind == bkNo;
    if (isDefault() != defaultSoll || m_cancel != cancelSoll
        || m_modalResult != ModalResultFuerArt(m_kind) || m_glyphByHand)
        return bkCustom;
    return m_kind;
}

void TBitBtn2::SetKind(TBitBtnKind kind)
{
    if (kind != bkCustom) {
        setDefault(kind == bkOK || kind == bkYes);
        m_cancel = kind == bkCancel || kind == bkNo;
        m_modalResult = ModalResultFuerArt(kind);
        SetGlyph(ArtGlyph(kind));
        m_numGlyphs = 2;
        m_glyphByHand = false;
    }
    m_kind = kind;
    update();
}

void TBitBtn2::SetGlyph(const QImage& strip)
{
    m_glyph = strip.isNull() ? QImage() : strip.convertToFormat(QImage::Format_RGB32);
    if (!m_glyph.isNull() && m_glyph.width() > 0 && m_glyph.height() > 0)
        m_transparentColor = AusQColor(m_glyph.pixelColor(0, m_glyph.height() - 1));
    m_glyphByHand = true;
    update();
}

void TBitBtn2::SetNumGlyphs(int n)
{
    n = BegrenzeNumGlyphs(n);
    if (n != m_numGlyphs) {
        m_numGlyphs = n;
        update();
    }
}

void TBitBtn2::SetMargin(int margin)
{
    if (margin >= -1 && margin != m_margin) {
        m_margin = margin;
        update();
    }
}

void TBitBtn2::SetStyle(TButtonStyle style)
{
    if (style != m_style) {
        m_style = style;
        update();
    }
}

void TBitBtn2::SetStyle3D(int style3D)
{
    if (style3D != m_style3D) {
        m_style3D = style3D;
        update();
    }
}

void TBitBtn2::SetShadow(int shadow)
{
    if (shadow != m_shadow) {
        m_shadow = shadow;
        update();
    }
}

void TBitBtn2::SetTransparent(bool transparent)
{
    if (transparent != m_transparent) {
        m_transparent = transparent;
        update();
    }
}

void TBitBtn2::SetChecked(bool checked)
{
    if (checked != m_checked) {
        m_checked = checked;
        update();
    }
}

void TBitBtn2::SetSelColor(TColor c)
{
    if (c != m_selColor) {
        m_selColor = c;
        update();
    }
}

void TBitBtn2::SetColor(TColor c)
{
    m_color = c;
    update();
}

void TBitBtn2::SetFontColor(TColor c)
{
    if (c != m_fontColor) {
        m_fontColor = c;
        update();
    }
}

QImage TBitBtn2::GlyphImage(GlyphZustand zustand) const
{
    if (m_glyph.isNull() || m_glyph.width() <= 0 || m_glyph.height() <= 0)
        return {};
    const int n = m_numGlyphs;
    const int w = m_glyph.width() / n;
    if (w <= 0)
        return {};
    const int index = GlyphIndex(zustand, n);
    QImage img = m_glyph.copy(index * w, 0, w, m_glyph.height()).convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = ZuQColor(m_transparentColor, palette()).rgb();
    if (zustand == GlyphZustand::Unten) {
        // Added with the transparent colour as mask.
        for (int y = 0; y < img.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x)
                if ((line[x] | 0xFF000000u) == transparent)
                    line[x] = 0;
        }
    } else if (m_transparent) {
        const QRgb face = qc(clBtnFace, palette()).rgb();
        for (int y = 0; y < img.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x)
                if ((line[x] | 0xFF000000u) == transparent)
                    line[x] = face;
        }
    }
    if (m_checked) {
        const QColor sel = qc(m_selColor, palette());
        for (int y = 0; y < img.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x)
                if (qAlpha(line[x]) != 0)
                    line[x] = qRgb((qRed(line[x]) + sel.red()) / 2, (qGreen(line[x]) + sel.green()) / 2,
                                   (qBlue(line[x]) + sel.blue()) / 2);
        }
    }
    return img;
}

void TBitBtn2::Click()
{
    if (Kind() == bkClose) {
        if (QWidget* w = window())
            w->close();
        return;
    }
    click();
}

void TBitBtn2::handleClicked()
{
    if (Kind() == bkClose) {
        if (QWidget* w = window(); w && w != this)
            w->close();
        return;
    }
    QPointer<QWidget> form = window() != this ? window() : nullptr;
    SetFormModalResult(form, m_modalResult);
    QPointer<TBitBtn2> self(this);
    emit OnClick();
    if (!form)
        return;
    const int result = FormModalResult(form);
    if (result != mrNone) {
        SetFormModalResult(form, mrNone);
        if (auto* dialog = qobject_cast<QDialog*>(form.data()))
            dialog->done(result);
    }
}

void TBitBtn2::watchWindow()
{
    QWidget* w = window();
    if (w == this)
        w = nullptr;
    if (w == m_watched)
        return;
    if (m_watched)
        m_watched->removeEventFilter(this);
    m_watched = w;
    if (m_watched)
        m_watched->installEventFilter(this);
}

bool TBitBtn2::event(QEvent* event)
{
    if (event->type() == QEvent::ParentChange || event->type() == QEvent::Show)
        watchWindow();
    return QPushButton::event(event);
}

// The window's dialog keys: Escape clicks the Cancel button, Return (without
// modifiers, when the focus is on no button) the Default button.
bool TBitBtn2::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_watched && event->type() == QEvent::KeyPress && !m_destroying) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool ohneZusatz = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (ohneZusatz && isVisible() && isEnabled()) {
            if (key->key() == Qt::Key_Escape && m_cancel) {
                Click();
                return true;
            }
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && isDefault()
                && !qobject_cast<QAbstractButton*>(QApplication::focusWidget())) {
                Click();
                return true;
            }
        }
    }
    return QPushButton::eventFilter(watched, event);
}

void TBitBtn2::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0) {
        Click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void TBitBtn2::setActive(bool active)
{
    if (active != m_active) {
        m_active = active;
        update();
    }
}

void TBitBtn2::focusInEvent(QFocusEvent* event)
{
    setActive(true);
    QPushButton::focusInEvent(event);
    emit OnEnter();
}

void TBitBtn2::focusOutEvent(QFocusEvent* event)
{
    QPushButton::focusOutEvent(event);
    // Deactivating the window moves no focus inside it: the button stays active.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
        setActive(false);
        emit OnExit();
    }
    update();
}

void TBitBtn2::paintEvent(QPaintEvent*)
{
    if (m_destroying)
        return;
    QPainter p(this);
    const QPalette& pal = palette();
    const int w = width();
    const int h = height();
    const GlyphZustand zustand = !isEnabled() ? GlyphZustand::Gesperrt
                               : isDown()     ? GlyphZustand::Unten
                                              : GlyphZustand::Oben;
    const QColor fill = qc(m_color, pal);

    if (m_active || hasFocus())
        Umriss(p, 0, 0, w, h, qc(Sysfarbe::FensterRahmen, pal));

    if (zustand == GlyphZustand::Unten) {
        Umriss(p, 1, 1, w - 1, h - 1, qc(clBtnShadow, pal));
        Fuelle(p, 2, 2, w - 2, h - 2, fill);
    } else {
        // The system's push frame: raised outer and inner edge around a face fill,
        // then the interior grown by one is filled with the button's colour.
        Fuelle(p, 0, 0, w, h, qc(clBtnFace, pal));
        Fuelle(p, 0, 0, w, 1, qc(clBtnHighlight, pal));
        Fuelle(p, 0, 0, 1, h, qc(clBtnHighlight, pal));
        Fuelle(p, 0, h - 1, w, h, qc(Sysfarbe::DunklerSchatten3D, pal));
        Fuelle(p, w - 1, 0, w, h, qc(Sysfarbe::DunklerSchatten3D, pal));
        Fuelle(p, 1, 1, w - 1, 2, qc(Sysfarbe::Hell3D, pal));
        Fuelle(p, 1, 1, 2, h - 1, qc(Sysfarbe::Hell3D, pal));
        Fuelle(p, 1, h - 2, w - 1, h - 1, qc(clBtnShadow, pal));
        Fuelle(p, w - 2, 1, w - 1, h - 1, qc(clBtnShadow, pal));
        Fuelle(p, 1, 1, w - 1, h - 1, fill);
    }

    const int verschub = zustand == GlyphZustand::Unten ? 1 : 0;
    const QImage glyph = GlyphImage(zustand);
    if (!glyph.isNull()) {
        int gx = m_margin + 2 + verschub;
        int gy = 2 + verschub;
        int gw = std::min(glyph.width(), w - 4);
        int gh = std::min(glyph.height(), h - 4);
        if (m_style3D == 1) {
            --gx;
            --gy;
            ++gw;
            ++gh;
        }
        if (gw > 0 && gh > 0)
            p.drawImage(QPoint(gx, gy), glyph, QRect(0, 0, gw, gh));
    }

    const QString caption = text();
    if (!caption.isEmpty()) {
        const QRect textRect = QRect(QPoint(2, 2), QPoint(w - 3, h - 3)).translated(verschub, verschub);
        constexpr int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
        QFont f = font();
        f.setStyleStrategy(QFont::NoAntialias);
        const int eigen = f.pointSize() > 0 ? f.pointSize() : 8;
        const int punkte = PasseSchriftAn(eigen, textRect.width(), [&](int pt) {
            QFont m = f;
            m.setPointSize(pt);
            return QFontMetrics(m, this).boundingRect(QRect(0, 0, 100000, 1000), flags, caption).width();
        });
        f.setPointSize(punkte);
        p.setFont(f);
        const bool gesperrt = zustand == GlyphZustand::Gesperrt;
        if (gesperrt) {
            p.setPen(Qt::white);
            p.drawText(textRect.translated(1, 1), flags, caption);
            p.setPen(QColor(0x80, 0x80, 0x80));
        } else {
            if (m_shadow != 0) {
                p.setPen(Qt::black);
                p.drawText(textRect.translated(m_shadow, m_shadow), flags, caption);
            }
            p.setPen(qc(m_fontColor, pal));
        }
        p.drawText(textRect, flags, caption);
    }

    if (m_active)
        FokusRahmen(p, 3, 3, w - 3, h - 3);
}

} // namespace zl
