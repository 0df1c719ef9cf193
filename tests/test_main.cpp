// Test entry point: an offscreen QApplication, and a message recorder in place of
// real boxes so that no test can ever block on a modal window.
#include "platform/MessageService.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    zl::RecordingMessageService fallback;
    zl::setMessageService(&fallback);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
