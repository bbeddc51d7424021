#include <gtest/gtest.h>

#include <QCoreApplication>

// The serial adapter runs on Qt's event machinery, as in the programs themselves.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
