#include <QCoreApplication>

#include <gtest/gtest.h>

// The fault tests run probe processes, which QProcess watches through the application object.
int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
