#include "controls/NumEd.h"

#include "controls/Dspez.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace zl {

namespace {

bool IstSteuerzeichen(QChar c) { return c.unicode() < 32; }

bool NimmtTasten(const QKeyEvent* event, bool (*nimmt)(QChar))
{
    const QString t = event->text();
    return t.isEmpty() || nimmt(t.front());
}

} // namespace

bool NumEditQNimmtZeichen(QChar c)
{
    return (c >= u'0' && c <= u'9') || c == u',' || c == u'-' || c == u'.' || IstSteuerzeichen(c);
}

bool NumEditZNimmtZeichen(QChar c)
{
    return (c >= u'0' && c <= u'9') || c == u'-' || IstSteuerzeichen(c);
}

double NumEditQWert(const QString& text)
{
    QString s = text;
    s.replace(u',', u'.');
    if (s.isEmpty())
        return 0.0;
    QByteArray bytes;
    bytes.reserve(s.size());
    for (QChar c : s) {
        const char16_t u = c.unicode();
        // Only sign, digits, point and exponent belong to a number.
        if (!((u >= u'0' && u <= u'9') || u == u'.' || u == u'-' || u == u'+' || u == u'e' || u == u'E'))
            return 0.0;
        bytes.append(char(u)); // ASCII only at this point
    }
    const char* first = bytes.constData();
    const char* last = first + bytes.size();
    bool negativ = false;
    if (*first == '+' || *first == '-') {
        negativ = *first == '-';
        ++first;
    }
    if (first == last || *first == '+' || *first == '-')
        return 0.0;
    double wert = 0.0;
    const auto [ende, fehler] = std::from_chars(first, last, wert, std::chars_format::general);
    if (fehler != std::errc() || ende != last || !std::isfinite(wert))
        return 0.0;
    return negativ ? -wert : wert;
}

QString NumEditQText(double value, int nkst, const QLocale& locale)
{
    QString s = FormatiereZahl(value, 0, nkst);
    s.replace(u'.', locale.decimalPoint());
    return s;
}

std::int32_t NumEditZBegrenze(std::int32_t value, std::int32_t minValue, std::int32_t maxValue)
{
    // Maximum first, then minimum: with inconsistent limits the minimum wins every
    // time, so clamping again gives the same text.
    if (value > maxValue)
        value = maxValue;
    if (value < minValue)
        value = minValue;
    return value;
}

// ---- TEdit2 -------------------------------------------------------------------------

TEdit2::TEdit2(QWidget* parent) : QLineEdit(parent)
{
    resize(121, 21);
}

void TEdit2::DoExit()
{
    emit OnExit();
}

void TEdit2::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Only a focus move inside the window is an exit; the window losing the
    // focus (another program, a popup) is none.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        DoExit();
}

// ---- TNumEditQ ------------------------------------------------------------------------

TNumEditQ::TNumEditQ(QWidget* parent) : TEdit2(parent)
{
    resize(81, height());
    SetValue(0.0);
}

void TNumEditQ::SetNkst(int nkst)
{
    m_nkst = std::clamp(nkst, 0, 255);
}

double TNumEditQ::GetValue() const
{
    return NumEditQWert(text());
}

void TNumEditQ::SetValue(double value)
{
    setText(NumEditQText(value, m_nkst, QLocale()));
}

void TNumEditQ::DoExit()
{
    SetValue(GetValue());
    TEdit2::DoExit();
}

void TNumEditQ::keyPressEvent(QKeyEvent* event)
{
    if (!NimmtTasten(event, NumEditQNimmtZeichen)) {
        event->accept();
        return;
    }
    TEdit2::keyPressEvent(event);
}

// ---- TNumEditZ ------------------------------------------------------------------------

TNumEditZ::TNumEditZ(QWidget* parent) : TEdit2(parent)
{
    resize(81, height());
    setText(QStringLiteral("0"));
}

std::int32_t TNumEditZ::GetValue() const
{
    return WandleInGanzzahl(text());
}

void TNumEditZ::SetValue(std::int32_t value)
{
    setText(QString::number(value));
    Clamp();
}

void TNumEditZ::Clamp()
{
    const std::int32_t v = GetValue();
    const std::int32_t b = NumEditZBegrenze(v, m_min, m_max);
    if (b != v)
        setText(QString::number(b));
}

void TNumEditZ::DoExit()
{
    Clamp();
    SetValue(GetValue());
    TEdit2::DoExit();
}

void TNumEditZ::keyPressEvent(QKeyEvent* event)
{
    if (!NimmtTasten(event, NumEditZNimmtZeichen)) {
        event->accept();
        return;
    }
    TEdit2::keyPressEvent(event);
}

} // namespace zl
