#!/usr/bin/env bash
# kombitron-cli calc and summary: the report, the bets, the saved files and the messages as a user sees them.
set -u
cli=$1
failures=0
check() { # name expected actual
  if [ "$2" != "$3" ]; then echo "FAIL $1: expected [$2] got [$3]"; failures=$((failures + 1)); fi
}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
crlf() { printf '%s\r\n' "$@"; }

# A base of 1..10 with reintegro 3, then PARES E IMPARES active with three even numbers.
"$cli" generate --numbers 1-10 --reintegros 3 --out "$dir/b.KMB"
sed -e "s/nombre='PARESIMPARES' activado='0'/nombre='PARESIMPARES' activado='1'/" \
    -e "s/<ParesActivos valores=''/<ParesActivos valores='3'/" "$dir/b.xml" > "$dir/pares.xml"

"$cli" calc "$dir/pares.xml" > "$dir/report"; code=$?
crlf 'TOTAL Apuestas Iniciales     : 210' 'TOTAL Apuestas Eliminadas    : 110' \
  'TOTAL Apuestas Condicionadas : 100' 'TOTAL Apuestas Reducidas     : 100' '' \
  'Eliminadas por cada Filtro Activo:' 'PARES E IMPARES: 110' '' > "$dir/expected"
check calc-code 0 $code
check calc-report same "$(cmp -s "$dir/expected" "$dir/report" && echo same)"

bets=$("$cli" calc "$dir/pares.xml" --print-bets | tr -d '\r' | tail -n +9)
check calc-bets-count 100 "$(echo "$bets" | wc -l)"
check calc-bets-first "01,02,03,04,05,06+03" "$(echo "$bets" | head -1)"
check calc-bets-last "05,06,07,08,09,10+03" "$(echo "$bets" | tail -1)"

# --out: the definitive save, KMB and XML beside it; the bets read back.
"$cli" calc "$dir/pares.xml" --out "$dir/final.txt" > /dev/null; code=$?
check calc-out-code 0 $code
check calc-out-files "yes yes" "$([ -f "$dir/final.KMB" ] && echo yes) $([ -f "$dir/final.xml" ] && echo yes)"
check calc-out-bets "$(echo $bets)" "$(echo $("$cli" view "$dir/final.KMB"))"

# A refused calculation: the message on stderr, exit 1, nothing on stdout.
"$cli" generate --numbers 1-6 --reintegros 3 --out "$dir/seis.KMB"
sed -e "s/numeros='1,2,3,4,5,6'/numeros='1,2,3,4,5'/" "$dir/seis.xml" > "$dir/cinco.xml"
out=$("$cli" calc "$dir/cinco.xml" 2>"$dir/err"); code=$?
check calc-refused-code 1 $code
check calc-refused-out "" "$out"
check calc-refused-msg "AVISO: DEBE SELECCIONAR MINIMO 6 NUMEROS" "$(cat "$dir/err")"

# Every bet eliminated.
sed -e "s/<ParesActivos valores='3'/<ParesActivos valores='6'/" "$dir/pares.xml" > "$dir/ninguna.xml"
"$cli" calc "$dir/ninguna.xml" > /dev/null 2>"$dir/err"; code=$?
check calc-zero-code 1 $code
check calc-zero-msg "ERROR: Se han generado 0 apuestas después de condicionar, cambie las condiciones" "$(cat "$dir/err")"

# --draws: past winning combinations eliminated with SORTEOS ANTERIORES, {6} at most 0 times.
printf '01,02,03,04,05,06,07,08 2020 1 J\r\n01,02,03,04,05,07 2020 2 S\r\n11,12,13,14,15,16 2021 1 J\r\n' > "$dir/h.txt"
sed -e "s|<Filtro nombre='SORTEOSANTERIORES' activado='0'>|<Filtro nombre='SORTEOSANTERIORES' activado='1'><grupo numero='1'><sorteoDESDE numero='1' anio='2000'/><sorteoHASTA numero='99' anio='2030'/><sorteoDIAS valor='0'/><aciertosMinimoSORTEOS valor='0' /><aciertosMaximoSORTEOS valor='0' /><acertarEN valores='6' /></grupo>|" \
    "$dir/b.xml" > "$dir/sorteos.xml"
out=$("$cli" calc "$dir/sorteos.xml" --draws "$dir/h.txt" 2>"$dir/err" | tr -d '\r' | grep SORTEOS)
check calc-draws "SORTEOS ANTERIORES: 2" "$out"
check calc-draws-question "yes" "$(grep -q "Está activado el filtro 'SORTEOS ANTERIORES'" "$dir/err" && echo yes)"
out=$("$cli" calc "$dir/sorteos.xml" 2>/dev/null | tr -d '\r' | grep SORTEOS)
check calc-no-draws "SORTEOS ANTERIORES: 0" "$out"

# --import: the imported bets are the total system, in file order, with their reintegros.
printf '10 20 30 40 45 49 2\r\n01 02 03 04 05 06 2\r\n02 04 06 07 09 11 2\r\n' > "$dir/mias.txt"
out=$("$cli" calc "$dir/pares.xml" --import "$dir/mias.txt" --reintegros --print-bets 2>/dev/null | tr -d '\r')
check calc-import "$(printf 'TOTAL Apuestas Iniciales     : 3\nTOTAL Apuestas Eliminadas    : 1')" "$(echo "$out" | head -2)"
check calc-import-bets "01,02,03,04,05,06+02 02,04,06,07,09,11+02" "$(echo $(echo "$out" | tail -2))"

# summary: the filter summary of the configuration.
out=$("$cli" summary "$dir/pares.xml" | tr -d '\r')
check summary-head "RESUMEN" "$(echo "$out" | head -1)"
check summary-name "Nombre combinación : pares.xml" "$(echo "$out" | grep 'Nombre combinación')"
check summary-filter "Números jugados (Pares-Impares): 3-3" "$(echo "$out" | grep 'Pares-Impares')"
out=$("$cli" summary "$dir/pares.xml" --import "$dir/mias.txt" 2>/dev/null | tr -d '\r')
check summary-import "Base desde Fichero : $dir/mias.txt" "$(echo "$out" | grep 'Base desde Fichero')"

"$cli" calc > /dev/null 2>&1; code=$?
check calc-usage 2 $code

# A base file that cannot be opened ends summary and calc with exit 1 and prints nothing.
out=$("$cli" summary "$dir/no-existe.xml" 2>/dev/null); code=$?
check summary-missing-code 1 $code
check summary-missing-out "" "$out"
"$cli" calc "$dir/no-existe.xml" >/dev/null 2>&1; check calc-missing-code 1 $?

# analysis: the report of the analysis window, counts or percentages, for the game of the base file.
printf '01 02 03 04 05 06 7\r\n01 02 03 10 20 49 7\r\n01 11 12 13 14 15 0\r\n' > "$dir/tres.txt"
out=$("$cli" analysis "$dir/pares.xml" "$dir/tres.txt" --reintegros | tr -d '\r'); code=$?
check analysis-code 0 $code
check analysis-head "KOMBITRON ANALISIS:||NUMEROS|            10 1         20 1         30 --        40 --        " \
  "$(echo "$out" | head -4 | paste -sd'|')"
check analysis-one "1 3         11 1         21 --        31 --        41 --        " "$(echo "$out" | sed -n 5p)"
check analysis-reintegros "0 1         1 --        2 --        3 --        4 --        " "$(echo "$out" | grep '^0 ')"
out=$("$cli" analysis "$dir/pares.xml" "$dir/tres.txt" --percentages | tr -d '\r' | sed -n 5p)
check analysis-percentages "1 100%      11 33,33%    21 --        31 --        41 --        " "$out"
"$cli" analysis "$dir/pares.xml" "$dir/no-existe.txt" >/dev/null 2>&1; check analysis-missing-bets 1 $?

[ $failures -eq 0 ] && echo "all calc command checks passed"
exit $failures
