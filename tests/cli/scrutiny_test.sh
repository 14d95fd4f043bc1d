#!/usr/bin/env bash
# kombitron-cli scrutiny, prizes, multiscrutiny and backtest on small files made here, the service
# parts against our own kombitron-resultsd with a prizes file made here.
set -u
cli=$1; service=$2
failures=0
check() { # name expected actual
  if [ "$2" != "$3" ]; then echo "FAIL $1: expected [$2] got [$3]"; failures=$((failures + 1)); fi
}
work=$(mktemp -d)
server=""
cleanup() { [ -n "$server" ] && kill "$server" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
lines() { tr -d '\r' | paste -sd'|'; }
starts() { # name prefix actual
  case "$3" in "$2"*) ;; *) echo "FAIL $1: expected [$2...] got [$3]"; failures=$((failures + 1)) ;; esac
}

# 17 bets with their reintegros: only bet 9 (5 hits and the complementary) has 3 hits or more.
{
  printf '20,21,22,23,24,25,3\r\n1,20,21,22,23,24,0\r\n1,2,20,21,22,23,3\r\n'
  for _ in 1 2 3 4 5; do printf '10,11,12,13,14,15,0\r\n'; done
  printf '1,2,3,4,5,7,3\r\n'
  for _ in 1 2 3 4 5 6 7 8; do printf '30,31,32,33,34,35,1\r\n'; done
} >"$work/17.txt"
out=$("$cli" scrutiny "$work/17.txt" --winning 1-6 --complementary 7 --reintegro 3 --reintegros)
check scrutiny-17 "Apuestas: 17|Boletos: 3|6	0|5+C	1|5	0|4	0|3	0|2	1|1	1|0	14|--------|Reinteg.	3" "$(echo "$out" | lines)"
# Without "Cargar Reintegros" every bet of a text file plays reintegro 0, whatever its hits.
out=$("$cli" scrutiny "$work/17.txt" --winning 1-6 --complementary 7 2>/dev/null)
check scrutiny-reintegro-0 "Reinteg.	17" "$(echo "$out" | tail -1)"
# A KMB file keeps its reintegros, but plays reintegro 0 unless "Cargar Reintegros" is given.
"$cli" convert "$work/17.txt" "$work/17.KMB" --reintegros >/dev/null
out=$("$cli" scrutiny "$work/17.KMB" --winning 1-6 --complementary 7 --reintegro 3 2>"$work/err")
check kmb-without-reintegros "Reinteg.	0" "$(echo "$out" | tail -1)"
check kmb-without-reintegros-msg "AVISO: Se ha asignado al fichero cargado el REINTEGRO 0." "$(cat "$work/err")"
out=$("$cli" scrutiny "$work/17.KMB" --winning 1-6 --complementary 7 --reintegro 3 --reintegros)
check kmb-with-reintegros "Reinteg.	3" "$(echo "$out" | tail -1)"
"$cli" scrutiny "$work/17.txt" --winning 1-6 --complementary 7 --report >"$work/report"
check report-17 "$(printf 'BOLETO 01  02  03  04  05  06  07  08\r\n     2 5+C --  --  --  --  --  --  --  \r\n')" "$(cat "$work/report")"
check report-ends-crlf "0d0a" "$(tail -c 2 "$work/report" | od -An -tx1 | tr -d ' \n')"

# One bet for each prize category; the complementary tells 5+C from 5.
printf '01,02,03,04,05,06\r\n01,02,03,04,05,07\r\n01,02,03,04,05,08\r\n01,02,03,04,08,09\r\n01,02,03,08,09,10\r\n' >"$work/cats.txt"
out=$("$cli" scrutiny "$work/cats.txt" --winning 1-6 --complementary 7 --game bonoloto)
check categories-bonoloto "Apuestas: 5|Boletos: 1|6	1|5+C	1|5	1|4	1|3	1|2	0|1	0|0	0" "$(echo "$out" | lines)"
out=$("$cli" scrutiny "$work/cats.txt" --winning 1-6 --game bonoloto)
check no-complementary "6	1|5+C	0|5	2" "$(echo "$out" | sed -n 3,5p | lines)"
out=$("$cli" scrutiny "$work/cats.txt" --winning 1-6 --complementary 3 2>&1); code=$?
check complementary-repeated-code 1 $code
check complementary-repeated-msg "El número complementario ha de ser distinto de los números elegidos" "$out"
"$cli" scrutiny "$work/cats.txt" --winning 1-7 >/dev/null 2>&1; check seven-winning 2 $?
out=$("$cli" scrutiny "$work/missing.txt" --winning 1-6 2>&1); code=$?
check missing-file-code 1 $code
starts missing-file-msg "ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO (" "$out"

# The calculator with given amounts: one prize of each category, the investment at each game's price.
out=$("$cli" prizes "$work/cats.txt" --winning 1-6 --complementary 7 --amounts 1000000,50000.5,1200,60,8)
check amounts-primitiva "Invertido             : 5,00 Euros|Total Cobrado         : 1051268,50 Euros|Porcentaje Recuperado : 21025370%" \
  "$(echo "$out" | lines)"
out=$("$cli" prizes "$work/cats.txt" --winning 1-6 --complementary 7 --game bonoloto --amounts 0,0,0,0,8)
check amounts-bonoloto "Invertido             : 2,50 Euros|Total Cobrado         : 8,00 Euros|Porcentaje Recuperado : 320%" \
  "$(echo "$out" | lines)"
"$cli" prizes "$work/cats.txt" --winning 1-6 >/dev/null 2>&1; check prizes-neither 2 $?
"$cli" prizes "$work/cats.txt" --winning 1-6 --amounts 1,2,3 >/dev/null 2>&1; check prizes-four-amounts 2 $?

# Multi-file: two combinations, the first equal to a bet; an unreadable file keeps the run going.
printf '01,02,03,04,05,06\r\n11,12,13,14,15,16\r\n' >"$work/sorteos.txt"
row() { printf '%-26s %-10s %-9s %-9s %-9s %-9s %-9s %-9s %-9s \r\n' "$@"; }
header='FICHERO                    APUESTAS   DE6       DE5       DE4       DE3       DE2       DE1       DE0'
out=$("$cli" multiscrutiny --sorteos "$work/sorteos.txt" "$work/cats.txt" "$work/nada.txt" "$work/17.txt" 2>"$work/err"); code=$?
check multi-code 0 $code
check multi-summary "$(printf '%s\r\n' "$header"; row cats.txt 5 1 2 1 1 0 0 5; printf '%-26s %-10s (error al leer el fichero)\r\n' nada.txt 0; row 17.txt 17 0 6 0 0 1 1 26)" "$out"
starts multi-unreadable-msg "ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO (" "$(cat "$work/err")"
out=$("$cli" multiscrutiny --sorteos "$work/sorteos.txt" "$work/cats.txt" --detailed)
check multi-detailed "Fichero 1: cats.txt|Apuestas Fichero 1: 5|000001. 01,02,03,04,05,06 = 1         2         1         1         0         0         0         |000002. 11,12,13,14,15,16 = 0         0         0         0         0         0         5         " \
  "$(echo "$out" | lines)"
many=(); for _ in $(seq 1001); do many+=("$work/cats.txt"); done
out=$("$cli" multiscrutiny --sorteos "$work/sorteos.txt" "${many[@]}" 2>&1); code=$?
check multi-1001-code 1 $code
check multi-1001-msg "SOLO SE PERMITEN CARGAR 1000 FICHEROS PARA ESCRUTAR" "$out"
check multi-1000 1001 "$("$cli" multiscrutiny --sorteos "$work/sorteos.txt" "${many[@]:1}" | wc -l)"
printf '' >"$work/vacio.txt"
out=$("$cli" multiscrutiny --sorteos "$work/vacio.txt" "$work/cats.txt" 2>&1); code=$?
check multi-no-winning-code 1 $code
check multi-no-winning-msg "ERROR: No hay Fichero de SORTEOS cargado para escrutar" "$(echo "$out" | tail -1)"

# Our service with three PRIMITIVA draws and the prizes of the first two.
mkdir -p "$work/data"
printf 'fecha,anio,sorteo,dia,n1,n2,n3,n4,n5,n6,complementario,reintegro\r\n01/01/2020,2020,1,X,1,2,3,4,5,6,7,8\r\n04/01/2020,2020,2,S,1,2,3,4,5,7,9,0\r\n08/01/2020,2020,3,X,11,12,13,14,15,16,17,1\r\n' \
  >"$work/data/primitiva.csv"
printf 'anio,sorteo,recaudacion,bote,premio6R,acertantes6R,premio6,acertantes6,premio5C,acertantes5C,premio5,acertantes5,premio4,acertantes4,premio3,acertantes3\r\n2020,1,1000000,0,0,0,500000,1,20000.5,2,1500,10,60,100,8,1000\r\n2020,2,900000,0,,,400000,0,10000,1,1200,5,50,90,8,900\r\n' \
  >"$work/data/primitiva-premios.csv"
"$service" --port 0 --data "$work/data" >"$work/service.out" 2>&1 &
server=$!
for _ in $(seq 50); do grep -qs '127.0.0.1:' "$work/service.out" && break; sleep 0.1; done
export KOMBITRON_SERVICE_URL="http://127.0.0.1:$(sed -n 's/.*127\.0\.0\.1:\([0-9]*\).*/\1/p' "$work/service.out")"

"$cli" prizes "$work/cats.txt" --winning 1-6 --complementary 7 --date 01/01/2020 >"$work/temp" 2>/dev/null; code=$?
check date-code 0 $code
check date-report "Tipo de Juego            : PRIMITIVA|Fecha Sorteo             : 01/01/2020|Número Sorteo            : 1|Día                      : X|Combinación Escrutada    : cats.txt|Total Apuestas           : 5|Total Boletos(de 8 apu.) : 1|Números Ganadores        : 01,02,03,04,05,06|Nº Complementario        : 7||Resultados|----------|Categoría NºPremios Euros|6         1         500000|5+C       1         20000,5|5         1         1500|4         1         60|3         1         8||Invertido             : 5,00 Euros|Total Cobrado         : 521568,50 Euros|Porcentaje Recuperado : 10431370%" \
  "$(lines <"$work/temp")"
check date-report-lines 22 "$(wc -l <"$work/temp")"
out=$("$cli" prizes "$work/cats.txt" --winning 1-6 --date 1/1/2020 2>&1); code=$?
check date-unpadded-code 1 $code
check date-unpadded-msg "ERROR: SORTEO NO ENCONTRADO" "$out"
out=$("$cli" prizes "$work/cats.txt" --winning 1-6 --date 31/02/2020 2>&1); code=$?
check date-invalid-code 1 $code
check date-invalid-msg "ERROR: FECHA DE SORTEO INCORRECTA" "$out"

out=$(KOMBITRON_SERVICE_URL="http://127.0.0.1:1" "$cli" prizes "$work/cats.txt" --winning 1-6 --date 01/01/2020 2>&1); code=$?
check date-unreachable-code 1 $code
starts date-unreachable-msg "ERROR AL CARGAR EL FICHERO DE SORTEOS (" "$out"
check date-unreachable-stdout "" "$(KOMBITRON_SERVICE_URL="http://127.0.0.1:1" "$cli" prizes "$work/cats.txt" --winning 1-6 --date 01/01/2020 2>/dev/null)"

# Back-test of the five bets over the three draws: the report as KOMBITRON_ESCRUTINIO.txt holds it.
"$cli" backtest "$work/cats.txt" --temporada-desde 2020 >"$work/escrutinio" 2>"$work/err"; code=$?
check backtest-code 0 $code
check backtest-report "000001. 2020  001  X   01,02,03,04,05,06,07 * 1-1-1-1-1 * 521.568,50|000002. 2020  002  S   01,02,03,04,05,07,09 * 1-0-2-1-1 * 402.458,00|000003. 2020  003  X   11,12,13,14,15,16,17 * 0-0-0-0-0 * 0,00||DETALLE DE PREMIOS/IMPORTES TOTALES (6-5C-5-4-3)|------------------------------------------------|PREMIO     CANTIDAD        IMPORTES           MEDIA|6          2               900.000,00         450.000,00|5+C        1               20.000,50          20.000,50|5          3               3.900,00           1.300,00|4          2               110,00             55,00|3          2               16,00              8,00||TOTALES|-------|Sorteos Escrutados    : 3|Importe total         : 924.026,50 euros|Estimación reintegros : 2 euros|IMPORTE FINAL         : 924.028,50 euros" \
  "$(lines <"$work/escrutinio")"
check backtest-no-notice "" "$(grep AVISO "$work/err")"
# The third draw has no amounts in the prizes file: the notice says so.
out=$("$cli" backtest "$work/cats.txt" --temporada-desde 2020 --sorteo-desde 3 2>&1 >/dev/null | grep AVISO)
check backtest-notice "AVISO: El servicio de resultados no ha dado ningún importe de premios para los sorteos escrutados; los importes del informe no son premios reales." "$out"
out=$("$cli" backtest "$work/cats.txt" --sorteo-desde 9 --sorteo-hasta 1 2>&1); code=$?
check backtest-range-code 1 $code
check backtest-range-msg "ERROR: Número de sorteo mínimo mayor que número de sorteo máximo" "$out"
KOMBITRON_SERVICE_URL="http://127.0.0.1:1" "$cli" backtest "$work/cats.txt" >/dev/null 2>&1
check backtest-unreachable 1 $?

[ $failures -eq 0 ] && echo "cli scrutiny: all checks passed"
exit $failures
