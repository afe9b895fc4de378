#include "builder/pe_image.h"

#include "builder/byte_reader.h"

namespace {

constexpr uint16_t DosMagic = 0x5A4D;      // "MZ"
constexpr uint32_t PeSignature = 0x4550;   // "PE\0\0"
constexpr uint16_t Pe32Magic = 0x10B;
constexpr uint16_t Pe32PlusMagic = 0x20B;
constexpr uint32_t MaxDirectories = 16;
constexpr uint16_t MaxSections = 96;

bool fail(std::string& reason, const char* text) {
    reason = text;
    return false;
}

}  // namespace

int PeImage::sectionOf(uint32_t rva) const {
    for (std::size_t i = 0; i < sections.size(); ++i)
        if (sections[i].containsRva(rva)) return static_cast<int>(i);
    return -1;
}

bool readPeImage(const uint8_t* data, std::size_t size, PeImage& image, std::string& reason) {
    ByteReader r(data, size);
    uint16_t dosMagic = 0;
    uint32_t peOffset = 0, signature = 0;
    if (!r.u16(0, dosMagic) || dosMagic != DosMagic || !r.u32(0x3C, peOffset))
        return fail(reason, "ce n'est pas un exécutable Windows (en-tête MZ absent)");
    if (!r.u32(peOffset, signature) || signature != PeSignature)
        return fail(reason, "ce n'est pas un exécutable Windows (signature PE absente)");

    PeImage pe;
    pe.fileHeaderOffset = peOffset + 4;
    uint16_t sectionCount = 0, optionalSize = 0, magic = 0;
    if (!r.u16(pe.fileHeaderOffset + 2, sectionCount) || !r.u32(pe.fileHeaderOffset + 8, pe.symbolTablePointer) ||
        !r.u16(pe.fileHeaderOffset + 16, optionalSize))
        return fail(reason, "en-tête PE tronqué");
    pe.optionalHeaderOffset = pe.fileHeaderOffset + 20;
    pe.sectionTableOffset = pe.optionalHeaderOffset + optionalSize;
    if (!r.u16(pe.optionalHeaderOffset, magic) || (magic != Pe32Magic && magic != Pe32PlusMagic))
        return fail(reason, "en-tête optionnel PE inconnu");
    pe.pe32Plus = magic == Pe32PlusMagic;
    uint32_t o = pe.optionalHeaderOffset;
    pe.directoryCountOffset = o + (pe.pe32Plus ? 108 : 92);
    pe.directoryOffset = pe.directoryCountOffset + 4;
    uint32_t directoryCount = 0;
    if (!r.u32(o + 32, pe.sectionAlignment) || !r.u32(o + 36, pe.fileAlignment) || !r.u32(o + 56, pe.sizeOfImage) ||
        !r.u32(o + 60, pe.sizeOfHeaders) || !r.u32(o + 64, pe.checksum) ||
        !r.u32(pe.directoryCountOffset, directoryCount))
        return fail(reason, "en-tête optionnel PE tronqué");
    if (pe.fileAlignment == 0 || (pe.fileAlignment & (pe.fileAlignment - 1)) || pe.sectionAlignment == 0 ||
        (pe.sectionAlignment & (pe.sectionAlignment - 1)))
        return fail(reason, "alignements PE invalides");
    if (pe.sizeOfHeaders > size) return fail(reason, "en-tête PE plus grand que le fichier");
    if (directoryCount > MaxDirectories) directoryCount = MaxDirectories;
    if (pe.directoryOffset + 8 * directoryCount > pe.sectionTableOffset)
        return fail(reason, "répertoires de données PE hors de l'en-tête optionnel");
    for (uint32_t i = 0; i < directoryCount; ++i) {
        PeDataDirectory d;
        if (!r.u32(pe.directoryOffset + 8 * i, d.rva) || !r.u32(pe.directoryOffset + 8 * i + 4, d.size))
            return fail(reason, "répertoires de données PE tronqués");
        pe.directories.push_back(d);
    }
    if (sectionCount == 0 || sectionCount > MaxSections) return fail(reason, "nombre de sections PE invalide");
    if (pe.sizeOfHeaders < pe.sectionTableOffset + uint64_t(sectionCount) * PeSectionHeaderSize)
        return fail(reason, "la table des sections déborde des en-têtes PE");
    for (uint16_t i = 0; i < sectionCount; ++i) {
        uint32_t h = pe.sectionTableOffset + i * PeSectionHeaderSize;
        if (!r.has(h, PeSectionHeaderSize)) return fail(reason, "table des sections PE tronquée");
        PeSection s;
        for (int k = 0; k < 8 && data[h + k]; ++k) s.name += static_cast<char>(data[h + k]);
        r.u32(h + 8, s.virtualSize);
        r.u32(h + 12, s.virtualAddress);
        r.u32(h + 16, s.rawSize);
        r.u32(h + 20, s.rawOffset);
        r.u32(h + 36, s.characteristics);
        if (s.rawSize && !r.has(s.rawOffset, s.rawSize))
            return fail(reason, "une section PE dépasse la fin du fichier");
        if (!pe.sections.empty() && s.virtualAddress < pe.sections.back().virtualEnd())
            return fail(reason, "sections PE dans le désordre ou qui se chevauchent");
        pe.sections.push_back(s);
    }
    image = std::move(pe);
    return true;
}

bool peRvaToOffset(const PeImage& image, std::size_t fileSize, uint32_t rva, uint32_t length, uint32_t& offset) {
    if (length == 0) {  // empty data may sit right at the end of a section
        offset = 0;
        return true;
    }
    int index = image.sectionOf(rva);
    if (index < 0) return false;
    const PeSection& s = image.sections[index];
    uint32_t inSection = rva - s.virtualAddress;
    if (inSection > s.rawSize || length > s.rawSize - inSection) return false;
    uint64_t end = static_cast<uint64_t>(s.rawOffset) + inSection + length;
    if (end > fileSize) return false;
    offset = s.rawOffset + inSection;
    return true;
}

uint32_t peChecksum(const uint8_t* data, std::size_t size, uint32_t checksumOffset) {
    uint64_t sum = 0;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        if (i == checksumOffset || i == checksumOffset + 2) continue;
        sum += static_cast<uint32_t>(data[i] | (data[i + 1] << 8));
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    if (size % 2) {
        sum += data[size - 1];
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<uint32_t>(sum + size);
}
