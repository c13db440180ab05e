#include "velkora/equil/equil_aux.h"

#include <cmath>

namespace Velkora
{

double vcs_l2norm(const std::vector<double>& vec)
{
    if (vec.empty()) {
        return 0.0;
    }
    double sum = 0.0;
    for (double x : vec) {
        sum += x * x;
    }
    return std::sqrt(sum / static_cast<double>(vec.size()));
}

const char* vcs_speciesType_string(int speciesStatus, int length)
{
    // The thresholds are fixed numbers, not the lengths of the labels.
    switch (speciesStatus) {
    case 2:
        return "Component Species";
    case 1:
        return "Major Species";
    case 0:
        return "Minor Species";
    case -2:
        return length < 23 ? "Zeroed-MS Phase" : "Zeroed-MS Phase Species";
    case -3:
        return length < 23 ? "Zeroed-SS Phase" : "Zeroed-SS Phase Species";
    case -4:
        if (length < 22) {
            return "Deleted Species";
        }
        return length < 40 ? "Deleted-Small Species" : "Deleted-Small Species in a MS phase";
    case -5:
        return length < 29 ? "InterfaceVoltage" : "InterfaceVoltage Species";
    case -6:
        return length < 48 ? "Set Zeroed-Phase" : "Purposely Zeroed-Phase Species (not in problem)";
    case -7:
        return length < 47 ? "Tmp Zeroed in MS" : "Zeroed Species in an active MS phase (tmp)";
    case -8:
        return length < 56 ? "Stoich Zeroed in MS" : "Zeroed Species in an active MS phase (Stoich Constraint)";
    default:
        return "unknown species type";
    }
}

bool vcs_doubleEqual(double a, double b)
{
    double q = std::fabs(a - b) / ((std::fabs(a) + std::fabs(b)) + 1.0);
    if (q > 1e-10) {
        return false;
    }
    return true;
}

} // namespace Velkora
