// The main window's part of the bookmarks: the menu entries and the stored value
// "Lesezeichen", which the settings reader hands over at start-up.

#include "learning/mainwindow/widgets/zl_main.h"

#include "datastore/zl_data.h"
#include "learning/tools/widgets/zl_lesezeichenmenue.h"
#include "platform/MessageService.h"

namespace zl
{

void TForm1::BaueLesezeichenMenue()
{
    LesezeichenMenue->BaueLesezeichenMenue();
}

QString TForm1::LesezeichenText() const
{
    return LesezeichenWert(LesezeichenListe, LesezeichenUnlesbar);
}

void TForm1::LeseLesezeichen(const QString& Text)
{
    LesezeichenLesung r = LeseLesezeichenWert(Text, ObjDatei);
    LesezeichenListe = std::move(r.Liste);
    LesezeichenUnlesbar = std::move(r.Unlesbar);
    // Damaged items are kept in the stored value, so nothing is lost by showing the rest.
    const auto n = LesezeichenUnlesbar.size();
    if (n == 1)
        ZeigeWarnung(QStringLiteral("Ein gespeichertes Lesezeichen ist beschädigt und wird nicht angezeigt."));
    else if (n > 1)
        ZeigeWarnung(QString::number(n) +
                     QStringLiteral(" gespeicherte Lesezeichen sind beschädigt und werden nicht angezeigt."));
    if (LesezeichenMenue)
        LesezeichenMenue->BaueLesezeichenMenue();
}

} // namespace zl
