// The countdown's figure, its leaving the screen before the grab, and when it changes next.
#include <gtest/gtest.h>

#include <cstdint>

#include "core/Countdown.h"

namespace {

struct Moment {
    std::int64_t remainingMs;
    std::int32_t seconds;
    bool shows;
    std::int64_t nextChange;
};

class CountdownAt : public ::testing::TestWithParam<Moment> {};

TEST_P(CountdownAt, ShowsTheSecondsRoundedUpAndLeavesJustBeforeTheGrab)
{
    const Moment& m = GetParam();
    EXPECT_EQ(core::SecondsLeft(m.remainingMs), m.seconds) << m.remainingMs;
    EXPECT_EQ(core::CountdownShows(m.remainingMs), m.shows) << m.remainingMs;
    EXPECT_EQ(core::NextCountdownChange(m.remainingMs), m.nextChange) << m.remainingMs;
}

INSTANTIATE_TEST_SUITE_P(Moments, CountdownAt,
                         ::testing::Values(Moment{99000, 99, true, 1000}, Moment{3000, 3, true, 1000},
                                           Moment{2999, 3, true, 999}, Moment{2001, 3, true, 1},
                                           Moment{2000, 2, true, 1000}, Moment{1000, 1, true, 850},
                                           Moment{700, 1, true, 550}, Moment{151, 1, true, 1},
                                           Moment{150, 1, false, 0}, Moment{1, 1, false, 0},
                                           Moment{0, 0, false, 0}, Moment{-40, 0, false, 0}));

}  // namespace
