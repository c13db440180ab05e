#include "velkora/platform/kinetics/CompiledMechanism.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "velkora/interface/VelkoraError.h"

namespace Velkora
{

namespace
{

const char* const procedure = "CompiledMechanism::CompiledMechanism";

// Whole orders up to this are products of repeated factors, not powers.
constexpr double maxRepeatedOrder = 4.0;

bool smallWhole(double order)
{
    return order >= 1.0 && order <= maxRepeatedOrder && order == std::floor(order);
}

// Whole stoichiometric coefficients up to this give K_c as a product.
constexpr double maxProductPower = 8.0;

uint32_t u32(size_t n)
{
    return static_cast<uint32_t>(n);
}

} // namespace

void ArrheniusTable::add(const Arrhenius& k, uint32_t slot)
{
    if (k.A == 0.0 || (k.b == 0.0 && k.Ea_R == 0.0)) {
        constantTarget.push_back(slot);
        constantA.push_back(k.A);
    } else if (k.Ea_R == 0.0) {
        auto it = std::find(exponents.begin(), exponents.end(), k.b);
        powerIndex.push_back(u32(it - exponents.begin()));
        if (it == exponents.end()) {
            exponents.push_back(k.b);
        }
        powerTarget.push_back(slot);
        powerA.push_back(k.A);
    } else {
        target.push_back(slot);
        lnA.push_back(std::log(std::abs(k.A)));
        sign.push_back(k.A > 0.0 ? 1.0 : -1.0);
        b.push_back(k.b);
        Ea_R.push_back(k.Ea_R);
    }
}

CompiledMechanism::CompiledMechanism(std::shared_ptr<const SpeciesSet> species,
                                     const std::vector<std::shared_ptr<Reaction>>& reactions)
    : m_species(std::move(species))
{
    if (!m_species) {
        throw VelkoraError(procedure, "The species set is a null pointer.");
    }
    K = m_species->nSpecies();
    nR = reactions.size();
    m_thermo = std::make_shared<SpeciesThermo>(*m_species);

    // Reaction by reaction: what each is, its factors and stoichiometry.
    std::vector<uint32_t> troe, sri, lindemann;
    std::vector<const GasRate*> rates;
    netBegin.push_back(0);
    for (size_t i = 0; i < nR; i++) {
        if (!reactions[i]) {
            throw VelkoraError(procedure, "Reaction {} is a null pointer.", i);
        }
        compile(*reactions[i], i, troe, sri, lindemann, rates);
    }

    // Falloff reactions by blending, so that each blending is one loop.
    falloffReaction = troe;
    falloffReaction.insert(falloffReaction.end(), sri.begin(), sri.end());
    falloffReaction.insert(falloffReaction.end(), lindemann.begin(), lindemann.end());
    nFalloff = falloffReaction.size();
    nTroe = troe.size();
    nSri = sri.size();
    fcentConstant.assign(nTroe, 0.0);
    troeTermBegin.push_back(0);
    for (size_t f = 0; f < nFalloff; f++) {
        const size_t i = falloffReaction[f];
        const GasRate& rate = *rates[i];
        info[i].falloff = u32(f);
        chemicallyActivated.push_back(rate.kind == GasRate::ChemicallyActivated ? 1.0 : 0.0);
        const std::vector<double>& p = rate.parameters;
        if (f < nTroe) {
            const double a = p[0], T3 = p[1], T1 = p[2], T2 = p.size() > 3 ? p[3] : 0.0;
            troeParameters.insert(troeParameters.end(), {a, T3, T1, T2, p.size() > 3 ? 1.0 : 0.0});
            // F_cent = (1 - a) exp(-T/T***) + a exp(-T/T*) [+ exp(-T**/T)].
            struct Term
            {
                double c, alpha, beta;
            };
            std::vector<Term> terms = {{1.0 - a, -1.0 / T3, 0.0}, {a, -1.0 / T1, 0.0}};
            if (p.size() > 3) {
                terms.push_back({1.0, 0.0, -T2});
            }
            for (const Term& t : terms) {
                auto value = [&](double T) { return t.c * std::exp(t.alpha * T + t.beta / T); };
                const double low = value(troeGuardLow), high = value(troeGuardHigh);
                if (low == high && (low == 0.0 || low == t.c)) {
                    fcentConstant[f] += low; // the same number at every T between
                } else {
                    troeCoefficient.push_back(t.c);
                    troeAlpha.push_back(t.alpha);
                    troeBeta.push_back(t.beta);
                }
            }
            troeTermBegin.push_back(u32(troeCoefficient.size()));
        } else if (f < nTroe + nSri) {
            sriParameters.insert(sriParameters.end(),
                                 {p[0], p[1], p[2], p.size() > 3 ? p[3] : 1.0, p.size() > 4 ? p[4] : 0.0});
        }
    }

    // Every Arrhenius expression, in slot order.
    revBase = nR + nFalloff;
    falloffSource = revBase + nR;
    threeBodySource = falloffSource + nFalloff;
    for (size_t t = 0; t < threeBodyElementary.size(); t++) {
        info[threeBodyElementary[t]].threeBody = u32(t);
    }
    for (size_t i = 0; i < nR; i++) {
        const ReactionInfo& r = info[i];
        if (r.kind == GasRate::Plog) {
            continue;
        }
        const size_t slot = r.falloff != none ? falloffSource + r.falloff
                            : r.threeBody != none ? threeBodySource + r.threeBody
                                                  : i;
        arrhenius.add(rates[i]->rate, u32(slot));
    }
    for (size_t f = 0; f < nFalloff; f++) {
        const GasRate& rate = *rates[falloffReaction[f]];
        arrhenius.add(rate.kind == GasRate::Falloff ? rate.low : rate.high, u32(nR + f));
    }
    threeBodyReverse = threeBodySource + threeBodyElementary.size();
    for (size_t i = 0; i < nR; i++) {
        const ReactionInfo& r = info[i];
        if (r.reversible && r.explicitReverse) {
            arrhenius.add(rates[i]->reverse, u32(r.threeBody != none ? threeBodyReverse + r.threeBody : revBase + i));
        }
    }
    nSlots = threeBodyReverse + threeBodyElementary.size();
    plogPointBegin.push_back(0);
    plogTermBegin.push_back(0);
    for (size_t i = 0; i < nR; i++) {
        if (info[i].kind != GasRate::Plog) {
            continue;
        }
        info[i].plog = u32(plogReaction.size());
        plogReaction.push_back(u32(i));
        const size_t first = plogLnP.size();
        for (const auto& [P, k] : rates[i]->plog) {
            // Expressions given at one pressure add up.
            const double lnP = std::log(P);
            if (plogLnP.size() == first || plogLnP.back() != lnP) {
                plogLnP.push_back(lnP);
                plogTermBegin.push_back(plogTermBegin.back());
            }
            arrhenius.add(k, u32(nSlots));
            plogTermSlot.push_back(u32(nSlots++));
            plogTermBegin.back()++;
        }
        if (plogLnP.size() == first) {
            throw VelkoraError(procedure, "Reaction {} ({}) has no PLOG expressions.", i, reactions[i]->equation());
        }
        plogPointBegin.push_back(u32(plogLnP.size()));
    }

    // Reverse rates and equilibrium constants.
    revMode.assign(nR, 0);
    kcWideBegin.push_back(0);
    kcGeneralBegin.push_back(0);
    std::vector<uint32_t> kcPosition(K, none);
    std::vector<std::vector<uint32_t>> kcFactors; // per reaction, species (reactants + K)
    std::vector<uint32_t> kcReactions;
    for (size_t i = 0; i < nR; i++) {
        const ReactionInfo& r = info[i];
        if (!r.reversible) {
            continue;
        }
        if (r.explicitReverse) {
            revMode[i] = r.thirdBody && r.kind == GasRate::Elementary ? 3 : 2;
            continue;
        }
        revMode[i] = 1;
        bool whole = true;
        for (uint32_t j = netBegin[i]; j < netBegin[i + 1]; j++) {
            const double nu = std::abs(netNu[j]);
            whole = whole && nu == std::floor(nu) && nu <= maxProductPower;
        }
        if (!whole) {
            kcGeneralReaction.push_back(u32(i));
            for (uint32_t j = netBegin[i]; j < netBegin[i + 1]; j++) {
                kcGeneralSpecies.push_back(netSpecies[j]);
                kcGeneralNu.push_back(netNu[j]);
            }
            kcGeneralBegin.push_back(u32(kcGeneralSpecies.size()));
            continue;
        }
        std::vector<uint32_t> factors;
        for (uint32_t j = netBegin[i]; j < netBegin[i + 1]; j++) {
            const uint32_t k = netSpecies[j];
            if (kcPosition[k] == none) {
                kcPosition[k] = u32(kcSpecies.size());
                kcSpecies.push_back(k);
            }
            for (int n = 0; n < static_cast<int>(std::abs(netNu[j])); n++) {
                factors.push_back(netNu[j] > 0.0 ? k : u32(K + k));
            }
        }
        kcReactions.push_back(u32(i));
        kcFactors.push_back(std::move(factors));
    }
    // Species indexes to positions among kcSpecies, now that their number is known.
    kcStride = padded(kcSpecies.size());
    const uint32_t J = u32(kcStride);
    kcSpecies.resize(kcStride, 0);
    auto position = [&](uint32_t f) { return f < K ? kcPosition[f] : J + kcPosition[f - K]; };
    const bool packs = 2 * J < 0xffff;
    for (size_t r = 0; r < kcReactions.size(); r++) {
        kcMaxFactors = std::max(kcMaxFactors, kcFactors[r].size());
        if (packs && kcFactors[r].size() <= 4) {
            uint64_t word = 0;
            for (size_t f = 0; f < 4; f++) {
                const uint64_t p = f < kcFactors[r].size() ? position(kcFactors[r][f]) : 2 * J;
                word |= p << (16 * f);
            }
            kc4Reaction.push_back(kcReactions[r]);
            kc4Packed.push_back(word);
        } else {
            kcWideReaction.push_back(kcReactions[r]);
            for (uint32_t f : kcFactors[r]) {
                kcWideFactor.push_back(position(f));
            }
            kcWideBegin.push_back(u32(kcWideFactor.size()));
        }
    }

    // The distinct third bodies: most mechanisms repeat a few.
    std::map<std::pair<double, std::vector<std::pair<uint32_t, double>>>, uint32_t> colliders;
    colliderBegin.push_back(0);
    for (uint32_t i : thirdBodyReactions) {
        const ReactionInfo& r = info[i];
        std::vector<std::pair<uint32_t, double>> list;
        for (uint32_t j = r.effBegin; j < r.effEnd; j++) {
            list.push_back({effSpecies[j], effDelta[j]});
        }
        std::sort(list.begin(), list.end());
        auto [it, added] = colliders.insert({{r.defaultEfficiency, list}, u32(colliderDefault.size())});
        if (added) {
            colliderDefault.push_back(r.defaultEfficiency);
            for (const auto& [k, delta] : list) {
                colliderSpecies.push_back(k);
                colliderDelta.push_back(delta);
            }
            colliderBegin.push_back(u32(colliderSpecies.size()));
        }
        colliderOf.push_back(it->second);
    }

    // Whole vectors for the kernels.
    const size_t nGeneral = padded(arrhenius.target.size());
    for (std::vector<double>* v : {&arrhenius.lnA, &arrhenius.b, &arrhenius.Ea_R, &arrhenius.sign}) {
        v->resize(nGeneral, 0.0);
    }
    arrhenius.exponents.resize(padded(arrhenius.exponents.size()), 0.0);
    const size_t nTerms = padded(troeCoefficient.size());
    for (std::vector<double>* v : {&troeCoefficient, &troeAlpha, &troeBeta}) {
        v->resize(nTerms, 0.0);
    }

    // Products of three factors at most, padded with the species K.
    if (K + 1 > packedMask) {
        throw VelkoraError(procedure, "A mechanism of {} species is more than the kinetics can index ({}).", K,
                           packedMask - 1);
    }
    auto pack = [&](uint32_t begin, uint32_t end, bool integral, size_t i, std::vector<uint32_t>& general) {
        uint64_t word = 0;
        const bool fits = integral && end - begin <= 3;
        if (!fits) {
            general.push_back(u32(i));
        }
        for (uint32_t f = 0; f < 3; f++) {
            const uint64_t k = fits && begin + f < end ? factorSpecies[begin + f] : K;
            word |= k << (packedBits * f);
        }
        return word;
    };
    fwdPacked.resize(nR);
    revPacked.resize(nR);
    for (size_t i = 0; i < nR; i++) {
        const ReactionInfo& r = info[i];
        fwdPacked[i] = pack(r.fwdBegin, r.fwdEnd, r.integralForward, i, fwdGeneral);
        // An irreversible reaction's reverse product is never used: pads.
        revPacked[i] = r.reversible ? pack(r.revBegin, r.revEnd, r.integralReverse, i, revGeneral)
                                    : pack(0, 0, true, i, revGeneral);
        fwdPacked[i] |= uint64_t(revMode[i] == 1) << 63;
        revPacked[i] |= uint64_t(revMode[i] >= 2) << 63;
    }

    // The stoichiometry species by species: nu = +1, nu = -1, the others.
    std::vector<std::vector<std::pair<uint32_t, double>>> bySpecies(K);
    for (size_t i = 0; i < nR; i++) {
        for (uint32_t j = netBegin[i]; j < netBegin[i + 1]; j++) {
            bySpecies[netSpecies[j]].push_back({u32(i), netNu[j]});
        }
    }
    speciesBegin.push_back(0);
    for (size_t k = 0; k < K; k++) {
        for (int group = 0; group < 3; group++) {
            for (const auto& [i, nu] : bySpecies[k]) {
                if ((group == 0 && nu == 1.0) || (group == 1 && nu == -1.0) || (group == 2 && nu != 1.0 && nu != -1.0)) {
                    speciesReaction.push_back(i);
                    speciesNu.push_back(nu);
                }
            }
            speciesBegin.push_back(u32(speciesReaction.size()));
        }
    }
}

void CompiledMechanism::compile(const Reaction& rxn, size_t i, std::vector<uint32_t>& troe, std::vector<uint32_t>& sri,
                                std::vector<uint32_t>& lindemann, std::vector<const GasRate*>& rates)
{
    const auto* rate = dynamic_cast<const GasRate*>(rxn.m_rate.get());
    if (rate == nullptr) {
        throw VelkoraError(procedure, "Reaction {} ({}) has no rate of a gas mechanism.", i, rxn.equation());
    }
    rates.push_back(rate);
    auto index = [&](const std::string& name) -> uint32_t {
        size_t k = m_species->speciesIndex(name);
        if (k == SpeciesSet::npos) {
            throw VelkoraError(procedure, "Reaction {} ({}): no species '{}'.", i, rxn.equation(), name);
        }
        return u32(k);
    };
    ReactionInfo c;
    c.kind = rate->kind;
    c.reversible = rxn.m_reversible;
    c.explicitReverse = rate->hasReverse;
    c.blending = rate->blending;
    const bool falloff = rate->kind == GasRate::Falloff || rate->kind == GasRate::ChemicallyActivated;

    if (rxn.m_thirdBody) {
        c.thirdBody = true;
        const ThirdBody& tb = *rxn.m_thirdBody;
        c.defaultEfficiency = tb.m_defaultEfficiency;
        c.effBegin = u32(effSpecies.size());
        for (const auto& [name, e] : tb.m_efficiencies) {
            if (e != tb.m_defaultEfficiency) {
                effSpecies.push_back(index(name));
                effDelta.push_back(e - tb.m_defaultEfficiency);
            }
        }
        c.effEnd = u32(effSpecies.size());
        thirdBodyReactions.push_back(u32(i));
        if (rate->kind == GasRate::Elementary) {
            threeBodyElementary.push_back(u32(i));
        }
    } else if (falloff) {
        throw VelkoraError(procedure, "Reaction {} ({}) is {} but has no third body.", i, rxn.equation(),
                           rate->type());
    }
    if (falloff) {
        const size_t needed = rate->blending == GasRate::Troe ? 3 : rate->blending == GasRate::Sri ? 3 : 0;
        if (rate->parameters.size() < needed) {
            throw VelkoraError(procedure, "Reaction {} ({}) has {} blending parameters; it needs at least {}.", i,
                               rxn.equation(), rate->parameters.size(), needed);
        }
        (rate->blending == GasRate::Troe ? troe : rate->blending == GasRate::Sri ? sri : lindemann).push_back(u32(i));
    }

    auto addFactors = [&](const Composition& orders, bool& integral, uint32_t& begin, uint32_t& end) {
        begin = u32(factorSpecies.size());
        integral = true;
        for (const auto& [name, o] : orders) {
            integral = integral && smallWhole(o);
        }
        for (const auto& [name, o] : orders) {
            uint32_t k = index(name);
            if (integral) {
                for (int n = 0; n < static_cast<int>(o); n++) {
                    factorSpecies.push_back(k);
                    factorOrder.push_back(1.0);
                }
            } else if (o != 0.0) {
                factorSpecies.push_back(k);
                factorOrder.push_back(o);
            }
        }
        end = u32(factorSpecies.size());
    };
    addFactors(rxn.m_orders, c.integralForward, c.fwdBegin, c.fwdEnd);
    if (c.reversible) {
        Composition reverse = rxn.m_products;
        for (const auto& [name, o] : rate->reverseOrders) {
            reverse[name] = o;
        }
        addFactors(reverse, c.integralReverse, c.revBegin, c.revEnd);
    } else {
        c.revBegin = c.revEnd = u32(factorSpecies.size());
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
            netSpecies.push_back(k);
            netNu.push_back(nu);
            c.dnu += nu;
        }
    }
    netBegin.push_back(u32(netSpecies.size()));
    if (rate->kind == GasRate::Plog && rate->plog.empty()) {
        throw VelkoraError(procedure, "Reaction {} ({}) has no PLOG expressions.", i, rxn.equation());
    }
    info.push_back(c);
}

const CompiledMechanism::JacobianMap& CompiledMechanism::jacobianMap() const
{
    std::call_once(m_jacobianOnce, [this] { buildJacobianMap(); });
    return m_jacobian;
}

void CompiledMechanism::buildJacobianMap() const
{
    JacobianMap& J = m_jacobian;
    std::vector<std::vector<int>> columns(K); // rows of each column
    auto add = [&](uint32_t row, uint32_t col) { columns[col].push_back(static_cast<int>(row)); };
    for (size_t i = 0; i < nR; i++) {
        const ReactionInfo& r = info[i];
        for (uint32_t n = netBegin[i]; n < netBegin[i + 1]; n++) {
            const uint32_t row = netSpecies[n];
            for (uint32_t f = r.fwdBegin; f < r.fwdEnd; f++) {
                add(row, factorSpecies[f]);
            }
            for (uint32_t f = r.revBegin; f < r.revEnd; f++) {
                add(row, factorSpecies[f]);
            }
            for (uint32_t e = r.effBegin; e < r.effEnd; e++) {
                add(row, effSpecies[e]);
            }
        }
    }
    for (size_t k = 0; k < K; k++) {
        add(u32(k), u32(k));
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
        return u32(std::lower_bound(begin, end, static_cast<int>(row)) - J.rows.begin());
    };
    J.factorBegin.assign(1, 0);
    J.effBegin.assign(1, 0);
    for (size_t i = 0; i < nR; i++) {
        const ReactionInfo& r = info[i];
        auto rowsFor = [&](uint32_t col) {
            for (uint32_t n = netBegin[i]; n < netBegin[i + 1]; n++) {
                J.factorPos.push_back(position(netSpecies[n], col));
            }
        };
        for (uint32_t f = r.fwdBegin; f < r.fwdEnd; f++) {
            rowsFor(factorSpecies[f]);
        }
        for (uint32_t f = r.revBegin; f < r.revEnd; f++) {
            rowsFor(factorSpecies[f]);
        }
        J.factorBegin.push_back(u32(J.factorPos.size()));
        for (uint32_t e = r.effBegin; e < r.effEnd; e++) {
            for (uint32_t n = netBegin[i]; n < netBegin[i + 1]; n++) {
                J.effPos.push_back(position(netSpecies[n], effSpecies[e]));
            }
        }
        J.effBegin.push_back(u32(J.effPos.size()));
    }
}

} // namespace Velkora
