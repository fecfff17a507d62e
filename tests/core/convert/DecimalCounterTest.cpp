// Counters whose text is incremented in place.
#include "convert/DecimalCounter.h"

#include <gtest/gtest.h>

#include <string>

namespace vesk {
namespace {

TEST(DecimalCounter, CountsLikeFormattingEachValueAnew) {
    for (const int digits : {2, 6}) {
        for (const std::uint64_t start : {0ull, 95ull, 999990ull, 99999999999990ull}) {
            DecimalCounter counter(start, digits);
            for (std::uint64_t value = start; value < start + 20; ++value, counter.Increment()) {
                char expected[kMaxIntegerChars];
                char* end = WritePaddedInteger(expected, value, digits);
                ASSERT_EQ(counter.View(),
                          std::string_view(expected, static_cast<std::size_t>(end - expected)))
                    << value;
            }
        }
    }
}

TEST(DecimalCounter, GrowsPastItsMinimumWidth) {
    DecimalCounter counter(99, 2);
    counter.Increment();
    EXPECT_EQ(counter.View(), "100");
    DecimalCounter six(999999, 6);
    six.Increment();
    EXPECT_EQ(six.View(), "1000000");
    counter.Set(7, 2);
    EXPECT_EQ(counter.View(), "07");
}

}  // namespace
}  // namespace vesk
