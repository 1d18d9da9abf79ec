# Installs the named Debian packages that are missing; a warm machine touches no network.
ensure_packages() {
  local missing=()
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  ((${#missing[@]} == 0)) && return 0
  echo "Installing missing packages: ${missing[*]}" >&2
  local sudo=()
  [[ $(id -u) -eq 0 ]] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# The same for what the project can do without (the fuzz harnesses' clang): a machine that
# cannot install them goes on and the build leaves out what needs them.
ensure_optional_packages() {
  ensure_packages "$@" || echo "Could not install $*: going on without them." >&2
}
