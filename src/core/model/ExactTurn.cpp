#include "model/ExactTurn.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace vesk {
namespace {

// A double and the rounding error it leaves: together exactly the result.
struct Exact {
    double value;
    double error;
};

Exact TwoSum(double a, double b) {
    const double sum = a + b;
    const double bVirtual = sum - a;
    const double aVirtual = sum - bVirtual;
    return {sum, (a - aVirtual) + (b - bVirtual)};
}

Exact TwoDifference(double a, double b) {
    return TwoSum(a, -b);
}

Exact TwoProduct(double a, double b) {
    const double product = a * b;
    return {product, std::fma(a, b, -product)};
}

// A sum of doubles held exactly: its parts, smallest first, do not overlap,
// so the last part that is not zero has the sum's sign.
class Expansion {
public:
    void Add(double b) {
        double carry = b;
        for (std::size_t i = 0; i < size_; ++i) {
            const Exact sum = TwoSum(carry, parts_[i]);
            parts_[i] = sum.error;
            carry = sum.value;
        }
        parts_[size_++] = carry;
    }

    void AddProduct(double a, double b) {
        const Exact product = TwoProduct(a, b);
        Add(product.error);
        Add(product.value);
    }

    int Sign() const {
        for (std::size_t i = size_; i > 0; --i) {
            if (parts_[i - 1] != 0.0) {
                return parts_[i - 1] > 0.0 ? 1 : -1;
            }
        }
        return 0;
    }

private:
    std::array<double, 16> parts_{};
    std::size_t size_ = 0;
};

}  // namespace

int ExactTurnOfDoubtfulCase(const FootprintPoint& a, const FootprintPoint& b,
                            const FootprintPoint& c) {
    // (a - c) x (b - c), each difference exactly a value and its error.
    const Exact acx = TwoDifference(a.x, c.x);
    const Exact acy = TwoDifference(a.y, c.y);
    const Exact bcx = TwoDifference(b.x, c.x);
    const Exact bcy = TwoDifference(b.y, c.y);
    Expansion determinant;
    for (const double left : {acx.value, acx.error}) {
        for (const double right : {bcy.value, bcy.error}) {
            determinant.AddProduct(left, right);
        }
    }
    for (const double left : {acy.value, acy.error}) {
        for (const double right : {bcx.value, bcx.error}) {
            determinant.AddProduct(-left, right);
        }
    }
    return determinant.Sign();
}

}  // namespace vesk
