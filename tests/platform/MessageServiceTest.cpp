#include "platform/MessageService.h"

#include <gtest/gtest.h>

using namespace zl;

TEST(MessageService, RecorderLogsAndAnswersFromScript)
{
    ScopedMessageRecorder rec;
    rec.answerNext(mbNo);
    EXPECT_FALSE(FrageJaNein(QStringLiteral("Wirklich?")));
    EXPECT_TRUE(FrageJaNein(QStringLiteral("Noch einmal?"))); // default button
    ZeigeFehler(QStringLiteral("Datei-Lesefehler! (2)"));
    ASSERT_EQ(rec.entries().size(), 3);
    EXPECT_EQ(rec.entries()[0].caption, QStringLiteral("Bestätigung"));
    EXPECT_EQ(rec.entries()[2].caption, QStringLiteral("Fehler"));
    EXPECT_EQ(rec.texts().last(), QStringLiteral("Datei-Lesefehler! (2)"));
}
