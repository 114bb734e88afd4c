#!/usr/bin/env bash
# The survey's HTML page in a real browser: headless Chromium loads it, a
# picture is taken (survey_report.png beside the build's tests, to look at),
# and a script in the page checks that sorting and filtering work.
# Usage: survey_report_in_browser.sh BATCH SAMPLES OUTDIR. Exit 77 (skipped)
# without Chromium.
set -euo pipefail
batch=$1 samples=$2 out=$3
browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ]; then
  echo "skipped: no Chromium here (apt-get install chromium, as tools/setup does)"
  exit 77
fi
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp "$samples/office_standard.ini" "$dir/standard.ini"
sed 's/Back of curb/Back of kerb/' "$samples/office_standard.ini" >"$dir/kerb.ini"
{ sed '/^\[ Recent Files List \]/,/^\[ ToolBar/{/^\[ ToolBar/!d}' "$samples/office_standard.ini"
  printf '[ Feature Style - Extra ]\r\n000SymbologyName=Extra\r\n'; } >"$dir/extra.ini"
"$batch" survey "$dir/standard.ini" "$dir/kerb.ini" "$dir/extra.ini" --all --format html -o "$dir/report.html"

# The checks run after the page's own script, and leave their verdict in
# the title.
sed 's#</body></html>##' "$dir/report.html" >"$dir/check.html"
cat >>"$dir/check.html" <<'HTML'
<script>
(function(){
  var problems=[];
  function visible(){return Array.prototype.filter.call(document.querySelectorAll('#matrix tbody tr'),function(r){return !r.classList.contains('hidden');});}
  function set(el,value){if(el.type==='checkbox')el.checked=value;else el.value=value;el.dispatchEvent(new Event('change'));}
  var all=visible().length;
  if(all<20)problems.push('only '+all+' rows shown');
  set(document.querySelector('input[data-status=identical]'),false);
  set(document.querySelector('input[data-status=testonly]'),false);
  var left=visible().map(function(r){return r.cells[0].textContent;});
  if(left.join('|')!=='[ Feature Style - Curb ]|[ Recent Files List ]')problems.push('status filter shows '+left.join('|'));
  set(document.getElementById('variant'),'1');
  left=visible().map(function(r){return r.cells[0].textContent;});
  if(left.join('|')!=='[ Recent Files List ]')problems.push('variant filter shows '+left.join('|'));
  if(!document.querySelector('#matrix th[data-v="0"]').classList.contains('hidden'))problems.push('the other variant column stays');
  set(document.getElementById('variant'),'');
  set(document.querySelector('input[data-status=identical]'),true);
  set(document.getElementById('find'),'symbology');
  if(visible().some(function(r){return r.cells[0].textContent.toLowerCase().indexOf('symbology')<0;}))problems.push('block filter');
  set(document.getElementById('find'),'');
  var heading=document.querySelector('#matrix thead th');
  heading.click();
  var names=visible().map(function(r){return r.cells[0].textContent;});
  var sorted=names.slice().sort(function(a,b){return a.localeCompare(b);});
  if(names.join('|')!==sorted.join('|'))problems.push('not sorted up');
  heading.click();
  names=visible().map(function(r){return r.cells[0].textContent;});
  if(names.join('|')!==sorted.slice().reverse().join('|'))problems.push('not sorted down');
  if(!document.querySelector('a[href^="#d"]')||!document.getElementById(document.querySelector('a[href^="#d"]').getAttribute('href').slice(1)))problems.push('no details for a different cell');
  document.title=problems.length?'FAILED: '+problems.join('; '):'CHECKS PASSED';
})();
</script></body></html>
HTML
flags=(--headless --no-sandbox --disable-gpu --disable-dev-shm-usage --no-first-run --user-data-dir="$dir/profile")
title=$(timeout 60 "$browser" "${flags[@]}" --dump-dom "file://$dir/check.html" 2>/dev/null | grep -o '<title>[^<]*</title>')
mkdir -p "$out"
timeout 60 "$browser" "${flags[@]}" --window-size=1280,900 --screenshot="$out/survey_report.png" "file://$dir/report.html" \
  >/dev/null 2>&1 || true
echo "$title"
[ "$title" = "<title>CHECKS PASSED</title>" ]
