#include "learning/tools/zl_objedit.h"

#include "platform/Cp1252.h"
#include "platform/MessageService.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace zl
{

namespace
{

const QString kDateiFilterAlle = QStringLiteral("|Alle Dateien (*.*)|*.*");
// The number of the first placement entry.
constexpr int kAusrErster = -3;

// Round half to even, as the edits show positions.
int rundeGerade(double Wert)
{
    if (!std::isfinite(Wert))
        return 0;
    const double r = std::nearbyint(std::clamp(Wert, -2147483648.0, 2147483647.0));
    return static_cast<int>(r);
}

int positionsfeld(double Anteil)
{
    return rundeGerade(Anteil * 10000.0);
}

int eintragsIndex(int Wert, int Erster, int Anzahl)
{
    const int i = Wert - Erster;
    return i >= 0 && i < Anzahl ? i : -1;
}

} // namespace

TObjEditKonfig LernprogrammObjEditKonfig()
{
    TObjEditKonfig k;
    k.Titel = QStringLiteral("Kartenbeschriftung bearbeiten");
    k.TypEintraege = {
        QStringLiteral("Land/Staat [L] "),
        QStringLiteral("Untergeord. Gebiet [UG]"),
        QStringLiteral("Inselstaat [IS]"),
        QStringLiteral("Stadt [S]"),
        QStringLiteral("Hauptstadt [H]"),
        QStringLiteral("Gewässer [G]"),
        QStringLiteral("Berg [B]"),
        QStringLiteral("Gebirge/Landschaft [GB]"),
        QStringLiteral("Insel (kein Inselstaat) [I]"),
        QStringLiteral("Land (groß) [LX]"),
        QStringLiteral("Kontinent [K]"),
    };
    k.OeffnenTitel = QStringLiteral("Kartenbeschriftungen öffnen");
    k.OeffnenFilter = QStringLiteral("ZL Kartenobjekte (*.zlk)|*.zlk") + kDateiFilterAlle;
    k.NeuAnlegenTitel = QStringLiteral("Kartenbeschriftungen neu anlegen");
    k.SpeichernUnterTitel = QStringLiteral("Kartenbeschriftungen speichern unter");
    k.SpeichernFilter = QStringLiteral("ZL Beschriftungsschema (*.zlk)|*.zlk") + kDateiFilterAlle;
    k.Erweiterung = QStringLiteral("zlk");
    return k;
}

TObjEditKonfig ArbeitsblattObjEditKonfig()
{
    TObjEditKonfig k = LernprogrammObjEditKonfig();
    k.Titel = QStringLiteral("Abfrageobjekte bearbeiten");
    k.TypEintraege = {
        QStringLiteral("Land/Staat [L] "),
        QStringLiteral("Inselstaat [IS]"),
        QStringLiteral("Stadt [S]"),
        QStringLiteral("Hauptstadt [H]"),
        QStringLiteral("Gewässer [G]"),
        QStringLiteral("Berg [B]"),
        QStringLiteral("Gebirge/Landschaft [GB]"),
        QStringLiteral("Insel (kein Inselstaat) [I]"),
    };
    k.OeffnenTitel = QStringLiteral("Beschriftungsschema öffnen");
    k.OeffnenFilter = QStringLiteral("ZL Beschriftungsschema (*.zlk)|*.zlk") + kDateiFilterAlle;
    return k;
}

const QStringList kAusrichtungsEintraege = {
    QStringLiteral("-3"), QStringLiteral("-2"), QStringLiteral("-1"), QStringLiteral("0"),
    QStringLiteral("+1"), QStringLiteral("+2"), QStringLiteral("+3"),
};

const QStringList kIntensitaetsEintraege = {
    QStringLiteral("0 - Fix (keine Abfrage)"),
    QStringLiteral("1 - Basis"),
    QStringLiteral("2 - Aufbau"),
    QStringLiteral("3 - Experte"),
};

QString TextInKlammern(const QString& Text)
{
    const qsizetype a = Text.indexOf(u'[');
    if (a < 0)
        return {};
    const qsizetype e = Text.indexOf(u']', a + 1);
    if (e < 0)
        return {};
    return Text.mid(a + 1, e - a - 1);
}

QStringList KartenEintraege(const QList<KartDataTyp>& Karten)
{
    QStringList l;
    l.reserve(Karten.size());
    for (const KartDataTyp& k : Karten)
        l << k.KartName + QStringLiteral(" [") + k.KartID + QStringLiteral("]");
    return l;
}

int EintragMitCode(const QStringList& Eintraege, const QString& Code)
{
    if (Code.isEmpty())
        return -1;
    const QString muster = QLatin1Char('[') + AnsiUpperCase(Code) + QLatin1Char(']');
    for (qsizetype i = 0; i < Eintraege.size(); ++i)
        if (Eintraege[i].contains(muster))
            return int(i);
    return -1;
}

bool BezeichnungZulaessig(const QString& Text)
{
    return BereinigeBezeichnung(Text).size() == Text.size();
}

QString BereinigeBezeichnung(const QString& Text)
{
    QString s;
    s.reserve(Text.size());
    for (const QChar c : Text) {
        const char16_t u = c.unicode();
        if (u == u'~' || u == u'\r' || u == u'\n' || u == 26 || cp1252Byte(u) < 0)
            continue;
        s += c;
    }
    return s;
}

// ---- TObjEditor ----------------------------------------------------------------------

TObjEditor::TObjEditor(TObjEditKonfig Konfig, TObjEditHost& Host, QObject* parent)
    : QObject(parent), m_konfig(std::move(Konfig)), m_host(Host)
{
    LeseKartenNeu();
}

void TObjEditor::LeseKartenNeu()
{
    m_karten = m_host.KartenEintraege();
}

void TObjEditor::SetzeFelder(const TObjEditFelder& Felder)
{
    // The ID is the editor's own; the window cannot change it.
    const int id = m_felder.ID;
    m_felder = Felder;
    m_felder.ID = id;
    Geaendert = true;
}

TObjEditFelder TObjEditor::felderVon(int i) const
{
    TObjEditFelder f;
    const ObjDataTyp& o = tabelle()[i];
    f.ID = i;
    f.Karte = EintragMitCode(m_karten, o.KartID);
    f.Typ = EintragMitCode(m_konfig.TypEintraege, o.ObjTyp);
    f.PosX = positionsfeld(o.Px);
    f.PosY = positionsfeld(o.Py);
    f.Bez = o.Bez;
    f.Intens = eintragsIndex(o.Intens, 0, int(kIntensitaetsEintraege.size()));
    f.AusrX = eintragsIndex(o.dx, kAusrErster, int(kAusrichtungsEintraege.size()));
    f.AusrY = eintragsIndex(o.dy, kAusrErster, int(kAusrichtungsEintraege.size()));
    f.Aktiv = true;
    return f;
}

void TObjEditor::leereFelder()
{
    m_felder = TObjEditFelder{};
    m_gezeigt = m_felder;
}

void TObjEditor::ZeigeObjekt(int i)
{
    UebernimmObjekt();
    const bool war = Geaendert;
    if (i >= 0 && i < tabelle().size()) {
        m_felder = felderVon(i);
        m_gezeigt = m_felder;
    } else {
        leereFelder();
    }
    Geaendert = war;
    emit FelderGeaendert();
}

int TObjEditor::UebernimmObjekt()
{
    const int i = m_felder.ID;
    if (i < 0 || i >= tabelle().size())
        return i;
    ObjDataTyp& o = tabelle()[i];
    const TObjEditFelder& f = m_felder;
    const TObjEditFelder& g = m_gezeigt;
    // Only what the user changed is written, so viewing a label never rewrites it
    // (an unlisted map or type, a position between two ten-thousandths, ...).
    if (f.Karte != g.Karte && f.Karte >= 0 && f.Karte < m_karten.size())
        o.KartID = TextInKlammern(m_karten[f.Karte]).left(kMaxIdLaenge);
    if (f.Typ != g.Typ && f.Typ >= 0 && f.Typ < m_konfig.TypEintraege.size())
        o.ObjTyp = TextInKlammern(m_konfig.TypEintraege[f.Typ]).left(kMaxIdLaenge);
    if (f.PosX != g.PosX)
        o.Px = std::clamp(f.PosX, 0, 10000) / 10000.0;
    if (f.PosY != g.PosY)
        o.Py = std::clamp(f.PosY, 0, 10000) / 10000.0;
    if (f.Bez != g.Bez)
        o.Bez = BereinigeBezeichnung(f.Bez);
    if (f.Intens != g.Intens && f.Intens >= 0 && f.Intens < kIntensitaetsEintraege.size())
        o.Intens = f.Intens;
    if (f.AusrX != g.AusrX && f.AusrX >= 0 && f.AusrX < kAusrichtungsEintraege.size())
        o.dx = static_cast<std::int8_t>(kAusrErster + f.AusrX);
    if (f.AusrY != g.AusrY && f.AusrY >= 0 && f.AusrY < kAusrichtungsEintraege.size())
        o.dy = static_cast<std::int8_t>(kAusrErster + f.AusrY);
    // The fields now show what the label holds.
    const TObjEditFelder neu = felderVon(i);
    const bool anders = !(neu == m_felder);
    m_felder = neu;
    m_gezeigt = neu;
    if (anders)
        emit FelderGeaendert();
    return i;
}

QString TObjEditor::KartePlatzhalter() const
{
    const int i = m_felder.ID;
    if (i < 0 || i >= tabelle().size() || m_felder.Karte >= 0)
        return {};
    return QStringLiteral("(nicht in der Liste) [") + tabelle()[i].KartID + QLatin1Char(']');
}

QString TObjEditor::TypPlatzhalter() const
{
    const int i = m_felder.ID;
    if (i < 0 || i >= tabelle().size() || m_felder.Typ >= 0)
        return {};
    return QStringLiteral("(nicht in der Liste) [") + tabelle()[i].ObjTyp + QLatin1Char(']');
}

QString TObjEditor::AusrXPlatzhalter() const
{
    const int i = m_felder.ID;
    if (i < 0 || i >= tabelle().size() || m_felder.AusrX >= 0)
        return {};
    return QString::number(tabelle()[i].dx);
}

QString TObjEditor::AusrYPlatzhalter() const
{
    const int i = m_felder.ID;
    if (i < 0 || i >= tabelle().size() || m_felder.AusrY >= 0)
        return {};
    return QString::number(tabelle()[i].dy);
}

QString TObjEditor::IntensPlatzhalter() const
{
    const int i = m_felder.ID;
    if (i < 0 || i >= tabelle().size() || m_felder.Intens >= 0)
        return {};
    return QString::number(tabelle()[i].Intens);
}

void TObjEditor::ZeigeObjektAufKarte()
{
    const int i = UebernimmObjekt();
    if (i >= 0 && i < tabelle().size())
        m_host.ZeigeAufKarte(i);
}

void TObjEditor::Neu()
{
    ObjDataTyp o;
    o.KartID = m_host.AktKartID().left(kMaxIdLaenge);
    const int t = m_felder.Typ;
    o.ObjTyp = t >= 0 && t < m_konfig.TypEintraege.size() ? TextInKlammern(m_konfig.TypEintraege[t]).left(kMaxIdLaenge)
                                                          : QStringLiteral("L");
    const TRect a = m_host.Ausschnitt();
    o.Px = (a.Left + a.Right) / 2.0 / 10000.0;
    o.Py = (a.Top + a.Bottom) / 2.0 / 10000.0;
    o.Bez = QStringLiteral("NEU");
    o.Intens = 1;
    o.dx = 0;
    o.dy = 0;
    tabelle().append(o);
    Geaendert = true;
    emit TabelleGeaendert();
    ZeigeObjekt(int(tabelle().size()) - 1);
    emit TitelGeaendert();
    ZeigeObjektAufKarte();
    emit TextFokus();
}

void TObjEditor::Kopieren()
{
    const int i = UebernimmObjekt();
    if (i < 0 || i >= tabelle().size())
        return;
    ObjDataTyp kopie = tabelle()[i];
    kopie.Bez += QStringLiteral(" KOPIE");
    tabelle().insert(i + 1, kopie);
    Geaendert = true;
    emit TabelleGeaendert();
    ZeigeObjekt(i + 1);
    emit TitelGeaendert();
    ZeigeObjektAufKarte();
    emit TextFokus();
}

bool TObjEditor::Entfernen()
{
    const int i = m_felder.ID;
    if (i < 0 || i >= tabelle().size())
        return false;
    const QString frage = QStringLiteral("Soll die Kartenbeschriftung \"") + m_felder.Bez + QStringLiteral("\" (ID ") +
                          QString::number(i) + QStringLiteral(") wirklich gelöscht werden?");
    if (ZeigeBox(MsgKind::Bestaetigung, frage, {mbYes, mbNo}, mbYes) == mbNo)
        return false;
    tabelle().removeAt(i);
    Geaendert = true;
    emit TabelleGeaendert();
    // Nothing may be taken over into the label that moved into place i.
    leereFelder();
    emit FelderGeaendert();
    emit TitelGeaendert();
    m_host.ZeigeKarteNeu();
    return true;
}

bool TObjEditor::schreibe(const QString& Datei)
{
    // An empty table asks before it replaces a file that holds labels (in the writer).
    return SchreibeObjektdatei(Datei, tabelle());
}

void TObjEditor::nachNeuemLesen()
{
    emit TabelleGeaendert();
    emit TitelGeaendert();
    m_host.BaueAnsichtNeu();
}

bool TObjEditor::Speichern()
{
    UebernimmObjekt();
    const QString datei = m_host.Objektdatei();
    if (!schreibe(datei))
        return false;
    Geaendert = false;
    // The table holds exactly what was written.
    LeseObjektdatei(datei, tabelle());
    nachNeuemLesen();
    return true;
}

bool TObjEditor::FrageSpeichern()
{
    if (!Geaendert)
        return true;
    const QString frage = QStringLiteral("Änderungen unter ") + m_host.Objektdatei() + QStringLiteral(" speichern?");
    switch (ZeigeBox(MsgKind::Bestaetigung, frage, {mbYes, mbNo, mbCancel}, mbYes)) {
    case mbYes:
        UebernimmObjekt();
        // A failed save stops the caller, so the edits are not thrown away.
        if (!schreibe(m_host.Objektdatei()))
            return false;
        Geaendert = false;
        return true;
    case mbNo:
        return true;
    default:
        return false;
    }
}

bool TObjEditor::NeuAnlegen(const QString& Datei)
{
    // The new file is written first: when that fails, table and file stay as they were.
    if (!SchreibeObjektdatei(Datei, QList<ObjDataTyp>{}))
        return false;
    leereFelder();
    tabelle().clear();
    m_host.SetzeObjektdatei(Datei);
    LeseObjektdatei(Datei, tabelle());
    Geaendert = false;
    emit FelderGeaendert();
    nachNeuemLesen();
    return true;
}

bool TObjEditor::Oeffnen(const QString& Datei)
{
    QList<ObjDataTyp> neu;
    if (!LeseObjektdatei(Datei, neu))
        return false; // the box was shown; the old file stays current
    leereFelder();
    tabelle() = std::move(neu);
    m_host.SetzeObjektdatei(Datei);
    Geaendert = false;
    emit FelderGeaendert();
    nachNeuemLesen();
    return true;
}

bool TObjEditor::SpeichernUnter(const QString& Datei)
{
    UebernimmObjekt();
    if (!schreibe(Datei))
        return false;
    leereFelder();
    m_host.SetzeObjektdatei(Datei);
    LeseObjektdatei(Datei, tabelle());
    Geaendert = false;
    emit FelderGeaendert();
    nachNeuemLesen();
    return true;
}

bool TObjEditor::LadeObjektdateiNeu()
{
    const bool ok = LeseObjektdatei(m_host.Objektdatei(), tabelle());
    nachNeuemLesen();
    return ok;
}

void TObjEditor::Anzeigen()
{
    Geaendert = false;
    const int i = m_host.GewaehltesObjekt();
    m_host.AktualisiereListen(true);
    m_host.WaehleObjekt(i);
    ZeigeObjekt(i);
    emit TitelGeaendert();
}

bool TObjEditor::Schliessen()
{
    if (!FrageSpeichern())
        return false;
    // The fields are dropped, not taken over: the table is read again below.
    leereFelder();
    Geaendert = false;
    emit FelderGeaendert();
    LadeObjektdateiNeu();
    return true;
}

int TObjEditor::SchritteAusrichtung(int dx, int dy)
{
    const int n = int(kAusrichtungsEintraege.size());
    bool gesetzt = false;
    auto schritt = [&](int& feld, int d) {
        const int neu = feld + d;
        if (d != 0 && feld >= 0 && neu >= 0 && neu < n) {
            feld = neu;
            gesetzt = true;
        }
    };
    schritt(m_felder.AusrX, dx);
    schritt(m_felder.AusrY, dy);
    if (!gesetzt)
        return -1;
    const int i = UebernimmObjekt();
    Geaendert = true;
    emit FelderGeaendert();
    return i;
}

void TObjEditor::SetzePosition(double Px, double Py)
{
    if (!std::isfinite(Px) || !std::isfinite(Py))
        return;
    m_felder.PosX = positionsfeld(std::clamp(Px, 0.0, 1.0));
    m_felder.PosY = positionsfeld(std::clamp(Py, 0.0, 1.0));
    Geaendert = true;
    emit FelderGeaendert();
}

QString TObjEditor::Titel() const
{
    return m_konfig.Titel + QStringLiteral(" - ") + QFileInfo(m_host.Objektdatei()).fileName() + QStringLiteral(" (") +
           QString::number(tabelle().size()) + QLatin1Char(')');
}

// ---- Hit test --------------------------------------------------------------------------

int ObjektUnterMaus(const QList<ObjDataTyp>& Objekte, const QString& KartID, int Intensitaet,
                    const TObjEditEbenen& Ebenen, const QRectF& Box)
{
    const double x0 = std::min(Box.left(), Box.right()), x1 = std::max(Box.left(), Box.right());
    const double y0 = std::min(Box.top(), Box.bottom()), y1 = std::max(Box.top(), Box.bottom());
    for (qsizetype i = 0; i < Objekte.size(); ++i) {
        const ObjDataTyp& o = Objekte[i];
        if (o.KartID != KartID || o.Intens > Intensitaet)
            continue;
        const int g = ObjGruppe(o.ObjTyp);
        const bool sichtbar = (g >= 1 && g <= 6 && Ebenen[g - 1]) || (o.ObjTyp == u"IS" && Ebenen[4]);
        if (!sichtbar)
            continue;
        if (o.Px >= x0 && o.Px <= x1 && o.Py >= y0 && o.Py <= y1)
            return int(i);
    }
    return -1;
}

QRect TrefferQuadrat(const ObjDataTyp& Obj, const QRect& Bild, int pw, int ph, const TRect& Ausschnitt)
{
    if (Ausschnitt.Width() <= 0 || Ausschnitt.Height() <= 0 || pw <= 0 || ph <= 0)
        return {};
    const double fx = (Obj.Px * 10000.0 - Ausschnitt.Left) / Ausschnitt.Width();
    const double fy = (Obj.Py * 10000.0 - Ausschnitt.Top) / Ausschnitt.Height();
    const int cx = rundeGerade(pw * fx + (Bild.width() - pw) / 2 + Bild.left());
    const int cy = rundeGerade(ph * fy + (Bild.height() - ph) / 2 + Bild.top());
    return QRect(cx - 8, cy - 8, 17, 17);
}

} // namespace zl
