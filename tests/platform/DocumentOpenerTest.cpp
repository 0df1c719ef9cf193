#include "platform/widgets/DocumentOpener.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zl;

TEST(DocumentOpener, MissingLocalFileFailsWithoutLaunching)
{
    QTemporaryDir dir;
    DesktopDocumentOpener real;
    EXPECT_FALSE(real.open(QStringLiteral("file://") + dir.filePath(QStringLiteral("ZL-Hilfe/index.html"))));
}

TEST(DocumentOpener, RecorderReplacesTheDesktopForOneScope)
{
    DocumentOpener* before = &documentOpener();
    {
        ScopedDocumentRecorder rec;
        rec.result = false;
        EXPECT_FALSE(documentOpener().open(QStringLiteral("https://example.org/")));
        EXPECT_EQ(rec.opened, QStringList{QStringLiteral("https://example.org/")});
    }
    EXPECT_EQ(&documentOpener(), before);
}
