#!/usr/bin/env bash
# Drives svltool's bash completion as bash would at the end of a typed line
# and compares what it offers with what each line should get; then checks that
# it offers every subcommand and long option that svltool's own help lists.
# Usage: completion_check.sh COMPLETION_FILE SVLTOOL
set -uo pipefail
completion=$(realpath "$1")
svltool=$(realpath "$2")
helpers=/usr/share/bash-completion/bash_completion
[ -f "$helpers" ] || { echo "FAIL: $helpers is missing (install the Debian package bash-completion)" >&2; exit 1; }
# shellcheck source=/dev/null
source "$helpers"
# shellcheck source=/dev/null
source "$completion"
[ "$(complete -p svltool 2>/dev/null)" = 'complete -F _svltool svltool' ] || {
  echo "FAIL: $completion does not register _svltool for svltool" >&2; exit 1; }

scratch=$(mktemp -d "${TMPDIR:-/tmp}/scorvale-completion.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 1
mkdir games
touch game.svl results.json members.csv names.tsv

# offers LINE : the words completed at the end of LINE, sorted, one line.
# The line is split into words as bash splits it, "=" being a word of its own.
offers() {
  local line=$1 token
  COMP_WORDS=()
  for token in $line; do
    while [[ $token == *=* ]]; do
      [ -n "${token%%=*}" ] && COMP_WORDS+=("${token%%=*}")
      COMP_WORDS+=("=")
      token=${token#*=}
    done
    [ -n "$token" ] && COMP_WORDS+=("$token")
  done
  [[ $line == *' ' || $line == *= ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE=$line
  COMP_POINT=${#line}
  COMPREPLY=()
  _svltool svltool "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  [ ${#COMPREPLY[@]} -gt 0 ] && printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd' '
}

failed=0
while IFS='|' read -r line expected; do
  [ -z "$line" ] && continue
  got=$(offers "$line")
  if [ "$got" != "$expected" ]; then
    echo "FAIL: completion of '$line': expected '$expected', got '$got'" >&2
    failed=1
  fi
done <<'CASES'
svltool |decode encode history import-members import-results page report standings
svltool im|import-members import-results
svltool -|--help
svltool standings --t|--team-key --tsv
svltool import-members game.svl members.csv --st|--strict
svltool import-members game.svl members.csv --s|--separator --strict
svltool import-members --separator |auto comma semicolon tab
svltool import-members --columns |auto fixed
svltool report --member-range |0 1 2
svltool standings --member-key |0 1 11 12 3
svltool import-members --encoding |auto cp932 utf-16 utf-8
svltool import-members --encoding=c|cp932
svltool report --title |
svltool standings |game.svl games
svltool report --title Cup |game.svl games
svltool history --clear |game.svl games
svltool decode |game.svl games members.csv names.tsv results.json
svltool import-results game.svl |games members.csv results.json
svltool import-members -o out.svl game.svl |games members.csv names.tsv
svltool import-results game.svl results.json --names |game.svl games members.csv names.tsv results.json
svltool report game.svl -o |game.svl games members.csv names.tsv results.json
svltool page game.svl --i|--image
svltool page |game.svl games
CASES

# Whatever svltool's help lists, the completion offers.
commands=$("$svltool" --help | sed -n '/^Subcommands:/,$s/^  \([a-z-]*\) .*/\1/p')
[ -n "$commands" ] || { echo "FAIL: no subcommands in $svltool --help" >&2; exit 1; }
offered=" $(offers 'svltool ') "
for cmd in $commands; do
  [[ $offered == *" $cmd "* ]] || { echo "FAIL: completion does not offer the subcommand $cmd" >&2; failed=1; }
  options=" $(offers "svltool $cmd --") "
  for option in $("$svltool" "$cmd" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    [[ $options == *" $option "* ]] || { echo "FAIL: completion does not offer $cmd $option" >&2; failed=1; }
  done
done
exit $failed
