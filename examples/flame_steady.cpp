// Solves a burner-stabilised premixed flame to steady state, starting from a
// step profile far downstream of the flame (burnt gas from x = `position` on),
// and prints the solver's progress and a summary. From most such starts the
// steady Newton iteration reaches the flame in its first attempt; from some
// (1000 points, Zeldovich 12, x = 15) it fails, and the log shows the
// pseudo-time stepping that brings the state close enough.
//
//   flame_steady [points] [zeldovich] [position]    (defaults: 400, 10, 10)
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "flame/PremixedFlame.h"
#include "velkora/interface/VelkoraError.h"

int main(int argc, char** argv)
{
    flame::Parameters params;
    if (argc > 1) {
        params.points = static_cast<size_t>(std::strtoul(argv[1], nullptr, 10));
    }
    if (argc > 2) {
        params.beta = std::strtod(argv[2], nullptr);
    }
    double position = argc > 3 ? std::strtod(argv[3], nullptr) : 10.0;
    if (params.points < 10 || !(params.beta > 0.0) || !(position > 0.0 && position < params.length)) {
        std::fprintf(stderr, "usage: %s [points >= 10] [zeldovich > 0] [position in (0, %g)]\n", argv[0],
                     params.length);
        return 2;
    }
    std::printf("Burner-stabilised premixed flame: %zu points, Zeldovich number %g, mass flux %g\n",
                params.points, params.beta, params.massFlux);

    flame::Problem problem(params);
    std::vector<double> guess = problem.model().stepGuess(position);
    problem.setInitialGuess(guess.data());

    auto start = std::chrono::steady_clock::now();
    try {
        problem.solve(1);
    } catch (const Velkora::VelkoraError& err) {
        std::fprintf(stderr, "\nsolve failed: %s\n", err.what());
        return 1;
    }
    std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;

    std::vector<double> u(problem.size()), r(problem.size());
    problem.getState(u.data());
    double norm = problem.ssnorm(u.data(), r.data());

    // Where the flame sits: the first point past T = 0.5, and the hottest point.
    const flame::Model& model = problem.model();
    double standoff = NAN, peak = 0.0;
    for (size_t j = 1; j < model.points(); j++) {
        if (std::isnan(standoff) && u[2 * j] >= 0.5) {
            standoff = model.x(j);
        }
        peak = std::max(peak, u[2 * j]);
    }

    std::printf("\n\nSummary\n");
    std::printf("  points                  %zu (%zu unknowns)\n", model.points(), problem.size());
    std::printf("  Newton attempts         %ld\n", problem.newtonAttempts());
    std::printf("  time steps              %d\n", problem.stepsTaken());
    std::printf("  Jacobian evaluations    %ld\n", problem.jacobianEvaluations());
    std::printf("  residual evaluations    %ld\n", problem.residualEvaluations());
    std::printf("  final residual (max)    %.3e\n", norm);
    std::printf("  flame position (T=0.5)  x = %.3f, peak temperature %.4f\n", standoff, peak);
    std::printf("  wall time               %.3f s\n", wall.count());
    return norm < 1e-6 ? 0 : 1;
}
