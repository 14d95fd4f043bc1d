#!/usr/bin/env bash
# kombitron-cli random-bets, random-percent, own-system, algebra and tickets on small files made here.
set -u
cli=$1
failures=0
check() { # name expected actual
  if [ "$2" != "$3" ]; then echo "FAIL $1: expected [$2] got [$3]"; failures=$((failures + 1)); fi
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
lines() { tr -d '\r' | paste -sd'|'; }
bets() { "$cli" view "$1" | lines; }

# Generator by numbers: six numbers give one bet, and a second is more than the total system holds.
out=$("$cli" random-bets --numbers 1-6 --count 1 --out "$work/uno" --seed 5)
check numbers-one "Apuestas guardadas: 1|Fichero: $work/uno.KMB" "$(echo "$out" | lines)"
check numbers-one-bet "01,02,03,04,05,06+00" "$(bets "$work/uno.KMB")"
out=$("$cli" random-bets --numbers 1-6 --count 2 --out "$work/dos" --seed 5 2>&1); code=$?
check numbers-two-code 1 $code
check numbers-two-msg "ERROR: EL Nº DE APUESTAS A GENERAR HA DE SER MENOR O IGUAL QUE EL Nº DE APUESTAS DEL SISTEMA TOTAL (tiene 1 apuestas)" "$out"
check numbers-two-nothing "" "$(ls "$work" | grep dos)"
out=$("$cli" random-bets --numbers 1-5 --count 1 --out "$work/cinco" 2>&1); code=$?
check numbers-five-code 1 $code
check numbers-five-msg "AVISO: DEBE SELECCIONAR MINIMO 6 NUMEROS" "$out"
out=$("$cli" random-bets --numbers 1-8 --count 0 --out "$work/cero" 2>&1); code=$?
check numbers-zero-code 1 $code
check numbers-zero-msg "ERROR: EL Nº DE APUESTAS A GENERAR HA DE SER MAYOR QUE 0" "$out"
# The whole system of eight numbers in shuffled order: every bet once; the same seed, the same file.
"$cli" random-bets --numbers 1-8 --count 28 --out "$work/todas.txt" --seed 11 >/dev/null
check numbers-kmb-rule yes "$([ -f "$work/todas.KMB" ] && echo yes)"
check numbers-no-repeat 28 "$("$cli" view "$work/todas.KMB" | sort -u | wc -l)"
"$cli" random-bets --numbers 1-20 --count 500 --out "$work/s1" --seed 7 >/dev/null
"$cli" random-bets --numbers 1-20 --count 500 --out "$work/s2" --seed 7 >/dev/null
"$cli" random-bets --numbers 1-20 --count 500 --out "$work/s3" --seed 8 >/dev/null
check numbers-seed-same yes "$(cmp -s "$work/s1.KMB" "$work/s2.KMB" && echo yes)"
check numbers-seed-other yes "$(cmp -s "$work/s1.KMB" "$work/s3.KMB" || echo yes)"

# Generator by percentages: 7 at 50 % of ten bets sits in bets 1 to 5; 1 % of ten is no occurrence.
out=$("$cli" random-percent --percentages 7:50,1:1,2:1,3:1,4:1,5:1 --count 10 --out "$work/pct" --seed 3)
check percent-saved "Apuestas guardadas: 10|Fichero: $work/pct.KMB" "$(echo "$out" | lines)"
"$cli" view "$work/pct.KMB" >"$work/pct.txt"
check percent-seven-first "5" "$(head -5 "$work/pct.txt" | grep -c '07')"
check percent-seven-rest "0" "$(tail -5 "$work/pct.txt" | grep -c '07')"
check percent-one-percent "0" "$(cut -d+ -f1 "$work/pct.txt" | grep -cE '(^|,)0[1-5](,|$)')"
"$cli" random-percent --percentages 7:50,1:1,2:1,3:1,4:1,5:1 --count 10 --out "$work/pct2" --seed 3 >/dev/null
check percent-seed-same yes "$(cmp -s "$work/pct.KMB" "$work/pct2.KMB" && echo yes)"
out=$("$cli" random-percent --percentages 1:100,2:100,3:100,4:100,5:100,6:100 --count 10 --out "$work/p600" 2>&1); code=$?
check percent-600-code 1 $code
check percent-600-msg "ERROR: LA SUMA DE TODOS LOS % SELECCIONADOS DEBE SER MENOR DE 600" "$out"
"$cli" random-percent --percentages 1:100,2:100,3:100,4:100,5:100,6:99 --count 10 --out "$work/p599" >/dev/null 2>&1
check percent-599 0 $?
out=$("$cli" random-percent --percentages 1:10,2:10,3:10,4:10,5:10 --count 10 --out "$work/p5" 2>&1); code=$?
check percent-five-code 1 $code
check percent-five-msg "AVISO: DEBE SELECCIONAR MINIMO 6 PORCENTAJES DE NUMEROS" "$out"
"$cli" random-percent --percentages 1:10,1:20 --count 10 --out "$work/p" >/dev/null 2>&1; check percent-repeated 2 $?

# Own systems: the 28 bets of 1..8 moved onto 11..18, in order and reversed.
"$cli" generate --numbers 1-8 --game bonoloto >"$work/ocho.txt"
out=$("$cli" own-system "$work/ocho.txt" --to 11-18 --out "$work/propio" 2>"$work/err")
check own-saved "Apuestas guardadas: 28|Fichero: $work/propio.KMB" "$(echo "$out" | lines)"
check own-warning "AVISO: El nuevo Sistema Propio generado se creará con el REINTEGRO igual a 0." "$(cat "$work/err")"
check own-mapped "$(sed 's/0\([1-8]\)/1\1/g' "$work/ocho.txt" | lines)" "$(bets "$work/propio.KMB")"
"$cli" own-system "$work/ocho.txt" --to 11-18 --order 11:8,12:7,13:6,14:5,15:4,16:3,17:2,18:1 --out "$work/inverso" >/dev/null 2>&1
"$cli" view "$work/inverso.KMB" >"$work/inverso.txt"
check own-reversed-first "13,14,15,16,17,18+00" "$(head -1 "$work/inverso.txt")"
check own-reversed-sorted "" "$(awk -F'[,+]' '{ for (i = 2; i <= 6; i++) if ($i <= $(i-1)) print NR }' "$work/inverso.txt")"
check own-reversed-all "$(bets "$work/propio.KMB" | tr '|' '\n' | sort | lines)" "$(sort "$work/inverso.txt" | lines)"
out=$("$cli" own-system "$work/ocho.txt" --to 11-18 --order 11:1,12:1 --out "$work/x" 2>&1); code=$?
check own-repeated-code 1 $code
check own-repeated-msg "ERROR: Ese número del sistema ORIGEN ya esta seleccionado" "$out"
out=$("$cli" own-system "$work/ocho.txt" --to 11-18 --order 11:1,12:2 --out "$work/x" 2>&1); code=$?
check own-combos-code 1 $code
check own-combos-msg "ERROR: Algún número DESTINO no tiene asignado número ORIGEN (Rellene los Combos)" "$(echo "$out" | tail -1)"
out=$("$cli" own-system "$work/ocho.txt" --to 11-17 --out "$work/x" 2>&1); code=$?
check own-count-code 1 $code
check own-count-msg "ERROR: Cantidad de números seleccionados del sistema DESTINO distinto del sistema ORIGEN" "$out"
check own-nothing-saved "" "$(ls "$work" | grep '^x')"

# Algebra of A,B and B,C.
printf '01,02,03,04,05,07\r\n01,02,03,04,05,06\r\n' >"$work/ab.txt"
printf '01,02,03,04,05,07\r\n01,02,03,04,05,08\r\n' >"$work/bc.txt"
printf '01,02,03,04,05,08\r\n01,02,03,04,05,08\r\n' >"$work/cc.txt"
check algebra-sort "Proceso de ORDENACION (Ascendente) terminado CORRECTAMENTE|Nº Apuestas Ordenadas : 2" \
  "$("$cli" algebra sort "$work/ab.txt" | lines)"
check algebra-sum "Proceso de SUMA de Sistemas (directo) terminado CORRECTAMENTE|Nº Apuestas Sistema Resultante : 4" \
  "$("$cli" algebra sum "$work/ab.txt" "$work/bc.txt" | lines)"
check algebra-union "Proceso de SUMA de sistemas (quitar repetidas) terminado CORRECTAMENTE|Nº Apuestas Sistema Sumado : 4|Nº Apuestas repetidas : 1|Nº Apuestas FINALES : 3" \
  "$("$cli" algebra union "$work/ab.txt" "$work/bc.txt" | lines)"
check algebra-intersection "Proceso de INTERSECCION de sistemas (coger comunes) terminado CORRECTAMENTE|Nº Apuestas Sistema Sumado : 4|Nº Apuestas COMUNES : 1" \
  "$("$cli" algebra intersection "$work/ab.txt" "$work/bc.txt" | lines)"
out=$("$cli" algebra difference "$work/ab.txt" "$work/bc.txt" --out "$work/resta" | lines)
check algebra-difference-saved "01,02,03,04,05,06+00" "$(bets "$work/resta.KMB")"
"$cli" algebra sort "$work/ab.txt" --out "$work/orden" >/dev/null
check algebra-sort-saved "01,02,03,04,05,06+00|01,02,03,04,05,07+00" "$(bets "$work/orden.KMB")"
"$cli" algebra sort "$work/ab.txt" --descending --out "$work/desc" >/dev/null
check algebra-sort-descending "01,02,03,04,05,07+00|01,02,03,04,05,06+00" "$(bets "$work/desc.KMB")"
"$cli" algebra union "$work/ab.txt" "$work/bc.txt" --out "$work/union.txt" >/dev/null
check algebra-union-saved "01,02,03,04,05,06+00|01,02,03,04,05,07+00|01,02,03,04,05,08+00" "$(bets "$work/union.KMB")"
# A bet twice in system 2 is not common to system 1 for it: nothing to save, and the save says so.
out=$("$cli" algebra intersection "$work/ab.txt" "$work/cc.txt" --out "$work/vacio" 2>&1); code=$?
check algebra-empty-code 1 $code
check algebra-empty-result "Nº Apuestas COMUNES : 0" "$(echo "$out" | tr -d '\r' | grep COMUNES)"
check algebra-empty-nothing "" "$(ls "$work" | grep vacio)"
out=$("$cli" algebra union "$work/ab.txt" 2>&1); code=$?
check algebra-no-second-code 1 $code
check algebra-no-second-msg "ERROR: NO ESTA CARGADO EL SISTEMA 2" "$out"
"$cli" algebra cross "$work/ab.txt" >/dev/null 2>&1; check algebra-bad-operation 2 $?

# The viewer: 8 bets fill one ticket, 9 bets two, and ticket 3 of 2 is refused.
for i in 1 2 3 4 5 6 7 8 9; do printf '0%d,11,22,33,44,49,%d\r\n' "$i" $((i - 1)); done >"$work/nueve.txt"
head -8 "$work/nueve.txt" >"$work/ocho-boletos.txt"
check tickets-8 "Boleto actual : 1/1|01 02 03 04 05 06 07 08|11 11 11 11 11 11 11 11|22 22 22 22 22 22 22 22|33 33 33 33 33 33 33 33|44 44 44 44 44 44 44 44|49 49 49 49 49 49 49 49" \
  "$("$cli" tickets "$work/ocho-boletos.txt" | lines)"
check tickets-9 "Boleto actual : 1/2" "$("$cli" tickets "$work/nueve.txt" | head -1)"
pad="                     "
check tickets-9-last "Boleto actual : 2/2|09$pad|11$pad|22$pad|33$pad|44$pad|49$pad|08$pad" \
  "$("$cli" tickets "$work/nueve.txt" --ticket 2 --reintegros | lines)"
check tickets-reintegros "00 01 02 03 04 05 06 07" "$("$cli" tickets "$work/nueve.txt" --reintegros | sed -n 8p)"
out=$("$cli" tickets "$work/nueve.txt" --ticket 3 2>&1); code=$?
check tickets-jump-code 1 $code
check tickets-jump-msg "ERROR: EL NUMERO DE BOLETO DEBE ESTAR ENTRE 1 y 2" "$out"

[ $failures -eq 0 ] && echo "cli tools: all checks passed"
exit $failures
