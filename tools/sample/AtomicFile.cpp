#include "AtomicFile.h"

namespace vesk::sample {

bool AtomicFile::Open(std::string& error) {
    if (file_.IsOpen()) {
        return true;
    }
    const std::filesystem::path folder = file_.Target().parent_path();
    error = "cannot create a file in " + (folder.empty() ? std::string(".") : folder.string()) +
            ": " + file_.Reason();
    return false;
}

void AtomicFile::Put(std::span<const std::byte> bytes) {
    if (file_.IsOpen()) {
        file_.Write(bytes);
    }
}

bool AtomicFile::Commit(std::string& error) {
    if (file_.Commit()) {
        return true;
    }
    error = "cannot write " + file_.Target().string() + ": " + file_.Reason();
    return false;
}

}  // namespace vesk::sample
