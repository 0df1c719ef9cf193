#pragma once

// Reads back a printout to PDF with poppler's tools: the words with their boxes
// (pdftotext -bbox) in tenths of a millimetre from the paper's corner, and a page
// as a picture (pdftoppm).

#include <QFile>
#include <QImage>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace zl::test
{

struct PdfWort {
    int Seite = 0; // 1-based
    QString Text;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // 0.1 mm
};

inline QString Ausgabe(const QString& Programm, const QStringList& Argumente)
{
    QProcess p;
    p.start(Programm, Argumente);
    if (!p.waitForFinished(30000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline QList<PdfWort> PdfWoerter(const QString& Datei)
{
    const QString html = Ausgabe(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), Datei, QStringLiteral("-")});
    QList<PdfWort> w;
    constexpr double k = 254.0 / 72.0; // points to 0.1 mm
    int Seite = 0;
    static const QRegularExpression wort(
        QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    for (const QString& Zeile : html.split(QLatin1Char('\n'))) {
        if (Zeile.contains(QStringLiteral("<page ")))
            ++Seite;
        const auto m = wort.match(Zeile);
        if (!m.hasMatch())
            continue;
        QString t = m.captured(5);
        t.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        w.append({Seite, t, m.captured(1).toDouble() * k, m.captured(2).toDouble() * k, m.captured(3).toDouble() * k,
                  m.captured(4).toDouble() * k});
    }
    return w;
}

inline QList<PdfWort> Finde(const QList<PdfWort>& Woerter, const QString& Text)
{
    QList<PdfWort> r;
    for (const PdfWort& w : Woerter)
        if (w.Text == Text)
            r.append(w);
    return r;
}

inline int PdfSeiten(const QString& Datei)
{
    const QString info = Ausgabe(QStringLiteral("pdfinfo"), {Datei});
    static const QRegularExpression s(QStringLiteral(R"(Pages:\s+(\d+))"));
    const auto m = s.match(info);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

// Page n at dpi as a picture (null when it cannot be made).
inline QImage PdfSeitenbild(const QString& Datei, int Seite, double Dpi, const QString& Ordner)
{
    const QString Basis = Ordner + QStringLiteral("/seite");
    Ausgabe(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(Dpi), QStringLiteral("-f"),
                                         QString::number(Seite), QStringLiteral("-l"), QString::number(Seite),
                                         QStringLiteral("-png"), QStringLiteral("-singlefile"), Datei, Basis});
    return QImage(Basis + QStringLiteral(".png"));
}

} // namespace zl::test
