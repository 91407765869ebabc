// The page's words in English. Every key here stands in ja.js too.
export default {
  // page
  'page.title': 'orbcalc: Hückel molecular orbitals',
  'page.heading': 'orbcalc',
  'page.intro':
    'Simple Hückel molecular-orbital calculator: the console program itself, run in this page. ' +
    'Answer its questions below, or run an answer file.',
  'page.footer':
    'Output is shown as a Shift_JIS terminal shows it; “Save output” gives its exact bytes ' +
    '(Shift_JIS, CR LF), the same as the console program writes. Answers you type are sent ' +
    'in Shift_JIS. Nothing leaves this page.',
  'language.label': 'Language',
  'language.ja': '日本語',
  'language.en': 'English',

  // toolbar
  'toolbar.label': 'Answer files and output',
  'toolbar.example': 'Example',
  'toolbar.runExample': 'Run example',
  'toolbar.open': 'Open answer file…',
  'toolbar.saveAnswers': 'Save answers',
  'toolbar.saveOutput': 'Save output',
  'toolbar.undo': 'Take back last answer',
  'toolbar.restart': 'Start over',

  // console
  'console.label': 'Console: the program’s output with your answers',
  'console.moreBytes': ' … ({count} more bytes not shown)',
  'answer.label': 'Answer',
  'answer.send': 'Send',
  'answer.endInput': 'End of input',
  'answer.keys': 'Enter sends the answer. Ctrl+D on an empty line ends the input, as on a terminal.',
  'answer.notEncodable': '“{character}” (U+{code}) cannot be written in Shift_JIS (code page 932)',
  'diagnostics.title': 'Diagnostics (standard error)',

  // status
  'status.loading': 'Loading the program…',
  'status.loadFailed':
    'The program could not be loaded ({reason}). Open this page through a web server, ' +
    'for example python3 -m http.server -d FOLDER.',
  'status.pageFailed': 'The page failed: {reason}',
  'status.waiting': 'Waiting for your answer to: {prompt}',
  'status.finished': 'Finished: exit status {status} ({meaning}).',
  'status.finishedWithDiagnostic': 'Finished: exit status {status} ({meaning}). The diagnostic is shown below.',
  'status.notSent': 'Not sent: {reason}.',
  'status.meaning.0': 'normal end',
  'status.meaning.1': 'working memory could not be had',
  'status.meaning.2': 'run error',
  'status.meaning.4': 'failure while reporting a failure',
  'status.meaning.95': 'processor fault',
  'status.meaning.other': 'abnormal end',

  // structure
  'structure.summary': 'Start from a structure: type a SMILES or draw the molecule',
  'structure.smiles': 'SMILES',
  'structure.read': 'Read',
  'structure.table': 'Heteroatom parameters',
  'structure.table.streitwieser': 'Streitwieser (1961)',
  'structure.table.van-catledge': 'Van-Catledge (1980), as in Rauk',
  'structure.name': 'Compound name',
  'structure.editor': 'Molecule editor',
  'structure.drawing': 'The π system with its atom numbers',
  'structure.renumber': 'Renumber the atoms',
  'structure.renumberCancel': 'Stop renumbering',
  'structure.renumberHint':
    'Choose the atom to be number {next} of {count} (click it, or Tab to it and press Enter; Escape stops).',
  'structure.answers': 'Answers for the program (you can edit them before they run)',
  'structure.run': 'Run these answers',
  'structure.copyLink': 'Copy link',
  'structure.link': 'Link to this run',
  'structure.atom.numbered': 'Atom {number}, {element}',
  'structure.atom.unnumbered': 'Atom without a number yet, {element}',
  'structure.kind.carbon': 'carbon',
  'structure.kind.carbocation': 'carbocation carbon (empty p orbital)',
  'structure.kind.carbanion': 'carbanion carbon (filled p orbital)',
  'structure.kind.carbon-radical': 'radical carbon (one electron)',
  'structure.kind.n-pyridine': 'nitrogen with one π electron (pyridine type)',
  'structure.kind.n-pyrrole': 'nitrogen with two π electrons (pyrrole or aniline type)',
  'structure.kind.n-plus': 'positive nitrogen N⁺ (pyridinium type)',
  'structure.kind.o-carbonyl': 'oxygen with one π electron (carbonyl)',
  'structure.kind.o-ether': 'oxygen with two π electrons (furan, ether or hydroxyl)',
  'structure.kind.o-plus': 'positive oxygen O⁺ (pyrylium type)',
  'structure.kind.s-thione': 'sulfur with one π electron (thiocarbonyl)',
  'structure.kind.s-thiophene': 'sulfur with two π electrons (thiophene type)',
  'structure.kind.f': 'fluorine',
  'structure.kind.cl': 'chlorine',
  'structure.kind.br': 'bromine',
  'structure.kind.i': 'iodine',
  'structure.kind.b': 'boron (empty p orbital)',
  'structure.group.cumulene': 'a cumulated double bond (allene or ketene), whose two π bonds are at right angles',
  'structure.group.charge': 'a charge or valence the model has no kind for',
  'structure.group.nitro': 'a nitro group or N-oxide',
  'structure.group.hypervalent': 'a sulfoxide or sulfone',
  'structure.group.radical': 'a radical other than on carbon, or a carbene',
  'structure.group.element': 'an element with no Hückel parameters here',
  'structure.refusal.molfile-unreadable': 'The molfile could not be read.',
  'structure.refusal.smiles-unreadable': 'This SMILES cannot be read: the problem is at character {position}.',
  'structure.refusal.smiles-unreadable-somewhere': 'This SMILES cannot be read.',
  'structure.refusal.no-pi':
    'This molecule has no π system: no double or triple bond, aromatic ring, or charged or radical carbon next to one.',
  'structure.refusal.too-many': 'The π system has {count} atoms; the program takes at most {limit}.',
  'structure.refusal.kind-missing':
    'The {table} parameters have no values for π atom {number}, {kind}. Choose the other set, or change the molecule.',
  'structure.refusal.bond-missing':
    'The {table} parameters have no value for the bond between atoms {i} and {j} ({first} and {second}).',
  'structure.refusal.group':
    'Atom {index} ({symbol}) is part of {group}, which the simple Hückel model here does not describe.',
  'structure.refusal.unknown-table': 'There is no such set of parameters.',
  'structure.refusal.name-unencodable':
    'The name holds “{character}”, which Shift_JIS (code page 932) cannot write. Change the name.',
  'structure.refusal.answers-unencodable':
    'The answers hold “{character}”, which Shift_JIS (code page 932) cannot write.',
  'structure.refusal.link-too-long': 'This link is too long (more than {limit} characters after “#”); nothing was run.',
  'structure.refusal.link-malformed':
    'This link is broken: its part after “#” is not answers or a structure this page wrote. Nothing was run.',
  'structure.refusal.link-unknown-table':
    'This link names a set of parameters this page does not have. Nothing was run.',
  'structure.refusal.link-order': 'The numbering in this link does not fit its molecule. Nothing was run.',
  'structure.note.system': 'π system: {atoms} atoms, {bonds} bonds, {electrons} π electrons.',
  'structure.note.atom': 'Atom {number}: {kind}; π electrons: {electrons}; h = {h} ({sources}).',
  'structure.note.bond': 'Bond {i}–{j}: k = {k} ({sources}).',
  'structure.note.left.hydrogen': 'Left out: {count} hydrogen atoms drawn as atoms.',
  'structure.note.left.saturated': 'Left out: {count} saturated atoms (no p orbital).',
  'structure.note.left.not-conjugated': 'Left out: {count} atoms not joined to the π system.',
  'structure.note.hydrogens': 'Hydrogens ({count}) are not part of the π system.',
  'structure.note.components': 'The π system is {count} separate pieces, solved together.',
  'structure.source.carbon': 'carbon: h = 0 by definition',
  'structure.source.streitwieser-1961':
    'A. Streitwieser, Molecular Orbital Theory for Organic Chemists, Wiley 1961, p. 135',
  'structure.source.coulson': 'checked against the coulson Python package’s parameter tables',
  'structure.source.shokhirev': 'checked against N. V. Shokhirev and F. A. Walker’s HMO parameter table (2003)',
  'structure.source.van-catledge-1980':
    'F. A. Van-Catledge, J. Org. Chem. 45, 4801 (1980), as tabulated in A. Rauk, Orbital Interaction Theory of Organic Chemistry',
  'structure.source.moha-rauk': 'checked against the theochem/ModelHamiltonian copy of Rauk’s table',
  // levels
  'pictures.title': 'Pictures of the result',
  'levels.title': 'Energy levels',
  'levels.energy': 'E',
  'levels.alpha': 'α',
  'levels.x': 'x = {x}',
  'levels.homo': 'HOMO',
  'levels.lumo': 'LUMO',
  'levels.somo': 'SOMO',
  'levels.gap': 'gap {gap}|β|',
  'levels.orbitalLabel': 'Orbital {number}: x = {x}, electrons: {electrons}',
  'levels.explain':
    'E = α + xβ with β < 0, so the most bonding level is at the bottom. Arrows are the electrons. ' +
    'Choose a level (click, or Tab and Enter) to draw its orbital.',
  'levels.partlyFilled': 'The highest occupied level ({mark}) is only partly filled, so there is no HOMO–LUMO gap.',
  'levels.saveSvg': 'Save diagram (SVG)',
  'levels.savePng': 'Save diagram (PNG)',
  'problem.no-atoms': 'No pictures: the block has no atoms.',
  'problem.electron-count':
    'No pictures: {electrons} electrons cannot be placed in {atoms} orbitals; ' +
    'the number of electrons must lie between 0 and {most}.',
  'problem.not-finite':
    'No pictures: some roots or coefficients are not finite (+Inf, -Inf or NaN), ' + 'so the table holds no solution.',
  'problem.not-converged':
    'No pictures: the iteration stopped without converging (see the warning on ' +
    'standard error), so the roots and coefficients are not a solution.',

  // orbital
  'orbital.title': 'Orbital on the molecule',
  'orbital.heading': 'ψ{number}: E = {energy}, electrons: {electrons}',
  'orbital.energyPlus': 'α + {x}β',
  'orbital.energyMinus': 'α − {x}β',
  'orbital.legend':
    'Circle area ∝ coefficient squared; filled: positive coefficient, hollow: negative. ' +
    'Atoms are numbered as in the table.',
  'orbital.previous': 'Previous orbital',
  'orbital.next': 'Next orbital',
  'orbital.all': 'All orbitals at once',
  'orbital.saveSvg': 'Save orbital (SVG)',
  'orbital.savePng': 'Save orbital (PNG)',
  'orbital.layingOut': 'Laying out the molecule…',
  'molecule.heteroAtom': '{number} (h = {h})',
  'molecule.heteroH': 'h = {h}',

  // properties
  'properties.title': 'π-electron properties',
  'properties.quantity': 'Quantity',
  'properties.bondAtoms': '{i}–{j}',
  'properties.atoms': 'Atoms',
  'properties.value': 'Value',
  'properties.unit': 'Unit',
  'properties.piEnergy': 'π-electron energy E_π',
  'properties.piEnergyValue': '{electrons}α + {beta}β',
  'properties.delocalisation': 'Delocalisation energy E_π − E_π(isolated double bonds)',
  'properties.gap': 'HOMO–LUMO gap',
  'properties.density': 'π-electron density q_r',
  'properties.bondOrder': 'π bond order p_rs',
  'properties.freeValence': 'Free valence F_r = √3 − Σ p_rs',
  'properties.unitBeta': 'β',
  'properties.unitAbsBeta': '|β|',
  'properties.unitElectrons': 'electrons',
  'properties.unitNone': '—',
  'properties.noDelocalisation':
    'No delocalisation energy is given: it needs a hydrocarbon with a Kekulé ' +
    'structure and one π electron on each carbon.',
  'properties.noGap':
    'No HOMO–LUMO gap is given: the highest occupied level is only partly filled, or there is no empty level.',
  'properties.shared':
    'In a degenerate set that is only partly filled, its electrons are shared evenly among its ' +
    'orbitals for these sums, so that no value depends on the arbitrary coefficients inside the set.',
  'properties.drawing': 'Densities q_r at the atoms, bond orders p_rs on the bonds',
  'properties.netCharge': 'Net π charge (π electrons the atom brings − q_r)',
  'properties.unitCharge': 'e',
  'properties.saveCsv': 'Save properties (CSV)',
  'reactivity.title': 'Where it reacts',
  'reactivity.choose': 'Index',
  'reactivity.computing':
    'Computing the indices (the localisation energies take one run of the program for each atom)…',
  'reactivity.legend':
    'Each circle’s area goes with the size of the value at that atom, hollow where it is negative; ' +
    'the value stands beside the atom. A dashed ring marks the most reactive atoms: the largest f or S, ' +
    'the smallest L, among atoms bonded to fewer than three π atoms.',
  'reactivity.drawing': '{name} at the atoms',
  'reactivity.formula': 'Definition: {formula}',
  'reactivity.unit': 'Unit: {unit}',
  'reactivity.source': 'Source: {source}',
  'reactivity.siteLargest': 'Most reactive by {name} (largest value): {atoms}, {value} {unit}.',
  'reactivity.siteSmallest': 'Most reactive by {name} (smallest value): {atoms}, {value} {unit}.',
  'reactivity.oneAtom': 'atom {atoms}',
  'reactivity.manyAtoms': 'atoms {atoms}',
  'reactivity.noSite': 'No atom that can take a substituent has a value of {name}.',
  'reactivity.someAtoms':
    '{name} is not defined at the atoms marked —: what is left without them cannot hold that many electrons.',
  'reactivity.name.frontier_e': 'Frontier density f_E (electrophilic attack)',
  'reactivity.name.frontier_n': 'Frontier density f_N (nucleophilic attack)',
  'reactivity.name.frontier_r': 'Frontier density f_R (radical attack)',
  'reactivity.name.superdeloc_e': 'Superdelocalisability S_E (electrophilic)',
  'reactivity.name.superdeloc_n': 'Superdelocalisability S_N (nucleophilic)',
  'reactivity.name.superdeloc_r': 'Superdelocalisability S_R (radical)',
  'reactivity.name.localisation_plus': 'Localisation energy L⁺ (electrophilic)',
  'reactivity.name.localisation_radical': 'Localisation energy L· (radical)',
  'reactivity.name.localisation_minus': 'Localisation energy L⁻ (nucleophilic)',
  'reactivity.formula.frontier_e': 'f_E(r) = (2/|H|) Σ_{j∈H} c_rj², H the highest set that holds electrons',
  'reactivity.formula.frontier_n': 'f_N(r) = (2/|L|) Σ_{j∈L} c_rj², L the lowest set with room left',
  'reactivity.formula.frontier_r': 'f_R(r) = (f_E(r) + f_N(r))/2',
  'reactivity.formula.superdeloc_e': 'S_E(r) = Σ_j n_j c_rj² / x_j over the orbitals that hold electrons',
  'reactivity.formula.superdeloc_n': 'S_N(r) = Σ_k (2 − n_k) c_rk² / (−x_k) over the orbitals with room',
  'reactivity.formula.superdeloc_r': 'S_R(r) = (S_E(r) + S_N(r))/2',
  'reactivity.formula.localisation_plus': 'L⁺(r) = X(molecule, N) − X(without atom r, N − 2), X = Σ n_j x_j',
  'reactivity.formula.localisation_radical': 'L·(r) = X(molecule, N) − X(without atom r, N − 1), X = Σ n_j x_j',
  'reactivity.formula.localisation_minus': 'L⁻(r) = X(molecule, N) − X(without atom r, N), X = Σ n_j x_j',
  'reactivity.unit.frontier': 'electrons',
  'reactivity.unit.superdeloc': '1/|β|',
  'reactivity.unit.localisation': '|β|',
  'reactivity.source.frontier': 'K. Fukui, T. Yonezawa, H. Shingu, J. Chem. Phys. 20, 722 (1952)',
  'reactivity.source.superdeloc': 'K. Fukui, T. Yonezawa, C. Nagata, Bull. Chem. Soc. Jpn. 27, 423 (1954)',
  'reactivity.source.localisation':
    'G. W. Wheland, J. Am. Chem. Soc. 64, 900 (1942); the levels without atom r ' +
    'come from the program, run on answers with that atom deleted and every other h and k kept',
  'reactivity.reason.no-electrons': '{name} is not defined: no orbital holds electrons.',
  'reactivity.reason.no-room': '{name} is not defined: every orbital is full.',
  'reactivity.reason.non-bonding':
    '{name} is not defined: it weights orbital {orbitals}, which is non-bonding (x = 0).',
  'reactivity.reason.electron-count':
    '{name} is not defined at any atom: what is left without the atom cannot hold that many electrons.',
  'reactivity.polarisability.title': 'Atom–atom polarisabilities π_rs = ∂q_r/∂h_s',
  'reactivity.polarisability.legend':
    'π_rs = 4 Σ_{j occupied} Σ_{k empty} c_rj c_sj c_rk c_sk / (x_j − x_k), in units of 1/β ' +
    '(β < 0, so π_rr > 0); C. A. Coulson, H. C. Longuet-Higgins, Proc. R. Soc. A 191, 39 (1947). ' +
    'The more a cell stands out from the background, the larger the value’s size; a dashed frame marks a negative value. ' +
    'Focus or point at a cell for its value.',
  'reactivity.polarisability.cell': 'π_{r},{s} = {value} (1/β)',
  'reactivity.polarisability.openShell':
    'The polarisabilities are given for closed shells only, where every level is full or empty; ' +
    'this molecule’s highest occupied level is partly filled.',
  'change.title': 'What a change of h or k does to the levels',
  'change.explain':
    'Choose an atom (its h) or a bond (its k) and set a new value: the program runs the changed answers, ' +
    'and the diagram joins each old level to the new one in the order the runs give them. Beside each new level ' +
    'stands its first-order estimate from the old coefficients, δx_j ≈ c_rj² δh or 2 c_rj c_sj δk, with its error.',
  'change.target': 'Change',
  'change.value': 'New value',
  'change.atom': 'h of atom {number} (now {h})',
  'change.bond': 'k of bond {i}–{j} (now {k})',
  'change.before': 'before',
  'change.after': 'after',
  'change.heading': 'Levels before and after the change',
  'change.level': 'x = {x} (first order {estimate}, error {error})',
  'change.levelOnly': 'x = {x}',
  'change.degenerate':
    'First-order estimates inside a degenerate set are not defined: a set that splits is drawn as the run gives it.',
  'change.failed': 'The program gave no converged levels for the changed answers.',
  'change.save': 'Save changed answers',
  'change.run': 'Run changed answers in the console',
};
