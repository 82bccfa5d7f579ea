#include "forms/runtime/random.h"

#include <QDateTime>
#include <QRandomGenerator>

#include <chrono>
#include <random>
#include <utility>

namespace forms {
namespace {

std::mt19937 &generator()
{
    static std::mt19937 engine(QRandomGenerator::system()->generate());
    return engine;
}

std::function<float()> &scriptedSource()
{
    static std::function<float()> source;
    return source;
}

} // namespace

float Rnd()
{
    if (scriptedSource())
        return scriptedSource()();
    // 24 random bits make every float in [0, 1) on a grid of 2^-24, never 1.
    return static_cast<float>(generator()() >> 8) / 16777216.0F;
}

void Randomize()
{
    if (scriptedSource())
        return;
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seed{static_cast<unsigned>(ticks), static_cast<unsigned>(ticks >> 32),
        static_cast<unsigned>(QDateTime::currentMSecsSinceEpoch()), QRandomGenerator::global()->generate()};
    generator().seed(seed);
}

void setRndSource(std::function<float()> source)
{
    scriptedSource() = std::move(source);
}

} // namespace forms
