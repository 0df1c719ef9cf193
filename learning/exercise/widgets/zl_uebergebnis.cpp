#include "learning/exercise/widgets/zl_uebergebnis.h"

#include "controls/Dspez.h"
#include "learning/exercise/widgets/zl_uebmodal.h"
#include "learning/exercise/zl_uebprotokoll.h"
#include "learning/mapview/zl_rahmen.h"
#include "learning/tools/widgets/zl_listdruck.h"
#include "platform/MessageService.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>
#include <QScreen>

namespace zl
{
namespace
{

TColor ausRgb(std::uint32_t rgb)
{
    return RGBFarbe(int(rgb >> 16) & 0xFF, int(rgb >> 8) & 0xFF, int(rgb) & 0xFF);
}

QColor farbe(TColor c)
{
    return QColor(RotAnteil(c), GruenAnteil(c), BlauAnteil(c));
}

TBitBtn2* knopf(QWidget* eltern, const char* name, const QString& text, int ergebnis = 0)
{
    auto* b = NeuerKnopf(eltern, name, text);
    if (ergebnis)
        b->SetModalResult(ergebnis);
    return b;
}

// Text at a baseline point, aligned left, right or centred on x.
void text(QPainter& p, int x, int y, const QString& s, Qt::Alignment a)
{
    const int w = p.fontMetrics().horizontalAdvance(s);
    if (a & Qt::AlignRight)
        x -= w;
    else if (a & Qt::AlignHCenter)
        x -= w / 2;
    p.drawText(x, y, s);
}

} // namespace

TUebErgebForm::TUebErgebForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("UebErgebForm"));
    setWindowTitle(QStringLiteral("Übungsergebnis"));
    resize(760, 600);
    setMinimumSize(560, 420);
    BaueDialogRahmen(this, MainBackImg, Panel1);

    Memo1 = new QPlainTextEdit(Panel1);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::Monospace);
    mono.setPointSize(9);
    Memo1->setFont(mono);

    BewertungTitelLab = new QLabel(QStringLiteral("Bewertung:"), Panel1);
    BewertungLab = new QLabel(Panel1);
    BewertungLab->setObjectName(QStringLiteral("BewertungLab"));
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(12);
    f.setBold(true);
    BewertungLab->setFont(f);
    BewertungLab->setWordWrap(true);
    BewertSkalaImg = new TImage(Panel1);
    BewertSkalaImg->setObjectName(QStringLiteral("BewertSkalaImg"));

    NeueUebungBtn = knopf(Panel1, "NeueUebungBtn", QStringLiteral("Zur &Übungsauswahl"), mbOK);
    UebNochmalBtn = knopf(Panel1, "UebNochmalBtn", QStringLiteral("Übung &wiederholen"), mbRetry);
    AbbruchBtn = knopf(Panel1, "AbbruchBtn", QStringLiteral("Zur Lern&karte"), mbCancel);
    CloseBtn = knopf(Panel1, "CloseBtn", QStringLiteral("Schließen"), mbCancel);
    SpeichernBtn = knopf(Panel1, "SpeichernBtn", QStringLiteral("&Speichern..."));
    ZwischenablageBtn = knopf(Panel1, "ZwischenablageBtn", QStringLiteral("&Zwischenablage"));
    DruckenBtn = knopf(Panel1, "DruckenBtn", QStringLiteral("&Drucken..."));
    LesezeichenBtn = knopf(Panel1, "LesezeichenBtn", QStringLiteral("&Lesezeichen setzen..."));
    ExaktCheck1 = new QCheckBox(QStringLiteral("&Exakt gleiche Fragen für Wiederholung und Lesezeichen"), Panel1);
    ExaktCheck1->setObjectName(QStringLiteral("ExaktCheck1"));
    CloseBtn->hide();

    FrageSpeicherDatei = [this](const QString& verz) {
        QFileDialog d(this, QStringLiteral("Protokoll speichern"), verz,
                      QStringLiteral("Textdatei (*.txt);;Alle Dateien (*.*)"));
        d.setAcceptMode(QFileDialog::AcceptSave);
        d.setDefaultSuffix(QStringLiteral("txt"));
        if (UebModal(&d) != QDialog::Accepted || d.selectedFiles().isEmpty())
            return QString();
        return d.selectedFiles().constFirst();
    };
    connect(SpeichernBtn, &QPushButton::clicked, this, [this] { SpeichernClick(); });
    connect(ZwischenablageBtn, &QPushButton::clicked, this, [this] { KopiereProtokoll(); });
    connect(DruckenBtn, &QPushButton::clicked, this, [this] { DruckenClick(); });
    connect(LesezeichenBtn, &QPushButton::clicked, this, [this] {
        if (LesezeichenSetzen)
            LesezeichenSetzen();
    });
}

void TUebErgebForm::resizeEvent(QResizeEvent* event)
{
    const int w = width(), h = height();
    Panel1->setGeometry(8, 8, w - 16, h - 16);
    const int pw = Panel1->width(), ph = Panel1->height();
    const int rechts = 190; // grade column
    Memo1->setGeometry(8, 8, pw - rechts - 24, ph - 110);
    const int x = pw - rechts - 8;
    BewertungTitelLab->setGeometry(x, 8, rechts, 18);
    BewertungLab->setGeometry(x, 28, rechts, 44);
    BewertSkalaImg->setGeometry(x + 30, 80, 130, std::max(100, ph - 200));
    ExaktCheck1->setGeometry(8, ph - 96, pw - 16, 22);
    const int by1 = ph - 70, by2 = ph - 36, bw = (pw - 16 - 3 * 6) / 4;
    TBitBtn2* reihe1[4] = {UebNochmalBtn, NeueUebungBtn, LesezeichenBtn, AbbruchBtn};
    TBitBtn2* reihe2[3] = {SpeichernBtn, ZwischenablageBtn, DruckenBtn};
    for (int i = 0; i < 4; ++i)
        reihe1[i]->setGeometry(8 + i * (bw + 6), by1, bw, 28);
    for (int i = 0; i < 3; ++i)
        reihe2[i]->setGeometry(8 + i * (bw + 6), by2, bw, 28);
    CloseBtn->setGeometry(AbbruchBtn->geometry()); // at the height of "Zur Lernkarte"
    ZeichneNotenskala(quote_);
    QDialog::resizeEvent(event);
}

void TUebErgebForm::SetzeErgebnis(const QString& Protokoll, double Quote, const QString& Bewertung, std::uint32_t Farbe)
{
    // The memo holds lines; the protocol's CR LF become its line breaks.
    QString t = Protokoll;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (t.endsWith(u'\n'))
        t.chop(1);
    Memo1->setPlainText(t);
    BewertungLab->setText(Bewertung);
    QPalette pal = BewertungLab->palette();
    pal.setColor(QPalette::WindowText, farbe(TColor(MischeFarben(ausRgb(Farbe), 0, 0.35))));
    BewertungLab->setPalette(pal);
    quote_ = Quote;
    ZeichneNotenskala(Quote);
}

void TUebErgebForm::ZeichneNotenskala(double Quote)
{
    const int W = std::max(1, BewertSkalaImg->width()), H = std::max(30, BewertSkalaImg->height());
    QImage bild(W, H, QImage::Format_RGB32);
    QPainter p(&bild);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(0, 0, W - 1, H - 1);
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(7);
    for (int n = 1; n <= kNoten; ++n) {
        const int y1 = NotenskalaY(Notengrenze(n - 1), H);
        const int y2 = NotenskalaY(Notengrenze(n), H);
        p.setPen(Qt::NoPen);
        p.setBrush(farbe(ausRgb(Notenfarbe(n))));
        p.drawRect(45, y1, 61 - 45, y2 + 1 - y1);
        p.setPen(Qt::black);
        f.setBold(false);
        p.setFont(f);
        text(p, 41, y1 + 3, QString::number(Notengrenze(n - 1)) + u'%', Qt::AlignRight);
        f.setBold(true);
        p.setFont(f);
        text(p, 53, int(std::nearbyint((y1 + y2) / 2.0)) + 3, QString::number(n), Qt::AlignHCenter);
    }
    f.setBold(false);
    p.setFont(f);
    text(p, 41, NotenskalaY(0, H) + 3, QStringLiteral("0%"), Qt::AlignRight);
    const int y = NotenskalaY(Quote, H);
    p.setPen(Qt::black);
    p.setBrush(QColor(0, 255, 255));
    p.drawRect(44, y - 2, 62 - 44 - 1, 4);
    f.setBold(true);
    f.setPointSize(8);
    p.setFont(f);
    text(p, 66, y + 3, QuoteText(Quote) + u'%', Qt::AlignLeft);
    p.end();
    BewertSkalaImg->SetPicture(bild);
}

void TUebErgebForm::SetzeErgebnisKnoepfe(bool Sichtbar)
{
    for (QWidget* w :
         {static_cast<QWidget*>(UebNochmalBtn), static_cast<QWidget*>(NeueUebungBtn),
          static_cast<QWidget*>(LesezeichenBtn), static_cast<QWidget*>(AbbruchBtn), static_cast<QWidget*>(ExaktCheck1)})
        w->setVisible(Sichtbar);
    CloseBtn->setVisible(!Sichtbar);
}

bool TUebErgebForm::SpeichereProtokoll(const QString& Datei)
{
    QString t = Memo1->toPlainText();
    t.replace(u'\n', QStringLiteral("\r\n"));
    t += QStringLiteral("\r\n");
    QSaveFile f(Datei);
    const QByteArray bytes = ProtokollBytes(t);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        ZeigeFehler(QStringLiteral("Das Protokoll konnte nicht in der Datei ") + Datei +
                    QStringLiteral(" gespeichert werden.\n\n") + f.errorString());
        return false;
    }
    return true;
}

void TUebErgebForm::SpeichernClick()
{
    const QString datei = FrageSpeicherDatei ? FrageSpeicherDatei(SaveProtokollVerz) : QString();
    if (datei.isEmpty())
        return;
    if (SpeichereProtokoll(datei))
        SaveProtokollVerz = QFileInfo(datei).absolutePath() + u'/';
}

void TUebErgebForm::KopiereProtokoll()
{
    QGuiApplication::clipboard()->setText(Memo1->toPlainText());
}

void TUebErgebForm::DruckenClick()
{
    // The memo's lines go to the list print dialog.
    if (!ListDruckForm)
        return;
    const QStringList Zeilen = Memo1->toPlainText().split(u'\n');
    ListDruckForm->Druckzeilen = &Zeilen;
    ListDruckForm->ZeigeModal();
    ListDruckForm->Druckzeilen = nullptr;
}

void TUebErgebForm::showEvent(QShowEvent* event)
{
    // Centred, but never less than 100 pixels from the top.
    if (const QScreen* s = screen()) {
        const QRect r = s->availableGeometry();
        move(r.x() + (r.width() - width()) / 2, std::max(r.y() + 100, r.y() + (r.height() - height()) / 2));
    }
    ZeichneDialogHintergrund(MainBackImg);
    MainBackImg->lower();
    FaerbeKnoepfe(this);
    if (UebNochmalBtn->isVisibleTo(this))
        UebNochmalBtn->setFocus();
    else if (CloseBtn->isVisibleTo(this))
        CloseBtn->setFocus();
    QDialog::showEvent(event);
}

} // namespace zl
