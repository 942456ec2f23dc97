# Sourced: headless Chromium with nothing that reaches out or remembers, and a
# fresh profile in $1. Fails clearly when the browser is not installed.
chromium_command() {
  local profile=$1
  local browser
  browser=$(command -v chromium) || {
    echo "FAIL: chromium is not installed; it is the Debian package 'chromium' in TEST_PACKAGES of scripts/packages.sh (bash scripts/test.sh installs it)" >&2
    return 1
  }
  CHROMIUM=("$browser" --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking
            --disable-component-update --disable-sync "--user-data-dir=$profile")
}
