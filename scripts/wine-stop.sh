#!/usr/bin/env bash
# Ends everything running in Tallywise's Wine prefix and the Xvfb that
# scripts/wine-env.sh started for it, if any. Run it after a test run.
# The prefix itself is kept for the next run.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=scripts/wine-env.sh
. "$here/wine-env.sh" --no-setup

if [ -d "$WINEPREFIX" ]; then
  timeout 30 wineserver -k 2>/dev/null
  timeout 30 wineserver -w 2>/dev/null
fi

if n=$(tallywise_xvfb_display); then
  read -r _ pid <"$_tw_xvfb"
  kill "$pid" 2>/dev/null
  for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "Stopped Xvfb on :$n"
fi
rm -f "$_tw_xvfb"
exit 0
