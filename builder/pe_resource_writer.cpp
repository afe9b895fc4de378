#include "builder/pe_resource_writer.h"

#include <algorithm>
#include <cstring>

#include "builder/byte_reader.h"

namespace {

constexpr uint32_t ResourceSectionCharacteristics = 0x40000040;  // initialised data, readable
constexpr uint32_t InitializedData = 0x00000040;
constexpr char ResourceSectionName[] = ".rsrc";
constexpr char RelocSectionName[] = ".reloc";

uint64_t alignUp(uint64_t value, uint32_t alignment) { return (value + alignment - 1) / alignment * alignment; }

bool fail(std::string& reason, const std::string& text) {
    reason = text;
    return false;
}

void writeSectionHeader(std::vector<uint8_t>& out, uint32_t at, const PeSection& s) {
    std::fill(out.begin() + at, out.begin() + at + PeSectionHeaderSize, 0);
    std::memcpy(out.data() + at, s.name.data(), std::min<std::size_t>(s.name.size(), 8));
    putU32(out, at + 8, s.virtualSize);
    putU32(out, at + 12, s.virtualAddress);
    putU32(out, at + 16, s.rawSize);
    putU32(out, at + 20, s.rawOffset);
    putU32(out, at + 36, s.characteristics);
}

}  // namespace

bool writeImageWithResources(const std::vector<uint8_t>& image, const ResourceList& resources,
                             std::vector<uint8_t>& out, std::string& reason) {
    PeImage pe;
    if (!readPeImage(image.data(), image.size(), pe, reason)) return false;
    if (pe.directory(PeDirectorySecurity).size != 0)
        return fail(reason, "le lecteur est signé : le modifier casserait sa signature (utilisez un lecteur non signé)");
    if (pe.symbolTablePointer != 0)
        return fail(reason, "le lecteur contient une table de symboles COFF (liez-le avec -s)");

    PeDataDirectory rsrcDir = pe.directory(PeDirectoryResource);
    PeDataDirectory relocDir = pe.directory(PeDirectoryBaseReloc);
    int rsrc = rsrcDir.size ? pe.sectionOf(rsrcDir.rva) : -1;
    int reloc = relocDir.size ? pe.sectionOf(relocDir.rva) : -1;
    if (rsrcDir.size && rsrc < 0) return fail(reason, "répertoire de ressources hors des sections");
    // Only a section that holds nothing but base relocations can be moved.
    if (reloc >= 0 && (pe.sections[reloc].name != RelocSectionName || reloc == rsrc)) reloc = -1;

    // The sections to rewrite: the trailing run made of the resource and the
    // relocation sections.
    int sectionCount = static_cast<int>(pe.sections.size());
    int tail = sectionCount;
    while (tail > 0 && (tail - 1 == rsrc || tail - 1 == reloc)) --tail;
    if (rsrc >= 0 && rsrc < tail)
        return fail(reason, "la section des ressources n'est pas en fin d'image (suivie de « " +
                                pe.sections[rsrc + 1].name + " ») : ce lecteur ne peut pas être modifié");
    bool moveReloc = reloc >= tail;
    if (tail == 0) return fail(reason, "image sans section de code");
    for (int i = 0; i < static_cast<int>(pe.directories.size()); ++i) {
        if (i == PeDirectoryResource || i == PeDirectoryBaseReloc || i == PeDirectorySecurity) continue;
        int holder = pe.directories[i].size ? pe.sectionOf(pe.directories[i].rva) : -1;
        if (holder >= tail)
            return fail(reason, "la section « " + pe.sections[holder].name +
                                    " » contient d'autres données que des ressources");
    }
    if (moveReloc && (relocDir.rva < pe.sections[reloc].virtualAddress ||
                      uint64_t(relocDir.rva) + relocDir.size > pe.sections[reloc].virtualEnd()))
        return fail(reason, "relocations hors de leur section");

    // Where the kept sections end, in memory and in the file.
    // Nothing goes below the headers' page, even after degenerate sections.
    uint64_t keptVirtualEnd = alignUp(pe.sizeOfHeaders, pe.sectionAlignment);
    uint64_t keptRawEnd = pe.sizeOfHeaders, fileDataEnd = pe.sizeOfHeaders;
    for (int i = 0; i < sectionCount; ++i) {
        const PeSection& s = pe.sections[i];
        uint64_t rawEnd = s.rawSize ? static_cast<uint64_t>(s.rawOffset) + s.rawSize : 0;
        fileDataEnd = std::max(fileDataEnd, rawEnd);
        if (i < tail) {
            keptVirtualEnd = std::max(keptVirtualEnd, alignUp(s.virtualEnd(), pe.sectionAlignment));
            keptRawEnd = std::max(keptRawEnd, rawEnd);
        } else if (s.rawSize) {
            for (int k = 0; k < tail; ++k)
                if (pe.sections[k].rawSize && pe.sections[k].rawOffset + uint64_t(pe.sections[k].rawSize) > s.rawOffset)
                    return fail(reason, "les données des sections ne sont pas dans l'ordre attendu");
        }
    }

    int newCount = tail + 1 + (moveReloc ? 1 : 0);
    uint64_t tableEnd = pe.sectionTableOffset + uint64_t(newCount) * PeSectionHeaderSize;
    uint32_t firstRaw = UINT32_MAX;
    for (const PeSection& s : pe.sections)
        if (s.rawSize) firstRaw = std::min(firstRaw, s.rawOffset);
    if (tableEnd > pe.sizeOfHeaders || tableEnd > firstRaw)
        return fail(reason, "pas de place pour une section de plus dans l'en-tête du lecteur");
    if (keptVirtualEnd > UINT32_MAX / 2 || keptRawEnd > image.size())
        return fail(reason, "sections PE incohérentes");

    PeSection newRsrc;
    newRsrc.name = ResourceSectionName;
    newRsrc.virtualAddress = static_cast<uint32_t>(keptVirtualEnd);
    std::vector<uint8_t> rsrcBytes = serializeResources(resources, newRsrc.virtualAddress);
    if (rsrcBytes.size() > UINT32_MAX / 2) return fail(reason, "ressources trop volumineuses pour un exécutable");
    newRsrc.virtualSize = static_cast<uint32_t>(rsrcBytes.size());
    newRsrc.rawOffset = static_cast<uint32_t>(alignUp(keptRawEnd, pe.fileAlignment));
    newRsrc.rawSize = static_cast<uint32_t>(alignUp(rsrcBytes.size(), pe.fileAlignment));
    newRsrc.characteristics = ResourceSectionCharacteristics;

    PeSection newReloc;
    uint64_t imageEnd = alignUp(uint64_t(newRsrc.virtualAddress) + newRsrc.virtualSize, pe.sectionAlignment);
    uint64_t fileEnd = uint64_t(newRsrc.rawOffset) + newRsrc.rawSize;
    if (moveReloc) {
        newReloc = pe.sections[reloc];
        newReloc.virtualAddress = static_cast<uint32_t>(imageEnd);
        newReloc.rawOffset = static_cast<uint32_t>(fileEnd);
        imageEnd = alignUp(uint64_t(newReloc.virtualAddress) + newReloc.virtualSize, pe.sectionAlignment);
        fileEnd += newReloc.rawSize;
    }
    // Whatever followed the sections in the file (an overlay) stays at the end.
    uint64_t overlay = image.size() > fileDataEnd ? image.size() - fileDataEnd : 0;
    if (imageEnd > UINT32_MAX || fileEnd + overlay > UINT32_MAX)
        return fail(reason, "exécutable trop volumineux (plus de 4 Go)");

    std::vector<uint8_t> result(static_cast<std::size_t>(fileEnd + overlay), 0);
    std::copy(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(std::min<uint64_t>(keptRawEnd, image.size())),
              result.begin());
    std::copy(rsrcBytes.begin(), rsrcBytes.end(), result.begin() + newRsrc.rawOffset);
    if (moveReloc) {
        const PeSection& old = pe.sections[reloc];
        std::copy(image.begin() + old.rawOffset, image.begin() + old.rawOffset + old.rawSize,
                  result.begin() + newReloc.rawOffset);
    }
    if (overlay)
        std::copy(image.end() - static_cast<std::ptrdiff_t>(overlay), image.end(),
                  result.begin() + static_cast<std::ptrdiff_t>(fileEnd));

    // Section table: the kept headers are already in place.
    for (int i = tail; i < sectionCount; ++i) {
        uint32_t at = pe.sectionTableOffset + i * PeSectionHeaderSize;
        std::fill(result.begin() + at, result.begin() + at + PeSectionHeaderSize, 0);
    }
    writeSectionHeader(result, pe.sectionTableOffset + tail * PeSectionHeaderSize, newRsrc);
    if (moveReloc) writeSectionHeader(result, pe.sectionTableOffset + (tail + 1) * PeSectionHeaderSize, newReloc);
    putU16(result, pe.numberOfSectionsOffset(), static_cast<uint16_t>(newCount));
    putU32(result, pe.sizeOfImageOffset(), static_cast<uint32_t>(imageEnd));

    uint64_t initialized = 0;
    for (int i = 0; i < tail; ++i)
        if (pe.sections[i].characteristics & InitializedData) initialized += pe.sections[i].rawSize;
    initialized += newRsrc.rawSize + (moveReloc ? newReloc.rawSize : 0);
    putU32(result, pe.sizeOfInitializedDataOffset(), static_cast<uint32_t>(initialized));

    if (pe.directories.size() <= PeDirectoryResource) return fail(reason, "pas de répertoire pour les ressources");
    putU32(result, pe.directoryOffset + 8 * PeDirectoryResource, newRsrc.virtualAddress);
    putU32(result, pe.directoryOffset + 8 * PeDirectoryResource + 4, newRsrc.virtualSize);
    if (moveReloc)
        putU32(result, pe.directoryOffset + 8 * PeDirectoryBaseReloc,
               newReloc.virtualAddress + (relocDir.rva - pe.sections[reloc].virtualAddress));

    putU32(result, pe.checksumOffset(), 0);
    putU32(result, pe.checksumOffset(), peChecksum(result.data(), result.size(), pe.checksumOffset()));
    out = std::move(result);
    return true;
}
