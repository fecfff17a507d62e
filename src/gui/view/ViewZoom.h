#pragma once

namespace vesk::gui {

// The zoom steps of the view, 25 % to 800 %, and the step a key or a wheel
// notch leads to.
class ViewZoom {
public:
    static constexpr double kMin = 0.25;
    static constexpr double kMax = 8.0;

    double Factor() const { return factor_; }
    int Percent() const;

    // The next step above or below the current factor, kept within kMin..kMax.
    double StepIn() const;
    double StepOut() const;

    void Set(double factor);

private:
    double factor_ = 1.0;
};

}  // namespace vesk::gui
