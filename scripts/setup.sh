# Shared by the scripts: installs the Debian packages and locales that are missing (as root),
# or prints the one command root must run, then configures and builds quietly: nothing is
# printed when the build is up to date, one line when it builds, and the end of the build
# log only when something fails.
# Usage: source it, then call orbisk_prepare PACKAGE... [--locales NAME...] once, then
# orbisk_build BUILD_DIR [CMAKE_OPTION...] for each build.

orbisk_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# What every build needs: compiler, CMake, Qt 6 Widgets, its French translations, and a
# font for the window.
ORBISK_BUILD_PACKAGES=(cmake make g++ qt6-base-dev qt6-translations-l10n fonts-dejavu-core)
# What orbisk-link, the piece that talks to a calculator over its cable, is built on (the
# link libraries' pkg-config file needs libusb's, which its package does not pull in).
ORBISK_LINK_PACKAGES=(pkg-config libticalcs-dev libticables-dev libusb-1.0-0-dev)

orbisk_announced=0
# Says once per script that work is being done, so a long first run is not silent.
orbisk_announce() {
  [ "$orbisk_announced" -eq 1 ] && return 0
  orbisk_announced=1
  echo "Building Orbisk…" >&2
}

# Prints the last lines of a log after a failed step, under one line saying what failed.
orbisk_show_failure() {
  echo "$1 failed; the end of $2:" >&2
  tail -n 40 "$2" >&2
}

# The given packages that are not installed, each once, in the order given.
orbisk_missing_packages() {
  local package
  local -A seen=()
  for package in "$@"; do
    [ -n "${seen[$package]:-}" ] && continue
    seen[$package]=1
    dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$' \
      || echo "$package"
  done
}

# The given locales (such as fr_FR) that have no UTF-8 variant yet.
orbisk_missing_locales() {
  local name
  for name in "$@"; do
    locale -a 2>/dev/null | grep -qix "$name.utf-\?8" || echo "$name"
  done
}

# Installs what is missing as root; otherwise prints one command that root can run as it
# stands (package lists refreshed first, since a fresh container has none) and fails.
orbisk_prepare() {
  local packages=() locales=()
  while [ "$#" -gt 0 ] && [ "$1" != "--locales" ]; do packages+=("$1"); shift; done
  [ "${1:-}" = "--locales" ] && shift && locales=("$@")
  local missing_packages missing_locales
  mapfile -t missing_packages < <(orbisk_missing_packages "${packages[@]}")
  mapfile -t missing_locales < <(orbisk_missing_locales "${locales[@]}")
  [ "${#missing_packages[@]}" -eq 0 ] && [ "${#missing_locales[@]}" -eq 0 ] && return 0

  local steps=() name
  if [ "${#missing_packages[@]}" -gt 0 ]; then
    steps+=("apt-get update" "apt-get install --no-install-recommends ${missing_packages[*]}")
  fi
  for name in "${missing_locales[@]}"; do steps+=("localedef -i $name -f UTF-8 $name.UTF-8"); done
  if [ "$(id -u)" -ne 0 ]; then
    local command="${steps[0]}" step
    for step in "${steps[@]:1}"; do command+=" && $step"; done
    echo "Some Debian packages or locales that Orbisk needs are missing. As root, run:" >&2
    echo "  $command" >&2
    return 1
  fi

  orbisk_announce
  local log="${TMPDIR:-/tmp}/orbisk-install.log"
  if [ "${#missing_packages[@]}" -gt 0 ]; then
    if ! { DEBIAN_FRONTEND=noninteractive apt-get update -q &&
           DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
             "${missing_packages[@]}"; } >"$log" 2>&1; then
      orbisk_show_failure "Installing ${missing_packages[*]}" "$log"
      return 1
    fi
  fi
  for name in "${missing_locales[@]}"; do
    if ! localedef -i "$name" -f UTF-8 "$name.UTF-8" >"$log" 2>&1; then
      orbisk_show_failure "Generating the locale $name.UTF-8" "$log"
      return 1
    fi
  done
}

# Whether any file of the project is newer than the build's stamp of its last success.
orbisk_sources_changed() {
  local stamp="$1/.orbisk-built"
  [ -f "$stamp" ] || return 0
  [ -n "$(find "$orbisk_root" \( -path "$orbisk_root/build" -o -path "$orbisk_root/.git" \) \
            -prune -o -newer "$stamp" -print -quit)" ]
}

# Configures and builds BUILD_DIR with the given CMake options, printing nothing unless it
# has work to do. Its log is BUILD_DIR/build.log.
orbisk_build() {
  local build_dir="$1"; shift
  local options_file="$build_dir/.orbisk-options"
  if ! orbisk_sources_changed "$build_dir" && [ "$(cat "$options_file" 2>/dev/null)" = "$*" ]; then
    return 0
  fi
  orbisk_announce
  mkdir -p "$build_dir"
  # Stamped with the time the build started, so a file saved during the build counts as new.
  touch "$build_dir/.orbisk-building"
  local log="$build_dir/build.log"
  if ! { cmake -S "$orbisk_root" -B "$build_dir" "$@" &&
         cmake --build "$build_dir" --parallel "$(nproc)"; } >"$log" 2>&1; then
    orbisk_show_failure "Building Orbisk in $build_dir" "$log"
    return 1
  fi
  echo "$*" >"$options_file"
  mv "$build_dir/.orbisk-building" "$build_dir/.orbisk-built"
}

# Builds the libFuzzer targets with clang, sanitizers on, in the given folder.
orbisk_build_fuzzers() {
  CC=clang CXX=clang++ orbisk_build "$1" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORBISK_BUILD_GUI=OFF -DORBISK_BUILD_TESTS=OFF -DORBISK_BUILD_FUZZERS=ON \
    -DORBISK_WARNINGS_AS_ERRORS=ON \
    "-DCMAKE_CXX_FLAGS=-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all"
}
