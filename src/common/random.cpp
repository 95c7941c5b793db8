// The program's one pseudo-random generator.
#include "common/random.h"

#include <QDateTime>

SeededRandom::SeededRandom() : m_engine(quint64(QDateTime::currentMSecsSinceEpoch())) {}

SeededRandom::SeededRandom(quint64 seed) : m_engine(seed) {}

double SeededRandom::next()
{
    return m_dist(m_engine);
}
