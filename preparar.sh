#!/usr/bin/env bash
# Preparação comum de ./executar e ./testar: instala o que falta (Debian, como root) e compila em build/.
set -euo pipefail
cd "$(dirname "$0")"

PACOTES=(cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
         libqt6printsupport6 libzip-dev libssl-dev zlib1g-dev libgtest-dev libgmock-dev
         fonts-liberation2 poppler-utils xvfb xauth
         python3 ziptool zip time
         dpkg-dev file lintian desktop-file-utils appstream man-db)

faltando=()
if command -v dpkg-query >/dev/null 2>&1; then
    for p in "${PACOTES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            faltando+=("$p")
        fi
    done
fi
if [ ${#faltando[@]} -gt 0 ]; then
    if [ "$(id -u)" -eq 0 ]; then
        echo "Instalando: ${faltando[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${faltando[@]}"
    else
        echo "Faltam pacotes (execute como root para instalá-los): ${faltando[*]}" >&2
        exit 1
    fi
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
