#include "learning/network/zl_netz.h"

#include "controls/Dspez.h"
#include "controls/TextFile.h"
#include "controls/Zufall.h"
#include "platform/Cp1252.h"
#include "platform/FileAccess.h"
#include "platform/MessageService.h"
#include "platform/Tick.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <random>
#include <thread>
#include <vector>
#include <unistd.h>

namespace zl {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool IstSteuerzeichen(QChar c) { return c.category() == QChar::Other_Control; }

// A value kept on its line: no line end, end-of-file mark or other control
// character inside it.
QString Einzeilig(QString s)
{
    for (QChar& c : s)
        if (IstSteuerzeichen(c))
            c = u' ';
    return s;
}

bool OhneSteuerzeichen(const QString& s) { return std::none_of(s.begin(), s.end(), IstSteuerzeichen); }

// The latest start a day number may give (31 Dec 9999) and the longest duration
// a class exercise can report.
constexpr double kSpaetesterStart = 2958466.0;
constexpr std::int32_t kLaengsteDauer = 24 * 60 * 60 * 1000;

// A text field of the command line.
QString Feld(const QString& s) { return Einzeilig(ErsetzeZeichen(s, u'|', u'/')); }

// Splits as the text-file layer reads: CR ends a line (an LF after it belongs to
// it), Ctrl-Z ends the text; a text without any CR is split at LF.
QStringList Zeilen(const QString& text)
{
    QString t = text;
    const qsizetype eof = t.indexOf(QChar(0x1A));
    if (eof >= 0)
        t.truncate(eof);
    const bool ohneCr = !t.contains(u'\r');
    QStringList z;
    QString cur;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (ohneCr ? c == u'\n' : c == u'\r') {
            z.append(cur);
            cur.clear();
            if (!ohneCr && i + 1 < t.size() && t.at(i + 1) == u'\n')
                ++i;
        } else {
            cur.append(c);
        }
    }
    if (!cur.isEmpty())
        z.append(cur);
    return z;
}

// The whole file's text without taking a lock; empty optional with the code on failure.
std::optional<QString> LeseText(const QString& pfad, int* code = nullptr)
{
    QFile f(resolvePath(pfad));
    if (!f.open(QIODevice::ReadOnly)) {
        if (code)
            *code = f.exists() ? kErrAccessDenied : kErrFileNotFound;
        return std::nullopt;
    }
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        if (code)
            *code = kErrGeneral;
        return std::nullopt;
    }
    return fromCp1252(bytes);
}

QString Zahl(double v)
{
    QString s = TextFileIO::LineFloat(v);
    s.chop(2);
    return s;
}

std::uint32_t Entropie()
{
    static std::mt19937 gen = [] {
        std::random_device rd;
        std::seed_seq seq{rd(), rd(), static_cast<unsigned>(::getpid()), TickCount()};
        return std::mt19937(seq);
    }();
    return gen();
}

bool Loesche(const QString& pfad) { return QFile::remove(pfad); }

QStringList Dateien(const QString& NetzVerz, const QString& praefix)
{
    QDir dir(NetzVerz.isEmpty() ? QStringLiteral(".") : NetzVerz);
    return dir.entryList({praefix + QStringLiteral("*")}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace

QString MitTrenner(const QString& Ordner)
{
    if (Ordner.isEmpty() || Ordner.endsWith(u'/') || Ordner.endsWith(u'\\'))
        return Ordner;
    return Ordner + u'/';
}

QString NetzBefehlZeile(const NetzDateiInhalt& Inhalt)
{
    const NetzwerkBefehlDataTyp& b = Inhalt.Befehl;
    const QStringList felder{Feld(b.Titel),
                             Feld(b.KartID),
                             QString::number(b.Status),
                             QString::number(b.Gebiet),
                             QString::number(b.Intensitaet),
                             Feld(b.RandSeed),
                             QString::number(b.Sound),
                             QString::number(b.Animationen),
                             QString::number(b.Anrede),
                             QString::number(b.AutoWeiter),
                             QString::number(b.RFLevel),
                             Feld(QFileInfo(b.ObjDateiName).fileName()),
                             Feld(b.FragTypOk),
                             QString::number(b.UebModus),
                             Feld(b.UebKartTyp),
                             QString::number(b.UebFragAnz),
                             Feld(b.UebungsID),
                             Feld(Inhalt.LehrerRechner),
                             Inhalt.Mailslot ? QStringLiteral("1") : QStringLiteral("0")};
    QString z;
    for (const QString& f : felder)
        z += f + u'|';
    return z;
}

NetzDateiInhalt LeseNetzBefehlText(const QString& Text)
{
    NetzDateiInhalt in;
    for (const QString& zeile : Zeilen(Text)) {
        QString rest = zeile + u'|';
        auto text = [&] { return HoleFeld(rest, u'|'); };
        auto zahl = [&] { return WandleInGanzzahl(HoleFeld(rest, u'|')); };
        NetzwerkBefehlDataTyp& b = in.Befehl;
        b.Titel = text();
        b.KartID = text();
        b.Status = zahl();
        b.Gebiet = zahl();
        b.Intensitaet = zahl();
        b.RandSeed = text();
        b.Sound = zahl();
        b.Animationen = zahl();
        b.Anrede = zahl();
        b.AutoWeiter = zahl();
        b.RFLevel = zahl();
        b.ObjDateiName = QFileInfo(ErsetzeZeichen(text(), u'\\', u'/')).fileName();
        b.FragTypOk = text();
        b.UebModus = zahl();
        b.UebKartTyp = text();
        b.UebFragAnz = zahl();
        b.UebungsID = text();
        in.LehrerRechner = text();
        in.Mailslot = zahl() != 0;
    }
    return in;
}

QString NetzSchreibFehlerText()
{
    return QStringLiteral("Schreibfehler! Netzwerkbefehl kann nicht übermittelt werden. Sie benötigen "
                          "Schreib-Zugriffsrechte für das eingestellte Kommunikationsverzeichnis.");
}

QString NetzFlagSchreibFehlerText()
{
    return QStringLiteral("Schreibfehler! Netzwerkbefehl (s) kann nicht übermittelt werden. Sie benötigen "
                          "Schreib-Zugriffsrechte für das eingestellte Kommunikationsverzeichnis.");
}

namespace {
// Writes one exchange file; on failure the writer's box and then the given one.
// An empty folder would put the files into the working folder: refused as a missing path.
bool SchreibeAustausch(const QString& verz, const QString& name, const QString& text, const QString& fehlerText)
{
    const int code =
        verz.isEmpty() ? int(kErrPathNotFound) : writeFileAtomically(MitTrenner(verz) + name, toCp1252(text));
    if (code == kErrNone)
        return true;
    ZeigeFehler(QStringLiteral("Datei-Schreibfehler! (%1)").arg(code));
    ZeigeFehler(fehlerText);
    return false;
}
} // namespace

bool SchreibeNetzDatei(const QString& NetzVerz, const NetzDateiInhalt& Inhalt)
{
    return SchreibeAustausch(NetzVerz, kNetzDateiName, NetzBefehlZeile(Inhalt) + kCrLf,
                             NetzSchreibFehlerText());
}

std::optional<NetzDateiInhalt> LeseNetzDatei(const QString& NetzVerz, int* Fehlercode)
{
    if (NetzVerz.isEmpty()) {
        if (Fehlercode)
            *Fehlercode = kErrPathNotFound;
        return std::nullopt;
    }
    const std::optional<QString> text = LeseText(MitTrenner(NetzVerz) + kNetzDateiName, Fehlercode);
    if (!text)
        return std::nullopt;
    return LeseNetzBefehlText(*text);
}

void LoescheNetzDatei(const QString& NetzVerz)
{
    const QString pfad = MitTrenner(NetzVerz) + kNetzDateiName;
    if (!NetzVerz.isEmpty() && QFile::exists(pfad))
        Loesche(pfad);
}

QString ZufallsBuchstaben(int Anzahl)
{
    QString s;
    for (int i = 0; i < Anzahl; ++i)
        s += QChar(u'A' + Zufall::Random(26));
    return s;
}

ErgebnisNamen NeueErgebnisNamen()
{
    QString buchstaben;
    for (int i = 0; i < 12; ++i)
        buchstaben += QChar(u'A' + static_cast<char16_t>(Entropie() % 26u));
    return {kErgebnisPraefix + buchstaben + QStringLiteral(".dat"), kFlagPraefix + buchstaben + QStringLiteral(".dat")};
}

QString ErgebnisText(const Teilnehmerergebnis& E)
{
    const QStringList z{Einzeilig(E.Schluessel), Einzeilig(E.UebungsID), Einzeilig(E.Rechner),
                        Einzeilig(E.Name),       Zahl(E.Start),          QString::number(E.FrageNr),
                        QString::number(E.Richtig), QString::number(E.Falsch), Zahl(E.Quote),
                        Einzeilig(E.NoteKurz),   QString::number(E.Millisekunden), Einzeilig(E.AntwortFolge)};
    return z.join(kCrLf) + kCrLf;
}

std::optional<Teilnehmerergebnis> LeseErgebnisText(const QString& Text)
{
    const QStringList z = Zeilen(Text);
    if (z.size() < 12)
        return std::nullopt;
    Teilnehmerergebnis e;
    e.Schluessel = z[0];
    e.UebungsID = z[1];
    e.Rechner = z[2];
    e.Name = z[3];
    e.Start = WandleInZahl(z[4]);
    e.FrageNr = WandleInGanzzahl(z[5]);
    e.Richtig = WandleInGanzzahl(z[6]);
    e.Falsch = WandleInGanzzahl(z[7]);
    e.Quote = WandleInZahl(z[8]);
    e.NoteKurz = z[9];
    e.Millisekunden = WandleInGanzzahl(z[10]);
    e.AntwortFolge = z[11];
    if (!IstMoeglichesErgebnis(e))
        return std::nullopt;
    return e;
}

bool IstMoeglichesErgebnis(const Teilnehmerergebnis& E)
{
    for (const QString* t : {&E.Schluessel, &E.UebungsID, &E.Rechner, &E.Name, &E.NoteKurz, &E.AntwortFolge})
        if (!OhneSteuerzeichen(*t))
            return false;
    if (E.Name.trimmed().isEmpty() || E.AntwortFolge.size() > kMaxNetzFragen)
        return false;
    const auto richtig = E.AntwortFolge.count(u'+');
    const auto falsch = E.AntwortFolge.count(u'-');
    if (richtig + falsch != E.AntwortFolge.size() || richtig != E.Richtig || falsch != E.Falsch)
        return false;
    if (E.FrageNr < 0 || E.FrageNr > E.AntwortFolge.size())
        return false;
    if (!std::isfinite(E.Quote) || E.Quote < 0 || E.Quote > 100)
        return false;
    if (!std::isfinite(E.Start) || E.Start < 0 || E.Start >= kSpaetesterStart)
        return false;
    return E.Millisekunden >= 0 && E.Millisekunden < kLaengsteDauer;
}

std::optional<Teilnehmerergebnis> LeseErgebnisNachricht(const QString& Text)
{
    std::optional<Teilnehmerergebnis> e = LeseErgebnisText(Text);
    if (e && e->Schluessel.trimmed().isEmpty())
        return std::nullopt;
    return e;
}

bool SchreibeErgebnisDateien(const QString& NetzVerz, const ErgebnisNamen& Namen, const Teilnehmerergebnis& E)
{
    if (!SchreibeAustausch(NetzVerz, Namen.Datei, ErgebnisText(E) + kCrLf, NetzSchreibFehlerText()))
        return false;
    return SchreibeAustausch(NetzVerz, Namen.Flag, QStringLiteral(" ") + kCrLf, NetzFlagSchreibFehlerText());
}

DateiLesen LeseErgebnisDatei(const QString& NetzVerz, const QString& Name, Teilnehmerergebnis& E)
{
    const QString pfad = MitTrenner(NetzVerz) + Name;
    int code = 0;
    const std::optional<QString> text = LeseText(pfad, &code);
    if (!text)
        return code == kErrFileNotFound ? DateiLesen::Fehlt : DateiLesen::Unlesbar;
    std::optional<Teilnehmerergebnis> e = LeseErgebnisText(*text);
    if (!e)
        return DateiLesen::Fremd;
    e->Schluessel = Name;
    E = *e;
    return DateiLesen::Ok;
}

namespace {
// One participant's files of a scan; false when nothing was read.
bool LeseEinen(const QString& verz, const QString& name, bool FlagModus, Teilnehmerergebnis& e)
{
    const QString schluessel = FlagModus ? kErgebnisPraefix + name.mid(kFlagPraefix.size()) : name;
    if (FlagModus && !Loesche(verz + name))
        return false; // someone else took it; its result stays for the next flag
    switch (LeseErgebnisDatei(verz, schluessel, e)) {
    case DateiLesen::Ok:
        return true;
    case DateiLesen::Unlesbar:
        if (FlagModus)
            (void)writeFileAtomically(verz + name, QByteArrayLiteral(" \r\n"));
        return false;
    case DateiLesen::Fehlt:
    case DateiLesen::Fremd:
        break;
    }
    return false;
}
} // namespace

QList<Teilnehmerergebnis> LeseTeilnehmerErgebnisse(const QString& NetzVerz, bool FlagModus)
{
    QList<Teilnehmerergebnis> liste;
    if (NetzVerz.isEmpty())
        return liste;
    const QString verz = MitTrenner(NetzVerz);
    const QStringList namen = Dateien(verz, FlagModus ? kFlagPraefix : kErgebnisPraefix);
    // A busy or remote folder makes each file operation wait: a class's files
    // are taken by several threads at once, the rows keep the folder's order.
    std::vector<Teilnehmerergebnis> ergebnisse(static_cast<size_t>(namen.size()));
    std::vector<char> gelesen(static_cast<size_t>(namen.size()), 0);
    std::atomic<qsizetype> naechster{0};
    auto arbeite = [&] {
        for (qsizetype i; (i = naechster.fetch_add(1)) < namen.size();)
            gelesen[size_t(i)] = LeseEinen(verz, namen[i], FlagModus, ergebnisse[size_t(i)]);
    };
    const int threads = static_cast<int>(qMin<qsizetype>(8, namen.size() / 4));
    std::vector<std::thread> helfer;
    for (int t = 1; t < threads; ++t)
        helfer.emplace_back(arbeite);
    arbeite();
    for (std::thread& t : helfer)
        t.join();
    for (size_t i = 0; i < ergebnisse.size(); ++i)
        if (gelesen[i])
            liste.append(std::move(ergebnisse[i]));
    return liste;
}

void LoescheErgebnisDateien(const QString& NetzVerz)
{
    if (NetzVerz.isEmpty())
        return;
    const QString verz = MitTrenner(NetzVerz);
    for (const QString& p : {kFlagPraefix, kErgebnisPraefix, u'.' + kFlagPraefix, u'.' + kErgebnisPraefix})
        for (const QString& name : Dateien(verz, p))
            Loesche(verz + name);
}

bool TesteVerzeichnisZugriff(const QString& Ordner, bool Mailslot)
{
    if (Mailslot)
        return true;
    if (Ordner.isEmpty())
        return false;
    const QString verz = MitTrenner(Ordner);
    for (int n = 1; n <= 10000; ++n) {
        const QString pfad = verz + kProbePraefix + QString::number(n);
        const QByteArray nativ = QFile::encodeName(pfad);
        const int fd = ::open(nativ.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        const char leer[128] = {};
        const bool ok = ::write(fd, leer, sizeof leer) == static_cast<ssize_t>(sizeof leer);
        ::close(fd);
        return ::unlink(nativ.constData()) == 0 && ok;
    }
    return false;
}

QString ZugriffsFehlerText(bool AusDialog, const QString& Ordner)
{
    return QStringLiteral("Sie verfügen nicht über ausreichende Zugriffsrechte für das angegebene "
                          "Kommunikationsverzeichnis. Für dieses Verzeichnis (")
           + Ordner + QStringLiteral(") benötigen Sie Lese- und Schreibzugriffsrechte. \r\n\r\n")
           + QStringLiteral("Setzen Sie die nötigen Zugriffsrechte oder wählen Sie ")
           + (AusDialog ? QString()
                        : QStringLiteral("unter dem Menüpunkt \"Allg.-Optionen/Kommunikationsverzeichnis...\" "))
           + QStringLiteral("ein anderes Verzeichnis aus. Wenden Sie sich ggf. an Ihren Netzwerkadministrator.");
}

void ZeigeZugriffsFehler(bool AusDialog, const QString& Ordner)
{
    ZeigeWarnung(ZugriffsFehlerText(AusDialog, Ordner));
}

double TagesZahl(const QDateTime& Zeit)
{
    static const QDateTime basis(QDate(1899, 12, 30), QTime(0, 0));
    const QDateTime lokal = Zeit.toLocalTime();
    const qint64 tage = basis.date().daysTo(lokal.date());
    return static_cast<double>(tage) + lokal.time().msecsSinceStartOfDay() / 86400000.0;
}

QDateTime ZeitAusTageszahl(double Tage)
{
    if (!(Tage > -700000 && Tage < 3000000))
        Tage = 0;
    const double ganz = std::floor(Tage);
    const qint64 ms = std::llround((Tage - ganz) * 86400000.0);
    return QDateTime(QDate(1899, 12, 30).addDays(static_cast<qint64>(ganz)), QTime(0, 0)).addMSecs(ms);
}

} // namespace zl
