#include "steady/PetscSolver.h"

#include <stdexcept>
#include <string>

#include <petscdmda.h>
#include <petscsnes.h>
#include <petscts.h>

namespace bench
{

namespace
{

void check(PetscErrorCode code, const char* call)
{
    if (code != 0) {
        throw std::runtime_error(std::string("PETSc: ") + call + " failed with code " + std::to_string(code));
    }
}
#define CHECK(call) check((call), #call)

struct Context
{
    const SteadyModel* model;
    long residuals = 0;  //!< every evaluation, those of the coloured differences included
    long jacobians = 0;
};

PetscErrorCode snesFunction(SNES snes, Vec x, Vec f, void* data)
{
    auto* ctx = static_cast<Context*>(data);
    ctx->residuals++;
    const PetscScalar* xa;
    PetscScalar* fa;
    VecGetArrayRead(x, &xa);
    VecGetArray(f, &fa);
    ctx->model->residual(xa, fa);
    bool finite = true;
    for (size_t i = 0; i < ctx->model->size(); i++) {
        finite = finite && std::isfinite(fa[i]);
    }
    VecRestoreArray(f, &fa);
    VecRestoreArrayRead(x, &xa);
    if (!finite) {
        SNESSetFunctionDomainError(snes);
    }
    return 0;
}

// F(t, u, udot) = M udot - f(u): TS's implicit form of M du/dt = f(u).
PetscErrorCode tsFunction(TS ts, PetscReal, Vec u, Vec udot, Vec F, void* data)
{
    auto* ctx = static_cast<Context*>(data);
    ctx->residuals++;
    const PetscScalar *ua, *va;
    PetscScalar* Fa;
    VecGetArrayRead(u, &ua);
    VecGetArrayRead(udot, &va);
    VecGetArray(F, &Fa);
    const SteadyModel& m = *ctx->model;
    m.residual(ua, Fa);
    bool finite = true;
    for (size_t i = 0; i < m.size(); i++) {
        Fa[i] = (m.transient(i) ? va[i] : 0.0) - Fa[i];
        finite = finite && std::isfinite(Fa[i]);
    }
    VecRestoreArray(F, &Fa);
    VecRestoreArrayRead(udot, &va);
    VecRestoreArrayRead(u, &ua);
    if (!finite) {
        SNES snes;
        TSGetSNES(ts, &snes);
        SNESSetFunctionDomainError(snes);
    }
    return 0;
}

PetscErrorCode snesJacobian(SNES snes, Vec x, Mat J, Mat B, void* data)
{
    static_cast<Context*>(data)->jacobians++;
    return SNESComputeJacobianDefaultColor(snes, x, J, B, nullptr);
}

PetscErrorCode tsJacobian(TS ts, PetscReal t, Vec u, Vec udot, PetscReal a, Mat J, Mat B, void* data)
{
    static_cast<Context*>(data)->jacobians++;
    return TSComputeIJacobianDefaultColor(ts, t, u, udot, a, J, B, nullptr);
}

DM makeGrid(const SteadyModel& model)
{
    DM da;
    auto dof = static_cast<PetscInt>(model.dof());
    auto stencil = static_cast<PetscInt>((model.bandwidth() + model.dof() - 1) / model.dof());
    CHECK(DMDACreate1d(PETSC_COMM_SELF, DM_BOUNDARY_NONE, static_cast<PetscInt>(model.points()), dof, stencil,
                       nullptr, &da));
    CHECK(DMSetUp(da));
    return da;
}

void useDirectSolver(SNES snes)
{
    KSP ksp;
    PC pc;
    CHECK(SNESGetKSP(snes, &ksp));
    CHECK(KSPSetType(ksp, KSPPREONLY));
    CHECK(KSPGetPC(ksp, &pc));
    CHECK(PCSetType(pc, PCLU));
}

std::vector<double> values(Vec x)
{
    PetscInt n;
    const PetscScalar* xa;
    VecGetLocalSize(x, &n);
    VecGetArrayRead(x, &xa);
    std::vector<double> v(xa, xa + n);
    VecRestoreArrayRead(x, &xa);
    return v;
}

void load(Vec x, const std::vector<double>& v)
{
    PetscScalar* xa;
    VecGetArray(x, &xa);
    std::copy(v.begin(), v.end(), xa);
    VecRestoreArray(x, &xa);
}

} // namespace

void petscInitialize(int* argc, char*** argv)
{
    CHECK(PetscInitialize(argc, argv, nullptr, nullptr));
    // A solver that fails is an outcome of the comparison, not an error to print.
    CHECK(PetscPushErrorHandler(PetscReturnErrorHandler, nullptr));
}

void petscFinalize()
{
    PetscFinalize();
}

Outcome solveWithSnes(const SteadyModel& model, const char* lineSearch)
{
    Outcome out;
    Context ctx{&model};
    std::vector<double> start = model.start();
    double t0 = threadSeconds();
    DM da = makeGrid(model);
    SNES snes;
    Vec x, r;
    Mat J;
    CHECK(SNESCreate(PETSC_COMM_SELF, &snes));
    CHECK(SNESSetDM(snes, da));
    CHECK(DMCreateGlobalVector(da, &x));
    CHECK(VecDuplicate(x, &r));
    CHECK(SNESSetFunction(snes, r, snesFunction, &ctx));
    CHECK(DMCreateMatrix(da, &J));
    CHECK(SNESSetJacobian(snes, J, J, snesJacobian, &ctx));
    CHECK(SNESSetType(snes, SNESNEWTONLS));
    SNESLineSearch ls;
    CHECK(SNESGetLineSearch(snes, &ls));
    CHECK(SNESLineSearchSetType(ls, lineSearch));
    useDirectSolver(snes);
    CHECK(SNESSetTolerances(snes, residualBound, 0.0, PETSC_DEFAULT, 500, 1000000));
    load(x, start);
    SNESSolve(snes, nullptr, x); // its own failures are outcomes
    out.seconds = threadSeconds() - t0;
    PetscInt iterations = 0;
    SNESGetIterationNumber(snes, &iterations);
    out.steps = iterations;
    out.residualEvaluations = ctx.residuals;
    out.jacobianEvaluations = ctx.jacobians;
    model.judge(values(x), out);
    MatDestroy(&J);
    VecDestroy(&r);
    VecDestroy(&x);
    SNESDestroy(&snes);
    DMDestroy(&da);
    return out;
}

Outcome solveWithPseudo(const SteadyModel& model)
{
    Outcome out;
    Context ctx{&model};
    std::vector<double> start = model.start();
    double t0 = threadSeconds();
    DM da = makeGrid(model);
    TS ts;
    Vec x;
    Mat J;
    SNES snes;
    CHECK(TSCreate(PETSC_COMM_SELF, &ts));
    CHECK(TSSetDM(ts, da));
    CHECK(TSSetType(ts, TSPSEUDO));
    CHECK(DMCreateGlobalVector(da, &x));
    CHECK(TSSetIFunction(ts, nullptr, tsFunction, &ctx));
    CHECK(DMCreateMatrix(da, &J));
    CHECK(TSSetIJacobian(ts, J, J, tsJacobian, &ctx));
    CHECK(TSGetSNES(ts, &snes));
    useDirectSolver(snes);
    CHECK(TSSetMaxSteps(ts, 1000));
    CHECK(TSSetMaxTime(ts, 1e300));
    CHECK(TSSetExactFinalTime(ts, TS_EXACTFINALTIME_STEPOVER));
    // As PETSc's users configure it for a stiff start: a small first step,
    // a failed Newton solve (or a residual that is not finite, reported as a
    // domain error) retried with a smaller step however often, up to 50
    // rejected steps.
    CHECK(TSSetTimeStep(ts, 1e-5));
    CHECK(TSSetMaxSNESFailures(ts, -1));
    CHECK(TSSetMaxStepRejections(ts, 50));
    // The steady residual's 2-norm bound, as for the other solvers.
    CHECK(PetscOptionsSetValue(nullptr, "-ts_pseudo_fatol", std::to_string(residualBound).c_str()));
    CHECK(TSSetFromOptions(ts));
    CHECK(PetscOptionsClearValue(nullptr, "-ts_pseudo_fatol"));
    load(x, start);
    TSSolve(ts, x); // its own failures are outcomes
    out.seconds = threadSeconds() - t0;
    PetscInt steps = 0;
    TSGetStepNumber(ts, &steps);
    out.steps = steps;
    out.residualEvaluations = ctx.residuals;
    out.jacobianEvaluations = ctx.jacobians;
    model.judge(values(x), out);
    MatDestroy(&J);
    VecDestroy(&x);
    TSDestroy(&ts);
    DMDestroy(&da);
    return out;
}

} // namespace bench
