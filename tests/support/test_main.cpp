#include <QApplication>

#include <cstdlib>
#include <gtest/gtest.h>

// Shared by every test binary. Windows are drawn offscreen unless the caller
// chose a platform, so the binaries run (and list their tests) without a display.
int main(int argc, char** argv)
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform == nullptr || *platform == '\0')
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
