#include "velkora/platform/transport/CollisionIntegrals.h"

#include <cmath>

namespace Velkora
{

CollisionIntegrals collisionIntegrals(double T, double delta)
{
    // Omega(1,1)* = A T^-B + C e^-DT + E e^-FT + G e^-HT, its first and
    // second derivatives.
    constexpr double A = 1.06036, B = 0.15610, C = 0.19300, D = 0.47635, E = 1.03587, F = 1.52996, G = 1.76474,
                     H = 3.89411;
    const double tb = std::pow(T, -B), ed = std::exp(-D * T), ef = std::exp(-F * T), eh = std::exp(-H * T);
    const double p = 0.19 * delta * delta; // polar part, p / T
    double o11 = A * tb + C * ed + E * ef + G * eh + p / T;
    double d11 = -A * B * tb / T - C * D * ed - E * F * ef - G * H * eh - p / (T * T);
    double dd11 = A * B * (B + 1.0) * tb / (T * T) + C * D * D * ed + E * F * F * ef + G * H * H * eh +
                  2.0 * p / (T * T * T);
    // Omega(2,2)* = A T^-B + C e^-DT + E e^-FT + R T^B sin(S T^W - P).
    constexpr double A2 = 1.16145, B2 = 0.14874, C2 = 0.52487, D2 = 0.77320, E2 = 2.16178, F2 = 2.43787,
                     R2 = -6.435e-4, S2 = 18.0323, W2 = -0.76830, P2 = 7.27371;
    double o22 = A2 * std::pow(T, -B2) + C2 * std::exp(-D2 * T) + E2 * std::exp(-F2 * T) +
                 R2 * std::pow(T, B2) * std::sin(S2 * std::pow(T, W2) - P2) + 0.2 * delta * delta / T;

    const double o12 = o11 + T / 3.0 * d11;
    const double d12 = 4.0 / 3.0 * d11 + T / 3.0 * dd11;
    const double o13 = o12 + T / 4.0 * d12;
    CollisionIntegrals c;
    c.omega11 = o11;
    c.omega22 = o22;
    c.aStar = o22 / o11;
    c.bStar = (5.0 * o12 - 4.0 * o13) / o11;
    c.cStar = o12 / o11;
    return c;
}

} // namespace Velkora
