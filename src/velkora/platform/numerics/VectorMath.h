//! @file VectorMath.h
//! Vectorized exponentials and logarithms for the loops of the rate and
//! property kernels.
//!
//! With GCC on x86-64 and glibc, `exp`, `log` and `log10` are declared as
//! having vector variants, those of glibc's vector math library (libmvec,
//! within 4 ulp of the scalar functions), so that the compiler vectorizes
//! the kernels' loops over them; VELKORA_KERNEL compiles a kernel for
//! AVX-512 and AVX2 beside the baseline and picks one when the library
//! loads (not under the sanitizers, whose runtimes are not ready when the
//! choice is made). Elsewhere both are no-ops and the loops call the scalar
//! functions. Include this header in the source files of kernels only,
//! last, and compile those with -fno-math-errno (the build does), without
//! which no such loop vectorizes.
#ifndef VELKORA_PLATFORM_NUMERICS_VECTORMATH_H
#define VELKORA_PLATFORM_NUMERICS_VECTORMATH_H

#include <cmath>

#if defined(VELKORA_HAVE_LIBMVEC) && defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && \
    defined(__GLIBC__)
extern "C" {
__attribute__((__simd__("notinbranch"))) double exp(double) noexcept;
__attribute__((__simd__("notinbranch"))) double log(double) noexcept;
__attribute__((__simd__("notinbranch"))) double log10(double) noexcept;
}
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VELKORA_KERNEL
#else
#define VELKORA_KERNEL __attribute__((target_clones("avx512f", "avx2", "default")))
#endif
#else
#define VELKORA_KERNEL
#endif

#endif
