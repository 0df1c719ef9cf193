#pragma once

// The help pages of a program folder read as a reader's browser would see them: their
// links, pictures and anchors, what they may not contain, and their text.

#include <QList>
#include <QString>
#include <QStringList>

namespace zl::test
{

// One href or src of a page.
struct HilfeVerweis {
    QString Element;  // "a", "img", "link", ...
    QString Attribut; // "href" or "src"
    QString Wert;
    qint64 Zeile = 0;
};

struct HilfeBild {
    QString Src, Alt;
    int Breite = -1, Hoehe = -1; // the width and height attributes, -1 when missing
    qint64 Zeile = 0;
};

struct HilfeSeite {
    QString Datei;  // the file name inside the help folder
    QString Fehler; // empty when the page is well-formed
    QStringList Ids;
    QList<HilfeVerweis> Verweise;
    QList<HilfeBild> Bilder;
    QStringList Verboten; // script, embedded objects, event handlers, javascript: links
    QString Text;         // the text, entities decoded, tags dropped, whitespace folded
};

// Reads one page. The pages are written well-formed (XHTML syntax), so an XML reader
// reads them exactly; a page that is not gives its error in Fehler.
HilfeSeite LiesHilfeSeite(const QString& Pfad);
// Every *.html of the folder, sorted by name.
QList<HilfeSeite> LiesHilfe(const QString& Ordner);
// The text of all pages, one after the other.
QString HilfeText(const QList<HilfeSeite>& Seiten);

// The help folders of the built programs.
inline QString KartivoHilfe()
{
    return QStringLiteral(ZL_KARTIVO_DIR "/ZL-Hilfe");
}
inline QString FoliavoHilfe()
{
    return QStringLiteral(ZL_FOLIAVO_DIR "/AB-Hilfe");
}

} // namespace zl::test
