// Networks of ideal-gas reactors built, integrated and deleted on four
// threads at once, over one mechanism they share: each thread's results are
// those of one thread alone, to the last bit.
#include <memory>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "support/ToyMechanism.h"
#include "velkora/platform/input/ChemkinReader.h"
#include "velkora/platform/reactors/IdealGasReactor.h"
#include "velkora/platform/reactors/ReactorNet.h"
#include "velkora/platform/thermo/PhysicalConstants.h"

namespace Velkora
{
namespace
{

// The final temperature and mass fractions of one integration.
std::vector<double> integrate(const std::shared_ptr<Mechanism>& mechanism, ReactorNet::JacobianMethod method,
                              double T0)
{
    const size_t K = mechanism->nSpecies();
    std::vector<double> X(K, 0.0);
    X[mechanism->speciesSet().speciesIndex("H2")] = 2.0;
    X[mechanism->speciesSet().speciesIndex("O2")] = 1.0;
    X[mechanism->speciesSet().speciesIndex("N2")] = 3.76;
    auto reactor = std::make_shared<IdealGasReactor>(mechanism, IdealGasReactor::ConstantPressure, T0, OneAtm, X.data());
    std::vector<std::shared_ptr<ReactorBase>> list = {reactor};
    auto net = std::make_unique<ReactorNet>(list);
    net->setJacobianMethod(method);
    net->setTolerances(1e-8, 1e-14);
    net->advance(2e-4);
    std::vector<double> y(reactor->nComponents());
    reactor->getState(y.data());
    return y;
}

TEST(ReactorNetThreads, IndependentNetworksOverOneMechanismOnFourThreads)
{
    const double temperatures[] = {1100.0, 1200.0, 1300.0};
    const ReactorNet::JacobianMethod methods[] = {ReactorNet::JacobianMethod::Analytic,
                                                  ReactorNet::JacobianMethod::DenseDifferences};
    // Four threads on a mechanism none has used yet (its Jacobian pattern
    // is built on first use, by whichever thread comes first).
    auto shared = parseChemkin("toy.inp", testing::toyMechanism(), "", nullptr);
    const int threads = 4;
    std::vector<std::vector<std::vector<double>>> results(threads);
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; t++) {
        pool.emplace_back([&, t] {
            for (ReactorNet::JacobianMethod method : methods) {
                for (double T0 : temperatures) {
                    results[t].push_back(integrate(shared, method, T0));
                }
            }
        });
    }
    for (auto& thread : pool) {
        thread.join();
    }
    // One thread alone, on a mechanism of its own.
    auto alone = parseChemkin("toy.inp", testing::toyMechanism(), "", nullptr);
    std::vector<std::vector<double>> reference;
    for (ReactorNet::JacobianMethod method : methods) {
        for (double T0 : temperatures) {
            reference.push_back(integrate(alone, method, T0));
        }
    }
    ASSERT_GT(reference[2][0], 1300.0 + 100.0); // it reacts
    for (int t = 0; t < threads; t++) {
        EXPECT_EQ(results[t], reference) << "thread " << t;
    }
}

} // namespace
} // namespace Velkora
