#pragma once

#include <cstdint>

// Greatest common divisor by Euclid's remainders. Both arguments are in-out:
// on return `second` holds the divisor and `first` the last dividend, a whole
// multiple of it, so a second call on the same variables returns at once.
std::int32_t Gcd(std::int32_t &first, std::int32_t &second);
