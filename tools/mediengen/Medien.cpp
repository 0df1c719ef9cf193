#include "Medien.h"

#include "datastore/JpegDatei.h"
#include "learning/mapview/zl_rueckmeldebild.h"
#include "platform/FileAccess.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zl::medien
{

namespace
{

struct Riff {
    QByteArray b;
    void u16(quint16 v)
    {
        char c[2];
        qToLittleEndian(v, c);
        b.append(c, 2);
    }
    void u32(quint32 v)
    {
        char c[4];
        qToLittleEndian(v, c);
        b.append(c, 4);
    }
    void kennung(const char* k) { b.append(k, 4); }
    // Opens a chunk (or a list with its type) and returns where its size goes.
    qsizetype beginne(const char* k, const char* listenTyp = nullptr)
    {
        kennung(k);
        const qsizetype at = b.size();
        u32(0);
        if (listenTyp)
            kennung(listenTyp);
        return at;
    }
    void schliesse(qsizetype at)
    {
        qToLittleEndian(quint32(b.size() - at - 4), b.data() + at);
        if (b.size() % 2)
            b.append('\0');
    }
};

// A tone with a soft attack and an exponential decay, added into the samples.
void Ton(std::vector<double>& s, int Rate, double Start, double Dauer, double Hz, double Pegel, bool Obertoene)
{
    const int a = int(Start * Rate), n = int(Dauer * Rate);
    for (int i = 0; i < n && a + i < int(s.size()); ++i) {
        const double t = double(i) / Rate;
        const double huelle = std::min(1.0, t / 0.006) * std::exp(-t * 5.5 / Dauer);
        double w = std::sin(2 * std::numbers::pi * Hz * t);
        if (Obertoene)
            w = 0.6 * w + 0.25 * std::sin(2 * std::numbers::pi * 2 * Hz * t) +
                0.15 * std::sin(2 * std::numbers::pi * 3 * Hz * t);
        s[std::size_t(a + i)] += Pegel * huelle * w;
    }
}

Proben Ganzzahlig(const std::vector<double>& s)
{
    Proben p(s.size());
    std::transform(s.begin(), s.end(), p.begin(),
                   [](double v) { return std::int16_t(std::lround(std::clamp(v, -1.0, 1.0) * 30000)); });
    return p;
}

} // namespace

QByteArray WavDatei(const Proben& P, int Rate)
{
    Riff r;
    const qsizetype riff = r.beginne("RIFF", "WAVE");
    const qsizetype fmt = r.beginne("fmt ");
    r.u16(1); // PCM
    r.u16(1);
    r.u32(quint32(Rate));
    r.u32(quint32(Rate * 2));
    r.u16(2);
    r.u16(16);
    r.schliesse(fmt);
    const qsizetype data = r.beginne("data");
    for (std::int16_t v : P)
        r.u16(quint16(v));
    r.schliesse(data);
    r.schliesse(riff);
    return r.b;
}

Proben RichtigKlang(int Rate)
{
    std::vector<double> s(std::size_t(Rate * 0.55));
    Ton(s, Rate, 0.00, 0.30, 1046.5, 0.45, true); // C6
    Ton(s, Rate, 0.09, 0.30, 1318.5, 0.45, true); // E6
    Ton(s, Rate, 0.18, 0.37, 1568.0, 0.50, true); // G6
    return Ganzzahlig(s);
}

Proben FalschKlang(int Rate)
{
    std::vector<double> s(std::size_t(Rate * 0.5));
    Ton(s, Rate, 0.00, 0.24, 233.1, 0.6, true);
    Ton(s, Rate, 0.20, 0.30, 174.6, 0.7, true);
    return Ganzzahlig(s);
}

Proben HoverKlang(int Rate)
{
    std::vector<double> s(std::size_t(Rate * 0.05));
    Ton(s, Rate, 0.0, 0.05, 1760.0, 0.35, false);
    return Ganzzahlig(s);
}

std::vector<QImage> ClipBilder(bool Richtig)
{
    // 1.2 s drawing in, then 0.6 s standing.
    const int n = kClipBilder * 18 / 10, zeichnen = kClipBilder * 12 / 10;
    std::vector<QImage> b;
    for (int i = 0; i < n; ++i)
        b.push_back(RueckmeldeBild(Richtig, double(i) / (zeichnen - 1), QSize(kClipSeite, kClipSeite)));
    return b;
}

QByteArray AviDatei(const std::vector<QImage>& Bilder, int BilderJeSekunde, int Qualitaet, const Proben& Ton, int Rate)
{
    std::vector<QByteArray> jpeg;
    quint32 groessterChunk = 0;
    for (const QImage& b : Bilder) {
        jpeg.push_back(KodiereJpeg(b, Qualitaet));
        groessterChunk = std::max(groessterChunk, quint32(jpeg.back().size()));
    }
    const int w = Bilder.empty() ? 0 : Bilder.front().width(), h = Bilder.empty() ? 0 : Bilder.front().height();
    const quint32 frames = quint32(Bilder.size());
    const bool mitTon = !Ton.empty();
    const std::size_t probenJeBild = std::size_t(Rate / BilderJeSekunde);

    Riff r;
    const qsizetype riff = r.beginne("RIFF", "AVI ");
    const qsizetype hdrl = r.beginne("LIST", "hdrl");
    const qsizetype avih = r.beginne("avih");
    r.u32(quint32(1000000 / BilderJeSekunde));
    r.u32(groessterChunk * quint32(BilderJeSekunde) + (mitTon ? quint32(Rate * 2) : 0));
    r.u32(0);
    r.u32(0x10); // AVIF_HASINDEX
    r.u32(frames);
    r.u32(0);
    r.u32(mitTon ? 2 : 1);
    r.u32(groessterChunk);
    r.u32(quint32(w));
    r.u32(quint32(h));
    for (int i = 0; i < 4; ++i)
        r.u32(0);
    r.schliesse(avih);

    const qsizetype vstrl = r.beginne("LIST", "strl");
    const qsizetype vstrh = r.beginne("strh");
    r.kennung("vids");
    r.kennung("MJPG");
    r.u32(0);
    r.u16(0);
    r.u16(0);
    r.u32(0);
    r.u32(1);
    r.u32(quint32(BilderJeSekunde));
    r.u32(0);
    r.u32(frames);
    r.u32(groessterChunk);
    r.u32(0xFFFFFFFF);
    r.u32(0);
    r.u16(0);
    r.u16(0);
    r.u16(quint16(w));
    r.u16(quint16(h));
    r.schliesse(vstrh);
    const qsizetype vstrf = r.beginne("strf");
    r.u32(40);
    r.u32(quint32(w));
    r.u32(quint32(h));
    r.u16(1);
    r.u16(24);
    r.kennung("MJPG");
    r.u32(quint32(w * h * 3));
    r.u32(0);
    r.u32(0);
    r.u32(0);
    r.u32(0);
    r.schliesse(vstrf);
    r.schliesse(vstrl);

    if (mitTon) {
        const qsizetype astrl = r.beginne("LIST", "strl");
        const qsizetype astrh = r.beginne("strh");
        r.kennung("auds");
        r.u32(0);
        r.u32(0);
        r.u16(0);
        r.u16(0);
        r.u32(0);
        r.u32(2);                 // scale: block align
        r.u32(quint32(Rate * 2)); // rate: bytes per second
        r.u32(0);
        r.u32(quint32(Ton.size())); // length in blocks
        r.u32(quint32(probenJeBild * 2));
        r.u32(0xFFFFFFFF);
        r.u32(2);
        r.u16(0);
        r.u16(0);
        r.u16(0);
        r.u16(0);
        r.schliesse(astrh);
        const qsizetype astrf = r.beginne("strf");
        r.u16(1);
        r.u16(1);
        r.u32(quint32(Rate));
        r.u32(quint32(Rate * 2));
        r.u16(2);
        r.u16(16);
        r.u16(0);
        r.schliesse(astrf);
        r.schliesse(astrl);
    }
    r.schliesse(hdrl);

    struct Eintrag {
        const char* kennung;
        quint32 flags, ort, groesse;
    };
    std::vector<Eintrag> index;
    const qsizetype movi = r.beginne("LIST", "movi");
    const qsizetype moviStart = movi + 4; // offsets count from the list type
    std::size_t probe = 0;
    for (std::size_t i = 0; i < jpeg.size(); ++i) {
        if (mitTon && probe < Ton.size()) {
            const std::size_t n =
                i + 1 == jpeg.size() ? Ton.size() - probe : std::min(probenJeBild, Ton.size() - probe);
            const qsizetype at = r.b.size();
            const qsizetype c = r.beginne("01wb");
            for (std::size_t k = 0; k < n; ++k)
                r.u16(quint16(Ton[probe + k]));
            r.schliesse(c);
            index.push_back({"01wb", 0x10, quint32(at - moviStart), quint32(n * 2)});
            probe += n;
        }
        const qsizetype at = r.b.size();
        const qsizetype c = r.beginne("00dc");
        r.b.append(jpeg[i]);
        r.schliesse(c);
        index.push_back({"00dc", 0x10, quint32(at - moviStart), quint32(jpeg[i].size())});
    }
    r.schliesse(movi);
    const qsizetype idx = r.beginne("idx1");
    for (const Eintrag& e : index) {
        r.kennung(e.kennung);
        r.u32(e.flags);
        r.u32(e.ort);
        r.u32(e.groesse);
    }
    r.schliesse(idx);
    r.schliesse(riff);
    return r.b;
}

bool SchreibeAlle(const QString& SoundVerz, const QString& VideoVerz, QString* Fehler)
{
    auto schreibe = [&](const QString& Pfad, const QByteArray& Daten) {
        const int code = writeFileAtomically(Pfad, Daten);
        if (code != 0 && Fehler)
            *Fehler = QStringLiteral("%1: Datei-Schreibfehler! (%2)").arg(Pfad).arg(code);
        return code == 0;
    };
    // The clips' sound: the feedback sound at the clip's rate, padded to the clip's length.
    auto clipTon = [](bool Richtig, std::size_t Laenge) {
        Proben t = Richtig ? RichtigKlang(kClipRate) : FalschKlang(kClipRate);
        t.resize(Laenge, 0);
        return t;
    };
    const std::vector<QImage> richtig = ClipBilder(true), falsch = ClipBilder(false);
    const std::size_t laenge = richtig.size() * kClipRate / kClipBilder;
    const int q = 60;
    return schreibe(SoundVerz + QStringLiteral("Richtig1.wav"), WavDatei(RichtigKlang(kWavRate), kWavRate)) &&
           schreibe(SoundVerz + QStringLiteral("Falsch1.wav"), WavDatei(FalschKlang(kWavRate), kWavRate)) &&
           schreibe(SoundVerz + QStringLiteral("Hover1.wav"), WavDatei(HoverKlang(kWavRate), kWavRate)) &&
           schreibe(VideoVerz + QStringLiteral("VRichtig1.avi"), AviDatei(richtig, kClipBilder, q, {}, kClipRate)) &&
           schreibe(VideoVerz + QStringLiteral("VFalsch1.avi"), AviDatei(falsch, kClipBilder, q, {}, kClipRate)) &&
           schreibe(VideoVerz + QStringLiteral("VRichtig1snd.avi"),
                    AviDatei(richtig, kClipBilder, q, clipTon(true, laenge), kClipRate)) &&
           schreibe(VideoVerz + QStringLiteral("VFalsch1snd.avi"),
                    AviDatei(falsch, kClipBilder, q, clipTon(false, laenge), kClipRate));
}

} // namespace zl::medien
