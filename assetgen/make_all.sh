#!/usr/bin/env bash
# Regenerates every file under assets/ (and the review contact sheet) from
# the generators in this folder. The output is deterministic and committed.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps --assetgen

python=/usr/bin/python3
"$python" assetgen/world/make.py
"$python" assetgen/images/make.py
"$python" assetgen/sound/make.py
"$python" assetgen/font/make.py
"$python" assetgen/contact_sheet.py
