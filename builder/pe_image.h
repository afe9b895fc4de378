#pragma once
// What the builder needs to know of a PE image (the player executable):
// headers, data directories and section table, read through bounds checks.

#include <cstdint>
#include <string>
#include <vector>

constexpr int PeDirectoryResource = 2;
constexpr int PeDirectorySecurity = 4;
constexpr int PeDirectoryBaseReloc = 5;
constexpr uint32_t PeSectionHeaderSize = 40;

struct PeDataDirectory {
    uint32_t rva = 0;
    uint32_t size = 0;
};

struct PeSection {
    std::string name;  // up to 8 characters
    uint32_t virtualSize = 0;
    uint32_t virtualAddress = 0;
    uint32_t rawSize = 0;
    uint32_t rawOffset = 0;
    uint32_t characteristics = 0;

    uint64_t virtualEnd() const { return uint64_t(virtualAddress) + (virtualSize ? virtualSize : rawSize); }
    bool containsRva(uint32_t rva) const { return rva >= virtualAddress && rva < virtualEnd(); }
};

struct PeImage {
    uint32_t fileHeaderOffset = 0;
    uint32_t optionalHeaderOffset = 0;
    uint32_t sectionTableOffset = 0;
    bool pe32Plus = false;
    uint32_t sectionAlignment = 0;
    uint32_t fileAlignment = 0;
    uint32_t sizeOfImage = 0;
    uint32_t sizeOfHeaders = 0;
    uint32_t checksum = 0;
    uint32_t symbolTablePointer = 0;
    uint32_t directoryCountOffset = 0;
    uint32_t directoryOffset = 0;
    std::vector<PeDataDirectory> directories;
    std::vector<PeSection> sections;

    uint32_t checksumOffset() const { return optionalHeaderOffset + 64; }
    uint32_t sizeOfImageOffset() const { return optionalHeaderOffset + 56; }
    uint32_t sizeOfInitializedDataOffset() const { return optionalHeaderOffset + 8; }
    uint32_t numberOfSectionsOffset() const { return fileHeaderOffset + 2; }
    PeDataDirectory directory(int index) const {
        return index < static_cast<int>(directories.size()) ? directories[index] : PeDataDirectory{};
    }
    // The index of the section holding `rva`, or -1.
    int sectionOf(uint32_t rva) const;
};

// Fails with a French reason for anything that is not a well-formed PE image
// whose sections lie inside the file.
bool readPeImage(const uint8_t* data, std::size_t size, PeImage& image, std::string& reason);

// The file offset of `length` bytes at `rva`, when they lie in one section's
// file data.
bool peRvaToOffset(const PeImage& image, std::size_t fileSize, uint32_t rva, uint32_t length, uint32_t& offset);

// The PE checksum (as the Windows image helper computes it), taking the
// checksum field as zero.
uint32_t peChecksum(const uint8_t* data, std::size_t size, uint32_t checksumOffset);
