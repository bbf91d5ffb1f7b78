#include "app/main_window.h"

#include <gtest/gtest.h>

namespace {

TEST(MainWindow, IsTitledWithTheProgramNameAndAFullStop)
{
    TMain window;
    window.show();
    EXPECT_EQ(window.objectName(), QStringLiteral("Main"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quillfen Pursewise."));
    EXPECT_TRUE(window.isVisible());
}

} // namespace
