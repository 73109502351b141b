#include "cli/Verbs.h"

#include <algorithm>
#include <charconv>
#include <ostream>

#include "usage/HelpText.h"
#include "usage/Version.h"

namespace orvane {

namespace {

bool parseNumber(const std::string& text, std::uint32_t& value) {
  int base = 10;
  const char* begin = text.data();
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    begin += 2;
  }
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(begin, end, value, base);
  return error == std::errc() && stop == end && begin != end;
}

constexpr std::string_view kTranslationModes = "hex|char|int|function|as4|as5|source|asm";
constexpr std::string_view kExtractionModes = "as5|as4|function|bytecode|source|asm";

const OperandHelp kMovie{"MOVIE", ValueKind::File};

const OptionHelp kSerialOption{"--serial", "N", "the object's serial number, as scan --json and scan --details show it"};

const OptionHelp kTranslationModeOption{"--mode", "MODE",
                                        "the translation mode: hex, char or int (byte code), function (function "
                                        "code), as4, as5 (ActionScript 4 or 5), source (decompiled source) or asm "
                                        "(the assembly text that replace-actions reads)",
                                        ValueKind::Choice, kTranslationModes};

const OptionHelp kExtractionModeOption{"--mode", "MODE",
                                       "the form of the action texts: as5 (the default), as4, function, bytecode "
                                       "source (files ending in .as) or asm (the assembly text that replace-actions "
                                       "reads)",
                                       ValueKind::Choice, kExtractionModes};

const OptionHelp kPreserveOption{"--preserve", "",
                                 "also write the preserved originals: PNG with the exact pixels and alpha, the "
                                 "data of embedded PNG and GIF files, FLV for videos and for sounds without a writer"};

}  // namespace

const std::vector<Verb>& verbs() {
  static const std::vector<Verb> table = {
      {.help = {.name = "scan",
                .synopsis = "MOVIE [--details] [--empty] [--json [--assets]]",
                .summary = "Scan a movie and print its properties, object tree and instances",
                .description =
                    "Prints the Movie Properties rows as Property<TAB>Value, an empty line, the object tree one item "
                    "per line indented by two blanks per level, an empty line, and the Object Instances rows with "
                    "their four columns joined by tabs. A scan that stops with an error prints what it had "
                    "collected.",
                .operands = {kMovie},
                .options = {{"--details", "", "show the advanced details of every object (serial, id, type name, "
                                              "size)"},
                            {"--empty", "", "also list the folders that hold no object"},
                            {"--json", "", "print one JSON document with the header values, every timeline and "
                                           "every object instead"},
                            {"--assets", "", "with --json: also the shapes, morph shapes, fonts and texts of each "
                                             "timeline, as assets --json describes them"}},
                .examples = {{"orvane-cli scan game.swf", "List what a movie holds."},
                             {"orvane-cli scan game.swf --json", "The same as JSON, for other programs."}},
                .exitStatus = "0 when the whole movie was scanned, 1 when the scan stopped with an error, 2 for a "
                              "usage error."},
       .run = runScan},
      {.help = {.name = "assets",
                .synopsis = "MOVIE [--details] [--empty] [--json]",
                .summary = "Scan a movie and print its vector assets and frames as the Assets tab lists them",
                .description =
                    "Prints the Assets tab one item per line, indented by two blanks per level: per timeline the "
                    "folders Shapes, Morph Shapes, Fonts, Texts (each when the timeline has such objects) and "
                    "Frames. A scan that stops with an error prints what it had collected.",
                .operands = {kMovie},
                .options = {{"--details", "", "show the advanced details of every object"},
                            {"--empty", "", "also list the sprites that place nothing"},
                            {"--json", "", "print one JSON document instead: per timeline its frames and each "
                                           "asset with its tag, bounds (twips), font name and glyphs, or "
                                           "characters, and what could not be read"}},
                .examples = {{"orvane-cli assets game.swf", "List the shapes, fonts, texts and frames of a movie."},
                             {"orvane-cli assets game.swf --json", "The same with what each asset holds, as JSON."}},
                .exitStatus = "0 when the whole movie was scanned, 1 when the scan stopped with an error, 2 for a "
                              "usage error."},
       .run = runAssets},
      {.help = {.name = "actions",
                .synopsis = "MOVIE [--serial N | --all] [--mode hex|char|int|function|as4|as5|source|asm]",
                .summary = "Print the text an action window shows for a frame action, button, sprite instance or "
                           "ActionScript 3 script or class",
                .description =
                    "Without --mode the text is in the action window's own first choice: ActionScript 5 for a "
                    "version 5 movie, else ActionScript 4. With --all every frame action, init action, ActionScript "
                    "3 class and script, button and sprite instance is printed in tree order, each after the line "
                    "=== and its display name.",
                .operands = {kMovie},
                .options = {kSerialOption,
                            {"--all", "", "print every object with actions, in tree order"},
                            kTranslationModeOption},
                .examples = {{"orvane-cli actions game.swf --all --mode source",
                              "Read every script of a movie as its author wrote it."},
                             {"orvane-cli actions game.swf --serial 3 --mode function",
                              "List the action records of one object with their offsets."}}},
       .run = runActions},
      {.help = {.name = "abc",
                .synopsis = "MOVIE [--class NAME [--method NAME]]",
                .summary = "Print every ActionScript 3 class and script of the movie's DoABC tags with their method "
                           "bodies disassembled, or only the classes of that name (qualified, or the name alone), or "
                           "one method body of them as replace-method reads it",
                .description =
                    "For each ABC tag prints === and the tag's line, the block's faults, every class, every script "
                    "and the methods with a body that none of them shows.",
                .operands = {kMovie},
                .options = {{"--class", "NAME", "print only the classes of this qualified name (flash.display::Sprite) "
                                                "or name alone (Sprite), each after === and its display name"},
                            {"--method", "NAME", "print only this method's body (run, get x, static run, the class's "
                                                 "name for the constructor, NAME$cinit) in the exact form: TEXT#N "
                                                 "where a text alone does not name its pool entry"}},
                .examples = {{"orvane-cli abc game.swf --class Main", "Disassemble the class Main."},
                             {"orvane-cli abc game.swf --class Main --method run", "Print the body of Main's run."}},
                .exitStatus = "0 on success; 1 when the movie has no ABC tag, when no class has the name given or "
                              "the method is not found or has no body, or when the movie cannot be read; 2 for a "
                              "usage error."},
       .run = runAbc},
      {.help = {.name = "decompile",
                .synopsis = "MOVIE OUTDIR",
                .summary = "Write every ActionScript 3 class and script of the movie's DoABC tags as source files "
                           "under OUTDIR and print the path of each",
                .description =
                    "Writes the source tree a compiler reads: one file per class of a package in its package's "
                    "folder (a/b/C.as for a.b::C), each script's functions, variables, private classes and code in "
                    "the file of its first class, a script without one in a file of its own. Prints OUTDIR/PATH "
                    "for every file written.",
                .operands = {kMovie, {"OUTDIR", ValueKind::Directory}},
                .options = {},
                .examples = {{"orvane-cli decompile game.swf src", "Write the game's ActionScript 3 source into src."}},
                .exitStatus = "0 when every file was written; 1 when the movie has no ABC tag, cannot be read, or a "
                              "file could not be written (the others are written all the same); 2 for a usage "
                              "error."},
       .run = runDecompile},
      {.help = {.name = "grep",
                .synopsis = "MOVIE PATTERN [--mode hex|char|int|function|as4|as5|source|asm] [--regex] [--ignore-case]",
                .summary = "Print every line of the movie's action texts that holds the pattern, as name : line : "
                           "text",
                .description =
                    "Searches the text of every frame action, init action, ActionScript 3 script and class, button "
                    "and sprite instance in the given mode (default source), and prints one line per matching line "
                    "as display name : line : text, lines counted from 1 as in the action window.",
                .operands = {kMovie, {"PATTERN", ValueKind::None}},
                .options = {kTranslationModeOption,
                            {"--regex", "", "read PATTERN as an extended regular expression, as grep -E does"},
                            {"--ignore-case", "", "ignore the case of ASCII letters"}},
                .examples = {{"orvane-cli grep game.swf getURL --ignore-case",
                              "Find every line of script that calls getURL."},
                             {"orvane-cli grep game.swf '_root\\.[a-z]+ =' --regex",
                              "Find the assignments to variables of the main timeline."}},
                .exitStatus = "0 when something was found, 1 when nothing was, 2 for a bad pattern (orvane-cli: bad "
                              "pattern: and the reason on standard error) or another usage error."},
       .run = runGrep},
      {.help = {.name = "render",
                .synopsis = "MOVIE --frame N [--sprite ID] OUT.svg|OUT.png [--scale S] [--quality low|high]",
                .summary = "Draw a frame of the main timeline (or of a sprite) as the timeline alone builds it, as "
                           "SVG or PNG",
                .description =
                    "Builds the display list at the end of frame N (counted from 0, as the tree's Frame[N]) from "
                    "the timeline's PlaceObject and RemoveObject tags, without running ActionScript: sprites at "
                    "their own frame (held by a stop() of their frame actions), buttons in their up state, morph "
                    "shapes at their ratio, masks, colour transforms and bitmaps. The picture has the stage's size "
                    "and background; a name ending in .png is drawn by librsvg, one ending in .svg is the SVG. What cannot be drawn is named on "
                    "standard error, one line beginning orvane-cli: note: each.",
                .operands = {kMovie, {"OUT.svg", ValueKind::File}, {"OUT.png", ValueKind::File}},
                .options = {{"--frame", "N", "the frame, counted from 0"},
                            {"--sprite", "ID", "draw the timeline of the sprite with this character id"},
                            {"--scale", "S", "device pixels per stage pixel, above 0 and at most 20 (default 1)"},
                            {"--quality", "QUALITY",
                             "high (the default): anti-aliased; low: shapes without anti-aliasing, as the player "
                             "draws at low quality",
                             ValueKind::Choice, "low|high"}},
                .examples = {{"orvane-cli render game.swf --frame 0 first.png",
                              "Draw the first frame of a movie as a PNG picture."},
                             {"orvane-cli render game.swf --frame 3 --sprite 12 --scale 2 sprite.svg",
                              "Draw frame 3 of sprite 12 at twice the size, as SVG."}},
                .exitStatus = "0 when the picture was written, 1 when the movie cannot be read, the frame or sprite "
                              "does not exist or the file cannot be written, 2 for a usage error."},
       .run = runRender},
      {.help = {.name = "projector",
                .synopsis = "EXE [--save ITEM OUT]",
                .summary = "List the movies inside a projector executable, or save one of them",
                .description =
                    "Lists the candidates as Item<TAB>SWF Version<TAB>At Byte Position<TAB>Size (bytes). With "
                    "--save the candidate numbered ITEM is copied to OUT (given the extension .swf when it has "
                    "none) and the path written is printed.",
                .operands = {{"EXE", ValueKind::File}, {"OUT", ValueKind::File}},
                .options = {{"--save", "ITEM", "copy the candidate with this item number to OUT"}},
                .examples = {{"orvane-cli projector game.exe --save 1 game.swf",
                              "Take the first movie out of a projector."}}},
       .run = runProjector},
      {.help = {.name = "save-as",
                .synopsis = "MOVIE OUT",
                .summary = "Copy a movie under a new name",
                .description = "A copy onto the movie itself never truncates it.",
                .operands = {kMovie, {"OUT", ValueKind::File}}},
       .run = runSaveAs},
      {.help = {.name = "set-properties",
                .synopsis = "MOVIE --width W --height H --rate R",
                .summary = "Rewrite a movie's header with a new size and frame rate",
                .description =
                    "The values are checked as the Edit Movie Properties dialog checks them; a value left out keeps "
                    "the movie's own. The movie is written to a temporary file beside it and renamed over it, "
                    "keeping its compression.",
                .operands = {kMovie},
                .options = {{"--width", "W", "the width in pixels"},
                            {"--height", "H", "the height in pixels"},
                            {"--rate", "R", "the frame rate in frames per second"}},
                .examples = {{"orvane-cli set-properties game.swf --width 800 --height 600 --rate 24",
                              "Give a movie a new stage size and frame rate."}}},
       .run = runSetProperties},
      {.help = {.name = "replace-image",
                .synopsis = "MOVIE --serial N PICTURE",
                .summary = "Replace an image of a movie by a picture file",
                .description = "Does what the Replace Image command does, with the same checks and messages; the "
                               "movie is rewritten in place, keeping its compression.",
                .operands = {kMovie, {"PICTURE", ValueKind::File}},
                .options = {kSerialOption}},
       .run = runReplaceImage},
      {.help = {.name = "preview-page",
                .synopsis = "MOVIE [--page OUT]",
                .summary = "Write the browser preview page of a movie and open it (or only write it to OUT)",
                .description = "Prints the path of the page written.",
                .operands = {kMovie},
                .options = {{"--page", "OUT", "write the page to OUT and do not open it", ValueKind::File}}},
       .run = runPreviewPage},
      {.help = {.name = "extract",
                .synopsis = "MOVIE DIR [--only images,sounds,actions,buttons,videos,shapes,morphshapes,fonts,texts,frames] "
                            "[--mode as5|as4|function|bytecode|source|asm] [--preserve] [--assets]",
                .summary = "Extract every object of a movie into a folder per timeline and print the report",
                .description =
                    "Does what Extract All Objects does: one sub-folder of DIR per timeline with its images, sounds "
                    "and action texts, ActionScript 3 classes and scripts in a sub-folder of their own, and the "
                    "report file Extraction Report Log.txt, whose text is printed on standard output. On a "
                    "terminal a progress bar is drawn on standard error.",
                .operands = {kMovie, {"DIR", ValueKind::Directory}},
                .options = {{"--only", "LIST",
                             "extract only these groups, separated by commas: images, sounds, actions, buttons, "
                             "videos (video streams, which only a preserving run writes), shapes (as SVG), "
                             "morphshapes (their start and end shapes and the animated morph as SVG), fonts (as TrueType, or OpenType as "
                             "embedded), texts (as SVG), frames (each frame of each timeline as PNG)"},
                            kExtractionModeOption,
                            kPreserveOption,
                            {"--assets", "", "also write the vector assets: shapes, morph shapes, fonts, texts and frames"}},
                .examples = {{"orvane-cli extract game.swf out --preserve",
                              "Take everything out, keeping lossless images and alpha as PNG."},
                             {"orvane-cli extract game.swf out --only actions --mode source",
                              "Write every script as an .as file."},
                             {"orvane-cli extract game.swf out --only fonts",
                              "Write every embedded font as a font file."}}},
       .run = runExtract},
      {.help = {.name = "save-object",
                .synopsis = "MOVIE --serial N OUT [--preserve]",
                .summary = "Save the file of one image or sound object (or its preserved form, or a video "
                           "stream's)",
                .description = "Prints the path written. With --preserve the object's preserved form is written "
                               "under OUT with its own extension (a video stream has only that form), or the "
                               "ordinary object file when the object has none.",
                .operands = {kMovie, {"OUT", ValueKind::File}},
                .options = {kSerialOption, kPreserveOption}},
       .run = runSaveObject},
      {.help = {.name = "write-actions",
                .synopsis = "MOVIE --serial N OUT [--mode as5|as4|function|bytecode|source|asm]",
                .summary = "Write the actions of one frame action, button or ActionScript 3 script or class to a "
                           "text file",
                .description = "The text of an ActionScript 3 script or class is always written to a .txt file.",
                .operands = {kMovie, {"OUT", ValueKind::File}},
                .options = {kSerialOption, kExtractionModeOption}},
       .run = runWriteActions},
      {.help = {.name = "assemble",
                .synopsis = "IN.txt OUT.bin",
                .summary = "Assemble the assembly text of one action block into the block's bytes",
                .description =
                    "Reads the text that --mode asm and disassemble write (one record a line, labels, nested bodies "
                    "in braces) and writes the bytes of the block, with every length, body size and branch offset "
                    "worked out. The first fault is printed as IN.txt:LINE:COLUMN: and the reason, and nothing is "
                    "written. The on blocks of a button or a clip go to replace-actions.",
                .operands = {{"IN.txt", ValueKind::File}, {"OUT.bin", ValueKind::File}},
                .examples = {{"orvane-cli assemble frame.txt frame.bin", "Assemble an edited block."}},
                .exitStatus = "0 when the block was written, 1 when the text does not assemble or a file cannot be "
                              "read or written, 2 for a usage error."},
       .run = runAssemble},
      {.help = {.name = "disassemble",
                .synopsis = "IN.bin [OUT.txt]",
                .summary = "Write the assembly text of the action block held in a file of its bytes",
                .description = "The text assembles back into the same bytes. Without OUT.txt it goes to standard "
                               "output.",
                .operands = {{"IN.bin", ValueKind::File}, {"OUT.txt", ValueKind::File}},
                .examples = {{"orvane-cli disassemble frame.bin", "Print the records of a block."}}},
       .run = runDisassemble},
      {.help = {.name = "replace-actions",
                .synopsis = "MOVIE --serial N IN.txt [OUT]",
                .summary = "Replace the actions of a frame action, init action, button or sprite instance by an "
                           "assembly text and write the movie to OUT (or back in its place)",
                .description =
                    "IN.txt is the text that actions --mode asm prints for the object: the records of one block for "
                    "a frame or init action, on 0xWORD { ... } blocks for a button's conditions, onClipEvent 0xFLAGS "
                    "{ ... } blocks for a clip's events. The object's tag is rebuilt with every length, offset and "
                    "event size worked out again, and the DefineSprite tags around it and the movie's length "
                    "follow; every other byte stays as it was, and the movie keeps its compression. The movie is "
                    "written to a temporary file beside OUT and renamed over it. The first fault is printed as "
                    "IN.txt:LINE:COLUMN: and the reason, and nothing is written.",
                .operands = {kMovie, {"IN.txt", ValueKind::File}, {"OUT", ValueKind::File}},
                .options = {kSerialOption},
                .examples = {{"orvane-cli actions game.swf --serial 4 --mode asm > frame.txt",
                              "Write the actions of object 4 as text to edit."},
                             {"orvane-cli replace-actions game.swf --serial 4 frame.txt patched.swf",
                              "Write the movie with the edited actions."}},
                .exitStatus = "0 when the movie was written, 1 when the text does not assemble or does not fit the "
                              "object, no such object exists, or a file cannot be read or written; 2 for a usage "
                              "error."},
       .run = runReplaceActions},
      {.help = {.name = "replace-method",
                .synopsis = "MOVIE --class NAME --method NAME IN.txt [OUT]",
                .summary = "Replace one method body of an ActionScript 3 class by its disassembly text and write "
                           "the movie to OUT (or back in its place)",
                .description =
                    "IN.txt is a method body as abc prints it: one instruction a line (the offset before it is "
                    "ignored), NAME: lines for labels, exception lines, // comment lines. Operands name pool "
                    "entries by their text: a name, string, number or namespace that the block does not hold yet is "
                    "appended to its pool, so every other index stays. Where several entries print alike, the one "
                    "the old body used is taken, or TEXT#N chooses entry N (abc --method prints the body in that "
                    "exact form). The body's max stack, local count and max scope depth are worked out again (a "
                    "larger value the body declared stays), the DoABC tag, the DefineSprite tags around it and the "
                    "movie's length follow; every other byte stays as it was, and the movie keeps its compression. "
                    "The movie is written to a temporary file beside OUT and renamed over it. A fault of the text "
                    "is printed as IN.txt:LINE:COLUMN: and the reason, and nothing is written.",
                .operands = {kMovie, {"IN.txt", ValueKind::File}, {"OUT", ValueKind::File}},
                .options = {{"--class", "NAME", "the class, by its qualified name (flash.display::Sprite) or its name "
                                                "alone (Sprite)"},
                            {"--method", "NAME", "the method as its declaration names it: run, get x, set x, static run, "
                                                 "the class's name for the constructor, NAME$cinit for the class "
                                                 "initialiser"}},
                .examples = {{"orvane-cli abc game.swf --class Main --method checkHost > body.txt",
                              "Write the body of Main's checkHost as text to edit."},
                             {"orvane-cli replace-method game.swf --class Main --method checkHost body.txt patched.swf",
                              "Write the movie with the edited body."}},
                .exitStatus = "0 when the movie was written, 1 when the text does not assemble, the class or method "
                              "is not found or has no body, or a file cannot be read or written; 2 for a usage "
                              "error."},
       .run = runReplaceMethod},
      {.help = {.name = "describe-sound",
                .synopsis = "FILE",
                .summary = "Describe a WAV or MP3 file as the sound window does",
                .description = "Prints the five lines of the sound window as Label<TAB>value.",
                .operands = {{"FILE", ValueKind::File}}},
       .run = runDescribeSound},
      {.help = {.name = "convert",
                .synopsis = "IN OUT --type N",
                .summary = "Convert a picture into the image file type numbered N",
                .description =
                    "Reads JPEG, PNG, BMP, PCX, TIFF, TGA, PSD and metafiles. The types: 1 JPEG, 2 JPEG grey, 3 "
                    "PNG, 4 PNG palette, 5 PNG grey, 6 BMP, 7 BMP palette, 8 BMP grey, 9 PCX, 10 PCX palette, 11 "
                    "PCX grey, 12 TIFF, 13 TIFF palette, 14 TIFF grey, 16 TGA, 17 TGA palette, 18 TGA grey, 19 WMF, "
                    "20 PSD, 21 PSD palette, 22 PSD grey, 23 EMF, 24 WBMP.",
                .operands = {{"IN", ValueKind::File}, {"OUT", ValueKind::File}},
                .options = {{"--type", "N", "the image file type to write"}}},
       .run = runConvert},
      {.help = {.name = "decompress",
                .synopsis = "IN OUT",
                .summary = "Write a compressed (CWS or ZWS) movie as an uncompressed movie",
                .description = "Never replaces its own input.",
                .operands = {{"IN", ValueKind::File}, {"OUT", ValueKind::File}}},
       .run = runDecompress},
      {.help = {.name = "compress",
                .synopsis = "IN OUT [--lzma]",
                .summary = "Write a movie compressed with zlib (CWS), or with LZMA (ZWS) with --lzma",
                .description =
                    "zlib is used at its best compression. A version lower than the first that reads the "
                    "compression (6 for zlib, 13 for LZMA) is raised to it, and a line says so. Never replaces its "
                    "own input.",
                .operands = {{"IN", ValueKind::File}, {"OUT", ValueKind::File}},
                .options = {{"--lzma", "", "compress with LZMA (ZWS) instead of zlib"}}},
       .run = runCompress},
      {.help = {.name = "index",
                .synopsis = "DIR... --db ARCHIVE [--jobs N] [--timeout S] [--memory-limit MB] [--shard I/N] [--jsonl] | "
                            "--merge OUT IN...",
                .summary = "Index every movie under the folders into an SQLite archive, reading only what is new or "
                           "changed; or merge the archives of shards into OUT",
                .description =
                    "Movies are found by content (FWS, CWS, ZWS, and the movies inside projectors), read by worker "
                    "processes and written to ARCHIVE: the movies, their objects with the SHA-256 of their bytes, "
                    "ActionScript 3 classes and packages, and the Source text of every action block in a full-text "
                    "index. A second run reads only files whose size or modification time changed and removes the "
                    "files that are gone. A movie that cannot be read is recorded with its error; one that takes "
                    "longer than the time limit or more memory than the memory limit is recorded as such and not "
                    "read again while it is unchanged. A killed run loses only the files in flight; the next run "
                    "goes on from there. A progress bar is drawn when standard error is a terminal.",
                .operands = {{"DIR...", ValueKind::Directory}, {"IN...", ValueKind::File}},
                .options = {{"--db", "ARCHIVE", "the archive to create or bring up to date", ValueKind::File},
                            {"--jobs", "N", "the number of workers (default: the processors there are)"},
                            {"--timeout", "S", "the seconds a movie may take (default 60)"},
                            {"--memory-limit", "MB", "the memory a worker may take, in megabytes (default 2048)"},
                            {"--shard", "I/N", "index only the I-th of N parts of the walk, by a hash of each path "
                                               "below its folder"},
                            {"--jsonl", "", "print one JSON line per movie read (and per file removed) instead of "
                                            "the summary"},
                            {"--merge", "OUT", "add the archives IN... to OUT instead of walking folders",
                             ValueKind::File}},
                .examples = {{"orvane-cli index ~/flash --db flash.sqlite", "Index an archive, or bring it up to date."},
                             {"parallel orvane-cli index ~/flash --db part{}.sqlite --shard {}/4 ::: 1 2 3 4 && "
                              "orvane-cli index --merge flash.sqlite part?.sqlite",
                              "Index in four parts at once and join them."}},
                .exitStatus = "0 when the run completed (damaged movies included), 1 when the archive cannot be "
                              "opened or written, 2 for a usage error, 130 when interrupted."},
       .run = runIndex},
      {.help = {.name = "search",
                .synopsis = "ARCHIVE QUERY [--kind KINDS] [--limit N] [--json]",
                .summary = "Search the Source texts of an archive and print each line with a match as movie : object "
                           ": line : text",
                .description =
                    "QUERY is in the FTS5 query syntax: words (any case), \"phrases\", prefix*, AND, OR, NOT, "
                    "NEAR(...). Identifiers with _ are one word. Hits are ordered by movie, object serial and line.",
                .operands = {{"ARCHIVE", ValueKind::File}, {"QUERY", ValueKind::None}},
                .options = {{"--kind", "KINDS", "search only objects of these kinds, separated by commas: action, "
                                                "initAction, abcClass, abcScript, button, instance"},
                            {"--limit", "N", "print at most N hits"},
                            {"--json", "", "print one JSON array of the hits instead"}},
                .examples = {{"orvane-cli search flash.sqlite 'getURL AND javascript'",
                              "Find the scripts that call JavaScript."}},
                .exitStatus = "0 when something was found, 1 when nothing was or the archive cannot be read, 2 for "
                              "a bad query or another usage error."},
       .run = runSearch},
      {.help = {.name = "dupes",
                .synopsis = "ARCHIVE [--json]",
                .summary = "List the images, sounds, videos and scripts that several movies of an archive share",
                .description = "One line per shared object (kind, SHA-256, length, number of movies), then one line "
                               "per place it is found as movie : object.",
                .operands = {{"ARCHIVE", ValueKind::File}},
                .options = {{"--json", "", "print one JSON array instead"}}},
       .run = runDupes},
      {.help = {.name = "help",
                .synopsis = "[VERB]",
                .summary = "Explain the tool, or one verb with its options and examples",
                .description = "orvane-cli help VERB prints what orvane-cli VERB --help prints.",
                .operands = {{"VERB", ValueKind::Verb}},
                .examples = {{"orvane-cli help extract", "Explain the extract verb."}}},
       .run = runHelp},
  };
  return table;
}

bool ParsedArguments::has(const std::string& name) const {
  return std::any_of(options.begin(), options.end(), [&](const auto& option) { return option.first == name; });
}

std::string ParsedArguments::value(const std::string& name) const {
  for (const auto& option : options)
    if (option.first == name) return option.second;
  return "";
}

bool parseArguments(const VerbArguments& arguments, const std::vector<std::string>& allowed,
                    ParsedArguments& parsed, std::string& error) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument.size() < 2 || argument.rfind("--", 0) != 0) {
      parsed.positional.push_back(argument);
      continue;
    }
    const auto flag = std::find(allowed.begin(), allowed.end(), argument);
    const auto withValue = std::find(allowed.begin(), allowed.end(), argument + "=");
    if (flag != allowed.end()) {
      parsed.options.emplace_back(argument, "");
    } else if (withValue != allowed.end()) {
      if (i + 1 == arguments.size()) {
        error = argument + " needs a value";
        return false;
      }
      parsed.options.emplace_back(argument, arguments[++i]);
    } else {
      error = "unknown option " + argument;
      return false;
    }
  }
  return true;
}

const ProgramHelp& cliProgram() {
  static const ProgramHelp program = [] {
    ProgramHelp tool{
        .name = "orvane-cli",
        .version = kOrvaneVersion,
        .summary = "look inside Flash movies from the command line",
        .synopsis = "[--temp DIR] [--flags N] VERB ...",
        .description =
            "orvane-cli reads Flash movies (SWF, uncompressed or compressed with zlib or LZMA, and the movies "
            "inside projector executables) and prints exactly what the windows and dialogs of the desktop program "
            "orvane(1) show, so that results can be checked and scripted: the properties and objects of a movie, "
            "its action blocks in eight translation modes from byte code to decompiled source and assembly, its "
            "ActionScript 3 byte code, and the files of its images, sounds and videos. It also rewrites movies: "
            "new header values, a replaced image, edited actions, another compression.\n\n"
            "Messages that the desktop program shows in boxes go to standard error as TITLE: TEXT. Every verb "
            "takes --help.",
        .options = {{"--temp", "DIR",
                     "write the run's temporary object files (the pictures, sounds and streams whose paths scan "
                     "--json prints) into DIR and leave them there; without it they go into a private folder "
                     "that is removed at exit",
                     ValueKind::Directory},
                    {"--flags", "N", "the scan flags, decimal or 0x hexadecimal (default 4095: every kind of "
                                     "object)"},
                    {"--version", "", "print the version and exit"},
                    {"--help", "", "print the verbs and exit"}},
        .examples = {{"orvane-cli scan game.swf", "List what a movie holds."},
                     {"orvane-cli actions game.swf --all --mode source", "Read every script of a movie."},
                     {"for f in *.swf; do orvane-cli grep \"$f\" getURL; done",
                      "Find the movies that call getURL."}},
        .exitStatus = "0 on success, 1 when the operation failed (for a scan: the movie could not be read to its "
                      "end), 2 for a usage error. Some verbs say more under their own name.",
        .environment = {{"TMPDIR", "the private temp folder is $TMPDIR/orvane-UID (default /tmp/orvane-UID), "
                                   "created with mode 0700 and refused when it is a symbolic link or owned by "
                                   "someone else"}},
        .seeAlso = {"orvane(1)"},
    };
    for (const Verb& verb : verbs()) tool.verbs.push_back(verb.help);
    return tool;
  }();
  return program;
}

int runHelp(CliContext& context, const VerbArguments& arguments) {
  if (arguments.empty()) {
    context.out() << programHelp(cliProgram());
    return exitcode::kSuccess;
  }
  if (arguments.size() > 1) return context.usage("help takes one verb");
  const auto verb = std::find_if(verbs().begin(), verbs().end(),
                                 [&](const Verb& v) { return arguments[0] == v.help.name; });
  if (verb == verbs().end()) return context.usage("unknown verb " + arguments[0] + " (see orvane-cli help)");
  context.out() << verbHelp(cliProgram(), verb->help);
  return exitcode::kSuccess;
}

int runCli(const std::vector<std::string>& arguments, CliContext& context) {
  std::size_t next = 0;
  while (next < arguments.size() && arguments[next].rfind("--", 0) == 0) {
    const std::string& option = arguments[next];
    if (option == "--help") return runHelp(context, {});
    if (option == "--version") {
      context.out() << versionLine(cliProgram()) << "\n";
      return exitcode::kSuccess;
    }
    if (next + 1 == arguments.size()) return context.usage(option + " needs a value");
    if (option == "--temp") {
      context.requestedTemp = arguments[next + 1];
    } else if (option == "--flags") {
      if (!parseNumber(arguments[next + 1], context.flags)) return context.usage("--flags takes a number");
    } else {
      return context.usage("unknown option " + option);
    }
    next += 2;
  }
  if (next == arguments.size()) {
    context.err() << programHelp(cliProgram());
    return exitcode::kUsage;
  }
  const std::string& name = arguments[next];
  const auto verb = std::find_if(verbs().begin(), verbs().end(), [&](const Verb& v) { return name == v.help.name; });
  if (verb == verbs().end()) return context.usage("unknown verb " + name + " (see orvane-cli help)");
  const VerbArguments rest(arguments.begin() + static_cast<std::ptrdiff_t>(next) + 1, arguments.end());
  if (std::find(rest.begin(), rest.end(), "--help") != rest.end()) return runHelp(context, {name});
  return verb->run(context, rest);
}

}  // namespace orvane
