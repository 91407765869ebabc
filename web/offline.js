// Keeps the page for use without network: registers the service worker
// (sw.js, made by the build beside this module), which holds the whole
// page folder in the browser after the first visit.
//
// Browsers without service workers, and pages that are not a secure
// context (plain http from another machine's address), go on without it:
// the page works as before, only not offline.
export function keepForOffline() {
  if (!('serviceWorker' in navigator) || !window.isSecureContext) return;
  navigator.serviceWorker.register('sw.js').catch((error) => console.warn(error));
}
