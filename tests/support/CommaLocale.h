#pragma once

namespace vesk::test {

// Switches the process to a comma-decimal locale, as the program runs in a
// German user's, for its lifetime.
class CommaLocale {
public:
    CommaLocale();
    ~CommaLocale();
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;
    bool Active() const { return active_; }

private:
    bool active_ = false;
};

}  // namespace vesk::test
