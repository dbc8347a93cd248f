#include "toolkit/xml_document.h"

#include <expat.h>

#include <fstream>
#include <sstream>

#include "toolkit/ui_string.h"

namespace velmora::toolkit {
namespace {

struct ParseState {
  XML_Parser parser = nullptr;
  std::vector<XmlElement*> stack;
  std::optional<XmlElement> root;
  std::string error;
};

void OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
  auto* state = static_cast<ParseState*>(data);
  if (state->stack.size() >= kMaxXmlDepth) {
    state->error = "nesting too deep";
    XML_StopParser(state->parser, XML_FALSE);
    return;
  }
  XmlElement element;
  element.name = name;
  for (size_t i = 0; attributes[i] != nullptr && attributes[i + 1] != nullptr; i += 2) {
    element.attributes.emplace_back(attributes[i], attributes[i + 1]);
  }
  XmlElement* placed;
  if (state->stack.empty()) {
    state->root = std::move(element);
    placed = &*state->root;
  } else {
    state->stack.back()->children.push_back(std::move(element));
    placed = &state->stack.back()->children.back();
  }
  state->stack.push_back(placed);
}

void OnEnd(void* data, const XML_Char*) {
  auto* state = static_cast<ParseState*>(data);
  if (!state->stack.empty()) state->stack.pop_back();
}

void OnText(void* data, const XML_Char* text, int length) {
  auto* state = static_cast<ParseState*>(data);
  if (!state->stack.empty()) state->stack.back()->text.append(text, static_cast<size_t>(length));
}

}  // namespace

const std::string* XmlElement::Attribute(std::string_view attributeName) const {
  for (const auto& [key, value] : attributes) {
    if (EqualsNoCase(key, attributeName)) return &value;
  }
  return nullptr;
}

std::optional<XmlElement> ParseXml(std::string_view text, std::string* error) {
  ParseState state;
  state.parser = XML_ParserCreate(nullptr);
  if (state.parser == nullptr) {
    if (error) *error = "out of memory";
    return std::nullopt;
  }
  XML_SetUserData(state.parser, &state);
  XML_SetElementHandler(state.parser, OnStart, OnEnd);
  XML_SetCharacterDataHandler(state.parser, OnText);
  // The stack holds pointers into parents' child vectors. Only the innermost open element
  // gains children, and none of its earlier children is still open, so a reallocation never
  // moves an element the stack points to.
  bool ok = XML_Parse(state.parser, text.data(), static_cast<int>(text.size()), XML_TRUE) == XML_STATUS_OK;
  if (!ok && state.error.empty()) {
    std::ostringstream message;
    message << XML_ErrorString(XML_GetErrorCode(state.parser)) << " at line "
            << XML_GetCurrentLineNumber(state.parser);
    state.error = message.str();
  }
  XML_ParserFree(state.parser);
  if (!ok || !state.root) {
    if (error) *error = state.error.empty() ? "no root element" : state.error;
    return std::nullopt;
  }
  return std::move(state.root);
}

std::optional<XmlElement> LoadXmlFile(const std::string& path, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (error) *error = "cannot open " + path;
    return std::nullopt;
  }
  std::ostringstream content;
  content << in.rdbuf();
  return ParseXml(content.str(), error);
}

}  // namespace velmora::toolkit
