#pragma once

#include "controls/Exceptions.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <memory>

namespace zl {

// The one reader and writer of the programs' text files: data tables, label
// files, network files and worksheet files.
//
// Files are Windows-1252 without a byte-order mark. Writing ends every line
// with CR LF. Reading ends a line at CR (an LF right after it belongs to the
// line end); an LF alone stays in the text; a file that holds no CR at all is
// read with LF as its line end; a Ctrl-Z ends the file. Numbers
// use "." as decimal point whatever the locale.
//
// Use: Assign, then Reset or Rewrite; when that gave true read or write, then
// Close. An open that fails shows "Datei-Lesefehler! (code)" or
// "Datei-Schreibfehler! (code)", sets Fehlercode and returns false. Errors after
// a successful open raise EInOutError (EConvertError from ReadFloat).
//
// Reading loads the whole file at Reset and keeps the shared lock until Close,
// so a writer meanwhile gets code 32. Writing goes to a temporary file that
// replaces the target only when Close succeeds; a failed write raises
// EInOutError at Close and leaves the old file as it was.
//
// The destructor closes: a read file is released; a written file is committed
// (a failure then shows the write-error box, as a destructor cannot raise),
// unless an exception is passing, in which case the old file is kept.
class TextFileIO {
public:
    TextFileIO();
    ~TextFileIO();
    TextFileIO(const TextFileIO&) = delete;
    TextFileIO& operator=(const TextFileIO&) = delete;

    // Binds to the path and clears Kopfzeile; closes an open file first.
    void Assign(const QString& path);
    // Opens for reading. With Kopfzeile set, the first line must equal it
    // exactly, else "Falsches Dateiformat!" and false (the file stays open).
    bool Reset();
    // Opens for writing; writes Kopfzeile as the first line when it is set.
    bool Rewrite();
    // Closes; may be called on a closed file. Raises EInOutError when the
    // written file cannot be stored (the old file is kept).
    void Close();

    // True when no character is left or the next one is Ctrl-Z.
    bool Eof();
    // Writes the text and CR LF. A CR or Ctrl-Z in the text is written as a
    // blank, so a value never splits its line or ends the file; a character
    // the code page cannot hold is written as "?".
    void WriteLine(const QString& text);
    // The text up to the next line end; the empty text at the end of the file.
    QString ReadLine();
    // The same line as the file's Windows-1252 bytes, for readers that convert
    // only some of its fields. The view stays valid until Close.
    QByteArrayView ReadLineBytes();
    // Skips blanks, control characters and line ends, reads one whole number
    // and skips the rest of its line. 0 at the end of the file. A token that
    // is no 32-bit whole number raises EInOutError 106.
    std::int32_t ReadInt();
    // Reads one line as a real; "." is the decimal point, blanks around it are
    // allowed. Anything else raises EConvertError.
    double ReadFloat();
    // ReadInt() != 0; false at the end of the file.
    bool ReadBool();

    // Texts in the layout of a file line (ending in CR LF); they touch no file.
    static QString LineStr(const QString& text);
    static QString LineInt(std::int64_t value);
    // General format: at most 15 significant digits, no trailing zeros,
    // exponent form ("1E20", "1.5E-7") beyond 15 whole digits or below
    // 0.00001. NaN and infinities are written as 0.
    static QString LineFloat(double value);

    bool isOpen() const;
    const QString& path() const { return path_; }

    // The header line the file must begin with; empty for none.
    QString Kopfzeile;
    // 0 after a successful Reset or Rewrite, else the Windows error code
    // (2 file not found, 3 path not found, 5 access denied, 32 file in use).
    int Fehlercode = 0;

private:
    struct Impl;
    QString path_;
    std::unique_ptr<Impl> d_;
};

} // namespace zl
