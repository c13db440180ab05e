//! @file CollisionIntegrals.h
//! Reduced collision integrals of the Lennard-Jones and Stockmayer potentials.
#ifndef VELKORA_PLATFORM_TRANSPORT_COLLISIONINTEGRALS_H
#define VELKORA_PLATFORM_TRANSPORT_COLLISIONINTEGRALS_H

namespace Velkora
{

//! The reduced collision integrals of a pair at reduced temperature T* =
//! kT/epsilon and reduced dipole moment delta* (0 for non-polar pairs),
//! normalised by their rigid-sphere values.
struct CollisionIntegrals
{
    double omega11 = 0.0; //!< Omega(1,1)*: diffusion
    double omega22 = 0.0; //!< Omega(2,2)*: viscosity and conduction
    double aStar = 0.0;   //!< Omega(2,2)* / Omega(1,1)*
    double bStar = 0.0;   //!< (5 Omega(1,2)* - 4 Omega(1,3)*) / Omega(1,1)*
    double cStar = 0.0;   //!< Omega(1,2)* / Omega(1,1)*
};

//! Lennard-Jones integrals from the fits of P. D. Neufeld, A. R. Janzen and
//! R. A. Aziz, J. Chem. Phys. 57, 1100 (1972), good to about 0.1 % for
//! 0.3 <= T* <= 100; the polar part as S. Brokaw, Ind. Eng. Chem. Process
//! Des. Dev. 8, 240 (1969) approximates the Stockmayer potential:
//! + 0.19 delta*^2 / T* for Omega(1,1)* and + 0.2 delta*^2 / T* for
//! Omega(2,2)*. Omega(1,2)* and Omega(1,3)* follow from Omega(1,1)* by the
//! exact relation Omega(l,s+1)* = Omega(l,s)* + T*/(s+2) dOmega(l,s)*/dT*.
CollisionIntegrals collisionIntegrals(double tStar, double deltaStar);

} // namespace Velkora

#endif
