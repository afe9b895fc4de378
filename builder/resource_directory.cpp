#include "builder/resource_directory.h"

#include <algorithm>
#include <map>

#include "builder/byte_reader.h"

namespace {

constexpr uint32_t HighBit = 0x80000000u;
constexpr uint32_t DirectoryHeaderSize = 16;
constexpr uint32_t DirectoryEntrySize = 8;
constexpr uint32_t DataEntrySize = 16;
constexpr int LevelCount = 3;        // type, name, language
constexpr std::size_t MaxLeaves = 100000;

uint32_t align8(uint32_t n) { return (n + 7u) & ~7u; }

struct DirectoryReader {
    ByteReader section;
    const uint8_t* file;
    std::size_t fileSize;
    const PeImage& image;
    ResourceList& out;
    std::string& reason;
    std::size_t visits = 0;  // bounds the work on a directory whose tables loop

    bool fail(const char* text) {
        reason = text;
        return false;
    }

    bool name(uint32_t field, ResourceName& result) {
        if (!(field & HighBit)) {
            if (field > 0xFFFF) return fail("identifiant de ressource invalide");
            result = ResourceName::fromId(static_cast<uint16_t>(field));
            return true;
        }
        uint32_t at = field & ~HighBit;
        uint16_t length = 0;
        if (!section.u16(at, length) || !section.has(at + 2, 2u * length))
            return fail("nom de ressource hors de la section");
        result.isString = true;
        result.text.clear();
        for (uint16_t i = 0; i < length; ++i) {
            uint16_t unit = 0;
            section.u16(at + 2 + 2u * i, unit);
            result.text += static_cast<char16_t>(unit);
        }
        return true;
    }

    bool table(uint32_t at, int level, ResourceEntry& path) {
        if (++visits > MaxLeaves) return fail("trop de tables de ressources");
        uint16_t named = 0, numbered = 0;
        if (!section.u16(at + 12, named) || !section.u16(at + 14, numbered))
            return fail("table de ressources hors de la section");
        uint32_t count = static_cast<uint32_t>(named) + numbered;
        if (!section.has(at + DirectoryHeaderSize, count * DirectoryEntrySize))
            return fail("table de ressources hors de la section");
        for (uint32_t i = 0; i < count; ++i) {
            uint32_t e = at + DirectoryHeaderSize + i * DirectoryEntrySize;
            uint32_t nameField = 0, target = 0;
            section.u32(e, nameField);
            section.u32(e + 4, target);
            ResourceName n;
            if (!name(nameField, n)) return false;
            bool isTable = (target & HighBit) != 0;
            if (level == 0) path.type = n;
            if (level == 1) path.name = n;
            if (level < LevelCount - 1) {
                if (!isTable) return fail("arborescence de ressources invalide");
                if (!table(target & ~HighBit, level + 1, path)) return false;
                continue;
            }
            if (isTable || n.isString) return fail("arborescence de ressources invalide");
            path.language = n.id;
            if (!leaf(target, path)) return false;
        }
        return true;
    }

    bool leaf(uint32_t at, ResourceEntry& path) {
        if (out.size() >= MaxLeaves) return fail("trop de ressources");
        uint32_t rva = 0, size = 0, codePage = 0, offset = 0;
        if (!section.u32(at, rva) || !section.u32(at + 4, size) || !section.u32(at + 8, codePage))
            return fail("entrée de ressource hors de la section");
        if (!peRvaToOffset(image, fileSize, rva, size, offset)) return fail("données de ressource hors du fichier");
        ResourceEntry entry = path;
        entry.codePage = codePage;
        entry.data.assign(file + offset, file + offset + size);
        out.push_back(std::move(entry));
        return true;
    }
};

// One directory table: its entries' names and what each points to.
struct Table {
    std::vector<std::pair<ResourceName, uint32_t>> entries;  // name, index of child table or leaf
};

}  // namespace

ResourceName ResourceName::fromId(uint16_t id) {
    ResourceName n;
    n.id = id;
    return n;
}

ResourceName ResourceName::fromText(std::string_view ascii) {
    ResourceName n;
    n.isString = true;
    for (char c : ascii) n.text += static_cast<char16_t>(static_cast<unsigned char>(c));
    return n;
}

bool operator==(const ResourceName& a, const ResourceName& b) {
    return a.isString == b.isString && (a.isString ? a.text == b.text : a.id == b.id);
}

bool operator<(const ResourceName& a, const ResourceName& b) {
    if (a.isString != b.isString) return a.isString;
    return a.isString ? a.text < b.text : a.id < b.id;
}

bool readResources(const uint8_t* file, std::size_t fileSize, const PeImage& image, ResourceList& resources,
                   std::string& reason) {
    resources.clear();
    PeDataDirectory dir = image.directory(PeDirectoryResource);
    if (dir.rva == 0 || dir.size == 0) return true;
    int index = image.sectionOf(dir.rva);
    if (index < 0) {
        reason = "répertoire de ressources hors des sections";
        return false;
    }
    const PeSection& s = image.sections[index];
    uint32_t start = dir.rva - s.virtualAddress;
    if (start > s.rawSize) {
        reason = "répertoire de ressources hors du fichier";
        return false;
    }
    DirectoryReader reader{ByteReader(file + s.rawOffset + start, s.rawSize - start), file, fileSize,
                           image, resources, reason};
    ResourceEntry path;
    return reader.table(0, 0, path);
}

std::vector<uint8_t> serializeResources(const ResourceList& input, uint32_t sectionRva) {
    std::vector<const ResourceEntry*> sorted;
    for (const ResourceEntry& e : input) sorted.push_back(&e);
    std::stable_sort(sorted.begin(), sorted.end(), [](const ResourceEntry* a, const ResourceEntry* b) {
        if (!(a->type == b->type)) return a->type < b->type;
        if (!(a->name == b->name)) return a->name < b->name;
        return a->language < b->language;
    });

    // Tables in the order they are laid out: the root, every type table,
    // then every name table; leaves index `sorted`.
    std::vector<Table> tables(1);
    std::vector<Table> nameTables;
    std::vector<Table> typeTables;
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        const ResourceEntry& e = *sorted[i];
        bool newType = i == 0 || !(sorted[i - 1]->type == e.type);
        bool newName = newType || !(sorted[i - 1]->name == e.name);
        if (newType) {
            tables[0].entries.push_back({e.type, static_cast<uint32_t>(typeTables.size())});
            typeTables.emplace_back();
        }
        if (newName) {
            typeTables.back().entries.push_back({e.name, static_cast<uint32_t>(nameTables.size())});
            nameTables.emplace_back();
        }
        nameTables.back().entries.push_back({ResourceName::fromId(e.language), static_cast<uint32_t>(i)});
    }

    auto tableSize = [](const Table& t) {
        return DirectoryHeaderSize + DirectoryEntrySize * static_cast<uint32_t>(t.entries.size());
    };
    uint32_t offset = tableSize(tables[0]);
    std::vector<uint32_t> typeOffsets, nameOffsets;
    for (const Table& t : typeTables) {
        typeOffsets.push_back(offset);
        offset += tableSize(t);
    }
    for (const Table& t : nameTables) {
        nameOffsets.push_back(offset);
        offset += tableSize(t);
    }
    uint32_t dataEntriesOffset = offset;
    offset += DataEntrySize * static_cast<uint32_t>(sorted.size());

    // Names, each stored once: a 16-bit length then UTF-16 units.
    std::map<std::u16string, uint32_t> nameOffsetsByText;
    auto noteName = [&](const ResourceName& n) {
        if (n.isString && !nameOffsetsByText.count(n.text)) {
            nameOffsetsByText[n.text] = offset;
            offset += 2 + 2 * static_cast<uint32_t>(n.text.size());
        }
    };
    for (const auto& [n, child] : tables[0].entries) noteName(n);
    for (const Table& t : typeTables)
        for (const auto& [n, child] : t.entries) noteName(n);
    offset = align8(offset);

    std::vector<uint32_t> dataOffsets;
    for (const ResourceEntry* e : sorted) {
        dataOffsets.push_back(offset);
        offset = align8(offset + static_cast<uint32_t>(e->data.size()));
    }

    std::vector<uint8_t> out(offset, 0);
    auto writeTable = [&](uint32_t at, const Table& t, auto childOffset, bool childIsTable) {
        uint16_t named = 0;
        for (const auto& entry : t.entries) named += entry.first.isString;
        putU16(out, at + 12, named);
        putU16(out, at + 14, static_cast<uint16_t>(t.entries.size() - named));
        uint32_t e = at + DirectoryHeaderSize;
        for (const auto& [n, child] : t.entries) {
            putU32(out, e, n.isString ? (HighBit | nameOffsetsByText[n.text]) : n.id);
            putU32(out, e + 4, childIsTable ? (HighBit | childOffset(child)) : childOffset(child));
            e += DirectoryEntrySize;
        }
    };
    writeTable(0, tables[0], [&](uint32_t c) { return typeOffsets[c]; }, true);
    for (std::size_t i = 0; i < typeTables.size(); ++i)
        writeTable(typeOffsets[i], typeTables[i], [&](uint32_t c) { return nameOffsets[c]; }, true);
    for (std::size_t i = 0; i < nameTables.size(); ++i)
        writeTable(nameOffsets[i], nameTables[i], [&](uint32_t c) { return dataEntriesOffset + DataEntrySize * c; },
                   false);
    for (const auto& [text, at] : nameOffsetsByText) {
        putU16(out, at, static_cast<uint16_t>(text.size()));
        for (std::size_t k = 0; k < text.size(); ++k) putU16(out, at + 2 + 2 * k, static_cast<uint16_t>(text[k]));
    }
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        uint32_t at = dataEntriesOffset + DataEntrySize * static_cast<uint32_t>(i);
        putU32(out, at, sectionRva + dataOffsets[i]);
        putU32(out, at + 4, static_cast<uint32_t>(sorted[i]->data.size()));
        putU32(out, at + 8, sorted[i]->codePage);
        std::copy(sorted[i]->data.begin(), sorted[i]->data.end(), out.begin() + dataOffsets[i]);
    }
    return out;
}

void removeResourcesOfType(ResourceList& resources, const ResourceName& type) {
    resources.erase(std::remove_if(resources.begin(), resources.end(),
                                   [&](const ResourceEntry& e) { return e.type == type; }),
                    resources.end());
}

void putResource(ResourceList& resources, ResourceEntry entry) {
    for (ResourceEntry& e : resources) {
        if (e.type == entry.type && e.name == entry.name && e.language == entry.language) {
            e = std::move(entry);
            return;
        }
    }
    resources.push_back(std::move(entry));
}

const ResourceEntry* findResource(const ResourceList& resources, const ResourceName& type, uint16_t id) {
    const ResourceEntry* found = nullptr;
    for (const ResourceEntry& e : resources) {
        if (!(e.type == type) || e.name.isString || e.name.id != id) continue;
        if (e.language == LanguageNeutral) return &e;
        if (!found) found = &e;
    }
    return found;
}
