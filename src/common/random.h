// The program's one pseudo-random generator.
#pragma once

#include "common/seams.h"

#include <random>

class SeededRandom : public RandomSource
{
public:
    // Seeded from the clock; done once per run of a program.
    SeededRandom();
    explicit SeededRandom(quint64 seed);
    double next() override;

private:
    std::mt19937_64 m_engine;
    std::uniform_real_distribution<double> m_dist{0.0, 1.0};
};
