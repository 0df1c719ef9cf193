#include "controls/BrowseForFolder.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>

#include <gtest/gtest.h>

namespace zl {
namespace {

TEST(BrowseForFolderRegeln, SpecialFoldersAndPaths)
{
    EXPECT_EQ(CsidlNummer(bfDesktop), 0);
    EXPECT_EQ(CsidlNummer(bfMyComputer), 17);
    EXPECT_EQ(CsidlNummer(bfPrintHood), 27);
    EXPECT_EQ(CsidlNummer(bfCustomPath), -1);
    const ShellItem desktop = SpezialOrdner(bfDesktop);
    EXPECT_TRUE(desktop.gueltig);
    EXPECT_TRUE(desktop.pfad.isEmpty());
    EXPECT_FALSE(desktop.istOrdner());
    EXPECT_FALSE(PfadItem(QString()).gueltig);
    EXPECT_FALSE(PfadItem(QStringLiteral("/gibt/es/nicht")).gueltig);
    EXPECT_FALSE(PfadItem(QStringLiteral("::\\\\?*")).gueltig);
    EXPECT_FALSE(PfadItem(QString(QChar(0)) + QStringLiteral("x")).gueltig);
    QTemporaryDir dir;
    EXPECT_EQ(PfadItem(dir.path() + QStringLiteral("/./")).pfad, QDir::cleanPath(dir.path()));
}

TEST(BrowseForFolderRegeln, RelativePathsAndEditText)
{
    EXPECT_EQ(RelativerPfad(QStringLiteral("/a/b/c"), QString()), QStringLiteral("/a/b/c"));
    EXPECT_EQ(RelativerPfad(QStringLiteral("/a/b/c"), QStringLiteral("/a")), QStringLiteral("b/c"));
    EXPECT_EQ(RelativerPfad(QStringLiteral("/a"), QStringLiteral("/a/")), QString());
    EXPECT_EQ(RelativerPfad(QStringLiteral("/ab"), QStringLiteral("/a")), QStringLiteral("/ab"));
    EXPECT_EQ(EditVorgabe(QStringLiteral("/a/b/"), QStringLiteral("/a"), QStringLiteral("*.txt")),
              QStringLiteral("b*.txt"));
    EXPECT_EQ(EditVorgabe(QStringLiteral("/a"), QStringLiteral("/a"), QStringLiteral("x")), QStringLiteral("x"));
}

TEST(BrowseForFolderRegeln, TypedPathIsCutToAnExistingEntry)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Klasse/Netz")));
    const QString root = QDir::cleanPath(dir.path());
    EXPECT_EQ(SucheEingabePfad(root, QStringLiteral("Klasse/Netz")), root + QStringLiteral("/Klasse/Netz"));
    EXPECT_EQ(SucheEingabePfad(root, QStringLiteral("Klasse\\fehlt\\auch")), root + QStringLiteral("/Klasse"));
    EXPECT_EQ(SucheEingabePfad(root, QStringLiteral("nichts")), root);
    EXPECT_EQ(SucheEingabePfad(QString(), QStringLiteral("keinpfad")), QString());
    EXPECT_EQ(SucheEingabePfad(QString(), root + QStringLiteral("/Klasse/x:y")), root + QStringLiteral("/Klasse"));
}

TEST(BrowseForFolderRegeln, PathEllipsisKeepsTheLastPart)
{
    auto laenge = [](const QString& s) { return int(s.size()); };
    const QString pfad = QStringLiteral("/home/schule/klasse7b/erdkunde/netz");
    EXPECT_EQ(PfadEllipse(pfad, 100, laenge), pfad);
    const QString kurz = PfadEllipse(pfad, 20, laenge);
    EXPECT_LE(kurz.size(), 20);
    EXPECT_TRUE(kurz.endsWith(QStringLiteral(".../netz"))) << kurz.toStdString();
    EXPECT_TRUE(kurz.startsWith(QStringLiteral("/home"))) << kurz.toStdString();
    EXPECT_EQ(PfadEllipse(pfad, 5, laenge), QStringLiteral(".../n"));
    EXPECT_EQ(PfadEllipse(pfad, 1, laenge), QStringLiteral("..."));
}

// Drives the dialog in place of the user; the dialog never waits for input.
struct Ordner : ::testing::Test {
    QTemporaryDir dir;
    QString root;
    TBrowseForFolderDialog d;
    Ordner()
    {
        QDir(dir.path()).mkpath(QStringLiteral("Klasse/Netz"));
        QDir(dir.path()).mkpath(QStringLiteral("Andere"));
        QFile f(dir.path() + QStringLiteral("/datei.txt"));
        f.open(QIODevice::WriteOnly);
        root = QDir::cleanPath(dir.path());
        d.SetTitle(QStringLiteral("Kommunikationsverzeichnis auswählen"));
        d.SetStartupFolder(bfDesktop);
    }
    ~Ordner() override { TBrowseForFolderDialog::SetzeAblauf({}); }
    static QTreeView* Baum(QDialog& dlg) { return dlg.findChild<QTreeView*>(QStringLiteral("Baum")); }
    static QPushButton* Ok(QDialog& dlg) { return dlg.findChild<QPushButton*>(QStringLiteral("OK")); }
    static QString Auswahl(QDialog& dlg)
    {
        auto* baum = Baum(dlg);
        auto* modell = static_cast<QFileSystemModel*>(baum->model());
        return baum->currentIndex().isValid() ? modell->filePath(baum->currentIndex()) : QString();
    }
};

TEST_F(Ordner, OpensOnTheSelectedPathAndOkReturnsIt)
{
    const QString ziel = root + QStringLiteral("/Klasse");
    d.SetSelectedPath(ziel);
    QString geoeffnet, status, titel;
    bool okAn = false;
    int initialisiert = 0, vorher = 0, nachher = 0;
    QObject::connect(&d, &TBrowseForFolderDialog::OnInitialized, [&] { ++initialisiert; });
    QObject::connect(&d, &TBrowseForFolderDialog::OnExecuting, [&] { ++vorher; });
    QObject::connect(&d, &TBrowseForFolderDialog::OnExecuted, [&] {
        ++nachher;
        EXPECT_FALSE(d.IsOpen());
    });
    TBrowseForFolderDialog::SetzeAblauf([&](QDialog& dlg) {
        geoeffnet = Auswahl(dlg);
        status = d.StatusText();
        okAn = Ok(dlg)->isEnabled();
        titel = dlg.findChild<QWidget*>(QStringLiteral("Titel"))->property("text").toString();
        d.SetSelectedPath(root + QStringLiteral("/Klasse/Netz"));
        Ok(dlg)->click();
        return dlg.result();
    });
    EXPECT_TRUE(d.Execute());
    EXPECT_EQ(geoeffnet, ziel);
    EXPECT_EQ(status, ziel); // the full path with the desktop as root
    EXPECT_TRUE(okAn);
    EXPECT_EQ(titel, QStringLiteral("Kommunikationsverzeichnis auswählen"));
    EXPECT_EQ(initialisiert, 1);
    EXPECT_EQ(vorher, 1);
    EXPECT_EQ(nachher, 1);
    EXPECT_EQ(d.SelectedPath(), root + QStringLiteral("/Klasse/Netz"));
    EXPECT_EQ(d.SelDisplayName(), QStringLiteral("Netz"));
    EXPECT_FALSE(d.IsOpen());
}

TEST_F(Ordner, CancelLeavesSelectedPathAsItWas)
{
    const QString vorher = root + QStringLiteral("/Andere");
    d.SetSelectedPath(vorher);
    TBrowseForFolderDialog::SetzeAblauf([&](QDialog& dlg) {
        d.SetSelectedPath(root + QStringLiteral("/Klasse"));
        EXPECT_EQ(d.SelectedPath(), root + QStringLiteral("/Klasse"));
        dlg.reject();
        return dlg.result();
    });
    EXPECT_FALSE(d.Execute());
    EXPECT_EQ(d.SelectedPath(), vorher);
}

TEST_F(Ordner, NoFolderMeansOkStaysDisabled)
{
    for (const QString& start : {QString(), QStringLiteral("/gibt/es/nicht"), QStringLiteral("\\\\::?")}) {
        d.SetSelectedPath(start);
        bool okAn = true;
        QString auswahl = QStringLiteral("x");
        TBrowseForFolderDialog::SetzeAblauf([&](QDialog& dlg) {
            okAn = Ok(dlg)->isEnabled();
            auswahl = Auswahl(dlg);
            Ok(dlg)->click(); // disabled: does nothing
            return dlg.result();
        });
        EXPECT_FALSE(d.Execute()) << start.toStdString();
        EXPECT_FALSE(okAn);
        EXPECT_TRUE(auswahl.isEmpty());
    }
}

TEST_F(Ordner, FilesAreRefusedWithReturnOnlyFSDirs)
{
    d.SetOptions(d.Options() | bfOpt(bfoBrowseIncludeFiles));
    d.SetSelectedPath(root + QStringLiteral("/datei.txt"));
    bool okAn = true;
    QString auswahl;
    TBrowseForFolderDialog::SetzeAblauf([&](QDialog& dlg) {
        auswahl = Auswahl(dlg);
        okAn = Ok(dlg)->isEnabled();
        dlg.accept();
        return dlg.result();
    });
    EXPECT_FALSE(d.Execute());
    EXPECT_EQ(auswahl, root + QStringLiteral("/datei.txt"));
    EXPECT_FALSE(okAn);
}

TEST_F(Ordner, EditBoxSelectsWhatIsTyped)
{
    d.SetRootPath(root);
    EXPECT_EQ(d.RootFolder(), bfCustomPath);
    EXPECT_EQ(d.RootPath(), root);
    d.SetOptions(d.Options() | bfOpt(bfoEdit));
    d.SetEditAttachment(QStringLiteral("/"));
    int aenderungen = 0;
    QObject::connect(&d, &TBrowseForFolderDialog::OnEditChange, [&] { ++aenderungen; });
    QString vorgabe;
    TBrowseForFolderDialog::SetzeAblauf([&](QDialog& dlg) {
        auto* edit = dlg.findChild<QLineEdit*>(QStringLiteral("Eingabe"));
        d.SetSelectedPath(root + QStringLiteral("/Andere"));
        vorgabe = edit->text();
        edit->setFocus();
        edit->setText(QStringLiteral("Klasse/Netz/neu"));
        Ok(dlg)->click();
        return dlg.result();
    });
    EXPECT_TRUE(d.Execute());
    EXPECT_EQ(vorgabe, QStringLiteral("Andere/"));
    EXPECT_EQ(d.SelectedPath(), root + QStringLiteral("/Klasse/Netz"));
    EXPECT_GE(aenderungen, 1);
}

TEST_F(Ordner, CustomButtonAndOwnStatusDrawing)
{
    d.SetCustomButtonType(bfbCheckBox);
    d.SetCustomButtonCaption(QStringLiteral("Unterordner"));
    int klicks = 0, gemalt = 0;
    QObject::connect(&d, &TBrowseForFolderDialog::OnCustomButtonClick, [&] { ++klicks; });
    d.OnDrawStatusText = [&](TBrowseForFolderDialog* sender, QPainter&, const QRect&) {
        EXPECT_EQ(sender, &d);
        ++gemalt;
    };
    d.SetSelectedPath(root);
    TBrowseForFolderDialog::SetzeAblauf([&](QDialog& dlg) {
        auto* knopf = dlg.findChild<QAbstractButton*>(QStringLiteral("Zusatzknopf"));
        knopf->click();
        dlg.findChild<QWidget*>(QStringLiteral("Status"))->grab();
        dlg.reject();
        return dlg.result();
    });
    EXPECT_FALSE(d.Execute());
    EXPECT_EQ(klicks, 1);
    EXPECT_GE(gemalt, 1);
    EXPECT_TRUE(d.CustomButtonChecked());
}

} // namespace
} // namespace zl
