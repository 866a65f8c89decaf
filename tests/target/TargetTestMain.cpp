// main() of the target-link tests: QSerialPort delivers bytes and timers only
// with an application object, so there is one for the whole run.
#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
