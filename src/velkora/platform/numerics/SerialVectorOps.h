//! @file SerialVectorOps.h
//! Compiled operations for SUNDIALS' serial vectors.
#ifndef VELKORA_PLATFORM_NUMERICS_SERIALVECTOROPS_H
#define VELKORA_PLATFORM_NUMERICS_SERIALVECTOROPS_H

#include <sundials/sundials_nvector.h>

namespace Velkora
{

//! Replaces the operations of the serial vector `v` (N_VNew_Serial) that
//! the integrators call at every step (linear sums and combinations,
//! scalings, weighted norms, ...) with loops of this library, compiled with
//! its optimisation and vectorised, and enables the fused operations
//! (linear combinations, scaled sums) with them. Vectors cloned from `v`
//! inherit them. The results are those of SUNDIALS' own operations up to
//! the order of the sums in the norms.
//!
//! Why: Debian 12's SUNDIALS 6.4 is compiled without optimisation, and its
//! vector operations were a fifth of the instructions of an ignition on 53
//! species (measured with callgrind).
void useCompiledSerialOps(N_Vector v);

} // namespace Velkora

#endif
