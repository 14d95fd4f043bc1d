#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include <curl/curl.h>
#include <pugixml.hpp>

#include "core/errors.h"

using namespace kombitron;

namespace {
// A description is Spanish when it carries none of the libraries' English words.
void expectSpanish(const std::string& text)
{
    SCOPED_TRACE(text);
    EXPECT_FALSE(text.empty());
    for (const char* english : {"No such", "Permission", "denied", "space", "Couldn't", "Failed", "error parsing",
                                "Out of memory", "Timeout", "No document"})
        EXPECT_EQ(text.find(english), std::string::npos) << english;
}
} // namespace

TEST(Errors, EveryDescriptionIsSpanish)
{
    EXPECT_EQ(describeSystemError(ENOENT), "no existe el fichero o la carpeta");
    EXPECT_EQ(describeSystemError(EACCES), "permiso denegado");
    EXPECT_EQ(describeSystemError(ENOSPC), "no queda espacio en el disco");
    EXPECT_EQ(describeSystemError(EFBIG), "el fichero supera el tamaño máximo permitido");
    EXPECT_EQ(describeSystemError(99999), "error del sistema 99999");
    for (int e = 0; e < 140; ++e) expectSpanish(describeSystemError(e));

    EXPECT_EQ(describeTransferError(CURLE_COULDNT_CONNECT), "no se pudo conectar con el servicio");
    EXPECT_EQ(describeTransferError(CURLE_OPERATION_TIMEDOUT), "el servicio no respondió a tiempo");
    for (int c = 0; c < CURL_LAST; ++c) expectSpanish(describeTransferError(c));

    EXPECT_EQ(describeXmlError(pugi::status_end_element_mismatch, 120), "etiqueta de cierre que no corresponde (posición 120)");
    EXPECT_EQ(describeXmlError(pugi::status_out_of_memory, 0), "memoria insuficiente");
    for (int s = pugi::status_ok; s <= pugi::status_no_document_element; ++s) expectSpanish(describeXmlError(s, 3));
}
