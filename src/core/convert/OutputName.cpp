#include "convert/OutputName.h"

#include <cstdio>
#include <cstdlib>

namespace vesk {
namespace {

// Truncated toward zero to whole metres, then to whole hundreds.
int HundredsOfMetres(float metres) {
    return TruncToInt(metres) / 100;
}

char SignLetter(int quotient) {
    return quotient < 0 ? 'M' : 'P';
}

// |quotient| without overflow for the most negative int.
long long Magnitude(int quotient) {
    return std::llabs(static_cast<long long>(quotient));
}

}  // namespace

std::string MakeOutputName(const SubSheetRecord& record) {
    const int x = HundredsOfMetres(record.originX);
    const int y = HundredsOfMetres(record.originY);
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%02d%1c%04lld%1c%04lld%04d%04d", record.zone,
                  SignLetter(x), Magnitude(x), SignLetter(y), Magnitude(y),
                  HundredsOfMetres(record.width), HundredsOfMetres(record.height));
    return buffer;
}

}  // namespace vesk
