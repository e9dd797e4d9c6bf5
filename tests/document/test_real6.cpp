#include "document/real6.h"

#include <gtest/gtest.h>

using veltrano::Real6;

TEST(Real6, OneEncodesAsExponent129)
{
    const Real6 one = Real6::fromDouble(1.0);
    EXPECT_EQ(one.bytes, (std::array<std::uint8_t, 6>{0x81, 0, 0, 0, 0, 0}));
}
