#pragma once

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>

class QPainter;
class QRect;

namespace zl {

enum TbfSpecialFolder {
    bfDesktop, bfPrograms, bfControls, bfPrinters, bfPersonal, bfFavorites, bfStartUp,
    bfRecentFiles, bfSendTo, bfRecycleBin, bfStartMenu, bfDesktopDirectory, bfMyComputer,
    bfNetwork, bfNethoodDirectory, bfFonts, bfShellNew, bfCommonStartmenu, bfCommonPrograms,
    bfCommonStartup, bfCommonDesktopDirectory, bfAppData, bfPrintHood, bfCustomPath
};

enum TbfOption {
    bfoBrowseForComputer, bfoBrowseForPrinter, bfoDontGoBelowDomain, bfoReturnFSAncestors,
    bfoReturnOnlyFSDirs, bfoStatusText, bfoBrowseIncludeFiles, bfoEdit, bfoStatusTextDefault,
    bfoEditDefault, bfoStatusTextOwnerDraw
};
// A set of TbfOption: bit n stands for the option with the value n.
using TbfOptions = std::uint32_t;
constexpr TbfOptions bfOpt(TbfOption o) { return TbfOptions(1u) << unsigned(o); }
constexpr TbfOptions bfoDefault = bfOpt(bfoReturnOnlyFSDirs) | bfOpt(bfoStatusText)
                                | bfOpt(bfoStatusTextDefault) | bfOpt(bfoEditDefault)
                                | bfOpt(bfoStatusTextOwnerDraw);

enum TbfCustomButton { bfbNone, bfbButton, bfbCheckBox };

// ---- headless rules -----------------------------------------------------------

// The shell folder number (CSIDL) a special folder stands for; -1 for bfCustomPath.
int CsidlNummer(TbfSpecialFolder folder);

// A folder of the tree: `gueltig` false when it could not be resolved; a valid
// item with an empty path is the desktop or another folder outside the file
// system (My Computer, printers, ...).
struct ShellItem {
    bool gueltig = false;
    QString pfad;
    bool istOrdner() const; // a real folder of the file system
};

// The item of a special folder: desktop, documents, application data, fonts and
// the like map to their folders here; the rest are outside the file system.
ShellItem SpezialOrdner(TbfSpecialFolder folder);
// The item of a typed path: an existing file or folder (made absolute, clean);
// an empty, unparsable or missing path gives an invalid item.
ShellItem PfadItem(const QString& pfad);

// `pfad` relative to `wurzel` (the whole path when the root is empty or not above it).
QString RelativerPfad(const QString& pfad, const QString& wurzel);
// The edit box's default text for a selected folder: the relative path without a
// trailing separator followed by the attachment; only the attachment for the root.
QString EditVorgabe(const QString& pfad, const QString& wurzel, const QString& anhang);
// The typed text's folder: root + separator + text, cut at its last "\", "/" or ":"
// until an entry of that name exists; empty when nothing is left.
QString SucheEingabePfad(const QString& wurzel, const QString& eingabe);
// A path shortened to `breite` pixels by replacing a middle part with "...": the
// last component is kept as long as possible.
QString PfadEllipse(const QString& pfad, int breite, const std::function<int(const QString&)>& messen);

// ---- the dialog ----------------------------------------------------------------------

// The folder-selection dialog: a tree of folders under a root, a status line with
// the selected path, optionally an edit box and an extra button. Execute is modal.
class TBrowseForFolderDialog : public QObject {
    Q_OBJECT

public:
    explicit TBrowseForFolderDialog(QObject* owner = nullptr);
    ~TBrowseForFolderDialog() override;

    QString About() const;
    void SetAbout(const QString&) {}

    TbfSpecialFolder RootFolder() const { return m_rootFolder; }
    void SetRootFolder(TbfSpecialFolder folder);
    QString RootPath() const;
    void SetRootPath(const QString& path);
    TbfSpecialFolder StartupFolder() const { return m_startupFolder; }
    void SetStartupFolder(TbfSpecialFolder folder);
    QString StartupPath() const;
    void SetStartupPath(const QString& path);

    // The chosen folder. Writing it before Execute makes the dialog open on it;
    // while open it selects it in the tree. Cancelling restores it.
    QString SelectedPath() const;
    void SetSelectedPath(const QString& path);
    QString SelDisplayName() const { return m_selDisplayName; }
    // No system image list exists here: always 0.
    int SeliImage() const { return m_seliImage; }

    QString Title() const { return m_title; }
    void SetTitle(const QString& title) { m_title = title; }
    TbfOptions Options() const { return m_options; }
    void SetOptions(TbfOptions options) { m_options = options; }
    bool HatOption(TbfOption o) const { return (m_options & bfOpt(o)) != 0; }

    QString EditAttachment() const { return m_editAttachment; }
    void SetEditAttachment(const QString& s) { m_editAttachment = s; }
    QString EditText() const;
    void SetEditText(const QString& text);
    QString StatusText() const { return m_statusText; }
    void SetStatusText(const QString& text);

    TbfCustomButton CustomButtonType() const { return m_customButtonType; }
    void SetCustomButtonType(TbfCustomButton t) { m_customButtonType = t; }
    QString CustomButtonCaption() const { return m_customButtonCaption; }
    void SetCustomButtonCaption(const QString& s);
    bool CustomButtonEnabled() const { return m_customButtonEnabled; }
    void SetCustomButtonEnabled(bool b);
    bool CustomButtonVisible() const { return m_customButtonVisible; }
    void SetCustomButtonVisible(bool b);
    bool CustomButtonChecked() const;
    void SetCustomButtonChecked(bool b);
    bool TreeViewHideSelection() const { return m_hideSelection; }
    void SetTreeViewHideSelection(bool b) { m_hideSelection = b; }

    // Draws the status line in place of the default (button face, text with a path ellipsis).
    std::function<void(TBrowseForFolderDialog* sender, QPainter& painter, const QRect& rect)> OnDrawStatusText;

    // Shows the dialog; true when a folder was chosen.
    bool Execute();
    bool IsOpen() const { return m_dialog != nullptr; }
    // The open dialog (its widgets: "Titel", "Status", "Eingabe", "Baum", "Zusatzknopf",
    // "OK", "Abbrechen"), or nullptr.
    QDialog* Dialog() const { return m_dialog; }

    // Replaces QDialog::exec for tests: called with the set-up dialog, returns its result.
    static void SetzeAblauf(std::function<int(QDialog&)> ablauf);

signals:
    void OnExecuting();
    void OnInitialized();
    void OnSelChanged();
    void OnEditChange();
    void OnCustomButtonClick();
    void OnExecuted();

private:
    struct Offen;
    void auswahlGeaendert(const QString& pfad);
    void eingabeGeaendert(const QString& text);
    void waehleImBaum(const QString& pfad);
    void zeichneStatus(QPainter& p, const QRect& r);
    void pruefeOk();

    TbfSpecialFolder m_rootFolder = bfDesktop;
    QString m_rootPath;
    ShellItem m_rootItem;
    TbfSpecialFolder m_startupFolder = bfMyComputer;
    QString m_startupPath;
    ShellItem m_startupItem;
    ShellItem m_selItem;
    QString m_selectedPath;
    QString m_selDisplayName;
    int m_seliImage = 0;
    QString m_title;
    TbfOptions m_options = bfoDefault;
    QString m_editAttachment;
    QString m_editText;
    QString m_statusText;
    TbfCustomButton m_customButtonType = bfbNone;
    QString m_customButtonCaption;
    bool m_customButtonEnabled = true;
    bool m_customButtonVisible = true;
    bool m_customButtonChecked = false;
    bool m_hideSelection = true;
    bool m_editByCode = false;

    QPointer<QDialog> m_dialog;
    Offen* m_offen = nullptr;

    friend class StatusZeile;
};

} // namespace zl
