// Test double: a Jacobian that records what the problem asks of it.
#ifndef VELKORA_TESTS_RECORDINGJACOBIAN_H
#define VELKORA_TESTS_RECORDINGJACOBIAN_H

#include <string>
#include <vector>

#include <fmt/format.h>

#include "interface/VelkoraError.h"
#include "platform/numerics/SystemJacobian.h"

namespace Velkora::testing
{

class RecordingJacobian : public SystemJacobian
{
public:
    void setProblemSize(size_t n) override
    {
        SystemJacobian::setProblemSize(n);
        calls.push_back(fmt::format("setProblemSize({})", n));
    }
    void configureBandwidth(size_t bw) override
    {
        SystemJacobian::configureBandwidth(bw);
        calls.push_back(fmt::format("configureBandwidth({})", bw));
    }
    void resetStatistics() override
    {
        SystemJacobian::resetStatistics();
        calls.push_back("resetStatistics()");
    }
    void refactorTransient(double rdt, int* mask) override
    {
        refactorRdt.push_back(rdt);
        masks.emplace_back(mask, mask + m_size);
        calls.push_back(fmt::format("refactorTransient({})", rdt));
        if (failNextRefactor) {
            failNextRefactor = false;
            m_factored = false;
            throw VelkoraError("RecordingJacobian::refactorTransient", "Zero pivot in column {}.", 2);
        }
        m_factored = true;
    }
    void solve(double*) override {}

    //! What evalJacobian of a test problem calls.
    void evaluate() { countEvaluation(0.0); }

    std::vector<std::string> calls;
    std::vector<double> refactorRdt;
    std::vector<std::vector<int>> masks;
    bool failNextRefactor = false;
};

} // namespace Velkora::testing

#endif
