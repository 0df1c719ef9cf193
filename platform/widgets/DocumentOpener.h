#pragma once

#include <QString>
#include <QStringList>

namespace zl {

// Opens a file or web address with the program the desktop associates with it.
class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    // Returns false when the document cannot be opened.
    virtual bool open(const QString& document) = 0;
};

// The opener in force; the default one uses the desktop services.
DocumentOpener& documentOpener();
// Installs an opener (not owned); nullptr restores the default. Returns the previous one.
DocumentOpener* setDocumentOpener(DocumentOpener* opener);

// QDesktopServices. A "file://" address whose file does not exist fails at once,
// since the desktop launcher would report success for it.
class DesktopDocumentOpener : public DocumentOpener {
public:
    bool open(const QString& document) override;
};

// Test double: records the documents and answers with a fixed result.
class RecordingDocumentOpener : public DocumentOpener {
public:
    bool open(const QString& document) override
    {
        opened.append(document);
        return result;
    }
    QStringList opened;
    bool result = true;
};

// Installs a recorder for one scope.
class ScopedDocumentRecorder : public RecordingDocumentOpener {
public:
    ScopedDocumentRecorder() : previous_(setDocumentOpener(this)) {}
    ~ScopedDocumentRecorder() override { setDocumentOpener(previous_); }

private:
    DocumentOpener* previous_;
};

} // namespace zl
