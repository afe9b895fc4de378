#pragma once
// Writes a new PE image from a template image and a complete resource list:
// the resource section becomes the last section (a base relocation section
// that followed it is moved after it), and the section table, SizeOfImage,
// the data directories and the checksum are made consistent. Portable: no
// Windows call.

#include <cstdint>
#include <string>
#include <vector>

#include "builder/resource_directory.h"

// Fails with a French reason, writing nothing into `out`, for an image it
// cannot rewrite safely: a signed image (rewriting would break the
// signature), one with a COFF symbol table, one where other sections follow
// the resource section, or one without room for another section header.
bool writeImageWithResources(const std::vector<uint8_t>& image, const ResourceList& resources,
                             std::vector<uint8_t>& out, std::string& reason);
