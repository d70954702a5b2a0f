# Shared by scripts/run and scripts/test: package installation and the build.
# Sourced, not run.

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir="$repo_root/build"

# Installs whatever packages of scripts/debian-packages.txt are missing.
# Idempotent: with everything present it runs no apt-get at all.
install_packages() {
    local missing=()
    local pkg
    while read -r pkg; do
        [[ -z "$pkg" || "$pkg" == \#* ]] && continue
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done < "$repo_root/scripts/debian-packages.txt"
    ((${#missing[@]} == 0)) && return 0
    echo "Installing Debian packages: ${missing[*]}"
    local sudo=()
    ((EUID != 0)) && sudo=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -q
    "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
}

# Configures (once) and builds the Release tree in build/.
build_project() {
    if [[ ! -f "$build_dir/build.ninja" ]]; then
        cmake -S "$repo_root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release
    fi
    cmake --build "$build_dir" --parallel "$(nproc)"
}
