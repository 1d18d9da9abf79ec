#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what the desktop reads there: the entry
# opens project files, and the type database built from the package knows *.velmar.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

entry=$prefix/share/applications/velmar.desktop
for file in "$prefix/bin/velmar" "$entry" "$prefix/share/mime/packages/velmar-project.xml" \
            "$prefix/share/icons/hicolor/scalable/apps/velmar.svg"; do
  [[ -e $file ]] || { echo "not installed: $file"; exit 1; }
done
grep -qx 'Exec=velmar %f' "$entry" || { echo "the entry does not pass the file: $entry"; exit 1; }
grep -qx 'MimeType=application/x-velmar-project;' "$entry" || { echo "the entry opens no projects"; exit 1; }
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry"
else
  echo "desktop-file-validate is not installed: the entry is not validated"
fi
if command -v update-mime-database >/dev/null; then
  update-mime-database "$prefix/share/mime" >/dev/null 2>&1
  grep -q ':application/x-velmar-project:\*\.velmar' "$prefix/share/mime/globs2" ||
    { echo "the type database has no *.velmar"; exit 1; }
else
  echo "update-mime-database is not installed: the type is not checked"
fi
