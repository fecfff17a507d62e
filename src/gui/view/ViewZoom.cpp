#include "view/ViewZoom.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vesk::gui {
namespace {

constexpr std::array kSteps = {0.25, 1.0 / 3.0, 0.5, 2.0 / 3.0, 1.0, 1.5, 2.0, 3.0, 4.0, 6.0, 8.0};

}  // namespace

int ViewZoom::Percent() const {
    return static_cast<int>(std::lround(factor_ * 100.0));
}

double ViewZoom::StepIn() const {
    const auto next = std::upper_bound(kSteps.begin(), kSteps.end(), factor_ + 1e-9);
    return next == kSteps.end() ? kMax : *next;
}

double ViewZoom::StepOut() const {
    const auto next = std::lower_bound(kSteps.begin(), kSteps.end(), factor_ - 1e-9);
    return next == kSteps.begin() ? kMin : *(next - 1);
}

void ViewZoom::Set(double factor) {
    factor_ = std::clamp(factor, kMin, kMax);
}

}  // namespace vesk::gui
