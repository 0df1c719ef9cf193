// Foliavo's pictures: the map choice, the worksheet page, the label view, and a printed
// worksheet with its solution sheet.

#include "tools/hilfebilder/Bilder.h"

#include "datastore/zl_data.h"
#include "platform/SettingsStore.h"
#include "worksheet/ab_seite.h"
#include "worksheet/widgets/ab_main.h"
#include "worksheet/widgets/ab_start.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>

namespace zl::hilfebilder
{
namespace
{

void Warte()
{
    QApplication::processEvents();
}

// The printed page, as wide as a picture in the text.
constexpr int kSeitenBreite = 560;

class Foliavo
{
  public:
    explicit Foliavo(const Auftrag& A) : A_(A)
    {
        ab::FoliavoStartOptionen o;
        o.ProgrammVerz = A.FoliavoVerz;
        o.Store = &store_;
        o.Titelfenster = false;
        o.Bildschirmpruefung = false;
        f_ = std::make_unique<ab::TFoliavo>(o);
    }

    QStringList Mache()
    {
        if (!f_->Starte())
            return {};
        f_->ZeigeHauptfenster();
        F = f_->Hauptfenster();
        F->showNormal();
        F->resize(kFensterBreite, kFensterHoehe);
        F->AutoEditBox->setChecked(false);
        Warte();
        F->ZeigeKartenauswahl();
        Warte();
        Bild(F, "kartenwahl.jpg");

        int deu = -1;
        for (int i = 0; i < KartAuswDaten.size() && deu < 0; ++i)
            if (KartAuswDaten[i].KartID == QLatin1String("DEU"))
                deu = i;
        if (deu < 0)
            return Geschrieben_;
        F->KartenFeldKlick(deu);
        Warte();
        F->ABThemaCombo->setCurrentIndex(1); // "Städte": a new worksheet at random
        Warte();
        Bild(F, "arbeitsblatt.jpg");
        Seite("blatt.jpg");
        F->ABKomplettBox->setChecked(true);
        F->ABLsgBox->setChecked(true);
        Warte();
        Seite("loesung.jpg");
        F->ABLsgBox->setChecked(false);
        Warte();

        F->Lernkarte1Click();
        Warte();
        Bild(F, "abfrageobjekte.jpg");
        return Geschrieben_;
    }

  private:
    QString Datei(const char* Name) const { return QDir(A_.FoliavoZiel).filePath(QString::fromLatin1(Name)); }

    void Bild(QWidget* W, const char* Name)
    {
        if (Speichere(W, Datei(Name)))
            Geschrieben_ << Datei(Name);
    }

    // The page as the export draws it, scaled to the width of a picture in the text.
    void Seite(const char* Name)
    {
        if (!F->Seitenmetafile)
            return;
        const QImage Seite = ab::Exportbild(*F->Seitenmetafile).scaledToWidth(kSeitenBreite, Qt::SmoothTransformation);
        if (Speichere(Seite, Datei(Name)))
            Geschrieben_ << Datei(Name);
    }

    const Auftrag& A_;
    MemorySettingsStore store_;
    std::unique_ptr<ab::TFoliavo> f_;
    ab::TForm1* F = nullptr;
    QStringList Geschrieben_;
};

} // namespace

QStringList FoliavoBilder(const Auftrag& A)
{
    Foliavo f(A);
    return f.Mache();
}

} // namespace zl::hilfebilder
