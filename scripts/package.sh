#!/usr/bin/env bash
# Builds the Debian package of Lumiverdant into build/ and checks it: shows its control
# data and contents, installs it into a temporary root with dpkg and renders the poster
# sample with the lumiverdant-cli from that root.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh >/dev/null
(cd build && cpack -G DEB >/dev/null)
deb=$(ls -t build/lumiverdant_*.deb | head -n 1)

echo "== $deb"
dpkg-deb --info "$deb"
contents=$(dpkg-deb --contents "$deb")
for wanted in ./usr/bin/lumiverdant ./usr/bin/lumiverdant-cli \
              ./usr/share/applications/lumiverdant.desktop \
              ./usr/share/mime/packages/lumiverdant.xml \
              ./usr/share/icons/hicolor/scalable/apps/lumiverdant.svg \
              "./usr/share/lumiverdant/Textures/Marble White.jpg" \
              ./usr/share/lumiverdant/Transp/Flat.tmb \
              ./usr/share/lumiverdant/Samples/poster.plv \
              ./usr/share/lumiverdant/Styles/Style1.sty ./usr/share/lumiverdant/Styles/Style1.tmb \
              ./usr/share/lumiverdant/Objects/Buttons/Object1.obj ./usr/share/lumiverdant/Objects/Shapes/Object1.tmb \
              ./usr/share/lumiverdant/Starter.dna \
              ./usr/share/lumiverdant/Help/index.htm; do
  if ! grep -qF -- " $wanted" <<<"$contents"; then
    echo "package.sh: $wanted is not in the package" >&2
    exit 1
  fi
done
echo "== contents: $(wc -l <<<"$contents") entries, all expected paths present"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
# The dependencies are this machine's; the temporary root holds only the package, so
# dpkg's complaints about them are kept out of sight unless the install fails.
if ! dpkg --root="$root" --force-depends --force-script-chrootless -i "$deb" >"$root/dpkg.log" 2>&1; then
  cat "$root/dpkg.log" >&2
  exit 1
fi
out="$root/poster.png"
said=$("$root/usr/bin/lumiverdant-cli" render "$root/usr/share/lumiverdant/Samples/poster.plv" \
         --data "$root/usr/share/lumiverdant" -o "$out" 2>&1)
if [ "$said" != "$out" ] || [ ! -s "$out" ]; then
  echo "package.sh: the installed lumiverdant-cli did not render the poster cleanly: $said" >&2
  exit 1
fi
echo "== installed into a temporary root; its lumiverdant-cli rendered the poster sample"
echo "package: $deb"
