#!/usr/bin/env bash
# Captures the replies of a real DNS server for the decoder tests.
#
# Starts Knot DNS's knotd on 127.0.0.1 at a free high port, inside a private network
# namespace (nothing here can reach beyond this machine), with the zone quillet.test written
# below; sends it the queries that BuildDNSQuery makes (via the query_hex tool of the test
# build) and writes each query and reply as one line of upper-case hex:
#   replies/NAME.query.hex, replies/NAME.reply.hex
# and each reply as a binary seed in fuzz/corpus/decoder/real-NAME.bin.
# The rows each reply must give are kept by hand in ../real_replies_test.cpp.
#
# usage: tests/dns/data/capture-replies.sh BUILD_DIR/tests/dns/query_hex
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
tool=$(realpath "${1:?usage: $0 PATH/TO/query_hex}")
out=$here/replies
corpus=$here/../../../fuzz/corpus/decoder

if [[ -z ${QUILLET_CAPTURE_IN_NETNS:-} ]]; then
    # As root a plain network namespace; otherwise inside a user namespace as well.
    netns=(unshare -n)
    [[ $(id -u) == 0 ]] || netns=(unshare -r -n)
    exec "${netns[@]}" sh -c 'ip link set lo up; QUILLET_CAPTURE_IN_NETNS=1 exec bash "$0" "$1"' \
        "${BASH_SOURCE[0]}" "$tool"
fi

work=$(mktemp -d)
knot_pid=
cleanup() {
    if [[ -n $knot_pid ]]; then
        kill "$knot_pid" 2>/dev/null || true
        wait "$knot_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

port=$(python3 -c 'import socket; s=socket.socket(socket.AF_INET, socket.SOCK_DGRAM); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')

cat >"$work/quillet.test.zone" <<'ZONE'
$ORIGIN quillet.test.
$TTL 3600
@       SOA   ns1 hostmaster 2024010101 3600 900 604800 300
@       NS    ns1
@       NS    ns2.quillet.test.
@       A     192.0.2.1
@       AAAA  2001:db8::1
; the exchange is the zone apex: it compresses to the single pointer c0 0c
@       MX    10 @
@       MX    20 mail
@       TXT   "v=spf1 -all"
ns1     A     192.0.2.53
ns2     A     192.0.2.54
mail    A     192.0.2.25
www     CNAME @
ftp     CNAME www
ZONE

cat >"$work/knot.conf" <<CONF
server:
    listen: 127.0.0.1@$port
    rundir: $work
    user: root:root
log:
  - target: stderr
    any: warning
database:
    storage: $work
zone:
  - domain: quillet.test
    storage: $work
    file: quillet.test.zone
CONF

/usr/sbin/knotd -c "$work/knot.conf" &
knot_pid=$!

# NAME DOMAIN TYPE-ROW-TEXT [TYPE-NUMBER]: the query is BuildDNSQuery's; where a number is
# given, the type field is then set to it (SOA, TXT, AAAA have no row in the type list).
queries=$work/queries
{
    echo "a quillet.test A记录查询"
    echo "ns quillet.test NS记录查询"
    echo "cname www.quillet.test 别名纪录查询"
    echo "chain-a ftp.quillet.test A记录查询"
    echo "mx quillet.test MX记录查询"
    echo "mx-nodata mail.quillet.test MX记录查询"
    echo "nxdomain nosuch.quillet.test A记录查询"
    echo "soa quillet.test - 6"
    echo "txt quillet.test - 16"
    echo "aaaa quillet.test - 28"
} | while read -r name domain type number; do
    hex=$("$tool" "$domain" "$([[ $type == - ]] && echo "" || echo "$type")")
    echo "$name $hex ${number:-}"
done >"$queries"

mkdir -p "$out" "$corpus"
python3 - "$port" "$queries" "$out" "$corpus" <<'PY'
import socket, sys, time

port, queries, out, corpus = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
server = ("127.0.0.1", port)  # the only address this script ever talks to

def ask(query):
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as s:
        s.settimeout(0.5)
        s.sendto(query, server)
        return s.recvfrom(4096)[0]

for line in open(queries):
    parts = line.split()
    name, query = parts[0], bytearray.fromhex(parts[1])
    if len(parts) > 2:  # set the question type, which ends 4 bytes before the end
        query[-4:-2] = int(parts[2]).to_bytes(2, "big")
    reply = None
    for attempt in range(40):  # knotd may still be loading the zone: at most ~20 s
        try:
            reply = ask(bytes(query))
            if reply[3] & 0x0F == 2:  # SERVFAIL: zone not loaded yet
                raise OSError("zone not loaded")
            break
        except OSError:
            reply = None
            time.sleep(0.5)
    if reply is None:
        sys.exit(f"no reply for {name}")
    with open(f"{out}/{name}.query.hex", "w") as f:
        f.write(query.hex().upper() + "\n")
    with open(f"{out}/{name}.reply.hex", "w") as f:
        f.write(reply.hex().upper() + "\n")
    with open(f"{corpus}/real-{name}.bin", "wb") as f:
        f.write(reply)
    print(f"{name}: {len(reply)} bytes")
PY
