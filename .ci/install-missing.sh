#!/usr/bin/env bash
# Installs those of the Debian packages named as arguments that are not
# installed yet, with no recommended extras; a package of another
# architecture (name:i386) brings that architecture in first.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive

missing=()
for package in "$@"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
((${#missing[@]} > 0)) || exit 0
for package in "${missing[@]}"; do
  if [[ $package == *:* ]]; then
    architecture=${package#*:}
    dpkg --print-foreign-architectures | grep -qx "$architecture" || dpkg --add-architecture "$architecture"
  fi
done
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
