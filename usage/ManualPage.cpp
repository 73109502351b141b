#include "usage/ManualPage.h"

#include <algorithm>
#include <cctype>

namespace orvane {

namespace {

bool isSynopsisPunctuation(char c) { return c == ' ' || c == '[' || c == ']' || c == '|' || c == ',' || c == '.'; }

std::string upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

/// Paragraphs separated by an empty line, each as a text line after .PP.
void appendParagraphs(std::string& page, std::string_view text) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\n\n", start);
    if (end == std::string_view::npos) end = text.size();
    std::string paragraph(text.substr(start, end - start));
    for (char& c : paragraph)
      if (c == '\n') c = ' ';
    if (paragraph.find_first_not_of(' ') != std::string::npos) page += ".PP\n" + roffText(paragraph) + "\n";
    start = end + 2;
  }
}

void appendTagged(std::string& page, const std::string& tag, std::string_view text) {
  page += ".TP\n" + tag + "\n" + roffText(text) + "\n";
}

void appendOptions(std::string& page, const std::vector<OptionHelp>& options) {
  for (const OptionHelp& option : options) {
    std::string tag = "\\fB" + roffText(option.name) + "\\fR";
    if (!option.value.empty()) tag += " " + roffSynopsis(option.value);
    appendTagged(page, tag, option.text);
  }
}

void appendExamples(std::string& page, const std::vector<Definition>& examples) {
  for (const Definition& example : examples) {
    page += ".PP\n" + roffText(example.text) + "\n.PP\n.RS 4\n.nf\n\\fB" + roffText(example.term) + "\\fR\n.fi\n.RE\n";
  }
}

void appendDefinitions(std::string& page, std::string_view title, const std::vector<Definition>& definitions) {
  if (definitions.empty()) return;
  page += ".SH " + std::string(title) + "\n";
  for (const Definition& definition : definitions)
    appendTagged(page, "\\fB" + roffText(definition.term) + "\\fR", definition.text);
}

void appendVerb(std::string& page, const ProgramHelp& program, const CommandHelp& verb) {
  page += ".SS " + roffText(verb.name) + "\n.PP\n\\fB" + roffText(program.name) + " " + roffText(verb.name) +
          "\\fR " + roffSynopsis(verb.synopsis) + "\n.PP\n" + roffText(verb.summary) + ".\n";
  appendParagraphs(page, verb.description);
  appendOptions(page, verb.options);
  if (!verb.examples.empty()) {
    page += ".PP\n\\fIExamples:\\fR\n";
    appendExamples(page, verb.examples);
  }
  if (!verb.exitStatus.empty()) page += ".PP\n\\fIExit status:\\fR " + roffText(verb.exitStatus) + "\n";
}

}  // namespace

std::string roffText(std::string_view text) {
  std::string out;
  if (!text.empty() && (text.front() == '.' || text.front() == '\'')) out += "\\&";
  for (const char c : text) {
    if (c == '\\') out += "\\e";
    else if (c == '-') out += "\\-";
    else out += c;
  }
  return out;
}

std::string roffSynopsis(std::string_view synopsis) {
  std::string out;
  std::size_t position = 0;
  while (position < synopsis.size()) {
    if (isSynopsisPunctuation(synopsis[position])) {
      out += synopsis[position];
      ++position;
      continue;
    }
    std::size_t end = position;
    while (end < synopsis.size() && !isSynopsisPunctuation(synopsis[end])) ++end;
    // "ARCHIVE.sqlite": a dot inside a word belongs to it.
    while (end + 1 < synopsis.size() && synopsis[end] == '.' && std::isalnum(static_cast<unsigned char>(synopsis[end + 1]))) {
      ++end;
      while (end < synopsis.size() && !isSynopsisPunctuation(synopsis[end])) ++end;
    }
    const std::string_view word = synopsis.substr(position, end - position);
    const bool placeholder = std::isupper(static_cast<unsigned char>(word.front())) != 0;
    out += (placeholder ? "\\fI" : "\\fB") + roffText(word) + "\\fR";
    position = end;
  }
  return out;
}

std::string manualPage(const ProgramHelp& program) {
  std::string page = ".TH " + roffText(upper(program.name)) + " 1 \"\" \"Orvane " + roffText(program.version) +
                     "\" \"User Commands\"\n.ad l\n.nh\n";
  page += ".SH NAME\n" + roffText(program.name) + " \\- " + roffText(program.summary) + "\n";
  page += ".SH SYNOPSIS\n\\fB" + roffText(program.name) + "\\fR " + roffSynopsis(program.synopsis) + "\n";
  for (const CommandHelp& verb : program.verbs)
    page += ".br\n\\fB" + roffText(program.name) + " " + roffText(verb.name) + "\\fR " + roffSynopsis(verb.synopsis) +
            "\n";
  page += ".SH DESCRIPTION\n";
  appendParagraphs(page, program.description);
  if (!program.options.empty()) {
    page += ".SH OPTIONS\n";
    appendOptions(page, program.options);
  }
  if (!program.verbs.empty()) {
    page += ".SH VERBS\n";
    for (const CommandHelp& verb : program.verbs) appendVerb(page, program, verb);
  }
  page += ".SH \"EXIT STATUS\"\n";
  appendParagraphs(page, program.exitStatus);
  appendDefinitions(page, "ENVIRONMENT", program.environment);
  appendDefinitions(page, "FILES", program.files);
  if (!program.examples.empty()) {
    page += ".SH EXAMPLES\n";
    appendExamples(page, program.examples);
  }
  if (!program.seeAlso.empty()) {
    page += ".SH \"SEE ALSO\"\n";
    for (std::size_t i = 0; i < program.seeAlso.size(); ++i) {
      const std::string_view reference = program.seeAlso[i];
      const std::size_t open = std::min(reference.find('('), reference.size());
      page += ".BR " + roffText(reference.substr(0, open)) + " " + std::string(reference.substr(open)) +
              (i + 1 < program.seeAlso.size() ? ",\n" : "\n");
    }
  }
  return page;
}

}  // namespace orvane
