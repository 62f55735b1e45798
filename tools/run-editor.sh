#!/usr/bin/env bash
# Sets up a fresh Debian machine as needed, builds, and starts the editor.
# Arguments are passed on: a mode name from the modes folder.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash tools/setup.sh
exec build/app/velloran "$@"
