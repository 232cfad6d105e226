#!/usr/bin/env bash
# Installs the Debian 12 packages VX needs to build, test and run. Packages that are already
# installed are skipped, so a second run costs a fraction of a second.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev qt6-tools-dev libqt6svg6 qt6-qpa-plugins
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev libqpdf-dev
  fonts-liberation2 fonts-dejavu-core fonts-wqy-microhei
  xvfb xauth poppler-utils qpdf
  dpkg-dev file help2man lintian appstream desktop-file-utils shared-mime-info bash-completion
  man-db
  qt6-translations-l10n
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq || true
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
