#!/usr/bin/env python3
"""Accuracy sweep of the shipped script library.

Runs the built engine on several hundred arguments per function (ordinary,
tiny, huge, negative, near poles and branch points), reads back the full
double each call returns (the call is written as f(x)+"", so the engine
prints the shortest text that reads back as that double, not the rounded
display), and compares it with a 50-digit reference from mpmath. Prints, per
function, the median and the largest error in units in the last place of the
correctly rounded result, beside the same for the C library's function of the
same meaning where Python's math module has one.

Usage: tests/accuracy/sweep.py [build directory] (default: build)
Needs python3-mpmath. Not part of the test suite: a run takes a few seconds.
"""

import math
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile
from fractions import Fraction

import mpmath
from mpmath import mp, mpf

mp.dps = 50
ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BATCH = 250


def exact_text(x):
    """A notation text that the engine reads as exactly the double x: its
    shortest text, a numeral that reads back as x (a product such as
    m*pow(2,k) would be computed on the decimals printed, not exactly)."""
    if x == 0:
        return "0"
    return "(-" + repr(-x) + ")" if x < 0 else repr(x)


def ulp(value):
    """The unit in the last place of the double nearest value (mpf)."""
    if value == 0:
        return mpf(2) ** -1074
    return mpf(2) ** max(int(mpmath.floor(mpmath.log(abs(value), 2))) - 52, -1074)


def error_ulps(got, reference):
    if math.isinf(got) or math.isnan(got):
        return math.inf
    return float(abs(mpf(got) - reference) / ulp(reference))


class Engine:
    """The built engine in a private tree with the library of the work tree."""

    def __init__(self, build):
        self.tree = tempfile.mkdtemp()
        os.mkdir(os.path.join(self.tree, "bin"))
        shutil.copy(os.path.join(build, "bin", "tovel"), os.path.join(self.tree, "bin"))
        library = os.path.join(ROOT, "engine", "library")
        shutil.copytree(os.path.join(library, "scripts"), os.path.join(self.tree, "scripts"))
        shutil.copy(os.path.join(library, "tovel_operators.conf"), self.tree)

    def values(self, calls):
        """The doubles that the calls return, many calls per engine run."""
        values = []
        for start in range(0, len(calls), BATCH):
            batch = calls[start:start + BATCH]
            line = ";".join(call + '+""' for call in batch)
            run = subprocess.run([os.path.join(self.tree, "bin", "tovel"), "\\log:0", line],
                                 capture_output=True, text=True, timeout=300)
            if run.returncode != 0:
                sys.exit("engine failed on a batch starting with %s: %s" % (batch[0], run.stderr))
            values += [float(text) for text in run.stdout.split("\n")[:len(batch)]]
        return values

    def close(self):
        shutil.rmtree(self.tree)


def spread(low, high, count, rng, negative=False):
    """count arguments spread evenly in magnitude between low and high."""
    points = []
    for _ in range(count):
        x = math.exp(rng.uniform(math.log(low), math.log(high)))
        points.append(-x if negative and rng.random() < 0.5 else x)
    return points


def near(points, steps=3):
    """Each point and its neighbours a few doubles away."""
    out = []
    for p in points:
        x = p
        for _ in range(steps):
            x = math.nextafter(x, math.inf)
            out.append(x)
        x = p
        for _ in range(steps):
            x = math.nextafter(x, -math.inf)
            out.append(x)
        out.append(p)
    return out


def arguments(kind, rng):
    tiny = spread(1e-300, 1e-5, 80, rng, True)
    ordinary = [rng.uniform(-10, 10) for _ in range(150)]
    if kind == "any":
        return tiny + ordinary + spread(1e5, 1e300, 80, rng, True) + spread(1e-5, 1e5, 100, rng, True)
    if kind == "trig":
        # the doubles nearest to the multiples of pi/2 and their neighbours
        # give an exact 0 or a domain error by design: their neighbours two
        # doubles away are measured
        halfpi = [float(k * mpmath.pi / 2) for k in range(-12, 13)]
        exceptions = set(halfpi) | {math.nextafter(p, d) for p in halfpi for d in (-math.inf, math.inf)}
        points = tiny + ordinary + spread(10, 1e6, 60, rng, True) + near(halfpi, 2)
        return [x for x in points if x == 0 or x not in exceptions]
    if kind == "unit":
        ends = near([1.0, -1.0, 0.5, -0.5], 10)
        return [x for x in tiny + [rng.uniform(-1, 1) for _ in range(250)] + ends if -1 <= x <= 1]
    if kind == "positive":
        return [abs(x) for x in tiny] + spread(1e-300, 1e300, 200, rng) + near([1.0], 30) + \
            [rng.uniform(0, 10) for _ in range(100)] + spread(4.9e-324, 1e-308, 20, rng)
    if kind == "exp":
        return tiny + ordinary + [rng.uniform(-745, 709.7) for _ in range(150)]
    if kind == "hyperbolic":
        return tiny + ordinary + [rng.uniform(-710.4, 710.4) for _ in range(100)] + \
            spread(1e-5, 1, 80, rng, True)
    if kind == "atleastone":
        points = near([1.0], 20) + [1 + x for x in spread(1e-16, 1, 120, rng)] + \
            spread(1, 1e300, 200, rng) + [1.7976931348623157e308]
        return [x for x in points if x >= 1]
    if kind == "outsideone":
        inner = arguments("atleastone", rng)
        return [x if rng.random() < 0.5 else -x for x in inner if x > 1]
    if kind == "degrees":
        return tiny + ordinary + spread(1e5, 1.7976931348623157e308, 80, rng, True)
    raise ValueError(kind)


def acot(x):
    value = mpmath.acot(x)
    return value + mpmath.pi if x < 0 else value


# name, argument kind, reference, the C library's function of the same meaning
FUNCTIONS = [
    ("sin", "trig", mpmath.sin, math.sin),
    ("cos", "trig", mpmath.cos, math.cos),
    ("tg", "trig", mpmath.tan, math.tan),
    ("ctg", "trig", mpmath.cot, lambda x: 1 / math.tan(x)),
    ("arcsin", "unit", mpmath.asin, math.asin),
    ("arccos", "unit", mpmath.acos, math.acos),
    ("arctg", "any", mpmath.atan, math.atan),
    ("arcctg", "any", acot, lambda x: math.pi / 2 - math.atan(x)),
    ("sh", "hyperbolic", mpmath.sinh, math.sinh),
    ("ch", "hyperbolic", mpmath.cosh, math.cosh),
    ("th", "hyperbolic", mpmath.tanh, math.tanh),
    ("cth", "hyperbolic", mpmath.coth, lambda x: 1 / math.tanh(x)),
    ("arsh", "any", mpmath.asinh, math.asinh),
    ("arch", "atleastone", mpmath.acosh, math.acosh),
    ("arth", "unit", mpmath.atanh, math.atanh),
    ("arcth", "outsideone", mpmath.acoth, lambda x: math.atanh(1 / x)),
    ("exp", "exp", mpmath.exp, math.exp),
    ("ln", "positive", mpmath.log, math.log),
    ("lg", "positive", mpmath.log10, math.log10),
    ("lb", "positive", lambda x: mpmath.log(x, 2), math.log2),
    ("sqrt", "positive", mpmath.sqrt, math.sqrt),
    ("cbrt", "any", lambda x: mpmath.sign(x) * mpmath.cbrt(abs(x)), lambda x: math.copysign(abs(x) ** (1 / 3), x)),
    ("deg", "degrees", mpmath.degrees, math.degrees),
    ("rad", "degrees", mpmath.radians, math.radians),
]


def measure(engine, name, points, reference, clib):
    """[median, largest] ulp error of the library and of the C library."""
    kept = []
    for x in points:
        try:
            value = reference(mpf(x))
        except (ValueError, ZeroDivisionError):
            continue
        if abs(value) <= mpf("1.7976931348623157e308"):
            kept.append((x, value))
    got = engine.values(["%s(%s)" % (name, exact_text(x)) for x, _ in kept])
    ours = [error_ulps(g, value) for g, (_, value) in zip(got, kept)]
    theirs = []
    for x, value in kept:
        try:
            theirs.append(error_ulps(clib(x), value))
        except (ValueError, OverflowError, ZeroDivisionError):
            pass
    worst = max(range(len(ours)), key=lambda i: ours[i])
    return len(kept), statistics.median(ours), max(ours), kept[worst][0], \
        statistics.median(theirs), max(theirs)


def special_rows(engine, rng):
    """Rows for the functions of whole numbers and for roots through pow."""
    rows = []
    calls = ["factorial(%d)" % n for n in range(171)]
    refs = [mpf(math.factorial(n)) for n in range(171)]
    pairs = [(n, rng.randint(0, n)) for n in (rng.randint(0, 1100) for _ in range(300))]
    pairs = [(n, k) for n, k in pairs if math.comb(n, k) < 2**1024]
    calls += ["binom(%d,%d)" % p for p in pairs]
    refs += [mpf(math.comb(*p)) for p in pairs]
    got = engine.values(calls)
    errors = [error_ulps(g, r) for g, r in zip(got, refs)]
    rows.append(("factorial", errors[:171], calls[:171]))
    rows.append(("binom", errors[171:], calls[171:]))
    roots = []
    for _ in range(300):
        n = rng.choice([3, 4, 5, 7, 9])
        x = math.exp(rng.uniform(-690, 690))
        if rng.random() < 0.3:
            x = float(rng.randint(1, 10**5) ** n) if n < 5 else float(rng.randint(1, 1000) ** n)
        roots.append((x, n))
    calls = ["pow(%s,1/(%d))" % (exact_text(x), n) for x, n in roots]
    refs = [mpmath.root(mpf(x), n) for x, n in roots]
    got = engine.values(calls)
    rows.append(("pow, roots", [error_ulps(g, r) for g, r in zip(got, refs)], calls))
    powers = [(math.exp(rng.uniform(-20, 20)), rng.uniform(-30, 30)) for _ in range(300)]
    calls = ["pow(%s,%s)" % (exact_text(x), exact_text(y)) for x, y in powers]
    refs = [mpf(x) ** mpf(y) for x, y in powers]
    got = engine.values(calls)
    rows.append(("pow", [error_ulps(g, r) for g, r in zip(got, refs)], calls))
    return rows


DIGITS = "0123456789abcdefghijklmnopqrstuvwxyz"


def base_text(x, base):
    """x in base, from exact fractions: a whole number with all its digits, a
    fraction to as many significant digits as a double holds in the base,
    rounded half up, without trailing zeros."""
    a = Fraction(abs(x))
    places = 0
    if a.denominator != 1:
        lead = 0
        while Fraction(base) ** (lead + 1) <= a:
            lead += 1
        while Fraction(base) ** lead > a:
            lead -= 1
        places = max(0, math.ceil(53 * math.log(2) / math.log(base)) - 1 - lead)
    n = int(a * Fraction(base) ** places + Fraction(1, 2))
    digits = ""
    while n:
        digits = DIGITS[n % base] + digits
        n //= base
    digits = digits.rjust(places + 1, "0")
    whole, fraction = digits[:len(digits) - places], digits[len(digits) - places:].rstrip("0")
    text = whole + ("." + fraction if fraction else "")
    return "-" + text if x < 0 and text != "0" else text


def base_mismatches(engine, rng):
    """The calls of tobase, of 400, whose text is not the exact one."""
    cases = []
    for _ in range(400):
        x = math.exp(rng.uniform(-700, 700)) if rng.random() < 0.7 else rng.uniform(0, 100)
        cases.append((-x if rng.random() < 0.3 else x, rng.randint(2, 36)))
    line = ";".join("tobase(%s,%d)" % (exact_text(x), b) for x, b in cases)
    run = subprocess.run([os.path.join(engine.tree, "bin", "tovel"), "\\log:0", line],
                         capture_output=True, text=True, timeout=300)
    texts = run.stdout.split("\n")
    return [(x, b) for (x, b), text in zip(cases, texts) if text != base_text(x, b)], len(cases)


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build")
    engine = Engine(build)
    rng = random.Random(21)
    print("| function | arguments | median ulp | largest ulp | C library median | C library largest |")
    print("|---|---|---|---|---|---|")
    worst = []
    try:
        for name, kind, reference, clib in FUNCTIONS:
            count, median, largest, where, cmedian, clargest = \
                measure(engine, name, arguments(kind, rng), reference, clib)
            print("| `%s` | %d | %.3f | %.3f | %.3f | %.3f |" % (name, count, median, largest,
                                                                 cmedian, clargest))
            worst.append("%s: largest at %s" % (name, repr(where)))
        for name, errors, calls in special_rows(engine, rng):
            i = max(range(len(errors)), key=lambda j: errors[j])
            print("| `%s` | %d | %.3f | %.3f | | |" % (name, len(errors), statistics.median(errors),
                                                      errors[i]))
            worst.append("%s: largest at %s" % (name, calls[i]))
        wrong, count = base_mismatches(engine, rng)
        worst.append("tobase: %d of %d texts differ from the exact digits %s" % (len(wrong), count,
                                                                                wrong[:3]))
    finally:
        engine.close()
    print()
    print("\n".join(worst))


if __name__ == "__main__":
    main()
