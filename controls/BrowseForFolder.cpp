#include "controls/BrowseForFolder.h"

#include "controls/Farben.h"

#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStandardPaths>
#include <QTreeView>
#include <QVBoxLayout>

#include <memory>

namespace zl {

namespace {

std::function<int(QDialog&)>& Ablauf()
{
    static std::function<int(QDialog&)> ablauf;
    return ablauf;
}

QString Standardpfad(QStandardPaths::StandardLocation ort)
{
    return QStandardPaths::writableLocation(ort);
}

bool IstTrenner(QChar c) { return c == u'\\' || c == u'/' || c == u':'; }

} // namespace

// ---- headless rules ---------------------------------------------------------------

int CsidlNummer(TbfSpecialFolder folder)
{
    static constexpr int kCsidl[] = {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 16, 17, 18,
                                     19, 20, 21, 22, 23, 24, 25, 26, 27};
    if (folder >= bfDesktop && folder < bfCustomPath)
        return kCsidl[folder];
    return -1;
}

bool ShellItem::istOrdner() const
{
    return gueltig && !pfad.isEmpty() && QFileInfo(pfad).isDir();
}

ShellItem SpezialOrdner(TbfSpecialFolder folder)
{
    QString pfad;
    switch (folder) {
    case bfPersonal: pfad = Standardpfad(QStandardPaths::DocumentsLocation); break;
    case bfDesktopDirectory:
    case bfCommonDesktopDirectory: pfad = Standardpfad(QStandardPaths::DesktopLocation); break;
    case bfFonts: pfad = Standardpfad(QStandardPaths::FontsLocation); break;
    case bfAppData: pfad = Standardpfad(QStandardPaths::GenericConfigLocation); break;
    case bfPrograms:
    case bfStartMenu:
    case bfCommonStartmenu:
    case bfCommonPrograms: pfad = Standardpfad(QStandardPaths::ApplicationsLocation); break;
    case bfCustomPath: return {};
    default: break; // desktop, computer, printers, network ...: outside the file system
    }
    if (!pfad.isEmpty() && !QFileInfo(pfad).isDir())
        pfad.clear();
    return {true, pfad};
}

ShellItem PfadItem(const QString& pfad)
{
    if (pfad.trimmed().isEmpty() || pfad.contains(QChar(0)))
        return {};
    QString p = pfad;
    p.replace(u'\\', u'/');
    const QFileInfo info(p);
    if (!info.exists())
        return {};
    return {true, QDir::cleanPath(info.absoluteFilePath())};
}

QString RelativerPfad(const QString& pfad, const QString& wurzel)
{
    if (wurzel.isEmpty())
        return pfad;
    QString w = wurzel;
    if (!w.endsWith(u'/'))
        w += u'/';
    if (pfad == wurzel || pfad + u'/' == w)
        return QString();
    if (pfad.startsWith(w))
        return pfad.mid(w.size());
    return pfad;
}

QString EditVorgabe(const QString& pfad, const QString& wurzel, const QString& anhang)
{
    QString rel = RelativerPfad(pfad, wurzel);
    if (rel.isEmpty())
        return anhang;
    if (rel.size() > 1 && (rel.endsWith(u'/') || rel.endsWith(u'\\')))
        rel.chop(1);
    return rel + anhang;
}

QString SucheEingabePfad(const QString& wurzel, const QString& eingabe)
{
    QString text;
    if (!wurzel.isEmpty())
        text = (wurzel.endsWith(u'/') || wurzel.endsWith(u'\\')) ? wurzel : wurzel + u'/';
    text += eingabe;
    while (!text.isEmpty()) {
        QString p = text;
        p.replace(u'\\', u'/');
        if (QFileInfo::exists(p))
            return QDir::cleanPath(QFileInfo(p).absoluteFilePath());
        qsizetype i = text.size() - 1;
        while (i >= 0 && !IstTrenner(text[i]))
            --i;
        if (i < 0)
            return QString();
        // Cut at the separator; the file system's root stays when nothing else is left.
        text = (i == 0 && text[0] == u'/') ? QStringLiteral("/") : text.left(i);
        if (text == QStringLiteral("/") && i == 0)
            return text;
    }
    return QString();
}

QString PfadEllipse(const QString& pfad, int breite, const std::function<int(const QString&)>& messen)
{
    if (messen(pfad) <= breite)
        return pfad;
    const QString punkte = QStringLiteral("...");
    qsizetype trenner = pfad.lastIndexOf(u'/');
    const qsizetype t2 = pfad.lastIndexOf(u'\\');
    if (t2 > trenner)
        trenner = t2;
    const QString kopf = trenner > 0 ? pfad.left(trenner) : QString();
    const QString ende = trenner > 0 ? pfad.mid(trenner) : pfad;
    for (qsizetype n = kopf.size(); n >= 0; --n) {
        const QString s = kopf.left(n) + punkte + ende;
        if (messen(s) <= breite)
            return s;
    }
    // Not even the last component fits: cut it from its end.
    for (qsizetype n = ende.size(); n > 0; --n) {
        const QString s = punkte + ende.left(n);
        if (messen(s) <= breite)
            return s;
    }
    return punkte;
}

// ---- the status line ------------------------------------------------------------------

class StatusZeile : public QWidget {
public:
    StatusZeile(TBrowseForFolderDialog* owner, QWidget* parent) : QWidget(parent), m_owner(owner)
    {
        setMinimumHeight(fontMetrics().height() + 4);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        m_owner->zeichneStatus(p, rect());
    }

private:
    TBrowseForFolderDialog* m_owner;
};

struct TBrowseForFolderDialog::Offen {
    QFileSystemModel* modell = nullptr;
    QTreeView* baum = nullptr;
    QLabel* titel = nullptr;
    StatusZeile* status = nullptr;
    QLineEdit* eingabe = nullptr;
    QAbstractButton* zusatz = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* abbrechen = nullptr;
};

// ---- the component --------------------------------------------------------------------

TBrowseForFolderDialog::TBrowseForFolderDialog(QObject* owner) : QObject(owner)
{
    m_rootItem = SpezialOrdner(m_rootFolder);
    m_startupItem = SpezialOrdner(m_startupFolder);
}

TBrowseForFolderDialog::~TBrowseForFolderDialog() = default;

void TBrowseForFolderDialog::SetzeAblauf(std::function<int(QDialog&)> ablauf)
{
    Ablauf() = std::move(ablauf);
}

QString TBrowseForFolderDialog::About() const
{
    return QStringLiteral("TBrowseForFolderDialog: Ordnerauswahl");
}

void TBrowseForFolderDialog::SetRootFolder(TbfSpecialFolder folder)
{
    m_rootFolder = folder;
    m_rootItem = folder == bfCustomPath ? PfadItem(m_rootPath) : SpezialOrdner(folder);
}

QString TBrowseForFolderDialog::RootPath() const
{
    return m_rootItem.gueltig ? m_rootItem.pfad : QString();
}

void TBrowseForFolderDialog::SetRootPath(const QString& path)
{
    m_rootPath = path;
    SetRootFolder(bfCustomPath);
}

void TBrowseForFolderDialog::SetStartupFolder(TbfSpecialFolder folder)
{
    m_startupFolder = folder;
    m_startupItem = folder == bfCustomPath ? PfadItem(m_startupPath) : SpezialOrdner(folder);
}

QString TBrowseForFolderDialog::StartupPath() const
{
    return m_startupItem.gueltig ? m_startupItem.pfad : QString();
}

void TBrowseForFolderDialog::SetStartupPath(const QString& path)
{
    m_startupPath = path;
    SetStartupFolder(bfCustomPath);
}

QString TBrowseForFolderDialog::SelectedPath() const
{
    if (!m_selectedPath.isEmpty())
        return m_selectedPath;
    return m_selItem.gueltig ? m_selItem.pfad : QString();
}

void TBrowseForFolderDialog::SetSelectedPath(const QString& path)
{
    m_selectedPath = path;
    if (IsOpen())
        waehleImBaum(path);
    else
        SetStartupPath(path);
}

QString TBrowseForFolderDialog::EditText() const
{
    if (IsOpen() && m_offen->eingabe)
        const_cast<TBrowseForFolderDialog*>(this)->m_editText = m_offen->eingabe->text();
    return m_editText;
}

void TBrowseForFolderDialog::SetEditText(const QString& text)
{
    m_editText = text;
    m_editByCode = true;
    if (IsOpen() && m_offen->eingabe)
        m_offen->eingabe->setText(text); // the box's change handling follows
    if (m_editByCode)
        eingabeGeaendert(text);
}

void TBrowseForFolderDialog::SetStatusText(const QString& text)
{
    m_statusText = text;
    if (IsOpen() && m_offen->status)
        m_offen->status->update();
}

void TBrowseForFolderDialog::SetCustomButtonCaption(const QString& s)
{
    m_customButtonCaption = s;
    if (IsOpen() && m_offen->zusatz)
        m_offen->zusatz->setText(s);
}

void TBrowseForFolderDialog::SetCustomButtonEnabled(bool b)
{
    m_customButtonEnabled = b;
    if (IsOpen() && m_offen->zusatz)
        m_offen->zusatz->setEnabled(b);
}

void TBrowseForFolderDialog::SetCustomButtonVisible(bool b)
{
    m_customButtonVisible = b;
    if (IsOpen() && m_offen->zusatz)
        m_offen->zusatz->setVisible(b);
}

bool TBrowseForFolderDialog::CustomButtonChecked() const
{
    if (IsOpen() && m_offen->zusatz && m_customButtonType == bfbCheckBox)
        return m_offen->zusatz->isChecked();
    return m_customButtonChecked;
}

void TBrowseForFolderDialog::SetCustomButtonChecked(bool b)
{
    m_customButtonChecked = b;
    if (IsOpen() && m_offen->zusatz && m_customButtonType == bfbCheckBox)
        m_offen->zusatz->setChecked(b);
}

void TBrowseForFolderDialog::zeichneStatus(QPainter& p, const QRect& r)
{
    const bool eigen = HatOption(bfoStatusText) && HatOption(bfoStatusTextOwnerDraw);
    if (eigen && OnDrawStatusText) {
        OnDrawStatusText(this, p, r);
        return;
    }
    p.fillRect(r, ZuQColor(clBtnFace, m_offen && m_offen->status ? m_offen->status->palette() : QPalette()));
    const QFontMetrics fm = p.fontMetrics();
    const QString text = eigen ? PfadEllipse(m_statusText, r.width(), [&](const QString& s) {
        return fm.horizontalAdvance(s);
    })
                               : m_statusText;
    p.setPen(ZuQColor(clWindowText, m_offen && m_offen->status ? m_offen->status->palette() : QPalette()));
    p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

void TBrowseForFolderDialog::waehleImBaum(const QString& pfad)
{
    if (!IsOpen())
        return;
    const ShellItem item = PfadItem(pfad);
    if (item.gueltig && !item.pfad.isEmpty()) {
        const QModelIndex i = m_offen->modell->index(item.pfad);
        if (i.isValid()) {
            m_offen->baum->setCurrentIndex(i);
            m_offen->baum->scrollTo(i);
            return;
        }
    }
    m_offen->baum->setCurrentIndex(QModelIndex());
    m_offen->baum->clearSelection();
    pruefeOk();
}

void TBrowseForFolderDialog::pruefeOk()
{
    if (!IsOpen())
        return;
    bool erlaubt = m_selItem.gueltig;
    if (HatOption(bfoReturnOnlyFSDirs))
        erlaubt = m_selItem.istOrdner();
    m_offen->ok->setEnabled(erlaubt);
}

void TBrowseForFolderDialog::auswahlGeaendert(const QString& pfad)
{
    m_selItem = pfad.isEmpty() ? m_rootItem : ShellItem{true, pfad};
    m_selectedPath = m_selItem.pfad;
    if (HatOption(bfoStatusText) && HatOption(bfoStatusTextDefault))
        SetStatusText(RelativerPfad(m_selItem.pfad, RootPath()));
    if (HatOption(bfoEdit) && HatOption(bfoEditDefault) && m_offen->eingabe && !m_offen->eingabe->hasFocus()) {
        m_editByCode = true;
        m_offen->eingabe->setText(EditVorgabe(m_selItem.pfad, RootPath(), m_editAttachment));
        m_editByCode = false;
    }
    pruefeOk();
    emit OnSelChanged();
}

void TBrowseForFolderDialog::eingabeGeaendert(const QString& text)
{
    m_editText = text;
    if (!m_editByCode && HatOption(bfoEditDefault)) {
        const QString pfad = SucheEingabePfad(RootPath(), m_editText);
        m_selectedPath = pfad;
        if (IsOpen())
            waehleImBaum(pfad);
    }
    emit OnEditChange();
    m_editByCode = false;
}

bool TBrowseForFolderDialog::Execute()
{
    emit OnExecuting();

    const QString vorherPfad = m_selectedPath;
    const ShellItem vorherItem = m_selItem;

    QWidget* fenster = nullptr;
    if (auto* w = qobject_cast<QWidget*>(parent()))
        fenster = w->window();
    auto dialog = std::make_unique<QDialog>(fenster);
    dialog->setWindowTitle(QStringLiteral("Ordner suchen"));
    dialog->resize(340, 420);
    Offen offen;
    m_offen = &offen;
    m_dialog = dialog.get();

    auto* layout = new QVBoxLayout(dialog.get());
    offen.titel = new QLabel(m_title, dialog.get());
    offen.titel->setObjectName(QStringLiteral("Titel"));
    offen.titel->setWordWrap(true);
    offen.titel->setTextFormat(Qt::PlainText);
    layout->addWidget(offen.titel);
    if (HatOption(bfoEdit)) {
        offen.eingabe = new QLineEdit(m_editText, dialog.get());
        offen.eingabe->setObjectName(QStringLiteral("Eingabe"));
        layout->addWidget(offen.eingabe);
        connect(offen.eingabe, &QLineEdit::textChanged, this, [this](const QString& t) {
            if (IsOpen())
                eingabeGeaendert(t);
        });
    } else if (HatOption(bfoStatusText)) {
        offen.status = new StatusZeile(this, dialog.get());
        offen.status->setObjectName(QStringLiteral("Status"));
        layout->addWidget(offen.status);
    }
    layout->addSpacing(5);

    offen.modell = new QFileSystemModel(dialog.get());
    QDir::Filters filter = QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives | QDir::Hidden;
    if (HatOption(bfoBrowseIncludeFiles))
        filter |= QDir::Files;
    offen.modell->setFilter(filter);
    offen.modell->setReadOnly(true);
    const QString wurzel = RootPath();
    offen.modell->setRootPath(wurzel.isEmpty() ? QStringLiteral("/") : wurzel);
    offen.baum = new QTreeView(dialog.get());
    offen.baum->setObjectName(QStringLiteral("Baum"));
    offen.baum->setModel(offen.modell);
    for (int c = 1; c < offen.modell->columnCount(); ++c)
        offen.baum->hideColumn(c);
    offen.baum->setHeaderHidden(true);
    if (!wurzel.isEmpty())
        offen.baum->setRootIndex(offen.modell->index(wurzel));
    if (m_hideSelection) {
        QPalette pal = offen.baum->palette();
        pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Base));
        pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::Text));
        offen.baum->setPalette(pal);
    }
    layout->addWidget(offen.baum, 1);

    auto* reihe = new QHBoxLayout();
    if (m_customButtonType != bfbNone) {
        if (m_customButtonType == bfbCheckBox) {
            auto* box = new QCheckBox(m_customButtonCaption, dialog.get());
            box->setChecked(m_customButtonChecked);
            offen.zusatz = box;
        } else {
            offen.zusatz = new QPushButton(m_customButtonCaption, dialog.get());
        }
        offen.zusatz->setObjectName(QStringLiteral("Zusatzknopf"));
        offen.zusatz->setEnabled(m_customButtonEnabled);
        offen.zusatz->setVisible(m_customButtonVisible);
        connect(offen.zusatz, &QAbstractButton::clicked, this, [this] {
            if (m_customButtonType == bfbCheckBox && m_offen)
                m_customButtonChecked = m_offen->zusatz->isChecked();
            emit OnCustomButtonClick();
        });
        reihe->addWidget(offen.zusatz);
    }
    reihe->addStretch(1);
    offen.ok = new QPushButton(QStringLiteral("OK"), dialog.get());
    offen.ok->setObjectName(QStringLiteral("OK"));
    offen.ok->setDefault(true);
    offen.abbrechen = new QPushButton(QStringLiteral("Abbrechen"), dialog.get());
    offen.abbrechen->setObjectName(QStringLiteral("Abbrechen"));
    reihe->addWidget(offen.ok);
    reihe->addWidget(offen.abbrechen);
    layout->addLayout(reihe);
    connect(offen.ok, &QPushButton::clicked, dialog.get(), &QDialog::accept);
    connect(offen.abbrechen, &QPushButton::clicked, dialog.get(), &QDialog::reject);
    connect(offen.baum->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& i) {
                if (m_offen)
                    auswahlGeaendert(i.isValid() ? m_offen->modell->filePath(i) : QString());
            });

    QWidget::setTabOrder(offen.titel, offen.eingabe ? static_cast<QWidget*>(offen.eingabe) : offen.baum);
    if (offen.eingabe)
        offen.eingabe->setFocus();
    else
        offen.baum->setFocus();

    if (HatOption(bfoStatusText) && offen.status)
        offen.status->update();
    emit OnInitialized();
    if (m_dialog) {
        // The start item: what SelectedPath was set to, else the startup folder.
        const ShellItem start = m_startupItem;
        m_selItem = m_rootItem;
        if (start.gueltig && !start.pfad.isEmpty())
            waehleImBaum(start.pfad);
        else
            auswahlGeaendert(QString());
    }

    int ergebnis = QDialog::Rejected;
    if (m_dialog) {
        if (Ablauf())
            ergebnis = Ablauf()(*dialog);
        else
            ergebnis = dialog->exec();
    }
    // Take what the dialog holds before it goes.
    const ShellItem gewaehlt = m_selItem;
    const bool customChecked = CustomButtonChecked();
    m_offen = nullptr;
    m_dialog = nullptr;
    dialog.reset();
    m_customButtonChecked = customChecked;

    const bool ok = ergebnis == QDialog::Accepted
                 && (!HatOption(bfoReturnOnlyFSDirs) || gewaehlt.istOrdner());
    if (ok) {
        m_selItem = gewaehlt;
        m_selectedPath = gewaehlt.pfad;
        m_selDisplayName = gewaehlt.pfad.isEmpty() ? QString() : QFileInfo(gewaehlt.pfad).fileName();
        if (m_selDisplayName.isEmpty())
            m_selDisplayName = gewaehlt.pfad;
        m_seliImage = 0;
    } else {
        // Cancelled: SelectedPath is what it was before, not the last selection shown.
        m_selItem = vorherItem;
        m_selectedPath = vorherPfad;
    }
    emit OnExecuted();
    return ok;
}

} // namespace zl
