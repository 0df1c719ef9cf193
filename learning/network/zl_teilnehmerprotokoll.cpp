#include "learning/network/zl_teilnehmerprotokoll.h"

#include "controls/Dspez.h"

namespace zl {
namespace {

QString Breite(const QString& s, int n) { return FuelleAuf(s.left(n), u' ', n, 0); }
QString Rechts(const QString& s, int n) { return FuelleAuf(s, u' ', n, 2); }

const QStringList kIntensitaeten{QStringLiteral("Basis"), QStringLiteral("Aufbau"), QStringLiteral("Experte")};

} // namespace

QStringList TeilnehmerProtokollKopfZeilen(const QDateTime& Jetzt, const QString& KartenName,
                                          const QString& UebModusTitel, const QString& Seed, int Intensitaet,
                                          int FragenAnzahl)
{
    QString typ = UebModusTitel;
    typ.remove(u'&');
    typ.remove(QStringLiteral(" (Single Choice)"));
    const QString intens = kIntensitaeten.value(Intensitaet - 1);
    return {QStringLiteral(" Netzwerk-Übung Teilnehmerprotokoll"),
            QStringLiteral(" Zelvaro - Terravio 4.0"),
            QStringLiteral(" Datum ......... ") + Jetzt.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")),
            QStringLiteral(" Übung ......... ") + KartenName,
            QStringLiteral(" Typ ........... ") + typ + QStringLiteral(" [") + Seed + u']',
            QStringLiteral(" Intensität .... ") + intens + QStringLiteral(" mit ") + QString::number(FragenAnzahl)
                + QStringLiteral(" Fragen"),
            QString(),
            QStringLiteral(" Rechnername     Teilnehmer/Nr.  Beginn    Dauer  Frag.  Ri.  Fa.  Erfolg  Note      "
                           "Richtig(+)/Falsch(-)"),
            u' ' + QString(qMax(FragenAnzahl, 19) + 85, QChar(0x2014))};
}

QString ProtokollZeile(const QString& Rechner, const QString& Name, const QString& AntwortFolge,
                       const QString& NoteKurz, const QString& DauerText, double Start, double Quote, int FrageNr,
                       int Richtig, int Falsch, int FragenAnzahl)
{
    return Breite(Rechner, 15) + u' ' + Breite(Name, 15) + u' '
           + ZeitAusTageszahl(Start).time().toString(QStringLiteral("hh:mm:ss")) + u' ' + Rechts(DauerText, 6) + u' '
           + Rechts(QString::number(FrageNr), 5) + Rechts(QString::number(Richtig), 5)
           + Rechts(QString::number(Falsch), 5) + FormatiereZahl(Quote, 8, 1) + QStringLiteral("%  ") + NoteKurz
           + QStringLiteral("  ") + AntwortFolge
           + QString(qMax<qsizetype>(0, FragenAnzahl - AntwortFolge.size()), u'.');
}

QString ProtokollZeile(const Teilnehmerergebnis& E, int FragenAnzahl)
{
    return ProtokollZeile(E.Rechner, E.Name, E.AntwortFolge, E.NoteKurz, FormatiereMinSek(E.Millisekunden / 1000),
                          E.Start, E.Quote, E.FrageNr, E.Richtig, E.Falsch, FragenAnzahl);
}

void TeilnehmerProtokoll::NeuerKopf(const QStringList& Kopf, const QString& UebungsID, int FragenAnzahl)
{
    kopf_ = Kopf;
    schluessel_.clear();
    zeilen_.clear();
    uebungsID_ = UebungsID;
    fragenAnzahl_ = FragenAnzahl;
}

bool TeilnehmerProtokoll::AktualisiereTeilnehmerZeile(const QString& Schluessel, const QString& UebungsID,
                                                      const QString& Zeile)
{
    QString z = u' ' + Zeile;
    if (UebungsID != uebungsID_)
        z += QStringLiteral(" [andere Übung]");
    const qsizetype i = schluessel_.indexOf(Schluessel);
    if (i < 0) {
        schluessel_.append(Schluessel);
        zeilen_.append(z);
        return true;
    }
    if (zeilen_[i] == z)
        return false;
    zeilen_[i] = z;
    return true;
}

bool TeilnehmerProtokoll::Aktualisiere(const Teilnehmerergebnis& E)
{
    // A result of this exercise cannot count more items than it has questions.
    if (E.UebungsID == uebungsID_ && fragenAnzahl_ > 0 && E.AntwortFolge.size() > fragenAnzahl_)
        return false;
    return AktualisiereTeilnehmerZeile(E.Schluessel, E.UebungsID, ProtokollZeile(E, fragenAnzahl_));
}

QString TeilnehmerProtokoll::ZeileVon(const QString& Schluessel) const
{
    const qsizetype i = schluessel_.indexOf(Schluessel);
    return i < 0 ? QString() : zeilen_[i];
}

} // namespace zl
