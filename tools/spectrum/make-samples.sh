#!/usr/bin/env bash
# Regenerates the sample spectra in data/spectra and the demo conditions data/joken.dat.
# Usage: tools/spectrum/make-samples.sh [build directory, default build]
set -euo pipefail
repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
generator="${1:-$repo_root/build}/bin/spectrum-generator"
cd "$repo_root"

make_sample() { # kV bowtie [extra options]
    local kv=$1 bowtie=$2
    shift 2
    "$generator" --kv "$kv" --al 2.5 --bowtie "$bowtie" --points 20 --max-distance 20 --sad 60 \
        --air data/AirMUtr.dat --output "data/spectra/tasmip-$(printf %03d "$kv")kV-$bowtie.csv" "$@"
}

make_sample 80 body
make_sample 100 body
make_sample 120 body --conditions data/joken.dat --result demo120 --histories 1e6
make_sample 140 body
make_sample 120 head
