#!/usr/bin/env python3
"""Measures the engine against its floor programs and prints one table.

Every row runs a command and its floor in turn, A B A B ..., after one
warm-up run of each, and quotes the median of each figure over the counted
runs together with the median of the pair-by-pair ratios, so that a drift of
the machine's speed cancels out. Instructions are counted by callgrind, which
repeats exactly: it runs fewer times, right after the timed runs, which leave
the cache warm, so it needs no warm-up of its own.

Usage: measure.py BUILD_DIR [--runs N] [--callgrind-runs N] [--quick]
"""

import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile

LIBRARY_LINE = "pow(sin(0.5),2)+factorial(5)+2pi"
LIBRARY_LINE_SCRIPT = "Math.pow(Math.sin(0.5),2)+1*2*3*4*5+2*Math.PI"
# A cycle of 100,000 additions of 0.1: the cost of the exact decimal sums.
CYCLE_LINE = "s=0;for(i=0,i<100000,i=i+1);s=s+0.1;end;s"
CYCLE_LINE_SCRIPT = "var s=0;for(var i=0;i<100000;i=i+1){s=s+0.1;}s"
INTERACTIVE_LINES = 1000
PANEL_PAIRS = 10
# Letters that spell no library name, so that the long lines' names stay
# plain variables: only the script engine and the passes see them.
NAME_LETTERS = "jqvyz"
MEASURE = None  # the program that runs and counts one command


class Command:
    def __init__(self, label, argv, stdin=None, cwd=None, before=None):
        self.label = label
        self.argv = argv
        self.stdin = stdin
        self.cwd = cwd
        self.before = before


def environment():
    env = dict(os.environ)
    for name in ("LC_ALL", "LC_MESSAGES", "LANGUAGE"):
        env.pop(name, None)
    env["LANG"] = "C.UTF-8"
    return env


def run_once(command):
    """One whole-process run: CPU seconds, wall seconds, peak RSS in MiB."""
    if command.before:
        command.before()
    stdin = open(command.stdin, "rb") if command.stdin else subprocess.DEVNULL
    try:
        done = subprocess.run([MEASURE] + command.argv, stdin=stdin, stdout=subprocess.PIPE,
                              cwd=command.cwd, env=environment(), check=True)
    finally:
        if command.stdin:
            stdin.close()
    cpu, wall, rss, _ = done.stdout.split()
    return float(cpu), float(wall), int(rss) / 1024.0


def instructions_once(command):
    """Instructions of one run under callgrind, in millions."""
    if command.before:
        command.before()
    stdin = open(command.stdin, "rb") if command.stdin else subprocess.DEVNULL
    try:
        done = subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null"]
                              + command.argv, stdin=stdin, stdout=subprocess.DEVNULL,
                              stderr=subprocess.PIPE, cwd=command.cwd, env=environment())
    finally:
        if command.stdin:
            stdin.close()
    found = re.search(rb"Collected : (\d+)", done.stderr)
    if not found:
        sys.exit("callgrind counted nothing for: " + " ".join(command.argv))
    return (int(found.group(1)) / 1e6,)


def paired(a, b, runs, measure, warm_up=True):
    """Runs a and b in turn; per figure the medians of a, of b and of a/b."""
    if warm_up:
        measure(a)
        measure(b)
    pairs = [(measure(a), measure(b)) for _ in range(runs)]

    def column(i):
        values_a = [x[i] for x, _ in pairs]
        values_b = [y[i] for _, y in pairs]
        ratios = [x / y for x, y in zip(values_a, values_b) if y > 0]
        return (statistics.median(values_a), statistics.median(values_b),
                statistics.median(ratios) if ratios else float("nan"))

    return [column(i) for i in range(len(pairs[0][0]))]


class Row:
    def __init__(self, name, command, floor, runs, callgrind_runs, note=""):
        self.name = name
        self.command = command
        self.floor = floor
        self.runs = runs
        self.callgrind_runs = callgrind_runs
        self.note = note

    def measure(self):
        print(f"  measuring {self.name} ...", file=sys.stderr, flush=True)
        self.cpu, self.wall, self.rss = paired(self.command, self.floor, self.runs, run_once)
        self.instructions = (paired(self.command, self.floor, self.callgrind_runs,
                                    instructions_once, warm_up=False)[0]
                             if self.callgrind_runs else None)
        return self


def write_lines(path, lines):
    with open(path, "w", encoding="ascii") as out:
        for line in lines:
            out.write(line + "\n")


def interactive_lines(count):
    """Distinct lines, each valid both as calculator notation and as a script."""
    return [f"({i}+1)*3-{i}/7" for i in range(1, count + 1)]


def name(index):
    letters = ""
    for _ in range(5):
        index, digit = divmod(index, len(NAME_LETTERS))
        letters += NAME_LETTERS[digit]
    return letters


def long_line(size):
    """One line of about size bytes: many statements over many names, each
    name defined from the one before; the line ends with the last name, so
    that it has one answer."""
    statements = [f"{name(0)}=1"]
    length = len(statements[0])
    index = 0
    while length < size - 16:
        index += 1
        statement = f"{name(index)}={name(index - 1)}+{index % 97}"
        statements.append(statement)
        length += len(statement) + 1
    statements.append(name(index))
    return ";".join(statements)


def remove_archives(tree):
    """Old logs are archived by every run whose log passed the size limit;
    removing them keeps each run's rotation the same."""
    def remove():
        for entry in os.listdir(tree):
            if re.fullmatch(r"tovel\.log\.\d+", entry):
                os.remove(os.path.join(tree, entry))
    return remove


def fmt(value, digits):
    return f"{value:.{digits}f}"


def cell(triple, digits):
    a, _, ratio = triple
    return f"{fmt(a, digits)} | {ratio:.2f}"


def print_table(rows):
    print("| row | runs | CPU s | x floor | wall s | x floor | peak RSS MiB | x floor "
          "| instr. M | x floor |")
    print("|---|---|---|---|---|---|---|---|---|---|")
    for row in rows:
        instructions = (cell(row.instructions, 1) if row.instructions else "- | -")
        print(f"| {row.name} | {row.runs} | {cell(row.cpu, 3)} | {cell(row.wall, 3)} "
              f"| {cell(row.rss, 1)} | {instructions} |")
    print("| *floors* | | | | | | | | | |")
    seen = set()
    for row in rows:
        if row.floor.label in seen:
            continue
        seen.add(row.floor.label)
        instructions = fmt(row.instructions[1], 1) if row.instructions else "-"
        print(f"| {row.floor.label} | {row.runs} | {fmt(row.cpu[1], 3)} | | "
              f"{fmt(row.wall[1], 3)} | | {fmt(row.rss[1], 1)} | | {instructions} | |")


def verdict(value, limit):
    return f"{value:.2f} (goal <= {limit}: {'met' if value <= limit else 'NOT met'})"


def print_goals(rows_by_key):
    argument = rows_by_key["argument"]
    interactive = rows_by_key["interactive"]
    small, large = rows_by_key["100k"], rows_by_key["1m"]
    print()
    print("Goals, as ratios measured in this run:")
    print(f"- argument mode, instructions: {verdict(argument.instructions[2], 1.05)}")
    print(f"- argument mode, CPU: {verdict(argument.cpu[2], 1.05)}")
    print(f"- argument mode, peak memory: {verdict(argument.rss[2], 1.2)}")
    print(f"- interactive, instructions: {verdict(interactive.instructions[2], 1.5)}")
    lines_per_second = INTERACTIVE_LINES / interactive.wall[0]
    floor_per_second = INTERACTIVE_LINES / interactive.wall[1]
    print(f"- interactive: {lines_per_second:.0f} lines/s (floor loop "
          f"{floor_per_second:.0f} engines/s)")
    for label, index in (("CPU", "cpu"), ("wall", "wall")):
        growth = getattr(large, index)[0] / getattr(small, index)[0]
        print(f"- 1 MB line against 100 KB line, {label}: {verdict(growth, 12)}")
    if large.instructions and small.instructions:
        growth = large.instructions[0] / small.instructions[0]
        print(f"- 1 MB line against 100 KB line, instructions: {verdict(growth, 12)}")
    panel = rows_by_key["panel"]
    print(f"- panel, plug-in load and createWidget: {panel.load:.3f} s (wall)")
    print(f"- panel, \"=\" to the answer shown: {panel.shown:.3f} s against tovel alone "
          f"{panel.alone:.3f} s: {verdict(panel.ratio, 1.1)}")


class PanelRow:
    """The panel program run several times; each run measures the load once
    and "=" against tovel alone in PANEL_PAIRS pairs, and the medians over
    the runs are kept."""

    def __init__(self, program, plugin, bin_dir, runs):
        self.argv = [program, plugin, "1+2", str(PANEL_PAIRS)]
        self.bin_dir = bin_dir
        self.runs = runs

    def measure(self):
        env = environment()
        env["PATH"] = self.bin_dir + os.pathsep + env.get("PATH", "")
        results = []
        for _ in range(self.runs + 1):
            done = subprocess.run(self.argv, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                  env=env, check=True)
            results.append([float(value) for value in done.stdout.split()])
        results = results[1:]  # the first run warms up
        self.load = statistics.median(r[0] for r in results)
        self.shown = statistics.median(r[1] for r in results)
        self.alone = statistics.median(r[2] for r in results)
        self.ratio = statistics.median(r[1] / r[2] for r in results)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--callgrind-runs", type=int, default=3)
    parser.add_argument("--quick", action="store_true",
                        help="3 runs and 1 callgrind run per row, to try the bench out")
    options = parser.parse_args()
    if options.quick:
        options.runs, options.callgrind_runs = 3, 1

    tree = os.path.abspath(options.build)
    global MEASURE
    MEASURE = os.path.join(tree, "floors", "measure")
    tovel = os.path.join(tree, "bin", "tovel")
    floor = os.path.join(tree, "floors", "floor")
    floor_loop = os.path.join(tree, "floors", "floorloop")
    scratch = tempfile.mkdtemp(prefix="tovel-bench-")
    try:
        # Every bench run starts from the same files: no log, an empty cache.
        for entry in os.listdir(tree):
            if entry == "_tovel.log" or entry.startswith("tovel.log"):
                os.remove(os.path.join(tree, entry))
        open(os.path.join(tree, "tovel_cache.dat"), "w").close()
        clean = remove_archives(tree)

        lines = os.path.join(scratch, "lines.txt")
        write_lines(lines, interactive_lines(INTERACTIVE_LINES))
        line_100k = os.path.join(scratch, "line-100k.txt")
        write_lines(line_100k, [long_line(100 * 1024)])
        line_1m = os.path.join(scratch, "line-1m.txt")
        write_lines(line_1m, [long_line(1024 * 1024)])

        floor_one = Command("floor: one engine, 1+2", [floor, "1+2"])
        floor_library = Command("floor: one engine, the library line as script",
                                [floor, LIBRARY_LINE_SCRIPT])
        floor_cycle = Command("floor: one engine, the cycle as script", [floor, CYCLE_LINE_SCRIPT])
        loop_lines = Command(f"floor loop: {INTERACTIVE_LINES} engines", [floor_loop],
                             stdin=lines)
        loop_100k = Command("floor loop: the 100 KB line", [floor_loop], stdin=line_100k)
        loop_1m = Command("floor loop: the 1 MB line", [floor_loop], stdin=line_1m)

        runs, grind = options.runs, options.callgrind_runs
        rows = {}
        rows["argument"] = Row("tovel 1+2", Command("tovel", [tovel, "1+2"], before=clean),
                               floor_one, runs, grind)
        bc_input = os.path.join(scratch, "bc.txt")
        write_lines(bc_input, ["1+2"])
        yardsticks = []
        if shutil.which("bc"):
            yardsticks.append(Row("bc -l, 1+2", Command("bc", ["bc", "-l"], stdin=bc_input),
                                  floor_one, runs, grind))
        if shutil.which("qalc"):
            yardsticks.append(Row("qalc 1+2", Command("qalc", ["qalc", "1+2"]),
                                  floor_one, runs, grind))
        rows["library"] = Row(f"tovel {LIBRARY_LINE}",
                              Command("tovel", [tovel, LIBRARY_LINE], before=clean),
                              floor_library, runs, grind)
        rows["cycle"] = Row("tovel, 100000 additions of 0.1 in a cycle",
                            Command("tovel", [tovel, CYCLE_LINE], before=clean),
                            floor_cycle, runs, grind)
        rows["interactive"] = Row(f"tovel, {INTERACTIVE_LINES} lines at the prompt",
                                  Command("tovel", [tovel], stdin=lines, before=clean),
                                  loop_lines, runs, 1)
        rows["100k"] = Row("tovel, one 100 KB line at the prompt",
                           Command("tovel", [tovel], stdin=line_100k, before=clean),
                           loop_100k, runs, 1)
        # Not under callgrind: its run of the 1 MB line takes over ten minutes.
        rows["1m"] = Row("tovel, one 1 MB line at the prompt",
                         Command("tovel", [tovel], stdin=line_1m, before=clean),
                         loop_1m, runs, 0)
        rows["panel"] = PanelRow(os.path.join(tree, "floors", "panelbench"),
                                 os.path.join(tree, "plugins", "libbrisma.so"),
                                 os.path.join(tree, "bin"), runs)

        ordered = [rows["argument"]] + yardsticks + [rows["library"], rows["cycle"],
                                                     rows["interactive"],
                                                     rows["100k"], rows["1m"]]
        for row in ordered + [rows["panel"]]:
            row.measure()
        print_table(ordered)
        print_goals(rows)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
