#pragma once


namespace vesk {

// The most characters WriteFixedReal can write: sign, 309 integer digits of
// the largest double, the point and six decimals.
inline constexpr int kMaxFixedRealChars = 320;

// Exactly what C's printf("%f") prints for the value in the "C" locale: fixed
// notation, six decimals rounded to nearest with ties to even, "-" for every
// value with the sign bit set (so "-0.000000"), "inf" and "nan" with their
// sign. It never looks at the process locale, so the decimal point stays "."
// whatever locale a GUI switched to. Gives the end of the text; no terminator.
char* WriteFixedReal(char* out, double value);

}  // namespace vesk
