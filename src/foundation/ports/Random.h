#pragma once

#include <QList>

#include <cstdint>
#include <random>

/// Uniform random numbers in [0, 1).
class Random {
public:
    virtual ~Random() = default;
    virtual double next() = 0;
    /// Starts the sequence again from a seed (the program seeds from the clock).
    virtual void seed(std::uint64_t value) = 0;
};

class SystemRandom : public Random {
public:
    double next() override;
    void seed(std::uint64_t value) override { m_engine.seed(value); }

private:
    std::mt19937_64 m_engine{0};
};

/// Gives a fixed sequence, over and over; seeding restarts it.
class SequenceRandom : public Random {
public:
    explicit SequenceRandom(QList<double> values) : m_values(std::move(values)) {}
    double next() override;
    void seed(std::uint64_t) override { m_next = 0; }

private:
    QList<double> m_values;
    qsizetype m_next = 0;
};
