#include "learning/tools/zl_suchmodell.h"

#include "controls/Dspez.h"
#include "datastore/zl_data.h"

#include <cmath>

namespace zl
{

QString SuchVergleichstext(const QString& Bez)
{
    return AnsiUpperCase(EntferneAkzente(EntferneApostrophe(EntferneTrennzeichen(Bez))));
}

QString SuchbegriffVergleichstext(const QString& Begriff)
{
    return AnsiUpperCase(EntferneAkzente(Begriff));
}

namespace
{

// " T " inside " B " without building either string.
bool EnthaeltGanzesWort(const QString& B, const QString& T)
{
    const qsizetype n = T.size();
    for (qsizetype i = B.indexOf(T); i >= 0; i = B.indexOf(T, i + 1)) {
        const bool links = i == 0 || B.at(i - 1) == QLatin1Char(' ');
        const bool rechts = i + n == B.size() || B.at(i + n) == QLatin1Char(' ');
        if (links && rechts)
            return true;
    }
    return false;
}

} // namespace

bool PasstZuSuche(const QString& B, const QString& T, const TSuchOptionen& Optionen)
{
    if (T.isEmpty())
        return false;
    if (Optionen.NurGanzStr)
        return B == T;
    if (Optionen.NurGanzWort)
        return EnthaeltGanzesWort(B, T);
    return B.contains(T);
}

bool GleicheBeschriftungen(const QList<ObjDataTyp>& a, const QList<ObjDataTyp>& b)
{
    if (a.isSharedWith(b))
        return true;
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const ObjDataTyp &x = a.at(i), &y = b.at(i);
        if (x.Bez != y.Bez || x.KartID != y.KartID || x.ObjTyp != y.ObjTyp)
            return false;
    }
    return true;
}

void TSuchIndex::Aktualisiere(const QList<ObjDataTyp>& Tabelle)
{
    if (m_gebaut && GleicheBeschriftungen(Tabelle, m_stand)) {
        m_stand = Tabelle; // share again, so the next search skips the comparison
        return;
    }
    m_stand = Tabelle;
    m_texte.clear();
    m_texte.reserve(Tabelle.size());
    for (const ObjDataTyp& o : Tabelle)
        m_texte.append(SuchVergleichstext(o.Bez));
    m_gebaut = true;
}

QList<int> TSuchIndex::Suche(const QList<ObjDataTyp>& Tabelle, const QString& Begriff, const TSuchOptionen& Optionen)
{
    QList<int> Treffer;
    const QString T = SuchbegriffVergleichstext(Begriff);
    if (T.isEmpty())
        return Treffer;
    Aktualisiere(Tabelle);
    for (qsizetype i = 0; i < m_texte.size(); ++i) {
        if (!Optionen.KartFilter.isEmpty() && Tabelle.at(i).KartID != Optionen.KartFilter)
            continue;
        if (PasstZuSuche(m_texte.at(i), T, Optionen))
            Treffer.append(int(i));
    }
    return Treffer;
}

void TSuchergebnis::Leeren(const QList<ObjDataTyp>& Tabelle)
{
    TrefferIndizes.clear();
    TrefferAnzahl = 0;
    m_stand = Tabelle;
}

void TSuchergebnis::FuegeHinzu(int Index)
{
    TrefferIndizes += QString::number(Index) + QLatin1Char('|');
    ++TrefferAnzahl;
}

int TSuchergebnis::IndexInZeile(int Zeile) const
{
    if (Zeile < 1)
        return -1;
    const QStringList Teile = TrefferIndizes.split(QLatin1Char('|'));
    if (Zeile > Teile.size() - 1) // the list ends in "|"
        return -1;
    bool ok = false;
    const int i = Teile.at(Zeile - 1).toInt(&ok);
    return ok ? i : -1;
}

QStringList TrefferZellen(const ObjDataTyp& Obj)
{
    const QString b = QStringLiteral(" ");
    return {b + EntferneTrennzeichen(Obj.Bez), b + ObjTypName(Obj.ObjTyp), b + KartenName(Obj.KartID)};
}

int BevorzugteTrefferzeile(const QList<int>& Treffer, const QList<ObjDataTyp>& Tabelle, const QString& AktKartID)
{
    if (Treffer.isEmpty())
        return 0;
    if (Treffer.size() == 1)
        return 1;
    for (qsizetype r = 0; r < Treffer.size(); ++r) {
        const int i = Treffer.at(r);
        if (i >= 0 && i < Tabelle.size() && Tabelle.at(i).KartID == AktKartID)
            return int(r) + 1;
    }
    return 1;
}

QString SuchergebnisTitel(int Anzahl, const QString& Begriff)
{
    const QString Anfang =
        Anzahl == 1 ? QStringLiteral("1 Suchergebnis ") : QString::number(Anzahl) + QStringLiteral(" Suchergebnisse ");
    return Anfang + QStringLiteral("für '") + Begriff + QLatin1Char('\'');
}

QString NichtGefundenText(const QString& Begriff, bool AnredeDu)
{
    QString t = QStringLiteral("Die Bezeichnung '") + Begriff + QStringLiteral("' wurde leider nicht gefunden.") +
                QStringLiteral("\r\n\r\n") +
                QStringLiteral("Vielleicht gibt es für den gesuchten Ort verschiedene Schreibweisen. ");
    if (AnredeDu)
        t += QStringLiteral("Versuche es, indem du nur einen Teil des ") +
             QStringLiteral("Suchbegriffs angibst. Die Option 'Nur ganze Wörter' muss dazu ausgeschaltet sein.");
    else
        t += QStringLiteral("Versuchen Sie es, indem Sie nur einen Teil des ") +
             QStringLiteral("Suchbegriffs eingeben. Die Option 'Nur ganze Wörter' muss dazu ausgeschaltet sein.");
    return t;
}

void MerkeSuchbegriff(QStringList& Verlauf, const QString& Begriff)
{
    if (Begriff.isEmpty())
        return;
    const QString Gross = AnsiUpperCase(Begriff);
    for (qsizetype i = 0; i < Verlauf.size(); ++i)
        if (AnsiUpperCase(Verlauf.at(i)) == Gross) {
            Verlauf.move(i, 0);
            return;
        }
    Verlauf.prepend(Begriff);
}

QPoint SuchergebnisPosition(int BildschirmBreite, const QRect& Hauptfenster, const QSize& Fenster)
{
    const int links = Minimum(BildschirmBreite - Fenster.width() - 2, Hauptfenster.left() + Hauptfenster.width() - 160);
    const int oben = Hauptfenster.top() + Hauptfenster.height() - Fenster.height() - 6;
    return {links, oben};
}

QList<int> TrefferSpaltenbreiten(int Ppi, int GridBreite)
{
    const int a = int(std::lround(100.0 * Ppi / 100.0));
    const int b = int(std::lround(64.0 * Ppi / 100.0));
    return {a, b, GridBreite - a - b - 3};
}

} // namespace zl
