# Shared by the tests that drive the real program on a virtual X display: source it.

# Prints the id of the first visible window named exactly $1 (a regular expression), waiting
# up to ten seconds for it.
wait_for_window() {
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "no window named '$1' appeared" >&2
  return 1
}

# Gives the window $1 the keyboard (no window manager runs here), then types keys $2….
type_into() {
  local window="$1"; shift
  # Once the window has the focus, the keys reach it after the focus does.
  xdotool windowfocus --sync "$window"
  xdotool key "$@"
}

fail() { echo "FAILED: $*" >&2; exit 1; }
