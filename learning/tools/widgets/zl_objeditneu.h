#pragma once

// The map-label editor window of both programs: a tool window that stays on top
// beside the main window and shows the fields of one label. The rules are
// TObjEditor's; the program is reached through its TObjEditHost.
//
// A program connects it once with Einrichten(its TObjEditKonfig, its host, its main
// window), then: shows it (the show handler selects the list's label); calls
// ZeigeObjekt(i) whenever it selects label i while the window is visible; passes
// Alt+arrows to Editor().SchritteAusrichtung and the pointer-arrow drag to
// Editor().SetzePosition / UebernimmObjekt; uses WaehleOeffnen and Editor().Oeffnen
// for its own "open label file" item. See learning/mainwindow/widgets/zl_main_objedit.cpp.

#include "learning/tools/zl_objedit.h"

#include <QColor>
#include <QDialog>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;

namespace zl
{

class TBitBtn2;
class TNumEditZ;

// One request for a file name: the open dialog or the save dialog.
struct TDateiAuswahl {
    bool Speichern = false; // save dialog (asks before overwriting)
    QString Titel;
    QString Filter; // "Name|Muster|Name|Muster"
    QString Verzeichnis;
    QString Name; // proposed file name
    QString Erweiterung;
};

// "Name|Muster|..." as the filters of a file dialog.
QStringList DateiFilterListe(const QString& Filter);

class TObjEditneuForm : public QDialog
{
    Q_OBJECT

  public:
    // Created once at start-up; Einrichten connects it to its program.
    explicit TObjEditneuForm(QWidget* parent = nullptr);
    ~TObjEditneuForm() override;

    // Connects the window to its program (the host must outlive the window) and
    // makes it a tool window of Besitzer. Returns the editor. Once only; later
    // calls return the editor made first.
    TObjEditor& Einrichten(const TObjEditKonfig& Konfig, TObjEditHost& Host, QWidget* Besitzer = nullptr);
    bool Eingerichtet() const { return m_editor != nullptr; }
    // Only after Einrichten.
    TObjEditor& Editor() const { return *m_editor; }

    // Frame and inner panel colours.
    void SetzeFarben(const QColor& Rahmen, const QColor& Flaeche);
    // Start folders of the open and save dialogs (the data folder).
    QString OeffnenVerz, SpeichernVerz;
    // Asks for a file name; empty for Cancel. The default shows the file dialogs;
    // tests put their own answer here.
    std::function<QString(const TDateiAuswahl&)> Dateiwahl;

    // The open dialog "Kartenbeschriftungen öffnen" (also for the main window's menu item).
    QString WaehleOeffnen();

    // Shows label i (the main window's selection while the editor is visible).
    void ZeigeObjekt(int i);
    // The handlers of the buttons and the file menu.
    void UebernehmBtnClick();
    void NeuBtnClick();
    void CopyBtnClick();
    void EntfBtnClick();
    void SaveBtnClick();
    void CloseBtnClick();
    void DateiBtnClick();
    void Neuanlegen1Click();
    void Oeffnen1Click();
    void Speichernunter1Click();

    // Controls (object names as the fields).
    TNumEditZ* IDEdit;
    QComboBox* KarteCombo;
    QComboBox* TypCombo;
    TNumEditZ* PosXEdit;
    TNumEditZ* PosYEdit;
    QLineEdit* BezEdit;
    QComboBox* AusrXCombo;
    QComboBox* AusrYCombo;
    QComboBox* IntensCombo;
    TBitBtn2 *UebernehmBtn, *NeuBtn, *CopyBtn, *EntfBtn, *SaveBtn, *CloseBtn, *DateiBtn;
    QMenu* DateiPopup;
    QAction *Neuanlegen1, *Oeffnen1, *Speichernunter1, *Speichern1, *Zu1;

  public slots:
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ErzeugeSteuerelemente();
    void ZeigeFelder();
    void FelderUebernehmen();
    void ZeigeEditorTitel();
    void SetzeKnoepfe(bool Aktiv);
    QString frageDatei(const TDateiAuswahl& a);
    TDateiAuswahl speichernDialog(const QString& Titel, const QString& Name) const;

    std::unique_ptr<TObjEditor> m_editor;
    QWidget* m_innen = nullptr;
    bool m_fuellen = false;   // the controls are being filled from the fields
    bool m_aktiviert = false; // activated once: the caption names the file
    bool m_platziert = false; // placed beside its owner once
};

// The one window of the run (created at start-up).
inline TObjEditneuForm* ObjEditneuForm = nullptr;

} // namespace zl
