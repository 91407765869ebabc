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
};
