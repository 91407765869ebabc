#!/usr/bin/python3
"""The π properties of every example, computed independently of the page
in double precision with numpy, written as the CSV files that the page's
browser test compares its own saved properties with (within 5e-5).

    properties_reference.py EXAMPLES_FOLDER OUTPUT_FOLDER

Run it again only when an example changes. It reads the answer files
itself (plain whitespace- or comma-separated values, one answer a line,
as the examples are written) and builds the Hückel matrix from them: 1 for
each bond, the hetero triples written over their elements.
"""
import math
import pathlib
import sys

import numpy

DEGENERATE_WITHIN = 1e-4


def answers(path):
    lines = path.read_text("ascii").splitlines()
    name = lines[0]
    values = [line.replace(",", " ").split() for line in lines[1:]]
    natom, nbond, nelec, nhet = (int(values[k][0]) for k in range(4))
    bonds = [tuple(int(v) for v in values[4 + b][:2]) for b in range(nbond)]
    hetero = [(int(v[0]), int(v[1]), float(v[2])) for v in values[4 + nbond:4 + nbond + nhet]]
    return name, natom, nelec, bonds, hetero


def matrix(natom, bonds, hetero):
    full = numpy.zeros((30, 30))
    for a, b in bonds:
        full[a - 1, b - 1] = full[b - 1, a - 1] = 1.0
    for i, j, value in hetero:
        full[i - 1, j - 1] = full[j - 1, i - 1] = value
    return full[:natom, :natom]


def kekule(n, neighbours, free=None):
    free = set(range(n)) if free is None else free
    if not free:
        return True
    first = min(free)
    return any(other in free and kekule(n, neighbours, free - {first, other})
               for other in neighbours[first])


def properties(natom, nelec, a):
    roots, vectors = numpy.linalg.eigh(a)
    roots, vectors = roots[::-1], vectors[:, ::-1]
    shared = numpy.zeros(natom)
    left, j, gap, top = nelec, 0, None, None
    while j < natom:
        end = j + 1
        while end < natom and roots[end - 1] - roots[end] < DEGENERATE_WITHIN:
            end += 1
        size = end - j
        here = min(left, 2 * size)
        shared[j:end] = here / size
        if here > 0:
            top = (roots[j], here == 2 * size)
        elif top is not None and top[1] and gap is None:
            gap = top[0] - roots[j]
        left -= here
        j = end
    rows = [("pi_energy_beta", "", "", float(shared @ roots))]
    bonds = [(i, k) for i in range(natom) for k in range(i + 1, natom) if a[i, k] != 0]
    neighbours = [[k for k in range(natom) if k != i and a[i, k] != 0] for i in range(natom)]
    plain = (nelec == natom and all(a[i, i] == 0 for i in range(natom))
             and all(a[i, k] == 1 for i, k in bonds))
    if plain and natom % 2 == 0 and kekule(natom, neighbours):
        rows.append(("delocalisation_beta", "", "", float(shared @ roots) - natom))
    if gap is not None:
        rows.append(("homo_lumo_gap", "", "", float(gap)))
    density = (vectors ** 2) @ shared
    rows += [("density", r + 1, "", density[r]) for r in range(natom)]
    order = {(i, k): float((vectors[i] * vectors[k]) @ shared) for i, k in bonds}
    rows += [("bond_order", i + 1, k + 1, p) for (i, k), p in order.items()]
    for r in range(natom):
        if a[r, r] == 0:
            total = sum(p for (i, k), p in order.items() if r in (i, k))
            rows.append(("free_valence", r + 1, "", math.sqrt(3) - total))
    return rows


def main():
    examples, output = (pathlib.Path(p) for p in sys.argv[1:3])
    output.mkdir(parents=True, exist_ok=True)
    for path in sorted(examples.glob("*.txt")):
        _, natom, nelec, bonds, hetero = answers(path)
        rows = properties(natom, nelec, matrix(natom, bonds, hetero))
        text = "quantity,atom_i,atom_j,value\n" + "".join(
            f"{q},{i},{j},{v:.6f}\n".replace("-0.000000", "0.000000") for q, i, j, v in rows)
        (output / f"{path.stem}.csv").write_text(text, "ascii")


if __name__ == "__main__":
    main()
