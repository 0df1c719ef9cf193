// Test entry point: an offscreen QApplication, and a message recorder in place of
// real boxes so that no test can ever block on a modal window.
#include "platform/MessageService.h"

#include <QApplication>
#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
// The system audio library that Qt Multimedia opens keeps allocations to the end; none is ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libpulse.so\n"; }
#endif

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    zl::RecordingMessageService fallback;
    zl::setMessageService(&fallback);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
