#pragma once

// Readable failure messages for Qt values in every test.

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << '{';
    for (const QString& s : l)
        *os << '"' << s.toStdString() << "\" ";
    *os << '}';
}
inline void PrintTo(const QColor& c, std::ostream* os)
{
    *os << "rgb(" << c.red() << ',' << c.green() << ',' << c.blue() << ')';
}
inline void PrintTo(const QPoint& p, std::ostream* os)
{
    *os << '(' << p.x() << ',' << p.y() << ')';
}
inline void PrintTo(const QRect& r, std::ostream* os)
{
    *os << '(' << r.x() << ',' << r.y() << ' ' << r.width() << 'x' << r.height() << ')';
}
