#include "worksheet/ab_voreinstellungen.h"

#include "platform/SettingsStore.h"

#include <array>
#include <utility>

namespace zl::ab
{

namespace
{

// The texts in file and key order with their value names.
template <class V> auto Texte(V& v)
{
    return std::array<std::pair<const char16_t*, decltype(&v.AufgTextA)>, 16>{{
        {u"AB-AufgTextA", &v.AufgTextA},
        {u"AB-AufgTextB", &v.AufgTextB},
        {u"AB-AufgTextC", &v.AufgTextC},
        {u"AB-AufgTextD", &v.AufgTextD},
        {u"AB-NameText", &v.NameText},
        {u"AB-KlasseText", &v.KlasseText},
        {u"AB-DatumText", &v.DatumText},
        {u"AB-TitelText", &v.TitelText},
        {u"AB-ot_L", &v.ot_L},
        {u"AB-ot_IS", &v.ot_IS},
        {u"AB-ot_H", &v.ot_H},
        {u"AB-ot_S", &v.ot_S},
        {u"AB-ot_G", &v.ot_G},
        {u"AB-ot_GB", &v.ot_GB},
        {u"AB-ot_B", &v.ot_B},
        {u"AB-ot_I", &v.ot_I},
    }};
}

template <class V> auto Schalter(V& v)
{
    return std::array<std::pair<const char16_t*, decltype(&v.NameZeile)>, 4>{{
        {u"AB-NameZeile", &v.NameZeile},
        {u"AB-KlasseZeile", &v.KlasseZeile},
        {u"AB-DatumZeile", &v.DatumZeile},
        {u"AB-MixTypHinweis", &v.MixTypHinweis},
    }};
}

} // namespace

const QString& ABVoreinstellungen::AufgText(int Aufgabe) const
{
    static const QString leer;
    switch (Aufgabe) {
    case 0:
        return AufgTextA;
    case 1:
        return AufgTextB;
    case 2:
        return AufgTextC;
    case 3:
        return AufgTextD;
    }
    return leer;
}

QString& ABVoreinstellungen::AufgText(int Aufgabe)
{
    return const_cast<QString&>(std::as_const(*this).AufgText(Aufgabe));
}

int GueltigeMaxAnz(int MaxAnz)
{
    return MaxAnz < 1 ? 1 : (MaxAnz > kMaxEintraege ? kMaxEintraege : MaxAnz);
}

void LeseABVoreinstellungen(const SettingsStore& Store, ABVoreinstellungen& V)
{
    for (auto& [name, feld] : Texte(V))
        if (auto t = Store.readText(QString::fromUtf16(name)))
            *feld = *t;
    for (auto& [name, feld] : Schalter(V))
        if (auto b = Store.readBool(QString::fromUtf16(name)))
            *feld = *b;
    const auto m = Store.readInt32(QStringLiteral("AB-MaxAnz"));
    V.MaxAnz = (m && *m >= 1 && *m <= kMaxEintraege) ? *m : 20;
}

int SchreibeABVoreinstellungen(SettingsStore& Store, const ABVoreinstellungen& V)
{
    int fehler = 0;
    auto merke = [&fehler](int code) {
        if (fehler == 0)
            fehler = code;
    };
    for (auto& [name, feld] : Texte(V))
        merke(Store.writeText(QString::fromUtf16(name), *feld));
    for (auto& [name, feld] : Schalter(V))
        merke(Store.writeBool(QString::fromUtf16(name), *feld));
    merke(Store.writeInt32(QStringLiteral("AB-MaxAnz"), V.MaxAnz));
    return fehler;
}

QString ObjTypHinweis(const ABVoreinstellungen& V, const QString& Code)
{
    const QString c = Code.toUpper();
    if (c == u"L" || c == u"LX")
        return V.ot_L;
    if (c == u"IS")
        return V.ot_IS;
    if (c == u"H")
        return V.ot_H;
    if (c == u"S")
        return V.ot_S;
    if (c == u"G")
        return V.ot_G;
    if (c == u"GB")
        return V.ot_GB;
    if (c == u"B")
        return V.ot_B;
    if (c == u"I")
        return V.ot_I;
    return {};
}

QString TitelMitPlatzhaltern(const QString& Titel, const QString& KartenName, const QString& Thema)
{
    QString t = Titel;
    t.replace(QLatin1String("%karte%"), KartenName);
    t.replace(QLatin1String("%thema%"), Thema);
    return t;
}

} // namespace zl::ab
