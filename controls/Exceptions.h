#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

namespace zl {

// Root of the programs' own exceptions. The message is German text for the
// application's error box; what() gives it as UTF-8 for logs.
class Exception : public std::exception {
public:
    explicit Exception(QString message)
        : message_(std::move(message)), what_(message_.toUtf8()) {}
    const QString& message() const noexcept { return message_; }
    const char* what() const noexcept override { return what_.constData(); }

private:
    QString message_;
    QByteArray what_;
};

// An input/output error after a file was opened: a failed read, write or
// close, or a number that does not convert (code 106).
class EInOutError : public Exception {
public:
    explicit EInOutError(int code) : Exception(textFor(code)), code_(code) {}
    int code() const noexcept { return code_; }

    // "Ungültige numerische Eingabe" for 106, "E/A-Fehler <code>" otherwise.
    static QString textFor(int code)
    {
        if (code == kInvalidNumber)
            return QStringLiteral("Ungültige numerische Eingabe");
        return QStringLiteral("E/A-Fehler %1").arg(code);
    }

    static constexpr int kInvalidNumber = 106;
    static constexpr int kFileNotOpen = 103;
    static constexpr int kNotOpenForInput = 104;
    static constexpr int kNotOpenForOutput = 105;

private:
    int code_;
};

// A text that is not the value asked for.
class EConvertError : public Exception {
public:
    using Exception::Exception;

    // "'<text>' ist kein gültiger Gleitkommawert"
    static EConvertError notAFloat(const QString& text)
    {
        return EConvertError(QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(text));
    }
};

} // namespace zl
