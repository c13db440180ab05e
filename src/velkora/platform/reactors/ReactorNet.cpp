#include "velkora/platform/reactors/ReactorNet.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <set>

#include <chrono>

#include <cvodes/cvodes.h>
#include <nvector/nvector_serial.h>
#include <sundials/sundials_context.h>
#include <sunlinsol/sunlinsol_dense.h>
#include <sunmatrix/sunmatrix_dense.h>
#include <sunmatrix/sunmatrix_sparse.h>

#include "velkora/interface/VelkoraError.h"
#include "velkora/platform/numerics/SerialVectorOps.h"
#include "velkora/platform/reactors/NewtonLinearSolvers.h"

namespace Velkora
{

namespace
{
// Generous, since a stiff mechanism may need many steps to reach a far target.
constexpr long maxStepsPerCall = 100000;

// Networks of more components than this keep their Newton matrix longer.
constexpr size_t largeNetwork = 200;
constexpr long largeNetworkSetupFrequency = 100;

// An index as the caller gave it: a C caller's negative int arrives as a
// huge size_t, and "-1" says what went wrong where 18446744073709551615
// does not.
long long asGiven(size_t index)
{
    return static_cast<long long>(index);
}

std::string flagName(int flag)
{
    char* name = CVodeGetReturnFlagName(flag);
    std::string text = name ? name : "unknown flag";
    std::free(name);
    return text;
}
} // namespace

//! One set-up of CVODES for a network: everything it allocates, freed together.
class CvodesIntegrator
{
public:
    //! Set up for `procedure` ("ReactorNet::advance" or "ReactorNet::step"),
    //! which its errors name.
    CvodesIntegrator(ReactorNet& net, double t0, const char* procedure)
        : m_net(net), m_procedure(procedure)
    {
        try {
            create(t0);
        } catch (...) {
            release();
            throw;
        }
    }

    ~CvodesIntegrator() { release(); }

    CvodesIntegrator(const CvodesIntegrator&) = delete;
    CvodesIntegrator& operator=(const CvodesIntegrator&) = delete;

    //! Runs CVODES towards `tout` in `mode` from the network's time `from`;
    //! returns the time reached.
    double integrate(double tout, int mode, const char* procedure, double from)
    {
        double tret = 0.0;
        m_message.clear();
        auto start = std::chrono::steady_clock::now();
        int flag = CVode(m_mem, tout, m_y, &tret, mode);
        m_stats.integrationSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (flag < 0) {
            long steps = 0;
            CVodeGetNumSteps(m_mem, &steps);
            double reached = from;
            CVodeGetCurrentTime(m_mem, &reached);
            throw VelkoraError(procedure, "CVODES failed with {} at t = {} after {} steps: {}",
                               flagName(flag), std::max(reached, from), steps,
                               m_message.empty() ? std::string("no further detail") : m_message);
        }
        m_sensCurrent = false;
        return tret;
    }

    //! The operation that runs the integrator now, for the errors it raises.
    void setProcedure(const char* procedure) { m_procedure = procedure; }

    void setStopTime(double t) { check(CVodeSetStopTime(m_mem, t), "CVodeSetStopTime"); }

    const double* state() const { return N_VGetArrayPointer(m_y); }

    //! dy_component/dp at the last time reached, for the `index`-th
    //! integrated parameter.
    double sensitivity(size_t component, size_t index)
    {
        if (!m_sensCurrent) {
            double t = 0.0;
            check(CVodeGetSens(m_mem, &t, m_sens), "CVodeGetSens");
            m_sensCurrent = true;
        }
        return N_VGetArrayPointer(m_sens[index])[component];
    }

    ReactorNet::Statistics statistics() const
    {
        ReactorNet::Statistics s = m_stats;
        CVodeGetNumSteps(m_mem, &s.steps);
        CVodeGetNumRhsEvals(m_mem, &s.rateEvaluations);
        long lsRhs = 0;
        CVodeGetNumLinRhsEvals(m_mem, &lsRhs);
        s.rateEvaluations += lsRhs;
        if (m_klu) {
            s.jacobianEvaluations = m_jacobianEvaluations;
        } else {
            CVodeGetNumJacEvals(m_mem, &s.jacobianEvaluations);
        }
        const LinearSolverStatistics& ls = m_klu ? m_klu->statistics() : m_dense->statistics();
        s.setupSeconds = ls.setupSeconds;
        s.solveSeconds = ls.solveSeconds;
        s.factorizations = ls.factorizations;
        s.refactorizations = ls.refactorizations;
        CVodeGetNumLinSolvSetups(m_mem, &s.linearSetups);
        CVodeGetNumNonlinSolvIters(m_mem, &s.nonlinearIterations);
        CVodeGetNumErrTestFails(m_mem, &s.errorTestFailures);
        return s;
    }

    long steps() const
    {
        long n = 0;
        CVodeGetNumSteps(m_mem, &n);
        return n;
    }

private:
    void create(double t0)
    {
        ReactorNet& net = m_net;
        auto n = static_cast<sunindextype>(net.m_neq);
        check(SUNContext_Create(nullptr, &m_ctx), "SUNContext_Create");
        m_y = N_VNew_Serial(n, m_ctx);
        m_mem = CVodeCreate(CV_BDF, m_ctx);
        if (!m_y || !m_mem) {
            throw VelkoraError(m_procedure, "Could not allocate the CVODES integrator.");
        }
        useCompiledSerialOps(m_y); // before CVODES clones it

        const bool sparse = net.m_method == ReactorNet::JacobianMethod::Analytic;
        SUNLinearSolver solver = nullptr;
        if (sparse) {
            std::vector<int> colptr, rows;
            std::vector<KluNewtonSolver::Block> blocks;
            buildPattern(colptr, rows, blocks);
            m_matrix = SUNSparseMatrix(n, n, static_cast<sunindextype>(rows.size()), CSC_MAT, m_ctx);
            if (!m_matrix) {
                throw VelkoraError(m_procedure, "Could not allocate the sparse Jacobian.");
            }
            std::copy(colptr.begin(), colptr.end(), SUNSparseMatrix_IndexPointers(m_matrix));
            std::copy(rows.begin(), rows.end(), SUNSparseMatrix_IndexValues(m_matrix));
            m_stats.jacobianNonzeros = static_cast<long>(rows.size());
            m_klu = std::make_unique<KluNewtonSolver>(m_ctx, std::move(colptr), std::move(rows), std::move(blocks),
                                                      m_procedure);
            solver = m_klu->sundials();
        } else {
            m_matrix = SUNDenseMatrix(n, n, m_ctx);
            if (!m_matrix) {
                throw VelkoraError(m_procedure, "Could not allocate the CVODES integrator.");
            }
            SUNLinearSolver dense = SUNLinSol_Dense(m_y, m_matrix, m_ctx);
            if (!dense) {
                throw VelkoraError(m_procedure, "Could not create the linear solver.");
            }
            m_dense = std::make_unique<TimedLinearSolver>(m_ctx, dense, m_procedure);
            solver = m_dense->sundials();
            m_stats.jacobianNonzeros = static_cast<long>(n) * static_cast<long>(n);
        }
        net.readStateFromReactors(N_VGetArrayPointer(m_y));
        check(CVodeSetErrHandlerFn(m_mem, &CvodesIntegrator::onError, this), "CVodeSetErrHandlerFn");
        check(CVodeInit(m_mem, &CvodesIntegrator::rhs, t0, m_y), "CVodeInit");
        check(CVodeSetUserData(m_mem, this), "CVodeSetUserData");
        check(CVodeSStolerances(m_mem, net.m_rtol, net.m_atol), "CVodeSStolerances");
        check(CVodeSetLinearSolver(m_mem, solver, m_matrix), "CVodeSetLinearSolver");
        if (sparse) {
            // The Newton matrix is formed here, from the reactors' Jacobians.
            check(CVodeSetLinSysFn(m_mem, &CvodesIntegrator::linearSystem), "CVodeSetLinSysFn");
        }
        if (sparse && net.m_neq > largeNetwork) {
            // A factorization costs tens of rate evaluations here: the
            // Newton matrix is kept for up to 100 steps, not CVODES's 20,
            // unless the step size or a convergence failure asks for a new
            // one (measured on 874 species: a third fewer setups, no more
            // steps; on 53 species, 17 % more steps and no fewer setups).
            check(CVodeSetLSetupFrequency(m_mem, largeNetworkSetupFrequency), "CVodeSetLSetupFrequency");
        }
        check(CVodeSetMaxNumSteps(m_mem, maxStepsPerCall), "CVodeSetMaxNumSteps");
        check(CVodeSetMaxStep(m_mem, net.m_maxStep), "CVodeSetMaxStep");
        for (size_t p = 0; p < net.m_nparams; p++) {
            if (net.m_sensitivityIndex[p] >= 0) {
                m_plist.push_back(static_cast<int>(p));
            }
        }
        m_ns = static_cast<int>(m_plist.size());
        if (m_ns > 0) {
            m_sens = N_VCloneVectorArray(m_ns, m_y);
            if (!m_sens) {
                throw VelkoraError(m_procedure, "Could not allocate the sensitivity vectors.");
            }
            for (int j = 0; j < m_ns; j++) {
                N_VConst(0.0, m_sens[j]);
            }
            check(CVodeSensInit1(m_mem, m_ns, CV_STAGGERED, nullptr, m_sens), "CVodeSensInit1");
            m_scales.assign(m_ns, 1.0);
            check(CVodeSetSensParams(m_mem, net.m_multipliers.data(), m_scales.data(), m_plist.data()),
                  "CVodeSetSensParams");
            std::vector<double> atolS(m_ns, net.m_sensAtol);
            check(CVodeSensSStolerances(m_mem, net.m_sensRtol, atolS.data()), "CVodeSensSStolerances");
            check(CVodeSetSensErrCon(m_mem, SUNTRUE), "CVodeSetSensErrCon");
        }
    }

    //! The network's Jacobian pattern: the reactors' blocks on the diagonal.
    void buildPattern(std::vector<int>& colptrOut, std::vector<int>& rowsOut,
                      std::vector<KluNewtonSolver::Block>& blocks)
    {
        ReactorNet& net = m_net;
        colptrOut.assign(1, 0);
        rowsOut.clear();
        m_blockOffset.clear();
        for (size_t r = 0; r < net.m_reactors.size(); r++) {
            std::vector<int> colptr, rows;
            net.m_reactors[r]->jacobianPattern(colptr, rows);
            const int rowOffset = static_cast<int>(net.m_speciesOffset[r]);
            m_blockOffset.push_back(rowsOut.size());
            const int base = static_cast<int>(rowsOut.size());
            for (size_t j = 1; j < colptr.size(); j++) {
                colptrOut.push_back(base + colptr[j]);
            }
            for (int row : rows) {
                rowsOut.push_back(row + rowOffset);
            }
            blocks.push_back({net.m_speciesOffset[r], net.m_speciesOffset[r] + net.m_reactors[r]->nComponents()});
        }
    }

    // The Newton matrix I - gamma J: a new J from the reactors unless CVODES
    // finds the stored one good enough (jok), then the matrix from it.
    static int linearSystem(sunrealtype, N_Vector y, N_Vector, SUNMatrix A, sunbooleantype jok,
                            sunbooleantype* jcur, sunrealtype gamma, void* data, N_Vector, N_Vector, N_Vector)
    {
        auto* self = static_cast<CvodesIntegrator*>(data);
        KluNewtonSolver& solver = *self->m_klu;
        int status = 0;
        *jcur = SUNFALSE;
        if (!jok) {
            auto start = std::chrono::steady_clock::now();
            try {
                ReactorNet& net = self->m_net;
                const double* state = N_VGetArrayPointer(y);
                double* values = solver.jacobian();
                for (size_t r = 0; r < net.m_reactors.size(); r++) {
                    const size_t offset = net.m_speciesOffset[r];
                    solver.setRankOne(r, net.m_reactors[r]->evalJacobian(
                                             state + offset, net.m_multipliers.data() + net.m_paramOffset[r],
                                             values + self->m_blockOffset[r], solver.rankA() + offset,
                                             solver.rankB() + offset));
                }
                for (size_t p = 0; p < solver.nonzeros(); p++) {
                    if (!std::isfinite(values[p])) {
                        self->m_message = "a Jacobian entry is not a finite number";
                        status = 1; // recoverable: CVODES retries with a smaller step
                        break;
                    }
                }
            } catch (const std::exception& err) {
                self->m_message = std::string("Jacobian evaluation failed: ") + err.what();
                status = -1;
            } catch (...) {
                self->m_message = "Jacobian evaluation failed";
                status = -1;
            }
            self->m_jacobianEvaluations++;
            self->m_stats.jacobianSeconds +=
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (status != 0) {
                return status;
            }
            *jcur = SUNTRUE;
        }
        // Pivot afresh after the Newton iteration failed to converge: the
        // old pivot order may be what failed it.
        long failures = 0;
        CVodeGetNumNonlinSolvConvFails(self->m_mem, &failures);
        if (failures != self->m_convergenceFailures) {
            self->m_convergenceFailures = failures;
            solver.requestPivoting();
        }
        solver.formNewtonMatrix(gamma, SUNSparseMatrix_Data(A));
        return 0;
    }

    void release()
    {
        if (m_sens) {
            N_VDestroyVectorArray(m_sens, m_ns);
            m_sens = nullptr;
        }
        if (m_mem) {
            CVodeFree(&m_mem);
        }
        m_klu.reset();
        m_dense.reset();
        if (m_matrix) {
            SUNMatDestroy(m_matrix);
            m_matrix = nullptr;
        }
        if (m_y) {
            N_VDestroy(m_y);
            m_y = nullptr;
        }
        if (m_ctx) {
            SUNContext_Free(&m_ctx);
        }
    }

    void check(int flag, const char* call)
    {
        if (flag < 0) {
            throw VelkoraError(m_procedure, "{} failed with flag {}{}", call, flag,
                               m_message.empty() ? std::string() : ": " + m_message);
        }
    }

    static int rhs(sunrealtype, N_Vector y, N_Vector ydot, void* data)
    {
        auto* self = static_cast<CvodesIntegrator*>(data);
        struct Timer
        {
            CvodesIntegrator* self;
            std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
            ~Timer()
            {
                self->m_stats.rateSeconds +=
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            }
        } timer{self};
        try {
            self->m_net.evalRhs(N_VGetArrayPointer(y), N_VGetArrayPointer(ydot));
            // A rate that is not a number may come from a trial state far off:
            // a recoverable failure makes CVODES retry with a smaller step.
            const double* f = N_VGetArrayPointer(ydot);
            for (size_t i = 0; i < self->m_net.m_neq; i++) {
                if (!std::isfinite(f[i])) {
                    self->m_message = "a rate is not a finite number";
                    return 1;
                }
            }
            return 0;
        } catch (const std::exception& err) {
            self->m_message = std::string("rate evaluation failed: ") + err.what();
        } catch (...) {
            self->m_message = "rate evaluation failed";
        }
        return -1;
    }

    static void onError(int, const char*, const char*, char* msg, void* data)
    {
        // Keep the first message of a failure: later ones only repeat it.
        auto* self = static_cast<CvodesIntegrator*>(data);
        if (self->m_message.empty()) {
            self->m_message = msg;
        }
    }

    ReactorNet& m_net;
    int m_ns = 0;
    const char* m_procedure;
    std::vector<int> m_plist;          //!< the integrated parameters
    std::vector<size_t> m_blockOffset; //!< each reactor's first entry in the sparse pattern
    ReactorNet::Statistics m_stats;
    long m_jacobianEvaluations = 0;    //!< by linearSystem()
    long m_convergenceFailures = 0;    //!< of the Newton iteration, at the last linearSystem()
    SUNContext m_ctx = nullptr;
    N_Vector m_y = nullptr;
    N_Vector* m_sens = nullptr;
    SUNMatrix m_matrix = nullptr;
    std::unique_ptr<KluNewtonSolver> m_klu;     //!< the analytic Jacobian's solver
    std::unique_ptr<TimedLinearSolver> m_dense; //!< or the dense difference quotients'
    void* m_mem = nullptr;
    std::vector<double> m_scales;
    std::string m_message;
    bool m_sensCurrent = true; // all zero at set-up
};

ReactorNet::ReactorNet(const std::vector<std::shared_ptr<ReactorBase>>& reactors)
    : m_reactors(reactors)
{
    if (reactors.empty()) {
        throw VelkoraError("ReactorNet::ReactorNet", "A reactor network needs at least one reactor.");
    }
    std::set<const ReactorBase*> seen;
    for (size_t i = 0; i < reactors.size(); i++) {
        if (!reactors[i]) {
            throw VelkoraError("ReactorNet::ReactorNet", "Reactor {} of the list is null.", i);
        }
        if (!seen.insert(reactors[i].get()).second) {
            throw VelkoraError("ReactorNet::ReactorNet", "Reactor {} of the list appears twice.", i);
        }
        m_speciesOffset.push_back(m_neq);
        m_paramOffset.push_back(m_nparams);
        m_neq += reactors[i]->nComponents();
        m_nparams += reactors[i]->nReactions();
    }
    if (m_neq == 0) {
        throw VelkoraError("ReactorNet::ReactorNet", "The reactors of the network have no species.");
    }
    m_knownVersions.assign(reactors.size(), 0);
    m_method = allAnalytic() ? JacobianMethod::Analytic : JacobianMethod::DenseDifferences;
}

bool ReactorNet::allAnalytic() const
{
    for (const auto& r : m_reactors) {
        if (!r->hasJacobian()) {
            return false;
        }
    }
    return true;
}

void ReactorNet::setJacobianMethod(JacobianMethod method)
{
    if (method == JacobianMethod::Analytic && !allAnalytic()) {
        throw VelkoraError("ReactorNet::setJacobianMethod",
                           "An analytic Jacobian needs every reactor to have one; a {} has none.",
                           [&] {
                               for (const auto& r : m_reactors) {
                                   if (!r->hasJacobian()) {
                                       return r->type();
                                   }
                               }
                               return std::string();
                           }());
    }
    m_method = method;
    m_needsSetup = true;
}

ReactorNet::Statistics ReactorNet::statistics() const
{
    return m_integrator ? m_integrator->statistics() : Statistics();
}

ReactorNet::~ReactorNet() = default;

void ReactorNet::setInitialTime(double t)
{
    if (!std::isfinite(t)) {
        throw VelkoraError("ReactorNet::setInitialTime", "The initial time must be finite, not {}.", t);
    }
    m_time = t;
    m_needsSetup = true;
}

void ReactorNet::setMaxTimeStep(double maxStep)
{
    if (!std::isfinite(maxStep) || maxStep < 0.0) {
        throw VelkoraError("ReactorNet::setMaxTimeStep",
                           "The largest step must be finite and not negative, not {}.", maxStep);
    }
    m_maxStep = maxStep;
    m_needsSetup = true;
}

namespace
{
// CVODES weighs each error by 1/(rtol |y| + atol) and sums the squares of the
// weighted values: with an absolute tolerance much below this floor a
// component near 0 overflows that sum, and the integrator then loops on
// infinities instead of failing.
constexpr double minAbsoluteTolerance = 1e-100;

void checkTolerances(const char* procedure, double rtol, double atol)
{
    if (!std::isfinite(rtol) || rtol < 0.0 || !std::isfinite(atol) || atol < 0.0) {
        throw VelkoraError(procedure, "Tolerances must be finite and not negative, not rtol = {}, atol = {}.",
                           rtol, atol);
    }
    const double epsilon = std::numeric_limits<double>::epsilon();
    if (rtol != 0.0 && rtol < epsilon) {
        throw VelkoraError(procedure,
                           "The relative tolerance {} lies below machine precision: give 0 or at least {}.", rtol,
                           epsilon);
    }
    if (atol < minAbsoluteTolerance) {
        throw VelkoraError(procedure, "The absolute tolerance {} lies below {}, which the integrator cannot honour.",
                           atol, minAbsoluteTolerance);
    }
}
} // namespace

void ReactorNet::setTolerances(double rtol, double atol)
{
    checkTolerances("ReactorNet::setTolerances", rtol, atol);
    m_rtol = rtol;
    m_atol = atol;
    m_needsSetup = true;
}

void ReactorNet::setSensitivityTolerances(double rtol, double atol)
{
    checkTolerances("ReactorNet::setSensitivityTolerances", rtol, atol);
    m_sensRtol = rtol;
    m_sensAtol = atol;
    m_needsSetup = true;
}

void ReactorNet::prepare(const char* procedure)
{
    for (size_t i = 0; i < m_reactors.size(); i++) {
        if (m_reactors[i]->stateVersion() != m_knownVersions[i]) {
            m_needsSetup = true;
        }
    }
    if (!m_needsSetup) {
        m_integrator->setProcedure(procedure);
        return;
    }
    m_integrator.reset();
    m_multipliers.assign(m_nparams, 1.0);
    m_sensitivityIndex.assign(m_nparams, -1);
    int integrated = 0;
    for (size_t r = 0; r < m_reactors.size(); r++) {
        if (m_reactors[r]->sensitivitiesEnabled()) {
            for (size_t j = 0; j < m_reactors[r]->nReactions(); j++) {
                m_sensitivityIndex[m_paramOffset[r] + j] = integrated++;
            }
        }
    }
    m_integrator = std::make_unique<CvodesIntegrator>(*this, m_time, procedure);
    for (size_t i = 0; i < m_reactors.size(); i++) {
        m_knownVersions[i] = m_reactors[i]->stateVersion();
    }
    m_needsSetup = false;
}

void ReactorNet::advance(double t)
{
    if (!std::isfinite(t)) {
        throw VelkoraError("ReactorNet::advance", "The target time must be finite, not {}.", t);
    }
    if (t < m_time) {
        throw VelkoraError("ReactorNet::advance", "The target time {} lies before the current time {}.", t,
                           m_time);
    }
    if (t == m_time) {
        return;
    }
    prepare("ReactorNet::advance");
    double reached = integrateTo(t, CV_NORMAL, "ReactorNet::advance");
    if (reached != t) {
        m_needsSetup = true;
        throw VelkoraError("ReactorNet::advance", "The integrator stopped at t = {} instead of {}, from t = {}.",
                           reached, t, m_time);
    }
    m_time = t;
    writeStateToReactors(m_integrator->state());
}

double ReactorNet::step()
{
    prepare("ReactorNet::step");
    // No stop time: a previous advance() may have left one at the current time.
    double reached = integrateTo(std::numeric_limits<double>::max(), CV_ONE_STEP, "ReactorNet::step");
    if (!(reached > m_time) || !std::isfinite(reached)) {
        m_needsSetup = true;
        throw VelkoraError("ReactorNet::step", "The integrator made no progress at t = {} (it returned t = {}).",
                           m_time, reached);
    }
    m_time = reached;
    writeStateToReactors(m_integrator->state());
    return m_time;
}

double ReactorNet::integrateTo(double stopTime, int mode, const char* procedure)
{
    try {
        m_integrator->setStopTime(stopTime);
        return m_integrator->integrate(mode == CV_NORMAL ? stopTime : m_time + 1.0, mode, procedure, m_time);
    } catch (...) {
        // After a failure CVODES may hold a state it cannot continue from:
        // start afresh from the last state reached.
        m_needsSetup = true;
        throw;
    }
}

size_t ReactorNet::globalComponentIndex(const std::string& name, size_t reactor) const
{
    if (reactor >= m_reactors.size()) {
        throw VelkoraError("ReactorNet::globalComponentIndex",
                           "Reactor index {} out of range (the network has {} reactors).", asGiven(reactor),
                           m_reactors.size());
    }
    size_t k = m_reactors[reactor]->componentIndex(name);
    if (k == ReactorBase::npos) {
        throw VelkoraError("ReactorNet::globalComponentIndex", "No species '{}' in reactor {}.", name,
                           reactor);
    }
    return m_speciesOffset[reactor] + k;
}

double ReactorNet::sensitivity(size_t component, size_t parameter)
{
    if (component >= m_neq) {
        throw VelkoraError("ReactorNet::sensitivity",
                           "Component index {} out of range (the network has {} components).", asGiven(component),
                           m_neq);
    }
    if (parameter >= m_nparams) {
        throw VelkoraError("ReactorNet::sensitivity",
                           "Parameter index {} out of range (the network has {} parameters).", asGiven(parameter),
                           m_nparams);
    }
    size_t r = 0;
    while (r + 1 < m_reactors.size() && m_paramOffset[r + 1] <= parameter) {
        r++;
    }
    if (!m_reactors[r]->sensitivitiesEnabled()) {
        throw VelkoraError("ReactorNet::sensitivity",
                           "Parameter {} belongs to reactor {}, whose sensitivities are not integrated; enable them "
                           "before integrating.",
                           parameter, r);
    }
    if (!m_integrator) {
        return 0.0; // nothing integrated yet: every sensitivity is still 0
    }
    double c = m_integrator->state()[component];
    if (std::abs(c) <= m_atol) {
        return 0.0;
    }
    return m_integrator->sensitivity(component, static_cast<size_t>(m_sensitivityIndex[parameter])) / c;
}

long ReactorNet::steps() const
{
    return m_integrator ? m_integrator->steps() : 0;
}

void ReactorNet::evalRhs(const double* y, double* ydot) const
{
    for (size_t i = 0; i < m_reactors.size(); i++) {
        m_reactors[i]->evalRates(y + m_speciesOffset[i], m_multipliers.data() + m_paramOffset[i],
                                 ydot + m_speciesOffset[i]);
    }
}

void ReactorNet::readStateFromReactors(double* y)
{
    for (size_t i = 0; i < m_reactors.size(); i++) {
        m_reactors[i]->getState(y + m_speciesOffset[i]);
    }
}

void ReactorNet::writeStateToReactors(const double* y)
{
    for (size_t i = 0; i < m_reactors.size(); i++) {
        m_reactors[i]->setState(y + m_speciesOffset[i]);
        m_knownVersions[i] = m_reactors[i]->stateVersion();
    }
}

std::shared_ptr<ReactorNet> newReactorNet(std::vector<std::shared_ptr<ReactorBase>>& reactors)
{
    return std::make_shared<ReactorNet>(reactors);
}

} // namespace Velkora
