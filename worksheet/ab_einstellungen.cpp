#include "worksheet/ab_einstellungen.h"

#include "platform/SettingsStore.h"

#include <cmath>

namespace zl::ab
{

namespace
{

void Zahl(const SettingsStore& S, const char* Name, int& Feld, int Von, int Bis)
{
    if (auto v = S.readInt32(QString::fromUtf8(Name)); v && *v >= Von && *v <= Bis)
        Feld = *v;
}

void Wahr(const SettingsStore& S, const char* Name, bool& Feld)
{
    if (auto v = S.readBool(QString::fromUtf8(Name)))
        Feld = *v;
}

void Real(const SettingsStore& S, const char* Name, double& Feld)
{
    if (auto v = S.readReal(QString::fromUtf8(Name)); v && std::isfinite(*v))
        Feld = *v;
}

} // namespace

TABEinstellungen LeseEinstellungen(const SettingsStore& S)
{
    TABEinstellungen E;
    if (auto v = S.readText(QStringLiteral("Karten-Auswahl"));
        v && (*v == u"WLTSheet" || *v == u"EURSheet" || *v == u"DEUSheet"))
        E.KartenAuswahl = *v;
    Zahl(S, "Intensität", E.Intensitaet, 1, 3);
    if (auto v = S.readText(QStringLiteral("KartTyp")); v && !v->isEmpty())
        E.KartTyp = *v;
    if (auto v = S.readInt32(QStringLiteral("Kartenschrift")))
        E.Kontrast = *v != 1;
    if (auto v = S.readInt32(QStringLiteral("AB-Ansicht")))
        E.GanzeSeite = *v == 1;
    Zahl(S, "AB-Thema", E.Thema, 0, 5);
    Zahl(S, "AB-Intens", E.Intens, 0, 2);
    Zahl(S, "AB-Aufgabe", E.Aufgabe, 0, 3);
    Wahr(S, "AutoEdit", E.AutoEdit);
    Wahr(S, "ABLsg", E.Lsg);
    Wahr(S, "ABLsgMitAufg", E.Komplett);
    Wahr(S, "AB-DruckRatio", E.Druck.Ratio);
    Real(S, "AB-DruckX1", E.Druck.X1);
    Real(S, "AB-DruckY1", E.Druck.Y1);
    Real(S, "AB-DruckBx", E.Druck.Bx);
    Real(S, "AB-DruckBy", E.Druck.By);
    return E;
}

int SchreibeEinstellungen(SettingsStore& S, const TABEinstellungen& E, const TABEinstellungen* V)
{
    int fehler = 0;
    auto m = [&fehler](int c) {
        if (!fehler)
            fehler = c;
    };
    // Each value when there is nothing to compare with or it changed.
    auto anders = [&E, V](auto TABEinstellungen::*feld) { return !V || !(E.*feld == V->*feld); };
    auto druckAnders = [&E, V](double TDruckWerte::*feld) { return !V || E.Druck.*feld != V->Druck.*feld; };
    if (anders(&TABEinstellungen::KartenAuswahl))
        m(S.writeText(QStringLiteral("Karten-Auswahl"), E.KartenAuswahl));
    if (anders(&TABEinstellungen::Intensitaet))
        m(S.writeInt32(QStringLiteral("Intensität"), E.Intensitaet));
    if (anders(&TABEinstellungen::KartTyp)) {
        m(S.writeInt32(QStringLiteral("Kartendarstellung"), E.KartTyp == u"RH" ? 1 : 0));
        m(S.writeText(QStringLiteral("KartTyp"), E.KartTyp));
    }
    if (anders(&TABEinstellungen::Kontrast))
        m(S.writeInt32(QStringLiteral("Kartenschrift"), E.Kontrast ? 0 : 1));
    if (anders(&TABEinstellungen::GanzeSeite))
        m(S.writeInt32(QStringLiteral("AB-Ansicht"), E.GanzeSeite ? 1 : 0));
    if (anders(&TABEinstellungen::Thema))
        m(S.writeInt32(QStringLiteral("AB-Thema"), E.Thema));
    if (anders(&TABEinstellungen::Intens))
        m(S.writeInt32(QStringLiteral("AB-Intens"), E.Intens));
    if (anders(&TABEinstellungen::Aufgabe))
        m(S.writeInt32(QStringLiteral("AB-Aufgabe"), E.Aufgabe));
    if (anders(&TABEinstellungen::AutoEdit))
        m(S.writeBool(QStringLiteral("AutoEdit"), E.AutoEdit));
    if (anders(&TABEinstellungen::Lsg))
        m(S.writeBool(QStringLiteral("ABLsg"), E.Lsg));
    if (anders(&TABEinstellungen::Komplett))
        m(S.writeBool(QStringLiteral("ABLsgMitAufg"), E.Komplett));
    if (!V || E.Druck.Ratio != V->Druck.Ratio)
        m(S.writeBool(QStringLiteral("AB-DruckRatio"), E.Druck.Ratio));
    if (druckAnders(&TDruckWerte::X1))
        m(S.writeReal(QStringLiteral("AB-DruckX1"), E.Druck.X1));
    if (druckAnders(&TDruckWerte::Y1))
        m(S.writeReal(QStringLiteral("AB-DruckY1"), E.Druck.Y1));
    if (druckAnders(&TDruckWerte::Bx))
        m(S.writeReal(QStringLiteral("AB-DruckBx"), E.Druck.Bx));
    if (druckAnders(&TDruckWerte::By))
        m(S.writeReal(QStringLiteral("AB-DruckBy"), E.Druck.By));
    return fehler;
}

TDruckWerte GueltigeDruckwerte(TDruckWerte W, double r)
{
    const TDruckWerte Std;
    auto ok = [](double v) { return std::isfinite(v) && v >= 0 && v < 1000; };
    if (!ok(W.X1))
        W.X1 = Std.X1;
    if (!ok(W.Y1))
        W.Y1 = Std.Y1;
    if (!(ok(W.Bx) && W.Bx > 0))
        W.Bx = Std.Bx;
    if (W.Ratio && r > 0)
        W.By = W.Bx / r;
    if (!(ok(W.By) && W.By > 0))
        W.By = r > 0 ? W.Bx / r : Std.Bx;
    return W;
}

} // namespace zl::ab
