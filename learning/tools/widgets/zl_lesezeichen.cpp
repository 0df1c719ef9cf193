#include "learning/tools/widgets/zl_lesezeichen.h"

#include "controls/Buttons2.h"
#include "learning/mapview/widgets/zl_gestaltung.h"
#include "learning/mapview/zl_rahmen.h"
#include "platform/MessageService.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace zl
{
namespace
{

TBitBtn2* knopf(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = NeuerKnopf(parent, name, caption);
    // Enter belongs to the edit field (it assigns), never to a button.
    b->setAutoDefault(false);
    return b;
}

} // namespace

TLesezeichenForm::TLesezeichenForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("LesezeichenForm"));
    setWindowTitle(QStringLiteral("Lesezeichen bearbeiten"));
    resize(560, 380);
    setMinimumSize(380, 260);
    BaueDialogRahmen(this, MainBackImg, Panel1);

    List1 = new QListWidget(Panel1);
    List1->setObjectName(QStringLiteral("List1"));
    Label1 = new QLabel(QStringLiteral("Lese&zeichen:"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setBuddy(List1);
    Edit1 = new QLineEdit(Panel1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->installEventFilter(this);
    ZuweisBtn = knopf(Panel1, "ZuweisBtn", QStringLiteral("Zu&weisen"));
    DelBtn = knopf(Panel1, "DelBtn", QStringLiteral("&Löschen"));
    SchliessenBtn = knopf(Panel1, "SchliessenBtn", QStringLiteral("Schließen"));
    SchliessenBtn->SetCancel(true);

    connect(List1, &QListWidget::itemClicked, this, [this] { List1Click(); });
    connect(List1, &QListWidget::currentRowChanged, this, [this] { List1Click(); });
    // A pasted text loses its "|", CR and LF as typed ones do.
    connect(Edit1, &QLineEdit::textEdited, this, [this](const QString& t) {
        const QString rein = BereinigeTitel(t);
        if (rein != t) {
            const int pos = Edit1->cursorPosition() - int(t.size() - rein.size());
            Edit1->setText(rein);
            Edit1->setCursorPosition(std::max(0, pos));
        }
    });
    connect(ZuweisBtn, &QPushButton::clicked, this, [this] { ZuweisBtnClick(); });
    connect(DelBtn, &QPushButton::clicked, this, [this] { DelBtnClick(); });
    connect(SchliessenBtn, &QPushButton::clicked, this, [this] { done(mbCancel); });
}

void TLesezeichenForm::Fuelle(QList<LesezeichenDataTyp>* Tabelle, bool GeradeDefiniert)
{
    tabelle_ = Tabelle;
    geradeDefiniert_ = GeradeDefiniert;
    Geaendert = false;
    List1->clear();
    if (tabelle_)
        for (const LesezeichenDataTyp& L : *tabelle_)
            List1->addItem(L.Titel);
    Edit1->clear();
    Waehle(List1->count() - 1);
}

void TLesezeichenForm::Waehle(int i)
{
    List1->setCurrentRow(i);
    List1Click();
}

void TLesezeichenForm::List1Click()
{
    if (QListWidgetItem* it = List1->currentItem(); it && List1->currentRow() >= 0)
        Edit1->setText(it->text());
}

void TLesezeichenForm::ZuweisBtnClick()
{
    const int i = List1->currentRow();
    if (!tabelle_ || i < 0 || i >= tabelle_->size()) {
        ZeigeInfo(QStringLiteral("Markiere zunächst in der Liste das Lesezeichen, das geändert werden soll."));
        return;
    }
    const QString titel = BereinigeTitel(Edit1->text());
    BenenneLesezeichen(*tabelle_, i, titel);
    List1->item(i)->setText(titel);
    Geaendert = true;
    ZuweisBtn->setFocus();
}

void TLesezeichenForm::DelBtnClick()
{
    const int i = List1->currentRow();
    if (!tabelle_ || i < 0 || i >= tabelle_->size()) {
        ZeigeInfo(QStringLiteral("Markiere zunächst in der Liste das Lesezeichen, das gelöscht werden soll."));
        return;
    }
    const int neu = LoescheLesezeichen(*tabelle_, i);
    delete List1->takeItem(i);
    Geaendert = true;
    Edit1->clear();
    Waehle(neu);
}

void TLesezeichenForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ZeichneDialogHintergrund(MainBackImg);
    MainBackImg->lower();
    FaerbeKnoepfe(this);
    if (geradeDefiniert_) {
        Edit1->setFocus();
        Edit1->selectAll();
    } else {
        SchliessenBtn->setFocus();
    }
}

void TLesezeichenForm::resizeEvent(QResizeEvent* event)
{
    const int w = width(), h = height();
    const int rand = 10;
    Panel1->setGeometry(rand, rand, w - 2 * rand, h - 2 * rand);
    const int pw = Panel1->width(), ph = Panel1->height();
    const int knopfB = 110, knopfH = 28;
    const int links = 12, rechts = pw - 12 - knopfB;
    Label1->setGeometry(links, 8, 200, 18);
    List1->setGeometry(links, 28, rechts - links - 12, ph - 28 - 48);
    Edit1->setGeometry(links, ph - 36, rechts - links - 12, 24);
    ZuweisBtn->setGeometry(rechts, ph - 37, knopfB, knopfH);
    DelBtn->setGeometry(rechts, 28, knopfB, knopfH);
    SchliessenBtn->setGeometry(rechts, 28 + knopfH + 8, knopfB, knopfH);
    if (isVisible())
        ZeichneDialogHintergrund(MainBackImg);
    QDialog::resizeEvent(event);
}

bool TLesezeichenForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            ZuweisBtnClick();
            return true;
        }
        if (k->text() == u"|")
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zl
