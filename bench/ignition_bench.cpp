// Ignition in a closed, adiabatic reactor at constant pressure, side by side:
// ours with the sparse analytic Jacobian (KLU), ours with CVODES's dense
// difference quotients, and OpenFOAM's chemFoam with the settings its cases
// ship (seulex, relTol 0.1, absTol 1e-12), on the chemFoam validation cases
// (gri: GRI-Mech 3.0; ic8h18: 874 species, 3796 reactions). Each
// repetition runs every solver on every case, interleaved; the figures are
// medians.
//
// Times are CPU times of the integration to the case's end time: ours the
// thread's CPU time around the integration (the mechanism is loaded
// before); chemFoam's its own ExecutionTime (CPU) between its first and its
// last time step, so that reading the case is left out. chemFoam runs when
// it is installed (Debian's openfoam; make bench installs it), on a copy of
// the case converted with chemkinToFoam and without the sensitivity
// analysis the gri case's controlDict asks for. Where one chemFoam run takes
// more than a minute it runs once.
//
//   ignition_bench [--reps=3] [--cases=gri,ic8h18] [--rtol=1e-6] [--peer=chemfoam|none] [--sparse-only]
//
// --peer=none leaves chemFoam out, --sparse-only our dense differences (for
// profiles and instruction counts).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <time.h>

#include <fmt/format.h>

#include "KineticsFloor.h"

#include "velkora/platform/input/ChemkinReader.h"
#include "velkora/platform/reactors/IdealGasReactor.h"
#include "velkora/platform/reactors/ReactorNet.h"
#include "velkora/platform/thermo/Composition.h"
#include "velkora/platform/thermo/PhysicalConstants.h"

namespace
{

using namespace Velkora;

double threadSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + 1e-9 * double(ts.tv_nsec);
}

struct Case
{
    std::string name;
    double P_atm, T0, end;
    std::string composition;
    std::shared_ptr<Mechanism> mechanism;
};

std::string caseDir(const std::string& name)
{
    return std::string(VELKORA_CHEMISTRY_DATA) + "/" + name;
}

struct Run
{
    bool ok = false;
    double seconds = NAN;
    double ignition = NAN; //!< T0 + 400 K
    double finalT = NAN;
    ReactorNet::Statistics stats;
    IdealGasReactor::Statistics reactor;
};

Run ours(const Case& c, ReactorNet::JacobianMethod method, double rtol)
{
    Run run;
    std::vector<double> X = parseComposition("bench", c.composition, c.mechanism->speciesSet());
    auto reactor = std::make_shared<IdealGasReactor>(c.mechanism, IdealGasReactor::ConstantPressure, c.T0,
                                                     c.P_atm * OneAtm, X.data());
    std::vector<std::shared_ptr<ReactorBase>> list = {reactor};
    ReactorNet net(list);
    net.setTolerances(rtol, 1e-12);
    net.setJacobianMethod(method);
    double previousT = c.T0, previousTime = 0.0;
    double t0 = threadSeconds();
    try {
        while (net.time() < c.end) {
            double t = net.step();
            double T = reactor->temperature();
            if (std::isnan(run.ignition) && T >= c.T0 + 400.0) {
                run.ignition = previousTime + (c.T0 + 400.0 - previousT) * (t - previousTime) / (T - previousT);
            }
            previousT = T;
            previousTime = t;
        }
        run.ok = true;
    } catch (const std::exception& err) {
        std::fprintf(stderr, "%s: %s\n", c.name.c_str(), err.what());
    }
    run.seconds = threadSeconds() - t0;
    run.finalT = reactor->temperature();
    run.stats = net.statistics();
    run.reactor = reactor->statistics();
    return run;
}

bool haveChemFoam()
{
    return std::system("command -v chemFoam >/dev/null 2>&1 && test -f /usr/share/openfoam/etc/bashrc") == 0;
}

std::string shell(const std::string& dir, const std::string& command)
{
    return "bash -c 'source /usr/share/openfoam/etc/bashrc >/dev/null 2>&1; export WM_PROJECT_DIR=/usr/share/openfoam; "
           "cd \"" + dir + "\" && " + command + "'";
}

//! A converted copy of the case, once per process.
std::string chemFoamCase(const Case& c, const std::string& work)
{
    std::string dir = work + "/" + c.name;
    std::string prepare = "rm -rf \"" + dir + "\" && cp -a \"" + caseDir(c.name) + "\" \"" + dir + "\" && cd \"" + dir +
                          "/chemkin\" && (gunzip -kf *.gz 2>/dev/null; true)";
    if (std::system(prepare.c_str()) != 0 ||
        std::system(shell(dir, "chemkinToFoam chemkin/chem.inp chemkin/therm.dat chemkin/transportProperties "
                                "constant/reactions constant/thermo >log.chemkinToFoam 2>&1")
                        .c_str()) != 0) {
        return "";
    }
    // No sensitivity analysis: it is most of the gri case's run.
    std::ifstream in(dir + "/system/controlDict");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t f = text.find("\nfunctions");
    if (f != std::string::npos) {
        size_t open = text.find('{', f);
        int depth = 0;
        size_t close = open;
        for (; close < text.size(); close++) {
            depth += text[close] == '{' ? 1 : text[close] == '}' ? -1 : 0;
            if (depth == 0) {
                break;
            }
        }
        text.replace(open, close - open + 1, "{\n}");
        std::ofstream(dir + "/system/controlDict") << text;
    }
    return dir;
}

Run chemFoam(const Case& c, const std::string& dir)
{
    Run run;
    if (dir.empty() || std::system(shell(dir, "chemFoam >log.chemFoam 2>&1").c_str()) != 0) {
        return run;
    }
    std::ifstream log(dir + "/log.chemFoam");
    std::string line;
    std::regex execution("^ExecutionTime = ([0-9.e+-]+) s");
    std::regex temperature("T = ([0-9.e+-]+),");
    std::regex time("^Time = ([0-9.e+-]+)");
    double first = NAN, last = NAN, now = 0.0, previousT = c.T0, previousTime = 0.0;
    while (std::getline(log, line)) {
        std::smatch m;
        if (std::regex_search(line, m, execution)) {
            double v = std::stod(m[1]);
            if (std::isnan(first)) {
                first = v;
            }
            last = v;
        } else if (std::regex_search(line, m, time)) {
            now = std::stod(m[1]);
        } else if (std::regex_search(line, m, temperature)) {
            double T = std::stod(m[1]);
            if (std::isnan(run.ignition) && T >= c.T0 + 400.0) {
                run.ignition = previousTime + (c.T0 + 400.0 - previousT) * (now - previousTime) / (T - previousT);
            }
            previousT = T;
            previousTime = now;
            run.finalT = T;
        }
    }
    run.ok = !std::isnan(last);
    run.seconds = last - first;
    return run;
}

double median(std::vector<double> v)
{
    if (v.empty()) {
        return NAN;
    }
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : 0.5 * (v[v.size() / 2 - 1] + v[v.size() / 2]);
}

//! The floor of a rate evaluation: one exponential per reaction and the
//! product of its reactants' concentrations, ns per reaction.
double floorPerReaction(const Mechanism& m)
{
    KineticsFloor baseline(m);
    const std::vector<double> C(m.nSpecies(), 1e-3);
    const int repeats = 2000;
    double T = 1500.0, sink = 0.0;
    double t0 = threadSeconds();
    for (int r = 0; r < repeats; r++) {
        T += 0.01;
        baseline.evaluate(T, C.data());
        sink += baseline.rates()[m.nReactions() / 2];
    }
    double seconds = threadSeconds() - t0;
    if (sink == 42.0) {
        std::printf(" ");
    }
    const double n = static_cast<double>(m.nReactions());
    return 1e9 * seconds / (repeats * n);
}

} // namespace

int main(int argc, char** argv)
{
    int reps = 3;
    double rtol = 1e-6;
    bool peer = true, dense = true;
    std::vector<std::string> names = {"gri", "ic8h18"};
    for (int i = 1; i < argc; i++) {
        if (std::strncmp(argv[i], "--reps=", 7) == 0) {
            reps = std::max(1, std::atoi(argv[i] + 7));
        } else if (std::strcmp(argv[i], "--sparse-only") == 0) {
            dense = false;
        } else if (std::strcmp(argv[i], "--peer=none") == 0) {
            peer = false;
        } else if (std::strncmp(argv[i], "--rtol=", 7) == 0) {
            rtol = std::atof(argv[i] + 7);
        } else if (std::strncmp(argv[i], "--cases=", 8) == 0) {
            names.clear();
            std::stringstream list(argv[i] + 8);
            std::string name;
            while (std::getline(list, name, ',')) {
                names.push_back(name);
            }
        }
    }
    std::map<std::string, Case> known = {
        {"h2", {"h2", 2.0, 1000.0, 1e-3, "H2:1, O2:1, N2:3.76", nullptr}},
        {"gri", {"gri", 13.5, 1000.0, 0.07, "CH4:0.5, O2:1, N2:3.76", nullptr}},
        {"nc7h16", {"nc7h16", 50.0, 800.0, 1e-3, "NC7H16:0.090909, O2:1, N2:3.76", nullptr}},
        {"ic8h18", {"ic8h18", 50.0, 800.0, 0.01, "IC8H18:0.08, O2:1, N2:3.76", nullptr}},
    };
    std::vector<Case> cases;
    for (const std::string& name : names) {
        if (!known.count(name) || !std::ifstream(caseDir(name) + "/chemkin/chem.inp").good()) {
            std::printf("ignition_bench: no reference data for '%s' (scripts/fetch-chemistry.sh)\n", name.c_str());
            continue;
        }
        Case c = known[name];
        std::string dir = caseDir(name) + "/chemkin/";
        c.mechanism = readChemkin(dir + "chem.inp", dir + "therm.dat");
        cases.push_back(c);
    }
    const bool foam = peer && haveChemFoam();
    std::string work;
    std::vector<std::string> foamDirs(cases.size());
    if (foam) {
        char pattern[] = "/tmp/ignition_bench.XXXXXX";
        work = mkdtemp(pattern) ? pattern : "";
        for (size_t c = 0; c < cases.size(); c++) {
            foamDirs[c] = chemFoamCase(cases[c], work);
        }
    } else if (peer) {
        std::printf("chemFoam not found (Debian's openfoam): comparing our two Jacobians only.\n");
    }
    const char* solverNames[] = {"ours, sparse analytic (KLU)", "ours, dense differences", "chemFoam (seulex, relTol 0.1)"};
    std::vector<std::vector<std::vector<Run>>> runs(cases.size(), std::vector<std::vector<Run>>(3));
    for (int rep = 0; rep < reps; rep++) {
        for (size_t c = 0; c < cases.size(); c++) {
            runs[c][0].push_back(ours(cases[c], ReactorNet::JacobianMethod::Analytic, rtol));
            if (dense) {
                runs[c][1].push_back(ours(cases[c], ReactorNet::JacobianMethod::DenseDifferences, rtol));
            }
            // chemFoam once where one run takes minutes (ic8h18: about 7).
            const bool slow = !runs[c][2].empty() && runs[c][2].front().seconds > 60.0;
            if (foam && !slow) {
                runs[c][2].push_back(chemFoam(cases[c], foamDirs[c]));
            }
        }
    }
    std::printf("\nIgnition at constant pressure, CPU seconds of the integration, median of %d interleaved repetitions; "
                "ours at rtol %g, atol 1e-12\n",
                reps, rtol);
    std::printf("%-8s %-32s %10s %6s %8s %14s %9s %7s\n", "case", "solver", "seconds", "runs", "ratio", "T0+400 K (s)",
                "final T", "steps");
    for (size_t c = 0; c < cases.size(); c++) {
        std::vector<double> times[3];
        for (int s = 0; s < 3; s++) {
            for (const Run& r : runs[c][s]) {
                if (r.ok) {
                    times[s].push_back(r.seconds);
                }
            }
        }
        const double reference = foam ? median(times[2]) : NAN;
        for (int s = 0; s < 3; s++) {
            if (runs[c][s].empty()) {
                continue;
            }
            const Run& r = runs[c][s].back();
            std::printf("%-8s %-32s %10.4f %6zu %8s %14.6e %9.1f %7ld\n", cases[c].name.c_str(), solverNames[s],
                        median(times[s]), times[s].size(),
                        s == 2 || !foam ? "" : fmt::format("1/{:.1f}", reference / median(times[s])).c_str(), r.ignition,
                        r.finalT, s < 2 ? r.stats.steps : 0L);
        }
    }
    // Where our time goes, and how the cost of a step grows.
    std::printf("\nOurs with the sparse Jacobian, the last repetition: where the time goes (s)\n");
    std::printf("%-8s %5s %6s %6s %6s %7s %7s %9s %8s %8s %9s %8s %8s %8s %12s %12s\n", "case", "n", "nnz",
                "steps", "rates", "jacobis", "setups", "pivot/re", "total", "rates", "jacobian", "setup", "solve", "rest",
                "ns/reaction", "floor ns/rxn");
    for (size_t c = 0; c < cases.size(); c++) {
        const Run& r = runs[c][0].back();
        const auto& s = r.stats;
        const double perReaction = 1e9 * r.reactor.rateSeconds / std::max(1L, r.reactor.rateEvaluations) /
                                   cases[c].mechanism->nReactions();
        const std::string factors = fmt::format("{}/{}", s.factorizations, s.refactorizations);
        std::printf("%-8s %5zu %6ld %6ld %6ld %7ld %7ld %9s %8.4f %8.4f %9.4f %8.4f %8.4f %8.4f %12.1f %12.1f\n",
                    cases[c].name.c_str(), cases[c].mechanism->nSpecies() + 1, s.jacobianNonzeros, s.steps,
                    s.rateEvaluations, s.jacobianEvaluations, s.linearSetups, factors.c_str(), r.seconds,
                    s.rateSeconds, s.jacobianSeconds, s.setupSeconds, s.solveSeconds,
                    r.seconds - s.rateSeconds - s.jacobianSeconds - s.setupSeconds - s.solveSeconds, perReaction,
                    floorPerReaction(*cases[c].mechanism));
    }
    if (cases.size() >= 2) {
        const Run& a = runs.front()[0].back();
        const Run& b = runs.back()[0].back();
        const double na = static_cast<double>(cases.front().mechanism->nSpecies() + 1);
        const double nb = static_cast<double>(cases.back().mechanism->nSpecies() + 1);
        std::printf("\nCost of a step, %s over %s: %.1f; nonzeros %.1f, n^3 %.0f\n", cases.back().name.c_str(),
                    cases.front().name.c_str(), (b.seconds / b.stats.steps) / (a.seconds / a.stats.steps),
                    double(b.stats.jacobianNonzeros) / double(a.stats.jacobianNonzeros), std::pow(nb / na, 3.0));
    }
    if (!work.empty()) {
        std::system(("rm -rf \"" + work + "\"").c_str());
    }
    return 0;
}
