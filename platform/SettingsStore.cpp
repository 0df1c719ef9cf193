#include "platform/SettingsStore.h"

#include "platform/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <bit>
#include <charconv>
#include <cstdint>

namespace zl {
namespace {

const char kHeader[] = "Selvik-Einstellungen 1";

// Escapes so that a value is one line of valid UTF-8: backslash, tab, CR, LF
// and other control characters as escapes, and a surrogate without its partner
// as \uXXXX (UTF-8 cannot carry it).
QString escape(const QString& s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (c == u'\\') {
            out += QLatin1String("\\\\");
        } else if (c == u'\t') {
            out += QLatin1String("\\t");
        } else if (c == u'\n') {
            out += QLatin1String("\\n");
        } else if (c == u'\r') {
            out += QLatin1String("\\r");
        } else if (QChar::isHighSurrogate(c) && i + 1 < s.size() && QChar::isLowSurrogate(s[i + 1].unicode())) {
            out += s[i];
            out += s[++i];
        } else if (c < 0x20 || c == 0x7F || QChar::isSurrogate(c)) {
            out += QStringLiteral("\\u%1").arg(static_cast<unsigned>(c), 4, 16, QLatin1Char('0'));
        } else {
            out += s[i];
        }
    }
    return out;
}

std::optional<QString> unescape(QStringView s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c != u'\\') {
            out += c;
            continue;
        }
        if (++i >= s.size())
            return std::nullopt;
        switch (s[i].unicode()) {
        case u'\\':
            out += u'\\';
            break;
        case u't':
            out += u'\t';
            break;
        case u'n':
            out += u'\n';
            break;
        case u'r':
            out += u'\r';
            break;
        case u'u': {
            if (i + 4 >= s.size())
                return std::nullopt;
            bool ok = false;
            const uint v = s.mid(i + 1, 4).toUInt(&ok, 16);
            if (!ok)
                return std::nullopt;
            out += QChar(static_cast<char16_t>(v));
            i += 4;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return out;
}

QByteArray ascii(const QString& s) { return s.toLatin1(); } // only for digits and hex

} // namespace

std::optional<bool> SettingsStore::readBool(const QString& name) const
{
    const auto v = readInt32(name);
    if (!v)
        return std::nullopt;
    return *v != 0;
}

const MemorySettingsStore::Value* MemorySettingsStore::find(const QString& name) const
{
    for (const Value& v : values_)
        if (v.name.compare(name, Qt::CaseInsensitive) == 0)
            return &v;
    return nullptr;
}

bool MemorySettingsStore::valueExists(const QString& name) const { return find(name) != nullptr; }

std::optional<QString> MemorySettingsStore::readText(const QString& name) const
{
    const Value* v = find(name);
    if (!v || v->type != Type::Text)
        return std::nullopt;
    return v->text;
}

std::optional<qint32> MemorySettingsStore::readInt32(const QString& name) const
{
    const Value* v = find(name);
    if (!v || v->type != Type::Int32)
        return std::nullopt;
    return v->number;
}

std::optional<double> MemorySettingsStore::readReal(const QString& name) const
{
    const Value* v = find(name);
    if (!v || v->type != Type::Real)
        return std::nullopt;
    return v->real;
}

int MemorySettingsStore::store(Value v)
{
    bool replaced = false;
    for (Value& old : values_) {
        if (old.name.compare(v.name, Qt::CaseInsensitive) == 0) {
            v.name = old.name; // a registry value keeps the case it was created with
            old = std::move(v);
            replaced = true;
            break;
        }
    }
    if (!replaced)
        values_.append(std::move(v));
    ++writeCount_;
    return persist();
}

int MemorySettingsStore::writeText(const QString& name, const QString& value)
{
    Value v;
    v.name = name;
    v.type = Type::Text;
    v.text = value;
    return store(std::move(v));
}

int MemorySettingsStore::writeInt32(const QString& name, qint32 value)
{
    Value v;
    v.name = name;
    v.type = Type::Int32;
    v.number = value;
    return store(std::move(v));
}

int MemorySettingsStore::writeReal(const QString& name, double value)
{
    Value v;
    v.name = name;
    v.type = Type::Real;
    v.real = value;
    return store(std::move(v));
}

int MemorySettingsStore::deleteValue(const QString& name)
{
    for (qsizetype i = 0; i < values_.size(); ++i) {
        if (values_[i].name.compare(name, Qt::CaseInsensitive) == 0) {
            values_.removeAt(i);
            ++writeCount_;
            return persist();
        }
    }
    return 0;
}

QByteArray encodeSettings(const QList<MemorySettingsStore::Value>& values)
{
    QByteArray out(kHeader);
    out += '\n';
    for (const auto& v : values) {
        QString line;
        switch (v.type) {
        case SettingsStore::Type::Text:
            line = QLatin1String("S\t") + escape(v.name) + QLatin1Char('\t') + escape(v.text);
            break;
        case SettingsStore::Type::Int32:
            line = QLatin1String("I\t") + escape(v.name) + QLatin1Char('\t') + QString::number(v.number);
            break;
        case SettingsStore::Type::Real:
            // The eight bytes of the real as they are, so it reads back bit for bit.
            line = QLatin1String("R\t") + escape(v.name) + QLatin1Char('\t') +
                   QStringLiteral("%1").arg(std::bit_cast<quint64>(v.real), 16, 16, QLatin1Char('0'));
            break;
        }
        out += line.toUtf8(); // valid UTF-8: escape() leaves no lone surrogate
        out += '\n';
    }
    return out;
}

QList<MemorySettingsStore::Value> decodeSettings(const QByteArray& bytes, int* badLine)
{
    QList<MemorySettingsStore::Value> values;
    int bad = 0;
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QByteArray& raw = lines[n];
        const int lineNo = static_cast<int>(n) + 1;
        auto fail = [&] {
            if (bad == 0)
                bad = lineNo;
        };
        if (n == 0) {
            if (raw != QByteArray(kHeader))
                fail();
            continue;
        }
        if (raw.isEmpty())
            continue;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString line = utf8.decode(raw);
        if (utf8.hasError()) {
            fail();
            continue;
        }
        const QStringList parts = line.split(QLatin1Char('\t'));
        if (parts.size() != 3 || parts[0].size() != 1) {
            fail();
            continue;
        }
        const auto name = unescape(parts[1]);
        if (!name || name->isEmpty()) {
            fail();
            continue;
        }
        MemorySettingsStore::Value v;
        v.name = *name;
        const QByteArray field = ascii(parts[2]);
        switch (parts[0][0].unicode()) {
        case u'S': {
            const auto text = unescape(parts[2]);
            if (!text) {
                fail();
                continue;
            }
            v.type = SettingsStore::Type::Text;
            v.text = *text;
            break;
        }
        case u'I': {
            std::int32_t x = 0;
            const auto [p, ec] = std::from_chars(field.begin(), field.end(), x);
            if (ec != std::errc() || p != field.end() || field.isEmpty()) {
                fail();
                continue;
            }
            v.type = SettingsStore::Type::Int32;
            v.number = x;
            break;
        }
        case u'R': {
            std::uint64_t bits = 0;
            const auto [p, ec] = std::from_chars(field.begin(), field.end(), bits, 16);
            if (ec != std::errc() || p != field.end() || field.size() != 16) {
                fail();
                continue;
            }
            v.type = SettingsStore::Type::Real;
            v.real = std::bit_cast<double>(bits);
            break;
        }
        default:
            fail();
            continue;
        }
        bool dup = false;
        for (const auto& old : values)
            dup = dup || old.name.compare(v.name, Qt::CaseInsensitive) == 0;
        if (dup) {
            fail();
            continue;
        }
        values.append(std::move(v));
    }
    if (badLine)
        *badLine = bad;
    return values;
}

FileSettingsStore::FileSettingsStore(const QString& root, const QString& keyName)
    : path_(QDir(root).filePath(QStringLiteral("Selvik/") + keyName))
{
    if (!QFileInfo::exists(path_))
        return;
    ReadFile f;
    loadError_ = f.open(path_);
    if (loadError_ != 0)
        return;
    bool ok = true;
    const QByteArray bytes = f.readAll(&ok);
    if (!ok) {
        loadError_ = kErrGeneral;
        return;
    }
    replaceAll(decodeSettings(bytes, &firstBadLine_));
}

int FileSettingsStore::persist()
{
    if (const int e = MemorySettingsStore::persist())
        return e;
    // A file that could not be read is never replaced: its values may be intact.
    if (loadError_ != 0)
        return loadError_;
    if (firstBadLine_ != 0 && !damagedKept_) {
        // The rewrite drops the lines that did not parse; keep the old file beside it.
        QFile::remove(path_ + QStringLiteral(".beschaedigt"));
        QFile::copy(path_, path_ + QStringLiteral(".beschaedigt"));
        damagedKept_ = true;
    }
    const QString folder = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(folder))
        return kErrPathNotFound;
    return writeFileAtomically(path_, encodeSettings(values()));
}

QString defaultSettingsRoot()
{
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return xdg;
    return QDir::homePath() + QStringLiteral("/.config");
}

} // namespace zl
