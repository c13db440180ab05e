// The steady solver against SUNDIALS KINSOL on the same flame residual.
//
// KINSOL runs Newton with a line search and its band linear solver with its
// own difference-quotient Jacobian; ours runs Newton attempts with pseudo-time
// stepping and the grouped-difference banded Jacobian. Both start from the
// same guess and are judged by the same bound on the final steady residual,
// max |f| <= 1e-5. Each case is a Zeldovich number and a starting profile,
// from a smooth profile near the flame to steps far downstream of it.
//
//   kinsol_comparison_bench [--sizes=1000,10000,100000] [Google Benchmark flags]
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <kinsol/kinsol.h>
#include <nvector/nvector_serial.h>
#include <sundials/sundials_context.h>
#include <sunlinsol/sunlinsol_band.h>
#include <sunmatrix/sunmatrix_band.h>

#include "flame/PremixedFlame.h"
#include "interface/VelkoraError.h"

namespace
{

constexpr double residualBound = 1e-5;

struct Case
{
    double beta;
    std::string guess; // "smooth" or "step@x"
};

std::vector<Case> cases()
{
    std::vector<Case> list;
    for (double beta : {8.0, 10.0, 12.0, 14.0, 16.0}) {
        for (const char* guess : {"smooth", "step@5", "step@10", "step@15"}) {
            list.push_back({beta, guess});
        }
    }
    return list;
}

std::vector<double> initialGuess(const flame::Model& model, const std::string& guess)
{
    if (guess == "smooth") {
        std::vector<double> u(model.size());
        for (size_t j = 0; j < model.points(); j++) {
            double T = 0.9 * 0.5 * (1.0 + std::tanh(model.x(j) - 4.0));
            u[2 * j] = j == 0 ? 0.0 : T;
            u[2 * j + 1] = 1.0 - T / 0.9;
        }
        return u;
    }
    return model.stepGuess(std::stod(guess.substr(5)));
}

struct Outcome
{
    bool converged = false;
    double peak = 0.0;      // the hottest point: about 0.9 on the flame, 0 on the extinguished branch
    double residual = NAN;  // max |f| at the end
    double seconds = 0.0;
    long residualEvaluations = 0;
    long jacobianEvaluations = 0;
};

void judge(const flame::Model& model, const std::vector<double>& u, Outcome& out)
{
    std::vector<double> r(model.size());
    model.residual(u.data(), r.data());
    double worst = 0.0;
    for (double v : r) {
        worst = std::isnan(v) ? v : std::max(worst, std::abs(v));
    }
    out.residual = worst;
    out.converged = worst <= residualBound;
    for (size_t j = 0; j < model.points(); j++) {
        out.peak = std::max(out.peak, u[2 * j]);
    }
}

Outcome runOurs(const flame::Parameters& params, const std::string& guess)
{
    Outcome out;
    flame::Problem problem(params);
    std::vector<double> u = initialGuess(problem.model(), guess);
    auto start = std::chrono::steady_clock::now();
    problem.setInitialGuess(u.data());
    try {
        problem.solve(0);
        problem.getState(u.data());
    } catch (const Velkora::VelkoraError&) {
        u = problem.state();
    }
    out.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    out.residualEvaluations = problem.residualEvaluations;
    out.jacobianEvaluations = problem.jacobian().evaluationCount();
    judge(problem.model(), u, out);
    return out;
}

struct KinsolData
{
    const flame::Model* model;
};

int kinsolResidual(N_Vector u, N_Vector f, void* data)
{
    auto* d = static_cast<KinsolData*>(data);
    double* r = N_VGetArrayPointer(f);
    d->model->residual(N_VGetArrayPointer(u), r);
    // Outside the range where the rate is defined: tell KINSOL to step back.
    for (size_t i = 0; i < d->model->size(); i++) {
        if (!std::isfinite(r[i])) {
            return 1;
        }
    }
    return 0;
}

void silence(int, const char*, const char*, char*, void*) {}

Outcome runKinsol(const flame::Parameters& params, const std::string& guess)
{
    Outcome out;
    flame::Model model(params);
    std::vector<double> u0 = initialGuess(model, guess);
    auto n = static_cast<sunindextype>(model.size());
    SUNContext ctx = nullptr;
    SUNContext_Create(nullptr, &ctx);
    N_Vector u = N_VNew_Serial(n, ctx);
    N_Vector scale = N_VNew_Serial(n, ctx);
    std::copy(u0.begin(), u0.end(), N_VGetArrayPointer(u));
    N_VConst(1.0, scale);
    SUNMatrix J = SUNBandMatrix(n, 2, 2, ctx);
    SUNLinearSolver LS = SUNLinSol_Band(u, J, ctx);
    void* mem = KINCreate(ctx);
    KinsolData data{&model};

    auto start = std::chrono::steady_clock::now();
    KINInit(mem, kinsolResidual, u);
    KINSetUserData(mem, &data);
    KINSetErrHandlerFn(mem, silence, nullptr);
    KINSetLinearSolver(mem, LS, J); // no Jacobian function: KINSOL's band difference quotients
    KINSetFuncNormTol(mem, residualBound);
    KINSetNumMaxIters(mem, 500);
    KINSol(mem, u, KIN_LINESEARCH, scale, scale);
    out.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    long nfe = 0, nfeLS = 0, nje = 0;
    KINGetNumFuncEvals(mem, &nfe);
    KINGetNumLinFuncEvals(mem, &nfeLS);
    KINGetNumJacEvals(mem, &nje);
    out.residualEvaluations = nfe + nfeLS;
    out.jacobianEvaluations = nje;
    std::vector<double> result(N_VGetArrayPointer(u), N_VGetArrayPointer(u) + n);
    judge(model, result, out);

    KINFree(&mem);
    SUNLinSolFree(LS);
    SUNMatDestroy(J);
    N_VDestroy(u);
    N_VDestroy(scale);
    SUNContext_Free(&ctx);
    return out;
}

// Results of the last run of each benchmark, for the table at the end.
std::map<std::string, Outcome> results;

void registerCase(const char* solver, Outcome (*run)(const flame::Parameters&, const std::string&), size_t points,
                  const Case& c)
{
    std::string name = std::string(solver) + "/N=" + std::to_string(points) + "/beta=" +
                       std::to_string(static_cast<int>(c.beta)) + "/" + c.guess;
    benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& state) {
        flame::Parameters params;
        params.points = points;
        params.beta = c.beta;
        Outcome out;
        for (auto _ : state) {
            out = run(params, c.guess);
        }
        state.counters["converged"] = out.converged;
        state.counters["residuals"] = double(out.residualEvaluations);
        state.counters["jacobians"] = double(out.jacobianEvaluations);
        state.counters["peakT"] = out.peak;
        results[name] = out;
    })->Unit(benchmark::kMillisecond)->Iterations(points >= 100000 ? 1 : 3);
}

void printTable(const std::vector<size_t>& sizes)
{
    std::printf("\nSteady flame, %zu cases per size, judged by max|f| <= %.0e\n", cases().size(), residualBound);
    std::printf("%7s %5s %-8s | %-4s %9s %6s %5s %5s | %-4s %9s %6s %5s %5s | %6s\n", "N", "beta", "guess", "ours",
                "ms", "f-evs", "J-evs", "peak", "KIN", "ms", "f-evs", "J-evs", "peak", "ratio");
    for (size_t points : sizes) {
        int both = 0, oursOnly = 0, kinOnly = 0, neither = 0;
        std::vector<double> ratios;
        for (const Case& c : cases()) {
            std::string suffix = "/N=" + std::to_string(points) + "/beta=" + std::to_string(static_cast<int>(c.beta)) +
                                 "/" + c.guess;
            auto o = results.find("ours" + suffix);
            auto k = results.find("kinsol" + suffix);
            if (o == results.end() || k == results.end()) {
                continue;
            }
            const Outcome& a = o->second;
            const Outcome& b = k->second;
            double ratio = a.seconds / b.seconds;
            if (a.converged && b.converged) {
                both++;
                ratios.push_back(ratio);
            } else if (a.converged) {
                oursOnly++;
            } else if (b.converged) {
                kinOnly++;
            } else {
                neither++;
            }
            std::printf("%7zu %5.0f %-8s | %-4s %9.2f %6ld %5ld %5.3f | %-4s %9.2f %6ld %5ld %5.3f | %6s\n", points,
                        c.beta, c.guess.c_str(), a.converged ? "yes" : "no", 1e3 * a.seconds, a.residualEvaluations,
                        a.jacobianEvaluations, a.peak, b.converged ? "yes" : "no", 1e3 * b.seconds,
                        b.residualEvaluations, b.jacobianEvaluations, b.peak,
                        (a.converged && b.converged) ? std::to_string(ratio).substr(0, 5).c_str() : "-");
        }
        std::sort(ratios.begin(), ratios.end());
        double median = ratios.empty() ? NAN : ratios[ratios.size() / 2];
        std::printf("N=%zu: both converge %d, only ours %d, only KINSOL %d, neither %d; "
                    "median time ratio ours/KINSOL where both converge %.3f\n",
                    points, both, oursOnly, kinOnly, neither, median);
    }
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<size_t> sizes = {1000, 10000};
    std::vector<char*> rest;
    for (int i = 0; i < argc; i++) {
        if (std::strncmp(argv[i], "--sizes=", 8) == 0) {
            sizes.clear();
            for (const char* p = argv[i] + 8; *p;) {
                char* end = nullptr;
                sizes.push_back(std::strtoul(p, &end, 10));
                p = (*end == ',') ? end + 1 : end;
            }
        } else {
            rest.push_back(argv[i]);
        }
    }
    for (size_t points : sizes) {
        for (const Case& c : cases()) {
            registerCase("ours", runOurs, points, c);
            registerCase("kinsol", runKinsol, points, c);
        }
    }
    int count = static_cast<int>(rest.size());
    benchmark::Initialize(&count, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printTable(sizes);
    return 0;
}
