// The configuration layer's tests run under one QCoreApplication: the
// translator that words the texts in Japanese, and the executable's
// directory, need it.

#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
