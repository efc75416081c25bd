// Test entry of the Bluetooth tests: the thread's calls into the window need a QCoreApplication
// whose event loop the tests turn while they wait; the messages are the English ones.
#include "language.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    zorvex::LoadLanguageTable(zorvex::Language::English);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
