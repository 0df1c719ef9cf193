#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zl {

// A profile (INI) file read and written by the Windows rules: sections and
// keys compared without case, the first matching section and key win, keys
// and values trimmed, one pair of matching surrounding quotes (" or ') taken
// off a value; lines starting with ";" are comments. The file is Windows-1252
// with CR LF line ends; CR, LF or CR LF are all accepted on reading.
class IniFile {
public:
    IniFile() = default;

    // Reads the file. Returns 0, or the Windows code (2 for a missing file);
    // on failure the contents are empty.
    int load(const QString& path);
    void setBytes(const QByteArray& cp1252);
    QByteArray bytes() const;
    // Writes the whole file atomically; returns 0 or the Windows code.
    int save(const QString& path) const;

    bool sectionExists(const QString& section) const;
    bool valueExists(const QString& section, const QString& key) const;
    QString readString(const QString& section, const QString& key, const QString& defaultValue) const;
    // A value that is not a whole number (decimal, "$hex" or "0xhex") of 32 bits gives the default.
    qint32 readInteger(const QString& section, const QString& key, qint32 defaultValue) const;
    // A number; true when not 0.
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;

    // Replaces the key's line in place, or adds it at the end of its section,
    // or adds the section at the end of the file.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, qint32 value);
    void writeBool(const QString& section, const QString& key, bool value) { writeInteger(section, key, value ? 1 : 0); }

private:
    // Index of the key's line, or -1; sectionEnd gets the line after the section's last entry.
    qsizetype findKey(const QString& section, const QString& key, qsizetype* sectionStart = nullptr,
                      qsizetype* sectionEnd = nullptr) const;

    QStringList lines_;
};

} // namespace zl
