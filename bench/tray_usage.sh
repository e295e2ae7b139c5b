#!/bin/sh
# The tray's own cost while it watches an unlocked vault: CPU time (user +
# system, children excluded) and peak RSS of the tray over DURATION seconds,
# and the same for the probe children (the stand-in tool, run through
# /usr/bin/time). Goals: under 50 ms of CPU a minute and under 8 MiB for the
# tray itself.
# Usage: bench/tray_usage.sh [BUILD_DIR] [DURATION]
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build-bench}" && pwd)
duration=${2:-60}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

ln -s "$build/pellamy-tray" "$work/pellamy-tray"
# Each probe child is the stand-in, measured by time(1) on its way.
cat >"$work/pellamy" <<SCRIPT
#!/bin/sh
exec /usr/bin/time -a -o "$work/children" -f '%M %U %S' "$root/tools/pellamy" "\$@"
SCRIPT
chmod +x "$work/pellamy"

home=$work/home
mkdir -p "$home"
"$root/tools/pellamy" --home "$home" daemon &
daemon=$!
sleep 0.2
"$root/tools/pellamy" --home "$home" init
"$root/tools/pellamy" --home "$home" unlock

"$work/pellamy-tray" --no-open --home "$home" &
tray=$!
sleep "$duration"

ticks=$(getconf CLK_TCK)
# Fields 14 and 15 of /proc/PID/stat: user and system time in clock ticks,
# counted after the closing parenthesis of the command name.
cpu_ms=$(sed 's/.*) //' "/proc/$tray/stat" | awk -v t="$ticks" '{ print ($12 + $13) * 1000 / t }')
rss_kib=$(awk '/^VmHWM:/ { print $2 }' "/proc/$tray/status")
kill -TERM "$tray"
wait "$tray" || true
kill -TERM "$daemon" 2>/dev/null || true
wait "$daemon" 2>/dev/null || true

awk -v cpu="$cpu_ms" -v rss="$rss_kib" -v d="$duration" '
    { n++; if ($1 > peak) peak = $1; total += $2 + $3 }
    END {
        printf "tray:   %.0f ms CPU in %d s (%.1f ms a minute), peak RSS %.2f MiB\n",
               cpu, d, cpu * 60 / d, rss / 1024
        printf "probes: %d runs, %.0f ms CPU in all (%.1f ms each), peak RSS %.2f MiB\n",
               n, total * 1000, n ? total * 1000 / n : 0, peak / 1024
    }' "$work/children"
