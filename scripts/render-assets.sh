#!/usr/bin/env bash
# Renders the SVG sources in src/ui/assets to the PNGs that are committed beside them and
# compiled into the program. Run it after changing an SVG and commit the results.
# Needs rsvg-convert (Debian: librsvg2-bin) and, for the logo's lettering, URW Gothic
# (Debian: fonts-urw-base35). A developer tool only: the build uses the committed PNGs.
set -euo pipefail
cd "$(dirname "$0")/../src/ui/assets"

command -v rsvg-convert >/dev/null || {
  echo "rsvg-convert is missing: apt-get install librsvg2-bin" >&2
  exit 1
}
[ -n "$(fc-list "URW Gothic")" ] || {
  echo "URW Gothic is missing: apt-get install fonts-urw-base35" >&2
  exit 1
}

# render SOURCE WIDTH HEIGHT OUTPUT
render() {
  rsvg-convert --width "$2" --height "$3" --output "$4" "$1"
}

# Each picture at its own size and at twice that size for 200 % display scaling.
render logo.svg 227 65 logo.png
render logo.svg 454 130 logo@2x.png
render image2.svg 32 32 image2.png
render image2.svg 64 64 image2@2x.png

# The application icon: a simplified drawing where strokes must stay crisp on few pixels.
render mainicon-small.svg 16 16 mainicon-16.png
render mainicon-small.svg 32 32 mainicon-32.png
for size in 48 64 128 256; do
  render mainicon.svg "$size" "$size" "mainicon-$size.png"
done
