// The `assemble` and `disassemble` verbs: one action block between its bytes and its
// assembly text.
#include <ostream>

#include "actions/assembly/ActionAssembler.h"
#include "actions/assembly/ActionDisassembler.h"
#include "cli/AssemblyErrorText.h"
#include "cli/Verbs.h"
#include "platform/FileTools.h"

namespace orvane {

int runAssemble(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() != 2) return context.usage("assemble takes IN.txt OUT.bin");
  const std::string& in = parsed.positional[0];
  const std::string& out = parsed.positional[1];
  const auto text = readWholeFile(in);
  if (!text) {
    context.err() << "orvane-cli: cannot read " << in << "\n";
    return exitcode::kFailure;
  }
  AssembledText assembled;
  AssemblyError fault;
  if (!assembleActionText(std::string_view(reinterpret_cast<const char*>(text->data()), text->size()), assembled,
                          fault)) {
    context.err() << assemblyErrorText(in, fault) << "\n";
    return exitcode::kFailure;
  }
  if (assembled.kind != AssembledText::Kind::Block) {
    const AssembledBlock& first = assembled.blocks.front();
    context.err() << assemblyErrorText(in, {first.line, first.column,
                                            "assemble takes the text of one block; the on blocks of a button or "
                                            "clip go to replace-actions"})
                  << "\n";
    return exitcode::kFailure;
  }
  if (!writeFileAtomically(out, assembled.blocks.front().bytes)) {
    context.err() << "orvane-cli: cannot write " << out << "\n";
    return exitcode::kFailure;
  }
  return exitcode::kSuccess;
}

int runDisassemble(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {}, parsed, error)) return context.usage(error);
  if (parsed.positional.empty() || parsed.positional.size() > 2) return context.usage("disassemble takes IN.bin [OUT.txt]");
  const std::string& in = parsed.positional[0];
  const auto block = readWholeFile(in);
  if (!block) {
    context.err() << "orvane-cli: cannot read " << in << "\n";
    return exitcode::kFailure;
  }
  std::string text;
  appendBlockAssembly(text, *block);
  if (parsed.positional.size() == 1) {
    context.out() << text;
    return exitcode::kSuccess;
  }
  const std::string& out = parsed.positional[1];
  if (!writeFileAtomically(out, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()))) {
    context.err() << "orvane-cli: cannot write " << out << "\n";
    return exitcode::kFailure;
  }
  return exitcode::kSuccess;
}

}  // namespace orvane
