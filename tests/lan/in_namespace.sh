#!/usr/bin/env bash
# Runs a test program of games on the local network inside a network namespace of its own,
# whose only LAN is a veth pair (10.77.0.1/24 on v0), so that no datagram leaves the machine.
# Wine makes every program's sockets in its server: the prefix, and so the server, are this
# test's own, and the server starts inside. Where no namespace can be made, one line says why.
#   tests/lan/in_namespace.sh BITS PREFIX TEST_EXE [ARGS...]
set -uo pipefail
repo=$(cd "$(dirname "$(readlink -f "$0")")/../.." && pwd)
bits=$1
export TIDEWAR_PREFIX=$2
shift 2
loader=()
[ "$bits" = 32 ] && loader=(--32)

if ! why=$(unshare -n ip link add v0 type veth peer name v1 2>&1); then
  echo "lan_games skipped: no network namespace with a veth pair here: ${why:-unshare failed}"
  exit 0
fi
"$repo/scripts/wine-run" --setup || exit 1
# A server of this prefix left running outside would make the sockets outside.
"$repo/scripts/wine-run" --stop-server
exec unshare -n bash -c '
  set -e
  ip link set lo up
  ip link add v0 type veth peer name v1
  ip addr add 10.77.0.1/24 brd + dev v0
  ip link set v0 up
  ip link set v1 up
  wine_run=$1/scripts/wine-run
  shift
  "$wine_run" --start-server
  trap "\"$wine_run\" --stop-server" EXIT
  "$wine_run" "$@"
' lan "$repo" "${loader[@]}" "$@"
