#pragma once

// Test helper: a German locale (decimal comma) for one scope, so number parsing
// and formatting can be shown to ignore the locale.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <clocale>
#include <string>

namespace zl_test {

// When the system has none installed it is built into a temporary folder that
// LOCPATH points at.
class GermanLocale {
public:
    GermanLocale()
    {
        saved_ = std::setlocale(LC_ALL, nullptr);
        ok_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
        if (!ok_ && build())
            ok_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    }
    ~GermanLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
    bool ok() const { return ok_; }

private:
    static bool build()
    {
        static QTemporaryDir dir;
        static bool built = false;
        if (built)
            return true;
        if (!dir.isValid())
            return false;
        QProcess p;
        p.start(QStringLiteral("localedef"), {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                                              QStringLiteral("UTF-8"), dir.filePath(QStringLiteral("de_DE.UTF-8"))});
        if (!p.waitForFinished(30000) || p.exitCode() != 0)
            return false;
        qputenv("LOCPATH", QFile::encodeName(dir.path()));
        built = true;
        return true;
    }
    std::string saved_;
    bool ok_ = false;
};

} // namespace zl_test
