// The page's words in English. Every key here stands in ja.js too.
export default {
  // page
  'page.title': 'orbcalc: Hückel molecular orbitals',
  'page.heading': 'orbcalc',
  'page.intro': 'Simple Hückel molecular-orbital calculator: the console program itself, run in this page. ' +
                'Answer its questions below, or run an answer file.',
  'page.footer': 'Output is shown as a Shift_JIS terminal shows it; “Save output” gives its exact bytes ' +
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
  'status.loadFailed': 'The program could not be loaded ({reason}). Open this page through a web server, ' +
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
  'levels.explain': 'E = α + xβ with β < 0, so the most bonding level is at the bottom. Arrows are the electrons. ' +
                    'Choose a level (click, or Tab and Enter) to draw its orbital.',
  'levels.partlyFilled': 'The highest occupied level ({mark}) is only partly filled, so there is no HOMO–LUMO gap.',
  'levels.saveSvg': 'Save diagram (SVG)',
  'levels.savePng': 'Save diagram (PNG)',
  'problem.no-atoms': 'No pictures: the block has no atoms.',
  'problem.electron-count': 'No pictures: {electrons} electrons cannot be placed in {atoms} orbitals; ' +
                            'the number of electrons must lie between 0 and {most}.',
  'problem.not-finite': 'No pictures: some roots or coefficients are not finite (+Inf, -Inf or NaN), ' +
                        'so the table holds no solution.',
  'problem.not-converged': 'No pictures: the iteration stopped without converging (see the warning on ' +
                           'standard error), so the roots and coefficients are not a solution.',

  // orbital
  'orbital.title': 'Orbital on the molecule',
  'orbital.heading': 'ψ{number}: E = {energy}, electrons: {electrons}',
  'orbital.energyPlus': 'α + {x}β',
  'orbital.energyMinus': 'α − {x}β',
  'orbital.legend': 'Circle area ∝ coefficient squared; filled: positive coefficient, hollow: negative. ' +
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
  'properties.noDelocalisation': 'No delocalisation energy is given: it needs a hydrocarbon with a Kekulé ' +
                                 'structure and one π electron on each carbon.',
  'properties.noGap': 'No HOMO–LUMO gap is given: the highest occupied level is only partly filled, or there is no empty level.',
  'properties.shared': 'In a degenerate set that is only partly filled, its electrons are shared evenly among its ' +
                       'orbitals for these sums, so that no value depends on the arbitrary coefficients inside the set.',
  'properties.drawing': 'Densities q_r at the atoms, bond orders p_rs on the bonds',
  'properties.saveCsv': 'Save properties (CSV)',
};
