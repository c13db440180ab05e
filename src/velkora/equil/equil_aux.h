//! @file equil_aux.h
//! Small numerical helpers of the equilibrium solver.
#ifndef VELKORA_EQUIL_EQUIL_AUX_H
#define VELKORA_EQUIL_EQUIL_AUX_H

#include <vector>

namespace Velkora
{

//! Root-mean-square of the elements: sqrt(sum x_i^2 / n), summed in index
//! order; 0 for an empty vector. (Not the Euclidean norm.)
double vcs_l2norm(const std::vector<double>& vec);

//! A label for species-type code `speciesStatus` (2, 1, 0, -2 ... -8; others
//! are unknown), the long form when `length` characters are available. The
//! label has static storage.
const char* vcs_speciesType_string(int speciesStatus, int length = 100);

//! True when |a - b| / (|a| + |b| + 1) is not above 1e-10: absolute near 0,
//! relative for large values. True for NaN or infinite arguments, whose
//! quotient is not a number.
bool vcs_doubleEqual(double a, double b);

} // namespace Velkora

#endif
