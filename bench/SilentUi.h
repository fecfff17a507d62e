#pragma once

#include "document/UnattendedUi.h"

namespace vesk::bench {

// A user interface that answers nothing and counts the messages shown.
class SilentUi : public UnattendedUi {
public:
    void ShowMessage(std::string_view, std::string_view, MessageIcon) override { ++messages; }
    int messages = 0;
};

}  // namespace vesk::bench
