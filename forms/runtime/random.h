#pragma once

#include <functional>

// Pseudo-random numbers of the forms runtime.
namespace forms {

// The next value, at least 0 and less than 1.
float Rnd();

// Reseeds the generator from the clock, mixed with a high-resolution counter
// so that two calls within the same millisecond still give different series.
void Randomize();

// Tests replace the generator: while a source is set, Rnd returns its values
// and Randomize does nothing. An empty function brings the real one back.
void setRndSource(std::function<float()> source);

} // namespace forms
