#pragma once

#include <QLineEdit>
#include <QLocale>

#include <cstdint>
#include <optional>

namespace zl {

// ---- headless rules ---------------------------------------------------------------

// Keys the number edits take: digits, ",", "-", "." and control characters for the
// decimal edit; digits, "-" and control characters for the whole-number edit.
bool NumEditQNimmtZeichen(QChar c);
bool NumEditZNimmtZeichen(QChar c);

// The decimal edit's text as a number: "," read as ".", then an optional sign,
// digits with an optional "." and an optional exponent, nothing else. 0 when the
// text is no such number (thousands separators, letters, an empty text).
double NumEditQWert(const QString& text);
// The text for a value: FormatiereZahl with `nkst` decimals, "." replaced by the
// decimal separator of `locale`.
QString NumEditQText(double value, int nkst, const QLocale& locale);

// A value kept inside [minValue, maxValue]. With minValue > maxValue the minimum
// wins (and stays when clamped again); nothing recurses.
std::int32_t NumEditZBegrenze(std::int32_t value, std::int32_t minValue, std::int32_t maxValue);

// ---- TEdit2 ---------------------------------------------------------------------

// The base edit of the number edits. OnExit is raised when the focus moves to
// another control of the window (not when the window itself loses the focus).
class TEdit2 : public QLineEdit {
    Q_OBJECT

public:
    explicit TEdit2(QWidget* parent = nullptr);

    // The exit handling: the subclasses' normalisation, then OnExit.
    virtual void DoExit();

signals:
    void OnExit();

protected:
    void focusOutEvent(QFocusEvent* event) override;
};

// An edit for a decimal number with `Nkst` decimals shown.
class TNumEditQ : public TEdit2 {
    Q_OBJECT

public:
    explicit TNumEditQ(QWidget* parent = nullptr);

    int Nkst() const { return m_nkst; }
    void SetNkst(int nkst); // 0 to 255; the text is not reformatted
    double GetValue() const;
    void SetValue(double value);

    void DoExit() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_nkst = 1;
};

// An edit for a whole number within MinValue..MaxValue.
class TNumEditZ : public TEdit2 {
    Q_OBJECT

public:
    explicit TNumEditZ(QWidget* parent = nullptr);

    std::int32_t MinValue() const { return m_min; }
    void SetMinValue(std::int32_t v) { m_min = v; }
    std::int32_t MaxValue() const { return m_max; }
    void SetMaxValue(std::int32_t v) { m_max = v; }
    std::int32_t GetValue() const;
    void SetValue(std::int32_t value); // sets the text, then Clamp
    void Clamp();

    void DoExit() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::int32_t m_min = 0;
    std::int32_t m_max = 2147483647;
};

} // namespace zl
