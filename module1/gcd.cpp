#include "module1/gcd.h"

#include <cstdlib>

std::int32_t Gcd(std::int32_t &first, std::int32_t &second)
{
    first = std::abs(first);
    second = std::abs(second);
    std::int32_t remainder = first % second;
    while (remainder > 0) {
        first = second;
        second = remainder;
        remainder = first % second;
    }
    return second;
}
