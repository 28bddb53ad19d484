#pragma once
// The check of a written pain.008 document against the official XSD of its
// schema (libxml2).  The schemas travel inside the program.
#include <string>
#include <string_view>
#include <vector>

namespace zaq::sepa {

// The findings of the schema check, "XSD: ..." each; none when the document
// is valid.  An unknown schema is itself a finding.
std::vector<std::string> ValidateAgainstXsd(std::string_view xml, std::string_view schema);

}  // namespace zaq::sepa
