#!/usr/bin/env bash
# On a real X server: the main window of the corvane program carries the class "corvane",
# "Corvane" (the desktop entry's StartupWMClass) and an icon (_NET_WM_ICON) for docks.
#   window_identity_test.sh CORVANE   (run under xvfb-run)
set -euo pipefail
program=$1
config=$(mktemp -d)
XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=xcb "$program" &
pid=$!
trap 'kill "$pid" 2> /dev/null; rm -rf "$config"' EXIT

# The splash shows first and gives way to the main window after 400 ms.
timeout 20 xdotool search --sync --onlyvisible --class Corvane > /dev/null
sleep 2
window=$(xdotool search --onlyvisible --class Corvane | tail -1)
test -n "$window" || { echo "no window of class Corvane" >&2; exit 1; }
class=$(xprop -id "$window" WM_CLASS)
[ "$class" = 'WM_CLASS(STRING) = "corvane", "Corvane"' ] || { echo "unexpected $class" >&2; exit 1; }
# xprop draws each icon of the property under a line "Icon (W x H):".
sizes=$(xprop -id "$window" _NET_WM_ICON | sed -n 's/.*Icon (\([0-9]*\) x \([0-9]*\)):.*/\1x\2/p' | tr '\n' ' ')
largest=0
for size in $sizes; do
    [ "${size%x*}" = "${size#*x}" ] || { echo "icon of $size is not square" >&2; exit 1; }
    [ "${size%x*}" -gt "$largest" ] && largest=${size%x*}
done
[ "$largest" -ge 32 ] || { echo "no icon of 32 pixels or more among: $sizes" >&2; exit 1; }
echo "window $window: $class, icons $sizes"
