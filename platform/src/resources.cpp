#include "tev/resources.hpp"

#include <map>
#include <optional>
#include <span>
#include <string>

#include "tev/runtime_error.hpp"

namespace tev {

// Generated at build time from the files in resources/ (see tools/embed_resources.cpp).
struct EmbeddedResource {
    int id;
    std::span<const std::uint8_t> bytes;
};
extern const std::span<const EmbeddedResource> kEmbeddedBitmaps;

namespace {

struct Entry {
    std::vector<std::uint8_t> ownBytes;
    std::span<const std::uint8_t> bytes;
    std::optional<Bitmap> decoded;
};

std::map<int, Entry>& table() {
    static std::map<int, Entry> entries = [] {
        std::map<int, Entry> initial;
        for (const EmbeddedResource& resource : kEmbeddedBitmaps) {
            initial[resource.id].bytes = resource.bytes;
        }
        return initial;
    }();
    return entries;
}

}  // namespace

const Bitmap& loadBitmapResource(int id) {
    const std::string name = "bitmap resource " + std::to_string(id);
    auto found = table().find(id);
    if (found == table().end()) {
        throw RuntimeError(name, "no such resource");
    }
    Entry& entry = found->second;
    if (!entry.decoded) {
        entry.decoded = decodeBmp(entry.bytes, name);
    }
    return *entry.decoded;
}

void registerBitmapResource(int id, std::vector<std::uint8_t> bmpFile) {
    Entry& entry = table()[id];
    entry.ownBytes = std::move(bmpFile);
    entry.bytes = entry.ownBytes;
    entry.decoded.reset();
}

}  // namespace tev
