#pragma once

// Small label tables and the bundled worksheet data for the worksheet tests.

#include "datastore/Objektdaten.h"

#include <QList>
#include <QString>

namespace zl::ab::test
{

inline ObjDataTyp Obj(const char* Karte, const char* Typ, double Px, double Py, const QString& Bez, int Intens,
                      int dx = 0, int dy = 0)
{
    ObjDataTyp o;
    o.KartID = QString::fromLatin1(Karte);
    o.ObjTyp = QString::fromLatin1(Typ);
    o.Px = Px;
    o.Py = Py;
    o.Bez = Bez;
    o.dx = std::int8_t(dx);
    o.dy = std::int8_t(dy);
    o.Intens = Intens;
    return o;
}

// The program folder the build lays out (AB-Daten, ZX-Karten).
inline QString FoliavoVerz()
{
    return QStringLiteral(ZL_FOLIAVO_DIR);
}

} // namespace zl::ab::test
