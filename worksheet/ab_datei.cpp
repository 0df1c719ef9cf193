#include "worksheet/ab_datei.h"

#include "controls/TextFile.h"
#include "platform/MessageService.h"
#include "worksheet/ab_data.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>
#include <limits>

namespace zl::ab
{

namespace
{

// The parse state: the file, the line being read and the first fault.
struct Leser {
    TextFileIO& F;
    int Zeile = 0;

    struct Fehler {
        int Zeile;
        QString Text;
    };

    [[noreturn]] void Fehlt(const QString& was) const { throw Fehler{Zeile, was}; }

    void Naechste(const char* was)
    {
        ++Zeile;
        if (F.Eof())
            Fehlt(QStringLiteral("Die Datei endet vor %1.").arg(QLatin1String(was)));
    }
    QString Text(const char* was)
    {
        Naechste(was);
        return F.ReadLine();
    }
    int Zahl(const char* was, int von = std::numeric_limits<int>::min(), int bis = std::numeric_limits<int>::max())
    {
        Naechste(was);
        int v = 0;
        try {
            v = F.ReadInt();
        } catch (const Exception&) {
            Fehlt(QStringLiteral("%1 ist keine ganze Zahl.").arg(QLatin1String(was)));
        }
        if (v < von || v > bis)
            Fehlt(QStringLiteral("%1 %2 liegt nicht zwischen %3 und %4.")
                      .arg(QLatin1String(was))
                      .arg(v)
                      .arg(von)
                      .arg(bis));
        return v;
    }
    bool Wahr(const char* was) { return Zahl(was) != 0; }
    double Real(const char* was)
    {
        Naechste(was);
        double v = 0;
        try {
            v = F.ReadFloat();
        } catch (const Exception&) {
            Fehlt(QStringLiteral("%1 ist keine Zahl.").arg(QLatin1String(was)));
        }
        if (!std::isfinite(v))
            Fehlt(QStringLiteral("%1 ist keine endliche Zahl.").arg(QLatin1String(was)));
        return v;
    }
};

QString OhneZeilenumbruch(QString t)
{
    t.replace(u'\r', u' ');
    t.replace(u'\n', u' ');
    return t;
}

void LeseRest(Leser& L, ArbeitsblattDataTyp& A)
{
    A.KartID = L.Text("die Karte");
    QString typ = L.Text("die Kartendarstellung");
    if (typ == u"0")
        typ = QStringLiteral("RS");
    else if (typ == u"1")
        typ = QStringLiteral("RH");
    A.KartTyp = typ;
    A.Thema = L.Zahl("Das Thema", 0, 5);
    A.Intens = L.Zahl("Die Intensität", 0, 2);
    A.Aufgabe = L.Zahl("Die Aufgabe", 0, 3);
    A.Lsg = L.Wahr("die Lösung");
    A.Anzahl = L.Zahl("Die Anzahl der Einträge", 0, kMaxEintraege);
    for (int i = 0; i < A.Anzahl; ++i) {
        ABObjDataTyp& e = A.Eintraege[i];
        L.Zahl("Der Beschriftungsindex");
        e.ObjIndex = -1;
        e.Px = L.Real("Die x-Position");
        e.Py = L.Real("Die y-Position");
        e.Name = L.Text("den Namen").left(kMaxNamenLaenge);
        e.dx = std::int8_t(L.Zahl("Die x-Platzierung", -3, 3));
        e.dy = std::int8_t(L.Zahl("Die y-Platzierung", -3, 3));
        e.ObjTyp = L.Text("den Objekttyp").left(kMaxIdLaenge);
        e.Intens = std::int8_t(L.Zahl("Die Intensität des Eintrags", 0, 3));
    }
    std::array<bool, kMaxEintraege + 1> vergeben{};
    for (int k = 0; k < A.Anzahl; ++k) {
        const int n = L.Zahl("Die Nummerierung", 1, A.Anzahl);
        if (vergeben[n])
            L.Fehlt(QStringLiteral("Die Nummer %1 steht zweimal in der Nummerierung.").arg(n));
        vergeben[n] = true;
        A.Nummerierung[k] = n;
    }
    A.ObjDatei = L.Text("die Beschriftungsdatei");
    ABVoreinstellungen& v = A.Vorein;
    v.AufgTextA = L.Text("die Aufgabentexte");
    v.AufgTextB = L.Text("die Aufgabentexte");
    v.AufgTextC = L.Text("die Aufgabentexte");
    v.AufgTextD = L.Text("die Aufgabentexte");
    v.NameZeile = L.Wahr("die Namenszeile");
    v.KlasseZeile = L.Wahr("die Klassenzeile");
    v.DatumZeile = L.Wahr("die Datumszeile");
    v.NameText = L.Text("die Kopftexte");
    v.KlasseText = L.Text("die Kopftexte");
    v.DatumText = L.Text("die Kopftexte");
    v.TitelText = L.Text("den Titel");
    const int m = L.Zahl("Die maximale Anzahl");
    v.MaxAnz = (m >= 1 && m <= kMaxEintraege) ? m : 20;
    for (QString* h : {&v.ot_L, &v.ot_IS, &v.ot_S, &v.ot_H, &v.ot_G, &v.ot_GB, &v.ot_B, &v.ot_I})
        *h = L.Text("die Typhinweise");
    v.MixTypHinweis = L.Wahr("den Typhinweis-Schalter");
    A.Komplett = L.Wahr("den Komplett-Schalter");
}

} // namespace

TArbeitsblattLesen LeseArbeitsblattDatei(const QString& Pfad)
{
    TArbeitsblattLesen R;
    TextFileIO f;
    f.Assign(Pfad);
    if (!f.Reset()) {
        R.Status = TArbeitsblattLesen::NichtGeoeffnet;
        return R;
    }
    try {
        const QString kopf = f.Eof() ? QString() : f.ReadLine();
        if (kopf != kArbeitsblattKopf && kopf != kArbeitsblattKopfAlt) {
            R.Status = TArbeitsblattLesen::FalscherKopf;
            return R;
        }
        Leser L{f, 1};
        try {
            LeseRest(L, R.Dokument);
        } catch (const Leser::Fehler& e) {
            R.Status = TArbeitsblattLesen::Beschaedigt;
            R.Fehlerzeile = e.Zeile;
            R.Fehler = e.Text;
            R.Dokument = {};
            return R;
        }
        f.Close();
    } catch (const Exception& e) {
        R.Status = TArbeitsblattLesen::Beschaedigt;
        R.Fehler = e.message();
        R.Dokument = {};
        return R;
    }
    R.Status = TArbeitsblattLesen::Gelesen;
    return R;
}

QString LesefehlerMeldung(const TArbeitsblattLesen& R, const QString& Pfad)
{
    switch (R.Status) {
    case TArbeitsblattLesen::Gelesen:
        return {};
    case TArbeitsblattLesen::NichtGeoeffnet:
        return kLesefehlerText;
    case TArbeitsblattLesen::FalscherKopf:
        return kFormatfehlerText;
    case TArbeitsblattLesen::Beschaedigt:
        break;
    }
    QString t = kFormatfehlerText + QLatin1String("\r\n\r\n") + QStringLiteral("Die Datei ") +
                QDir::toNativeSeparators(Pfad) + QStringLiteral(" ist beschädigt");
    if (R.Fehlerzeile > 0)
        t += QStringLiteral(" (Zeile %1)").arg(R.Fehlerzeile);
    t += QLatin1String(": ") + R.Fehler;
    return t;
}

bool SchreibeArbeitsblatt(const QString& Pfad, const ArbeitsblattDataTyp& A)
{
    TextFileIO f;
    f.Assign(Pfad);
    f.Kopfzeile = kArbeitsblattKopf;
    if (!f.Rewrite()) {
        ZeigeFehler(QStringLiteral("Schreibfehler! Das Arbeitsblatt konnte nicht gespeichert werden."));
        return false;
    }
    try {
        auto text = [&f](const QString& t) { f.WriteLine(OhneZeilenumbruch(t)); };
        auto zahl = [&f](std::int64_t v) { f.WriteLine(QString::number(v)); };
        auto real = [&f](double v) { f.WriteLine(TextFileIO::LineFloat(v).chopped(2)); };
        const int n = std::clamp(A.Anzahl, 0, kMaxEintraege);
        text(A.KartID);
        text(A.KartTyp);
        zahl(A.Thema);
        zahl(A.Intens);
        zahl(A.Aufgabe);
        zahl(A.Lsg ? 1 : 0);
        zahl(n);
        for (int i = 0; i < n; ++i) {
            const ABObjDataTyp& e = A.Eintraege[i];
            zahl(e.ObjIndex);
            real(e.Px);
            real(e.Py);
            text(e.Name);
            zahl(e.dx);
            zahl(e.dy);
            text(e.ObjTyp);
            zahl(e.Intens);
        }
        for (int k = 0; k < n; ++k)
            zahl(A.Nummerierung[k]);
        text(QDir::toNativeSeparators(A.ObjDatei));
        const ABVoreinstellungen& v = A.Vorein;
        for (const QString* t : {&v.AufgTextA, &v.AufgTextB, &v.AufgTextC, &v.AufgTextD})
            text(*t);
        for (bool b : {v.NameZeile, v.KlasseZeile, v.DatumZeile})
            zahl(b ? 1 : 0);
        for (const QString* t : {&v.NameText, &v.KlasseText, &v.DatumText, &v.TitelText})
            text(*t);
        zahl(v.MaxAnz);
        for (const QString* t : {&v.ot_L, &v.ot_IS, &v.ot_S, &v.ot_H, &v.ot_G, &v.ot_GB, &v.ot_B, &v.ot_I})
            text(*t);
        zahl(v.MixTypHinweis ? 1 : 0);
        zahl(A.Komplett ? 1 : 0);
        f.Close();
    } catch (const Exception& e) {
        ZeigeFehler(QStringLiteral("Schreibfehler! Das Arbeitsblatt konnte nicht gespeichert werden.") +
                    QLatin1String("\r\n\r\n") + e.message());
        return false;
    }
    return true;
}

QString DateinameAusPfad(const QString& Pfad)
{
    const qsizetype i = std::max(Pfad.lastIndexOf(u'\\'), Pfad.lastIndexOf(u'/'));
    return Pfad.mid(i + 1);
}

QString PruefeAbfrageobjekte(ArbeitsblattDataTyp& A, const QList<ObjDataTyp>& Objekte)
{
    QStringList fehlend, verschoben;
    const int n = std::clamp(A.Anzahl, 0, kMaxEintraege);
    for (int i = 0; i < n; ++i) {
        ABObjDataTyp& e = A.Eintraege[i];
        if (e.ObjIndex >= 0)
            continue;
        const QString name = e.Name.toUpper();
        int gefunden = -1;
        for (int k = 0; k < Objekte.size(); ++k) {
            const ObjDataTyp& o = Objekte[k];
            if (o.KartID == A.KartID && o.ObjTyp == e.ObjTyp && EntferneTrennzeichen(o.Bez).toUpper() == name) {
                gefunden = k;
                break;
            }
        }
        if (gefunden < 0) {
            fehlend.append(e.Name);
            continue;
        }
        e.ObjIndex = gefunden;
        if (Objekte[gefunden].Px != e.Px || Objekte[gefunden].Py != e.Py)
            verschoben.append(e.Name);
    }
    const QLatin1String absatz("\r\n\r\n");
    QString t;
    if (!fehlend.isEmpty())
        t = QStringLiteral("Die folgenden Abfrageobjekte konnten in der Beschriftungsdatei ") +
            QStringLiteral("nicht gefunden werden und können deshalb nicht bearbeitet werden: ") + absatz +
            fehlend.join(QLatin1String(", "));
    if (!verschoben.isEmpty()) {
        if (!t.isEmpty())
            t += absatz;
        t += QStringLiteral("Bei folgenden Abfrageobjekten hat sich in der Beschriftungsdatei ") +
             QStringLiteral("die Position auf der Karte geändert:  ") + absatz + verschoben.join(QLatin1String(", "));
    }
    return t;
}

bool OeffneArbeitsblatt(const QString& Pfad, ArbeitsblattDataTyp& Ziel)
{
    TArbeitsblattLesen R = LeseArbeitsblattDatei(Pfad);
    if (R.Status != TArbeitsblattLesen::Gelesen) {
        ZeigeFehler(LesefehlerMeldung(R, Pfad));
        return false;
    }
    ArbeitsblattDataTyp& A = R.Dokument;
    const QString name = DateinameAusPfad(A.ObjDatei);
    const QFileInfo datei(DatenVerz + name);
    if (!name.isEmpty() && datei.isFile()) {
        if (name.toUpper() != QFileInfo(ObjDatei).fileName().toUpper())
            ZeigeInfo(QStringLiteral("Kartenbeschriftungsdatei \"") + name + QStringLiteral("\" wird geöffnet."));
        QList<ObjDataTyp> neu;
        if (LeseObjektdatei(datei.filePath(), neu)) {
            ObjDatei = datei.filePath();
            ObjDaten = std::move(neu);
        }
    } else {
        ZeigeWarnung(QStringLiteral("Die Kartenbeschriftungsdatei \"") + name +
                     QStringLiteral("\" ist nicht vorhanden. ") +
                     QStringLiteral("Die Abfrageobjekte können deshalb evtl. nicht bearbeitet werden."));
    }
    A.ObjDatei = ObjDatei;
    const QString warnung = PruefeAbfrageobjekte(A, ObjDaten);
    if (!warnung.isEmpty())
        ZeigeWarnung(warnung);
    Ziel = std::move(A);
    Voreinstellungen = Ziel.Vorein;
    return true;
}

} // namespace zl::ab
