#!/usr/bin/env bash
# kombitron-cli view, import, convert, base and generate --out: files, output and messages as a user sees them.
set -u
cli=$1
failures=0
check() { # name expected actual
  if [ "$2" != "$3" ]; then echo "FAIL $1: expected [$2] got [$3]"; failures=$((failures + 1)); fi
}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# generate --out: the KMB file (".KMB" rule) and the base file beside it.
"$cli" generate --numbers 1-7 --reintegros 3 --out "$dir/semana.txt"; code=$?
check generate-out-code 0 $code
check generate-out-files "semana.KMB semana.xml" "$(cd "$dir" && echo *)"
check view-generated "$(echo $("$cli" generate --numbers 1-7 --reintegros 3))" "$(echo $("$cli" view "$dir/semana.KMB"))"
check base-numbers "<Base_Numeros numeros='1,2,3,4,5,6,7'/>" "$(grep -a Base_Numeros "$dir/semana.xml" | tr -d '\r')"

# view: the reader the extension selects; reintegros only when asked for.
printf '01 02 03 04 05 06 7\r\n10 20 30 40 45  49 1\r\n' > "$dir/apuestas.txt"
check view-text "01,02,03,04,05,06+00 10,20,30,40,45,49+00" "$(echo $("$cli" view "$dir/apuestas.txt"))"
check view-text-reintegros "01,02,03,04,05,06+07 10,20,30,40,45,49+01" "$(echo $("$cli" view "$dir/apuestas.txt" --reintegros))"
printf '01 02 03 04 05 06\r\n' > "$dir/sin.txt"
out=$("$cli" view "$dir/sin.txt" --reintegros 2>&1 >/dev/null); code=$?
check view-failed-code 1 $code
check view-failed-msg "ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO ( Ha elegido la opción de Cargar Reintegros y el fichero no tiene reintegros en sus apuestas (Apuesta 1))" "$out"

# convert: any bet file to KMB with header "0".
"$cli" convert "$dir/apuestas.txt" "$dir/copia.kmb" --reintegros; code=$?
check convert-code 0 $code
check convert-view "01,02,03,04,05,06+07 10,20,30,40,45,49+01" "$(echo $("$cli" view "$dir/copia.kmb"))"

# import: distinct bets in file order, warnings on stderr.
printf '10 20 30 40 45 49 2\r\n01 02 03 04 05 06 2\r\n10 20 30 40 45 49 2\r\n' > "$dir/repetidas.txt"
out=$("$cli" import "$dir/repetidas.txt" --reintegros 2>"$dir/err"); code=$?
check import-code 0 $code
check import-bets "10,20,30,40,45,49+02 01,02,03,04,05,06+02" "$(echo $out)"
check import-warning "AVISO: El sistema importado tiene apuestas repetidas y estas han sido eliminadas
TOTAL apuestas repetidas: 1" "$(cat "$dir/err")"
out=$("$cli" import "$dir/repetidas.txt" --game bonoloto 2>"$dir/err")
check import-no-reintegros "10,20,30,40,45,49+00 01,02,03,04,05,06+00" "$(echo $out)"

# base: open as ABRIR does, write back with the ".xml" rule.
"$cli" base "$dir/semana.xml" --save "$dir/otra"; code=$?
check base-code 0 $code
check base-same "$(grep -av DatosGeneracion "$dir/semana.xml")" "$(grep -av DatosGeneracion "$dir/otra.xml")"
printf "<XML><BASE><Programa IDtipojuego='x'/><BaseASCII valor='C:\\\\a.txt'/></BASE></XML>" > "$dir/mala.xml"
out=$("$cli" base "$dir/mala.xml" --save "$dir/buena.txt" 2>&1); code=$?
check base-errors-code 0 $code
check base-errors-box "ERRORES detectados al abrir la BASE:

TIPOJUEGO : 'x' no es un número

AVISO : La Base fue importada desde el fichero en ASCII: (C:\\a.txt)
Debe importarlo de nuevo con la opción 'Desde Archivo' si quiere que su Combinación parta de dicho fichero." "$out"
check base-errors-saved yes "$([ -f "$dir/buena.xml" ] && echo yes)"

# A base file that cannot be opened: the FICHERO line, exit 1, and nothing written over the target.
printf 'precioso' > "$dir/destino.xml"
out=$("$cli" base "$dir/no-existe.xml" --save "$dir/destino.xml" 2>&1); code=$?
check base-missing-code 1 $code
check base-missing-msg "ERRORES detectados al abrir la BASE:

FICHERO : ERROR AL ABRIR EL FICHERO" "$out"
check base-missing-kept "precioso" "$(cat "$dir/destino.xml")"
printf 'esto no es XML <' > "$dir/roto.xml"
"$cli" base "$dir/roto.xml" --save "$dir/roto-copia" >/dev/null 2>&1; check base-broken-code 1 $?
check base-broken-nothing-saved no "$([ -e "$dir/roto-copia.xml" ] && echo yes || echo no)"

[ $failures -eq 0 ] && echo "all formats command-line checks passed"
exit $failures
