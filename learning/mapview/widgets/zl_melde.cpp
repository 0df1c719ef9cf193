#include "learning/mapview/widgets/zl_melde.h"

#include "learning/mapview/zl_rahmen.h"

#include <QApplication>
#include <QScreen>

namespace zl {

TMeldForm::TMeldForm(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("MeldForm"));
    setWindowTitle(QStringLiteral("Information"));
    setFixedSize(313, 97);
    FaerbeFlaeche(this, Rahmenfarbe);
    MainBackImg = new TImage(this);
    MainBackImg->setObjectName(QStringLiteral("MainBackImg"));
    InfoLab = new TShadowLabel(this);
    InfoLab->setObjectName(QStringLiteral("InfoLab"));
    InfoLab->SetShadow(0);
    InfoLab->SetTransparent(true);
    InfoLab->SetAlignment(taCenter);
    InfoLab->SetLayout(tlCenter);
    InfoLab->SetWordWrap(true);
    InfoLab->setGeometry(12, 10, 289, 77);
    if (const QScreen* s = QGuiApplication::primaryScreen())
        move(s->geometry().center() - rect().center());
}

void TMeldForm::showEvent(QShowEvent* event)
{
    ZeichneDialogHintergrund(MainBackImg);
    MainBackImg->lower();
    QDialog::showEvent(event);
}

void ZeigeMeldung(const QString& Text)
{
    if (!MeldForm)
        return;
    MeldForm->InfoLab->SetCaption(Text);
    MeldForm->show();
    MeldForm->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace zl
