// A libFuzzer target over the whole C interface. Each input is decoded into a
// sequence of calls (see FuzzInput for the encoding) that respects only what
// the headers document: counted arrays hold their count, buffers hold their
// stated length, strings end with NUL, output arrays hold what the evaluator
// writes. After every call it checks invariants, not just crashes:
//
// - a failure status leaves exactly one new entry on the error stack, and a
//   success none; no call ends in the catch-all of a non-library exception;
// - a success never returns a double that is not a finite number, nor writes
//   one into an output array;
// - registries never shrink, a new handle is the previous slot count, and
//   handles are never reused;
// - a network's time never decreases, and a step always moves it forward;
// - a string result is the size that holds the whole text, and what was
//   copied is NUL-terminated within the buffer.
//
// Every object an input creates is deleted at its end.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#include "support/ToyMechanism.h"
#include "velkora/velkora.h"

namespace
{

[[noreturn]] void finding(const char* what, const char* call, double value)
{
    char text[512];
    app_lastError(sizeof(text), text);
    std::fprintf(stderr, "capi_fuzz: %s in %s (result %.17g; error stack: '%s')\n", what, call, value, text);
    std::abort();
}

//! Reads the calls of one input from the front of the data.
//!
//! - op: one byte, taken modulo the number of operations;
//! - handle: one byte s; s < 240 picks a handle of the right type: one of
//!   those created so far (deleted ones included), the next slot, or -1;
//!   otherwise four raw bytes;
//! - small int: one byte as a signed char; 0x7f means four raw bytes follow;
//! - double: one byte s; s < 48 picks from a table of telling values,
//!   otherwise eight raw bytes follow;
//! - text: one byte n; n < 32 picks from a table of equations and names,
//!   otherwise n - 32 bytes follow (a NUL is appended);
//! - flag: one byte, its low bit.
//! Past the end every read gives zero bytes.
class FuzzInput
{
public:
    FuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool done() const { return m_pos >= m_size; }

    uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }

    int raw32()
    {
        uint32_t v = 0;
        for (int i = 0; i < 4; i++) {
            v = (v << 8) | byte();
        }
        int out;
        std::memcpy(&out, &v, sizeof(out));
        return out;
    }

    int smallInt()
    {
        uint8_t b = byte();
        return b == 0x7f ? raw32() : static_cast<int>(static_cast<int8_t>(b));
    }

    int handle(const std::vector<int>& known, int slots)
    {
        uint8_t s = byte();
        if (s >= 240) {
            return raw32();
        }
        size_t choices = known.size() + 2;
        size_t i = s % choices;
        if (i < known.size()) {
            return known[i];
        }
        return i == known.size() ? slots : -1;
    }

    double number()
    {
        static const double table[] = {
            0.0, -0.0, 1.0, -1.0, 0.5, 2.0, 10.0, 50.0, 20.0, 0.01, 1e-12, 1e-300, 1e300, 5e-324,
            INFINITY, -INFINITY, NAN, 1.7976931348623157e308, 2.2250738585072014e-308, 1e-6, 1e-9, 1e-15,
            300.0, 1e5, 101325.0, 0.028, 3.7e-10, 1e-100, 2.220446049250313e-16, 1e6, 1e-2, 1e12, 1e-7,
            1e3, 1e-12, 1e-6, 2000.0, 0.2, 0.8, 3.0, 100.0, 1e4, 1e-3, 0.032, 3.6e-10, 4e-3, 2.6e-10, 1e-30};
        static_assert(sizeof(table) / sizeof(table[0]) == 48, "table of 48");
        uint8_t s = byte();
        if (s < 48) {
            return table[s];
        }
        uint64_t v = 0;
        for (int i = 0; i < 8; i++) {
            v = (v << 8) | byte();
        }
        double out;
        std::memcpy(&out, &v, sizeof(out));
        return out;
    }

    std::string text()
    {
        static const char* const table[] = {
            "A => B", "A <=> B", "A + B => C", "2 A <=> B", "B => C", "2 B <=> D", "2 H + M <=> H2 + M",
            "M <=> M", "0.0000001 A => B", "100000000000000000000 A => B", "1e+20 A => B", "A => A",
            "X + Y <=> Z", "0.5 O2 + H2 => H2O", "A", "B", "C", "D", "H", "M", "X", "Z", "", "e", "<=>",
            "A + M <=> M", "1e-07 A => B", "2e => B", "H2O", "O2", "1e400 A => B", " "};
        static_assert(sizeof(table) / sizeof(table[0]) == 32, "table of 32");
        uint8_t n = byte();
        if (n < 32) {
            return table[n];
        }
        std::string s;
        for (int i = 0; i < n - 32; i++) {
            char c = static_cast<char>(byte());
            if (c != '\0') {
                s.push_back(c);
            }
        }
        return s;
    }

    bool flag() { return byte() & 1; }

    //! A species or model name: one byte n; n < 16 picks from a table,
    //! otherwise a text as text() reads it.
    std::string name()
    {
        static const char* const table[] = {"N2", "O2", "H2O", "CO2", "H2", "Ar", "He", "CH4", "OH", "NH3",
                                            "XY", "", "mixture-averaged", "multicomponent", "N2 ", "AR"};
        uint8_t n = byte();
        return n < 16 ? table[n] : text();
    }

    //! A length the fuzzer then allocates: any negative value, at most `cap`.
    int length(int cap)
    {
        int v = smallInt();
        return v > cap ? cap : v;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

void discardLog(const char*, void* count)
{
    ++*static_cast<long*>(count);
}

//! What one input created, and what the checks remember between calls.
struct Session
{
    std::vector<int> reactions, reactors, networks, evaluators;
    std::vector<int> parsed;            // reactions made from an equation
    std::vector<int> mechanisms;
    std::map<int, int> mechSpecies, mechReactions; // mechanism handle -> counts
    std::map<int, size_t> species;      // evaluator handle -> species count
    std::map<int, double> lastTime;     // network handle -> latest time seen
    long logPieces = 0;
};

int errors()
{
    return app_errorCount();
}

//! Checks an int status: `failures` lists the failure values.
int checkStatus(const char* call, int result, std::initializer_list<int> failures)
{
    bool failed = false;
    for (int f : failures) {
        failed = failed || (result == f);
    }
    int pushed = errors();
    if (failed && pushed != 1) {
        finding("failure status without exactly one new error", call, result);
    }
    if (!failed && pushed != 0) {
        finding("success that left an error", call, result);
    }
    if (!failed && result < 0) {
        finding("negative result that is no failure status", call, result);
    }
    if (result == -999 && failures.size() > 1) {
        finding("an exception that is not the library's own", call, result);
    }
    return result;
}

//! Checks a double result: -999.999 with one new error is a failure; any
//! other result must be finite and leave no error.
bool checkDouble(const char* call, double result)
{
    int pushed = errors();
    if (result == -999.999 && pushed == 1) {
        return false;
    }
    if (pushed != 0) {
        finding("error entry without the failure value", call, result);
    }
    if (!std::isfinite(result)) {
        finding("non-finite double returned as a success", call, result);
    }
    return true;
}

void checkString(const char* call, int result, int buflen, const char* buf)
{
    if (result < 1 || buflen <= 0 || buf == nullptr) {
        return;
    }
    const void* nul = std::memchr(buf, '\0', static_cast<size_t>(buflen));
    if (nul == nullptr) {
        finding("copied text not NUL-terminated within the buffer", call, result);
    }
    size_t copied = static_cast<const char*>(nul) - buf;
    size_t expected = std::min<size_t>(static_cast<size_t>(result - 1), static_cast<size_t>(buflen - 1));
    if (copied != expected) {
        finding("copied text of the wrong length", call, result);
    }
}

void checkFinite(const char* call, const std::vector<double>& values)
{
    for (double v : values) {
        if (!std::isfinite(v)) {
            finding("non-finite value written as a success", call, v);
        }
    }
}

//! Checks that a creation gave the next slot and grew the registry by one.
void checkNew(const char* call, int result, int sizeBefore, int sizeAfter)
{
    if (sizeAfter < sizeBefore) {
        finding("registry shrank", call, result);
    }
    if (result >= 0) {
        if (result != sizeBefore || sizeAfter != sizeBefore + 1) {
            finding("new handle is not the next slot", call, result);
        }
    } else if (sizeAfter != sizeBefore) {
        finding("failed creation changed the registry", call, result);
    }
}

//! An equation that the library printed parses to a reaction that prints
//! the same.
void checkReadsBack(const char* equation, Session& s)
{
    app_clearErrors();
    int again = mech_newReaction(equation, 0.0, 0.0);
    if (again < 0) {
        finding("a printed equation does not parse", equation, again);
    }
    s.reactions.push_back(again);
    std::vector<char> text(std::strlen(equation) + 1);
    if (rxn_equation(again, static_cast<int>(text.size()), text.data()) != static_cast<int>(text.size()) ||
        std::strcmp(text.data(), equation) != 0) {
        finding("a printed equation reads back as another reaction", equation, again);
    }
}

//! A string buffer of exactly `buflen` bytes, empty for 0 or less.
std::vector<char> buffer(int buflen)
{
    return std::vector<char>(buflen > 0 ? static_cast<size_t>(buflen) : 0, 'x');
}

char* dataOrNull(std::vector<char>& b)
{
    return b.empty() ? nullptr : b.data();
}

// The files mech_load reads: a mechanism the fuzzer writes for each load, and
// the toy thermo data, written once. Per process, so that parallel fuzzing
// jobs do not share them.
const std::string& mechanismPath()
{
    static const std::string path = "/tmp/capi_fuzz_" + std::to_string(getpid()) + ".inp";
    return path;
}

const std::string& thermoPath()
{
    static const std::string path = "/tmp/capi_fuzz_" + std::to_string(getpid()) + ".dat";
    return path;
}

void writeFile(const std::string& path, const std::string& text)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0) {
        std::fprintf(stderr, "capi_fuzz: cannot write %s\n", path.c_str());
        std::abort();
    }
}

bool trace = false; // CAPI_FUZZ_TRACE=1 in the environment prints each call
long long callCount = 0;

void run(FuzzInput& in, Session& s)
{
    enum Op {
        RxnNew, RxnEquation, RxnType, RxnId, RxnSetId, RxnUsesThirdBody, RxnValid, RxnAllow, RxnSetAllow,
        RxnDel, RxnSize, MechNew, ReactorNew, ReactorNSpecies, ReactorSpeciesName, ReactorSetConc, ReactorConc,
        ReactorDel, ReactorSize, NetNew, NetInitialTime, NetMaxStep, NetTolerances, NetSensTolerances,
        NetAdvance, NetStep, NetTime, NetRtol, NetAtol, NetSensitivity, NetDel, NetSize, TransModel, TransVisc,
        TransCond, TransElec, TransThermalDiff, TransMixDiff, TransBinaryDiff, TransMultiDiff, TransMolarFlux,
        TransMassFlux, TransDel, TransSize, GasNew, GasSetState, AppCount, AppLast, AppPop, AppClear,
        AppVersion, AppLogWriter, GasFromSpecies, GasFromParameters, GasNSpecies, GasSpeciesName, MechLoad,
        MechNSpecies, MechNReactions, MechSpeciesName, MechSpeciesIndex, MechThermo, MechReaction, MechDel,
        MechSize, GasReactorNew, GasReactorState, GasReactorFraction, GasReactorSensitivities, OpCount
    };
    int op = in.byte() % OpCount;
    callCount++;
    if (trace) {
        std::fprintf(stderr, "capi_fuzz: op %d\n", op);
    }
    const int rxnSlots = rxn_cabinetSize(), reactorSlots = reactor_cabinetSize();
    const int netSlots = reactornet_cabinetSize(), transSlots = trans_cabinetSize();
    const int mechSlots = mech_cabinetSize();
    app_clearErrors();
    switch (op) {
    case RxnNew: {
        int h = checkStatus("rxn_new", rxn_new(), {-1, -999});
        checkNew("rxn_new", h, rxnSlots, rxn_cabinetSize());
        if (h >= 0) {
            s.reactions.push_back(h);
        }
        break;
    }
    case RxnEquation:
    case RxnType:
    case RxnId: {
        int h = in.handle(s.reactions, rxnSlots);
        int buflen = in.length(4096);
        auto b = buffer(buflen);
        const char* name = op == RxnEquation ? "rxn_equation" : op == RxnType ? "rxn_type" : "rxn_id";
        int r = op == RxnEquation ? rxn_equation(h, buflen, dataOrNull(b))
                : op == RxnType   ? rxn_type(h, buflen, dataOrNull(b))
                                  : rxn_id(h, buflen, dataOrNull(b));
        checkString(name, checkStatus(name, r, {-1, -999}), buflen, dataOrNull(b));
        bool wasParsed = std::find(s.parsed.begin(), s.parsed.end(), h) != s.parsed.end();
        if (op == RxnEquation && r > 0 && r <= buflen && wasParsed) {
            checkReadsBack(b.data(), s);
        }
        break;
    }
    case RxnSetId: {
        int h = in.handle(s.reactions, rxnSlots);
        std::string id = in.text();
        bool null = in.flag() && in.flag();
        checkStatus("rxn_setId", rxn_setId(h, null ? nullptr : id.c_str()), {-999});
        break;
    }
    case RxnUsesThirdBody:
    case RxnValid:
    case RxnAllow: {
        int h = in.handle(s.reactions, rxnSlots);
        const char* name = op == RxnUsesThirdBody ? "rxn_usesThirdBody" : op == RxnValid ? "rxn_valid"
                                                                                          : "rxn_allowNonreactantOrders";
        int r = op == RxnUsesThirdBody ? rxn_usesThirdBody(h) : op == RxnValid ? rxn_valid(h)
                                                                                : rxn_allowNonreactantOrders(h);
        r = checkStatus(name, r, {-1, -999});
        if (r > 1) {
            finding("truth value other than 0 or 1", name, r);
        }
        break;
    }
    case RxnSetAllow: {
        int h = in.handle(s.reactions, rxnSlots);
        checkStatus("rxn_setAllowNonreactantOrders", rxn_setAllowNonreactantOrders(h, in.smallInt()), {-999});
        break;
    }
    case RxnDel:
        checkStatus("rxn_del", rxn_del(in.handle(s.reactions, rxnSlots)), {-1, -999});
        break;
    case RxnSize:
        checkStatus("rxn_cabinetSize", rxn_cabinetSize(), {-1, -999});
        break;
    case MechNew: {
        std::string eq = in.text();
        double kf = in.number(), kr = in.number();
        bool null = in.flag() && in.flag();
        int h = checkStatus("mech_newReaction", mech_newReaction(null ? nullptr : eq.c_str(), kf, kr), {-1, -999});
        checkNew("mech_newReaction", h, rxnSlots, rxn_cabinetSize());
        if (h >= 0) {
            s.reactions.push_back(h);
            s.parsed.push_back(h);
        }
        break;
    }
    case ReactorNew: {
        int n = in.smallInt();
        bool null = in.flag() && in.flag();
        std::vector<int> list(n > 0 && n <= 64 ? n : 0);
        for (int& h : list) {
            h = in.handle(s.reactions, rxnSlots);
        }
        if (n > 64) { // the array must hold the count: keep both small
            n = 64;
            list.resize(64, 0);
        }
        int h = checkStatus("reactor_new", reactor_new(n, null ? nullptr : list.data()), {-1, -999});
        checkNew("reactor_new", h, reactorSlots, reactor_cabinetSize());
        if (h >= 0) {
            s.reactors.push_back(h);
            if (reactor_nSpecies(h) < 1) {
                finding("a reactor without species", "reactor_new", reactor_nSpecies(h));
            }
        }
        break;
    }
    case ReactorNSpecies:
        checkStatus("reactor_nSpecies", reactor_nSpecies(in.handle(s.reactors, reactorSlots)), {-1, -999});
        break;
    case ReactorSpeciesName: {
        int h = in.handle(s.reactors, reactorSlots);
        int k = in.smallInt(), buflen = in.length(4096);
        auto b = buffer(buflen);
        int r = checkStatus("reactor_speciesName", reactor_speciesName(h, k, buflen, dataOrNull(b)), {-1, -999});
        checkString("reactor_speciesName", r, buflen, dataOrNull(b));
        break;
    }
    case ReactorSetConc: {
        int h = in.handle(s.reactors, reactorSlots);
        std::string name = in.text();
        double v = in.number();
        checkStatus("reactor_setConcentration", reactor_setConcentration(h, name.c_str(), v), {-1, -999});
        break;
    }
    case ReactorConc: {
        int h = in.handle(s.reactors, reactorSlots);
        std::string name = in.text();
        checkDouble("reactor_concentration", reactor_concentration(h, name.c_str()));
        break;
    }
    case ReactorDel:
        checkStatus("reactor_del", reactor_del(in.handle(s.reactors, reactorSlots)), {-1, -999});
        break;
    case ReactorSize:
        checkStatus("reactor_cabinetSize", reactor_cabinetSize(), {-1, -999});
        break;
    case NetNew: {
        int n = in.smallInt();
        bool null = in.flag() && in.flag();
        std::vector<int> list(n > 0 && n <= 64 ? n : 0);
        for (int& h : list) {
            h = in.handle(s.reactors, reactorSlots);
        }
        if (n > 64) {
            n = 64;
            list.resize(64, 0);
        }
        int h = checkStatus("reactornet_new", reactornet_new(n, null ? nullptr : list.data()), {-2, -999});
        checkNew("reactornet_new", h, netSlots, reactornet_cabinetSize());
        if (h >= 0) {
            s.networks.push_back(h);
            s.lastTime[h] = 0.0;
        }
        break;
    }
    case NetInitialTime: {
        int h = in.handle(s.networks, netSlots);
        double t = in.number();
        if (checkStatus("reactornet_setInitialTime", reactornet_setInitialTime(h, t), {-1, -999}) == 0) {
            s.lastTime[h] = t; // the one call that may move time back
        }
        break;
    }
    case NetMaxStep: {
        int h = in.handle(s.networks, netSlots);
        checkStatus("reactornet_setMaxTimeStep", reactornet_setMaxTimeStep(h, in.number()), {-1, -999});
        break;
    }
    case NetTolerances:
    case NetSensTolerances: {
        int h = in.handle(s.networks, netSlots);
        double a = in.number(), b = in.number();
        if (op == NetTolerances) {
            checkStatus("reactornet_setTolerances", reactornet_setTolerances(h, a, b), {-1, -999});
        } else {
            checkStatus("reactornet_setSensitivityTolerances", reactornet_setSensitivityTolerances(h, a, b), {-1, -999});
        }
        break;
    }
    case NetAdvance:
    case NetStep:
    case NetTime: {
        int h = in.handle(s.networks, netSlots);
        const char* name = op == NetAdvance ? "reactornet_advance" : op == NetStep ? "reactornet_step" : "reactornet_time";
        double before = s.lastTime.count(h) ? s.lastTime[h] : 0.0;
        if (op == NetAdvance) {
            double t = in.number();
            if (checkStatus(name, reactornet_advance(h, t), {-1, -999}) == 0) {
                app_clearErrors();
                double now = reactornet_time(h);
                if (now != t) {
                    finding("advance did not land on its target", name, now);
                }
            }
        } else if (op == NetStep) {
            double t = reactornet_step(h);
            if (checkDouble(name, t) && !(t > before)) {
                finding("step did not move time forward", name, t);
            }
        } else {
            checkDouble(name, reactornet_time(h));
        }
        app_clearErrors();
        double now = reactornet_time(h);
        if (now != -999.999) {
            if (now < before) {
                finding("time moved backwards", name, now);
            }
            s.lastTime[h] = now;
        }
        break;
    }
    case NetRtol:
        checkDouble("reactornet_rtol", reactornet_rtol(in.handle(s.networks, netSlots)));
        break;
    case NetAtol:
        checkDouble("reactornet_atol", reactornet_atol(in.handle(s.networks, netSlots)));
        break;
    case NetSensitivity: {
        int h = in.handle(s.networks, netSlots);
        std::string name = in.text();
        int p = in.smallInt(), r = in.smallInt();
        checkDouble("reactornet_sensitivity", reactornet_sensitivity(h, name.c_str(), p, r));
        break;
    }
    case NetDel:
        checkStatus("reactornet_del", reactornet_del(in.handle(s.networks, netSlots)), {-1, -999});
        break;
    case NetSize:
        checkStatus("reactornet_cabinetSize", reactornet_cabinetSize(), {-1, -999});
        break;
    case TransModel: {
        int h = in.handle(s.evaluators, transSlots);
        int buflen = in.length(4096);
        auto b = buffer(buflen);
        int r = checkStatus("trans_transportModel", trans_transportModel(h, buflen, dataOrNull(b)), {-1, -999});
        checkString("trans_transportModel", r, buflen, dataOrNull(b));
        break;
    }
    case TransVisc:
        checkDouble("trans_viscosity", trans_viscosity(in.handle(s.evaluators, transSlots)));
        break;
    case TransCond:
        checkDouble("trans_thermalConductivity", trans_thermalConductivity(in.handle(s.evaluators, transSlots)));
        break;
    case TransElec:
        checkDouble("trans_electricalConductivity", trans_electricalConductivity(in.handle(s.evaluators, transSlots)));
        break;
    case TransThermalDiff:
    case TransMixDiff:
    case TransBinaryDiff:
    case TransMultiDiff: {
        int h = in.handle(s.evaluators, transSlots);
        size_t n = s.species.count(h) ? s.species[h] : 1;
        int ld = (op == TransBinaryDiff || op == TransMultiDiff) ? in.length(256) : 1;
        bool null = in.flag() && in.flag();
        std::vector<double> out(n * static_cast<size_t>(ld > 0 ? ld : 1), 0.0);
        double* p = null ? nullptr : out.data();
        int len = in.smallInt();
        const char* name = op == TransThermalDiff ? "trans_getThermalDiffCoeffs"
                           : op == TransMixDiff   ? "trans_getMixDiffCoeffs"
                           : op == TransBinaryDiff ? "trans_getBinaryDiffCoeffs"
                                                   : "trans_getMultiDiffCoeffs";
        int r = op == TransThermalDiff ? trans_getThermalDiffCoeffs(h, len, p)
                : op == TransMixDiff   ? trans_getMixDiffCoeffs(h, len, p)
                : op == TransBinaryDiff ? trans_getBinaryDiffCoeffs(h, ld, len, p)
                                        : trans_getMultiDiffCoeffs(h, ld, len, p);
        if (checkStatus(name, r, {-1, -999}) == 0) {
            checkFinite(name, out);
        }
        break;
    }
    case TransMolarFlux:
    case TransMassFlux: {
        int h = in.handle(s.evaluators, transSlots);
        size_t n = s.species.count(h) ? s.species[h] : 1;
        std::vector<double> x1(n), x2(n), out(n, 0.0);
        for (size_t k = 0; k < n; k++) {
            x1[k] = in.number();
            x2[k] = in.number();
        }
        double delta = in.number();
        bool null = in.flag() && in.flag();
        const char* name = op == TransMolarFlux ? "trans_getMolarFluxes" : "trans_getMassFluxes";
        int len = in.smallInt();
        double* p = null ? nullptr : out.data();
        int r = op == TransMolarFlux ? trans_getMolarFluxes(h, len, x1.data(), len, x2.data(), delta, len, p)
                                     : trans_getMassFluxes(h, len, x1.data(), len, x2.data(), delta, len, p);
        if (checkStatus(name, r, {-1, -999}) == 0) {
            checkFinite(name, out);
        }
        break;
    }
    case TransDel:
        checkStatus("trans_del", trans_del(in.handle(s.evaluators, transSlots)), {-1, -999});
        break;
    case TransSize:
        checkStatus("trans_cabinetSize", trans_cabinetSize(), {-1, -999});
        break;
    case GasNew: {
        int n = in.smallInt();
        size_t count = n > 0 && n <= 16 ? static_cast<size_t>(n) : 0;
        if (n > 16) {
            n = 16;
            count = 16;
        }
        std::vector<double> M(count), d(count), cp(count);
        for (size_t k = 0; k < count; k++) {
            M[k] = in.number();
            d[k] = in.number();
            cp[k] = in.number();
        }
        bool nullCp = in.flag();
        bool nullM = in.flag() && in.flag();
        int h = gastrans_new(n, nullM ? nullptr : M.data(), d.data(), nullCp ? nullptr : cp.data());
        h = checkStatus("gastrans_new", h, {-1, -999});
        checkNew("gastrans_new", h, transSlots, trans_cabinetSize());
        if (h >= 0) {
            s.evaluators.push_back(h);
            s.species[h] = count;
        }
        break;
    }
    case GasSetState: {
        int h = in.handle(s.evaluators, transSlots);
        size_t n = s.species.count(h) ? s.species[h] : 1;
        double T = in.number(), P = in.number();
        std::vector<double> X(n);
        for (double& x : X) {
            x = in.number();
        }
        checkStatus("gastrans_setState", gastrans_setState(h, T, P, static_cast<int>(n), X.data()), {-1, -999});
        break;
    }
    case GasFromSpecies:
    case GasFromParameters: {
        int n = in.smallInt();
        size_t count = n > 0 && n <= 16 ? static_cast<size_t>(n) : 0;
        if (n > 16) {
            n = 16;
            count = 16;
        }
        std::vector<std::string> names(count);
        std::vector<const char*> pointers(count);
        for (size_t k = 0; k < count; k++) {
            names[k] = in.name();
            pointers[k] = names[k].c_str();
        }
        std::string model = in.name();
        const char* name = op == GasFromSpecies ? "gastrans_newFromSpecies" : "gastrans_newFromParameters";
        int h;
        if (op == GasFromSpecies) {
            h = gastrans_newFromSpecies(n, in.flag() && in.flag() ? nullptr : pointers.data(), model.c_str());
        } else {
            std::vector<double> M(count), eps(count), sigma(count), mu(count), alpha(count), z(count), cp(count);
            std::vector<int> geometry(count);
            for (size_t k = 0; k < count; k++) {
                M[k] = in.number();
                geometry[k] = in.smallInt();
                eps[k] = in.number();
                sigma[k] = in.number();
                mu[k] = in.number();
                alpha[k] = in.number();
                z[k] = in.number();
                cp[k] = in.number();
            }
            uint8_t nulls = in.byte(); // which optional arrays are NULL
            h = gastrans_newFromParameters(n, pointers.data(), M.data(), geometry.data(), eps.data(), sigma.data(),
                                           nulls & 1 ? nullptr : mu.data(), nulls & 2 ? nullptr : alpha.data(),
                                           nulls & 4 ? nullptr : z.data(), nulls & 8 ? nullptr : cp.data(),
                                           model.c_str());
        }
        h = checkStatus(name, h, {-1, -999});
        checkNew(name, h, transSlots, trans_cabinetSize());
        if (h >= 0) {
            s.evaluators.push_back(h);
            s.species[h] = count;
        }
        break;
    }
    case GasNSpecies: {
        int h = in.handle(s.evaluators, transSlots);
        int r = checkStatus("gastrans_nSpecies", gastrans_nSpecies(h), {-1, -999});
        if (r >= 0 && s.species.count(h) && static_cast<size_t>(r) != s.species[h]) {
            finding("species count differs from the one created", "gastrans_nSpecies", r);
        }
        break;
    }
    case GasSpeciesName: {
        int h = in.handle(s.evaluators, transSlots);
        int k = in.smallInt(), buflen = in.length(4096);
        auto b = buffer(buflen);
        int r = checkStatus("gastrans_speciesName", gastrans_speciesName(h, k, buflen, dataOrNull(b)), {-1, -999});
        checkString("gastrans_speciesName", r, buflen, dataOrNull(b));
        break;
    }
    case AppCount:
        if (app_errorCount() != 0) {
            finding("error count after a clear", "app_errorCount", app_errorCount());
        }
        break;
    case AppLast:
    case AppVersion: {
        int buflen = in.length(4096);
        auto b = buffer(buflen);
        const char* name = op == AppLast ? "app_lastError" : "app_version";
        int r = op == AppLast ? app_lastError(buflen, dataOrNull(b)) : app_version(buflen, dataOrNull(b));
        checkString(name, checkStatus(name, r, {-1, -999}), buflen, dataOrNull(b));
        break;
    }
    case AppPop:
        if (app_popError() != 0) {
            finding("entries left on a cleared stack", "app_popError", 0);
        }
        break;
    case AppClear:
        app_clearErrors();
        break;
    case AppLogWriter:
        checkStatus("app_setLogWriter",
                    in.flag() ? app_setLogWriter(discardLog, &s.logPieces) : app_setLogWriter(nullptr, nullptr),
                    {-1, -999});
        break;
    case MechLoad: {
        // The toy mechanism as it is, or with a span replaced by, or
        // truncated at, or given fuzzed text: the reader must refuse
        // cleanly whatever it gets.
        std::string text = Velkora::testing::toyMechanism();
        const int mode = in.byte() % 4;
        const size_t pos = static_cast<size_t>(static_cast<unsigned>(in.smallInt())) * 37 % (text.size() + 1);
        const size_t span = in.byte();
        if (mode == 1) {
            text.replace(pos, span, in.text());
        } else if (mode == 2) {
            text.resize(pos);
        } else if (mode == 3) {
            text.insert(pos, in.text());
        }
        writeFile(mechanismPath(), text);
        const bool withThermo = in.flag();
        int h = checkStatus("mech_load", mech_load(mechanismPath().c_str(), withThermo ? thermoPath().c_str() : nullptr),
                            {-1, -999});
        checkNew("mech_load", h, mechSlots, mech_cabinetSize());
        if (h >= 0) {
            s.mechanisms.push_back(h);
            s.mechSpecies[h] = mech_nSpecies(h);
            s.mechReactions[h] = mech_nReactions(h);
            if (s.mechSpecies[h] < 1 || s.mechReactions[h] < 0) {
                finding("a loaded mechanism without species", "mech_load", h);
            }
        }
        break;
    }
    case MechNSpecies:
    case MechNReactions: {
        int h = in.handle(s.mechanisms, mechSlots);
        const char* name = op == MechNSpecies ? "mech_nSpecies" : "mech_nReactions";
        int r = checkStatus(name, op == MechNSpecies ? mech_nSpecies(h) : mech_nReactions(h), {-1, -999});
        auto& known = op == MechNSpecies ? s.mechSpecies : s.mechReactions;
        if (r >= 0 && known.count(h) && r != known[h]) {
            finding("a count differs from the one at loading", name, r);
        }
        break;
    }
    case MechSpeciesName: {
        int h = in.handle(s.mechanisms, mechSlots);
        int k = in.smallInt(), buflen = in.length(4096);
        auto b = buffer(buflen);
        int r = checkStatus("mech_speciesName", mech_speciesName(h, k, buflen, dataOrNull(b)), {-1, -999});
        checkString("mech_speciesName", r, buflen, dataOrNull(b));
        break;
    }
    case MechSpeciesIndex: {
        int h = in.handle(s.mechanisms, mechSlots);
        std::string name = in.name();
        int r = checkStatus("mech_speciesIndex", mech_speciesIndex(h, name.c_str()), {-1, -999});
        if (r >= 0) {
            // The index names the species asked for.
            char back[64];
            app_clearErrors();
            if (mech_speciesName(h, r, sizeof(back), back) < 1 || name != back) {
                finding("a species index that names another species", "mech_speciesIndex", r);
            }
        }
        break;
    }
    case MechThermo: {
        int h = in.handle(s.mechanisms, mechSlots);
        int k = in.smallInt();
        double T = in.number();
        int which = in.byte() % 3;
        const char* name = which == 0 ? "mech_speciesCp" : which == 1 ? "mech_speciesEnthalpy" : "mech_speciesEntropy";
        double v = which == 0 ? mech_speciesCp(h, k, T) : which == 1 ? mech_speciesEnthalpy(h, k, T)
                                                                       : mech_speciesEntropy(h, k, T);
        checkDouble(name, v);
        break;
    }
    case MechReaction: {
        int h = in.handle(s.mechanisms, mechSlots);
        int i = in.smallInt();
        int r = checkStatus("mech_reaction", mech_reaction(h, i), {-1, -999});
        checkNew("mech_reaction", r, rxnSlots, rxn_cabinetSize());
        if (r >= 0) {
            s.reactions.push_back(r);
        }
        break;
    }
    case MechDel:
        checkStatus("mech_del", mech_del(in.handle(s.mechanisms, mechSlots)), {-1, -999});
        break;
    case MechSize:
        if (checkStatus("mech_cabinetSize", mech_cabinetSize(), {-1, -999}) != mechSlots) {
            finding("registry size changed by asking it", "mech_cabinetSize", mechSlots);
        }
        break;
    case GasReactorNew: {
        int mech = in.handle(s.mechanisms, mechSlots);
        static const char* const types[] = {"constant-pressure", "constant-volume", "constant-temperature", "isobaric"};
        const char* type = types[in.byte() % 4];
        double T = in.number(), P = in.number();
        std::string composition = in.flag() ? "H2:1, O2:1, N2:3.76" : in.text();
        int h = checkStatus("reactor_newIdealGas", reactor_newIdealGas(mech, type, T, P, composition.c_str()), {-1, -999});
        checkNew("reactor_newIdealGas", h, reactorSlots, reactor_cabinetSize());
        if (h >= 0) {
            s.reactors.push_back(h);
        }
        break;
    }
    case GasReactorState: {
        int h = in.handle(s.reactors, reactorSlots);
        int which = in.byte() % 3;
        const char* name = which == 0 ? "reactor_temperature" : which == 1 ? "reactor_pressure" : "reactor_density";
        double v = which == 0 ? reactor_temperature(h) : which == 1 ? reactor_pressure(h) : reactor_density(h);
        if (checkDouble(name, v) && !(v > 0.0)) {
            finding("a state that is not positive", name, v);
        }
        break;
    }
    case GasReactorFraction: {
        int h = in.handle(s.reactors, reactorSlots);
        std::string name = in.name();
        bool mole = in.flag();
        double v = mole ? reactor_moleFraction(h, name.c_str()) : reactor_massFraction(h, name.c_str());
        if (checkDouble(mole ? "reactor_moleFraction" : "reactor_massFraction", v) && !(v >= 0.0 && v <= 1.0)) {
            finding("a fraction outside [0, 1]", mole ? "reactor_moleFraction" : "reactor_massFraction", v);
        }
        break;
    }
    case GasReactorSensitivities:
        checkStatus("reactor_setSensitivities", reactor_setSensitivities(in.handle(s.reactors, reactorSlots), in.flag()),
                    {-1, -999});
        break;
    default:
        break;
    }
    if (rxn_cabinetSize() < rxnSlots || reactor_cabinetSize() < reactorSlots ||
        reactornet_cabinetSize() < netSlots || trans_cabinetSize() < transSlots || mech_cabinetSize() < mechSlots) {
        finding("a registry shrank", "any call", op);
    }
}

void cleanUp(Session& s)
{
    // Networks first, then what they hold; failures (already deleted) are fine.
    for (int h : s.networks) {
        reactornet_del(h);
    }
    for (int h : s.reactors) {
        reactor_del(h);
    }
    for (int h : s.reactions) {
        rxn_del(h);
    }
    for (int h : s.evaluators) {
        trans_del(h);
    }
    for (int h : s.mechanisms) {
        mech_del(h);
    }
    app_setLogWriter(nullptr, nullptr);
    app_clearErrors();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    trace = std::getenv("CAPI_FUZZ_TRACE") != nullptr;
    writeFile(thermoPath(), Velkora::testing::toyThermo());
    std::atexit([] {
        std::remove(mechanismPath().c_str());
        std::remove(thermoPath().c_str());
        std::fprintf(stderr, "capi_fuzz: %lld calls of the C interface\n", callCount);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    Session session;
    for (int calls = 0; calls < 256 && !in.done(); calls++) {
        run(in, session);
    }
    cleanUp(session);
    return 0;
}
