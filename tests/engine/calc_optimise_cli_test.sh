#!/usr/bin/env bash
# kombitron-cli calc --optimize and guarantees --holes, as a user sees them.
set -u
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp "$1" "$dir/kombitron-cli"
cli="$dir/kombitron-cli"
failures=0
check() { # name expected actual
  if [ "$2" != "$3" ]; then echo "FAIL $1: expected [$2] got [$3]"; failures=$((failures + 1)); fi
}
option() { sed "s|<$2 \(descripcion='[^']*' \)\?valor='[^']*'|<$2 \1valor='$3'|" "$1"; }
reduced() { tr -d '\r' | sed -n 's/^TOTAL Apuestas Reducidas *: //p'; }

"$cli" generate --numbers 1-15 --reintegros 3 --out "$dir/quince.txt" >/dev/null || exit 1
# "Reducción al 3" of 15 numbers, one cycle: 7 bets where 4 are enough.
option "$dir/quince.xml" Tipo 3 | option /dev/stdin ActivarCiclos 0 > "$dir/al3.xml"
plain=$("$cli" calc "$dir/al3.xml" 2>/dev/null | reduced)

"$cli" calc "$dir/al3.xml" --optimize 2 --seed 3 --print-bets --out "$dir/opt" >"$dir/out" 2>"$dir/err"; code=$?
check optimise-code 0 $code
count=$(reduced < "$dir/out")
check optimise-smaller yes "$([ "$count" -le "$plain" ] && [ "$count" -ge 1 ] && echo yes)"
check optimise-printed "$count" "$(grep -c '+03$' "$dir/out")"
check optimise-progress "Optimizado : $count apuestas ($plain antes)" "$(grep '^Optimizado' "$dir/err")"
check optimise-live yes "$(grep -q '^Optimizando : [0-9.]* apuestas, [0-9,]* % cubierto' "$dir/err" && echo yes)"
# The saved bets are the optimised ones, and they keep the guarantee: every draw of the 15
# numbers shares 3 with some bet, no hole below 3.
check saved-count "$count" "$("$cli" view "$dir/opt.KMB" 2>/dev/null | grep -c '+03')"
check saved-guarantee "100,000% 3 si 6" "$("$cli" guarantees "$dir/al3.xml" "$dir/opt.KMB" 2>/dev/null | tr -d '\r' | sed -n 4p | cut -c1-15)"
check no-holes "Casos con menos de 3 aciertos en la mejor apuesta: 0 de 5.005" \
  "$("$cli" guarantees "$dir/al3.xml" "$dir/opt.KMB" --holes 3 2>/dev/null | tr -d '\r' | sed -n 3p)"
# The base file beside the bets is the one a plain calculation saves (but for its time).
"$cli" calc "$dir/al3.xml" --out "$dir/plain" >/dev/null 2>&1
undated() { grep -v '^<DatosGeneracionFicheroXML ' "$1"; }
check base-unchanged "$(undated "$dir/plain.xml")" "$(undated "$dir/opt.xml")"

# An exact count of 8 bets: optimised first, the count made exact afterwards.
option "$dir/al3.xml" ActivarNumeroApuestas 1 | option /dev/stdin NuApuestas 8 | option /dev/stdin ApuestasExactas 1 > "$dir/exactas.xml"
"$cli" calc "$dir/exactas.xml" --max-cycles 1 --optimize 1 --print-bets >"$dir/out" 2>/dev/null; code=$?
check exact-code 0 $code
check exact-bets 8 "$(grep -c '+03$' "$dir/out")"

"$cli" calc "$dir/al3.xml" --optimize 0 >/dev/null 2>&1; check bad-seconds 2 $?
"$cli" calc "$dir/al3.xml" --optimize x >/dev/null 2>&1; check bad-seconds-text 2 $?

# Holes of a hand-made system of 12 numbers: two bets split the numbers in halves.
"$cli" generate --numbers 1-12 --reintegros 3 --out "$dir/doce.txt" >/dev/null || exit 1
printf '01 02 03 04 05 06\r\n07 08 09 10 11 12\r\n' > "$dir/dos.txt"
out=$("$cli" guarantees "$dir/doce.xml" "$dir/dos.txt" --level 2 --holes 2 2>/dev/null | tr -d '\r'); code=$?
check holes-code 0 $code
# The 36 pairs across the halves have one hit at best.
check holes-report "HUECOS DEL SISTEMA REDUCIDO (2 Apuestas)
Garantías sobre el SISTEMA TOTAL, si 2 Aciertos
Casos con menos de 2 aciertos en la mejor apuesta: 36 de 66

01,07  1 acierto
01,08  1 acierto" "$(echo "$out" | head -6)"
check holes-listed 36 "$(echo "$out" | grep -c ' 1 acierto$')"
check holes-level-1 "Casos con menos de 1 aciertos en la mejor apuesta: 0 de 12" \
  "$("$cli" guarantees "$dir/doce.xml" "$dir/dos.txt" --level 1 --holes 1 2>/dev/null | tr -d '\r' | sed -n 3p)"
"$cli" guarantees "$dir/doce.xml" "$dir/dos.txt" --level todas --holes 2 >/dev/null 2>&1; check holes-todas 2 $?
"$cli" guarantees "$dir/doce.xml" "$dir/dos.txt" --holes 7 >/dev/null 2>&1; check holes-range 2 $?

[ $failures -eq 0 ] && echo "all optimise and holes command-line checks passed"
exit $failures
