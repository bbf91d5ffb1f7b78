#include "core/platform/late_library.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(LateLibrary, FindsAFunctionAndAVariableOfALibraryLoadedOnlyWhenAskedFor)
{
    LateLibrary maths(QStringLiteral("libm.so.6"));
    const auto cosine = maths.find<double(double)>("cos");
    ASSERT_NE(cosine, nullptr);
    EXPECT_DOUBLE_EQ(cosine(0.5), std::cos(0.5));
    // lgamma's sign, a variable of the library.
    EXPECT_NE(maths.find<int>("signgam"), nullptr);
}

TEST(LateLibrary, AnswersNothingAndSaysWhyForAMissingLibraryOrName)
{
    LateLibrary missing(QStringLiteral("libpursewise-no-such-library.so.1"));
    EXPECT_EQ(missing.find<void()>("anything"), nullptr);
    EXPECT_TRUE(missing.reason().contains(QStringLiteral("libpursewise-no-such-library")))
        << missing.reason().toStdString();

    LateLibrary maths(QStringLiteral("libm.so.6"));
    EXPECT_EQ(maths.find<void()>("pursewise_no_such_function"), nullptr);
    EXPECT_FALSE(maths.reason().isEmpty());
}
