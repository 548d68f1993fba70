#!/usr/bin/env bash
# Installs every Debian 12 package that building, running and testing Tovarin
# needs, and generates the comma-decimal locale the locale tests run under.
# Idempotent and quiet when everything is present; uses sudo only when not root.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config make
    clang libclang-rt-14-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libcminpack-dev
    qt6-base-dev qt6-qpa-plugins libgl-dev fonts-dejavu-core
    locales desktop-file-utils
)
# Locale with a comma as decimal separator, for the C-locale guard tests.
test_locale=de_DE.UTF-8

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    echo "Generating locale $test_locale"
    as_root localedef -i de_DE -f UTF-8 "$test_locale"
fi
