#include "learning/network/widgets/zl_netzdialog.h"

#include "learning/mapview/zl_rahmen.h"

namespace zl {

TNetzDialog::TNetzDialog(QWidget* parent) : QDialog(parent)
{
    FaerbeFlaeche(this, DialogFlaechenfarbe);
    MainBackImg = new TImage(this);
    MainBackImg->setObjectName(QStringLiteral("MainBackImg"));
    MainBackImg->lower();
}

void TNetzDialog::showEvent(QShowEvent* event)
{
    ZeichneDialogHintergrund(MainBackImg);
    MainBackImg->lower();
    FaerbeKnoepfe(this);
    QDialog::showEvent(event);
}

void TNetzDialog::resizeEvent(QResizeEvent* event)
{
    ZeichneDialogHintergrund(MainBackImg);
    MainBackImg->lower();
    QDialog::resizeEvent(event);
}

TBitBtn2* NetzKnopf(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new TBitBtn2(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->SetCaption(caption);
    b->setMinimumWidth(110);
    return b;
}

} // namespace zl
