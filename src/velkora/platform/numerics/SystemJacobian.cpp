#include "velkora/platform/numerics/SystemJacobian.h"

namespace Velkora
{

void SystemJacobian::resetStatistics()
{
    m_evaluationCount = 0;
    m_factorizationCount = 0;
    m_age = 100000;
    m_evaluationSeconds = 0.0;
}

void SystemJacobian::countEvaluation(double seconds)
{
    m_evaluationCount++;
    m_age = 0;
    m_evaluationSeconds += seconds;
}

} // namespace Velkora
