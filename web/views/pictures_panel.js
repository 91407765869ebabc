// The pictures of a finished run, connected together: the level diagram,
// the orbital on the molecule, the properties, where the molecule reacts
// and what a change does. The page loads this module, and all it imports,
// the first time a run has a table to draw.

import { connectChange } from './change_view.js';
import { connectLevels } from './levels_view.js';
import { connectOrbital } from './orbital_view.js';
import { connectPictures } from './pictures.js';
import { connectProperties } from './properties_view.js';
import { connectReactivity } from './reactivity_view.js';

// `root` the document; `session` the page's state; `run(bytes, name)`
// runs changed answers in the console, `save(bytes, name)` saves them;
// `loadLibrary()` gives the chemistry library.
export function connectPicturesPanel(root, session, { run, save, loadLibrary }) {
  for (const connect of [connectLevels, connectOrbital, connectProperties, connectReactivity]) connect(root, session);
  connectChange(root, session, { run, save });
  // Last: the views draw the analysis it makes of the run already shown.
  connectPictures(session, loadLibrary);
}
