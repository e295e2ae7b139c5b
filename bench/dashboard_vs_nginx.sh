#!/usr/bin/env bash
# Load test of "/api/status": the dashboard (one thread, fixed status) against
# nginx (one worker) serving the same bytes with the same six headers from a
# file. Prints requests per second and p99 latency of both for 1 and 64
# connections, and the dashboard's share of nginx's throughput.
#   bench/dashboard_vs_nginx.sh [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-10}

"$root/scripts/install-deps" bench
make -C "$root" --no-print-directory bench >/dev/null

work=$(mktemp -d)
chmod 755 "$work"  # nginx's worker runs as an unprivileged user
fixture_pid=""
cleanup() {
    [[ -n "$fixture_pid" ]] && kill "$fixture_pid" 2>/dev/null
    [[ -f "$work/nginx.pid" ]] && kill "$(cat "$work/nginx.pid")" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# The fixture serves until its standard input closes.
mkfifo "$work/fixture.in" "$work/fixture.out"
"$root/build-bench/bench/dashboard_fixture" "$work/status.json" \
    <"$work/fixture.in" >"$work/fixture.out" &
fixture_pid=$!
exec 3>"$work/fixture.in"
read -r url <"$work/fixture.out"
chmod 644 "$work/status.json"
dashboard_port=${url#http://127.0.0.1:}
dashboard_port=${dashboard_port%%/*}
token=${url#*#token=}

policy="default-src 'none'; script-src 'self'; style-src 'self'; font-src 'self'; connect-src 'self'; img-src 'self' data:; base-uri 'none'; frame-ancestors 'none'; form-action 'none'"
start_nginx() {
    cat >"$work/nginx.conf" <<CONF
worker_processes 1;
daemon on;
pid $work/nginx.pid;
error_log $work/error.log;
events { worker_connections 1024; }
http {
    access_log off;
    server_tokens off;
    etag off;
    client_body_temp_path $work;
    proxy_temp_path $work;
    fastcgi_temp_path $work;
    uwsgi_temp_path $work;
    scgi_temp_path $work;
    server {
        listen 127.0.0.1:$1;
        location = /api/status {
            types { }
            default_type application/json;
            alias $work/status.json;
            add_header cache-control "no-store" always;
            add_header referrer-policy "no-referrer" always;
            add_header x-content-type-options "nosniff" always;
            add_header x-frame-options "DENY" always;
            add_header cross-origin-resource-policy "same-origin" always;
            add_header content-security-policy "$policy" always;
        }
    }
}
CONF
    nginx -e "$work/error.log" -p "$work" -c "$work/nginx.conf" 2>/dev/null
}
for _ in $(seq 20); do
    nginx_port=$((20000 + RANDOM % 40000))
    start_nginx "$nginx_port" && break
    nginx_port=""
done
[[ -n "$nginx_port" ]] || { echo "nginx did not start" >&2; exit 1; }

# One wrk run: prints "requests_per_second p99_milliseconds".
measure() {
    local port=$1 connections=$2 output
    output=$(wrk -t1 -c"$connections" -d"${seconds}s" --latency \
        -H "Authorization: Bearer $token" "http://127.0.0.1:$port/api/status")
    if grep -q "Non-2xx" <<<"$output"; then
        echo "unexpected answers from port $port:" >&2
        echo "$output" >&2
        exit 1
    fi
    awk '
        function ms(text) {
            if (text ~ /us$/) return substr(text, 1, length(text) - 2) / 1000
            if (text ~ /ms$/) return substr(text, 1, length(text) - 2) + 0
            if (text ~ /s$/) return substr(text, 1, length(text) - 1) * 1000
            return text
        }
        $1 == "99%" { p99 = ms($2) }
        $1 == "Requests/sec:" { rps = $2 }
        END { printf "%.0f %.3f\n", rps, p99 }' <<<"$output"
}

if ! cmp -s <(curl -s -H "Authorization: Bearer $token" "http://127.0.0.1:$dashboard_port/api/status") \
           <(curl -s "http://127.0.0.1:$nginx_port/api/status"); then
    echo "the two servers answer with different bodies" >&2
    exit 1
fi

printf "%-12s %11s %14s %11s %14s %8s\n" connections "dashboard" "dashboard p99" nginx \
    "nginx p99" ratio
for connections in 1 64; do
    read -r ours our_p99 < <(measure "$dashboard_port" "$connections")
    read -r theirs their_p99 < <(measure "$nginx_port" "$connections")
    printf "%-12s %9s/s %11s ms %9s/s %11s ms %8.2f\n" "$connections" "$ours" "$our_p99" \
        "$theirs" "$their_p99" "$(awk -v a="$ours" -v b="$theirs" 'BEGIN { print a / b }')"
done
