#include "convert/ConversionMessages.h"

#include "text/ShiftJis.h"

namespace vesk::conversion_messages {

std::string FillIn(std::string_view format, std::string_view value) {
    std::size_t at = format.find('%');
    while (at != std::string_view::npos && at + 1 < format.size() && format[at + 1] != 's' &&
           format[at + 1] != 'd') {
        at = format.find('%', at + 1);
    }
    if (at == std::string_view::npos || at + 1 >= format.size()) {
        return std::string(format);
    }
    std::string text(format.substr(0, at));
    text += value;
    text += format.substr(at + 2);
    return text;
}

std::string PathText(const std::filesystem::path& path) {
    return BytesAsDisplayText(path.string());
}

std::string DataLeftOut(const std::vector<std::string>& items) {
    std::string text(kDataLeftOut);
    for (const std::string& item : items) {
        text += '\n';
        text += item;
    }
    return text;
}

}  // namespace vesk::conversion_messages
