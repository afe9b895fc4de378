#pragma once
// The resources of a PE image as a flat list (type, name, language, bytes),
// read from an image's resource directory and serialised back to the bytes
// of a resource section. Serialising is a pure function of the list and the
// section's address, so the same quiz always gives the same bytes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "builder/pe_image.h"

struct ResourceName {
    bool isString = false;
    uint16_t id = 0;
    std::u16string text;

    static ResourceName fromId(uint16_t id);
    static ResourceName fromText(std::string_view ascii);
};

bool operator==(const ResourceName& a, const ResourceName& b);
// Directory order: names first (by UTF-16 code units), then numbers.
bool operator<(const ResourceName& a, const ResourceName& b);

constexpr uint16_t LanguageNeutral = 0;

struct ResourceEntry {
    ResourceName type;
    ResourceName name;
    uint16_t language = LanguageNeutral;
    uint32_t codePage = 0;
    std::vector<uint8_t> data;
};

using ResourceList = std::vector<ResourceEntry>;

// Reads every resource of the image (none when it has no resource directory).
bool readResources(const uint8_t* file, std::size_t fileSize, const PeImage& image, ResourceList& resources,
                   std::string& reason);

// The bytes of a resource section placed at `sectionRva`: directory tables,
// data entries, names, then the data, each part aligned to 8 bytes.
std::vector<uint8_t> serializeResources(const ResourceList& resources, uint32_t sectionRva);

void removeResourcesOfType(ResourceList& resources, const ResourceName& type);
// Adds the entry, replacing one with the same type, name and language.
void putResource(ResourceList& resources, ResourceEntry entry);
// A resource by type and numeric name, the neutral language preferred.
const ResourceEntry* findResource(const ResourceList& resources, const ResourceName& type, uint16_t id);
