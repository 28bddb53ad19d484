#include "debits/sepa/SEPASchema.h"

#include <libxml/parser.h>
#include <libxml/xmlschemas.h>

#include <map>
#include <memory>
#include <mutex>

namespace zaq::eingebettet {
std::string_view Datei(std::string_view name);
}

namespace zaq::sepa {
namespace {

struct Schema {
  xmlSchemaPtr schema = nullptr;
  ~Schema() {
    if (schema) xmlSchemaFree(schema);
  }
};

void Sammle(void* ziel, const xmlError* fehler) {
  auto& funde = *static_cast<std::vector<std::string>*>(ziel);
  std::string text = fehler->message ? fehler->message : "";
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  funde.push_back("XSD: line " + std::to_string(fehler->line) + ": " + text);
}

// Parsed once per schema; libxml2's parsed schemas may be shared by validations.
xmlSchemaPtr Geladen(std::string_view name) {
  static std::mutex sperre;
  static std::map<std::string, std::unique_ptr<Schema>, std::less<>> schemas;
  std::lock_guard lock(sperre);
  if (auto it = schemas.find(name); it != schemas.end()) return it->second->schema;
  auto& eintrag = schemas[std::string(name)];
  eintrag = std::make_unique<Schema>();
  const std::string_view xsd = eingebettet::Datei(std::string(name) + ".xsd");
  if (xsd.empty()) return nullptr;
  xmlSchemaParserCtxtPtr parser = xmlSchemaNewMemParserCtxt(xsd.data(), static_cast<int>(xsd.size()));
  if (!parser) return nullptr;
  eintrag->schema = xmlSchemaParse(parser);
  xmlSchemaFreeParserCtxt(parser);
  return eintrag->schema;
}

}  // namespace

std::vector<std::string> ValidateAgainstXsd(std::string_view xml, std::string_view schema) {
  std::vector<std::string> funde;
  xmlSchemaPtr xsd = Geladen(schema);
  if (!xsd) return {"XSD: no schema for \"" + std::string(schema) + "\"."};
  xmlDocPtr doc = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "pain.008.xml", "UTF-8",
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE);
  if (!doc) {
    const xmlError* fehler = xmlGetLastError();
    return {std::string("XSD: the document is no well-formed XML") +
            (fehler && fehler->message ? std::string(": ") + fehler->message : std::string("."))};
  }
  xmlSchemaValidCtxtPtr pruefung = xmlSchemaNewValidCtxt(xsd);
  xmlSchemaSetValidStructuredErrors(pruefung, [](void* ziel, xmlErrorPtr e) { Sammle(ziel, e); }, &funde);
  const int ergebnis = xmlSchemaValidateDoc(pruefung, doc);
  xmlSchemaFreeValidCtxt(pruefung);
  xmlFreeDoc(doc);
  if (ergebnis != 0 && funde.empty()) funde.push_back("XSD: the document does not validate.");
  return funde;
}

}  // namespace zaq::sepa
