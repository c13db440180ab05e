#include "velkora/platform/kinetics/GasKinetics.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "velkora/interface/VelkoraError.h"
#include "velkora/platform/kinetics/GasRate.h"
#include "velkora/platform/thermo/PhysicalConstants.h"

namespace Velkora
{

namespace
{

// Whole orders up to this are products of repeated factors, not powers.
constexpr double maxRepeatedOrder = 4.0;

bool smallWhole(double order)
{
    return order >= 1.0 && order <= maxRepeatedOrder && order == std::floor(order);
}

void split(double A, double& lnA, double& sign)
{
    sign = A > 0.0 ? 1.0 : A < 0.0 ? -1.0 : 0.0;
    lnA = sign != 0.0 ? std::log(std::abs(A)) : 0.0;
}

double arrhenius(double lnA, double b, double Ea_R, double sign, double lnT, double invT)
{
    return sign == 0.0 ? 0.0 : sign * std::exp(lnA + b * lnT - Ea_R * invT);
}

} // namespace

GasKinetics::GasKinetics(std::shared_ptr<const SpeciesSet> species,
                         const std::vector<std::shared_ptr<Reaction>>& reactions)
    : m_species(std::move(species))
{
    if (!m_species) {
        throw VelkoraError("GasKinetics::GasKinetics", "The species set is a null pointer.");
    }
    m_nSpecies = m_species->nSpecies();
    m_netBegin.push_back(0);
    for (size_t i = 0; i < reactions.size(); i++) {
        if (!reactions[i]) {
            throw VelkoraError("GasKinetics::GasKinetics", "Reaction {} is a null pointer.", i);
        }
        compile(*reactions[i], reactions, i);
        m_reactions.push_back(reactions[i]);
    }
    const size_t n = m_rxn.size();
    m_multiplier.assign(n, 1.0);
    m_kT.assign(n, 0.0);
    m_k2T.assign(n, 0.0);
    m_invKc.assign(n, 0.0);
    m_logFcent.assign(n, 0.0);
    m_sriT.assign(n, 0.0);
    m_sriScale.assign(n, 1.0);
    m_kf.assign(n, 0.0);
    m_kr.assign(n, 0.0);
    m_ropf.assign(n, 0.0);
    m_ropr.assign(n, 0.0);
    m_M.assign(n, 1.0);
    m_dkfdM.assign(n, 0.0);
    m_g_RT.assign(m_nSpecies, 0.0);
    m_Cs.assign(m_nSpecies, 0.0);
}

void GasKinetics::compile(const Reaction& rxn, const std::vector<std::shared_ptr<Reaction>>&, size_t i)
{
    const char* procedure = "GasKinetics::GasKinetics";
    const auto* rate = dynamic_cast<const GasRate*>(rxn.m_rate.get());
    if (rate == nullptr) {
        throw VelkoraError(procedure, "Reaction {} ({}) has no rate of a gas mechanism.", i, rxn.equation());
    }
    auto index = [&](const std::string& name) -> uint32_t {
        size_t k = m_species->speciesIndex(name);
        if (k == SpeciesSet::npos) {
            throw VelkoraError(procedure, "Reaction {} ({}): no species '{}'.", i, rxn.equation(), name);
        }
        return static_cast<uint32_t>(k);
    };
    Compiled c;
    c.kind = rate->kind;
    c.reversible = rxn.m_reversible;
    c.explicitReverse = rate->hasReverse;
    c.blending = rate->blending;
    split(rate->rate.A, c.lnA, c.signA);
    c.b = rate->rate.b;
    c.Ea_R = rate->rate.Ea_R;
    const Arrhenius& second = rate->kind == GasRate::Falloff ? rate->low : rate->high;
    split(second.A, c.lnA2, c.signA2);
    c.b2 = second.b;
    c.Ea_R2 = second.Ea_R;
    split(rate->reverse.A, c.lnAr, c.signAr);
    c.br = rate->reverse.b;
    c.Ea_Rr = rate->reverse.Ea_R;
    c.nPar = static_cast<int>(std::min<size_t>(rate->parameters.size(), 5));
    std::copy(rate->parameters.begin(), rate->parameters.begin() + c.nPar, c.par);

    if (rxn.m_thirdBody) {
        c.thirdBody = true;
        const ThirdBody& tb = *rxn.m_thirdBody;
        c.defaultEfficiency = tb.m_defaultEfficiency;
        c.effBegin = static_cast<uint32_t>(m_effSpecies.size());
        for (const auto& [name, e] : tb.m_efficiencies) {
            if (e != tb.m_defaultEfficiency) {
                m_effSpecies.push_back(index(name));
                m_effDelta.push_back(e - tb.m_defaultEfficiency);
            }
        }
        c.effEnd = static_cast<uint32_t>(m_effSpecies.size());
    } else if (rate->kind == GasRate::Falloff || rate->kind == GasRate::ChemicallyActivated) {
        throw VelkoraError(procedure, "Reaction {} ({}) is {} but has no third body.", i, rxn.equation(),
                           rate->type());
    }

    auto addFactors = [&](const Composition& orders, bool& integral, uint32_t& begin, uint32_t& end) {
        begin = static_cast<uint32_t>(m_factors.size());
        integral = true;
        for (const auto& [name, o] : orders) {
            integral = integral && smallWhole(o);
        }
        for (const auto& [name, o] : orders) {
            uint32_t k = index(name);
            if (integral) {
                for (int n = 0; n < static_cast<int>(o); n++) {
                    m_factors.push_back({k, 1.0});
                }
            } else if (o != 0.0) {
                m_factors.push_back({k, o});
            }
        }
        end = static_cast<uint32_t>(m_factors.size());
    };
    addFactors(rxn.m_orders, c.integralForward, c.fwdBegin, c.fwdEnd);
    if (c.reversible) {
        Composition reverse = rxn.m_products;
        for (const auto& [name, o] : rate->reverseOrders) {
            reverse[name] = o;
        }
        addFactors(reverse, c.integralReverse, c.revBegin, c.revEnd);
    }

    std::map<uint32_t, double> net;
    for (const auto& [name, nu] : rxn.m_reactants) {
        net[index(name)] -= nu;
    }
    for (const auto& [name, nu] : rxn.m_products) {
        net[index(name)] += nu;
    }
    for (const auto& [k, nu] : net) {
        if (nu != 0.0) {
            m_netSpecies.push_back(k);
            m_netNu.push_back(nu);
            c.dnu += nu;
        }
    }
    m_netBegin.push_back(static_cast<uint32_t>(m_netSpecies.size()));

    if (rate->kind == GasRate::Plog) {
        c.plogBegin = static_cast<uint32_t>(m_plog.size());
        for (const auto& [P, k] : rate->plog) {
            double lnP = std::log(P);
            if (m_plog.size() == c.plogBegin || m_plog.back().lnP != lnP) {
                m_plog.push_back({lnP, {}, {}, {}, {}});
            }
            PlogPoint& p = m_plog.back();
            double lnA = 0.0, sign = 0.0;
            split(k.A, lnA, sign);
            p.lnA.push_back(lnA);
            p.signA.push_back(sign);
            p.b.push_back(k.b);
            p.Ea_R.push_back(k.Ea_R);
        }
        c.plogEnd = static_cast<uint32_t>(m_plog.size());
        if (c.plogEnd == c.plogBegin) {
            throw VelkoraError(procedure, "Reaction {} ({}) has no PLOG expressions.", i, rxn.equation());
        }
    }
    m_rxn.push_back(c);
}

void GasKinetics::updateTemperature(double T)
{
    double t[6];
    NasaPolynomial::powers(T, t);
    const double lnT = t[5], invT = t[4];
    for (size_t k = 0; k < m_nSpecies; k++) {
        m_g_RT[k] = m_species->species(k).thermo.g_RT(t);
    }
    const double lnPref = std::log(OneAtm / (GasConstant * T));
    for (size_t i = 0; i < m_rxn.size(); i++) {
        const Compiled& r = m_rxn[i];
        m_kT[i] = arrhenius(r.lnA, r.b, r.Ea_R, r.signA, lnT, invT);
        if (r.kind == GasRate::Falloff || r.kind == GasRate::ChemicallyActivated) {
            m_k2T[i] = arrhenius(r.lnA2, r.b2, r.Ea_R2, r.signA2, lnT, invT);
            if (r.blending == GasRate::Troe) {
                const double a = r.par[0];
                double Fcent = (1.0 - a) * std::exp(-T / r.par[1]) + a * std::exp(-T / r.par[2]);
                if (r.nPar > 3) {
                    Fcent += std::exp(-r.par[3] / T);
                }
                m_logFcent[i] = std::log10(std::max(Fcent, 1e-300));
            } else if (r.blending == GasRate::Sri) {
                m_sriT[i] = r.par[0] * std::exp(-r.par[1] / T) + std::exp(-T / r.par[2]);
                m_sriScale[i] = r.nPar > 3 ? r.par[3] * std::pow(T, r.par[4]) : 1.0;
            }
        }
        if (!r.reversible) {
            m_invKc[i] = 0.0;
        } else if (r.explicitReverse) {
            m_invKc[i] = arrhenius(r.lnAr, r.br, r.Ea_Rr, r.signAr, lnT, invT);
        } else {
            // 1 / K_c = exp(sum nu g/RT - dnu ln(P_atm / RT)).
            double sum = -r.dnu * lnPref;
            for (uint32_t j = m_netBegin[i]; j < m_netBegin[i + 1]; j++) {
                sum += m_netNu[j] * m_g_RT[m_netSpecies[j]];
            }
            m_invKc[i] = std::exp(sum);
        }
    }
    m_T = T;
}

double GasKinetics::plogRate(const Compiled& r, double lnP) const
{
    const double lnT = std::log(m_T), invT = 1.0 / m_T;
    auto at = [&](const PlogPoint& p) {
        double k = 0.0;
        for (size_t j = 0; j < p.lnA.size(); j++) {
            k += arrhenius(p.lnA[j], p.b[j], p.Ea_R[j], p.signA[j], lnT, invT);
        }
        return k;
    };
    const PlogPoint* first = &m_plog[r.plogBegin];
    const PlogPoint* last = &m_plog[r.plogEnd - 1];
    if (lnP <= first->lnP) {
        return at(*first);
    }
    if (lnP >= last->lnP) {
        return at(*last);
    }
    const PlogPoint* hi = first + 1;
    while (hi->lnP < lnP) {
        hi++;
    }
    const PlogPoint* lo = hi - 1;
    double k1 = at(*lo), k2 = at(*hi);
    if (!(k1 > 0.0) || !(k2 > 0.0)) {
        // ln k is not defined: interpolate k itself.
        return k1 + (k2 - k1) * (lnP - lo->lnP) / (hi->lnP - lo->lnP);
    }
    double lnk = std::log(k1) + (std::log(k2) - std::log(k1)) * (lnP - lo->lnP) / (hi->lnP - lo->lnP);
    return std::exp(lnk);
}

double GasKinetics::blend(const Compiled& r, size_t i, double Pr) const
{
    if (r.blending == GasRate::Lindemann) {
        return 1.0;
    }
    const double logPr = std::log10(std::max(Pr, 1e-300));
    if (r.blending == GasRate::Troe) {
        const double logFcent = m_logFcent[i];
        const double c = -0.4 - 0.67 * logFcent;
        const double n = 0.75 - 1.27 * logFcent;
        const double f1 = (logPr + c) / (n - 0.14 * (logPr + c));
        return std::pow(10.0, logFcent / (1.0 + f1 * f1));
    }
    const double X = 1.0 / (1.0 + logPr * logPr);
    return m_sriScale[i] * std::pow(m_sriT[i], X);
}

double GasKinetics::product(const Factor* begin, const Factor* end, bool integral, const double* C)
{
    double p = 1.0;
    if (integral) {
        for (const Factor* f = begin; f != end; f++) {
            p *= C[f->species];
        }
    } else {
        for (const Factor* f = begin; f != end; f++) {
            p *= std::pow(std::max(C[f->species], 0.0), f->order);
        }
    }
    return p;
}

void GasKinetics::update(double T, const double* C, const double* multipliers)
{
    if (T != m_T) {
        updateTemperature(T);
    }
    const double* mult = multipliers ? multipliers : m_multiplier.data();
    m_lastMultipliers = mult;
    double total = 0.0;
    for (size_t k = 0; k < m_nSpecies; k++) {
        total += C[k];
        m_Cs[k] = C[k];
    }
    m_lastTotal = total;
    double lnP = 0.0;
    if (!m_plog.empty()) {
        lnP = std::log(std::max(total, 1e-300) * GasConstant * T);
    }
    const Factor* factors = m_factors.data();
    for (size_t i = 0; i < m_rxn.size(); i++) {
        const Compiled& r = m_rxn[i];
        double M = 1.0;
        if (r.thirdBody) {
            M = r.defaultEfficiency * total;
            for (uint32_t j = r.effBegin; j < r.effEnd; j++) {
                M += m_effDelta[j] * C[m_effSpecies[j]];
            }
        }
        double kf = m_kT[i];
        switch (r.kind) {
        case GasRate::Elementary:
            if (r.thirdBody) {
                kf *= M;
            }
            break;
        case GasRate::Falloff: {
            const double kinf = m_kT[i], k0 = m_k2T[i];
            if (kinf == 0.0) {
                kf = 0.0;
            } else {
                const double Pr = k0 * M / kinf;
                kf = kinf * Pr / (1.0 + Pr) * blend(r, i, Pr);
            }
            break;
        }
        case GasRate::ChemicallyActivated: {
            const double k0 = m_kT[i], kinf = m_k2T[i];
            const double Pr = kinf != 0.0 ? k0 * M / kinf : HUGE_VAL;
            kf = k0 / (1.0 + Pr) * blend(r, i, Pr);
            break;
        }
        default:
            kf = plogRate(r, lnP);
            break;
        }
        kf *= mult[i];
        m_M[i] = M;
        m_kf[i] = kf;
        m_ropf[i] = kf * product(factors + r.fwdBegin, factors + r.fwdEnd, r.integralForward, C);
        if (r.reversible) {
            double kr;
            if (r.explicitReverse) {
                kr = m_invKc[i] * mult[i] * (r.thirdBody && r.kind == GasRate::Elementary ? M : 1.0);
            } else {
                kr = kf * m_invKc[i];
            }
            m_kr[i] = kr;
            m_ropr[i] = kr * product(factors + r.revBegin, factors + r.revEnd, r.integralReverse, C);
        } else {
            m_kr[i] = 0.0;
            m_ropr[i] = 0.0;
        }
    }
}

namespace
{
// log10(e) and ln(10).
constexpr double ln10 = 2.302585092994045684;
} // namespace

double GasKinetics::forwardDerivativeM(size_t i) const
{
    const Compiled& r = m_rxn[i];
    const double mult = m_lastMultipliers[i];
    const double M = m_M[i];
    auto blendDerivative = [&](double Pr, double F) {
        // dF / dPr.
        if (r.blending == GasRate::Lindemann) {
            return 0.0;
        }
        const double P = std::max(Pr, 1e-300);
        const double logPr = std::log10(P);
        if (r.blending == GasRate::Troe) {
            const double logFcent = m_logFcent[i];
            const double c = -0.4 - 0.67 * logFcent, n = 0.75 - 1.27 * logFcent;
            const double u = logPr + c, d = n - 0.14 * u;
            const double f1 = u / d;
            const double dlogF = -logFcent * 2.0 * f1 / ((1.0 + f1 * f1) * (1.0 + f1 * f1)) * n / (d * d);
            return F / P * dlogF;
        }
        const double X = 1.0 / (1.0 + logPr * logPr);
        return F * std::log(m_sriT[i]) * (-2.0 * logPr * X * X) / (P * ln10);
    };
    switch (r.kind) {
    case GasRate::Elementary:
        return r.thirdBody ? m_kT[i] * mult : 0.0;
    case GasRate::Falloff: {
        const double kinf = m_kT[i], k0 = m_k2T[i];
        if (kinf == 0.0) {
            return 0.0;
        }
        const double Pr = k0 * M / kinf, F = blend(r, i, Pr);
        return mult * kinf * (F / ((1.0 + Pr) * (1.0 + Pr)) + Pr / (1.0 + Pr) * blendDerivative(Pr, F)) * k0 / kinf;
    }
    case GasRate::ChemicallyActivated: {
        const double k0 = m_kT[i], kinf = m_k2T[i];
        if (kinf == 0.0) {
            return 0.0;
        }
        const double Pr = k0 * M / kinf, F = blend(r, i, Pr);
        return mult * k0 * (-F / ((1.0 + Pr) * (1.0 + Pr)) + blendDerivative(Pr, F) / (1.0 + Pr)) * k0 / kinf;
    }
    default: {
        // PLOG: k depends on P = R T Ctot; d k / d Ctot = k (d ln k / d ln P) / Ctot.
        const double total = m_lastTotal;
        if (!(total > 0.0)) {
            return 0.0;
        }
        const double lnP = std::log(total * GasConstant * m_T);
        const PlogPoint* first = &m_plog[r.plogBegin];
        const PlogPoint* last = &m_plog[r.plogEnd - 1];
        if (lnP <= first->lnP || lnP >= last->lnP) {
            return 0.0;
        }
        const PlogPoint* hi = first + 1;
        while (hi->lnP < lnP) {
            hi++;
        }
        const PlogPoint* lo = hi - 1;
        const double h = 1e-6 * (hi->lnP - lo->lnP);
        // The slope of ln k between the two points, from the interpolation itself.
        const double k1 = plogRate(r, lnP - h), k2 = plogRate(r, lnP + h);
        if (!(k1 > 0.0) || !(k2 > 0.0)) {
            return 0.0;
        }
        const double slope = (std::log(k2) - std::log(k1)) / (2.0 * h);
        return m_kf[i] * slope / total;
    }
    }
}

void GasKinetics::buildJacobian() const
{
    JacobianMap& J = m_jac;
    const size_t K = m_nSpecies;
    std::vector<std::vector<int>> columns(K); // rows of each column
    auto add = [&](uint32_t row, uint32_t col) { columns[col].push_back(static_cast<int>(row)); };
    for (size_t i = 0; i < m_rxn.size(); i++) {
        const Compiled& r = m_rxn[i];
        for (uint32_t n = m_netBegin[i]; n < m_netBegin[i + 1]; n++) {
            const uint32_t row = m_netSpecies[n];
            for (uint32_t f = r.fwdBegin; f < r.fwdEnd; f++) {
                add(row, m_factors[f].species);
            }
            for (uint32_t f = r.revBegin; f < r.revEnd; f++) {
                add(row, m_factors[f].species);
            }
            for (uint32_t e = r.effBegin; e < r.effEnd; e++) {
                add(row, m_effSpecies[e]);
            }
        }
    }
    for (size_t k = 0; k < K; k++) {
        add(static_cast<uint32_t>(k), static_cast<uint32_t>(k));
    }
    J.colptr.assign(1, 0);
    for (size_t j = 0; j < K; j++) {
        std::sort(columns[j].begin(), columns[j].end());
        columns[j].erase(std::unique(columns[j].begin(), columns[j].end()), columns[j].end());
        J.rows.insert(J.rows.end(), columns[j].begin(), columns[j].end());
        J.colptr.push_back(static_cast<int>(J.rows.size()));
    }
    auto position = [&](uint32_t row, uint32_t col) {
        auto begin = J.rows.begin() + J.colptr[col], end = J.rows.begin() + J.colptr[col + 1];
        return static_cast<uint32_t>(std::lower_bound(begin, end, static_cast<int>(row)) - J.rows.begin());
    };
    J.factorBegin.assign(1, 0);
    J.effBegin.assign(1, 0);
    for (size_t i = 0; i < m_rxn.size(); i++) {
        const Compiled& r = m_rxn[i];
        auto rowsFor = [&](uint32_t col) {
            for (uint32_t n = m_netBegin[i]; n < m_netBegin[i + 1]; n++) {
                J.factorPos.push_back(position(m_netSpecies[n], col));
            }
        };
        for (uint32_t f = r.fwdBegin; f < r.fwdEnd; f++) {
            rowsFor(m_factors[f].species);
        }
        for (uint32_t f = r.revBegin; f < r.revEnd; f++) {
            rowsFor(m_factors[f].species);
        }
        J.factorBegin.push_back(static_cast<uint32_t>(J.factorPos.size()));
        for (uint32_t e = r.effBegin; e < r.effEnd; e++) {
            for (uint32_t n = m_netBegin[i]; n < m_netBegin[i + 1]; n++) {
                J.effPos.push_back(position(m_netSpecies[n], m_effSpecies[e]));
            }
        }
        J.effBegin.push_back(static_cast<uint32_t>(J.effPos.size()));
    }
    J.built = true;
}

const std::vector<int>& GasKinetics::jacobianColumns() const
{
    if (!m_jac.built) {
        buildJacobian();
    }
    return m_jac.colptr;
}

const std::vector<int>& GasKinetics::jacobianRows() const
{
    if (!m_jac.built) {
        buildJacobian();
    }
    return m_jac.rows;
}

void GasKinetics::evalConcentrationJacobian(double* values, double* uniform) const
{
    if (!m_jac.built) {
        buildJacobian();
    }
    const JacobianMap& J = m_jac;
    const size_t K = m_nSpecies;
    const double* C = m_Cs.data();
    std::fill(values, values + J.rows.size(), 0.0);
    std::fill(uniform, uniform + K, 0.0);
    double excl[16];
    for (size_t i = 0; i < m_rxn.size(); i++) {
        const Compiled& r = m_rxn[i];
        const uint32_t netBegin = m_netBegin[i], netEnd = m_netBegin[i + 1];
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
                    prefix *= C[m_factors[begin + p].species];
                }
                double suffix = 1.0;
                for (uint32_t p = L; p-- > 0;) {
                    excl[p] *= suffix;
                    suffix *= C[m_factors[begin + p].species];
                }
            } else {
                for (uint32_t p = 0; p < L; p++) {
                    double d = 1.0;
                    for (uint32_t q = 0; q < L; q++) {
                        const Factor& f = m_factors[begin + q];
                        const double c = std::max(C[f.species], 1e-300);
                        d *= q == p ? f.order * std::pow(c, f.order - 1.0) : std::pow(c, f.order);
                    }
                    excl[p] = d;
                }
            }
            for (uint32_t p = 0; p < L; p++) {
                const double d = sign * k * excl[p];
                for (uint32_t n = 0; n < nRows; n++) {
                    values[*pos++] += m_netNu[netBegin + n] * d;
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
            dkr = r.explicitReverse ? (r.kind == GasRate::Elementary ? m_invKc[i] * m_lastMultipliers[i] : 0.0)
                                    : dkf * m_invKc[i];
        }
        const Factor* fb = m_factors.data();
        const double g = dkf * product(fb + r.fwdBegin, fb + r.fwdEnd, r.integralForward, C) -
                         (r.reversible ? dkr * product(fb + r.revBegin, fb + r.revEnd, r.integralReverse, C) : 0.0);
        const double defaultEfficiency = r.kind == GasRate::Plog ? 1.0 : r.defaultEfficiency;
        if (defaultEfficiency != 0.0) {
            for (uint32_t n = netBegin; n < netEnd; n++) {
                uniform[m_netSpecies[n]] += m_netNu[n] * g * defaultEfficiency;
            }
        }
        const uint32_t* epos = J.effPos.data() + J.effBegin[i];
        for (uint32_t e = r.effBegin; e < r.effEnd; e++) {
            for (uint32_t n = netBegin; n < netEnd; n++) {
                values[*epos++] += m_netNu[n] * g * m_effDelta[e];
            }
        }
    }
}

void GasKinetics::getNetRatesOfProgress(double* q) const
{
    for (size_t i = 0; i < m_rxn.size(); i++) {
        q[i] = m_ropf[i] - m_ropr[i];
    }
}

void GasKinetics::getNetProductionRates(double* wdot) const
{
    std::fill(wdot, wdot + m_nSpecies, 0.0);
    for (size_t i = 0; i < m_rxn.size(); i++) {
        const double q = m_ropf[i] - m_ropr[i];
        for (uint32_t j = m_netBegin[i]; j < m_netBegin[i + 1]; j++) {
            wdot[m_netSpecies[j]] += m_netNu[j] * q;
        }
    }
}

void GasKinetics::getEquilibriumConstants(double T, double* Kc)
{
    if (T != m_T) {
        updateTemperature(T);
    }
    const double lnPref = std::log(OneAtm / (GasConstant * T));
    for (size_t i = 0; i < m_rxn.size(); i++) {
        double sum = -m_rxn[i].dnu * lnPref;
        for (uint32_t j = m_netBegin[i]; j < m_netBegin[i + 1]; j++) {
            sum += m_netNu[j] * m_g_RT[m_netSpecies[j]];
        }
        Kc[i] = std::exp(-sum);
    }
}

} // namespace Velkora
