// Pieces of the JSON that the command-line tool prints: string literals, objects, arrays.
#pragma once

#include <string>
#include <vector>

namespace orvane {

/// `text` as a JSON string literal, quotes included; bytes above 0x7F are taken as Latin-1.
std::string jsonString(const std::string& text);

/// An object written member by member, in order.
class JsonObject {
 public:
  JsonObject& field(const char* name, const std::string& value) { return raw(name, jsonString(value)); }
  JsonObject& field(const char* name, long long value) { return raw(name, std::to_string(value)); }
  JsonObject& field(const char* name, bool value) { return raw(name, value ? "true" : "false"); }
  JsonObject& raw(const char* name, const std::string& json) {
    m_text += (m_text.empty() ? "{" : ",") + jsonString(name) + ":" + json;
    return *this;
  }
  std::string done() const { return m_text.empty() ? "{}" : m_text + "}"; }

 private:
  std::string m_text;
};

/// The items (each already JSON) as an array.
std::string jsonArray(const std::vector<std::string>& items);

}  // namespace orvane
