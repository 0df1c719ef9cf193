#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace zl {

// A key of typed settings values, the programs' stand-in for a registry key.
// Value names are compared without case. Truth values are stored as 32-bit
// numbers (true when not 0), as the registry holds them, so a truth value and
// a whole number of the same name are one value. Reading a value of another
// type gives nothing, as if the value were missing.
class SettingsStore {
public:
    enum class Type { Text, Int32, Real };

    virtual ~SettingsStore() = default;

    virtual bool valueExists(const QString& name) const = 0;
    virtual std::optional<QString> readText(const QString& name) const = 0;
    virtual std::optional<qint32> readInt32(const QString& name) const = 0;
    virtual std::optional<double> readReal(const QString& name) const = 0;
    std::optional<bool> readBool(const QString& name) const;

    // Writes return 0 or the Windows error code of the failed save; after a
    // failure the value still reads back for the rest of the run.
    virtual int writeText(const QString& name, const QString& value) = 0;
    virtual int writeInt32(const QString& name, qint32 value) = 0;
    virtual int writeReal(const QString& name, double value) = 0;
    int writeBool(const QString& name, bool value) { return writeInt32(name, value ? 1 : 0); }
    virtual int deleteValue(const QString& name) = 0;
};

// Values held in memory only; the fake that tests hand to the windows.
class MemorySettingsStore : public SettingsStore {
public:
    struct Value {
        QString name;
        Type type = Type::Text;
        QString text;
        qint32 number = 0;
        double real = 0.0;
    };

    bool valueExists(const QString& name) const override;
    std::optional<QString> readText(const QString& name) const override;
    std::optional<qint32> readInt32(const QString& name) const override;
    std::optional<double> readReal(const QString& name) const override;
    int writeText(const QString& name, const QString& value) override;
    int writeInt32(const QString& name, qint32 value) override;
    int writeReal(const QString& name, double value) override;
    int deleteValue(const QString& name) override;

    const QList<Value>& values() const { return values_; }
    // Makes every later write fail with this code (0: writes succeed again).
    void setWriteError(int code) { writeError_ = code; }
    int writeCount() const { return writeCount_; }

protected:
    // Called after every change; returns 0 or the code of a failed save.
    virtual int persist() { return writeError_; }
    void replaceAll(QList<Value> values) { values_ = std::move(values); }

private:
    const Value* find(const QString& name) const;
    int store(Value v);

    QList<Value> values_;
    int writeError_ = 0;
    int writeCount_ = 0;
};

// The key kept in the file <root>/Selvik/<keyName>: one value a line, UTF-8,
// every text escaped so that any text reads back exactly as written. Every
// change rewrites the file atomically, so a failed save keeps the old file.
// A file that could not be read is left alone (writes fail with its code); a
// damaged one is kept as "<key>.beschaedigt" before it is first rewritten.
class FileSettingsStore : public MemorySettingsStore {
public:
    // Reads the key; a missing file is an empty key (and no error).
    FileSettingsStore(const QString& root, const QString& keyName);

    QString filePath() const { return path_; }
    // 0, or the Windows code with which reading the file failed.
    int loadError() const { return loadError_; }
    // 0, or the number of the first line that could not be read (the rest was kept).
    int firstBadLine() const { return firstBadLine_; }

protected:
    int persist() override;

private:
    QString path_;
    int loadError_ = 0;
    int firstBadLine_ = 0;
    bool damagedKept_ = false;
};

// The user's configuration folder: $XDG_CONFIG_HOME, else ~/.config.
QString defaultSettingsRoot();

// The text form of a settings file and back; exposed for tests.
QByteArray encodeSettings(const QList<MemorySettingsStore::Value>& values);
// Returns the values read; badLine gets the first line that did not parse (or 0).
QList<MemorySettingsStore::Value> decodeSettings(const QByteArray& bytes, int* badLine);

} // namespace zl
