#include "learning/exercise/zl_uebung.h"

#include "controls/Dspez.h"
#include "controls/Zufall.h"
#include "datastore/Kartenbilder.h"
#include "datastore/zl_data.h"
#include "platform/MessageService.h"
#include "platform/Tick.h"

#include <QFileInfo>

#include <utility>

namespace zl {

// ---- Assignment placement

void TZuordnung::Zuruecksetzen()
{
    for (int i = 1; i <= 5; ++i)
        Ziele_[std::size_t(i - 1)] = -i;
}

bool TZuordnung::OrdneZu(int Name, int Ziel)
{
    if (Name < 1 || Name > 5 || Ziel < 1 || Ziel > 5)
        return false;
    for (int j = 1; j <= 5; ++j)
        if (Ziele_[std::size_t(j - 1)] == Ziel)
            Ziele_[std::size_t(j - 1)] = -j;
    Ziele_[std::size_t(Name - 1)] = Ziel;
    return ZaehleZugeordnete() == 5;
}

int TZuordnung::ZaehleZugeordnete() const
{
    int n = 0;
    for (int z : Ziele_)
        n += z > 0;
    return n;
}

// ---- Texts

QString TUebung::FehlerMeldung()
{
    return QStringLiteral("Mit der gewählten Karte und den erlaubten Fragetypen können aus dem Datenbestand keine "
                          "Übungsfragen generiert werden.");
}

QString KeinFragTypMeldung()
{
    return QStringLiteral("Mit der aktuellen Auswahl erlaubter Fragetypen ist die Übung nicht durchführbar. Ändern "
                          "Sie die Einstellungen unter \"Fragetypen\".");
}

std::int32_t SeedAusText(const QString& Text) { return WandleInGanzzahl(Text); }

namespace {

constexpr std::uint32_t kFarbeRichtig = 0x00FF00;
constexpr std::uint32_t kFarbeTeilweise = 0xFFFF00;
constexpr std::uint32_t kFarbeFalsch = 0xFF5B64;

QString landWort(int Gebiet)
{
    switch (Gebiet) {
    case 11:
    case 12:
        return QStringLiteral("welchem Bundesland");
    case 13:
        return QStringLiteral("welchem Kanton");
    case 41:
        return QStringLiteral("welchem Bundesstaat");
    case 42:
        return QStringLiteral("welcher Provinz/Territorium");
    default:
        return QStringLiteral("welchem Land");
    }
}

QString objektFrage(int Typ, int Gebiet)
{
    switch (Typ) {
    case S01:
        return Gebiet == 11 ? QStringLiteral("Wie heißt dieses Bundesland oder Gebiet?")
                            : QStringLiteral("Wie heißt dieses Land oder Gebiet?");
    case S02:
        return QStringLiteral("Wie heißt diese Stadt?");
    case S03:
        return QStringLiteral("Wie heißt dieses Gewässer?");
    case S04:
        return QStringLiteral("Wie heißt dieser Berg, Gebirge oder Landschaftsgebiet?");
    default:
        return QStringLiteral("Wie heißt diese Insel, Inselgruppe, Halbinsel oder Kap?");
    }
}

QString zuordnungsKategorie(int c)
{
    static const char16_t* const k[] = {u"(Länder)", u"(Städte)", u"(Gewässer)", u"(Landschaft)", u"(Inseln)"};
    return QString::fromUtf16(k[std::size_t(c - 1)]);
}

bool grossTeil(const QString& Name)
{
    const QString g = AnsiUpperCase(Name);
    return g == QStringLiteral("TÜRKEI") || g == QStringLiteral("RUSSLAND");
}

// Name + " (Land)" when name and capital are the same (city states).
QString landNameN(const laenderdatatyp& L)
{
    return AnsiUpperCase(L.Name) == AnsiUpperCase(L.Hauptstadt) ? L.Name + QStringLiteral(" (Land)") : L.Name;
}

} // namespace

// ---- Engine

TUebung::TUebung(Uebungszustand& Zustand, TUebUhr Uhr) : Z_(Zustand), Uhr_(std::move(Uhr)) {}

std::uint32_t TUebung::Tick() const { return Uhr_.Tick ? Uhr_.Tick() : TickCount(); }

QString PruefeUebungsstart(const Uebungszustand& Z, const TUebOptionen& O, int Gebiet)
{
    if (Z.UebKartIndex < 0 || Z.UebKartIndex >= UebungsDaten.size())
        return QStringLiteral("Zu dieser Karte ist keine Übung verfügbar.");
    const int modus = Z.UebModus >= 1 && Z.UebModus <= kUebModusAnzahl ? Z.UebModus : 1;
    if (ZaehleErlaubteFragTypen(KuerzeMaske(O.FragTypMasken[std::size_t(modus - 1)]), Gebiet) == 0)
        return KeinFragTypMeldung();
    return {};
}

bool TUebung::StarteUebung(const TUebStart& S, const TUebOptionen& O)
{
    Optionen_ = O;
    ++Serie_;
    // Values out of range take their defaults.
    if (Z_.UebModus < 1 || Z_.UebModus > kUebModusAnzahl)
        Z_.UebModus = 1;
    if (Z_.UebFragAnz < 1 || Z_.UebFragAnz > 50)
        Z_.UebFragAnz = 10;
    Z_.UebKartID = S.KartID;
    Z_.UebGebiet = S.Gebiet;
    Z_.UebIntensitaet = S.Intensitaet >= 1 && S.Intensitaet <= 3 ? S.Intensitaet : 1;
    Z_.UebTypMaske = KuerzeMaske(O.FragTypMasken[std::size_t(Z_.UebModus - 1)]);
    Z_.AnzErlaubteFragTypen = ZaehleErlaubteFragTypen(Z_.UebTypMaske, Z_.UebGebiet);

    if (O.VorDemSeeden)
        O.VorDemSeeden();
    if (S.Seed != 0)
        Zufall::SetRandSeed(S.Seed);
    else
        Zufall::Randomize();
    Z_.UebRandSeed = Zufall::RandSeed();

    KartenName_ = KartenName(Z_.UebKartID);
    StartZeit_ = Uhr_.Jetzt ? Uhr_.Jetzt() : QDateTime::currentDateTime();
    LoescheProtokoll(Z_.Uebungsprotokoll);
    TProtokollKopf kopf;
    kopf.Datum = StartZeit_;
    kopf.KartenName = KartenName_;
    kopf.UebModus = Z_.UebModus;
    kopf.Seed = Z_.UebRandSeed;
    kopf.Intensitaet = Z_.UebIntensitaet;
    kopf.FragAnz = Z_.UebFragAnz;
    kopf.ObjDateiName = O.ObjDateiName.isEmpty() ? QFileInfo(ObjDatei).fileName() : O.ObjDateiName;
    kopf.Maske = Z_.UebTypMaske;
    SchreibeProtokollKopf(Z_.Uebungsprotokoll, kopf);

    Z_.AnzRichtig = 0;
    Z_.AnzFalsch = 0;
    Z_.AntwortFolge.clear();
    Z_.FragenGesamt = Z_.UebFragAnz;
    Z_.FrageNr = 1;
    Z_.UebungBeendet = false;
    Z_.Beantwortet = false;
    Z_.UebDauer = 0;

    Index_.Aufbauen(Z_.UebKartID, Z_.UebIntensitaet, Z_.UebGebiet);
    for (int c = 1; c <= 5; ++c)
        Z_.KategorieAnzahl[std::size_t(c - 1)] = Index_.KategorieAnzahl(c);
    Historie_.Zuruecksetzen();
    Bildpfade_.clear();
    Fragen_.clear();
    Frage_ = TFrage{};
    StartTick_ = Tick() + 500u;
    Laeuft_ = true;
    Gescheitert_ = false;
    if (!ErzeugeFrage())
        return false; // the failure has told its listener
    Melde(TUebAenderung::Gestartet);
    return true;
}

bool TUebung::Wiederhole(bool GleicheFragen)
{
    const TUebOptionen o = Optionen_;
    return StarteUebung({Z_.UebKartID, Z_.UebGebiet, GleicheFragen ? Z_.UebRandSeed : 0, Z_.UebIntensitaet}, o);
}

QString TUebung::Titel() const
{
    const int i = Z_.UebIntensitaet >= 1 && Z_.UebIntensitaet <= 3 ? Z_.UebIntensitaet : 1;
    return TitelUebung(KartenName_, UebModusName(Z_.UebModus), Intensitaeten.value(i - 1), Z_.UebFragAnz,
                       Optionen_.Teilnehmer ? Optionen_.TeilnehmerName : QString());
}

void TUebung::Scheitern()
{
    Laeuft_ = false;
    Gescheitert_ = true;
    Z_.UebungBeendet = true;
    if (Optionen_.MeldungenZeigen)
        ZeigeInfo(FehlerMeldung());
    Melde(TUebAenderung::Beendet);
}

void TUebung::Melde(TUebAenderung A) const
{
    if (BeiAenderung)
        BeiAenderung(A);
}

bool TUebung::ErzeugeFrage()
{
    if (!Laeuft_)
        return false;
    if (!Optionen_.Lehrer)
        return ErzeugeEineFrage();
    while (Z_.FrageNr <= Z_.FragenGesamt) {
        if (!ErzeugeEineFrage())
            return false;
        QString& P = Z_.Uebungsprotokoll;
        SchreibeProtokoll(P, IstZuordnungsFrage(Frage_.Typ) ? RichtigeZuordnungZeile(Frage_.ZuordnungZiel)
                                                            : RichtigeAntwortZeile(Frage_.RichtigeAntwort));
        SchreibeProtokollAbschluss(P);
        Z_.FrageNr += FragenProFrage(Frage_.Typ);
    }
    Laeuft_ = false; // the teacher answers nothing
    return true;
}

namespace {

// One attempt at a question; what the attempt loop needs of the engine.
struct Versuch {
    Uebungszustand& Z;
    const TUebIndex& I;
    const Fragenhistorie& H;
    const TUebOptionen& O;
    int Tiefe;
    const QString& KartenName;
    QHash<QString, QString>& Bildpfade;

    bool TypPasst(int t) const
    {
        return (!IstZuordnungsFrage(t) || Z.FrageNr + 4 <= Z.FragenGesamt) && FragTypErlaubt(t, Z.UebGebiet) &&
               !H.KuerzlichGefragt(t, -1, -1, Tiefe, Z.AnzErlaubteFragTypen) && MaskeErlaubt(Z.UebTypMaske, t);
    }

    // The map a found label lies on gives the picture.
    void Bild(Fragenentwurf& F, const QString& KartID) const
    {
        F.BildKartID = KartID;
        auto it = Bildpfade.find(KartID);
        if (it == Bildpfade.end())
            it = Bildpfade.insert(KartID, KartenbildPfad(KartID, O.UebKartTyp, QStringLiteral("5")));
        F.BildPfad = *it;
    }

    bool Typ(Fragenentwurf& F) const;
    bool Subjekt(Fragenentwurf& F) const;
    bool Land(Fragenentwurf& F) const;
    bool Objekt(Fragenentwurf& F) const;
};

// A draw that fails a rule only draws again; when no type can pass, the
// attempt fails without drawing.
bool Versuch::Typ(Fragenentwurf& F) const
{
    bool da = false;
    for (int t = 1; t <= kFragTypen && !da; ++t)
        da = TypPasst(t);
    if (!da)
        return false;
    do
        F.Typ = Zufall::Random(kFragTypen) + 1;
    while (!TypPasst(F.Typ));
    return true;
}

// The country or object asked: a country outside the region is drawn again, a
// recent one fails the attempt.
bool Versuch::Subjekt(Fragenentwurf& F) const
{
    const int t = F.Typ;
    if (IstLandFrage(t)) {
        if (!I.HatSubjektLand())
            return false;
        const int zeilen = I.LaenderAnzahl();
        for (;;) {
            F.Land = Zufall::Random(zeilen);
            if (H.KuerzlichGefragt(t, F.Land, -1, Tiefe, Z.AnzErlaubteFragTypen))
                return false;
            if (I.LandPasstSubjekt(F.Land))
                break;
        }
        return (t != E01 && t != E02) || !I.LandFlagge(F.Land).isEmpty();
    }
    const int c = FragTypKategorie(t);
    const int anzahl = I.KategorieAnzahl(c);
    if (anzahl < 5)
        return false;
    F.Objekt = I.KategorieObjekt(Zufall::Random(anzahl), c);
    if (F.Objekt < 0 || H.KuerzlichGefragt(t, -1, F.Objekt, Tiefe, Z.AnzErlaubteFragTypen))
        return false;
    F.Antworten[0] = I.Einzeilig(F.Objekt);
    return !F.Antworten[0].isEmpty();
}

bool Versuch::Land(Fragenentwurf& F) const
{
    const int t = F.Typ;
    const laenderdatatyp& L = LaenderDaten[F.Land];
    const QString name = I.LandName(F.Land);
    QString gefunden;
    switch (t) {
    case E01:
        F.FragText = QStringLiteral("Welches ist die Flagge von ") + name + QLatin1Char('?');
        F.Antworten[0] = I.LandFlagge(F.Land);
        F.Laendernamen[0] = name;
        F.BildPfad.clear();
        F.BildKartID.clear();
        return !F.Antworten[0].isEmpty() && FlaggenAntworten(F, I);
    case E02:
        F.FragText = QStringLiteral("Wie heißt das Land zu dieser Flagge?");
        F.Antworten[0] = name;
        if (F.Antworten[0].isEmpty() || !LaenderAntworten(F, I))
            return false;
        F.BildPfad = FlaggenVerz + I.LandFlagge(F.Land);
        F.BildKartID.clear();
        return true;
    case E03:
    case E04: {
        const QString haupt = I.LandHauptstadt(F.Land);
        if (t == E03) {
            F.FragText = QStringLiteral("Wie heißt die Hauptstadt von ") + name + QLatin1Char('?');
            F.Antworten[0] = haupt;
            if (F.Antworten[0].isEmpty() || !HauptstadtAntworten(F, I))
                return false;
            F.Objekt = I.SucheObjekt(L.Name, 1, gefunden);
        } else {
            F.FragText = QStringLiteral("Von ") + landWort(Z.UebGebiet) + QStringLiteral(" ist ") + haupt +
                         QStringLiteral(" die Hauptstadt?");
            F.Antworten[0] = name;
            // A country without a capital gives no question to ask.
            if (haupt.isEmpty() || F.Antworten[0].isEmpty() || !LaenderAntworten(F, I))
                return false;
            F.Objekt = I.SucheObjekt(L.Hauptstadt, 2, gefunden);
        }
        Bild(F, gefunden);
        return AnsiUpperCase(L.Hauptstadt) != AnsiUpperCase(L.Name);
    }
    case E05:
    case E06:
        if (t == E06 && (L.Dichte < 0.5 || (L.Flaeche < 1000 && L.Dichte >= 1000)))
            return false;
        if (t == E05) {
            F.FragText = QStringLiteral("Wieviele Einwohner hat ") + landNameN(L) + QStringLiteral(" ungefähr?");
            F.Antworten[0] = FormatiereGanzzahl(L.Einwohner, 0);
        } else {
            F.FragText = QStringLiteral("Wie hoch ist die Bevölkerungsdichte von ") + landNameN(L) +
                         QStringLiteral(" ungefähr?");
            F.Antworten[0] = FormatiereGanzzahl(L.Dichte, 0);
        }
        if (!ZahlenAntworten(F, t == E06 ? QStringLiteral(" Einw./km²") : QString()))
            return false;
        F.Objekt = I.SucheObjekt(L.Name, 1, gefunden);
        Bild(F, gefunden);
        return true;
    case E07:
        if (!AusreisserAntworten(F, I))
            return false;
        F.FragText = QStringLiteral("Welches Land oder Gebiet gehört") +
                     (grossTeil(F.Antworten[0]) ? QStringLiteral(" zum Großteil") : QString()) +
                     QStringLiteral(" nicht zu ") + KartenName + QLatin1Char('?');
        Bild(F, Z.UebKartID);
        return true;
    default: // E08
        F.FragText = QStringLiteral("Auf welchem Kontinent liegt ") + name +
                     (grossTeil(L.Name) ? QStringLiteral(" hauptsächlich") : QString()) + QLatin1Char('?');
        F.Antworten[0] = Kontinente.value(L.Gebiet / 10 - 1);
        if (L.Gebiet % 10 != 0 || F.Antworten[0].isEmpty())
            return false;
        Bild(F, Z.UebKartID);
        return KontinentAntworten(F);
    }
}

bool Versuch::Objekt(Fragenentwurf& F) const
{
    const int t = F.Typ;
    const int c = FragTypKategorie(t);
    Bild(F, Z.UebKartID);
    if (t <= S05)
        F.FragText = objektFrage(t, Z.UebGebiet);
    else if (t <= S10)
        F.FragText = (O.AnredeDu ? QStringLiteral("Zeige: ") : QStringLiteral("Zeigen Sie: ")) + F.Antworten[0];
    if (!ObjektAntworten(F, I, c))
        return false;
    if (IstZuordnungsFrage(t))
        F.FragText = (O.AnredeDu ? QStringLiteral("Ordne Namen und Positionen einander zu! ")
                                 : QStringLiteral("Ordnen Sie Namen und Positionen einander zu! ")) +
                     zuordnungsKategorie(c);
    return true;
}

TZeiger zeiger(int Objekt, bool Zeichnen)
{
    TZeiger z;
    if (Objekt >= 0 && Objekt < ObjDaten.size()) {
        z.Objekt = Objekt;
        z.Px = ObjDaten[Objekt].Px;
        z.Py = ObjDaten[Objekt].Py;
        z.Zeichnen = Zeichnen;
    }
    return z;
}

FragAnzeige anzeige(int t)
{
    if (t == E01)
        return FragAnzeige::Flaggen;
    if (IstZeigeFrage(t))
        return FragAnzeige::Zeigen;
    if (IstZuordnungsFrage(t))
        return FragAnzeige::Zuordnen;
    return FragAnzeige::Liste;
}

} // namespace

namespace {

// Every answer must show something, or the shuffle could not place it.
bool AlleSichtbar(const Fragenentwurf& F)
{
    for (const QString& a : F.Antworten)
        if (Einzeilig(a).isEmpty())
            return false;
    return true;
}

// The question made: its protocol lines, the answers shuffled onto the buttons
// (the slot draws), pointers and pictures.
TFrage StelleFrage(Uebungszustand& Z, Fragenentwurf& F)
{
    const int t = F.Typ;
    for (QString& a : F.Antworten)
        a = Einzeilig(a);
    for (QString& a : F.Laendernamen)
        a = Einzeilig(a);
    Z.FragText = F.FragText;
    Z.Beantwortet = false;
    QString& P = Z.Uebungsprotokoll;
    SchreibeProtokoll(P, FrageZeile(Z.FrageNr, t, F.FragText));
    SchreibeProtokoll(P, {});

    TFrage Q;
    Q.FrageNr = Z.FrageNr;
    Q.Typ = t;
    Q.Code = FragTypCode(t);
    Q.FragText = F.FragText;
    Q.Anzeige = anzeige(t);
    Q.BildPfad = F.BildPfad;
    Q.BildKartID = F.BildKartID;
    Q.Land = IstLandFrage(t) ? F.Land : -1;
    Q.Objekt = F.Objekt;
    const bool zeichnen = t == S07 || t == S09 || t == Z02 || t == Z04;
    for (int i = 1; i <= 5; ++i) {
        const auto b = std::size_t(i - 1);
        int j;
        do
            j = Zufall::Random(5);
        while (F.Antworten[std::size_t(j)].isEmpty());
        const QString a = F.Antworten[std::size_t(j)];
        const QString buchstabe = QString(AntwortBuchstabe(i));
        if (t == E01) {
            Q.Antworten[b] = a;
            Q.Flaggen[b] = FlaggenVerz + a;
            Q.AntwortTexte[b] = F.Laendernamen[std::size_t(j)];
            SchreibeProtokoll(P, QLatin1Char(' ') + buchstabe + QStringLiteral(") [Flagge von ") +
                                     F.Laendernamen[std::size_t(j)] + QLatin1Char(']'));
        } else if (IstZeigeFrage(t)) {
            Q.Antworten[b] = a;
            Q.AntwortTexte[b] = a;
            Q.Zeiger[b] = zeiger(F.ObjIndizes[std::size_t(j)], zeichnen);
            SchreibeProtokoll(P, QLatin1Char(' ') + buchstabe + QStringLiteral(") [") + a + QLatin1Char(']'));
        } else if (IstZuordnungsFrage(t)) {
            // Name j+1 (button of slot j) belongs to pointer i.
            Q.Antworten[std::size_t(j)] = a;
            Q.Knopftexte[std::size_t(j)] = QStringLiteral("     ") + a;
            Q.ZuordnungZiel[std::size_t(j)] = i;
            Q.Zeiger[b] = zeiger(F.ObjIndizes[std::size_t(j)], zeichnen);
        } else {
            Q.Antworten[b] = a;
            Q.Knopftexte[b] = a;
            SchreibeProtokoll(P, QLatin1Char(' ') + buchstabe + QStringLiteral(") ") + a);
        }
        F.Antworten[std::size_t(j)].clear();
        if (j == 0)
            Q.RichtigeAntwort = i;
    }
    if (IstZuordnungsFrage(t)) {
        for (int k = 1; k <= 5; ++k)
            SchreibeProtokoll(P, QLatin1Char(' ') + QString::number(k) + QStringLiteral(") ") +
                                     Q.Antworten[std::size_t(k - 1)].trimmed());
    }
    SchreibeProtokoll(P, {});

    if ((t >= S01 && t <= S05) || (t >= E03 && t <= E06 && F.Objekt >= 0))
        Q.EinzelZeiger = zeiger(F.Objekt, t == E04 || t == E06 || t == S02 || t == S04);

    Z.RichtigeAntwort = Q.RichtigeAntwort;
    Z.AntwortTexte = Q.AntwortTexte;
    return Q;
}

} // namespace

bool TUebung::ErzeugeEineFrage()
{
    Fragenentwurf F;
    int tiefe = 19;
    int versuch = 0;
    for (;;) {
        if (++versuch > 20) {
            versuch = 1;
            --tiefe;
        }
        if (tiefe < -1) {
            Scheitern();
            return false;
        }
        F = Fragenentwurf{};
        F.KartenName = KartenName_;
        const Versuch V{Z_, Index_, Historie_, Optionen_, tiefe, KartenName_, Bildpfade_};
        if (V.Typ(F) && V.Subjekt(F) && (IstLandFrage(F.Typ) ? V.Land(F) : V.Objekt(F)) && AlleSichtbar(F))
            break;
    }
    Frage_ = StelleFrage(Z_, F);
    Historie_.Eintragen(Frage_.Typ, Frage_.Land, Frage_.Objekt);
    Fragen_.append(Frage_);
    return true;
}

TAuswertung TUebung::WerteAntwortAus(int Antwort)
{
    TAuswertung A;
    if (!Laeuft_ || Z_.Beantwortet || Antwort < 1 || Antwort > 5 || IstZuordnungsFrage(Frage_.Typ))
        return A;
    Z_.Beantwortet = true;
    A.Ausgewertet = true;
    A.Antwort = Antwort;
    A.Richtig = Antwort == Z_.RichtigeAntwort;
    QString& P = Z_.Uebungsprotokoll;
    SchreibeProtokoll(P, RichtigeAntwortZeile(Z_.RichtigeAntwort));
    SchreibeProtokoll(P, GewaehlteAntwortZeile(Antwort, A.Richtig));
    if (A.Richtig) {
        ++Z_.AnzRichtig;
        Z_.AntwortFolge += QLatin1Char('+');
        A.AnzRichtig = 1;
        A.Rueckmeldung = QStringLiteral("Richtig!");
        A.RueckmeldungFarbe = kFarbeRichtig;
    } else {
        ++Z_.AnzFalsch;
        Z_.AntwortFolge += QLatin1Char('-');
        const QString& text = Z_.AntwortTexte[std::size_t(Antwort - 1)];
        A.Rueckmeldung = text.isEmpty() ? QStringLiteral("Leider falsch!") : QStringLiteral("Falsch, das war: ") + text;
        A.RueckmeldungFarbe = kFarbeFalsch;
    }
    SchreibeProtokollAbschluss(P);
    A.LetzteFrage = Z_.FrageNr + 1 > Z_.FragenGesamt;
    Melde(TUebAenderung::Beantwortet);
    return A;
}

TAuswertung TUebung::WerteZuordnungAus(const TZuordnung& Zuordnung)
{
    TAuswertung A;
    if (!Laeuft_ || Z_.Beantwortet || !IstZuordnungsFrage(Frage_.Typ) || Zuordnung.ZaehleZugeordnete() < 5)
        return A;
    Z_.Beantwortet = true;
    A.Ausgewertet = true;
    A.Zuordnung = true;
    int k = 0;
    for (int i = 1; i <= 5; ++i) {
        const bool r = Zuordnung.Ziel(i) > 0 && Zuordnung.Ziel(i) == Frage_.ZuordnungZiel[std::size_t(i - 1)];
        A.NameRichtig[std::size_t(i - 1)] = r;
        k += r;
        Z_.AntwortFolge += r ? QLatin1Char('+') : QLatin1Char('-');
    }
    QString& P = Z_.Uebungsprotokoll;
    SchreibeProtokoll(P, RichtigeZuordnungZeile(Frage_.ZuordnungZiel));
    SchreibeProtokoll(P, GewaehlteZuordnungZeile(Zuordnung.Ziele(), k));
    Z_.AnzRichtig += k;
    Z_.AnzFalsch += 5 - k;
    A.AnzRichtig = k;
    A.Richtig = k == 5;
    if (k == 5) {
        A.Rueckmeldung = QStringLiteral("Alles richtig!");
        A.RueckmeldungFarbe = kFarbeRichtig;
    } else if (k == 0) {
        A.Rueckmeldung = QStringLiteral("Leider falsch!");
        A.RueckmeldungFarbe = kFarbeFalsch;
    } else {
        A.Rueckmeldung = QString::number(k) + QStringLiteral(" richtig, ") + QString::number(5 - k) +
                         QStringLiteral(" falsch!");
        A.RueckmeldungFarbe = kFarbeTeilweise;
    }
    SchreibeProtokollAbschluss(P);
    A.LetzteFrage = Z_.FrageNr + 5 > Z_.FragenGesamt;
    Melde(TUebAenderung::Beantwortet);
    return A;
}

WeiterErgebnis TUebung::Weiter()
{
    if (!Laeuft_)
        return Gescheitert_ ? WeiterErgebnis::Fehler : WeiterErgebnis::Ende;
    if (!Z_.Beantwortet)
        return WeiterErgebnis::NaechsteFrage;
    Z_.FrageNr += FragenProFrage(Frage_.Typ);
    if (Z_.FrageNr <= Z_.FragenGesamt)
        return ErzeugeFrage() ? WeiterErgebnis::NaechsteFrage : WeiterErgebnis::Fehler;
    BeendeUebung();
    return WeiterErgebnis::Ende;
}

void TUebung::BeendeUebung()
{
    if (!Laeuft_)
        return;
    Z_.FrageNr = Z_.FragenGesamt;
    Z_.UebungBeendet = true;
    Laeuft_ = false;
    const std::int64_t seitStart = MsSeitStart();
    Z_.UebDauer = seitStart > 0 ? seitStart : 0;
    TProtokollSchluss S;
    S.FragenGesamt = Z_.FragenGesamt;
    S.AnzRichtig = Z_.AnzRichtig;
    S.AnzFalsch = Z_.AnzFalsch;
    S.DauerMs = Z_.UebDauer;
    S.TicksSeitStart = Z_.UebDauer; // same origin as the clock; never negative
    SchreibeProtokollSchluss(Z_.Uebungsprotokoll, S);
    Melde(TUebAenderung::Beendet);
}

std::int64_t TUebung::MsSeitStart() const { return std::int64_t(std::int32_t(Tick() - StartTick_)); }

std::int64_t TUebung::AktualisiereDauer()
{
    if (Laeuft_) {
        // Differences of the 32-bit tick stay right across its wrap.
        const std::int64_t d = MsSeitStart();
        Z_.UebDauer = d > 0 ? d : 0;
    }
    return Z_.UebDauer;
}

TUebStatus TUebung::Status(int Level)
{
    TUebStatus S;
    if (Level <= 0) {
        S.Richtig = S.Falsch = S.Quote = QStringLiteral("?");
    } else {
        S.Richtig = QString::number(Z_.AnzRichtig);
        S.Falsch = QString::number(Z_.AnzFalsch);
        S.Quote = QuoteText(Erfolgsquote(Z_.AnzRichtig, Z_.AnzFalsch)) + QStringLiteral(" %");
    }
    S.Zeit = FormatiereMinSek(double(AktualisiereDauer() / 1000));
    S.FragNr = Laeuft_ ? QString::number(Z_.FrageNr) + QStringLiteral(" / ") + QString::number(Z_.FragenGesamt)
                       : QStringLiteral("Ende");
    return S;
}

TUebErgebnis TUebung::Ergebnis() const
{
    TUebErgebnis E;
    E.Quote = Erfolgsquote(Z_.AnzRichtig, Z_.AnzFalsch);
    E.Note = NoteAusQuote(E.Quote);
    E.Bewertung = Notenname(E.Note) + QStringLiteral(" (") + QString::number(E.Note) + QLatin1Char(')');
    E.Notenkurz = Notenkurz(E.Note);
    E.Farbe = Notenfarbe(E.Note);
    return E;
}

TVorausErzeugung ErzeugeFragenVoraus(const Uebungszustand& Vorlage, const TUebStart& Start, TUebOptionen Optionen,
                                     TUebUhr Uhr)
{
    const Zufall::RandSeedSicherung sicherung;
    Uebungszustand z = Vorlage;
    Optionen.Lehrer = true;
    Optionen.MeldungenZeigen = false;
    TUebung u(z, std::move(Uhr));
    TVorausErzeugung V;
    V.Ok = u.StarteUebung(Start, Optionen);
    V.Seed = z.UebRandSeed;
    V.Fragen = u.Fragen();
    V.Protokoll = z.Uebungsprotokoll;
    return V;
}

} // namespace zl
