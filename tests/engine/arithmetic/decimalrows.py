#!/usr/bin/env python3
"""Writes decimal.rows: operations on doubles with the result computed on the
decimals the operands print as (Python's repr is the shortest text that reads
back as the number), exactly, and rounded once (Fraction to float rounds
correctly). Run it from this folder; the rows are fixed by the seed."""

import math
import random
import struct
from decimal import Decimal
from fractions import Fraction


def any_double(rng):
    while True:
        bits = rng.getrandbits(64)
        x = struct.unpack("<d", bits.to_bytes(8, "little"))[0]
        if math.isfinite(x):
            return x


def amount(rng):
    cents = rng.randrange(-10**rng.randrange(1, 12), 10**rng.randrange(1, 12))
    return cents / 10**rng.randrange(0, 5)


def exact(op, a, b):
    x, y = Fraction(Decimal(repr(a))), Fraction(Decimal(repr(b)))
    try:
        if op == "+":
            return float(x + y)
        if op == "-":
            return float(x - y)
        if op == "*":
            return float(x * y)
        return float(x / y)
    except OverflowError:
        value = {"+": x + y, "-": x - y, "*": x * y, "/": x / y}[op]
        return math.inf if value > 0 else -math.inf


def main():
    rng = random.Random(2027)
    with open("decimal.rows", "w") as rows:
        rows.write("# operation, a, b, the exact result on the printed decimals, rounded\n")
        for i in range(1200):
            kind = i % 4
            if kind == 0:
                a, b = amount(rng), amount(rng)
            elif kind == 1:
                a, b = any_double(rng), any_double(rng)
            elif kind == 2:
                a = any_double(rng)
                b = a * (1 + rng.uniform(-1e-12, 1e-12)) * 2.0 ** rng.randrange(-80, 80)
            else:
                a, b = amount(rng), any_double(rng)
            op = "+-*/"[rng.randrange(4)]
            if b == 0 or a == 0 or not math.isfinite(b):
                continue
            rows.write(f"{op} {a!r} {b!r} {exact(op, a, b)!r}\n")


if __name__ == "__main__":
    main()
