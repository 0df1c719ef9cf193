#include "learning/network/zl_netzteilnehmer.h"

#include "controls/Dspez.h"
#include "datastore/zl_data.h"

namespace zl {

bool SendeTeilnehmerErgebnis(const QString& NetzVerz, bool Mailslot, TMailSlot2& Slot, const QString& LehrerRechner,
                             const ErgebnisNamen& Namen, const Teilnehmerergebnis& E)
{
    Teilnehmerergebnis e = E;
    e.Schluessel = Namen.Datei;
    if (Mailslot) {
        Slot.Send(LehrerRechner, ErgebnisText(e));
        return true;
    }
    return SchreibeErgebnisDateien(NetzVerz, Namen, e);
}

NetzStatusAnzeige NetzStatus(const std::optional<NetzDateiInhalt>& Inhalt)
{
    if (Inhalt && Inhalt->Befehl.Status == 3)
        return {Inhalt->Befehl.Titel, QColor(0, 128, 0), true};
    return {kNichtInitiiert, QColor(255, 0, 0), false};
}

std::optional<NetzStartDaten> PruefeNetzStart(const NetzwerkBefehlDataTyp& B, const QList<UebungDataTyp>& Uebungen,
                                              QString* Fehler)
{
    auto fehler = [&](const QString& grund) -> std::optional<NetzStartDaten> {
        if (Fehler)
            *Fehler = kBefehlUngueltig + QStringLiteral(" (") + grund + u')';
        return std::nullopt;
    };
    NetzStartDaten d;
    if (B.UebModus < 1 || B.UebModus > 4)
        return fehler(QStringLiteral("Übungsart"));
    if (B.Intensitaet < 1 || B.Intensitaet > 3)
        return fehler(QStringLiteral("Intensität"));
    if (B.UebFragAnz < 1 || B.UebFragAnz > kMaxNetzFragen)
        return fehler(QStringLiteral("Anzahl der Fragen"));
    static const QStringList typen{QStringLiteral("RS"), QStringLiteral("RH"), QStringLiteral("PF"),
                                   QStringLiteral("PW")};
    if (!typen.contains(B.UebKartTyp))
        return fehler(QStringLiteral("Kartendarstellung"));
    QString maske = B.FragTypOk.left(23);
    for (QChar c : maske)
        if (c != u'0' && c != u'1')
            return fehler(QStringLiteral("Fragetypen"));
    maske = FuelleAuf(maske, u'0', 23, 0);
    if (!maske.contains(u'1'))
        return fehler(QStringLiteral("Fragetypen"));
    for (int i = 0; i < Uebungen.size(); ++i)
        if (Uebungen[i].UebKartID.compare(B.KartID, Qt::CaseInsensitive) == 0) {
            d.UebKartIndex = i;
            break;
        }
    if (d.UebKartIndex < 0 || B.KartID.isEmpty())
        return fehler(QStringLiteral("Karte ") + B.KartID);
    if (B.ObjDateiName.isEmpty())
        return fehler(QStringLiteral("Kartenbeschriftungsdatei"));
    auto option = [](int v, int individuell) { return v >= 0 && v <= individuell ? v : individuell; };
    d.KartID = Uebungen[d.UebKartIndex].UebKartID;
    d.Gebiet = B.Gebiet;
    d.Intensitaet = B.Intensitaet;
    d.UebModus = B.UebModus;
    d.UebFragAnz = B.UebFragAnz;
    d.FragTypMaske = maske;
    d.UebKartTyp = B.UebKartTyp;
    d.ObjDateiName = B.ObjDateiName;
    d.Seed = WandleInGanzzahl(B.RandSeed);
    d.Sound = option(B.Sound, 2);
    d.Animationen = option(B.Animationen, 3);
    d.Anrede = option(B.Anrede, 2);
    d.AutoWeiter = option(B.AutoWeiter, 2);
    d.RFLevel = option(B.RFLevel, 3);
    return d;
}

} // namespace zl
