// Test double: a Jacobian that records what the problem asks of it.
#ifndef VELKORA_TESTS_RECORDINGJACOBIAN_H
#define VELKORA_TESTS_RECORDINGJACOBIAN_H

#include <string>
#include <vector>

#include <fmt/format.h>

#include "velkora/interface/VelkoraError.h"
#include "velkora/platform/numerics/SystemJacobian.h"

namespace Velkora::testing
{

//! The error a failed factorization throws; it records which of its texts
//! are asked for, in order.
class OrderRecordingError : public VelkoraError
{
public:
    explicit OrderRecordingError(std::vector<std::string>* asked)
        : VelkoraError("RecordingJacobian::refactorTransient", "Zero pivot in column {}.", 2), m_asked(asked)
    {
    }
    std::string errorHeading() const override
    {
        m_asked->push_back("errorHeading");
        return VelkoraError::errorHeading();
    }
    std::string errorDetail() const override
    {
        m_asked->push_back("errorDetail");
        return VelkoraError::errorDetail();
    }

private:
    std::vector<std::string>* m_asked;
};

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
            throw OrderRecordingError(&errorTextsAsked);
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
    std::vector<std::string> errorTextsAsked; //!< by whoever caught the failure
};

} // namespace Velkora::testing

#endif
