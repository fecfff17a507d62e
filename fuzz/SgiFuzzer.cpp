// Decodes the input as an SGI image: an image has the pixels its sides say,
// four bytes each; a damaged file gives a reason. Time and memory stay within
// the limits run.sh gives whatever the rows claim.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <variant>

#include "Oracle.h"
#include "model/SgiImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vesk;
    using namespace vesk::fuzz;
    const auto decoded = DecodeSgiImage(std::as_bytes(std::span(data, size)));
    if (const auto* image = std::get_if<RgbaImage>(&decoded)) {
        Require(image->width > 0 && image->height > 0, "an image has pixels");
        Require(image->pixels.size() == std::size_t{image->width} * image->height * 4,
                "an image holds four bytes for each of its pixels");
    } else {
        Require(!std::get<std::string>(decoded).empty(), "a file that does not decode says why");
    }
    return 0;
}
