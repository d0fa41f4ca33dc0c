#include <gtest/gtest.h>
#include "platform/Convert.h"
using namespace Convert;
TEST(Convert, Placeholder) { EXPECT_EQ(Val(QStringLiteral("2x")), 2); }
