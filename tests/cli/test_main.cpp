// The console tool's tests run it in-process under one QCoreApplication, as
// its own main does: the Japanese texts come from the translator, which
// needs one.

#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
