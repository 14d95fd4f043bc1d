#!/usr/bin/env bash
# kombitron-cli generate: the checks of a calculation, the order of the bets and the reintegro rules.
set -u
cli=$1
failures=0
check() { # name expected actual
  if [ "$2" != "$3" ]; then echo "FAIL $1: expected [$2] got [$3]"; failures=$((failures + 1)); fi
}

check version "KOMBITRON 10.0" "$("$cli" --version)"

out=$("$cli" generate --numbers 1-5 --reintegros 3 2>&1); code=$?
check five-numbers-code 1 $code
check five-numbers-msg "AVISO: DEBE SELECCIONAR MINIMO 6 NUMEROS" "$out"

out=$("$cli" generate --numbers 1-7 2>&1); code=$?
check no-reintegro-code 1 $code
check no-reintegro-msg "AVISO: Hay que seleccionar mínimo 1 reintegro" "$out"

out=$("$cli" generate --numbers 1-7 --reintegros 3,7 2>&1); code=$?
check direct-two-code 1 $code
check direct-two-msg "ERROR: Con el tipo de Reintegro 'Al directo' sólo se puede seleccionar 1 reintegro" "$out"

out=$("$cli" generate --numbers 1-6,49 --reintegros 2,5,9 --mode secuenciales)
check sequential "01,02,03,04,05,06+02 01,02,03,04,05,49+05 01,02,03,04,06,49+09 01,02,03,05,06,49+02 01,02,04,05,06,49+05 01,03,04,05,06,49+09 02,03,04,05,06,49+02" "$(echo $out)"

out=$("$cli" generate --numbers 10,20,30,40,45,49 --game bonoloto)
check bonoloto "10,20,30,40,45,49+00" "$out"

check count "13983816" "$("$cli" generate --numbers 1-49 --reintegros 4 --count)"
check random-repeatable "$("$cli" generate --numbers 1-12 --reintegros 0-9 --mode aleatorios | md5sum)" \
  "$("$cli" generate --numbers 1-12 --reintegros 0-9 --mode aleatorios | md5sum)"

"$cli" generate --numbers 1-x >/dev/null 2>&1; check bad-list 2 $?
"$cli" generate --numbers 1-7 --mode otro >/dev/null 2>&1; check bad-mode 2 $?
"$cli" frobnicate >/dev/null 2>&1; check unknown-command 2 $?

# Usage errors say what is wrong in Spanish, with the command's usage.
out=$("$cli" generate --numbers 1-x 2>&1)
check usage-message "kombitron-cli: --numbers: «1-x» no es una lista de números y rangos entre 1 y 49 (por ejemplo 1-10,15,20)
Uso: kombitron-cli generate [OPCIONES]
Más información: kombitron-cli generate --help" "$out"
check usage-unknown "kombitron-cli: orden desconocida: frobnicate" "$("$cli" frobnicate 2>&1 | head -1)"
check usage-missing "kombitron-cli: falta FILE" "$("$cli" view 2>&1 | head -1)"
check usage-extras "kombitron-cli: argumentos de más o desconocidos: --nada" "$("$cli" view a.txt --nada 2>&1 | head -1)"
check usage-no-value "kombitron-cli: falta el valor de --numbers" "$("$cli" generate --numbers 2>&1 | head -1)"

# Every command has its --help: exit 0, its usage line and its options, on stdout.
for command in generate view import convert base calc summary guarantees analysis stats "history load" "history update" \
    scrutiny prizes multiscrutiny backtest random-bets random-percent own-system algebra tickets; do
  out=$("$cli" $command --help 2>/dev/null); code=$?
  check "help-$command-code" 0 $code
  check "help-$command-usage" yes "$(echo "$out" | grep -q "^Uso: kombitron-cli $command" && echo yes)"
  check "help-$command-options" yes "$(echo "$out" | grep -q -- '-h,--help' && echo yes)"
done
check help-root yes "$("$cli" --help | grep -q '^  guarantees ' && echo yes)"

# Ctrl-C during a big save: the command ends with 130 and leaves no temporary file beside the target.
sigdir=$(mktemp -d)
"$cli" generate --numbers 1-49 --game bonoloto --out "$sigdir/todo.KMB" & pid=$!
for _ in $(seq 1 100); do ls "$sigdir" | grep -q tmp && break; sleep 0.02; done
kill -INT $pid; wait $pid; code=$?
if [ $code -eq 130 ]; then
  check sigint-leftovers "" "$(ls "$sigdir" | grep tmp)"
else
  check sigint-finished-first 0 $code  # the save won the race; nothing to clean either way
fi
rm -rf "$sigdir"

[ $failures -eq 0 ] && echo "cli generate: all checks passed"
exit $failures
