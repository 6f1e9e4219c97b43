#!/usr/bin/env bash
# The Debian package as a school meets it: made from this build tree, unpacked into a throw-away
# root and used from there (version, a first start that fills the user's program folder, a school
# year and a report printed from the installed files), its menu entry validated and lintian
# without errors. Usage: PackageTest.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

fail() { echo "FALHOU: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >cpack.log 2>&1 || { cat cpack.log; fail "cpack"; }
deb=$(ls out/lumesco_*_amd64.deb)
echo "pacote: $(basename "$deb") ($(du -h "$deb" | cut -f1))"

control=$(dpkg-deb --field "$deb")
grep -q '^Package: lumesco$' <<<"$control" || fail "nome do pacote"
grep -q '^Section: education$' <<<"$control" || fail "seção"
grep -qE '^Depends:.*libqt6widgets6' <<<"$control" || fail "dependências calculadas (shlibdeps): $control"
grep -qE '^Depends:.*fonts-liberation2' <<<"$control" || fail "dependência das fontes"
grep -qE '^Depends:.*libsqlite3-0' <<<"$control" || fail "dependência do SQLite (ligado ao programa)"

dpkg -x "$deb" root
for f in usr/bin/lumesco usr/bin/lumesco-cli usr/bin/zupri-sim usr/include/lumesco/ZupriDLL.h \
         usr/share/applications/lumesco.desktop usr/share/pixmaps/lumesco.png \
         usr/share/man/man1/lumesco.1.gz usr/share/man/man1/lumesco-cli.1.gz \
         usr/share/man/man1/zupri-sim.1.gz usr/share/doc/lumesco/copyright \
         usr/share/doc/lumesco/changelog.gz usr/share/lumesco/defaults/AJUDA/default.htm \
         usr/share/lumesco/defaults/Contrato.rtf; do
  [ -e "root/$f" ] || fail "falta $f"
done
ls root/usr/lib/*/libZupriDLL.so.1 >/dev/null || fail "falta a biblioteca libZupriDLL.so.1"
# Nothing outside the usual places.
[ -z "$(cd root && find . -mindepth 1 -maxdepth 1 ! -name usr)" ] || fail "arquivos fora de /usr"

desktop-file-validate root/usr/share/applications/lumesco.desktop || fail "atalho do menu"
zcat root/usr/share/man/man1/lumesco-cli.1.gz | grep -q 'init DATA_DIR' || fail "manual do lumesco-cli"
MANWIDTH=80 man -l root/usr/share/man/man1/zupri-sim.1.gz >/dev/null 2>man.err || fail "manual do zupri-sim"

export LD_LIBRARY_PATH="$work/root/usr/lib/x86_64-linux-gnu"
export HOME="$work/home"
unset XDG_DATA_HOME LUMESCO_PROGRAM_DIR
mkdir -p "$HOME"
cli="$work/root/usr/bin/lumesco-cli"
"$cli" --version | grep -q '^Lumesco v ' || fail "--version"

# The first start fills the user's program folder, never the installed tree.
folder="$HOME/.local/share/Lumesco"
"$cli" years >years.txt || fail "years"
[ -f "$folder/AJUDA/default.htm" ] || fail "ajuda copiada para a pasta do usuário"
[ -f "$folder/ConfigRede.txt" ] || fail "ConfigRede.txt na pasta do usuário"
grep -q "$folder/Data" years.txt || fail "ano letivo na pasta do usuário: $(cat years.txt)"

# What the school edits survives the next start.
printf 'modelo da escola' >"$folder/Contrato.rtf"
"$cli" years >/dev/null
[ "$(cat "$folder/Contrato.rtf")" = "modelo da escola" ] || fail "modelo editado substituído"

"$cli" init "$work/escola/2026" --year 2026 --demo >init.txt || fail "init"
"$cli" report "$work/escola/2026" caixa-movimento --from 01/03/2026 --to 31/03/2026 --pdf caixa.pdf \
  >/dev/null || fail "relatório"
[ "$(head -c 5 caixa.pdf)" = "%PDF-" ] || fail "PDF do relatório"

# A shared school folder is taken from the environment.
LUMESCO_PROGRAM_DIR="$work/compartilhada" "$cli" years >/dev/null
[ -f "$work/compartilhada/AJUDA/default.htm" ] || fail "pasta compartilhada"

lintian --fail-on error --suppress-tags-from-file /dev/null "$deb" >lintian.txt 2>&1 || {
  cat lintian.txt; fail "lintian"
}
grep -c '^W:' lintian.txt | xargs echo "lintian: avisos:" || true
echo "pacote verificado"
