#include "tools/atlasgen/Geodaten.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace zl::atlas
{

namespace
{

bool leseJson(const QString& datei, QJsonArray& a, QString& fehler)
{
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly)) {
        fehler = QStringLiteral("Datei fehlt: %1").arg(datei);
        return false;
    }
    QJsonParseError pe;
    const QJsonDocument d = QJsonDocument::fromJson(f.readAll(), &pe);
    if (pe.error != QJsonParseError::NoError || !d.isArray()) {
        fehler = QStringLiteral("Datei beschädigt: %1 (%2)").arg(datei, pe.errorString());
        return false;
    }
    a = d.array();
    return true;
}

Ring ringAus(const QJsonArray& flach)
{
    Ring r;
    r.reserve(size_t(flach.size() / 2));
    for (qsizetype i = 0; i + 1 < flach.size(); i += 2)
        r.emplace_back(flach[i].toDouble(), flach[i + 1].toDouble());
    return r;
}

std::vector<Polygon> polygoneAus(const QJsonArray& polys)
{
    std::vector<Polygon> v;
    for (const QJsonValue& p : polys) {
        Polygon poly;
        for (const QJsonValue& r : p.toArray())
            poly.push_back(ringAus(r.toArray()));
        if (!poly.empty() && poly.front().size() >= 3)
            v.push_back(std::move(poly));
    }
    return v;
}

bool leseFlaechen(const QString& datei, QList<Flaeche>& ziel, QString& fehler)
{
    QJsonArray a;
    if (!leseJson(datei, a, fehler))
        return false;
    for (const QJsonValue& v : a) {
        const QJsonObject o = v.toObject();
        Flaeche f;
        f.id = o.value(u"id").toString();
        f.name = o.value(u"name").toString();
        f.polygone = polygoneAus(o.value(u"polys").toArray());
        f.box = BoxVon(f.polygone);
        ziel.append(std::move(f));
    }
    return true;
}

QList<QStringList> leseTsv(const QString& datei)
{
    QList<QStringList> zeilen;
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly))
        return zeilen;
    for (const QByteArray& z : f.readAll().split('\n')) {
        QString s = QString::fromUtf8(z); // prepared and curated tables are UTF-8
        if (s.endsWith(u'\r'))
            s.chop(1);
        if (s.trimmed().isEmpty() || s.startsWith(u'#'))
            continue;
        zeilen.append(s.split(u'\t'));
    }
    return zeilen;
}

} // namespace

QRectF BoxVon(const std::vector<Polygon>& polygone)
{
    double w = 1e9, o = -1e9, s = 1e9, n = -1e9;
    for (const Polygon& p : polygone) {
        for (const QPointF& q : p.front()) {
            w = std::min(w, q.x());
            o = std::max(o, q.x());
            s = std::min(s, q.y());
            n = std::max(n, q.y());
        }
    }
    return w > o ? QRectF() : QRectF(QPointF(w, s), QPointF(o, n));
}

double Hoehenraster::hoeheBei(double lon, double lat) const
{
    if (werte.empty())
        return 0;
    double fx = (lon - lon0) / dlon;
    double fy = (lat - lat0) / dlat;
    fx = std::fmod(fx, double(breite));
    if (fx < 0)
        fx += breite;
    fy = std::clamp(fy, 0.0, double(hoehe - 1));
    const int x0 = int(fx), y0 = std::min(int(fy), hoehe - 2);
    const int x1 = (x0 + 1) % breite;
    const double tx = fx - x0, ty = fy - y0;
    auto h = [&](int x, int y) { return double(werte[size_t(y) * size_t(breite) + size_t(x)]); };
    return (h(x0, y0) * (1 - tx) + h(x1, y0) * tx) * (1 - ty) + (h(x0, y0 + 1) * (1 - tx) + h(x1, y0 + 1) * tx) * ty;
}

bool LeseLinien(const QString& datei, QList<Linie>& ziel, QString& fehler)
{
    QJsonArray a;
    if (!leseJson(datei, a, fehler))
        return false;
    for (const QJsonValue& v : a) {
        for (const QJsonValue& t : v.toObject().value(u"lines").toArray()) {
            // Each part on its own, so that a map draws only the parts near it.
            Linie l;
            l.teile.push_back(ringAus(t.toArray()));
            if (l.teile.front().size() < 2)
                continue;
            l.box = BoxVon({Polygon{l.teile.front()}});
            ziel.append(std::move(l));
        }
    }
    return true;
}

QList<Tabellenzeile> LeseTabelle(const QString& datei)
{
    return leseTsv(datei);
}

bool Geodaten::lade(const QString& ordner, QString& fehler)
{
    const QDir d(ordner);
    if (!leseFlaechen(d.filePath(QStringLiteral("countries50.json")), laender50, fehler))
        return false;
    // The detailed outlines are optional; the coarse ones stand in.
    if (QFile::exists(d.filePath(QStringLiteral("countries10.json")))) {
        if (!leseFlaechen(d.filePath(QStringLiteral("countries10.json")), laender10, fehler))
            return false;
    } else {
        laender10 = laender50;
    }
    if (QFile::exists(d.filePath(QStringLiteral("lakes.json"))) &&
        !leseFlaechen(d.filePath(QStringLiteral("lakes.json")), seen, fehler))
        return false;
    if (QFile::exists(d.filePath(QStringLiteral("lakes-detail.json"))) &&
        !leseFlaechen(d.filePath(QStringLiteral("lakes-detail.json")), seenDetail, fehler))
        return false;
    if (QFile::exists(d.filePath(QStringLiteral("admin1.json"))) &&
        !leseFlaechen(d.filePath(QStringLiteral("admin1.json")), teilgebiete, fehler))
        return false;
    if (QFile::exists(d.filePath(QStringLiteral("rivers.json"))) &&
        !LeseLinien(d.filePath(QStringLiteral("rivers.json")), fluesse, fehler))
        return false;

    {
        QFile kopf(d.filePath(QStringLiteral("relief.json")));
        QFile bin(d.filePath(QStringLiteral("relief.bin")));
        if (!kopf.open(QIODevice::ReadOnly) || !bin.open(QIODevice::ReadOnly)) {
            fehler = QStringLiteral("Reliefraster fehlt in %1").arg(ordner);
            return false;
        }
        const QJsonObject o = QJsonDocument::fromJson(kopf.readAll()).object();
        relief.breite = o.value(u"breite").toInt();
        relief.hoehe = o.value(u"hoehe").toInt();
        relief.lon0 = o.value(u"lon0").toDouble();
        relief.dlon = o.value(u"dlon").toDouble(1);
        relief.lat0 = o.value(u"lat0").toDouble(90);
        relief.dlat = o.value(u"dlat").toDouble(-1);
        const QByteArray b = bin.readAll();
        const qsizetype n = qsizetype(relief.breite) * relief.hoehe;
        if (relief.breite < 2 || relief.hoehe < 2 || b.size() != n * 2) {
            fehler = QStringLiteral("Reliefraster beschädigt: %1 Bytes für %2 x %3")
                         .arg(b.size())
                         .arg(relief.breite)
                         .arg(relief.hoehe);
            return false;
        }
        relief.werte.resize(size_t(n));
        const auto* p = reinterpret_cast<const unsigned char*>(b.constData());
        for (qsizetype i = 0; i < n; ++i) // little-endian int16
            relief.werte[size_t(i)] = std::int16_t(p[2 * i] | (p[2 * i + 1] << 8));
    }

    for (const QStringList& z : leseTsv(d.filePath(QStringLiteral("cities.tsv")))) {
        if (z.size() < 8)
            continue;
        Ort o;
        o.name = z[2].isEmpty() ? z[1] : z[2];
        o.land = z[3];
        o.lat = z[4].toDouble();
        o.lon = z[5].toDouble();
        o.einwohner = z[6].toDouble();
        o.art = z[7];
        orte.append(o);
    }
    std::stable_sort(orte.begin(), orte.end(), [](const Ort& a, const Ort& b) { return a.einwohner > b.einwohner; });

    for (const QStringList& z : leseTsv(d.filePath(QStringLiteral("countries.tsv")))) {
        if (z.size() < 12)
            continue;
        Landfakten f;
        f.a2 = z[0];
        f.a3 = z[1];
        f.name = z[3].isEmpty() ? z[2] : z[3];
        f.region = z[5];
        f.hauptstadt = z[7].isEmpty() ? z[6] : z[7];
        // "Nuuk (Godthåb)": the other name in brackets is not part of the capital's name.
        if (const qsizetype k = f.hauptstadt.indexOf(QStringLiteral(" (")); k > 0)
            f.hauptstadt.truncate(k);
        f.capBekannt = !z[8].isEmpty() && !z[9].isEmpty();
        f.capLat = z[8].toDouble();
        f.capLon = z[9].toDouble();
        f.einwohner = z[10].toDouble();
        f.flaeche = z[11].toDouble();
        fakten.insert(f.a2, f);
    }
    for (const QStringList& z : leseTsv(d.filePath(QStringLiteral("de_states.tsv"))))
        if (z.size() >= 3)
            deLaender.insert(z[0], {z[1].toDouble(), z[2].toDouble()});
    flaggenOrdner = d.filePath(QStringLiteral("flags"));
    return true;
}

} // namespace zl::atlas
