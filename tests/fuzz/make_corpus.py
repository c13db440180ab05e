#!/usr/bin/env python3
"""Writes the regression inputs of capi_fuzz: one call sequence per fault the
fuzzer found, in the fuzzer's encoding (see FuzzInput in capi_fuzz.cpp).

    make_corpus.py REGRESSION_DIR [SEED_DIR]
"""
import os
import struct
import sys

# The order of the Op enumeration in capi_fuzz.cpp.
OPS = """RxnNew RxnEquation RxnType RxnId RxnSetId RxnUsesThirdBody RxnValid RxnAllow RxnSetAllow
RxnDel RxnSize MechNew ReactorNew ReactorNSpecies ReactorSpeciesName ReactorSetConc ReactorConc
ReactorDel ReactorSize NetNew NetInitialTime NetMaxStep NetTolerances NetSensTolerances
NetAdvance NetStep NetTime NetRtol NetAtol NetSensitivity NetDel NetSize TransModel TransVisc
TransCond TransElec TransThermalDiff TransMixDiff TransBinaryDiff TransMultiDiff TransMolarFlux
TransMassFlux TransDel TransSize GasNew GasSetState AppCount AppLast AppPop AppClear
AppVersion AppLogWriter GasFromSpecies GasFromParameters GasNSpecies GasSpeciesName MechLoad
MechNSpecies MechNReactions MechSpeciesName MechSpeciesIndex MechThermo MechReaction MechDel
MechSize GasReactorNew GasReactorState GasReactorFraction GasReactorSensitivities""".split()

# Indexes into the fuzzer's tables of numbers and texts.
NUMBERS = {0.0: 0, 1.0: 2, 2.0: 5, 50.0: 7, 20.0: 8, 0.01: 9, 1e-12: 10, 1e-300: 11, 1e300: 12,
           5e-324: 13, 300.0: 22, 1e5: 23, 0.028: 25, 3.7e-10: 26, 0.5: 4, 0.032: 43, 3.6e-10: 44}
TEXTS = {"A => B": 0, "M <=> M": 7, "0.0000001 A => B": 8, "100000000000000000000 A => B": 9,
         "A": 14, "B": 15}


def op(name):
    return bytes([OPS.index(name)])


def num(v):
    return bytes([NUMBERS[v]])


def text(t):
    return bytes([TEXTS[t]])


def small(i):
    return struct.pack("b", i)


FIRST = b"\x00"      # a handle selector: the first handle of its kind
NOT_NULL = b"\x00"   # "flag() && flag()" reads one byte when the first is 0
NULL = b"\x01\x01"


def first_order_network(a, b):
    return (op("MechNew") + text("A => B") + num(0.01) + num(0.0) + NOT_NULL
            + op("ReactorNew") + small(1) + NOT_NULL + FIRST
            + op("ReactorSetConc") + FIRST + text("A") + num(a)
            + op("ReactorSetConc") + FIRST + text("B") + num(b)
            + op("NetNew") + small(1) + NOT_NULL + FIRST)


def gas(pairs, null_cp=True):
    data = op("GasNew") + small(len(pairs))
    for mass, diameter in pairs:
        data += num(mass) + num(diameter) + num(0.0)
    return data + (b"\x01" if null_cp else b"\x00") + NOT_NULL


def properties():
    return (op("TransVisc") + FIRST + op("TransCond") + FIRST
            + op("TransMixDiff") + FIRST + NOT_NULL + small(1))


INPUTS = {
    # Sensitivity tolerances of 1e-300 sent time back, then hung a step.
    "tiny-sensitivity-tolerances": first_order_network(50.0, 20.0)
    + op("NetSensTolerances") + FIRST + num(1e-300) + num(1e-300)
    + op("NetAdvance") + FIRST + num(1e-12)
    + (op("NetStep") + FIRST) * 3,
    # Masses and diameters the model cannot compute with were accepted.
    "transport-out-of-range": gas([(1e-300, 3.7e-10)]) + properties()
    + gas([(5e-324, 3.7e-10)]) + gas([(0.028, 1e-300)]) + gas([(0.028, 1e300)]),
    # Printed coefficients with exponents did not parse back.
    "coefficient-exponents": op("MechNew") + text("0.0000001 A => B") + num(1.0) + num(0.0) + NOT_NULL
    + op("RxnEquation") + FIRST + small(64)
    + op("MechNew") + text("100000000000000000000 A => B") + num(1.0) + num(0.0) + NOT_NULL
    + op("RxnEquation") + b"\x01" + small(64),
    # A reaction without species made a network that could never advance.
    "reaction-without-species": op("MechNew") + text("M <=> M") + num(1.0) + num(1.0) + NOT_NULL
    + op("ReactorNew") + small(1) + NOT_NULL + FIRST
    + op("NetNew") + small(1) + NOT_NULL + FIRST
    + op("NetAdvance") + FIRST + num(1.0),
    # NULL output arrays reached the evaluator and crashed it.
    "null-output-arrays": gas([(0.028, 3.7e-10), (0.032, 3.6e-10)])
    + op("TransMixDiff") + FIRST + NULL + small(2)
    + op("TransThermalDiff") + FIRST + NULL + small(2)
    + op("TransBinaryDiff") + FIRST + small(2) + NULL + small(4)
    + op("TransMolarFlux") + FIRST + num(0.5) * 4 + num(1e-12) + NULL + small(2)
    + op("TransMassFlux") + FIRST + num(0.5) * 4 + num(1e-12) + NULL + small(2),
}


# Not a fault: a start for the fuzzer on the kinetic-theory evaluator, which
# random bytes reach only rarely (written into the seed corpus).
SEEDS = {
    "kinetic-theory": op("GasFromSpecies") + small(2) + bytes([0, 2]) + bytes([13]) + NOT_NULL
    + op("GasSetState") + FIRST + num(300.0) + num(1e5) + num(0.5) + num(0.5)
    + op("TransMultiDiff") + FIRST + small(2) + NOT_NULL + small(4)
    + op("GasSpeciesName") + FIRST + small(1) + small(16)
    + op("TransMolarFlux") + FIRST + num(0.5) * 4 + num(1e-12) + NOT_NULL + small(2),
}


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, data in INPUTS.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
    if len(sys.argv) > 2:
        os.makedirs(sys.argv[2], exist_ok=True)
        for name, data in SEEDS.items():
            with open(os.path.join(sys.argv[2], name), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()
