#!/usr/bin/python3
"""Times orbcalc-batch over a SMILES file, the NCI set by default, against
bench/pi_properties_rdkit.py, a peer on RDKit and numpy, in one run on
one machine.

Runs, one after the other: the peer (one process); the batch tool with
--jobs 1 and --jobs 2 for the π properties alone; the same for all its
quantities. For each it prints the wall time, the CPU time (user + system
of the process and its threads), molecules computed per second and lines
(molecules) read per second, and for the batch tool its own split of the
time in its workers (ORBCALC_BATCH_TIMINGS=1). Then it compares the π
energies of the molecules both programs computed, and times single program
runs on the answers of the molecules of the file's first 500 lines
(bench/batch_program_run.mjs). Wall times on a loaded machine are longer
than the CPU times; the load average is printed at the start of each run.

Usage: /usr/bin/python3 bench/batch_nci.py [--tool PATH] [--node NODE] [FILE.smi]
after `cmake --build --preset web`. The tool defaults to build-web's
(or $ORBCALC_BATCH), the file to Debian's copy of the NCI set from
rdkit-data (or $ORBCALC_BENCH_SMI), node to the one on the PATH (or $NODE).
The all-quantities runs take minutes each.
"""

import argparse
import csv
import os
import re
import resource
import subprocess
import sys
import tempfile
import time
from datetime import datetime, timezone
from pathlib import Path

import numpy
import rdkit

ROOT = Path(__file__).resolve().parent.parent
NCI = "/usr/share/RDKit/Data/NCI/first_5K.smi"
TOOL = ROOT / "build-web" / "orbcalc-batch" / "batch" / "orbcalc-batch.js"
PEER = ROOT / "bench" / "pi_properties_rdkit.py"
PROGRAM_RUN = ROOT / "bench" / "batch_program_run.mjs"
PI = "pi_energy_beta,delocalisation_beta,homo_lumo_gap,density,bond_order,free_valence"
TIMINGS = re.compile(r"structures (\d+) ms, program runs (\d+) ms, properties and indices (\d+) ms")
PEER_LINE = re.compile(r"read (\d+), computed (\d+), refused (\d+)")


def load():
    return " ".join(Path("/proc/loadavg").read_text().split()[:3])


def cpu_model():
    """The first processor's model name and clock, from /proc/cpuinfo."""
    fields = {}
    for line in Path("/proc/cpuinfo").read_text().splitlines():
        key, _, value = line.partition(":")
        fields.setdefault(key.strip(), value.strip())
    return f"{fields.get('model name', 'unknown model')}, {fields.get('cpu MHz', '?')} MHz"


def molecules_in(path):
    """Molecules in a SMILES file as both programs count them: non-blank lines."""
    with open(path, encoding="utf-8") as lines:
        return sum(1 for line in lines if line.strip())


def pi_energies(path):
    with open(path, encoding="utf-8", newline="") as rows:
        return {r["molecule"]: float(r["value"]) for r in csv.DictReader(rows) if r["quantity"] == "pi_energy_beta"}


def timed(command, out, err, env=None):
    """Runs `command`; returns (status, wall s, CPU s, load at start)."""
    at = load()
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    with open(out, "wb") as stdout, open(err, "wb") as stderr:
        status = subprocess.run(command, stdout=stdout, stderr=stderr, env=env).returncode
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return status, wall, cpu, at


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("file", nargs="?", default=os.environ.get("ORBCALC_BENCH_SMI", NCI))
    parser.add_argument("--tool", default=os.environ.get("ORBCALC_BATCH", str(TOOL)))
    parser.add_argument("--node", default=os.environ.get("NODE", "node"))
    args = parser.parse_args()
    for path in (args.file, args.tool):
        if not Path(path).is_file():
            sys.exit(f"batch_nci: no file {path}")

    read = molecules_in(args.file)
    node = subprocess.run([args.node, "--version"], capture_output=True, text=True).stdout.strip()

    print(f"date: {datetime.now(timezone.utc):%Y-%m-%d %H:%M} UTC")
    print(f"machine: {os.cpu_count()} processors, {cpu_model()}")
    print(f"load average at start: {load()}")
    print(f"node {node}; Python {sys.version.split()[0]}, RDKit {rdkit.__version__}, numpy {numpy.__version__}")
    print(f"input: {args.file}, {read} molecules")
    print()

    rows = []
    with tempfile.TemporaryDirectory(prefix="batch_nci.") as tmp:
        out, err, refusals = (Path(tmp) / name for name in ("out.csv", "err.txt", "refused.csv"))

        peer_out, pi_out = Path(tmp) / "peer.csv", Path(tmp) / "pi.csv"
        status, wall, cpu, at = timed([sys.executable, str(PEER), args.file], peer_out, err)
        summary = (err.read_text().strip().splitlines() or [""])[-1]
        found = PEER_LINE.search(summary)
        if status != 0 or not found:
            sys.exit(f"batch_nci: the peer failed (status {status}): {err.read_text()[-2000:]}")
        rows.append(("Python peer (RDKit, numpy), π properties", 1, int(found[2]), wall, cpu, at, ""))
        print(f"peer: {summary}", flush=True)

        env = dict(os.environ, ORBCALC_BATCH_TIMINGS="1")
        for label, quantities in (("π properties", ["--quantities", PI]), ("all quantities", [])):
            for jobs in (1, 2):
                command = [args.node, args.tool, "--jobs", str(jobs), *quantities, "--refusals", str(refusals), args.file]
                kept = pi_out if quantities and jobs == 1 else out
                status, wall, cpu, at = timed(command, kept, err, env)
                if status not in (0, 1):
                    sys.exit(f"batch_nci: orbcalc-batch failed (status {status}): {err.read_text()[-2000:]}")
                with open(refusals, encoding="utf-8") as lines:
                    refused = sum(1 for _ in csv.reader(lines)) - 1
                split = TIMINGS.search(err.read_text())
                workers = "structures {} s, program runs {} s, properties and indices {} s".format(
                    *(f"{int(ms) / 1000:.1f}" for ms in split.groups())
                ) if split else "no timings"
                rows.append((f"orbcalc-batch, {label}", jobs, read - refused, wall, cpu, at, workers))
                print(f"orbcalc-batch --jobs {jobs}, {label}: {wall:.1f} s ({workers})", flush=True)

        ours, theirs = pi_energies(pi_out), pi_energies(peer_out)
        both = set(ours) & set(theirs)
        largest = max((abs(ours[m] - theirs[m]) for m in both), default=0.0)
        agree = sum(1 for m in both if abs(ours[m] - theirs[m]) < 1e-4)
        agreement = (
            f"π energies of the {len(both)} molecules both computed: {agree} agree within 1e-4 β "
            f"(largest difference {largest:.2g} β)"
        )
        print(agreement, flush=True)

        first, answers = Path(tmp) / "first.smi", Path(tmp) / "answers"
        with open(args.file, encoding="utf-8") as lines:
            first.write_text("".join([line for line in lines if line.strip()][:500]), encoding="utf-8")
        make = [args.node, args.tool, "--jobs", "1", "--quantities", "pi_energy_beta", "--answers", str(answers), str(first)]
        subprocess.run(make, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        measure = [args.node, str(PROGRAM_RUN), str(answers), str(Path(args.tool).resolve().parent.parent)]
        program_run = subprocess.run(measure, capture_output=True, text=True, check=True).stdout.strip()
        print(program_run, flush=True)

    print()
    print("| run | jobs | computed | wall s | CPU s | computed/s | read/s | load at start |")
    print("|---|---|---|---|---|---|---|---|")
    for label, jobs, computed, wall, cpu, at, _ in rows:
        print(
            f"| {label} | {jobs} | {computed} | {wall:.1f} | {cpu:.1f} | "
            f"{computed / wall:.1f} | {read / wall:.1f} | {at} |"
        )
    print()
    print("orbcalc-batch, time in workers (summed over workers):")
    for label, jobs, *_, workers in rows[1:]:
        print(f"  {label}, --jobs {jobs}: {workers}")
    print(agreement)
    print(program_run)
    print(f"load average at end: {load()}")


if __name__ == "__main__":
    main()
