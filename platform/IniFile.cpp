#include "platform/IniFile.h"

#include "platform/Cp1252.h"
#include "platform/FileAccess.h"

#include <charconv>
#include <cstdint>

namespace zl {
namespace {

bool sectionHeader(const QString& trimmed, QString* name)
{
    if (!trimmed.startsWith(QLatin1Char('[')))
        return false;
    const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    if (close < 0)
        return false;
    *name = trimmed.mid(1, close - 1).trimmed();
    return true;
}

bool keyLine(const QString& trimmed, QString* key, QString* value)
{
    if (trimmed.startsWith(QLatin1Char(';')))
        return false;
    const qsizetype eq = trimmed.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return false;
    *key = trimmed.left(eq).trimmed();
    if (value)
        *value = trimmed.mid(eq + 1).trimmed();
    return !key->isEmpty();
}

QString unquote(const QString& v)
{
    if (v.size() >= 2) {
        const QChar first = v.front();
        if ((first == u'"' || first == u'\'') && v.back() == first)
            return v.mid(1, v.size() - 2);
    }
    return v;
}

} // namespace

int IniFile::load(const QString& path)
{
    lines_.clear();
    ReadFile f;
    if (const int e = f.open(resolvePath(path)))
        return e;
    bool ok = true;
    const QByteArray data = f.readAll(&ok);
    if (!ok)
        return kErrGeneral;
    setBytes(data);
    return 0;
}

void IniFile::setBytes(const QByteArray& cp1252)
{
    QString text = fromCp1252(cp1252);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lines_ = text.split(QLatin1Char('\n'));
    if (!lines_.isEmpty() && lines_.back().isEmpty())
        lines_.removeLast();
}

QByteArray IniFile::bytes() const
{
    QByteArray out;
    for (const QString& l : lines_) {
        out += toCp1252(l);
        out += "\r\n";
    }
    return out;
}

int IniFile::save(const QString& path) const { return writeFileAtomically(path, bytes()); }

qsizetype IniFile::findKey(const QString& section, const QString& key, qsizetype* sectionStart,
                           qsizetype* sectionEnd) const
{
    if (sectionStart)
        *sectionStart = -1;
    bool inSection = false;
    bool seen = false;
    qsizetype lastEntry = -1;
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const QString t = lines_[i].trimmed();
        QString name;
        if (sectionHeader(t, &name)) {
            if (inSection)
                break; // only the first section of the name counts
            if (!seen && name.compare(section, Qt::CaseInsensitive) == 0) {
                inSection = seen = true;
                lastEntry = i;
                if (sectionStart)
                    *sectionStart = i;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (!t.isEmpty())
            lastEntry = i;
        QString k;
        if (!key.isEmpty() && keyLine(t, &k, nullptr) && k.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    if (sectionEnd)
        *sectionEnd = lastEntry + 1;
    return -1;
}

bool IniFile::sectionExists(const QString& section) const
{
    qsizetype start = -1;
    findKey(section, QString(), &start);
    return start >= 0;
}

bool IniFile::valueExists(const QString& section, const QString& key) const
{
    return findKey(section, key) >= 0;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const
{
    const qsizetype i = findKey(section, key);
    if (i < 0)
        return defaultValue;
    QString k, v;
    keyLine(lines_[i].trimmed(), &k, &v);
    return unquote(v);
}

qint32 IniFile::readInteger(const QString& section, const QString& key, qint32 defaultValue) const
{
    const QString s = readString(section, key, QString());
    if (s.isEmpty())
        return defaultValue;
    const QByteArray b = s.toLatin1(); // digits only are accepted; anything else fails below
    const char* p = b.constData();
    const char* end = p + b.size();
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    int base = 10;
    if (end - p > 1 && *p == '$') {
        base = 16;
        ++p;
    } else if (end - p > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        base = 16;
        p += 2;
    }
    // One sign only: from_chars would take a second one after the prefix.
    if (p == end || *p == '-' || *p == '+')
        return defaultValue;
    std::int64_t v = 0;
    const auto [q, ec] = std::from_chars(p, end, v, base);
    if (ec != std::errc() || q != end || p == end)
        return defaultValue;
    if (negative)
        v = -v;
    if (base == 16 && v > INT32_MAX && v <= static_cast<std::int64_t>(UINT32_MAX))
        v -= (std::int64_t(1) << 32); // "$FFFFFFFF" is -1, as a 32-bit value
    if (v < INT32_MIN || v > INT32_MAX)
        return defaultValue;
    return static_cast<qint32>(v);
}

bool IniFile::readBool(const QString& section, const QString& key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    const QString line = key + QLatin1Char('=') + value;
    qsizetype start = -1, end = -1;
    const qsizetype i = findKey(section, key, &start, &end);
    if (i >= 0) {
        lines_[i] = line;
    } else if (start >= 0) {
        lines_.insert(end, line);
    } else {
        if (!lines_.isEmpty() && !lines_.back().trimmed().isEmpty())
            lines_.append(QString());
        lines_.append(QLatin1Char('[') + section + QLatin1Char(']'));
        lines_.append(line);
    }
}

void IniFile::writeInteger(const QString& section, const QString& key, qint32 value)
{
    writeString(section, key, QString::number(value));
}

} // namespace zl
