#include <QCoreApplication>

#include <gtest/gtest.h>

// The core's tests run without any window system at all.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
