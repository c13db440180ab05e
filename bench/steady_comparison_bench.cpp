// The steady solver against its peers, on the same residual code, from the
// same starts, judged alike: max |f| of the steady residual <= 1e-5 at the
// end. Each case runs every solver, the solvers interleaved case by case and
// the cases repetition by repetition; the time of a solve is the thread's CPU
// time, the median of the repetitions.
//
// Solvers, each configured as its own users would for a 1-D banded problem:
// - ours: PseudoTransientProblem through the library's banded 1-D problem
//   with its defaults (ModelProblem);
// - KINSOL: Newton with its line search and band solver on its own
//   difference-quotient Jacobian, evaluated every iteration
//   (KINSetMaxSetupCalls 1) and with its default reuse (10);
// - PETSc SNES newtonls, with the bt and the l2 line search, LU, Jacobian by
//   coloured differences on a DMDA;
// - PETSc TS TSPSEUDO, pseudo-transient continuation with PETSc's step
//   control, as its experts configure it for a stiff start: a first step of
//   1e-5, non-finite residuals reported as domain errors, unlimited SNES
//   failures (-ts_max_snes_failures -1), at most 50 rejected steps
//   (-ts_max_reject 50).
//
// Problem families:
// - flame: a burner-stabilised premixed flame (examples/flame), Zeldovich
//   numbers 8 to 16, from a smooth profile and from steps with burnt gas
//   from x = 5, 10 and 15 (20 cases);
// - rod: a rod heated by an Arrhenius source (examples/rod), from below to
//   above ignition, from cold, warm and hot starts (12 cases).
//
//   steady_comparison_bench [--sizes=1000,10000] [--reps=3] [--families=flame,rod]
//                           [--case="beta=10 step@10"] [--solvers=kinsol-1,pseudo] [--detail]
//
// --detail adds a row per case: for each solver whether it converged, its
// time, its residual and Jacobian evaluations, and its steps (pseudo-time
// steps for ours and TSPSEUDO, Newton iterations for the others).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "flame/PremixedFlame.h"
#include "velkora/interface/VelkoraError.h"
#include "rod/HeatedRod.h"
#include "steady/Comparison.h"
#include "steady/KinsolSolver.h"
#ifdef VELKORA_BENCH_PETSC
#include "steady/PetscSolver.h"
#endif

namespace
{

using bench::Outcome;
using bench::SteadyModel;

//! One of the examples' models, with a start, solved by ours through
//! Velkora::ModelProblem.
template <class Model>
class ExampleModel : public SteadyModel
{
public:
    ExampleModel(Model model, size_t dof, std::vector<double> start)
        : m_model(std::move(model)), m_dof(dof), m_start(std::move(start))
    {
    }
    size_t size() const override { return m_model.size(); }
    size_t dof() const override { return m_dof; }
    size_t bandwidth() const override { return m_model.bandwidth(); }
    void residual(const double* u, double* r) const override { m_model.residual(u, r); }
    bool transient(size_t i) const override { return m_model.transient(i); }
    std::vector<double> start() const override { return m_start; }

    Outcome solveWithOurs() const override
    {
        Outcome out;
        std::vector<double> u = m_start;
        double t0 = bench::threadSeconds();
        Velkora::ModelProblem<Model> problem(m_model);
        problem.setInitialGuess(u.data());
        try {
            problem.solve(0);
            problem.getState(u.data());
        } catch (const Velkora::VelkoraError&) {
            u = problem.state(); // gave up: judged where it stopped
        }
        out.seconds = bench::threadSeconds() - t0;
        out.residualEvaluations = problem.residualEvaluations();
        out.jacobianEvaluations = problem.jacobianEvaluations();
        out.steps = problem.timeSteps();
        judge(u, out);
        return out;
    }

private:
    Model m_model;
    size_t m_dof;
    std::vector<double> m_start;
};

struct Case
{
    std::string family;
    std::string label;
    std::function<std::unique_ptr<SteadyModel>(size_t points)> make;
};

std::vector<Case> flameCases()
{
    std::vector<Case> list;
    for (double beta : {8.0, 10.0, 12.0, 14.0, 16.0}) {
        for (std::string guess : {"smooth", "step@5", "step@10", "step@15"}) {
            list.push_back({"flame", "beta=" + std::to_string(int(beta)) + " " + guess, [=](size_t points) {
                                flame::Parameters p;
                                p.points = points;
                                p.beta = beta;
                                flame::Model m(p);
                                auto start = guess == "smooth" ? m.smoothGuess() : m.stepGuess(std::stod(guess.substr(5)));
                                return std::make_unique<ExampleModel<flame::Model>>(m, 2, start);
                            }});
        }
    }
    return list;
}

std::vector<Case> rodCases()
{
    std::vector<Case> list;
    for (double delta : {2.0, 4.0, 4.8, 8.0}) {
        for (std::string guess : {"cold", "warm", "hot"}) {
            char label[32];
            std::snprintf(label, sizeof(label), "delta=%g %s", delta, guess.c_str());
            list.push_back({"rod", label, [=](size_t points) {
                                rod::Parameters p;
                                p.points = points;
                                p.delta = delta;
                                rod::Model m(p);
                                return std::make_unique<ExampleModel<rod::Model>>(m, 1, m.guess(guess));
                            }});
        }
    }
    return list;
}

struct Solver
{
    std::string name;
    std::string description;
    std::function<Outcome(const SteadyModel&)> solve;
};

std::vector<Solver> solvers()
{
    std::vector<Solver> list = {
        {"ours", "ours", [](const SteadyModel& m) { return m.solveWithOurs(); }},
        {"kinsol-1", "KINSOL, Jacobian every iteration", [](const SteadyModel& m) { return bench::solveWithKinsol(m, 1); }},
        {"kinsol-10", "KINSOL, default Jacobian reuse", [](const SteadyModel& m) { return bench::solveWithKinsol(m, 10); }},
    };
#ifdef VELKORA_BENCH_PETSC
    list.push_back({"snes-bt", "PETSc SNES newtonls bt", [](const SteadyModel& m) { return bench::solveWithSnes(m, "bt"); }});
    list.push_back({"snes-l2", "PETSc SNES newtonls l2", [](const SteadyModel& m) { return bench::solveWithSnes(m, "l2"); }});
    list.push_back({"pseudo", "PETSc TSPSEUDO", [](const SteadyModel& m) { return bench::solveWithPseudo(m); }});
#endif
    return list;
}

double median(std::vector<double> v)
{
    if (v.empty()) {
        return NAN;
    }
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : 0.5 * (v[v.size() / 2 - 1] + v[v.size() / 2]);
}

//! Results of one size: [case][solver] -> outcomes of the repetitions.
using Results = std::vector<std::vector<std::vector<Outcome>>>;

Outcome summary(const std::vector<Outcome>& runs)
{
    Outcome o = runs.front();
    std::vector<double> t;
    for (const Outcome& r : runs) {
        t.push_back(r.seconds);
        o.converged = o.converged && r.converged;
    }
    o.seconds = median(t);
    return o;
}

void printTables(const std::string& family, size_t points, const std::vector<Case>& cases,
                 const std::vector<Solver>& list, const Results& results, int reps, bool detail)
{
    std::vector<size_t> rows;
    for (size_t c = 0; c < cases.size(); c++) {
        if (cases[c].family == family) {
            rows.push_back(c);
        }
    }
    if (rows.empty()) {
        return;
    }
    std::printf("\n%s, N = %zu points: %zu cases, thread CPU time, median of %d interleaved repetitions\n",
                family.c_str(), points, rows.size(), reps);
    if (detail) {
        std::printf("%-18s", "case");
        for (const Solver& s : list) {
            std::printf(" | %-10s %8s %6s %5s %5s", s.name.c_str(), "ms", "f-evs", "J-evs", "steps");
        }
        std::printf("\n");
        for (size_t c : rows) {
            std::printf("%-18s", cases[c].label.c_str());
            for (size_t s = 0; s < list.size(); s++) {
                Outcome o = summary(results[c][s]);
                std::printf(" | %-10s %8.2f %6ld %5ld %5ld", o.converged ? "yes" : "no", 1e3 * o.seconds,
                            o.residualEvaluations, o.jacobianEvaluations, o.steps);
            }
            std::printf("\n");
        }
    }
    // Per solver: converged, total time, and ours against it on the cases
    // both solve. KINSOL's two settings also count as one peer, the faster
    // of the two on each case.
    std::printf("%-36s %9s %10s %14s %14s %s\n", "solver", "converged", "total ms", "median ratio", "worst ratio",
                "(ours / solver, cases both solve)");
    auto report = [&](const std::string& name, const std::function<Outcome(size_t)>& pick) {
        int converged = 0;
        double total = 0.0;
        std::vector<double> ratios;
        for (size_t c : rows) {
            Outcome o = pick(c);
            Outcome ours = summary(results[c][0]);
            converged += o.converged;
            total += o.seconds;
            if (o.converged && ours.converged) {
                ratios.push_back(ours.seconds / o.seconds);
            }
        }
        double worst = ratios.empty() ? NAN : *std::max_element(ratios.begin(), ratios.end());
        std::printf("%-36s %5d/%-3zu %10.1f %14.2f %14.2f\n", name.c_str(), converged, rows.size(), 1e3 * total,
                    median(ratios), worst);
    };
    for (size_t s = 0; s < list.size(); s++) {
        report(list[s].description, [&](size_t c) { return summary(results[c][s]); });
    }
    auto kinsol1 = std::find_if(list.begin(), list.end(), [](const Solver& s) { return s.name == "kinsol-1"; });
    auto kinsol10 = std::find_if(list.begin(), list.end(), [](const Solver& s) { return s.name == "kinsol-10"; });
    if (kinsol1 == list.end() || kinsol10 == list.end()) {
        return;
    }
    const size_t k1 = kinsol1 - list.begin(), k10 = kinsol10 - list.begin();
    report("KINSOL, the faster setting per case", [&](size_t c) {
        Outcome a = summary(results[c][k1]), b = summary(results[c][k10]);
        if (a.converged != b.converged) {
            return a.converged ? a : b;
        }
        return a.seconds <= b.seconds ? a : b;
    });
}

std::vector<std::string> split(const char* text)
{
    std::vector<std::string> parts;
    std::string part;
    for (const char* p = text; ; p++) {
        if (*p == ',' || *p == '\0') {
            if (!part.empty()) {
                parts.push_back(part);
            }
            part.clear();
            if (*p == '\0') {
                break;
            }
        } else {
            part += *p;
        }
    }
    return parts;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<size_t> sizes = {1000, 10000};
    std::vector<std::string> families = {"flame", "rod"};
    int reps = 3;
    bool detail = false;
    std::string only;
    std::vector<std::string> wanted;
    for (int i = 1; i < argc; i++) {
        if (std::strncmp(argv[i], "--sizes=", 8) == 0) {
            sizes.clear();
            for (const std::string& s : split(argv[i] + 8)) {
                sizes.push_back(std::strtoul(s.c_str(), nullptr, 10));
            }
        } else if (std::strncmp(argv[i], "--reps=", 7) == 0) {
            reps = std::max(1, std::atoi(argv[i] + 7));
        } else if (std::strncmp(argv[i], "--families=", 11) == 0) {
            families = split(argv[i] + 11);
        } else if (std::strcmp(argv[i], "--detail") == 0) {
            detail = true;
        } else if (std::strncmp(argv[i], "--case=", 7) == 0) {
            only = argv[i] + 7;
        } else if (std::strncmp(argv[i], "--solvers=", 10) == 0) {
            wanted = split(argv[i] + 10);
        }
    }
#ifdef VELKORA_BENCH_PETSC
    int petscArgc = 1;
    bench::petscInitialize(&petscArgc, &argv);
#else
    std::printf("PETSc not found: comparing with KINSOL only.\n");
#endif
    std::vector<Case> cases;
    for (const std::string& f : families) {
        for (Case& c : f == "flame" ? flameCases() : f == "rod" ? rodCases() : std::vector<Case>()) {
            if (only.empty() || c.label == only) {
                cases.push_back(std::move(c));
            }
        }
    }
    std::vector<Solver> list;
    for (Solver& s : solvers()) {
        // Ours always runs: the ratios are against it.
        if (wanted.empty() || s.name == "ours" || std::find(wanted.begin(), wanted.end(), s.name) != wanted.end()) {
            list.push_back(std::move(s));
        }
    }
    for (size_t points : sizes) {
        Results results(cases.size(), std::vector<std::vector<Outcome>>(list.size()));
        for (int rep = 0; rep < reps; rep++) {
            for (size_t c = 0; c < cases.size(); c++) {
                auto model = cases[c].make(points);
                for (size_t s = 0; s < list.size(); s++) {
                    results[c][s].push_back(list[s].solve(*model));
                }
            }
        }
        for (const std::string& f : families) {
            printTables(f, points, cases, list, results, reps, detail);
        }
        std::fflush(stdout);
    }
#ifdef VELKORA_BENCH_PETSC
    bench::petscFinalize();
#endif
    return 0;
}
