#!/usr/bin/env bash
# Unpacks the package into a scratch root and looks for every file where the system looks for it:
# manual pages on the manual path, AppStream metadata and desktop entry as a software centre
# reads them, the MIME type as update-mime-database compiles it, and the bash completion as
# bash-completion loads it. The unpacked vxrate runs.
# Usage: installed_layout.sh PACKAGE.deb APP_ID
set -euo pipefail
deb=$1 app_id=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The unpacked program runs.
vxrate=$root/usr/bin/vxrate
echo '{}' | "$vxrate" rate >/dev/null || fail "the unpacked vxrate does not rate the default case"
help=$("$vxrate" --help)

# Manual pages: found by man on the unpacked manual path, rendered without a warning, and the page
# of vxrate holds every command, option and input key of its help text.
for program in VX vxrate; do
  page=$(man -M "$root/usr/share/man" -w "$program" 2>/dev/null) ||
    { fail "man finds no page for $program"; continue; }
  [[ $page == "$root/usr/share/man/man1/$program.1.gz" ]] || fail "$program page at $page"
  warnings=$(MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -l "$page" 2>&1 >/dev/null)
  [[ -z $warnings ]] || fail "man warns about $program.1: $warnings"
done
text=$(MANWIDTH=200 LC_ALL=C.UTF-8 man -l "$root/usr/share/man/man1/vxrate.1.gz" 2>/dev/null |
       sed 's/‐ *//g')
commands=$(sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z-]*\) .*/\1/p' <<<"$help")
options=$(grep -o -- '--[a-z]*' <<<"$help" | sort -u)
keys=$(sed -n '/^Input keys:/,/^$/s/^  \([A-Z][^ ]*\( [A-Z][^ ]*\)*\)  .*/\1/p' <<<"$help" | tr ',' ' ')
[[ $(wc -w <<<"$commands $keys") -ge 30 ]] || fail "help text: commands or input keys not found"
for word in $commands $options $keys; do
  grep -q -- "$word" <<<"$text" || fail "vxrate.1 does not mention $word"
done
for section in "Exit status" EXAMPLES "SEE ALSO"; do
  grep -q "$section" <<<"$text" || fail "vxrate.1 has no section $section"
done

# AppStream metadata and the desktop entry it launches, as a software centre finds them.
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
[[ -f $metainfo ]] || fail "no $metainfo"
appstreamcli validate-tree --no-net "$root" >/dev/null || fail "appstreamcli validate-tree"
desktop=$root/usr/share/applications/$app_id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"

# MIME type: compiled from the package's file, *.vxsel is a selection project that VX opens.
mime=$root/usr/share/mime
[[ -f $mime/packages/$app_id.xml ]] || fail "no MIME package file"
XDG_DATA_DIRS=$root/usr/share update-mime-database "$mime"
grep -qx '50:application/x-vx-selection:\*.vxsel' "$mime/globs2" || fail "*.vxsel not in globs2"
grep -q 'application/x-vx-selection application/json' "$mime/subclasses" ||
  fail "the project type is no JSON subclass"
grep -qx 'MimeType=application/x-vx-selection;' "$desktop" || fail "desktop entry lacks MimeType"
grep -qx 'Exec=VX %f' "$desktop" || fail "desktop entry does not pass the file to VX"

# Bash completion: in bash-completion's folder, completes commands and options of vxrate.
completions=$(pkg-config --variable=completionsdir bash-completion)
script=$root$completions/vxrate
[[ -f $script ]] || fail "no completion in $completions"
complete_words() {
  PATH=$root/usr/bin:$PATH bash -c 'source "$1"; shift; COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1)); _vxrate; echo "${COMPREPLY[*]}"' _ "$script" "$@"
}
[[ $(complete_words vxrate d) == "datasheet description" ]] || fail "completion of commands"
[[ $(complete_words vxrate chart --) == "--pdf --svg --png --dpi --carrier --lang --units --paper" ]] ||
  fail "completion of chart options: $(complete_words vxrate chart --)"
[[ $(complete_words vxrate datasheet --units '') == "si us" ]] || fail "completion of --units"

((failures == 0)) && echo "package layout: all found"
exit $((failures > 0))
