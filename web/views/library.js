// The chemistry library shipped in the page's folder, loaded the first
// time something needs it (never at page load: it is most of the page's
// bytes).

let library = null;

export function loadLibrary() {
  library ??= import('../vendor/openchemlib.js').then((module) => module.default);
  return library;
}
