#include "HilfeDokumente.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QXmlStreamReader>

namespace zl::test
{
namespace
{

// Elements inside running text: their edges do not separate words.
bool IstZeilenElement(QStringView n)
{
    static const QSet<QString> zeile{QStringLiteral("a"),   QStringLiteral("b"),      QStringLiteral("i"),
                                     QStringLiteral("em"),  QStringLiteral("strong"), QStringLiteral("span"),
                                     QStringLiteral("kbd"), QStringLiteral("code"),   QStringLiteral("small"),
                                     QStringLiteral("sub"), QStringLiteral("sup"),    QStringLiteral("abbr")};
    return zeile.contains(n.toString());
}

bool IstVerbotenesElement(QStringView n)
{
    static const QSet<QString> verboten{QStringLiteral("script"), QStringLiteral("iframe"), QStringLiteral("object"),
                                        QStringLiteral("embed"),  QStringLiteral("applet"), QStringLiteral("base"),
                                        QStringLiteral("frame"),  QStringLiteral("form"),   QStringLiteral("audio"),
                                        QStringLiteral("video"),  QStringLiteral("source")};
    return verboten.contains(n.toString().toLower());
}

int Zahl(const QXmlStreamAttributes& a, const char* Name)
{
    bool ok = false;
    const int v = a.value(QLatin1String(Name)).toInt(&ok);
    return ok ? v : -1;
}

} // namespace

HilfeSeite LiesHilfeSeite(const QString& Pfad)
{
    HilfeSeite s;
    s.Datei = QFileInfo(Pfad).fileName();
    QFile f(Pfad);
    if (!f.open(QIODevice::ReadOnly)) {
        s.Fehler = f.errorString();
        return s;
    }
    QXmlStreamReader x(&f);
    QString text;
    while (!x.atEnd()) {
        switch (x.readNext()) {
        case QXmlStreamReader::StartElement: {
            const QString n = x.name().toString();
            const qint64 zeile = x.lineNumber();
            if (IstVerbotenesElement(n))
                s.Verboten << QStringLiteral("<%1> in line %2").arg(n).arg(zeile);
            const QXmlStreamAttributes a = x.attributes();
            for (const QXmlStreamAttribute& at : a) {
                const QString an = at.name().toString().toLower();
                if (an.startsWith(QLatin1String("on")))
                    s.Verboten << QStringLiteral("%1=\"...\" in line %2").arg(an).arg(zeile);
                if (an == QLatin1String("style") && at.value().contains(QLatin1String("url(")))
                    s.Verboten << QStringLiteral("style with url() in line %1").arg(zeile);
                if (an == QLatin1String("id") || (n == QLatin1String("a") && an == QLatin1String("name")))
                    s.Ids << at.value().toString();
                if (an == QLatin1String("href") || an == QLatin1String("src")) {
                    s.Verweise.append({n, an, at.value().toString(), zeile});
                    if (at.value().trimmed().toString().toLower().startsWith(QLatin1String("javascript:")))
                        s.Verboten << QStringLiteral("javascript: link in line %1").arg(zeile);
                }
            }
            if (n == QLatin1String("img"))
                s.Bilder.append({a.value(QLatin1String("src")).toString(), a.value(QLatin1String("alt")).toString(),
                                 Zahl(a, "width"), Zahl(a, "height"), zeile});
            if (!IstZeilenElement(n))
                text += QLatin1Char(' ');
            break;
        }
        case QXmlStreamReader::EndElement:
            if (!IstZeilenElement(x.name()))
                text += QLatin1Char(' ');
            break;
        case QXmlStreamReader::Characters:
            text += x.text();
            break;
        default:
            break;
        }
    }
    if (x.hasError())
        s.Fehler = QStringLiteral("line %1: %2").arg(x.lineNumber()).arg(x.errorString());
    // simplified() folds every kind of space, the no-break space among them.
    s.Text = text.simplified();
    return s;
}

QList<HilfeSeite> LiesHilfe(const QString& Ordner)
{
    QList<HilfeSeite> seiten;
    const QDir d(Ordner);
    for (const QString& n : d.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name))
        seiten.append(LiesHilfeSeite(d.filePath(n)));
    return seiten;
}

QString HilfeText(const QList<HilfeSeite>& Seiten)
{
    QStringList t;
    for (const HilfeSeite& s : Seiten)
        t << s.Text;
    return t.join(QLatin1Char(' '));
}

} // namespace zl::test
