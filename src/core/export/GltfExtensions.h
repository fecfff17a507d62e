#pragma once

#include <algorithm>
#include <string>

#include <tiny_gltf.h>

namespace vesk {

// Declares an extension the document uses, once; a reader that does not know
// a required one must refuse the file rather than show it wrong.
inline void UseExtension(tinygltf::Model& gltf, const std::string& name, bool required) {
    const auto declare = [&name](std::vector<std::string>& list) {
        if (std::find(list.begin(), list.end(), name) == list.end()) {
            list.push_back(name);
        }
    };
    declare(gltf.extensionsUsed);
    if (required) {
        declare(gltf.extensionsRequired);
    }
}

}  // namespace vesk
