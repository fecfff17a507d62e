#include "CommaLocale.h"

#include <clocale>

namespace vesk::test {

CommaLocale::CommaLocale() {
    active_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
}

CommaLocale::~CommaLocale() {
    std::setlocale(LC_ALL, "C");
}

}  // namespace vesk::test
