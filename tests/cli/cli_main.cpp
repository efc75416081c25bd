// Test entry for the command-line tool's tests: child processes and the simulator want a
// QCoreApplication; the texts are English unless a test chooses.
#include "language.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    zorvex::LoadLanguageTable(zorvex::Language::English);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
