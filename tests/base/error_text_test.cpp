#include <gtest/gtest.h>

#include "base/errors.h"

TEST(ErrorText, Placeholder) { EXPECT_STREQ(KyErrorStringA(1), "Allocation failure"); }
