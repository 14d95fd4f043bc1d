#pragma once

#include <cstddef>
#include <string>

namespace kombitron {

// Short Spanish descriptions of the failures a player can meet, so that no library's English
// text reaches a message. Each ends with the code in brackets only where the words alone could
// be ambiguous.

// A system error number (errno), for example "no existe el fichero o la carpeta" for ENOENT;
// unknown numbers give "error del sistema N".
std::string describeSystemError(int error);

// A libcurl result code (CURLcode), for example "no se pudo conectar con el servicio" for
// CURLE_COULDNT_CONNECT; unknown codes give "error de comunicación N".
std::string describeTransferError(int curlCode);

// A pugixml parse status (pugi::xml_parse_status) and the byte offset where parsing stopped,
// for example "etiqueta de cierre que no corresponde (posición 120)".
std::string describeXmlError(int status, std::ptrdiff_t offset);

} // namespace kombitron
