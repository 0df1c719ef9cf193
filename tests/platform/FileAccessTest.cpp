#include "platform/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace zl;

namespace {

QByteArray slurp(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class FileAccessTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

} // namespace

TEST_F(FileAccessTest, OpenErrorsCarryWindowsCodes)
{
    ReadFile r;
    EXPECT_EQ(r.open(path("missing.dat")), kErrFileNotFound);
    EXPECT_EQ(r.open(path("nofolder/missing.dat")), kErrPathNotFound);
    EXPECT_EQ(r.open(dir.path()), kErrAccessDenied);

    AtomicWriteFile w;
    EXPECT_EQ(w.open(path("nofolder/x.dat")), kErrPathNotFound);
}

TEST_F(FileAccessTest, AtomicWriteReplacesOnlyOnCommit)
{
    const QString p = path("a.dat");
    ASSERT_EQ(writeFileAtomically(p, "old"), 0);
    {
        AtomicWriteFile w;
        ASSERT_EQ(w.open(p), 0);
        w.write(QByteArray("new content"));
        EXPECT_EQ(slurp(p), QByteArray("old")); // nothing visible before commit
        // destroyed without commit: discarded
    }
    EXPECT_EQ(slurp(p), QByteArray("old"));
    ASSERT_EQ(writeFileAtomically(p, "new"), 0);
    EXPECT_EQ(slurp(p), QByteArray("new"));
    // No temporary file is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(FileAccessTest, ReadOnlyTargetIsRefusedAndKept)
{
    const QString p = path("ro.dat");
    ASSERT_EQ(writeFileAtomically(p, "keep"), 0);
    ::chmod(QFile::encodeName(p).constData(), 0444);
    EXPECT_EQ(writeFileAtomically(p, "lost"), kErrAccessDenied);
    EXPECT_EQ(slurp(p), QByteArray("keep"));
}

TEST_F(FileAccessTest, ReadersAndWritersExcludeEachOther)
{
    const QString p = path("shared.dat");
    ASSERT_EQ(writeFileAtomically(p, "x"), 0);
    ReadFile r1, r2;
    ASSERT_EQ(r1.open(p), 0);
    EXPECT_EQ(r2.open(p), 0); // read sharing
    AtomicWriteFile w;
    EXPECT_EQ(w.open(p), kErrSharingViolation);
    r1.close();
    r2.close();
    ASSERT_EQ(w.open(p), 0);
    ReadFile r3;
    EXPECT_EQ(r3.open(p), kErrSharingViolation);
    w.write(QByteArray("y"));
    EXPECT_EQ(w.commit(), 0);
    EXPECT_EQ(r3.open(p), 0);
    EXPECT_EQ(r3.readAll(), QByteArray("y"));
}

TEST_F(FileAccessTest, SecondWriterOfANewFileGetsInUse)
{
    const QString p = path("new.dat");
    AtomicWriteFile first, second;
    ASSERT_EQ(first.open(p), 0);
    EXPECT_EQ(second.open(p), kErrSharingViolation);
    ReadFile r;
    EXPECT_EQ(r.open(p), kErrSharingViolation);
    first.write(QByteArray("first"));
    ASSERT_EQ(first.commit(), 0);
    EXPECT_EQ(slurp(p), QByteArray("first"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    // A new file that is never written leaves nothing behind.
    {
        AtomicWriteFile w;
        ASSERT_EQ(w.open(path("never.dat")), 0);
    }
    EXPECT_FALSE(QFile::exists(path("never.dat")));
}

TEST_F(FileAccessTest, CaseInsensitiveFallback)
{
    QDir(dir.path()).mkdir(QStringLiteral("ZL-Daten"));
    ASSERT_EQ(writeFileAtomically(dir.filePath(QStringLiteral("ZL-Daten/Zl_Karten.DAT")), "abc"), 0);
    ReadFile r;
    ASSERT_EQ(r.open(dir.filePath(QStringLiteral("zl-daten/zl_karten.dat"))), 0);
    EXPECT_EQ(r.readAll(), QByteArray("abc"));
    EXPECT_EQ(resolvePath(path("none/x")), path("none/x"));
}
