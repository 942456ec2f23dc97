#!/usr/bin/env bash
# Renders a generated report page in headless Chromium and checks that the
# Japanese headings, names and the numbers arrive as the right Unicode text.
# The page has no charset declaration, so this shows a browser reads it as
# Shift-JIS.  Usage: check_page.sh MAKE_SAMPLE_PAGE
set -uo pipefail
source "$(dirname "$0")/chromium_flags.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chromium_command "$work/profile" || exit 1

"$1" "$work/page.html" || { echo "FAIL: the sample page could not be written"; exit 1; }
if grep -qai charset "$work/page.html"; then echo "FAIL: the page declares a character set"; exit 1; fi

if ! timeout 120 "${CHROMIUM[@]}" --dump-dom "file://$work/page.html" >"$work/dom.html" 2>"$work/browser.log"; then
  echo "FAIL: chromium could not render the page:"; tail -20 "$work/browser.log"; exit 1
fi

failed=0
expect() {
  grep -qF -- "$1" "$work/dom.html" || { echo "FAIL: the rendered page lacks: $1"; failed=1; }
}
expect '<title>日韓ワールドカップ予想 2002</title>'
expect '<h3>参加者順位表</h3>'
expect '<h3>チーム順位表</h3>'
expect '<a href="#memberlist">参加者成績表</a>'
expect '<td>ドイツ</td><td>E</td><td>T進出 </td><td>  7</td><td>  6</td><td>  3</td><td>  2</td><td>  0</td><td>  1</td><td> 25</td><td> 30</td>'
expect '<td>サウジアラビア</td><td>E</td><td> 敗退</td>'
expect '髙橋一郎</a></td><td> 43</td><td>サウジアラビア</td>'
expect '<td>合計</td><td>-</td><td>306</td>'
expect '<td>ブラジル</td><td>該当なし</td>'
expect '※ 同一投票者: 佐藤次郎'
if grep -qF $'\xef\xbf\xbd' "$work/dom.html"; then echo "FAIL: the browser met bytes it could not decode"; failed=1; fi
if [ "$failed" -ne 0 ]; then
  echo "--- rendered DOM:"; cat "$work/dom.html"; exit 1
fi
echo "OK: chromium read the Shift-JIS page as Japanese text"
