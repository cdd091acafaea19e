#pragma once
// Small helpers for the XML parts of an .xlsx package: element names without namespace
// prefixes, cell references, the text of (rich) text runs and the _xHHHH_ escapes.

#include <pugixml.hpp>

#include <optional>
#include <string>
#include <string_view>

namespace plumetra::xlsx {

// Every part is parsed keeping whitespace-only text ("<t> </t>" is one blank).
inline constexpr unsigned ParseOptions = pugi::parse_default | pugi::parse_ws_pcdata_single;

// The element's name without its namespace prefix ("x:c" -> "c").
std::string_view localName(const pugi::xml_node& node);
// The first child element with this local name.
pugi::xml_node child(const pugi::xml_node& node, std::string_view name);
// An attribute by local name ("r:id" is found as "id").
pugi::xml_attribute attribute(const pugi::xml_node& node, std::string_view name);

template <typename Visit>
void forEachChild(const pugi::xml_node& node, std::string_view name, Visit visit) {
  for (pugi::xml_node item = node.first_child(); item; item = item.next_sibling())
    if (item.type() == pugi::node_element && localName(item) == name) visit(item);
}

struct CellReference {
  int row = 0;  // from 0
  int col = 0;  // from 0
};
// "AB12" -> row 11, column 27. std::nullopt for anything outside A1:XFD1048576.
std::optional<CellReference> parseCellReference(std::string_view text);
// "12" -> 11 (a row attribute); std::nullopt outside 1..1048576.
std::optional<int> parseRowNumber(std::string_view text);

// Replaces the escapes "_x000D_" and the like by their characters ("_x005F_" is "_").
std::string decodeEscapes(std::string_view text);
// The text of a string item (<si> or <is>): its <t>, or its runs' <t> joined; phonetic
// runs (<rPh>) are left out. Escapes are decoded.
std::string runText(const pugi::xml_node& item);

}  // namespace plumetra::xlsx
