#!/usr/bin/env bash
# Makes the voice navigation prompts (data/*.wav) with espeak-ng, in our own words. The run
# command copies them into the working folder with the other data files.
#   usage: data/tools/gen_prompts.sh [output folder]   (default: data/)
set -euo pipefail
out="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
command -v espeak-ng >/dev/null || { echo "espeak-ng is needed (scripts/deps installs it)" >&2; exit 1; }

# Prompt file name (without .wav) and the words spoken.
prompts=(
  "Call|Call sign"
  "Name|Name"
  "SPC|State or country"
  "County|County"
  "RstSnt|Signal report sent"
  "Dupe|Duplicate contact"
  "NavEn|Voice navigation enabled"
  "NavDis|Voice navigation disabled"
)
for p in "${prompts[@]}"; do
  name="${p%%|*}"
  words="${p#*|}"
  # A steady, slightly slow voice: the prompts are heard while the operator types.
  espeak-ng -v en-us -s 150 -a 120 -w "$out/$name.wav" "$words"
done
