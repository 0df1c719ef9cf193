#include "learning/mainwindow/zl_einstellungen.h"

#include "datastore/zl_data.h"
#include "platform/IniFile.h"
#include "platform/MessageService.h"

#include <QFileInfo>

namespace zl {
namespace {

// One source of values: the key (missing values stay missing) or the user file.
class Quelle {
public:
    virtual ~Quelle() = default;
    virtual std::optional<QString> text(const QString& name) const = 0;
    virtual std::optional<qint32> zahl(const QString& name) const = 0;
    virtual std::optional<bool> wahr(const QString& name) const = 0;
};

class SchluesselQuelle : public Quelle {
public:
    explicit SchluesselQuelle(const SettingsStore& s) : s_(s) {}
    std::optional<QString> text(const QString& n) const override { return s_.readText(n); }
    std::optional<qint32> zahl(const QString& n) const override { return s_.readInt32(n); }
    std::optional<bool> wahr(const QString& n) const override { return s_.readBool(n); }

private:
    const SettingsStore& s_;
};

class IniQuelle : public Quelle {
public:
    explicit IniQuelle(const IniFile& f) : f_(f) {}
    std::optional<QString> text(const QString& n) const override
    {
        if (!f_.valueExists(kEinstellungsAbschnitt, n))
            return std::nullopt;
        return f_.readString(kEinstellungsAbschnitt, n, QString());
    }
    std::optional<qint32> zahl(const QString& n) const override
    {
        // Two different defaults tell a value that is no number from one that is.
        const qint32 a = f_.readInteger(kEinstellungsAbschnitt, n, 0);
        const qint32 b = f_.readInteger(kEinstellungsAbschnitt, n, 1);
        if (a != b)
            return std::nullopt;
        return a;
    }
    std::optional<bool> wahr(const QString& n) const override
    {
        const auto z = zahl(n);
        if (!z)
            return std::nullopt;
        return *z != 0;
    }

private:
    const IniFile& f_;
};

std::optional<qint32> imBereich(std::optional<qint32> v, qint32 lo, qint32 hi)
{
    if (v && (*v < lo || *v > hi))
        return std::nullopt;
    return v;
}

bool istKartTyp(const QString& t)
{
    return t.isEmpty() || t == QLatin1String("RS") || t == QLatin1String("RH") || t == QLatin1String("PF") ||
           t == QLatin1String("PW");
}

QString mitTrenner(const QString& verz)
{
    if (verz.endsWith(QLatin1Char('/')) || verz.endsWith(QLatin1Char('\\')))
        return verz;
    return verz + QLatin1Char('/');
}

// The reading of both sources. ini: every value read with its user-file default;
// otherwise a missing value applies the key's missing column ("unchanged" keeps
// what the form has).
void lies(const Quelle& q, bool ini, HauptfensterZustand& Z, const EinstellungsUmgebung& U)
{
    auto N = [](const char16_t* s) { return QString::fromUtf16(s); };

    // "Karten-Auswahl": a name that is no page counts as missing.
    {
        auto v = q.text(N(u"Karten-Auswahl"));
        if (v && !IstKartenAuswahlSeite(*v))
            v.reset();
        Z.KartenAuswahlSeite = v.value_or(QStringLiteral("EURSheet"));
    }
    Z.LernIntensitaet = imBereich(q.zahl(N(u"Intensität")), 1, 3).value_or(2);
    Z.Wahl.Sound = q.wahr(N(u"Sound-On")).value_or(true);
    {
        auto v = q.zahl(N(u"Animationen"));
        if (!v && ini)
            v = 0;
        if (v) {
            // The animations go on only when their videos are there (as the menu item does).
            if (*v == 0 && U.VideosVorhanden)
                Z.Wahl.Animation = 0;
            else if (*v == 1 || *v == 2)
                Z.Wahl.Animation = *v;
        }
    }
    {
        // A larger number is kept and checks the last level; a negative one is missing.
        auto v = q.zahl(N(u"UebRFLevel"));
        if (v && *v < 0)
            v.reset();
        Z.UebRFLevel = v.value_or(2);
        Z.Wahl.RFLevelMarke = Z.UebRFLevel == 0 ? 0 : Z.UebRFLevel == 1 ? 1 : 2;
    }
    {
        auto v = q.wahr(N(u"Anrede-Du"));
        if (!v && ini)
            v = true;
        if (v)
            Z.Wahl.AnredeDu = *v;
    }
    {
        auto v = q.zahl(N(u"Puzzle-Teile"));
        if (!v && ini)
            v = 3;
        if (v)
            Z.Wahl.PuzzleTeile = (*v == 4 || *v == 5) ? *v : 3;
    }
    {
        auto v = q.zahl(N(u"Puzzle-Modus"));
        if (!v && ini)
            v = 0;
        if (v)
            Z.Wahl.PuzzleModus = *v == 1 ? 1 : 0;
    }
    {
        auto v = q.zahl(N(u"Kartendarstellung"));
        if (!v && ini)
            v = 0;
        if (v)
            Z.Wahl.KartHell = *v == 1;
    }
    {
        auto v = q.text(N(u"KartTyp"));
        if (v && !istKartTyp(*v))
            v.reset();
        KartTyp = v.value_or(QString());
        if (KartTyp.isEmpty()) {
            KartTyp = QStringLiteral("RS");
            Z.Wahl.KartHell = false;
        }
    }
    {
        auto v = q.text(N(u"UebKartTyp"));
        if (v && !istKartTyp(*v))
            v.reset();
        UebKartTyp = v.value_or(QString());
        if (UebKartTyp.isEmpty())
            UebKartTyp = QStringLiteral("RS");
    }
    Z.Kartenschrift = imBereich(q.zahl(N(u"Kartenschrift")), 0, 1).value_or(0);
    {
        const auto v = q.text(N(u"Lesezeichen"));
        if (U.LeseLesezeichen) {
            if (ini) {
                const QString t = v.value_or(QString());
                if (!t.isEmpty())
                    U.LeseLesezeichen(QLatin1Char('"') + t + QLatin1Char('"'));
            } else if (v) {
                U.LeseLesezeichen(*v);
            }
        }
    }
    if (MasterIni.NetzFest == 0) {
        auto verz = q.text(N(u"NetzKommVerz"));
        if (!verz && ini)
            verz = QString();
        if (verz && !verz->isEmpty())
            NetzVerz = mitTrenner(*verz);
        auto datei = q.wahr(N(u"NetzKomDatei"));
        if (!datei && ini)
            datei = false;
        if (datei && *datei)
            KomModus = 0;
        auto slot = q.wahr(N(u"NetzKomMailslot"));
        if (!slot && ini)
            slot = true;
        if (slot && *slot)
            KomModus = 1;
    }
    Z.FragTypMasken[3] = q.text(N(u"FragTypOk")).value_or(QString(kFragTypAnzahl, u'1'));
    Z.Uebung.UebFragAnz = imBereich(q.zahl(N(u"UebFragAnz")), 1, 50).value_or(10);
    Z.FontFakIndex = imBereich(q.zahl(N(u"FontFakIndex")), 0, 2).value_or(1);
    Z.Uebung.UebModus = imBereich(q.zahl(N(u"UebModus")), 1, 4).value_or(1);
    Z.Uebung.UebIntensitaet = imBereich(q.zahl(N(u"UebIntensitaet")), 1, 3).value_or(1);
    {
        auto v = q.zahl(N(u"UebAutoWeiter"));
        if (!v && ini)
            v = 1;
        if (v)
            Z.Wahl.FragWeiterAuto = *v == 1;
    }
}

} // namespace

void MasterKonfigZuruecksetzen() { MasterIni = MasterIniDataTyp{0, 0, 0, 1, QString(), QString()}; }

QStringList EinstellungsNamen()
{
    return {QStringLiteral("Karten-Auswahl"), QStringLiteral("Intensität"),     QStringLiteral("Sound-On"),
            QStringLiteral("Animationen"),    QStringLiteral("UebRFLevel"),     QStringLiteral("Anrede-Du"),
            QStringLiteral("Puzzle-Teile"),   QStringLiteral("Puzzle-Modus"),   QStringLiteral("Kartendarstellung"),
            QStringLiteral("KartTyp"),        QStringLiteral("UebKartTyp"),     QStringLiteral("Kartenschrift"),
            QStringLiteral("Lesezeichen"),    QStringLiteral("NetzUebTeilnehmerName"),
            QStringLiteral("NetzKommVerz"),   QStringLiteral("NetzKomDatei"),   QStringLiteral("NetzKomMailslot"),
            QStringLiteral("FragTypOk"),      QStringLiteral("UebFragAnz"),     QStringLiteral("FontFakIndex"),
            QStringLiteral("UebModus"),       QStringLiteral("UebIntensitaet"), QStringLiteral("UebAutoWeiter")};
}

void LeseEinstellungen(const SettingsStore& Store, HauptfensterZustand& Z, const EinstellungsUmgebung& U)
{
    lies(SchluesselQuelle(Store), false, Z, U);
}

int LeseEinstellungenIni(const QString& UserIniDatei, HauptfensterZustand& Z, const EinstellungsUmgebung& U)
{
    // An empty path would name a file in the working folder: no user file then.
    if (MasterIni.UserIniLesen != 1 || UserIniDatei.isEmpty() || !QFileInfo::exists(UserIniDatei))
        return 0;
    IniFile ini;
    if (const int e = ini.load(UserIniDatei))
        return e;
    lies(IniQuelle(ini), true, Z, U);
    return 0;
}

int SchreibeEinstellung(SettingsStore& S, const QString& Name, const HauptfensterZustand& Z,
                        const QString& Lesezeichen)
{
    auto is = [&](const char16_t* n) { return Name == QString::fromUtf16(n); };
    if (is(u"Karten-Auswahl"))
        return S.writeText(Name, Z.KartenAuswahlSeite);
    if (is(u"Intensität"))
        return S.writeInt32(Name, Z.LernIntensitaet);
    if (is(u"Sound-On"))
        return S.writeBool(Name, Z.Wahl.Sound);
    if (is(u"Animationen"))
        return S.writeInt32(Name, Z.Wahl.Animation);
    if (is(u"UebRFLevel"))
        return S.writeInt32(Name, Z.UebRFLevel);
    if (is(u"Anrede-Du"))
        return S.writeBool(Name, Z.Wahl.AnredeDu);
    if (is(u"Puzzle-Teile"))
        return S.writeInt32(Name, Z.Wahl.PuzzleTeile);
    if (is(u"Puzzle-Modus"))
        return S.writeInt32(Name, Z.Wahl.PuzzleModus);
    if (is(u"Kartendarstellung"))
        return S.writeInt32(Name, Z.Wahl.KartHell ? 1 : 0);
    if (is(u"KartTyp"))
        return S.writeText(Name, KartTyp);
    if (is(u"UebKartTyp"))
        return S.writeText(Name, UebKartTyp);
    if (is(u"Kartenschrift"))
        return S.writeInt32(Name, Z.Kartenschrift);
    if (is(u"Lesezeichen"))
        return S.writeText(Name, Lesezeichen);
    if (is(u"NetzKommVerz"))
        return S.writeText(Name, NetzVerz);
    // The channel is written only while it is known here; the communication
    // dialog writes it once it owns the choice.
    if (is(u"NetzKomDatei"))
        return KomModus < 0 ? 0 : S.writeBool(Name, KomModus == 0);
    if (is(u"NetzKomMailslot"))
        return KomModus < 0 ? 0 : S.writeBool(Name, KomModus == 1);
    if (is(u"FragTypOk"))
        return S.writeText(Name, Z.FragTypMasken[3]);
    if (is(u"UebFragAnz"))
        return S.writeInt32(Name, Z.Uebung.UebFragAnz);
    if (is(u"FontFakIndex"))
        return S.writeInt32(Name, Z.FontFakIndex);
    if (is(u"UebModus"))
        return S.writeInt32(Name, Z.Uebung.UebModus);
    if (is(u"UebIntensitaet"))
        return S.writeInt32(Name, Z.Uebung.UebIntensitaet);
    if (is(u"UebAutoWeiter"))
        return S.writeInt32(Name, Z.Wahl.FragWeiterAuto ? 1 : 0);
    return 0; // "NetzUebTeilnehmerName" and unknown names: nothing of ours
}

int SchreibeAlleEinstellungen(SettingsStore& S, const HauptfensterZustand& Z, const QString& Lesezeichen)
{
    int erster = 0;
    for (const QString& n : EinstellungsNamen()) {
        const int e = SchreibeEinstellung(S, n, Z, Lesezeichen);
        if (e && !erster)
            erster = e;
    }
    return erster;
}

QString EinstellungenNichtLesbarText(const QString& Datei, int Code)
{
    return QStringLiteral("Die Einstellungen können nicht gelesen werden: ") + Datei +
           QStringLiteral(" (Datei-Lesefehler! (") + QString::number(Code) +
           QStringLiteral(")). Das Programm verwendet die Standardeinstellungen.");
}

QString EinstellungenBeschaedigtText(const QString& Datei, int Zeile)
{
    return QStringLiteral("Die Einstellungsdatei ") + Datei + QStringLiteral(" ist ab Zeile ") +
           QString::number(Zeile) +
           QStringLiteral(" beschädigt. Nicht lesbare Werte werden durch die Standardeinstellungen ersetzt.");
}

QString EinstellungenNichtGespeichertText(const QString& Datei, int Code)
{
    return QStringLiteral("Die Einstellungen können nicht gespeichert werden: ") + Datei +
           QStringLiteral(" (Datei-Schreibfehler! (") + QString::number(Code) +
           QStringLiteral(")). Änderungen gelten nur bis zum Ende des Programms.");
}

Einstellungen::Einstellungen(const QString& Root)
{
    auto f = std::make_unique<FileSettingsStore>(Root, kEinstellungsSchluessel);
    datei_ = f->filePath();
    store_ = f.get();
    owned_ = std::move(f);
}

Einstellungen::Einstellungen(SettingsStore* Store) : store_(Store) {}

Einstellungen::~Einstellungen() = default;

void Einstellungen::MeldeLesefehler()
{
    auto* f = dynamic_cast<FileSettingsStore*>(store_);
    if (!f || leseGemeldet_)
        return;
    if (f->loadError()) {
        leseGemeldet_ = true;
        // The write would fail with the same cause; one box says it all.
        schreibGemeldet_ = true;
        ZeigeWarnung(EinstellungenNichtLesbarText(datei_, f->loadError()));
    } else if (f->firstBadLine()) {
        leseGemeldet_ = true;
        ZeigeWarnung(EinstellungenBeschaedigtText(datei_, f->firstBadLine()));
    }
}

void Einstellungen::Schreibe(const QString& Name, const HauptfensterZustand& Z, const QString& Lesezeichen)
{
    const int e = SchreibeEinstellung(*store_, Name, Z, Lesezeichen);
    if (e && !schreibGemeldet_) {
        schreibGemeldet_ = true;
        ZeigeWarnung(EinstellungenNichtGespeichertText(datei_, e));
    }
}

} // namespace zl
