#!/usr/bin/python3
"""The π properties and reactivity indices of every example, computed independently of the page
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


def filled_energy(roots, count):
    """X: the π energy of `count` electrons in `roots` (descending), filled
    from the most bonding, or None when they do not fit."""
    if count < 0 or count > 2 * len(roots):
        return None
    return sum(min(2, max(0, count - 2 * j)) * x for j, x in enumerate(roots))


def reactivity(natom, nelec, a):
    """The reactivity indices' rows: frontier densities, superdelocalisabilities
    (left out where a weighted orbital is non-bonding), localisation energies
    (from the levels of the matrix without atom r) and, for a closed shell,
    the atom–atom polarisabilities' upper triangle."""
    roots, vectors = numpy.linalg.eigh(a)
    roots, vectors = roots[::-1], vectors[:, ::-1]
    sets, j = [], 0
    while j < natom:
        end = j + 1
        while end < natom and roots[end - 1] - roots[end] < DEGENERATE_WITHIN:
            end += 1
        sets.append(list(range(j, end)))
        j = end
    shared = numpy.zeros(natom)
    left, highest, lowest = nelec, None, None
    for s, orbitals in enumerate(sets):
        here = min(left, 2 * len(orbitals))
        shared[orbitals] = here / len(orbitals)
        left -= here
        if here > 0:
            highest = s
        if here < 2 * len(orbitals) and lowest is None:
            lowest = s
    rows = []
    frontier = {}
    for name, s in (("frontier_e", highest), ("frontier_n", lowest)):
        if s is not None:
            frontier[name] = 2 / len(sets[s]) * (vectors[:, sets[s]] ** 2).sum(axis=1)
    if len(frontier) == 2:
        frontier["frontier_r"] = (frontier["frontier_e"] + frontier["frontier_n"]) / 2
    deloc = {}
    for name, weight, sign in (("superdeloc_e", shared, 1), ("superdeloc_n", 2 - shared, -1)):
        used = weight > 1e-9
        if not numpy.any(numpy.abs(roots[used]) < 1e-4):
            deloc[name] = (vectors[:, used] ** 2) @ (weight[used] / (sign * roots[used]))
    if len(deloc) == 2:
        deloc["superdeloc_r"] = (deloc["superdeloc_e"] + deloc["superdeloc_n"]) / 2
    for name in ("frontier_e", "frontier_n", "frontier_r", "superdeloc_e", "superdeloc_n", "superdeloc_r"):
        values = frontier.get(name, deloc.get(name))
        if values is not None:
            rows += [(name, r + 1, "", values[r]) for r in range(natom)]
    parent = float(shared @ roots)
    rest_roots = []
    for r in range(natom):
        keep = [s for s in range(natom) if s != r]
        rest_roots.append(numpy.linalg.eigvalsh(a[numpy.ix_(keep, keep)])[::-1])
    for name, taken in (("localisation_plus", 2), ("localisation_radical", 1), ("localisation_minus", 0)):
        for r in range(natom):
            rest = filled_energy(rest_roots[r], nelec - taken)
            if rest is not None:
                rows.append((name, r + 1, "", parent - rest))
    if all(n in (0, 2) for n in shared):
        full = numpy.flatnonzero(shared == 2)
        empty = numpy.flatnonzero(shared == 0)
        for r in range(natom):
            for s in range(r, natom):
                value = 4 * sum(vectors[r, j] * vectors[s, j] * vectors[r, k] * vectors[s, k] / (roots[j] - roots[k])
                                for j in full for k in empty)
                rows.append(("polarisability", r + 1, s + 1, value))
    return rows


def main():
    examples, output = (pathlib.Path(p) for p in sys.argv[1:3])
    output.mkdir(parents=True, exist_ok=True)
    for path in sorted(examples.glob("*.txt")):
        _, natom, nelec, bonds, hetero = answers(path)
        a = matrix(natom, bonds, hetero)
        rows = properties(natom, nelec, a) + reactivity(natom, nelec, a)
        text = "quantity,atom_i,atom_j,value\n" + "".join(
            f"{q},{i},{j},{v:.6f}\n".replace("-0.000000", "0.000000") for q, i, j, v in rows)
        (output / f"{path.stem}.csv").write_text(text, "ascii")


if __name__ == "__main__":
    main()
