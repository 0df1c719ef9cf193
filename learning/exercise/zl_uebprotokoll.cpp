#include "learning/exercise/zl_uebprotokoll.h"

#include "controls/Dspez.h"
#include "platform/Cp1252.h"

#include <cmath>

namespace zl {

void LoescheProtokoll(QString& Protokoll) { Protokoll.clear(); }

void SchreibeProtokoll(QString& Protokoll, const QString& Zeile)
{
    Protokoll += QLatin1Char(' ');
    Protokoll += Zeile;
    Protokoll += QLatin1String("\r\n");
}

void SchreibeProtokollLinie(QString& Protokoll) { SchreibeProtokoll(Protokoll, QString(84, QChar(0x2014))); }

void SchreibeProtokollAbschluss(QString& Protokoll)
{
    SchreibeProtokoll(Protokoll, {});
    SchreibeProtokollLinie(Protokoll);
    SchreibeProtokoll(Protokoll, {});
}

QByteArray ProtokollBytes(const QString& Protokoll) { return toCp1252(Protokoll); }

QString DatumZeitText(const QDateTime& Zeit) { return Zeit.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")); }

QString FragTypenZeile(const FragTypMaske& Maske, int Von, int Bis)
{
    QString z;
    for (int t = Von; t <= Bis; ++t) {
        z += MaskeErlaubt(Maske, t) ? QLatin1Char('+') : QLatin1Char('-');
        z += FragTypCode(t);
        z += QLatin1Char(' ');
    }
    return z;
}

void SchreibeProtokollKopf(QString& P, const TProtokollKopf& K)
{
    const int intens = K.Intensitaet >= 1 && K.Intensitaet <= 3 ? K.Intensitaet : 1;
    static const char16_t* const kIntens[] = {u"Basis", u"Aufbau", u"Experte"};
    SchreibeProtokoll(P, QStringLiteral("Übungsprotokoll"));
    SchreibeProtokoll(P, QStringLiteral("Zelvaro - Terravio 4.0"));
    SchreibeProtokoll(P, QStringLiteral("Datum ............ ") + DatumZeitText(K.Datum));
    SchreibeProtokoll(P, QStringLiteral("Übung ............ ") + K.KartenName);
    SchreibeProtokoll(P, QStringLiteral("Typ .............. ") + UebModusProtokollTitel(K.UebModus) +
                             QStringLiteral(" [") + QString::number(K.Seed) + QLatin1Char(']'));
    SchreibeProtokoll(P, QStringLiteral("Intensität ....... ") + QString::fromUtf16(kIntens[intens - 1]) +
                             QStringLiteral(" mit ") + QString::number(K.FragAnz) + QStringLiteral(" Fragen"));
    SchreibeProtokoll(P, QStringLiteral("Beschriftungen ... ") + K.ObjDateiName);
    SchreibeProtokoll(P, QStringLiteral("Fragetypen (+erlaubt, -ausgeschlossen)"));
    SchreibeProtokoll(P, FragTypenZeile(K.Maske, S01, S10));
    SchreibeProtokoll(P, FragTypenZeile(K.Maske, E01, E08));
    SchreibeProtokoll(P, FragTypenZeile(K.Maske, Z01, Z05));
    SchreibeProtokollAbschluss(P);
}

namespace {
QString nummer(int n)
{
    return QStringLiteral("%1.").arg(n, 2, 10, QLatin1Char('0'));
}
} // namespace

QString FrageZeile(int FrageNr, int Typ, const QString& FragText)
{
    QString z = nummer(FrageNr);
    if (IstZuordnungsFrage(Typ))
        z += QLatin1Char('-') + nummer(FrageNr + 4);
    return z + QStringLiteral(" Frage [") + FragTypCode(Typ) + QStringLiteral("]: ") + FragText;
}

QChar AntwortBuchstabe(int Slot) { return Slot >= 1 && Slot <= 5 ? QChar(u'A' + Slot - 1) : QChar(u'?'); }

QString RichtigeAntwortZeile(int RichtigeAntwort)
{
    return QStringLiteral("Richtige Antwort: ") + AntwortBuchstabe(RichtigeAntwort);
}

namespace {
QString paare(const std::array<int, 5>& Ziele)
{
    QString z;
    for (int k = 1; k <= 5; ++k) {
        z += QString::number(k) + QLatin1Char('-') + AntwortBuchstabe(Ziele[std::size_t(k - 1)]) +
             QLatin1Char(' ');
    }
    return z;
}
} // namespace

QString RichtigeZuordnungZeile(const std::array<int, 5>& Ziele)
{
    return QStringLiteral("Richtige Antwort: ") + paare(Ziele);
}

QString GewaehlteAntwortZeile(int Antwort, bool Richtig)
{
    return QStringLiteral("Gewählte Antwort: ") + AntwortBuchstabe(Antwort) +
           (Richtig ? QStringLiteral(" (richtig)") : QStringLiteral(" (falsch)"));
}

QString GewaehlteZuordnungZeile(const std::array<int, 5>& Gesetzt, int AnzRichtig)
{
    return QStringLiteral("Gewählte Antwort: ") + paare(Gesetzt) + QLatin1Char('(') + QString::number(AnzRichtig) +
           QStringLiteral(" richtig, ") + QString::number(5 - AnzRichtig) + QStringLiteral(" falsch)");
}

namespace {
struct NotenZeile {
    int Grenze;
    const char16_t* Name;
    const char16_t* Kurz;
    std::uint32_t Farbe;
};
constexpr NotenZeile kNotentabelle[kNoten] = {
    {85, u"sehr gut", u"sgt. (1)", 0x00FF00},   {70, u"gut", u"gut  (2)", 0xBFFF00},
    {55, u"befriedigend", u"bfr. (3)", 0xFFFF00}, {40, u"ausreichend", u"ausr.(4)", 0xFFE000},
    {25, u"mangelhaft", u"mglh.(5)", 0xFFA000}, {0, u"ungenügend", u"ung. (6)", 0xFF0000},
};
const NotenZeile& note(int n) { return kNotentabelle[std::size_t(n >= 1 && n <= kNoten ? n - 1 : kNoten - 1)]; }
} // namespace

int Notengrenze(int Note) { return Note <= 0 ? 100 : note(Note).Grenze; }
QString Notenname(int Note) { return QString::fromUtf16(note(Note).Name); }
QString Notenkurz(int Note) { return QString::fromUtf16(note(Note).Kurz); }
std::uint32_t Notenfarbe(int Note) { return note(Note).Farbe; }

int NoteAusQuote(double Quote)
{
    for (int n = 1; n <= kNoten; ++n)
        if (kNotentabelle[std::size_t(n - 1)].Grenze <= Quote)
            return n;
    return kNoten;
}

float Erfolgsquote(int AnzRichtig, int AnzFalsch)
{
    const int n = AnzRichtig + AnzFalsch;
    if (n <= 0)
        return 0.0f;
    return static_cast<float>(double(AnzRichtig) / double(n) * 100.0);
}

QString QuoteText(double Quote) { return FormatiereZahl(static_cast<long double>(Quote), 0, 1); }

void SchreibeProtokollSchluss(QString& P, const TProtokollSchluss& S)
{
    const float quote = Erfolgsquote(S.AnzRichtig, S.AnzFalsch);
    const int n = NoteAusQuote(quote);
    SchreibeProtokoll(P, QStringLiteral("Fragenanzahl ..... ") + QString::number(S.FragenGesamt));
    SchreibeProtokoll(P, QStringLiteral("Richtig .......... ") + QString::number(S.AnzRichtig));
    SchreibeProtokoll(P, QStringLiteral("Falsch ........... ") + QString::number(S.AnzFalsch));
    SchreibeProtokoll(P, QStringLiteral("Erfolgsquote ..... ") + QuoteText(quote) + QLatin1Char('%'));
    SchreibeProtokoll(P, QStringLiteral("Bewertung ........ ") + Notenname(n) + QStringLiteral(" (Note ") +
                             QString::number(n) + QLatin1Char(')'));
    SchreibeProtokoll(P, QStringLiteral("Gesamtzeit ....... ") + FormatiereDauer(double(S.DauerMs / 1000)));
    const double proFrage =
        S.FragenGesamt > 0 ? double(S.TicksSeitStart) / 1000.0 / double(S.FragenGesamt) : 0.0;
    SchreibeProtokoll(P, QStringLiteral("Zeit pro Frage ... Ø ") + QuoteText(proFrage) + QStringLiteral(" Sek."));
}

int NotenskalaY(double Quote, int H)
{
    const double h = H - 24;
    return int(std::nearbyint((100.0 - Quote) / 100.0 * h)) + 12;
}

} // namespace zl
