#!/usr/bin/env bash
# Runs a test program of games on the local network inside a network namespace whose only LAN
# is a veth pair (10.77.0.1/24 on v0, and IPv6 link-local addresses), so that no datagram
# leaves the machine. Wine makes the programs' sockets in its server, so the prefix and its
# server are the test's own, started inside. Where no namespace can be made, one line says why.
#   tests/lan/in_namespace.sh BITS PREFIX TEST_EXE [ARGS...]
set -uo pipefail
wine_run=$(dirname "$(readlink -f "$0")")/../../scripts/wine-run
loader=$([ "$1" = 32 ] && echo --32)
export TIDEWAR_PREFIX=$2
shift 2
if ! why=$(unshare -n ip link add v0 type veth peer name v1 2>&1); then
  echo "lan_games skipped: no network namespace with a veth pair here: ${why:-unshare failed}"
  exit 0
fi
# A server of this prefix left running outside would make the sockets outside.
"$wine_run" --setup && "$wine_run" --stop-server || exit 1
exec unshare -n bash -c 'set -e
  # IPv6 where the kernel has it, its link-local addresses usable at once.
  sysctl -q -w net.ipv6.conf.default.disable_ipv6=0 net.ipv6.conf.default.accept_dad=0 2>/dev/null || true
  ip link set lo up
  ip link add v0 type veth peer name v1
  ip addr add 10.77.0.1/24 brd + dev v0
  ip link set v0 up && ip link set v1 up
  "$0" --start-server
  trap "\"$0\" --stop-server" EXIT
  "$0" "$@"' "$wine_run" $loader "$@"
