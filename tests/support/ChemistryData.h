// Test helper: where the reference chemistry is (scripts/fetch-chemistry.sh).
#ifndef VELKORA_TESTS_CHEMISTRYDATA_H
#define VELKORA_TESTS_CHEMISTRYDATA_H

#include <cstdlib>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

namespace Velkora::testing
{

//! The folder of the chemFoam cases: $VELKORA_CHEMISTRY_DATA, else the one
//! the build was configured with.
inline std::string chemistryData()
{
    const char* env = std::getenv("VELKORA_CHEMISTRY_DATA");
    return env && *env ? env : VELKORA_CHEMISTRY_DATA;
}

//! The chemkin folder of case `name` ("h2", "gri", ...), with a slash.
inline std::string chemkinCase(const std::string& name)
{
    return chemistryData() + "/" + name + "/chemkin/";
}

//! Whether case `name` is there.
inline bool haveCase(const std::string& name)
{
    return std::ifstream(chemkinCase(name) + "chem.inp").good();
}

} // namespace Velkora::testing

//! Skips a test whose reference data is missing, or fails it when the run
//! requires the data (VELKORA_REQUIRE_CHEMISTRY_DATA set, as CI does).
#define VELKORA_REQUIRE_CASE(name)                                                                           \
    do {                                                                                                     \
        if (!::Velkora::testing::haveCase(name)) {                                                           \
            if (std::getenv("VELKORA_REQUIRE_CHEMISTRY_DATA")) {                                             \
                FAIL() << "no reference data for case " << (name) << " in "                                  \
                       << ::Velkora::testing::chemistryData() << " (scripts/fetch-chemistry.sh)";            \
            }                                                                                                \
            GTEST_SKIP() << "no reference data for case " << (name) << " (scripts/fetch-chemistry.sh)";       \
        }                                                                                                    \
    } while (0)

#endif
