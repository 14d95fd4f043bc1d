#!/usr/bin/env bash
# kombitron-cli history and stats: loading, the update against our service, the queries.
set -u
cli=$1; service=$2; data=$3
failures=0
check() { # name expected actual
  if [ "$2" != "$3" ]; then echo "FAIL $1: expected [$2] got [$3]"; failures=$((failures + 1)); fi
}
work=$(mktemp -d)
server=""
cleanup() { [ -n "$server" ] && kill "$server" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

out=$("$cli" history load "$data/bonoloto.txt")
check load-bonoloto "Sorteos cargados : 9.361|Desde sorteo : 1 temporada : 1988|Hasta sorteo : 231 temporada : 2026" \
  "$(echo "$out" | paste -sd'|')"

printf '01,02,03,04,05,50 2007 1 J\r\n' >"$work/bad.txt"
out=$("$cli" history load "$work/bad.txt" 2>&1); code=$?
check load-bad-code 1 $code
check load-bad-msg "ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO ()" "$out"

out=$("$cli" stats "$data/primitiva.txt" --query 1 --temporada-desde 2010 --temporada-hasta 2010 --dia 4)
check stats-header "Bajos  Altos          Apariciones" "$(echo "$out" | head -1)"
check stats-lines 9 "$(echo "$out" | wc -l)"
check stats-count "Número de sorteos de la última consulta : 52" "$(echo "$out" | tail -1)"
out=$("$cli" stats "$data/primitiva.txt" --query 0 --sorteo-desde 9 --sorteo-hasta 1 2>&1); code=$?
check stats-range-code 1 $code
check stats-range-msg "ERROR: Número de sorteo mínimo mayor que número de sorteo máximo" "$out"
"$cli" stats "$data/primitiva.txt" --query 12 >/dev/null 2>&1; check stats-bad-query 2 $?
"$cli" stats "$data/primitiva.txt" --dia 8 >/dev/null 2>&1; check stats-bad-day 2 $?

# The update runs against our own service on a free port.
"$service" --port 0 --data "$data" >"$work/service.out" 2>&1 &
server=$!
for _ in $(seq 50); do grep -q '127.0.0.1:' "$work/service.out" && break; sleep 0.1; done
port=$(sed -n 's/.*127\.0\.0\.1:\([0-9]*\).*/\1/p' "$work/service.out")
export KOMBITRON_SERVICE_URL="http://127.0.0.1:$port"

out=$("$cli" history update "$work/new.txt" --game bonoloto 2>"$work/err"); code=$?
check update-code 0 $code
check update-count "Sorteos cargados : 9.361" "$(echo "$out" | head -1)"
check update-message "SE HAN ACTUALIZADO 9361 COMBINACIONES EN EL FICHERO: $work/new.txt" "$(tail -1 "$work/err")"
check update-line "06,08,12,23,24,45,03,00 1988 1 D" "$(sed -n 2p "$work/new.txt" | tr -d '\r')"
check update-same-draws "$(tr -d '\r' <"$data/bonoloto.txt")" "$(tail -n +2 "$work/new.txt" | tr -d '\r')"

out=$("$cli" history update "$work/new.txt" --game primitiva 2>"$work/err"); code=$?
check update-again-code 0 $code
check update-again-count "Sorteos cargados : 4.176" "$(echo "$out" | head -1)"

KOMBITRON_SERVICE_URL="http://127.0.0.1:1" "$cli" history update "$work/new.txt" --game primitiva >/dev/null 2>&1
check update-unreachable 1 $?
"$cli" history update "$work/new.txt" --game euromillones >/dev/null 2>&1; check update-bad-game 2 $?

# calc --draws-from-service: "Cargar" fetches the game's draws. SORTEOS ANTERIORES with {6} between 1
# and 5 times keeps only the bets that were a winning combination: 2 of the 210 bets of 1..10.
mkdir -p "$work/data"
printf 'fecha,anio,sorteo,dia,n1,n2,n3,n4,n5,n6,complementario,reintegro\r\n01/01/2020,2020,1,X,1,2,3,4,5,6,7,8\r\n04/01/2020,2020,2,S,1,2,3,4,5,7,9,0\r\n08/01/2020,2020,3,X,11,12,13,14,15,16,17,1\r\n' \
  >"$work/data/primitiva.csv"
kill "$server"; wait "$server" 2>/dev/null
"$service" --port 0 --data "$work/data" >"$work/service.out" 2>&1 &
server=$!
for _ in $(seq 50); do grep -q '127.0.0.1:' "$work/service.out" && break; sleep 0.1; done
export KOMBITRON_SERVICE_URL="http://127.0.0.1:$(sed -n 's/.*127\.0\.0\.1:\([0-9]*\).*/\1/p' "$work/service.out")"
"$cli" generate --numbers 1-10 --reintegros 3 --out "$work/b.KMB" >/dev/null
sed -e "s|<Filtro nombre='SORTEOSANTERIORES' activado='0'>|<Filtro nombre='SORTEOSANTERIORES' activado='1'><grupo numero='1'><sorteoDESDE numero='1' anio='2000'/><sorteoHASTA numero='999' anio='2030'/><sorteoDIAS valor='0'/><aciertosMinimoSORTEOS valor='1' /><aciertosMaximoSORTEOS valor='5' /><acertarEN valores='6' /></grupo>|" \
    "$work/b.xml" >"$work/sorteos.xml"
out=$("$cli" calc "$work/sorteos.xml" --draws-from-service 2>/dev/null | tr -d '\r' | grep SORTEOS); code=$?
check calc-service "SORTEOS ANTERIORES: 208" "$out"
out=$(KOMBITRON_SERVICE_URL="http://127.0.0.1:1" "$cli" calc "$work/sorteos.xml" --draws-from-service 2>&1 >/dev/null); code=$?
check calc-service-down-code 1 $code
check calc-service-down-msg "ERROR AL ABRIR EL FICHERO DE SORTEOS (" "${out:0:38}"

[ $failures -eq 0 ] && echo "cli history: all checks passed"
exit $failures
