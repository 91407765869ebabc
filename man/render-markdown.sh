#!/usr/bin/env bash
# Renders each manual page of man/ as Markdown, so that the reference reads
# on the repository's website too: docs/NAME.1.md, or NAME.1.md in the
# folder given, and each translated page man/LANGUAGE/NAME.1.in as
# docs/LANGUAGE/NAME.1.md. The pages are the one source; the Markdown is made from
# them with Debian's pandoc and never edited by hand. CI renders the pages
# afresh and fails when the committed Markdown differs.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs}
mkdir -p "$out"
for page in man/*.1.in man/*/*.1.in; do
  name=$(basename "$page" .in)
  folder=$(dirname "${page#man/}")
  target=$out/${folder#.}
  mkdir -p "$target"
  {
    echo "<!-- Made from $page by man/render-markdown.sh: edit the page, not this file. -->"
    echo
    # The examples' folder the installed page names is examples/ here.
    sed 's|@ORBCALC_EXAMPLES_DIR@|examples|g' "$page" |
      pandoc --from man --to gfm --wrap=none --lua-filter man/markdown.lua
  } >"$target/$name.md"
  if grep -n '@[A-Z_]*@' "$target/$name.md"; then
    echo "render-markdown: $page: a placeholder left in the Markdown" >&2
    exit 1
  fi
done
