#pragma once

// The dressing shared by every window of the learning program: background
// pictures framed from the pattern pictures, the button colour, and opening
// help and web documents.

#include <QCursor>
#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>

namespace zl {

// A picture control: shows its picture at the top-left corner, unscaled.
class TImage : public QWidget {
public:
    explicit TImage(QWidget* parent = nullptr);
    QImage Picture;
    void SetPicture(const QImage& img);
    // Called on a press of any mouse button.
    std::function<void()> OnClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

// Makes the image fill its parent, sizes its picture to the image and draws the
// frame of the pattern into it: BackTeileImg for the views, BackTeileImg2 for
// dialogs, BackTeileImg3 for the side panels of the learning map.
void ZeichneHintergrund(TImage* Bild);
void ZeichneDialogHintergrund(TImage* Bild);
void ZeichneSeitenHintergrund(TImage* Bild);

// Every TBitBtn2 of the form gets the colour 205, 208, 226 and the default cursor.
void FaerbeKnoepfe(QWidget* Form);

// Opens a file or web address with the program associated with it; when that
// fails shows the error box naming the document. Returns whether it opened.
bool OeffneDokument(const QString& Dokument);
QString DokumentFehlerText(const QString& Dokument);

// The built-in "DRAGBLACK" cursor (a black arrow with a small card), shown
// while names are dragged in assignment questions.
QCursor DragBlackCursor();

// The product's home page (menu item "Zelvaro - &Homepage").
inline const QString kHomepage = QStringLiteral("https://www.zelvaro.de/");

} // namespace zl

namespace zl {
class TBitBtn2;
// Gives a widget a filled background of the colour.
void FaerbeFlaeche(QWidget* W, int Farbe);
// Dresses a framed dialog: the form in the frame colour with its background
// image "MainBackImg", and the inner panel "Panel1" in the dialog surface colour.
void BaueDialogRahmen(QWidget* Form, TImage*& MainBackImg, QWidget*& Panel1);
// A button of the dialogs with its object name and caption.
TBitBtn2* NeuerKnopf(QWidget* Eltern, const char* Name, const QString& Text);
} // namespace zl
