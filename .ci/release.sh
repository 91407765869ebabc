#!/usr/bin/env bash
# The release leg of continuous integration: the manual pages, English and
# Japanese, render with no warning under an English and a Japanese locale,
# and their Markdown renderings in docs/ are up to date; `cmake
# --install` gives the documented layout; the Debian package is built, with
# the batch tool (made first by the WebAssembly build), unpacked into a
# scratch folder (never installed on this machine, where later runs would
# find it on PATH), its program and its batch tool write the expected
# reports and lintian finds neither error nor warning; the ZIP of the Windows
# program holds what it should, its texts with CR LF line ends; the ZIP of
# the web page, unpacked into an empty folder and served, runs an example in
# headless Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
export CI=true DEBIAN_FRONTEND=noninteractive

packages=(g++ cmake ninja-build dpkg-dev file lintian groff-base man-db pandoc unzip locales g++-mingw-w64-i686-posix)
# The batch tool in the package is built by the WebAssembly toolchain, with
# the chemistry library that npm installs.
packages+=(clang-14 lld-14 llvm-14 wasi-libc libc++-14-dev-wasm32 libc++abi-14-dev-wasm32 libclang-rt-14-dev-wasm32)
# The page's ZIP is tried in Debian's Chromium, through chromedriver.
packages+=(chromium chromium-driver python3-selenium)
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)
bash .ci/install-missing.sh "${packages[@]}"
# The pages are read under a Japanese locale as well: generate it unless
# the system has it.
locale -a | grep -qix 'ja_JP\.utf-\?8' || localedef -i ja_JP -f UTF-8 ja_JP.UTF-8

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
  echo "release: $*" >&2
  exit 1
}

# Runs a program on every answer file in a folder and compares standard
# output, standard error and exit status with the expected results.
check_examples() {
  local program=$1 folder=$2 answers name status
  for answers in "$folder"/*.txt; do
    name=$(basename "$answers" .txt)
    status=0
    "$program" <"$answers" >"$scratch/stdout" 2>"$scratch/stderr" || status=$?
    cmp "$scratch/stdout" "tests/e2e/examples/$name/stdout" || fail "$program $answers: standard output differs"
    cmp "$scratch/stderr" "tests/e2e/examples/$name/stderr" || fail "$program $answers: standard error differs"
    [[ $status == "$(cat "tests/e2e/examples/$name/status")" ]] || fail "$program $answers: exit status $status"
  done
  echo "$(ls "$folder"/*.txt | wc -l) examples from $folder: identical"
}

# Fails unless the files under a folder are exactly those listed, one a
# line, on standard input.
check_files() {
  local folder=$1 what=$2
  sort >"$scratch/expected-files"
  (cd "$folder" && find . -type f -o -type l | sed 's|^\./||' | sort) >"$scratch/found-files"
  diff "$scratch/expected-files" "$scratch/found-files" || fail "$what: unexpected contents"
}

# Fails unless the page renders with neither groff nor man warning under
# an English and a Japanese locale, man at 80 columns and a Japanese page
# at other widths as well; leaves the page as man shows it at 80 columns
# under C.UTF-8 in $scratch/page.
check_page() {
  local page=$1 locale width widths=80
  [[ $page == */ja/* ]] && widths="40 132 80"
  : >"$scratch/warnings"
  for locale in ja_JP.UTF-8 C.UTF-8; do
    LC_ALL=$locale groff -k -Tutf8 -ww -z -man "$page" 2>>"$scratch/warnings"
    for width in $widths; do
      LC_ALL=$locale MANWIDTH=$width man --warnings -l "$page" >"$scratch/page" 2>>"$scratch/warnings"
    done
  done
  if [[ -s $scratch/warnings ]]; then
    cat "$scratch/warnings" >&2
    fail "$page: warnings"
  fi
  [[ -s $scratch/page ]] || fail "$page: man shows nothing"
}

echo "== the batch tool, for the package"
npm ci --no-audit --no-fund
cmake --preset web
cmake --build --preset web --target batch
batch=$PWD/build-web/orbcalc-batch

echo "== release build"
cmake --preset release -DORBCALC_BATCH_DIR="$batch"
cmake --build --preset release
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-release/CMakeCache.txt)
echo "version $version"
grep -q "^## \[$version\] - " CHANGELOG.md || fail "CHANGELOG.md has no entry for $version"

echo "== manual pages"
# Each page as the build made it, with its version; a page whose program
# this build does not have is checked from its source.
for source in man/*.1.in man/ja/*.1.in; do
  name=${source#man/}
  name=${name%.in}
  if [[ -f build-release/release/man/$name ]]; then
    check_page "build-release/release/man/$name"
    grep -q "orbcalc $version" "$scratch/page" || fail "$name does not show version $version"
  else
    check_page "$source"
  fi
  echo "$name: no warning"
done
# The Markdown in docs/ is the pages' own rendering, made afresh here.
man/render-markdown.sh "$scratch/markdown"
(cd "$scratch/markdown" && find . -name '*.md' | sort) >"$scratch/rendered"
(cd docs && find . -name '*.1.md' | sort) | diff "$scratch/rendered" - || fail "docs/ holds other renderings than man/ has pages"
while read -r rendered; do
  cmp "$scratch/markdown/$rendered" "docs/$rendered" ||
    fail "docs/${rendered#./} is not the rendering of its page: run man/render-markdown.sh"
done <"$scratch/rendered"
echo "docs/*.1.md, docs/ja/*.1.md: the rendering of the pages"

echo "== install"
cmake --install build-release --prefix "$scratch/prefix"
{
  for page in build-release/release/man/*.1; do
    echo "bin/$(basename "$page" .1)"
    echo "share/man/man1/$(basename "$page")"
    echo "share/man/ja/man1/$(basename "$page")"
  done
  for file in README.md README.ja.md LICENSE CHANGELOG.md; do
    echo "share/doc/orbcalc/$file"
  done
  for answers in examples/*.txt; do
    echo "share/doc/orbcalc/examples/$(basename "$answers")"
  done
  (cd "$batch" && find . -type f | sed 's|^\./|share/orbcalc/|')
} | check_files "$scratch/prefix" "cmake --install"
check_examples "$scratch/prefix/bin/orbcalc" "$scratch/prefix/share/doc/orbcalc/examples"

echo "== Debian package"
cpack --preset deb
deb=build-release/packages/orbcalc_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || fail "no $deb"
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"
[[ $(dpkg-deb --field "$deb" Version) == "$version" ]] || fail "$deb: version is not $version"
[[ $(dpkg-deb --field "$deb" Section) == science ]] || fail "$deb: section is not science"
dpkg-deb --field "$deb" Depends | grep -q libc6 || fail "$deb: no dependencies from dpkg-shlibdeps"
dpkg -x "$deb" "$scratch/deb"
file "$scratch/deb/usr/bin/orbcalc" | grep -q 'dynamically linked.*, stripped' ||
  fail "the packaged orbcalc is not a stripped, dynamically linked program"
gzip -dc "$scratch/deb/usr/share/doc/orbcalc/changelog.gz" >"$scratch/changelog"
[[ $(dpkg-parsechangelog -l "$scratch/changelog" -S Version) == "$version" ]] || fail "changelog.gz does not begin with $version"
for page in "$scratch"/deb/usr/share/man/man1/*.1.gz; do
  for folder in man1 ja/man1; do
    mkdir -p "$scratch/pages/$folder"
    gzip -dc "$scratch/deb/usr/share/man/$folder/$(basename "$page")" >"$scratch/pages/$folder/$(basename "$page" .gz)"
    check_page "$scratch/pages/$folder/$(basename "$page" .gz)"
  done
done
[[ $(ls "$scratch"/deb/usr/share/man/ja/man1 | wc -l) == $(ls "$scratch"/deb/usr/share/man/man1 | wc -l) ]] ||
  fail "$deb: not every Japanese page has its English page"
[[ -f $scratch/deb/usr/share/doc/orbcalc/README.ja.md ]] || fail "$deb: no README.ja.md"
check_examples "$scratch/deb/usr/bin/orbcalc" "$scratch/deb/usr/share/doc/orbcalc/examples"
dpkg-deb --field "$deb" Depends | grep -q nodejs || fail "$deb: does not depend on nodejs"
# The packaged batch tool keeps each example's console output, which must
# be the program's own.
"$scratch/deb/usr/bin/orbcalc-batch" --outputs "$scratch/batch" "$scratch"/deb/usr/share/doc/orbcalc/examples/*.txt >/dev/null
for answers in examples/*.txt; do
  name=$(basename "$answers" .txt)
  cmp "$scratch/batch/$name.out" "tests/e2e/examples/$name/stdout" || fail "orbcalc-batch: $name.out differs"
done
echo "orbcalc-batch from the package: every example's output identical"
lintian --fail-on error,warning --display-info "$deb"
echo "lintian: no error, no warning"

echo "== Windows ZIP"
cmake --workflow --preset windows-zip
zip=build-release-windows/packages/orbcalc-$version-win32.zip
[[ -f $zip ]] || fail "no $zip"
unzip -l "$zip"
unzip -q -d "$scratch/zip" "$zip"
top=$scratch/zip/orbcalc-$version-win32
{
  printf '%s\n' orbcalc.exe README.md README.ja.md LICENSE CHANGELOG.md
  for answers in examples/*.txt; do
    echo "examples/$(basename "$answers")"
  done
} | check_files "$top" "$zip"
file "$top/orbcalc.exe" | grep -q 'PE32 executable (console) Intel 80386' || fail "orbcalc.exe is not a 32-bit console program"
# Every text line ends with CR LF, and without the CRs the text is the
# repository's.
for text in README.md README.ja.md LICENSE CHANGELOG.md examples/*.txt; do
  if grep -q $'[^\r]$\|^$' "$top/$text"; then
    fail "$text: a line without CR LF"
  fi
  sed 's/\r$//' "$top/$text" | cmp - "$text" || fail "$text differs from the repository's"
done
echo "texts: CR LF line ends"
# Answer files with CR LF give the same reports.
check_examples "$scratch/deb/usr/bin/orbcalc" "$top/examples"

echo "== the web page's ZIP"
cmake --build --preset web --target page-zip
page_zip=build-web/packages/orbcalc-page-$version.zip
[[ -f $page_zip ]] || fail "no $page_zip"
unzip -l "$page_zip"
mkdir "$scratch/served"
unzip -q -d "$scratch/served" "$page_zip"
{
  (cd build-web/page && find . -type f | sed 's|^\./||')
  printf '%s\n' README.md LICENSE
} | check_files "$scratch/served/orbcalc-page-$version" "$page_zip"
# Served from the folder above, as a folder of a larger site.
/usr/bin/python3 tests/web/browser/unpacked_page_test.py "$scratch/served" "$PWD" "$scratch/screenshots"
echo "$page_zip: the page, its README and licence; unpacked and served, it runs an example"
