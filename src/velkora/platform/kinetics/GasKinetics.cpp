#include "velkora/platform/kinetics/GasKinetics.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "velkora/interface/VelkoraError.h"
#include "velkora/platform/thermo/PhysicalConstants.h"
// Last: it redeclares the math functions the kernels vectorize.
#include "velkora/platform/numerics/VectorMath.h"

namespace Velkora
{

namespace
{

constexpr double ln10 = 2.302585092994045684;
constexpr double log2e = 1.4426950408889634074;
// ln 2 in two parts (Cody and Waite): n * ln2High is exact for |n| < 2^11.
constexpr double ln2High = 0x1.62e42fee00000p-1;
constexpr double ln2Low = 0x1.a39ef35793c76p-33;
// Adding and subtracting 1.5 * 2^52 rounds a double of magnitude below 2^51
// to the nearest whole number, in a loop the compiler vectorizes.
constexpr double roundingShift = 6755399441055744.0;

// ---- kernels: one loop each over flat arrays, which the compiler vectorizes

// sign exp(lnA + b ln T - Ea/RT), into out (contiguous).
VELKORA_KERNEL void arrheniusKernel(size_t n, const double* __restrict lnA, const double* __restrict b,
                                    const double* __restrict Ea_R, const double* __restrict sign, double lnT,
                                    double invT, double* __restrict out)
{
    for (size_t j = 0; j < n; j++) {
        out[j] = sign[j] * std::exp(lnA[j] + b[j] * lnT - Ea_R[j] * invT);
    }
}

// T^b for each b, from ln T.
VELKORA_KERNEL void powerKernel(size_t n, const double* __restrict b, double lnT, double* __restrict out)
{
    for (size_t j = 0; j < n; j++) {
        out[j] = std::exp(b[j] * lnT);
    }
}

// 2^c as a double, for whole c in [-1022, 1023], without a branch: the last
// bits of 2^52 + c + 1023 are c + 1023, which shifted into the exponent
// field make 2^c.
inline double twoToThe(double c)
{
    const double t = c + (1023.0 + 4503599627370496.0);
    uint64_t bits;
    std::memcpy(&bits, &t, sizeof bits);
    bits <<= 52;
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

// exp(y_j) as m_j 2^n_j for y_j = g[species[j]] + shift: m_j into
// mantissa[j] and 1/m_j into mantissa[J + j], n_j and -n_j likewise into
// exponent.
VELKORA_KERNEL void kcFactorKernel(size_t J, const uint32_t* __restrict species, const double* __restrict g,
                                   double shift, double* __restrict mantissa, double* __restrict exponent)
{
    for (size_t j = 0; j < J; j++) {
        const double y = g[species[j]] + shift;
        const double n = (y * log2e + roundingShift) - roundingShift;
        const double m = std::exp((y - n * ln2High) - n * ln2Low);
        mantissa[j] = m;
        mantissa[J + j] = 1.0 / m;
        exponent[j] = n;
        exponent[J + j] = -n;
    }
}

// exp(y_j) into E[j] and exp(-y_j) into E[J + j], for y_j = g[species[j]] +
// shift; returns the largest |y_j|.
VELKORA_KERNEL double kcExpKernel(size_t J, const uint32_t* __restrict species, const double* __restrict g,
                                  double shift, double* __restrict E)
{
    double largest = 0.0;
#pragma omp simd reduction(max : largest)
    for (size_t j = 0; j < J; j++) {
        const double y = g[species[j]] + shift;
        const double e = std::exp(y);
        E[j] = e;
        E[J + j] = 1.0 / e;
        largest = std::max(largest, std::abs(y));
    }
    return largest;
}

// c exp(alpha T + beta / T), the live terms of Troe's F_cent.
VELKORA_KERNEL void troeTermKernel(size_t n, const double* __restrict c, const double* __restrict alpha,
                                   const double* __restrict beta, double T, double invT, double* __restrict out)
{
    for (size_t j = 0; j < n; j++) {
        out[j] = c[j] * std::exp(alpha[j] * T + beta[j] * invT);
    }
}

VELKORA_KERNEL void log10Kernel(size_t n, const double* __restrict x, double* __restrict out)
{
    for (size_t j = 0; j < n; j++) {
        out[j] = std::log10(std::max(x[j], 1e-300));
    }
}

// Troe's blending F at Pr for each Troe reaction.
VELKORA_KERNEL void troeBlendKernel(size_t n, const double* __restrict Pr, const double* __restrict logFcent,
                                    double* __restrict F)
{
    for (size_t f = 0; f < n; f++) {
        const double logPr = std::log10(std::max(Pr[f], 1e-300));
        const double lf = logFcent[f];
        const double c = -0.4 - 0.67 * lf;
        const double nn = 0.75 - 1.27 * lf;
        const double f1 = (logPr + c) / (nn - 0.14 * (logPr + c));
        F[f] = std::exp(ln10 * lf / (1.0 + f1 * f1));
    }
}

// The rates of progress of every reaction from three factors each (packed,
// the pad index K holds 1; the reverse rule in bits 63), its rate constant
// before the multiplier k and its reverse factor: the net rates q, and with
// Details also k_f, k_r, q_f and q_r. Scalar: indexed loads are cheaper one
// by one than as vector gathers.
template <bool Details>
void progressKernel(size_t n, const double* __restrict C, const uint64_t* __restrict fwd,
                    const uint64_t* __restrict rev, const double* __restrict k, const double* __restrict mult,
                    const double* __restrict revFactor, double* __restrict qnet,
                    double* __restrict kf, double* __restrict kr, double* __restrict ropf, double* __restrict ropr)
{
    constexpr unsigned bits = CompiledMechanism::packedBits;
    constexpr uint64_t mask = CompiledMechanism::packedMask;
    for (size_t i = 0; i < n; i++) {
        const uint64_t f = fwd[i], b = rev[i];
        const double forward = k[i] * mult[i];
        const double qf = forward * (C[f & mask] * C[(f >> bits) & mask] * C[(f >> (2 * bits)) & mask]);
        // k_r: the reverse factor (1/K_c, REV, REV times [M]) times k_f, or
        // times the multiplier, or 0 for an irreversible reaction.
        const bool byForward = f >> 63, byMultiplier = b >> 63;
        const double base = byForward ? forward : mult[i];
        const double reverse = byForward || byMultiplier ? revFactor[i] * base : 0.0;
        const double qr = reverse * (C[b & mask] * C[(b >> bits) & mask] * C[(b >> (2 * bits)) & mask]);
        qnet[i] = qf - qr;
        if (Details) {
            kf[i] = forward;
            kr[i] = reverse;
            ropf[i] = qf;
            ropr[i] = qr;
        }
    }
}

// wdot_k from the rates of progress q: species k's reactions of nu = +1,
// -1 and the others (speciesBegin), each sum in two parts that do not wait
// on each other.
void productionKernel(size_t K, const uint32_t* __restrict begin, const uint32_t* __restrict reaction,
                      const double* __restrict nu, const double* __restrict q, double* __restrict wdot)
{
    for (size_t k = 0; k < K; k++) {
        const uint32_t* b = begin + 3 * k;
        double plus0 = 0.0, plus1 = 0.0, minus0 = 0.0, minus1 = 0.0, other = 0.0;
        uint32_t j = b[0];
        for (; j + 1 < b[1]; j += 2) {
            plus0 += q[reaction[j]];
            plus1 += q[reaction[j + 1]];
        }
        if (j < b[1]) {
            plus0 += q[reaction[j]];
        }
        for (j = b[1]; j + 1 < b[2]; j += 2) {
            minus0 += q[reaction[j]];
            minus1 += q[reaction[j + 1]];
        }
        if (j < b[2]) {
            minus0 += q[reaction[j]];
        }
        for (j = b[2]; j < b[3]; j++) {
            other += nu[j] * q[reaction[j]];
        }
        wdot[k] = ((plus0 + plus1) - (minus0 + minus1)) + other;
    }
}

// m 2^e, rounded once as ldexp rounds.
double scaleByTwo(double m, double e)
{
    if (e >= -1022.0 && e <= 1023.0) {
        return m * twoToThe(e);
    }
    return std::ldexp(m, static_cast<int>(std::max(-1.0e5, std::min(e, 1.0e5))));
}

} // namespace

GasKinetics::GasKinetics(std::shared_ptr<const CompiledMechanism> model) : m_model(std::move(model))
{
    if (!m_model) {
        throw VelkoraError("GasKinetics::GasKinetics", "The compiled mechanism is a null pointer.");
    }
    allocate();
}

GasKinetics::GasKinetics(std::shared_ptr<const SpeciesSet> species,
                         const std::vector<std::shared_ptr<Reaction>>& reactions)
    : m_model(std::make_shared<CompiledMechanism>(std::move(species), reactions))
{
    allocate();
}

void GasKinetics::allocate()
{
    const CompiledMechanism& m = *m_model;
    const size_t n = m.nR, K = m.K;
    m_multiplier.assign(n, 1.0);
    m_g_RT.assign(K, 0.0);
    m_k.assign(m.nSlots, 0.0);
    // The constant rates never change.
    const ArrheniusTable& a = m.arrhenius;
    for (size_t j = 0; j < a.constantTarget.size(); j++) {
        m_k[a.constantTarget[j]] = a.constantA[j];
    }
    m_powers.assign(a.exponents.size(), 1.0);
    const size_t J = m.kcStride;
    m_kcMantissa.assign(2 * J + 1, 1.0);
    m_kcExponent.assign(2 * J + 1, 0.0);
    const size_t troe = CompiledMechanism::padded(m.nTroe);
    m_logFcent.assign(troe, 0.0);
    m_sriT.assign(m.nSri, 0.0);
    m_sriScale.assign(m.nSri, 1.0);
    m_plogK.assign(m.plogLnP.size(), 0.0);
    m_plogLnK.assign(m.plogLnP.size(), 0.0);
    m_C.assign(K + 1, 1.0);
    m_M.assign(n, 1.0);
    m_collider.assign(m.colliderDefault.size(), 0.0);
    m_kf.assign(n, 0.0);
    m_kr.assign(n, 0.0);
    m_ropf.assign(n, 0.0);
    m_ropr.assign(n, 0.0);
    m_detailScratch.assign(n, 0.0);
    m_qnet.assign(n, 0.0);
    m_Pr.assign(std::max(m.nFalloff, troe), 0.0);
    m_F.assign(std::max(m.nFalloff, troe), 1.0);
    m_scratch.assign(std::max(a.lnA.size(), m.troeCoefficient.size()), 0.0);
}

void GasKinetics::updateTemperature(double T, const double* g_RT)
{
    const CompiledMechanism& m = *m_model;
    const double lnT = std::log(T), invT = 1.0 / T;

    // The Arrhenius expressions: the general ones into a contiguous scratch,
    // then to their slots.
    const ArrheniusTable& a = m.arrhenius;
    const size_t nGeneral = a.target.size();
    std::vector<double>& scratch = m_scratch;
    arrheniusKernel(a.lnA.size(), a.lnA.data(), a.b.data(), a.Ea_R.data(), a.sign.data(), lnT, invT, scratch.data());
    for (size_t j = 0; j < nGeneral; j++) {
        m_k[a.target[j]] = scratch[j];
    }
    powerKernel(a.exponents.size(), a.exponents.data(), lnT, m_powers.data());
    for (size_t j = 0; j < a.powerTarget.size(); j++) {
        m_k[a.powerTarget[j]] = a.powerA[j] * m_powers[a.powerIndex[j]];
    }

    // 1/K_c: the species' factors, then their products, into the reverse
    // factors' slots (the REV expressions are there already).
    double* revFactor = m_k.data() + m.revBase;
    const double shift = lnT + std::log(GasConstant / OneAtm);
    const size_t J = m.kcStride;
    if (J > 0) {
        double* E = m_kcMantissa.data();
        const double largest = kcExpKernel(J, m.kcSpecies.data(), g_RT, shift, E);
        const double* N = m_kcExponent.data();
        // With every |y| below this no product of the factors leaves the
        // range of a double: the factors as they are. Otherwise as m 2^n.
        const bool direct = largest * static_cast<double>(m.kcMaxFactors) < 708.0;
        if (!direct) {
            kcFactorKernel(J, m.kcSpecies.data(), g_RT, shift, E, m_kcExponent.data());
        }
        const uint64_t* packed = m.kc4Packed.data();
        const uint32_t* reaction = m.kc4Reaction.data();
        const size_t n4 = m.kc4Reaction.size();
        if (direct) {
            for (size_t r = 0; r < n4; r++) {
                const uint64_t w = packed[r];
                revFactor[reaction[r]] = (E[w & 0xffff] * E[(w >> 16) & 0xffff]) * (E[(w >> 32) & 0xffff] * E[w >> 48]);
            }
        } else {
            for (size_t r = 0; r < n4; r++) {
                const uint64_t w = packed[r];
                const uint64_t a = w & 0xffff, b = (w >> 16) & 0xffff, c = (w >> 32) & 0xffff, d = w >> 48;
                revFactor[reaction[r]] = scaleByTwo((E[a] * E[b]) * (E[c] * E[d]), (N[a] + N[b]) + (N[c] + N[d]));
            }
        }
        for (size_t r = 0; r < m.kcWideReaction.size(); r++) {
            double v = 1.0, e = 0.0;
            for (uint32_t j = m.kcWideBegin[r]; j < m.kcWideBegin[r + 1]; j++) {
                v *= E[m.kcWideFactor[j]];
                e += N[m.kcWideFactor[j]];
            }
            revFactor[m.kcWideReaction[r]] = direct ? v : scaleByTwo(v, e);
        }
    }
    for (size_t r = 0; r < m.kcGeneralReaction.size(); r++) {
        double sum = 0.0;
        for (uint32_t j = m.kcGeneralBegin[r]; j < m.kcGeneralBegin[r + 1]; j++) {
            sum += m.kcGeneralNu[j] * (g_RT[m.kcGeneralSpecies[j]] + shift);
        }
        revFactor[m.kcGeneralReaction[r]] = std::exp(sum);
    }

    // Troe's F_cent, then its logarithm.
    if (m.nTroe > 0) {
        std::vector<double>& Fcent = m_Pr; // free until the concentrations are taken
        if (T >= CompiledMechanism::troeGuardLow && T <= CompiledMechanism::troeGuardHigh) {
            const size_t nTerms = m.troeCoefficient.size();
            std::vector<double>& terms = m_scratch;
            troeTermKernel(nTerms, m.troeCoefficient.data(), m.troeAlpha.data(), m.troeBeta.data(), T, invT,
                           terms.data());
            for (size_t f = 0; f < m.nTroe; f++) {
                double sum = m.fcentConstant[f];
                for (uint32_t j = m.troeTermBegin[f]; j < m.troeTermBegin[f + 1]; j++) {
                    sum += terms[j];
                }
                Fcent[f] = sum;
            }
        } else {
            for (size_t f = 0; f < m.nTroe; f++) {
                const double* p = &m.troeParameters[5 * f];
                double sum = (1.0 - p[0]) * std::exp(-T / p[1]) + p[0] * std::exp(-T / p[2]);
                if (p[4] != 0.0) {
                    sum += std::exp(-p[3] / T);
                }
                Fcent[f] = sum;
            }
        }
        log10Kernel(m_logFcent.size(), Fcent.data(), m_logFcent.data());
    }
    for (size_t s = 0; s < m.nSri; s++) {
        const double* p = &m.sriParameters[5 * s];
        m_sriT[s] = p[0] * std::exp(-p[1] / T) + std::exp(-T / p[2]);
        m_sriScale[s] = p[3] * std::pow(T, p[4]);
    }

    // PLOG: the rate at each pressure point.
    for (size_t q = 0; q < m.plogLnP.size(); q++) {
        double k = 0.0;
        for (uint32_t j = m.plogTermBegin[q]; j < m.plogTermBegin[q + 1]; j++) {
            k += m_k[m.plogTermSlot[j]];
        }
        m_plogK[q] = k;
        m_plogLnK[q] = k > 0.0 ? std::log(k) : 0.0;
    }
    m_T = T;
}

double GasKinetics::plogRate(size_t p, double lnP) const
{
    const CompiledMechanism& m = *m_model;
    const uint32_t first = m.plogPointBegin[p], last = m.plogPointBegin[p + 1] - 1;
    if (lnP <= m.plogLnP[first]) {
        return m_plogK[first];
    }
    if (lnP >= m.plogLnP[last]) {
        return m_plogK[last];
    }
    uint32_t hi = first + 1;
    while (m.plogLnP[hi] < lnP) {
        hi++;
    }
    const uint32_t lo = hi - 1;
    const double k1 = m_plogK[lo], k2 = m_plogK[hi];
    const double frac = (lnP - m.plogLnP[lo]) / (m.plogLnP[hi] - m.plogLnP[lo]);
    if (!(k1 > 0.0) || !(k2 > 0.0)) {
        // ln k is not defined: interpolate k itself.
        return k1 + (k2 - k1) * frac;
    }
    return std::exp(m_plogLnK[lo] + (m_plogLnK[hi] - m_plogLnK[lo]) * frac);
}

double GasKinetics::blend(size_t f, double Pr) const
{
    const CompiledMechanism& m = *m_model;
    if (f >= m.nTroe + m.nSri) {
        return 1.0;
    }
    const double logPr = std::log10(std::max(Pr, 1e-300));
    if (f < m.nTroe) {
        const double logFcent = m_logFcent[f];
        const double c = -0.4 - 0.67 * logFcent;
        const double n = 0.75 - 1.27 * logFcent;
        const double f1 = (logPr + c) / (n - 0.14 * (logPr + c));
        return std::pow(10.0, logFcent / (1.0 + f1 * f1));
    }
    const size_t s = f - m.nTroe;
    const double X = 1.0 / (1.0 + logPr * logPr);
    return m_sriScale[s] * std::pow(m_sriT[s], X);
}

double GasKinetics::product(uint32_t begin, uint32_t end, bool integral, const double* C) const
{
    const CompiledMechanism& m = *m_model;
    double p = 1.0;
    if (integral) {
        for (uint32_t f = begin; f < end; f++) {
            p *= C[m.factorSpecies[f]];
        }
    } else {
        for (uint32_t f = begin; f < end; f++) {
            p *= std::pow(std::max(C[m.factorSpecies[f]], 0.0), m.factorOrder[f]);
        }
    }
    return p;
}

void GasKinetics::update(double T, const double* C, const double* multipliers)
{
    if (T != m_T) {
        m_model->thermo().gibbs_RT(T, m_g_RT.data());
        updateTemperature(T, m_g_RT.data());
    }
    updateConcentrations(C, multipliers);
}

void GasKinetics::update(const SpeciesThermoState& thermo, const double* C, const double* multipliers)
{
    if (thermo.T != m_T) {
        if (thermo.g_RT.size() != nSpecies()) {
            throw VelkoraError("GasKinetics::update", "The species properties are for {} species, not {}.",
                               thermo.g_RT.size(), nSpecies());
        }
        updateTemperature(thermo.T, thermo.g_RT.data());
    }
    updateConcentrations(C, multipliers);
}

void GasKinetics::updateConcentrations(const double* C, const double* multipliers)
{
    const CompiledMechanism& m = *m_model;
    const size_t n = m.nR, K = m.K;
    const double T = m_T;
    const double* mult = multipliers ? multipliers : m_multiplier.data();
    m_lastMultipliers = mult;
    double total = 0.0;
    for (size_t k = 0; k < K; k++) {
        total += C[k];
    }
    std::copy(C, C + K, m_C.begin()); // m_C[K] stays 1: the pad of the products
    m_lastTotal = total;
    const double* Cs = m_C.data();

    // [M] of each distinct third body, then of every reaction with one.
    for (size_t c = 0; c < m.colliderDefault.size(); c++) {
        double M = m.colliderDefault[c] * total;
        for (uint32_t j = m.colliderBegin[c]; j < m.colliderBegin[c + 1]; j++) {
            M += m.colliderDelta[j] * Cs[m.colliderSpecies[j]];
        }
        m_collider[c] = M;
    }
    for (size_t t = 0; t < m.thirdBodyReactions.size(); t++) {
        m_M[m.thirdBodyReactions[t]] = m_collider[m.colliderOf[t]];
    }

    // The rate constants before the multipliers, where the state enters them.
    double* k = m_k.data();
    for (uint32_t t = 0; t < m.threeBodyElementary.size(); t++) {
        const uint32_t i = m.threeBodyElementary[t];
        k[i] = k[m.threeBodySource + t] * m_M[i];
        if (m.revMode[i] == 3) {
            k[m.revBase + i] = k[m.threeBodyReverse + t] * m_M[i];
        }
    }
    const size_t nF = m.nFalloff;
    for (size_t f = 0; f < nF; f++) {
        const uint32_t i = m.falloffReaction[f];
        const double own = k[m.falloffSource + f], second = k[n + f];
        const bool activated = m.chemicallyActivated[f] != 0.0;
        const double kinf = activated ? second : own, k0 = activated ? own : second;
        // No k_inf: nothing falls off (Pr = 0), or nothing is activated (k = 0).
        m_Pr[f] = kinf != 0.0 ? k0 * m_M[i] / kinf : 0.0;
    }
    // Whole vectors: past the Troe reactions F is written again below.
    troeBlendKernel(m_logFcent.size(), m_Pr.data(), m_logFcent.data(), m_F.data());
    for (size_t s = 0; s < m.nSri; s++) {
        const size_t f = m.nTroe + s;
        const double logPr = std::log10(std::max(m_Pr[f], 1e-300));
        const double X = 1.0 / (1.0 + logPr * logPr);
        m_F[f] = m_sriScale[s] * std::pow(m_sriT[s], X);
    }
    std::fill(m_F.begin() + m.nTroe + m.nSri, m_F.begin() + nF, 1.0); // Lindemann
    for (size_t f = 0; f < nF; f++) {
        const uint32_t i = m.falloffReaction[f];
        const double Pr = m_Pr[f], own = k[m.falloffSource + f];
        if (m.chemicallyActivated[f] != 0.0) {
            k[i] = k[n + f] != 0.0 ? own / (1.0 + Pr) * m_F[f] : 0.0;
        } else {
            k[i] = own * Pr / (1.0 + Pr) * m_F[f];
        }
    }
    if (!m.plogReaction.empty()) {
        const double lnP = std::log(std::max(total, 1e-300) * GasConstant * T);
        for (size_t p = 0; p < m.plogReaction.size(); p++) {
            k[m.plogReaction[p]] = plogRate(p, lnP);
        }
    }

    progressKernel<false>(n, Cs, m.fwdPacked.data(), m.revPacked.data(), k, mult, k + m.revBase,
                          m_qnet.data(), nullptr, nullptr, nullptr, nullptr);
    for (uint32_t i : m.fwdGeneral) {
        m_qnet[i] = forwardGeneral(i, mult) - reverseRate(i, mult) * reverseProduct(i);
    }
    for (uint32_t i : m.revGeneral) {
        m_qnet[i] = forwardGeneral(i, mult) - reverseRate(i, mult) * reverseProduct(i);
    }
    m_detailsCurrent = false;
}

double GasKinetics::forwardGeneral(size_t i, const double* mult) const
{
    const ReactionInfo& r = m_model->info[i];
    return m_k[i] * mult[i] * product(r.fwdBegin, r.fwdEnd, r.integralForward, m_C.data());
}

double GasKinetics::reverseProduct(size_t i) const
{
    const ReactionInfo& r = m_model->info[i];
    return product(r.revBegin, r.revEnd, r.integralReverse, m_C.data());
}

double GasKinetics::reverseRate(size_t i, const double* mult) const
{
    const CompiledMechanism& m = *m_model;
    const double factor = m_k[m.revBase + i];
    switch (m.revMode[i]) {
    case 1:
        return factor * (m_k[i] * mult[i]);
    case 2:
    case 3:
        return factor * mult[i];
    default:
        return 0.0;
    }
}

void GasKinetics::details() const
{
    if (m_detailsCurrent || m_lastMultipliers == nullptr) {
        return; // current, or no update() yet: all 0
    }
    const CompiledMechanism& m = *m_model;
    const double* k = m_k.data();
    const double* mult = m_lastMultipliers;
    progressKernel<true>(m.nR, m_C.data(), m.fwdPacked.data(), m.revPacked.data(), k, mult, k + m.revBase,
                         m_detailScratch.data(), m_kf.data(), m_kr.data(), m_ropf.data(), m_ropr.data());
    for (uint32_t i : m.fwdGeneral) {
        m_ropf[i] = forwardGeneral(i, mult);
    }
    for (uint32_t i : m.revGeneral) {
        m_ropr[i] = m_kr[i] * reverseProduct(i);
    }
    m_detailsCurrent = true;
}

double GasKinetics::forwardDerivativeM(size_t i) const
{
    const CompiledMechanism& m = *m_model;
    const ReactionInfo& r = m.info[i];
    const double mult = m_lastMultipliers[i];
    const double M = m_M[i];
    const size_t f = r.falloff;
    auto blendDerivative = [&](double Pr, double F) {
        // dF / dPr.
        if (f >= m.nTroe + m.nSri) {
            return 0.0;
        }
        const double P = std::max(Pr, 1e-300);
        const double logPr = std::log10(P);
        if (f < m.nTroe) {
            const double logFcent = m_logFcent[f];
            const double c = -0.4 - 0.67 * logFcent, n = 0.75 - 1.27 * logFcent;
            const double u = logPr + c, d = n - 0.14 * u;
            const double f1 = u / d;
            const double dlogF = -logFcent * 2.0 * f1 / ((1.0 + f1 * f1) * (1.0 + f1 * f1)) * n / (d * d);
            return F / P * dlogF;
        }
        const double X = 1.0 / (1.0 + logPr * logPr);
        return F * std::log(m_sriT[f - m.nTroe]) * (-2.0 * logPr * X * X) / (P * ln10);
    };
    switch (r.kind) {
    case GasRate::Elementary:
        return r.thirdBody ? m_k[m.threeBodySource + r.threeBody] * mult : 0.0;
    case GasRate::Falloff: {
        const double kinf = m_k[m.falloffSource + f], k0 = m_k[m.nR + f];
        if (kinf == 0.0) {
            return 0.0;
        }
        const double Pr = k0 * M / kinf, F = blend(f, Pr);
        return mult * kinf * (F / ((1.0 + Pr) * (1.0 + Pr)) + Pr / (1.0 + Pr) * blendDerivative(Pr, F)) * k0 / kinf;
    }
    case GasRate::ChemicallyActivated: {
        const double k0 = m_k[m.falloffSource + f], kinf = m_k[m.nR + f];
        if (kinf == 0.0) {
            return 0.0;
        }
        const double Pr = k0 * M / kinf, F = blend(f, Pr);
        return mult * k0 * (-F / ((1.0 + Pr) * (1.0 + Pr)) + blendDerivative(Pr, F) / (1.0 + Pr)) * k0 / kinf;
    }
    default: {
        // PLOG: k depends on P = R T Ctot; d k / d Ctot = k (d ln k / d ln P) / Ctot.
        const double total = m_lastTotal;
        if (!(total > 0.0)) {
            return 0.0;
        }
        const double lnP = std::log(total * GasConstant * m_T);
        const size_t p = r.plog;
        const uint32_t first = m.plogPointBegin[p], last = m.plogPointBegin[p + 1] - 1;
        if (lnP <= m.plogLnP[first] || lnP >= m.plogLnP[last]) {
            return 0.0;
        }
        uint32_t hi = first + 1;
        while (m.plogLnP[hi] < lnP) {
            hi++;
        }
        const double h = 1e-6 * (m.plogLnP[hi] - m.plogLnP[hi - 1]);
        // The slope of ln k between the two points, from the interpolation itself.
        const double k1 = plogRate(p, lnP - h), k2 = plogRate(p, lnP + h);
        if (!(k1 > 0.0) || !(k2 > 0.0)) {
            return 0.0;
        }
        const double slope = (std::log(k2) - std::log(k1)) / (2.0 * h);
        return m_kf[i] * slope / total;
    }
    }
}

void GasKinetics::evalConcentrationJacobian(double* values, double* uniform) const
{
    details();
    const CompiledMechanism& m = *m_model;
    const CompiledMechanism::JacobianMap& J = m.jacobianMap();
    const size_t K = m.K;
    const double* C = m_C.data();
    std::fill(values, values + J.rows.size(), 0.0);
    std::fill(uniform, uniform + K, 0.0);
    double excl[16];
    for (size_t i = 0; i < m.nR; i++) {
        const ReactionInfo& r = m.info[i];
        const uint32_t netBegin = m.netBegin[i], netEnd = m.netBegin[i + 1];
        const uint32_t nRows = netEnd - netBegin;
        const uint32_t* pos = J.factorPos.data() + J.factorBegin[i];
        // d/dC of the products of concentrations, factor by factor: the
        // product of the other factors (exact where a concentration is 0).
        auto factors = [&](uint32_t begin, uint32_t end, bool integral, double k, double sign) {
            const uint32_t L = end - begin;
            if (L == 0) {
                return;
            }
            if (integral && L <= 16) {
                double prefix = 1.0;
                for (uint32_t p = 0; p < L; p++) {
                    excl[p] = prefix;
                    prefix *= C[m.factorSpecies[begin + p]];
                }
                double suffix = 1.0;
                for (uint32_t p = L; p-- > 0;) {
                    excl[p] *= suffix;
                    suffix *= C[m.factorSpecies[begin + p]];
                }
            } else {
                for (uint32_t p = 0; p < L; p++) {
                    double d = 1.0;
                    for (uint32_t q = 0; q < L; q++) {
                        const double o = m.factorOrder[begin + q];
                        const double c = std::max(C[m.factorSpecies[begin + q]], 1e-300);
                        d *= q == p ? o * std::pow(c, o - 1.0) : std::pow(c, o);
                    }
                    excl[p] = d;
                }
            }
            for (uint32_t p = 0; p < L; p++) {
                const double d = sign * k * excl[p];
                for (uint32_t q = 0; q < nRows; q++) {
                    values[*pos++] += m.netNu[netBegin + q] * d;
                }
            }
        };
        factors(r.fwdBegin, r.fwdEnd, r.integralForward, m_kf[i], 1.0);
        if (r.reversible) {
            factors(r.revBegin, r.revEnd, r.integralReverse, m_kr[i], -1.0);
        }
        if (!r.thirdBody && r.kind != GasRate::Plog) {
            continue;
        }
        // The rate constants' dependence on [M] (or, for PLOG, on Ctot).
        const double dkf = forwardDerivativeM(i);
        double dkr = 0.0;
        if (r.reversible) {
            // REV of a three-body reaction is proportional to [M]; of a falloff one, not.
            dkr = r.explicitReverse ? (r.kind == GasRate::Elementary ? m_k[m.threeBodyReverse + r.threeBody] *
                                                                           m_lastMultipliers[i]
                                                                     : 0.0)
                                    : dkf * m_k[m.revBase + i];
        }
        const double g = dkf * product(r.fwdBegin, r.fwdEnd, r.integralForward, C) -
                         (r.reversible ? dkr * product(r.revBegin, r.revEnd, r.integralReverse, C) : 0.0);
        const double defaultEfficiency = r.kind == GasRate::Plog ? 1.0 : r.defaultEfficiency;
        if (defaultEfficiency != 0.0) {
            for (uint32_t q = netBegin; q < netEnd; q++) {
                uniform[m.netSpecies[q]] += m.netNu[q] * g * defaultEfficiency;
            }
        }
        const uint32_t* epos = J.effPos.data() + J.effBegin[i];
        for (uint32_t e = r.effBegin; e < r.effEnd; e++) {
            for (uint32_t q = netBegin; q < netEnd; q++) {
                values[*epos++] += m.netNu[q] * g * m.effDelta[e];
            }
        }
    }
}

void GasKinetics::getNetRatesOfProgress(double* q) const
{
    std::copy(m_qnet.begin(), m_qnet.end(), q);
}

void GasKinetics::getNetProductionRates(double* wdot) const
{
    const CompiledMechanism& m = *m_model;
    productionKernel(m.K, m.speciesBegin.data(), m.speciesReaction.data(), m.speciesNu.data(), m_qnet.data(), wdot);
}

void GasKinetics::getEquilibriumConstants(double T, double* Kc)
{
    const CompiledMechanism& m = *m_model;
    std::vector<double> g(m.K);
    m.thermo().gibbs_RT(T, g.data());
    const double lnPref = std::log(OneAtm / (GasConstant * T));
    for (size_t i = 0; i < m.nR; i++) {
        double sum = -m.info[i].dnu * lnPref;
        for (uint32_t j = m.netBegin[i]; j < m.netBegin[i + 1]; j++) {
            sum += m.netNu[j] * g[m.netSpecies[j]];
        }
        Kc[i] = std::exp(-sum);
    }
}

} // namespace Velkora
