#include "core/errors.h"

#include <cerrno>

#include <curl/curl.h>
#include <pugixml.hpp>

namespace kombitron {

std::string describeSystemError(int error)
{
    switch (error) {
    case 0: return "error desconocido";
    case ENOENT: return "no existe el fichero o la carpeta";
    case EACCES:
    case EPERM: return "permiso denegado";
    case ENOSPC: return "no queda espacio en el disco";
    case EDQUOT: return "se ha superado la cuota de disco";
    case EFBIG: return "el fichero supera el tamaño máximo permitido";
    case EISDIR: return "es una carpeta, no un fichero";
    case ENOTDIR: return "una parte de la ruta no es una carpeta";
    case EROFS: return "el disco es de solo lectura";
    case EEXIST: return "el fichero ya existe";
    case ENAMETOOLONG: return "el nombre del fichero es demasiado largo";
    case ELOOP: return "demasiados enlaces simbólicos en la ruta";
    case EMFILE:
    case ENFILE: return "demasiados ficheros abiertos";
    case EIO: return "error de lectura o escritura en el disco";
    case ENOMEM: return "memoria insuficiente";
    case EBUSY:
    case ETXTBSY: return "el fichero está en uso";
    case EXDEV: return "el fichero temporal y el destino están en discos distintos";
    case EINVAL: return "argumento no válido";
    case EAGAIN: return "recurso no disponible temporalmente";
    case EINTR: return "operación interrumpida";
    case ECONNREFUSED: return "conexión rechazada";
    case ETIMEDOUT: return "tiempo de espera agotado";
    default: return "error del sistema " + std::to_string(error);
    }
}

std::string describeTransferError(int curlCode)
{
    switch (static_cast<CURLcode>(curlCode)) {
    case CURLE_OK: return "sin error";
    case CURLE_UNSUPPORTED_PROTOCOL: return "protocolo no admitido";
    case CURLE_URL_MALFORMAT: return "dirección del servicio no válida";
    case CURLE_COULDNT_RESOLVE_PROXY: return "no se encontró el proxy";
    case CURLE_COULDNT_RESOLVE_HOST: return "no se encontró el servidor del servicio";
    case CURLE_COULDNT_CONNECT: return "no se pudo conectar con el servicio";
    case CURLE_WEIRD_SERVER_REPLY: return "respuesta del servicio no válida";
    case CURLE_PARTIAL_FILE: return "respuesta del servicio incompleta";
    case CURLE_WRITE_ERROR: return "no se pudo guardar la respuesta";
    case CURLE_OUT_OF_MEMORY: return "memoria insuficiente";
    case CURLE_OPERATION_TIMEDOUT: return "el servicio no respondió a tiempo";
    case CURLE_TOO_MANY_REDIRECTS: return "demasiadas redirecciones";
    case CURLE_GOT_NOTHING: return "el servicio cerró la conexión sin responder";
    case CURLE_SEND_ERROR: return "error al enviar la petición";
    case CURLE_RECV_ERROR: return "error al recibir la respuesta";
    case CURLE_SSL_CONNECT_ERROR: return "error en la conexión segura";
    case CURLE_PEER_FAILED_VERIFICATION: return "el certificado del servicio no es de confianza";
    case CURLE_SSL_CACERT_BADFILE: return "no se pudo leer el fichero de certificados";
    case CURLE_SSL_CERTPROBLEM: return "certificado no válido";
    case CURLE_BAD_CONTENT_ENCODING: return "codificación de la respuesta desconocida";
    case CURLE_ABORTED_BY_CALLBACK: return "petición interrumpida";
    default: return "error de comunicación " + std::to_string(curlCode);
    }
}

std::string describeXmlError(int status, std::ptrdiff_t offset)
{
    const char* words = nullptr;
    switch (static_cast<pugi::xml_parse_status>(status)) {
    case pugi::status_ok: return "sin error";
    case pugi::status_file_not_found: return "no existe el fichero";
    case pugi::status_io_error: return "error de lectura";
    case pugi::status_out_of_memory: return "memoria insuficiente";
    case pugi::status_internal_error: words = "error interno del analizador XML"; break;
    case pugi::status_unrecognized_tag: words = "etiqueta no reconocida"; break;
    case pugi::status_bad_pi: words = "instrucción de proceso o declaración XML mal formada"; break;
    case pugi::status_bad_comment: words = "comentario mal formado"; break;
    case pugi::status_bad_cdata: words = "sección CDATA mal formada"; break;
    case pugi::status_bad_doctype: words = "declaración de tipo de documento mal formada"; break;
    case pugi::status_bad_pcdata: words = "texto mal formado"; break;
    case pugi::status_bad_start_element: words = "etiqueta de apertura mal formada"; break;
    case pugi::status_bad_attribute: words = "atributo mal formado"; break;
    case pugi::status_bad_end_element: words = "etiqueta de cierre mal formada"; break;
    case pugi::status_end_element_mismatch: words = "etiqueta de cierre que no corresponde"; break;
    case pugi::status_append_invalid_root: words = "el documento no puede ir en ese lugar"; break;
    case pugi::status_no_document_element: return "el documento XML no tiene ningún elemento";
    }
    const std::string text = words ? words : "error XML " + std::to_string(status);
    return text + " (posición " + std::to_string(offset) + ")";
}

} // namespace kombitron
