//! @file MixingRules.h
//! Mixture values from the pure-species and binary values, as the gas
//! evaluators share them.
#ifndef VELKORA_PLATFORM_TRANSPORT_MIXINGRULES_H
#define VELKORA_PLATFORM_TRANSPORT_MIXINGRULES_H

#include <cstddef>

namespace Velkora
{

//! Wilke's rule (C. R. Wilke, J. Chem. Phys. 18, 517 (1950)) for the
//! viscosity of a mixture of `n` species with mole fractions `X`, pure
//! viscosities `mu` and molar masses `M`:
//!   mu_mix = sum_k X_k v_k / sum_j X_j Phi_kj,
//!   Phi_kj = [1 + (mu_k / mu_j)^(1/2) (M_j / M_k)^(1/4)]^2 / sqrt(8 (1 + M_k / M_j)),
//! with `v` = `mu`. With the pure conductivities as `v` it is the Wassiljewa
//! equation with the Mason-Saxena coefficients. Species with X_k = 0 add
//! nothing.
double wilkeAverage(size_t n, const double* X, const double* v, const double* mu, const double* M);

//! Mixture-averaged diffusion coefficients D_km = (1 - Y_k) / sum_{j != k}
//! X_j / D_jk into `d`, for mole fractions `X`, mass fractions `Y` and the
//! symmetric binary coefficients `binary` (D_jk at j * n + k); for a pure
//! species (the sum 0) the self-diffusion coefficient D_kk.
void mixtureAveragedDiffusion(size_t n, const double* X, const double* Y, const double* binary, double* d);

} // namespace Velkora

#endif
