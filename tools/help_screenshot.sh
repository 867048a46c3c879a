#!/bin/bash
# Takes the README's picture of one page of the HTML help as a real browser
# shows it: headless Chromium from Debian's packages, which install-deps.sh
# installs when it is missing.
#   tools/help_screenshot.sh [PAGE [OUT.png]]
set -e
cd "$(dirname "${BASH_SOURCE[0]}")/.."
page=${1:-mtu.htm}
out=${2:-docs/screenshots/help-page.png}
[ -f "help/$page" ] || { echo "no help/$page" >&2; exit 1; }
tools/install-deps.sh chromium
profile=$(mktemp -d)
pages=$(mktemp -d)
trap 'rm -rf "$profile" "$pages"' EXIT
python3 tools/help/make_help.py help "$pages"
mkdir -p "$(dirname "$out")"
# No network, no first-run or sync work: only the page from disk is shown.
timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
  --disable-background-networking --disable-component-update --disable-sync \
  --user-data-dir="$profile" --hide-scrollbars --window-size=760,720 \
  --screenshot="$(realpath -m "$out")" "file://$pages/$page" 2>/dev/null
[ -s "$out" ] || { echo "no picture was taken" >&2; exit 1; }
echo "$out"
