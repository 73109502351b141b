#include "shell/SyntaxColouring.h"

#include <algorithm>
#include <array>

#include "abc/AbcOpcodes.h"

namespace orvane {

namespace {

constexpr std::string_view kV5Conditional = "if,else,while,ifFrameLoaded,tellTarget,do{,++,--,function,on,add";
constexpr std::string_view kV5Keywords =
    "setProperty,getProperty,set,Trace,play (),stop (),call,gotoAndStop,getURL,nextFrame,prevFrame,"
    "gotoAndPlay,toggleHighQuality,stopAllSounds,setTarget,gotoLabel,stringlength,substring,mbstringlength,"
    "mbsubstring,mbord,ord,mbchr,chr,getTimer,duplicateMovieClip,removeMovieClip,startDrag,stopDrag,random,"
    "unloadMovie,loadMovie,loadVariables,gotoAndPlay,gotoAndStop,";
constexpr std::string_view kV4Conditional =
    "If,Else,End If,Loop While,End Loop,End Frame Loaded,Frame Is Loaded,Begin Tell Target,End Tell Target";
constexpr std::string_view kV4Keywords =
    "SetProperty,GetProperty,Set Variable:,Trace,Play(),Stop(),Call,Go to and Stop,Get URL,Goto Next Frame,"
    "Goto Prev Frame,Go to and Play,Toggle High Quality,Stop All Sounds,SetTarget,Goto Label,StringLength,"
    "SubString,MBStringLength,MBSubString,MBOrd,Ord,MBChr,Chr,Get Timer,Duplicate Movie Clip,Remove Movie Clip,"
    "Start Drag,Stop Drag,Random,UnLoad Movie,Load Movie,Load Variables,Go to and Play,Go to and Stop,";
constexpr std::string_view kAs3Conditional =
    "if,else,while,do,for,each,in,switch,case,default,break,continue,return,throw,try,catch,finally,function,"
    "with";
constexpr std::string_view kAs3Keywords =
    "package,class,interface,extends,implements,public,private,protected,internal,static,override,final,dynamic,"
    "native,var,const,get,set,namespace,import,new,this,super,null,undefined,true,false,void";
constexpr std::array<std::string_view, 4> kErrorTexts = {"END Action Script", "?stackempty?",
                                                         "<EXPRESSION TABLE ERROR>", "Dumping Items Still On Stack"};

enum class State { Normal, String, LineComment, BlockComment };

}  // namespace

void KeywordTable::addList(std::string_view list, Rgb colour) {
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    const std::string_view piece = list.substr(0, comma);
    list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
    if (piece.empty()) continue;
    const bool known = std::any_of(m_keywords.begin(), m_keywords.end(),
                                   [&](const Keyword& keyword) { return keyword.text == piece; });
    if (!known) m_keywords.push_back({std::string(piece), colour});
  }
}

void KeywordTable::addMnemonics(const SyntaxColours& colours) {
  for (int code = 0; code < 256; ++code) {
    const AbcOpcode& opcode = abcOpcode(static_cast<std::uint8_t>(code));
    if (opcode.mnemonic == nullptr) continue;
    // Branches take the colour of the statements that steer the flow.
    const bool branches = opcode.isSwitch || (opcode.operandCount > 0 && opcode.operands[0] == AbcOperandKind::kBranch);
    addList(opcode.mnemonic, branches ? colours.conditionalKeywords : colours.keywords);
  }
}

void KeywordTable::load(int version, const SyntaxColours& colours) {
  m_keywords.clear();
  if (version == 3) {
    addList(kAs3Conditional, colours.conditionalKeywords);
    addList(kAs3Keywords, colours.keywords);
    addMnemonics(colours);
  } else if (version == 5) {
    addList(kV5Conditional, colours.conditionalKeywords);
    addList(kV5Keywords, colours.keywords);
  } else {
    addList(kV4Conditional, colours.conditionalKeywords);
    addList(kV4Keywords, colours.keywords);
  }
  for (const std::string_view error : kErrorTexts) addList(error, colours.errors);
  m_stringColour = colours.strings;
  m_commentColour = colours.comments;
}

bool isKeywordDelimiter(char c) {
  switch (c) {
    case '\0':
    case '\t':
    case '\n':
    case '\r':
    case ' ':
    case '(':
    case ')':
    case '*':
    case ';':
    case '[':
    case ']':
    case '{':
    case '}':
      return true;
    default:
      return false;
  }
}

std::vector<ColourRange> colourRanges(std::string_view text, const KeywordTable& table) {
  // Keywords by their first character, in table order, so that each position tries only
  // the few keywords that can begin there.
  std::array<std::vector<const Keyword*>, 256> byFirst;
  for (const Keyword& keyword : table.keywords()) {
    byFirst[static_cast<unsigned char>(keyword.text.front())].push_back(&keyword);
  }

  std::vector<ColourRange> ranges;
  State state = State::Normal;
  std::size_t start = 0;
  std::size_t i = 0;
  const std::size_t size = text.size();
  while (i < size) {
    const char c = text[i];
    switch (state) {
      case State::Normal: {
        if (c == '"') {
          state = State::String;
          start = i++;
          continue;
        }
        if (c == '/' && i + 1 < size && (text[i + 1] == '/' || text[i + 1] == '*')) {
          state = text[i + 1] == '/' ? State::LineComment : State::BlockComment;
          start = i;
          i += 2;
          continue;
        }
        const bool delimitedBefore = i == 0 || isKeywordDelimiter(text[i - 1]);
        if (delimitedBefore) {
          const Keyword* match = nullptr;
          for (const Keyword* keyword : byFirst[static_cast<unsigned char>(c)]) {
            const std::size_t end = i + keyword->text.size();
            if (text.substr(i, keyword->text.size()) == keyword->text &&
                (end >= size || isKeywordDelimiter(text[end]))) {
              match = keyword;
              break;
            }
          }
          if (match) {
            ranges.push_back({i, match->text.size(), match->colour});
            // The delimiter after the keyword is stepped over unexamined.
            i = std::min(size, i + match->text.size() + 1);
            continue;
          }
        }
        ++i;
        continue;
      }
      case State::String:
        if (c == '"' && text[i - 1] != '\\') {
          ranges.push_back({start, i + 1 - start, table.stringColour()});
          state = State::Normal;
        }
        ++i;
        continue;
      case State::LineComment:
        if (c == '\n') {
          std::size_t last = i;
          if (last > start && text[last - 1] == '\r') --last;
          const bool continued = last > start && text[last - 1] == '\\';
          if (!continued) {
            ranges.push_back({start, i + 1 - start, table.commentColour()});
            state = State::Normal;
          }
        }
        ++i;
        continue;
      case State::BlockComment:
        if (c == '*' && i + 1 < size && text[i + 1] == '/') {
          ranges.push_back({start, i + 2 - start, table.commentColour()});
          state = State::Normal;
          i += 2;
          continue;
        }
        ++i;
        continue;
    }
  }
  if (state == State::String) ranges.push_back({start, size - start, table.stringColour()});
  if (state == State::LineComment || state == State::BlockComment) {
    ranges.push_back({start, size - start, table.commentColour()});
  }
  return ranges;
}

}  // namespace orvane
