#pragma once
// Reproducible benchmark inputs: French prose in code page 1252, of the kind
// a quiz carries (questions, answers, hints), and random bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// `size` bytes of French sentences, the same for the same seed.
std::string frenchText(std::size_t size, uint32_t seed = 1);

// `size` uniformly random bytes, the same for the same seed.
std::vector<uint8_t> randomBytes(std::size_t size, uint32_t seed = 1);
