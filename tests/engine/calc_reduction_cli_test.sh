#!/usr/bin/env bash
# kombitron-cli calc with the reduction active: the run, its limits, the exact count, as a user sees them.
set -u
cli=$1
failures=0
check() { # name expected actual
  if [ "$2" != "$3" ]; then echo "FAIL $1: expected [$2] got [$3]"; failures=$((failures + 1)); fi
}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

"$cli" generate --numbers 1-12 --reintegros 3 --out "$dir/doce.txt" >/dev/null || exit 1
# option FILE NAME VALUE: a copy of the base file with one reduction option changed.
option() { sed "s|<$2 \(descripcion='[^']*' \)\?valor='[^']*'|<$2 \1valor='$3'|" "$1"; }
option "$dir/doce.xml" Tipo 2 > "$dir/al4.xml"

reduced() { tr -d '\r' | sed -n 's/^TOTAL Apuestas Reducidas *: //p'; }

# "Reducción al 4" by percentage, cycles on: stopped after three counted cycles.
"$cli" calc "$dir/al4.xml" --max-cycles 3 --print-bets >"$dir/out" 2>"$dir/err"; code=$?
check max-cycles-code 0 $code
count=$(reduced < "$dir/out")
check max-cycles-bets "$count" "$(grep -c '+03$' "$dir/out")"
check max-cycles-last "Ciclo Actual : 3" "$(grep 'Ciclo Actual : [1-9]' "$dir/err" | tail -1)"
check max-cycles-improved "Apuestas : $count" "$(grep '^Apuestas : ' "$dir/err" | tail -1)"
check repeatable "$(cat "$dir/out")" "$("$cli" calc "$dir/al4.xml" --max-cycles 3 --print-bets 2>/dev/null)"

# A time limit stops the same run too.
"$cli" calc "$dir/al4.xml" --seconds 0.5 >"$dir/out" 2>/dev/null; code=$?
check seconds-code 0 $code
check seconds-reduced yes "$([ "$(reduced < "$dir/out")" -ge 1 ] && echo yes)"

# Exactly 10 bets asked for: the run ends by itself after one cycle with cycles off, then the count is made exact.
option "$dir/al4.xml" ActivarNumeroApuestas 1 | option /dev/stdin NuApuestas 10 | option /dev/stdin ApuestasExactas 1 |
  option /dev/stdin ActivarCiclos 0 > "$dir/exactas.xml"
"$cli" calc "$dir/exactas.xml" --print-bets >"$dir/out" 2>"$dir/err"; code=$?
check exact-code 0 $code
check exact-reduced 10 "$(reduced < "$dir/out")"
check exact-bets 10 "$(grep -c '+03$' "$dir/out")"

# "al 3" scans first fit: by bet count with an exact count its cycles repeat until a stop, cycles
# off or not, and the command line says so when no limit would end it.
option "$dir/exactas.xml" Tipo 3 > "$dir/sinfin.xml"
timeout 2 "$cli" calc "$dir/sinfin.xml" >/dev/null 2>"$dir/err"
check endless-warned "Aviso: esta reducción solo termina al detenerla; use --max-cycles o --seconds" "$(head -1 "$dir/err")"
"$cli" calc "$dir/sinfin.xml" --max-cycles 2 >/dev/null 2>"$dir/err"; code=$?
check endless-limited 0 $code
check endless-no-warning 0 "$(grep -c '^Aviso' "$dir/err")"

# More exact bets than the conditioned system holds: refused before any reduction.
option "$dir/exactas.xml" NuApuestas 1000 > "$dir/demasiadas.xml"
out=$("$cli" calc "$dir/demasiadas.xml" 2>&1 >/dev/null); code=$?
check too-many-code 1 $code
check too-many-msg "ERROR: Ha elegido reducir con la opción 'Número Exacto de Apuestas' y dicho número supera el sistema final condicionado, cambie el número de apuestas pedidas al reducir" "$out"

"$cli" calc "$dir/al4.xml" --max-cycles x >/dev/null 2>&1; check bad-limit 2 $?

[ $failures -eq 0 ] && echo "all calc reduction command-line checks passed"
exit $failures
