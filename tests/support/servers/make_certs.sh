#!/usr/bin/env bash
# make_certs.sh <dir>: makes the test certificate authority and the servers' certificates under
# <dir> (once; an existing complete set is kept). Every key is <name>.key beside <name>.pem:
#   ca          the test authority (the tests trust it; the system's store never sees it)
#   valid       for localhost and 127.0.0.1, issued by ca
#   expired     the same names, issued by ca, no longer valid
#   otherhost   issued by ca for mail.other.test only
#   selfsigned  for localhost and 127.0.0.1, signed by itself
#   selfsigned2 the same again with another key (a server whose certificate changed)
#   weak        for localhost and 127.0.0.1, issued by ca, with an RSA key of 1024 bits, SHA-1
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 <dir>" >&2; exit 2; }
mkdir -p "$1"
dir=$(cd "$1" && pwd)
names=(ca valid expired otherhost selfsigned selfsigned2 weak)
complete=1
for n in "${names[@]}"; do [ -s "$dir/$n.sha256" ] || complete=""; done
[ -z "$complete" ] || exit 0

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
key() { openssl genpkey -algorithm EC -pkeyopt ec_paramgen_curve:P-256 -out "$work/$1.key" 2>/dev/null; }
local_names="subjectAltName=DNS:localhost,IP:127.0.0.1"

# The authority signs through "openssl ca", the one way to give a certificate dates in the past.
mkdir -p "$work/db"
: >"$work/db/index.txt"
cat >"$work/ca.cnf" <<CNF
[ca]
default_ca = test_ca
[test_ca]
dir = $work/db
database = $work/db/index.txt
new_certs_dir = $work/db
certificate = $work/ca.pem
private_key = $work/ca.key
default_md = sha256
policy = any
unique_subject = no
copy_extensions = none
rand_serial = yes
[any]
commonName = supplied
[leaf]
basicConstraints = critical,CA:FALSE
keyUsage = critical,digitalSignature,keyEncipherment
extendedKeyUsage = serverAuth
CNF

key ca
openssl req -x509 -new -key "$work/ca.key" -subj "/CN=Vellion Test Authority" -days 3650 \
    -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" \
    -out "$work/ca.pem" 2>/dev/null

# issue <name> <common name> <subjectAltName line> <start> <end>
issue() {
    key "$1"
    openssl req -new -key "$work/$1.key" -subj "/CN=$2" -out "$work/$1.csr" 2>/dev/null
    printf '[leaf]\nbasicConstraints = critical,CA:FALSE\nextendedKeyUsage = serverAuth\n%s\n' \
        "$3" >"$work/$1.ext"
    openssl ca -batch -config "$work/ca.cnf" -extfile "$work/$1.ext" -extensions leaf \
        -startdate "$4" -enddate "$5" -in "$work/$1.csr" -out "$work/$1.pem" -notext 2>/dev/null
}
now=$(date -u -d '-1 day' +%Y%m%d%H%M%SZ)
later=$(date -u -d '+10 years' +%Y%m%d%H%M%SZ)
issue valid localhost "$local_names" "$now" "$later"
issue expired localhost "$local_names" 20200101000000Z 20210101000000Z
issue otherhost mail.other.test "subjectAltName=DNS:mail.other.test" "$now" "$later"
# The weak one by hand: its own key size, and a digest "openssl ca" is told per certificate.
openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:1024 -out "$work/weak.key" 2>/dev/null
openssl req -new -key "$work/weak.key" -subj "/CN=localhost" -out "$work/weak.csr" 2>/dev/null
printf '[leaf]\nbasicConstraints = critical,CA:FALSE\nextendedKeyUsage = serverAuth\n%s\n' \
    "$local_names" >"$work/weak.ext"
openssl ca -batch -config "$work/ca.cnf" -extfile "$work/weak.ext" -extensions leaf -md sha1 \
    -startdate "$now" -enddate "$later" -in "$work/weak.csr" -out "$work/weak.pem" -notext \
    2>/dev/null
for n in selfsigned selfsigned2; do
    key "$n"
    openssl req -x509 -new -key "$work/$n.key" -subj "/CN=localhost" -days 3650 \
        -addext "$local_names" -out "$work/$n.pem" 2>/dev/null
done
for n in "${names[@]}"; do
    install -m 600 "$work/$n.key" "$dir/$n.key"
    install -m 644 "$work/$n.pem" "$dir/$n.pem"
done
# The fingerprints as openssl computes them, for the tests to compare with.
for n in "${names[@]}"; do
    openssl x509 -in "$dir/$n.pem" -noout -fingerprint -sha256 | cut -d= -f2 >"$dir/$n.sha256"
done
