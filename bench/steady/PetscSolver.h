// PETSc on a steady model, for the comparison only (the library never links
// PETSc). The model's grid is a DMDA with the model's unknowns per point, so
// that PETSc builds the Jacobian by coloured finite differences.
#ifndef VELKORA_BENCH_PETSCSOLVER_H
#define VELKORA_BENCH_PETSCSOLVER_H

#include "steady/Comparison.h"

namespace bench
{

//! Starts and stops PETSc; call once around all PETSc solves.
void petscInitialize(int* argc, char*** argv);
void petscFinalize();

//! SNES newtonls with the line search `lineSearch` ("bt" or "l2"), a direct
//! LU solve, stopping at ||f||_2 <= residualBound (so max |f| too), at most
//! 500 iterations.
Outcome solveWithSnes(const SteadyModel& model, const char* lineSearch);

//! TS TSPSEUDO, pseudo-transient continuation with PETSc's own step control,
//! on M du/dt = f(u) (M 0 on algebraic rows), stopping at ||f||_2 <=
//! residualBound, at most 1000 steps; first step 1e-5, non-finite residuals
//! reported as domain errors, unlimited SNES failures (each retried with a
//! smaller step), at most 50 rejected steps.
Outcome solveWithPseudo(const SteadyModel& model);

} // namespace bench

#endif
