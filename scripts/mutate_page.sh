#!/usr/bin/env bash
# Measures how well the page's node tests catch faults in its program and
# chemistry modules: StrykerJS changes them one expression at a time
# (stryker.config.mjs says which files, in which parts, with which tests)
# and counts the changes no test notices. A measurement, not a check:
# continuous integration does not run it, and it takes about an hour.
#
# Usage: scripts/mutate_page.sh BUILD_WEB [PART...]
#   BUILD_WEB is the web build's folder (build-web), whose orbcalc.wasm and
#   web_wasi_checks.wasm the program's tests run; the parts default to all.
#
# Needs node 20 or later and the packages of `npm ci`. Each part's score
# and every surviving change are printed as it ends, the total at the end;
# the reports are reports/mutation/PART.json.
set -euo pipefail
cd "$(dirname "$0")/.."
[[ -x node_modules/.bin/stryker ]] || { echo "run npm ci first" >&2; exit 2; }
(($# >= 1)) || { echo "usage: $0 BUILD_WEB [PART...]" >&2; exit 2; }
build=$(realpath "$1")
shift
# The modules are copied, so that a build during the measurement does not
# change them under it.
modules=$(mktemp -d)
trap 'rm -rf "$modules"' EXIT
cp "$build/page/orbcalc.wasm" "$build/web/web_wasi_checks.wasm" "$modules/"
export ORBCALC_WASM=$modules/orbcalc.wasm ORBCALC_WASI_CHECKS=$modules/web_wasi_checks.wasm
parts=("$@")
((${#parts[@]} > 0)) || parts=(code-page runner analysis structure reactivity links)
for part in "${parts[@]}"; do
  echo "== $part"
  ORBCALC_MUTATION_PART=$part node_modules/.bin/stryker run stryker.config.mjs
done
node --input-type=module - "${parts[@]}" <<'JS'
import { readFileSync } from 'node:fs';
let detected = 0, total = 0;
for (const part of process.argv.slice(2)) {
  const { files } = JSON.parse(readFileSync(`reports/mutation/${part}.json`, 'utf8'));
  for (const { mutants } of Object.values(files)) {
    const counted = mutants.filter((m) => !['CompileError', 'RuntimeError', 'Ignored'].includes(m.status));
    total += counted.length;
    detected += counted.filter((m) => ['Killed', 'Timeout'].includes(m.status)).length;
  }
}
console.log(`page mutation score: ${detected} detected of ${total} (${((100 * detected) / total).toFixed(1)}%)`);
JS
