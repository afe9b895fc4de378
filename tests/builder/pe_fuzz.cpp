// libFuzzer target: the PE reader and resource directory reader take any
// bytes without reading outside them, and whatever they accept the writer
// turns into an image they read back with the same resources.

#include <cstdlib>

#include "builder/pe_image.h"
#include "builder/pe_resource_writer.h"
#include "builder/resource_directory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> image(data, data + size);
    PeImage pe;
    ResourceList resources;
    std::string reason;
    if (!readPeImage(image.data(), image.size(), pe, reason)) return 0;
    if (!readResources(image.data(), image.size(), pe, resources, reason)) return 0;
    resources.push_back({ResourceName::fromText("PATCH"), ResourceName::fromId(104), 0, 0, {1, 2, 3}});
    std::vector<uint8_t> written;
    if (!writeImageWithResources(image, resources, written, reason)) return 0;
    PeImage again;
    ResourceList back;
    if (!readPeImage(written.data(), written.size(), again, reason) ||
        !readResources(written.data(), written.size(), again, back, reason) || back.size() != resources.size())
        std::abort();
    return 0;
}
