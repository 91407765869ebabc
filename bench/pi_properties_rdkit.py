#!/usr/bin/python3
"""The π properties of every molecule of a SMILES file, with RDKit and numpy.

A peer for timing orbcalc-batch (bench/batch_nci.py): it does the same work
for each molecule, in the plainest way those two libraries allow. It reads
a molecule, finds its π system, builds the Hückel matrix, diagonalises it,
fills the electrons and writes the π energy, the delocalisation energy
(hydrocarbons), the HOMO-LUMO gap, the densities, the bond orders and the
free valences, as the batch tool writes them:

    molecule,quantity,atom_i,atom_j,value

with the π atoms numbered from 1 in RDKit's atom order. It is not meant to
give the batch tool's figures digit for digit (the aromaticity models and
the atom order differ), only the same amount of work.

The π system: an atom in a double or triple bond or in an aromatic ring is
in it; an atom with a lone pair (amino and ether groups, halogens) joins
when it is bonded to one of those. A molecule is refused (counted, not
written) when its system touches an atom with no parameters, a charged
atom other than N+ and O+ in a double bond or ring, a nitro group, a
radical or a cumulene, when two heteroatoms are bonded in it, or when it
has more than 30 atoms, as many as the batch tool's program takes.

The heteroatom parameters are Streitwieser's, in units of β (α_X = α + hβ,
β_CX = kβ): A. Streitwieser, Molecular Orbital Theory for Organic Chemists
(Wiley, New York, 1961), p. 135, the batch tool's default table. Like
that table, this one has no values for sulfur, iodine, or a bond between
two heteroatoms, so molecules that need them are refused by both.

Usage: /usr/bin/python3 bench/pi_properties_rdkit.py FILE.smi > out.csv
The last line on standard error counts the molecules read, computed and
refused (by reason) and says where the time went.
"""

import math
import sys
import time
from collections import Counter

import numpy
from rdkit import Chem, RDLogger

RDLogger.DisableLog("rdApp.*")

MAX_ATOMS = 30
DEGENERATE_WITHIN = 1e-4
SQRT3 = math.sqrt(3.0)

# kind: (h, k of its bond to carbon, π electrons it brings).
KINDS = {
    "C": (0.0, 1.0, 1),
    "N-pyridine": (0.5, 1.0, 1),
    "N-pyrrole": (1.5, 0.8, 2),
    "N+": (2.0, 1.0, 1),
    "O-carbonyl": (1.0, 1.0, 1),
    "O-ether": (2.0, 0.8, 2),
    "O+": (2.5, 1.0, 1),
    "F": (3.0, 0.7, 2),
    "Cl": (2.0, 0.4, 2),
    "Br": (1.5, 0.3, 2),
}


def classify(atom):
    """('core' | 'pendant', kind), ('left', None) or ('odd', reason)."""
    element, charge = atom.GetSymbol(), atom.GetFormalCharge()
    aromatic = atom.GetIsAromatic()
    sigma = atom.GetDegree() + atom.GetTotalNumHs()
    multiple = [b for b in atom.GetBonds() if b.GetBondType() in (Chem.BondType.DOUBLE, Chem.BondType.TRIPLE)]
    pi = sum(int(b.GetBondTypeAsDouble()) - 1 for b in multiple)
    if element == "H":
        return "left", None
    if atom.GetNumRadicalElectrons():
        return "odd", "radical"
    if element == "C":
        if charge:
            return ("odd", "charge") if pi or aromatic else ("left", None)
        if len(multiple) > 1:
            return "odd", "cumulene"
        return ("core", "C") if pi or aromatic else ("left", None)
    if element == "N":
        if charge == 1:
            if any(n.GetFormalCharge() < 0 for n in atom.GetNeighbors()):
                return "odd", "nitro"
            if sigma == 3 and (pi == 1 or (pi == 0 and aromatic)):
                return "core", "N+"
            return ("left", None) if pi == 0 and sigma == 4 else ("odd", "charge")
        if charge:
            return "odd", "charge"
        if (pi == 1 and sigma == 2) or (pi == 2 and sigma == 1) or (pi == 0 and sigma == 2 and aromatic):
            return "core", "N-pyridine"
        if pi == 0 and sigma == 3:
            return ("core" if aromatic else "pendant"), "N-pyrrole"
        return "odd", "nitrogen"
    if element == "O":
        if charge == 1 and sigma == 2 and (pi == 1 or aromatic):
            return "core", "O+"
        if charge:
            return "odd", "charge"
        if pi == 1 and sigma == 1:
            return "core", "O-carbonyl"
        if pi == 0 and sigma == 2:
            return ("core" if aromatic else "pendant"), "O-ether"
        return "odd", "oxygen"
    if element in ("F", "Cl", "Br") and charge == 0 and sigma == 1:
        return "pendant", element
    # Sulfur, iodine and the rest: no parameters. Refused when conjugated.
    return "odd", element


def pi_system(mol):
    """(atoms, kinds, bonds as (i, j, k)) of the π system, or a refusal reason."""
    classes = [classify(a) for a in mol.GetAtoms()]
    is_core = [role == "core" for role, _ in classes]
    members = []
    for atom, (role, what) in zip(mol.GetAtoms(), classes):
        touches = any(is_core[n.GetIdx()] for n in atom.GetNeighbors())
        if role == "core" or (role == "pendant" and touches):
            members.append(atom.GetIdx())
        elif role == "odd" and touches:
            return what
    if not members:
        return "no-pi"
    if len(members) > MAX_ATOMS:
        return "too-many"
    position = {a: p for p, a in enumerate(members)}
    kinds = [classes[a][1] for a in members]
    bonds = []
    for bond in mol.GetBonds():
        a, b = bond.GetBeginAtomIdx(), bond.GetEndAtomIdx()
        if a in position and b in position:
            i, j = sorted((position[a], position[b]))
            if kinds[i] != "C" and kinds[j] != "C":
                return "hetero-bond"
            bonds.append((i, j, KINDS[kinds[i]][1] * KINDS[kinds[j]][1]))
    return members, kinds, sorted(bonds)


def properties(kinds, bonds):
    """The rows (quantity, i, j, value) of one π system, atoms from 1."""
    n = len(kinds)
    h = numpy.zeros((n, n))
    for r, kind in enumerate(kinds):
        h[r, r] = KINDS[kind][0]
    for i, j, k in bonds:
        h[i, j] = h[j, i] = k
    roots, vectors = numpy.linalg.eigh(h)
    roots, vectors = roots[::-1], vectors[:, ::-1]  # E = α + xβ, β < 0: largest x first
    # Electrons two to an orbital, spread evenly over a degenerate set.
    left = sum(KINDS[kind][2] for kind in kinds)
    shared = numpy.zeros(n)
    homo_full, x_homo, x_lumo = None, None, None
    start = 0
    while start < n:
        end = start + 1
        while end < n and roots[end - 1] - roots[end] < DEGENERATE_WITHIN:
            end += 1
        here = min(left, 2 * (end - start))
        if here > 0:
            shared[start:end] = here / (end - start)
            homo_full, x_homo = here == 2 * (end - start), roots[start]
        elif x_lumo is None and homo_full:
            x_lumo = roots[start]
        left -= here
        start = end
    p = (vectors * shared) @ vectors.T
    energy = float(shared @ roots)
    rows = [("pi_energy_beta", "", "", energy)]
    if all(kind == "C" for kind in kinds):
        rows.append(("delocalisation_beta", "", "", energy - n))
    if x_lumo is not None:
        rows.append(("homo_lumo_gap", "", "", x_homo - x_lumo))
    rows += [("density", r + 1, "", p[r, r]) for r in range(n)]
    rows += [("bond_order", i + 1, j + 1, p[i, j]) for i, j, _ in bonds]
    bonded = numpy.zeros(n)
    for i, j, _ in bonds:
        bonded[i] += p[i, j]
        bonded[j] += p[i, j]
    rows += [("free_valence", r + 1, "", SQRT3 - bonded[r]) for r in range(n) if kinds[r] == "C"]
    return rows


def number(value):
    text = f"{value:.6f}"
    return "0.000000" if text == "-0.000000" else text


def field(text):
    return '"' + text.replace('"', '""') + '"' if any(c in text for c in ',"\r\n') else text


def main(path):
    read, refused = 0, Counter()
    seconds = {"structures": 0.0, "properties": 0.0}
    out = sys.stdout
    out.write("molecule,quantity,atom_i,atom_j,value\n")
    with open(path, encoding="utf-8") as lines:
        for number_in_file, line in enumerate(lines, 1):
            words = line.split(None, 1)
            if not words:
                continue
            read += 1
            name = words[1].strip() if len(words) > 1 else str(number_in_file)
            start = time.perf_counter()
            mol = Chem.MolFromSmiles(words[0])
            found = "unreadable" if mol is None else pi_system(mol)
            middle = time.perf_counter()
            seconds["structures"] += middle - start
            if isinstance(found, str):
                refused[found] += 1
                continue
            rows = properties(found[1], found[2])
            molecule = field(name)
            out.write("".join(f"{molecule},{q},{i},{j},{number(v)}\n" for q, i, j, v in rows))
            seconds["properties"] += time.perf_counter() - middle
    reasons = ", ".join(f"{reason} {count}" for reason, count in refused.most_common())
    sys.stderr.write(
        f"pi_properties_rdkit: read {read}, computed {read - sum(refused.values())}, "
        f"refused {sum(refused.values())} ({reasons}); "
        f"time: structures {seconds['structures'] * 1000:.0f} ms, properties {seconds['properties'] * 1000:.0f} ms\n"
    )


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: pi_properties_rdkit.py FILE.smi")
    main(sys.argv[1])
