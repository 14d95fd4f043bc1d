#!/usr/bin/env bash
# kombitron-cli guarantees: summaries, levels, scopes, reports and refusals as a user sees them.
set -u
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
# A copy of the program in the work folder: the reports go to the program's folder.
cp "$1" "$dir/kombitron-cli"
cli="$dir/kombitron-cli"
failures=0
check() { # name expected actual
  if [ "$2" != "$3" ]; then echo "FAIL $1: expected [$2] got [$3]"; failures=$((failures + 1)); fi
}

"$cli" generate --numbers 1-12 --reintegros 3 --out "$dir/doce.txt" || exit 1
printf '01 02 03 04 05 06\r\n07 08 09 10 11 12\r\n01 03 05 07 09 11\r\n' > "$dir/tres.txt"

out=$("$cli" guarantees "$dir/doce.xml" "$dir/tres.txt" 2>/dev/null | tr -d '\r'); code=$?
check total-code 0 $code
check total-summary "000,325% 6 si 6  1-1 de 6, 0-0 de 5, 0-0 de 4, 1-2 de 3, 0-0 de 2, 0-0 de 1, 0-1 de 0
012,013% 5 si 6  1-1 de 5, 0-1 de 4, 0-2 de 3, 0-1 de 2, 0-1 de 1, 0-0 de 0
069,481% 4 si 6  1-2 de 4, 0-2 de 3, 0-2 de 2, 0-1 de 1, 0-0 de 0
100,000% 3 si 6  2-3 de 3, 0-1 de 2, 0-1 de 1, 0-1 de 0
100,000% 2 si 6
100,000% 1 si 6
100,000% 0 si 6" "$out"

out=$("$cli" guarantees "$dir/doce.xml" "$dir/tres.txt" --level 2 2>/dev/null | tr -d '\r')
check level-2 "059,091% 2 si 2  1-2 de 2, 0-2 de 1, 0-2 de 0
100,000% 1 si 2  2-3 de 1, 0-1 de 0
100,000% 0 si 2" "$out"

# The conditioned scope over an untouched system of 12 numbers gives the same as level 6.
check conditioned "$("$cli" guarantees "$dir/doce.xml" "$dir/tres.txt" 2>/dev/null)" \
  "$("$cli" guarantees "$dir/doce.xml" "$dir/tres.txt" --scope condicionado 2>/dev/null)"

out=$("$cli" guarantees "$dir/doce.xml" "$dir/tres.txt" --extended 2>/dev/null | tr -d '\r' | head -3)
check extended "DETALLE DE MINI GARANTIAS
059,091% 2 si 2 (39 Apu.)" "$out"

"$cli" guarantees "$dir/doce.xml" "$dir/tres.txt" --level todas >/dev/null 2>&1; code=$?
check todas-code 0 $code
check todas-files "KOMBITRON_GARANTIAS_si1.txt KOMBITRON_GARANTIAS_si2.txt KOMBITRON_GARANTIAS_si3.txt KOMBITRON_GARANTIAS_si4.txt KOMBITRON_GARANTIAS_si5.txt KOMBITRON_GARANTIAS_si6.txt" \
  "$(cd "$dir" && echo KOMBITRON_GARANTIAS_*)"
check todas-si2-first "39        059,091% 2 si 2 $(printf '%52s')     1-2          0-2          0-2     " \
  "$(head -1 "$dir/KOMBITRON_GARANTIAS_si2.txt" | tr -d '\r')"

# --draws: the conditioned system of a configuration with SORTEOS ANTERIORES, built as calc builds it.
printf '01,02,03,04,05,06,07,08 2020 1 J\r\n07,08,09,10,11,12,01,02 2020 2 S\r\n' > "$dir/h.txt"
sed -e "s|<Filtro nombre='SORTEOSANTERIORES' activado='0'>|<Filtro nombre='SORTEOSANTERIORES' activado='1'><grupo numero='1'><sorteoDESDE numero='1' anio='2000'/><sorteoHASTA numero='99' anio='2030'/><sorteoDIAS valor='0'/><aciertosMinimoSORTEOS valor='0' /><aciertosMaximoSORTEOS valor='0' /><acertarEN valores='6' /></grupo>|" \
    "$dir/doce.xml" > "$dir/sorteos.xml"
out=$("$cli" guarantees "$dir/sorteos.xml" "$dir/tres.txt" --scope condicionado --draws "$dir/h.txt" 2>/dev/null | tr -d '\r' | head -1); code=$?
# Two of the 924 bets were drawn and are gone: of the 922 outcomes left, one is a reduced bet, and
# the two reduced bets that were drawn hold three of its numbers each.
check draws-code 0 $code
check draws-conditioned "000,108% 6 si 6  1-1 de 6, 0-0 de 5, 0-0 de 4, 2-2 de 3, 0-0 de 2, 0-0 de 1, 0-0 de 0" "$out"
"$cli" guarantees "$dir/sorteos.xml" "$dir/tres.txt" --draws "$dir/no-such.txt" >/dev/null 2>&1; check draws-missing 1 $?

# A report that cannot be written: the message, the summary, and exit 1.
rm -f "$dir"/KOMBITRON_GARANTIAS_si3.txt && mkdir "$dir/KOMBITRON_GARANTIAS_si3.txt"
out=$("$cli" guarantees "$dir/doce.xml" "$dir/tres.txt" --level todas 2>&1 >/dev/null); code=$?
check todas-unwritable-code 1 $code
check todas-unwritable-msg yes "$(echo "$out" | grep -q '^ERROR AL GENERAR EL FICHERO EN EL BLOC DE NOTAS (' && echo yes)"
rmdir "$dir/KOMBITRON_GARANTIAS_si3.txt"

"$cli" guarantees "$dir/doce.xml" "$dir/tres.txt" --level 7 >/dev/null 2>&1; check bad-level 2 $?
"$cli" guarantees "$dir/doce.xml" "$dir/tres.txt" --scope condicionado --level 3 >/dev/null 2>&1; check conditioned-level 2 $?
"$cli" guarantees "$dir/doce.xml" >/dev/null 2>&1; check missing-bets-arg 2 $?
"$cli" guarantees "$dir/doce.xml" "$dir/no-such.txt" >/dev/null 2>&1; check missing-bets-file 1 $?

[ $failures -eq 0 ] && echo "all guarantees command-line checks passed"
exit $failures
