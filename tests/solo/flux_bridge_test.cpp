// The transport functions of the C interface, driven with a recording test
// evaluator. An executable of its own: the first test needs a process whose
// Transport registry has not been used yet.
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "velkora/interface/VelkoraError.h"
#include "velkora/interface/registries.h"
#include "velkora/platform/transport/Transport.h"
#include "support/ErrorStack.h"
#include "velkora/velkora.h"

namespace Velkora
{
namespace
{

using testing::lastError;

struct RecordingTransport : Transport
{
    enum class Failure { None, Library, Standard };

    std::string transportModel() const override { return "Recorder"; }
    double viscosity() override { return fail("viscosity", 1.5e-5); }
    double thermalConductivity() override { return fail("thermalConductivity", 0.025); }
    double electricalConductivity() override { return fail("electricalConductivity", -999.999); }
    void getMolarFluxes(const double* s1, const double* s2, double delta, double* f) override
    {
        record("getMolarFluxes", 0, f, s1, s2, delta);
    }
    void getMassFluxes(const double* s1, const double* s2, double delta, double* f) override
    {
        record("getMassFluxes", 0, f, s1, s2, delta);
    }
    void getThermalDiffCoeffs(double* d) override { record("getThermalDiffCoeffs", 0, d); }
    void getBinaryDiffCoeffs(size_t ld, double* d) override { record("getBinaryDiffCoeffs", ld, d); }
    void getMultiDiffCoeffs(size_t ld, double* d) override { record("getMultiDiffCoeffs", ld, d); }
    void getMixDiffCoeffs(double* d) override { record("getMixDiffCoeffs", 0, d); }

    double fail(const char* op, double value)
    {
        lastCall = op;
        if (failure == Failure::Library) {
            throw VelkoraError(std::string("RecordingTransport::") + op, "refused");
        }
        if (failure == Failure::Standard) {
            throw std::runtime_error(std::string(op) + " ran out of luck");
        }
        return value;
    }
    void record(const char* op, size_t ld, double* out, const double* s1 = nullptr, const double* s2 = nullptr,
                double delta = 0.0)
    {
        fail(op, 0.0);
        lastLd = ld;
        lastOut = out;
        lastState1 = s1;
        lastState2 = s2;
        lastDelta = delta;
        out[0] = 42.0;
    }

    Failure failure = Failure::None;
    std::string lastCall;
    size_t lastLd = 0;
    const double* lastOut = nullptr;
    const double* lastState1 = nullptr;
    const double* lastState2 = nullptr;
    double lastDelta = 0.0;
};

TEST(TransportInterface, BeforeAnyEvaluatorEverythingFails)
{
    EXPECT_EQ(trans_cabinetSize(), 0);
    double d[4];
    char buf[8];
    EXPECT_EQ(trans_viscosity(0), -999.999);
    EXPECT_EQ(lastError(), "Cabinet::at: Index 0 out of range.");
    EXPECT_EQ(trans_transportModel(0, sizeof(buf), buf), -1);
    EXPECT_EQ(trans_getMixDiffCoeffs(0, 4, d), -1);
    EXPECT_EQ(trans_del(0), -1);
    EXPECT_EQ(lastError(), "Cabinet::del: Attempt made to delete a non-existing object.");
}

struct WithRecorder : ::testing::Test
{
    WithRecorder() : handle(Cabinet<Transport>::add(recorder)) {}
    std::shared_ptr<RecordingTransport> recorder = std::make_shared<RecordingTransport>();
    int handle;
};

TEST_F(WithRecorder, ForwardsEachCallWithTheCallersArrays)
{
    EXPECT_EQ(trans_viscosity(handle), 1.5e-5);
    EXPECT_EQ(trans_thermalConductivity(handle), 0.025);
    // A real value that equals the failure value comes through unchanged.
    EXPECT_EQ(trans_electricalConductivity(handle), -999.999);
    EXPECT_EQ(recorder.use_count(), 2); // no further reference held

    double out[16] = {};
    double s1[3] = {1, 0, 0}, s2[3] = {0, 1, 0};
    struct Call
    {
        const char* name;
        int result;
        size_t ld;
    };
    for (int len : {0, 16, -3}) { // the length arguments have no effect
        SCOPED_TRACE(len);
        const Call calls[] = {
            {"getThermalDiffCoeffs", trans_getThermalDiffCoeffs(handle, len, out), 0},
            {"getMixDiffCoeffs", trans_getMixDiffCoeffs(handle, len, out), 0},
            {"getBinaryDiffCoeffs", trans_getBinaryDiffCoeffs(handle, 7, len, out), 7},
            {"getMultiDiffCoeffs", trans_getMultiDiffCoeffs(handle, 5, len, out), 5},
        };
        for (const Call& c : calls) {
            EXPECT_EQ(c.result, 0) << c.name;
        }
        EXPECT_EQ(recorder->lastLd, 5u);
        EXPECT_EQ(recorder->lastOut, out);

        EXPECT_EQ(trans_getMolarFluxes(handle, len, s1, len, s2, 0.25, len, out), 0);
        EXPECT_EQ(recorder->lastCall, "getMolarFluxes");
        EXPECT_EQ(recorder->lastState1, s1);
        EXPECT_EQ(recorder->lastState2, s2);
        EXPECT_EQ(recorder->lastDelta, 0.25);
        EXPECT_EQ(trans_getMassFluxes(handle, len, s2, len, s1, 0.5, len, out), 0);
        EXPECT_EQ(recorder->lastCall, "getMassFluxes");
        EXPECT_EQ(recorder->lastState1, s2);
        EXPECT_EQ(out[0], 42.0);
    }
    EXPECT_EQ(trans_getBinaryDiffCoeffs(handle, 12, 0, out), 0);
    EXPECT_EQ(recorder->lastLd, 12u);
}

TEST_F(WithRecorder, ModelNameFollowsTheStringConvention)
{
    for (int len : {0, 1, 4, 9, 64}) {
        char buf[64] = "untouched";
        EXPECT_EQ(trans_transportModel(handle, len, buf), 9) << len;
        EXPECT_EQ(std::string(buf), len == 0 ? "untouched" : std::string("Recorder").substr(0, len - 1));
    }
    EXPECT_EQ(trans_transportModel(handle, 8, nullptr), 9);
    EXPECT_EQ(trans_transportModel(handle, -1, nullptr), -1);
    EXPECT_EQ(lastError(), "trans_transportModel: Buffer length -1 is negative.");
}

TEST_F(WithRecorder, RefusesANegativeLeadingDimensionBeforeTheCall)
{
    double out[4] = {};
    EXPECT_EQ(trans_getBinaryDiffCoeffs(handle, -1, 4, out), -1);
    EXPECT_EQ(lastError(), "trans_getBinaryDiffCoeffs: Leading dimension -1 is negative.");
    EXPECT_EQ(trans_getMultiDiffCoeffs(handle, -8, 4, out), -1);
    EXPECT_EQ(lastError(), "trans_getMultiDiffCoeffs: Leading dimension -8 is negative.");
    EXPECT_EQ(recorder->lastCall, "");
}

TEST_F(WithRecorder, EvaluatorErrorsBecomeStatusValues)
{
    double out[4];
    recorder->failure = RecordingTransport::Failure::Library;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(trans_viscosity(handle), -999.999);
    EXPECT_EQ(trans_getMixDiffCoeffs(handle, 4, out), -1);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(lastError(), "RecordingTransport::getMixDiffCoeffs: refused");

    recorder->failure = RecordingTransport::Failure::Standard;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(trans_viscosity(handle), -999.999);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Velkora: caught an instance of viscosity ran out of luck\n");
    EXPECT_EQ(lastError(), "viscosity ran out of luck");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(trans_getMixDiffCoeffs(handle, 4, out), -999);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Velkora: caught an instance of getMixDiffCoeffs ran out of luck\n");
}

TEST_F(WithRecorder, BadAndDeletedHandlesFailEverywhere)
{
    ASSERT_EQ(trans_del(handle), 0);
    EXPECT_EQ(recorder.use_count(), 1);
    const int size = trans_cabinetSize();
    EXPECT_EQ(size, handle + 1);
    double out[4], s[2] = {1, 0};
    char buf[8];
    for (int h : {handle, -1, size}) {
        SCOPED_TRACE(h);
        EXPECT_EQ(trans_transportModel(h, sizeof(buf), buf), -1);
        EXPECT_EQ(trans_viscosity(h), -999.999);
        EXPECT_EQ(trans_thermalConductivity(h), -999.999);
        EXPECT_EQ(trans_electricalConductivity(h), -999.999);
        EXPECT_EQ(trans_getThermalDiffCoeffs(h, 2, out), -1);
        EXPECT_EQ(trans_getMixDiffCoeffs(h, 2, out), -1);
        EXPECT_EQ(trans_getBinaryDiffCoeffs(h, 2, 4, out), -1);
        EXPECT_EQ(trans_getMultiDiffCoeffs(h, 2, 4, out), -1);
        EXPECT_EQ(trans_getMolarFluxes(h, 2, s, 2, s, 1.0, 2, out), -1);
        EXPECT_EQ(trans_getMassFluxes(h, 2, s, 2, s, 1.0, 2, out), -1);
        EXPECT_EQ(lastError(), h == handle ? "Cabinet::at: Object with index " + std::to_string(h) + " has been deleted."
                                           : "Cabinet::at: Index " + std::to_string(h) + " out of range.");
    }
    EXPECT_EQ(trans_del(handle), -1);
    EXPECT_EQ(lastError(), "Cabinet::del: Lookup table does not contain reference to object.");
    EXPECT_EQ(trans_cabinetSize(), size);
}

TEST(TransportInterface, BaseOperationsSayTheModelDoesNotProvideThem)
{
    int h = Cabinet<Transport>::add(std::make_shared<Transport>());
    double out[2];
    EXPECT_EQ(trans_viscosity(h), -999.999);
    EXPECT_EQ(lastError(), "Transport::viscosity: Not provided by the 'none' model.");
    EXPECT_EQ(trans_getBinaryDiffCoeffs(h, 2, 4, out), -1);
    EXPECT_EQ(lastError(), "Transport::getBinaryDiffCoeffs: Not provided by the 'none' model.");
    EXPECT_EQ(gastrans_setState(h, 300.0, 1e5, 1, out), -1);
    EXPECT_EQ(lastError(), "gastrans_setState: Handle " + std::to_string(h) + " is not a gas transport evaluator.");
}

} // namespace
} // namespace Velkora
