#include "foundation/ports/Random.h"

double SystemRandom::next()
{
    return std::uniform_real_distribution<double>(0.0, 1.0)(m_engine);
}

double SequenceRandom::next()
{
    if (m_values.isEmpty())
        return 0.0;
    const double value = m_values.at(m_next % m_values.size());
    ++m_next;
    return value;
}
