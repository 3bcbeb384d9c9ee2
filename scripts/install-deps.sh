#!/bin/sh
# Installs the Debian packages the register needs to build, test and run.
set -e
PACKAGES="cmake make g++ binutils pkg-config qt6-base-dev qt6-base-private-dev libcups2-dev qt6-base-dev-tools libqt6sql6-sqlite
  qt6-translations-l10n qt6-l10n-tools libsqlite3-dev libzip-dev libicu-dev fonts-liberation poppler-utils"
missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "installing:$missing"
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
fi
