#!/usr/bin/env bash
# Checks the files that make the program reachable from the desktop: the desktop entry, the
# AppStream metadata and the MIME types (each ZEMTRAL file name must map to its type).
set -euo pipefail
resources="$1/resources"
desktop-file-validate "$resources/zemtral.desktop"
grep -q '^Exec=zemtral %F$' "$resources/zemtral.desktop"
appstreamcli validate --no-net "$resources/io.github.zemtral.Zemtral.metainfo.xml"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/mime/packages"
cp "$resources/zemtral-mime.xml" "$scratch/mime/packages/zemtral.xml"
update-mime-database "$scratch/mime" >/dev/null 2>&1
for pair in data:zd3 project:zc3 xy:xy xy:lrg; do
  grep -q "^50:application/x-zemtral-${pair%%:*}:\*\.${pair#*:}" "$scratch/mime/globs2" || {
    echo "no MIME type for *.${pair#*:}" >&2
    exit 1
  }
done
# Every type the desktop entry opens is defined.
for type in $(sed -n 's/^MimeType=//p' "$resources/zemtral.desktop" | tr ';' ' '); do
  grep -q "type=\"$type\"" "$resources/zemtral-mime.xml" || { echo "undefined type $type" >&2; exit 1; }
done
