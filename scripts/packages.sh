# Debian packages the project builds, tests and runs with; sourced by test.sh and run.sh.
GARVO_PACKAGES=(
    g++ cmake ninja-build pkg-config clang libclang-rt-14-dev
    qt6-base-dev qt6-multimedia-dev libgl-dev
    libjpeg62-turbo-dev libcdio-dev
    fonts-liberation2
    libgtest-dev libbenchmark-dev
    poppler-utils
    xvfb xauth x11-utils imagemagick xdotool libxcb1-dev
    qt6-translations-l10n xdg-utils desktop-file-utils appstream-util file
)

ensure_packages() {
    local missing=()
    local p
    for p in "${GARVO_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo=sudo
        $sudo apt-get update -q
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
}
