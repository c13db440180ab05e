// SUNDIALS KINSOL on a steady model: Newton with its line search, its band
// linear solver and its own difference-quotient band Jacobian.
#ifndef VELKORA_BENCH_KINSOLSOLVER_H
#define VELKORA_BENCH_KINSOLSOLVER_H

#include <kinsol/kinsol.h>
#include <nvector/nvector_serial.h>
#include <sundials/sundials_context.h>
#include <sunlinsol/sunlinsol_band.h>
#include <sunmatrix/sunmatrix_band.h>

#include "steady/Comparison.h"

namespace bench
{

namespace kinsol_detail
{
inline int residual(N_Vector u, N_Vector f, void* data)
{
    auto* model = static_cast<const SteadyModel*>(data);
    double* r = N_VGetArrayPointer(f);
    model->residual(N_VGetArrayPointer(u), r);
    // Outside the range where the model is defined: a recoverable failure
    // makes KINSOL's line search step back.
    for (size_t i = 0; i < model->size(); i++) {
        if (!std::isfinite(r[i])) {
            return 1;
        }
    }
    return 0;
}

inline void silence(int, const char*, const char*, char*, void*) {}
} // namespace kinsol_detail

//! KINSOL with KIN_LINESEARCH, stopping at max |f| <= residualBound, at most
//! 500 iterations. `maxSetupCalls` is how many iterations may reuse one
//! Jacobian: 1 evaluates it every iteration, 10 is KINSOL's default.
inline Outcome solveWithKinsol(const SteadyModel& model, long maxSetupCalls)
{
    Outcome out;
    std::vector<double> u0 = model.start();
    const auto n = static_cast<sunindextype>(model.size());
    const auto bw = static_cast<sunindextype>(model.bandwidth());
    double t0 = threadSeconds();
    SUNContext ctx = nullptr;
    SUNContext_Create(nullptr, &ctx);
    N_Vector u = N_VNew_Serial(n, ctx);
    N_Vector scale = N_VNew_Serial(n, ctx);
    std::copy(u0.begin(), u0.end(), N_VGetArrayPointer(u));
    N_VConst(1.0, scale);
    SUNMatrix J = SUNBandMatrix(n, bw, bw, ctx);
    SUNLinearSolver LS = SUNLinSol_Band(u, J, ctx);
    void* mem = KINCreate(ctx);
    KINInit(mem, kinsol_detail::residual, u);
    KINSetUserData(mem, const_cast<SteadyModel*>(&model));
    KINSetErrHandlerFn(mem, kinsol_detail::silence, nullptr);
    KINSetLinearSolver(mem, LS, J); // no Jacobian function: KINSOL's band difference quotients
    KINSetFuncNormTol(mem, residualBound);
    KINSetNumMaxIters(mem, 500);
    KINSetMaxSetupCalls(mem, maxSetupCalls);
    KINSol(mem, u, KIN_LINESEARCH, scale, scale);
    out.seconds = threadSeconds() - t0;

    long nfe = 0, nfeLS = 0, nje = 0, iterations = 0;
    KINGetNumNonlinSolvIters(mem, &iterations);
    out.steps = iterations;
    KINGetNumFuncEvals(mem, &nfe);
    KINGetNumLinFuncEvals(mem, &nfeLS);
    KINGetNumJacEvals(mem, &nje);
    out.residualEvaluations = nfe + nfeLS;
    out.jacobianEvaluations = nje;
    model.judge(std::vector<double>(N_VGetArrayPointer(u), N_VGetArrayPointer(u) + n), out);

    KINFree(&mem);
    SUNLinSolFree(LS);
    SUNMatDestroy(J);
    N_VDestroy(u);
    N_VDestroy(scale);
    SUNContext_Free(&ctx);
    return out;
}

} // namespace bench

#endif
