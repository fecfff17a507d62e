// The "%f" formatter against the C library's own printf, on chosen edge values
// and on about two million random ones.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "convert/FixedRealFormat.h"
#include "convert/IntegerFormat.h"

namespace vesk {
namespace {

std::string FormatFixedReal(double value) {
    char buffer[kMaxFixedRealChars];
    return std::string(buffer, WriteFixedReal(buffer, value));
}

std::string Printf(double value) {
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%f", value);
    return buffer;
}

// Counts mismatches and keeps the first few, so one failure does not flood the log.
class Comparison {
public:
    void Check(double value) {
        ++checked_;
        const std::string expected = Printf(value);
        const std::string actual = FormatFixedReal(value);
        if (actual != expected && ++failures_ <= 5) {
            ADD_FAILURE() << "bits " << std::hex << std::bit_cast<std::uint64_t>(value)
                          << ": printf gives " << expected << ", formatter " << actual;
        }
    }
    int Failures() const { return failures_; }
    int Checked() const { return checked_; }

private:
    int failures_ = 0;
    int checked_ = 0;
};

TEST(FixedRealFormat, PrintsTheExamplesAsPrintfDoes) {
    EXPECT_EQ(FormatFixedReal(0.0), "0.000000");
    EXPECT_EQ(FormatFixedReal(12.5), "12.500000");
    EXPECT_EQ(FormatFixedReal(-850.0), "-850.000000");
    EXPECT_EQ(FormatFixedReal(static_cast<double>(0.1f)), "0.100000");
    EXPECT_EQ(FormatFixedReal(1e10), "10000000000.000000");
    // Decimal ties are not ties in binary: 0.9999995 is stored a little above
    // it and rounds up, 0.1234565 a little below it and rounds down.
    EXPECT_EQ(FormatFixedReal(0.9999995), "1.000000");
    EXPECT_EQ(FormatFixedReal(0.1234565), "0.123456");
    EXPECT_EQ(FormatFixedReal(-999999.9999999), "-1000000.000000");
}

TEST(FixedRealFormat, NegativeZeroAndTinyNegativesKeepTheirSign) {
    EXPECT_EQ(FormatFixedReal(-0.0), "-0.000000");
    EXPECT_EQ(FormatFixedReal(-1e-9), "-0.000000");
    EXPECT_EQ(FormatFixedReal(-std::numeric_limits<double>::denorm_min()), "-0.000000");
    EXPECT_EQ(FormatFixedReal(static_cast<double>(-0.0f)), "-0.000000");
}

TEST(FixedRealFormat, InfinitiesAndNotANumberArePrintedAsWords) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(FormatFixedReal(kInf), Printf(kInf));
    EXPECT_EQ(FormatFixedReal(-kInf), Printf(-kInf));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(FormatFixedReal(nan), Printf(nan));
    EXPECT_EQ(FormatFixedReal(-nan), Printf(-nan));
}

// A value lies exactly halfway between two millionths only when it is an odd
// multiple of 1/128; printf rounds those to the even neighbour.
TEST(FixedRealFormat, HalfwayCasesRoundToEvenAsPrintfDoes) {
    EXPECT_EQ(FormatFixedReal(1.0 / 128), "0.007812");
    EXPECT_EQ(FormatFixedReal(3.0 / 128), "0.023438");
    EXPECT_EQ(FormatFixedReal(-5.0 / 128), "-0.039062");
    Comparison comparison;
    std::mt19937_64 random(7);
    for (int n = 0; n < 100000; ++n) {
        const std::uint64_t odd = 2 * (n < 50000 ? n : random() % (std::uint64_t{1} << 44)) + 1;
        const double tie = static_cast<double>(odd) / 128;
        comparison.Check(tie);
        comparison.Check(-tie);
        comparison.Check(std::nextafter(tie, 0.0));
        comparison.Check(std::nextafter(tie, 1e300));
    }
    EXPECT_EQ(comparison.Failures(), 0) << "of " << comparison.Checked();
}

TEST(FixedRealFormat, LargeAndExtremeValuesMatchPrintf) {
    Comparison comparison;
    for (const double value : {1e10,
                               1e15,
                               9007199254740992.0,
                               9007199254740993.0,
                               18446744073709551615.0,
                               18446744073709551616.0,
                               1e20,
                               1e22,
                               1e23,
                               3.4028234663852886e38,
                               1e300,
                               DBL_MAX,
                               DBL_MIN,
                               std::numeric_limits<double>::denorm_min(),
                               0.5e-6,
                               1.5e-6,
                               2.5e-6,
                               4.999999999999999e-7,
                               5.000000000000001e-7,
                               123456.1234565,
                               0.9999995,
                               1e-7}) {
        comparison.Check(value);
        comparison.Check(-value);
    }
    for (int exponent = -1074; exponent <= 1023; ++exponent) {
        comparison.Check(std::ldexp(1.0, exponent));
        comparison.Check(std::ldexp(1.0, exponent) * 1.5);
        comparison.Check(std::nextafter(std::ldexp(1.0, exponent), 0.0));
    }
    EXPECT_EQ(comparison.Failures(), 0) << "of " << comparison.Checked();
}

// Every f32 a sheet file can hold is widened to double before printing.
TEST(FixedRealFormat, RandomSinglePrecisionValuesMatchPrintf) {
    Comparison comparison;
    std::mt19937 random(2500);
    for (int n = 0; n < 1000000; ++n) {
        comparison.Check(
            static_cast<double>(std::bit_cast<float>(static_cast<std::uint32_t>(random()))));
    }
    EXPECT_EQ(comparison.Failures(), 0) << "of " << comparison.Checked();
}

// Terrain coordinates and texture coordinates are computed in double.
TEST(FixedRealFormat, RandomDoublePrecisionValuesMatchPrintf) {
    Comparison comparison;
    std::mt19937_64 random(1500);
    std::uniform_real_distribution<double> plane(-300000.0, 300000.0);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_real_distribution<double> magnitude(-9.0, 22.0);
    for (int n = 0; n < 150000; ++n) {
        comparison.Check(plane(random));
        comparison.Check(unit(random));
        comparison.Check(std::pow(10.0, magnitude(random)) * (n % 2 ? -1 : 1));
        comparison.Check(std::bit_cast<double>(random()));
    }
    EXPECT_EQ(comparison.Failures(), 0) << "of " << comparison.Checked();
}

TEST(FixedRealFormat, IgnoresACommaDecimalLocale) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    const std::string underLocale = FormatFixedReal(-1234.5);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(underLocale, "-1234.500000");
}

TEST(IntegerFormat, PadsToTheMinimumWidthAndGrowsPastIt) {
    const auto format = [](std::uint64_t value, int digits) {
        char buffer[kMaxIntegerChars];
        return std::string(buffer, WritePaddedInteger(buffer, value, digits));
    };
    EXPECT_EQ(format(0, 6), "000000");
    EXPECT_EQ(format(42, 6), "000042");
    EXPECT_EQ(format(999999, 6), "999999");
    EXPECT_EQ(format(1000000, 6), "1000000");
    EXPECT_EQ(format(0, 2), "00");
    EXPECT_EQ(format(7, 2), "07");
    EXPECT_EQ(format(100, 2), "100");
    EXPECT_EQ(format(1270, 2), "1270");
    EXPECT_EQ(format(UINT64_MAX, 6), "18446744073709551615");
}

}  // namespace
}  // namespace vesk
