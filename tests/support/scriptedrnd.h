#pragma once

#include "forms/runtime/random.h"

#include <QList>

// Fixes the values Rnd returns while it lives; 0 once they run out.
class ScriptedRnd
{
public:
    explicit ScriptedRnd(QList<float> values) : m_values(std::move(values))
    {
        forms::setRndSource([this] { return m_values.isEmpty() ? 0.0F : m_values.takeFirst(); });
    }
    ~ScriptedRnd() { forms::setRndSource({}); }
    ScriptedRnd(const ScriptedRnd &) = delete;
    ScriptedRnd &operator=(const ScriptedRnd &) = delete;

    void append(const QList<float> &values) { m_values << values; }

    // The value that makes Int(Rnd * n) + offset give `drawn`.
    static float drawing(int drawn, int n, int offset)
    {
        return (static_cast<float>(drawn - offset) + 0.5F) / static_cast<float>(n);
    }

private:
    QList<float> m_values;
};
