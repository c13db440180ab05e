//! @file MemoStore.h
//! Stores of cached values, keyed by process-wide unique identifiers.
#ifndef VELKORA_BASE_MEMOSTORE_H
#define VELKORA_BASE_MEMOSTORE_H

#include <cstddef>
#include <limits>
#include <map>
#include <vector>

namespace Velkora
{

//! One cached value, with the state it was computed for. A user computes the
//! value, then records the state; validate() tells whether the value still
//! belongs to the state it is asked about.
template <class T>
struct CachedValue
{
    //! Whether the value was computed for `state1`; records it if not.
    bool validate(double state1)
    {
        if (m_state1 == state1) {
            return true;
        }
        m_state1 = state1;
        return false;
    }
    //! Whether the value was computed for (`state1`, `state2`); records them if not.
    bool validate(double state1, double state2)
    {
        if (m_state1 == state1 && m_state2 == state2) {
            return true;
        }
        m_state1 = state1;
        m_state2 = state2;
        return false;
    }
    //! Whether the value was computed for state number `stateNumber`; records it if not.
    bool validate(int stateNumber)
    {
        if (m_stateNumber == stateNumber) {
            return true;
        }
        m_stateNumber = stateNumber;
        return false;
    }

    // Bookkeeping first; a fresh record matches no state.
    double m_state1 = std::numeric_limits<double>::quiet_NaN();
    double m_state2 = std::numeric_limits<double>::quiet_NaN();
    int m_stateNumber = std::numeric_limits<int>::min();
    T value{};
};

//! A store of cached doubles and vectors of doubles. Identifiers come from
//! getId(), unique in the process, so that users in different parts of the
//! code never share an entry by accident. A store is not synchronised.
class MemoStore
{
public:
    //! A fresh identifier: 1 first, then one more on each call, from any
    //! thread. Throws std::overflow_error once the largest int was handed out.
    static int getId();

    //! Empties both maps; identifiers handed out stay used.
    void clear();

    //! The cached double of `id`, created empty when absent.
    CachedValue<double>& getScalar(int id) { return m_scalarCache[id]; }
    //! The cached vector of `id`, created empty when absent.
    CachedValue<std::vector<double>>& getArray(int id) { return m_arrayCache[id]; }

    size_t scalarCount() const { return m_scalarCache.size(); }
    size_t arrayCount() const { return m_arrayCache.size(); }

protected:
    //! The identifier handed out last; 0 before the first.
    static int m_last_id;

    std::map<int, CachedValue<double>> m_scalarCache;
    std::map<int, CachedValue<std::vector<double>>> m_arrayCache;
};

} // namespace Velkora

#endif
