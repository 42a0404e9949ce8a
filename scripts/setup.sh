# Shared by scripts/run and scripts/test: installs the Debian packages that are missing
# (as root), or prints the exact apt-get line to run, then configures and builds.
# Usage: source it, then call: orbisk_setup BUILD_DIR PACKAGE... -- CMAKE_OPTION...

orbisk_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# What every build needs: compiler, CMake, Qt 6 Widgets, its French translations, and a
# font for the window.
ORBISK_BUILD_PACKAGES=(cmake make g++ qt6-base-dev qt6-translations-l10n fonts-dejavu-core)

orbisk_missing_packages() {
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$' \
      || echo "$package"
  done
}

orbisk_install() {
  local missing
  mapfile -t missing < <(orbisk_missing_packages "$@")
  [ "${#missing[@]}" -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing Debian packages. Install them as root with:" >&2
    echo "  apt-get install --no-install-recommends ${missing[*]}" >&2
    return 1
  fi
  echo "Installing: ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Generates the given locales (such as fr_FR) in UTF-8 when they are missing.
orbisk_generate_locales() {
  local name missing=()
  for name in "$@"; do
    locale -a 2>/dev/null | grep -qix "$name.utf-\?8" || missing+=("$name")
  done
  [ "${#missing[@]}" -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing locales. Generate them as root with:" >&2
    for name in "${missing[@]}"; do echo "  localedef -i $name -f UTF-8 $name.UTF-8" >&2; done
    return 1
  fi
  for name in "${missing[@]}"; do localedef -i "$name" -f UTF-8 "$name.UTF-8"; done
}

orbisk_setup() {
  local build_dir="$1"; shift
  local packages=()
  while [ "$#" -gt 0 ] && [ "$1" != "--" ]; do packages+=("$1"); shift; done
  [ "${1:-}" = "--" ] && shift
  orbisk_install "${packages[@]}" || return 1
  cmake -S "$orbisk_root" -B "$build_dir" "$@" >/dev/null || return 1
  cmake --build "$build_dir" --parallel "$(nproc)" || return 1
}

# Builds the libFuzzer targets with clang, sanitizers on, in the given folder.
orbisk_build_fuzzers() {
  local fuzz_dir="$1"
  CC=clang CXX=clang++ cmake -S "$orbisk_root" -B "$fuzz_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORBISK_BUILD_GUI=OFF -DORBISK_BUILD_TESTS=OFF -DORBISK_BUILD_FUZZERS=ON \
    -DORBISK_WARNINGS_AS_ERRORS=ON \
    "-DCMAKE_CXX_FLAGS=-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all" \
    >/dev/null || return 1
  cmake --build "$fuzz_dir" --parallel "$(nproc)" --target fuzz_header fuzz_names >/dev/null
}
