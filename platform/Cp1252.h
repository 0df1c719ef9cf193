#pragma once

#include <QByteArray>
#include <QString>

namespace zl {

// Windows-1252 is the byte form of every file, protocol and clipboard text.
// The five unassigned bytes map to U+0081, U+008D, U+008F, U+0090 and U+009D,
// so every byte read is written back unchanged.

// Decodes Windows-1252 bytes; never fails.
QString fromCp1252(const char* data, qsizetype size);
inline QString fromCp1252(const QByteArray& bytes) { return fromCp1252(bytes.constData(), bytes.size()); }

// Encodes to Windows-1252; a character the code page cannot hold becomes "?".
QByteArray toCp1252(const QString& text);

// True when every character of the text has a Windows-1252 byte.
bool isCp1252(const QString& text);

// The byte of one character, or -1 when the code page cannot hold it.
int cp1252Byte(char16_t ch);

// The character of one byte.
char16_t cp1252Char(unsigned char byte);

} // namespace zl
