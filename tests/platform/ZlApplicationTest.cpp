#include "platform/widgets/ZlApplication.h"

#include <QDialogButtonBox>
#include <QKeySequence>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace zl;

TEST(ZlApplicationTest, QtTextsAndShortcutNamesAreGerman)
{
    ASSERT_TRUE(LadeDeutscheQtTexte(*qApp)) << "qtbase_de is not installed";
    EXPECT_EQ(QKeySequence(Qt::CTRL | Qt::Key_F7).toString(QKeySequence::NativeText), QStringLiteral("Strg+F7"));
    EXPECT_EQ(QKeySequence(Qt::CTRL | Qt::Key_Left).toString(QKeySequence::NativeText),
              QStringLiteral("Strg+Links"));
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Save);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Abbrechen"));
    EXPECT_EQ(box.button(QDialogButtonBox::Save)->text(), QStringLiteral("Speichern"));
}
