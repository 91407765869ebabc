#!/usr/bin/env bash
# Measures how well the page's node tests catch faults in its program and
# chemistry modules: StrykerJS changes them one expression at a time
# (stryker.config.mjs says which files and which tests) and counts the
# changes no test notices. A measurement, not a check: continuous
# integration does not run it, and it takes the better part of an hour.
#
# Usage: scripts/mutate_page.sh [STRYKER OPTION...]
#   e.g. scripts/mutate_page.sh --concurrency 1
#        scripts/mutate_page.sh --mutate web/chemistry/molecule.js
#
# Needs node 20 or later and the packages of `npm ci`. The score and every
# surviving change are printed at the end; the full report is
# reports/mutation/page.html (and page.json).
set -euo pipefail
cd "$(dirname "$0")/.."
[[ -x node_modules/.bin/stryker ]] || { echo "run npm ci first" >&2; exit 2; }
exec node_modules/.bin/stryker run stryker.config.mjs "$@"
