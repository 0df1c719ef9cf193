#include "platform/widgets/DocumentOpener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace zl {
namespace {

DesktopDocumentOpener& desktopOpener()
{
    static DesktopDocumentOpener opener;
    return opener;
}

DocumentOpener* current = nullptr;

} // namespace

DocumentOpener& documentOpener() { return current ? *current : desktopOpener(); }

DocumentOpener* setDocumentOpener(DocumentOpener* opener)
{
    DocumentOpener* previous = current;
    current = opener;
    return previous;
}

bool DesktopDocumentOpener::open(const QString& document)
{
    const QUrl url = QUrl::fromUserInput(document);
    if (!url.isValid())
        return false;
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
        return false;
    return QDesktopServices::openUrl(url);
}

} // namespace zl
