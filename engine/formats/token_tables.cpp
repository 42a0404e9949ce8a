// The tag tables of tokenized programs, written in UTF-8 here and kept as calculator codes.
#include "token_tables.hpp"

#include <array>
#include <stdexcept>
#include <string_view>

#include "charset_table.hpp"

namespace orbisk::tokens {
namespace {

// One row of a table as written here.
struct Row {
  unsigned char tag;
  std::string_view name;  // UTF-8
  Form form;
  std::uint8_t operands = 0;
  bool endsWithE5 = false;
  std::uint8_t priority = kAtom;
  bool topIsLeft = false;
};

constexpr Form A = Form::Atom;
constexpr Form F = Form::Function;
constexpr Form Pre = Form::Prefix;
constexpr Form Post = Form::Postfix;
constexpr Form In = Form::Infix;
constexpr Form S = Form::Special;
constexpr bool E5 = true;
constexpr bool Fixed = false;
constexpr bool Left = true;  // infix whose left operand is the one right under the tag

// The tables are data, laid out by hand: one tag a cell, several to a line.
// clang-format off

// Tags 0x00 to 0x1B are names: 00 a longer one, the others one letter each.
constexpr Row kPrimary[] = {
    {0x00, "", S}, {0x01, "q", A}, {0x02, "r", A}, {0x03, "s", A}, {0x04, "t", A},
    {0x05, "u", A}, {0x06, "v", A}, {0x07, "w", A}, {0x08, "x", A}, {0x09, "y", A},
    {0x0A, "z", A}, {0x0B, "a", A}, {0x0C, "b", A}, {0x0D, "c", A}, {0x0E, "d", A},
    {0x0F, "e", A}, {0x10, "f", A}, {0x11, "g", A}, {0x12, "h", A}, {0x13, "i", A},
    {0x14, "j", A}, {0x15, "k", A}, {0x16, "l", A}, {0x17, "m", A}, {0x18, "n", A},
    {0x19, "o", A}, {0x1A, "p", A}, {0x1B, "q", A},
    {0x1C, "", S}, {0x1D, "", S}, {0x1E, "", S}, {0x1F, "", S}, {0x20, "", S},
    {0x21, "", S}, {0x22, "", S}, {0x23, "", S},
    {0x24, "π", A}, {0x25, "ℯ", A}, {0x26, "𝒊", A},
    {0x27, "−∞", A, 0, Fixed, kNegation}, {0x28, "∞", A},
    {0x29, "±∞", A, 0, Fixed, kNegation}, {0x2A, "undef", A}, {0x2B, "false", A},
    {0x2C, "true", A}, {0x2D, "", S}, {0x2E, "", A},
    {0x2F, "cosh´(", F, 1}, {0x30, "sinh´(", F, 1}, {0x31, "tanh´(", F, 1},
    {0x32, "sech´(", F, 1}, {0x33, "csch´(", F, 1}, {0x34, "coth´(", F, 1},
    {0x35, "cosh(", F, 1}, {0x36, "sinh(", F, 1}, {0x37, "tanh(", F, 1},
    {0x38, "sech(", F, 1}, {0x39, "csch(", F, 1}, {0x3A, "coth(", F, 1},
    {0x3B, "cos´(", F, 1}, {0x3C, "sin´(", F, 1}, {0x3D, "tan´(", F, 1},
    {0x3E, "sec´(", F, 1}, {0x3F, "csc´(", F, 1}, {0x40, "cot´(", F, 1},
    // 0x41 to 0x43 and 0x4A are the system's own, never in a program.
    {0x44, "cos(", F, 1}, {0x45, "sin(", F, 1}, {0x46, "tan(", F, 1}, {0x47, "sec(", F, 1},
    {0x48, "csc(", F, 1}, {0x49, "cot(", F, 1}, {0x4B, "abs(", F, 1},
    {0x4C, "angle(", F, 1}, {0x4D, "ceiling(", F, 1}, {0x4E, "floor(", F, 1},
    {0x4F, "int(", F, 1}, {0x50, "sign(", F, 1}, {0x51, "√(", F, 1}, {0x52, "ℯ^(", F, 1},
    {0x53, "ln(", F, 1}, {0x54, "log(", F, 1}, {0x55, "fPart(", F, 1},
    {0x56, "iPart(", F, 1}, {0x57, "conj(", F, 1}, {0x58, "imag(", F, 1},
    {0x59, "real(", F, 1}, {0x5A, "approx(", F, 1}, {0x5B, "tExpand(", F, 1},
    {0x5C, "tCollect(", F, 1}, {0x5D, "getDenom(", F, 1}, {0x5E, "getNum(", F, 1},
    // 0x5F: the system's own.
    {0x60, "cumSum(", F, 1}, {0x61, "det(", F, 1}, {0x62, "colNorm(", F, 1},
    {0x63, "rowNorm(", F, 1}, {0x64, "norm(", F, 1}, {0x65, "mean(", F, 1},
    {0x66, "median(", F, 1}, {0x67, "product(", F, 1}, {0x68, "stdDev(", F, 1},
    {0x69, "sum(", F, 1}, {0x6A, "variance(", F, 1}, {0x6B, "unitV(", F, 1},
    {0x6C, "dim(", F, 1}, {0x6D, "mat▸list(", F, 1}, {0x6E, "newList(", F, 1},
    {0x6F, "rref(", F, 1}, {0x70, "ref(", F, 1}, {0x71, "identity(", F, 1},
    {0x72, "diag(", F, 1}, {0x73, "colDim(", F, 1}, {0x74, "rowDim(", F, 1},
    {0x75, "⊺", Post, 1, Fixed, kPostfix}, {0x76, "!", Post, 1, Fixed, kPostfix},
    {0x77, "%", Post, 1, Fixed, kPostfix}, {0x78, "ʳ", Post, 1, Fixed, kPostfix},
    {0x79, "not ", Pre, 1, Fixed, kNot}, {0x7A, "−", Pre, 1, Fixed, kNegation},
    {0x7B, "", S}, {0x7C, "", S}, {0x7D, "", S},
    // 0x7E: the parser's own.
    {0x7F, "→", In, 2, Fixed, kStore}, {0x80, "→", In, 2, Fixed, kStore},
    {0x81, "|", In, 2, Fixed, kWith, Left}, {0x82, " xor ", In, 2, Fixed, kOr, Left},
    {0x83, " or ", In, 2, Fixed, kOr, Left}, {0x84, " and ", In, 2, Fixed, kAnd, Left},
    {0x85, "<", In, 2, Fixed, kRelation, Left}, {0x86, "≤", In, 2, Fixed, kRelation, Left},
    {0x87, "=", In, 2, Fixed, kRelation, Left}, {0x88, "≥", In, 2, Fixed, kRelation, Left},
    {0x89, ">", In, 2, Fixed, kRelation, Left}, {0x8A, "≠", In, 2, Fixed, kRelation, Left},
    {0x8B, "+", In, 2, Fixed, kSum}, {0x8C, ".+", In, 2, Fixed, kSum},
    {0x8D, "-", In, 2, Fixed, kSum}, {0x8E, ".-", In, 2, Fixed, kSum},
    {0x8F, "*", In, 2, Fixed, kProduct}, {0x90, ".*", In, 2, Fixed, kProduct},
    {0x91, "/", In, 2, Fixed, kProduct}, {0x92, "./", In, 2, Fixed, kProduct},
    {0x93, "^", In, 2, Fixed, kPower, Left}, {0x94, ".^", In, 2, Fixed, kPower, Left},
    // 0x95: the system's own.
    {0x96, "solve(", F, 2}, {0x97, "cSolve(", F, 2}, {0x98, "nSolve(", F, 2},
    {0x99, "zeros(", F, 2}, {0x9A, "cZeros(", F, 2}, {0x9B, "fMin(", F, 2},
    {0x9C, "fMax(", F, 2}, {0x9D, "", S}, {0x9E, "polyEval(", F, 2},
    {0x9F, "randPoly(", F, 2}, {0xA0, "crossP(", F, 2}, {0xA1, "dotP(", F, 2},
    {0xA2, "gcd(", F, 2}, {0xA3, "lcm(", F, 2}, {0xA4, "mod(", F, 2},
    {0xA5, "intDiv(", F, 2}, {0xA6, "remain(", F, 2}, {0xA7, "nCr(", F, 2},
    {0xA8, "nPr(", F, 2}, {0xA9, "P▸Rx(", F, 2}, {0xAA, "P▸Ry(", F, 2},
    {0xAB, "R▸Pθ(", F, 2}, {0xAC, "R▸Pr(", F, 2}, {0xAD, "augment(", F, 2},
    {0xAE, "newMat(", F, 2}, {0xAF, "randMat(", F, 2}, {0xB0, "simult(", F, 2},
    {0xB1, "part(", F, 1, E5}, {0xB2, "exp▸list(", F, 2}, {0xB3, "randNorm(", F, 2},
    {0xB4, "mRow(", F, 3, E5}, {0xB5, "rowAdd(", F, 3, E5}, {0xB6, "rowSwap(", F, 3, E5},
    {0xB7, "arcLen(", F, 4, E5}, {0xB8, "nInt(", F, 4, E5}, {0xB9, "Π(", F, 4, E5},
    {0xBA, "Σ(", F, 4, E5}, {0xBB, "mRowAdd(", F, 4, E5}, {0xBC, "ans(", F, 0, E5},
    {0xBD, "entry(", F, 0, E5}, {0xBE, "exact(", F, 1, E5}, {0xBF, "log(", F, 2},
    {0xC0, "comDenom(", F, 1, E5}, {0xC1, "expand(", F, 1, E5}, {0xC2, "factor(", F, 1, E5},
    {0xC3, "cFactor(", F, 1, E5}, {0xC4, "∫(", F, 2, E5}, {0xC5, "∂(", F, 2, E5},
    {0xC6, "avgRC(", F, 2, E5}, {0xC7, "nDeriv(", F, 2, E5}, {0xC8, "taylor(", F, 3, E5},
    {0xC9, "limit(", F, 3, E5}, {0xCA, "propFrac(", F, 1, E5}, {0xCB, "when(", F, 2, E5},
    {0xCC, "round(", F, 1, E5}, {0xCD, "", S, 1, E5}, {0xCE, "left(", F, 1, E5},
    {0xCF, "right(", F, 1, E5}, {0xD0, "mid(", F, 2, E5}, {0xD1, "shift(", F, 1, E5},
    {0xD2, "seq(", F, 4, E5}, {0xD3, "list▸mat(", F, 1, E5}, {0xD4, "subMat(", F, 1, E5},
    {0xD5, "", S, 2, E5}, {0xD6, "rand(", F, 0, E5}, {0xD7, "min(", F, 1, E5},
    {0xD8, "max(", F, 1, E5}, {0xD9, "", S}, {0xDA, "", S},
    // 0xDB to 0xE2 are the tags of whole variables; 0xDC is read as a function defined
    // inside a program. 0xE3 to 0xE9 are read by the detokenizer.
    {0xDC, "", S}, {0xE3, "", S},
    {0xEA, "±", Pre, 1, Fixed, kNegation}, {0xEB, "±", In, 2, Fixed, kSum},
    {0xED, "eigVc(", F, 1}, {0xEE, "eigVl(", F, 1}, {0xEF, "'", Post, 1, Fixed, kPostfix},
    {0xF0, "", S}, {0xF1, "deSolve(", F, 3, E5}, {0xF2, "", S}, {0xF4, "isPrime(", F, 1},
    {0xF9, "rotate(", F, 1, E5},
};

constexpr Row kExtended[] = {
    {0x01, "#", Pre, 1, Fixed, kIndirection}, {0x02, "getKey(", F, 0, E5},
    {0x03, "getFold(", F, 0, E5}, {0x04, "switch(", F, 0, E5},
    {0x05, "▸", In, 2, Fixed, kStore}, {0x06, "ord(", F, 1}, {0x07, "expr(", F, 1},
    {0x08, "char(", F, 1}, {0x09, "string(", F, 1}, {0x0A, "getType(", F, 1},
    {0x0B, "getMode(", F, 1}, {0x0C, "setFold(", F, 1}, {0x0D, "ptTest(", F, 2},
    {0x0E, "pxlTest(", F, 2}, {0x0F, "setGraph(", F, 2}, {0x10, "setTable(", F, 2},
    {0x11, "setMode(", F, 1, E5}, {0x12, "format(", F, 1, E5}, {0x13, "inString(", F, 2, E5},
    {0x14, "&", In, 2, Fixed, kAppend}, {0x15, "▸DD", Post, 1, Fixed, kStore},
    {0x16, "▸DMS", Post, 1, Fixed, kStore}, {0x17, "▸Rect", Post, 1, Fixed, kStore},
    {0x18, "▸Polar", Post, 1, Fixed, kStore}, {0x19, "▸Cylind", Post, 1, Fixed, kStore},
    {0x1A, "▸Sphere", Post, 1, Fixed, kStore},
    // 0x1B to 0x25 are the parser's own.
    {0x26, "", S, 2}, {0x27, "tmpCnv(", F, 2}, {0x28, "ΔtmpCnv(", F, 2},
    {0x29, "getUnits(", F, 0, E5}, {0x2A, "setUnits(", F, 1}, {0x2B, "", S, 1},
    {0x2C, "", S, 1}, {0x2D, "▸Bin", Post, 1, Fixed, kStore},
    {0x2E, "▸Dec", Post, 1, Fixed, kStore}, {0x2F, "▸Hex", Post, 1, Fixed, kStore},
    {0x30, "det(", F, 2}, {0x31, "ref(", F, 2}, {0x32, "rref(", F, 2},
    {0x33, "simult(", F, 3}, {0x34, "getConfg(", F, 0, E5}, {0x35, "", S, 2},
    {0x36, "mean(", F, 2}, {0x37, "product(", F, 2, E5}, {0x38, "stdDev(", F, 2},
    {0x39, "sum(", F, 2, E5}, {0x3A, "variance(", F, 2}, {0x3B, "ΔList(", F, 1},
    {0x46, "isClkOn(", F, 0, E5}, {0x47, "getDate(", F, 0, E5}, {0x48, "getTime(", F, 0, E5},
    {0x49, "getTmZn(", F, 0, E5}, {0x4A, "setDate(", F, 3, E5}, {0x4B, "setTime(", F, 3, E5},
    {0x4C, "setTmZn(", F, 1}, {0x4D, "dayOfWk(", F, 3, E5}, {0x4E, "startTmr(", F, 0, E5},
    {0x4F, "checkTmr(", F, 1}, {0x50, "timeCnv(", F, 1}, {0x51, "getDtFmt(", F, 0, E5},
    {0x52, "getTmFmt(", F, 0, E5}, {0x53, "getDtStr(", F, 0, E5},
    {0x54, "getTmStr(", F, 0, E5}, {0x55, "setDtFmt(", F, 0, E5},
    {0x56, "setTmFmt(", F, 0, E5},
};

// Instructions 0x01 to 0x9B, by code; 0x98 has none.
constexpr std::string_view kInstructions[] = {
    "", "ClrDraw", "ClrGraph", "ClrHome", "ClrIO", "ClrTable", "Custom", "Cycle", "Dialog",
    "DispG", "DispTbl", "Else", "EndCustm", "EndDlog", "EndFor", "EndFunc", "EndIf",
    "EndLoop", "EndPrgm", "EndTBar", "EndTry", "EndWhile", "Exit", "Func", "Loop", "Prgm",
    "ShowStat", "Stop", "Then", "Toolbar", "Trace", "Try", "ZoomBox", "ZoomData", "ZoomDec",
    "ZoomFit", "ZoomIn", "ZoomInt", "ZoomOut", "ZoomPrev", "ZoomRcl", "ZoomSqr", "ZoomStd",
    "ZoomSto", "ZoomTrig", "DrawFunc", "DrawInv", "Goto", "Lbl", "Get", "Send", "GetCalc",
    "SendCalc", "NewFold", "PrintObj", "RclGDB", "StoGDB", "ElseIf", "If", "If", "RandSeed",
    "While", "LineTan", "CopyVar", "Rename", "Style", "Fill", "Request", "PopUp", "PtChg",
    "PtOff", "PtOn", "PxlChg", "PxlOff", "PxlOn", "MoveVar", "DropDown", "Output", "PtText",
    "PxlText", "DrawSlp", "Pause", "Return", "Input", "PlotsOff", "PlotsOn", "Title", "Item",
    "InputStr", "LineHorz", "LineVert", "PxlHorz", "PxlVert", "AndPic", "RclPic", "RplcPic",
    "XorPic", "DrawPol", "Text", "OneVar", "StoPic", "Graph", "Table", "NewPic", "DrawParm",
    "CyclePic", "CubicReg", "ExpReg", "LinReg", "LnReg", "MedMed", "PowerReg", "QuadReg",
    "QuartReg", "TwoVar", "Shade", "For", "Circle", "PxlCrcl", "NewPlot", "Line", "PxlLine",
    "Disp", "FnOff", "FnOn", "Local", "DelFold", "DelVar", "Lock", "Prompt", "SortA", "SortD",
    "Unlock", "NewData", "Define", "Else", "ClrErr", "PassErr", "DispHome", "Exec", "Archive",
    "Unarchiv", "LU", "QR", "BldData", "DrwCtour", "NewProb", "SinReg", "Logistic", "CustmOn",
    "CustmOff", "SendChat", "", "Request", "ClockOn", "ClockOff",
};

// System variables 0x01 to 0x71, by code.
constexpr std::string_view kSystemVariables[] = {
    "", "x̅", "y̅", "Σx", "Σx²", "Σy", "Σy²", "Σxy", "Sx", "Sy", "σx", "σy", "nStat", "minX",
    "minY", "q1", "medStat", "q3", "maxX", "maxY", "corr", "R²", "medx1", "medx2", "medx3",
    "medy1", "medy2", "medy3", "xc", "yc", "zc", "tc", "rc", "θc", "nc", "xfact", "yfact",
    "zfact", "xmin", "xmax", "xscl", "ymin", "ymax", "yscl", "Δx", "Δy", "xres", "xgrid",
    "ygrid", "zmin", "zmax", "zscl", "eyeθ", "eyeφ", "θmin", "θmax", "θstep", "tmin", "tmax",
    "tstep", "nmin", "nmax", "plotStrt", "plotStep", "zxmin", "zxmax", "zxscl", "zymin",
    "zymax", "zyscl", "zxres", "zθmin", "zθmax", "zθstep", "ztmin", "ztmax", "ztstep",
    "zxgrid", "zygrid", "zzmin", "zzmax", "zzscl", "zeyeθ", "zeyeφ", "znmin", "znmax",
    "zpltstep", "zpltstrt", "seed1", "seed2", "ok", "errornum", "sysMath", "sysData",
    "regEq", "regCoef", "tblInput", "tblStart", "Δtbl", "fldpic", "eyeψ", "tplot", "diftol",
    "zeyeψ", "t0", "dtime", "ncurves", "fldres", "Estep", "zt0de", "ztmaxde", "ztstepde",
    "ztplotde", "ncontour",
};

// clang-format on

// One code point of the UTF-8 at `at`, which moves past it (the tables' own text is valid).
constexpr char32_t DecodeAt(std::string_view utf8, std::size_t& at) {
  const auto byte = [&utf8](std::size_t i) {
    return static_cast<char32_t>(static_cast<unsigned char>(utf8[i]));
  };
  const char32_t lead = byte(at);
  const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  char32_t c = length == 1   ? lead
               : length == 2 ? lead & 0x1F
               : length == 3 ? lead & 0x0F
                             : lead & 0x07;
  for (std::size_t i = 1; i < length; ++i) c = c << 6 | (byte(at + i) & 0x3F);
  at += length;
  return c;
}

// The calculator codes of a name written in UTF-8 here. Every character of these tables is
// one of the calculators': one that is not, or a name too long, stops the build.
constexpr TagName NameOf(std::string_view utf8) {
  TagName name;
  for (std::size_t at = 0; at < utf8.size();) {
    charset::Character c{DecodeAt(utf8, at)};
    if (std::size_t next = at; at < utf8.size() && DecodeAt(utf8, next) == charset::kOverline) {
      c.combining = charset::kOverline;
      at = next;
    }
    const int code = c.first >= 0x20 && c.first < 0x7F && c.combining == 0
                         ? static_cast<int>(c.first)
                         : charset::CodeOfCharacter(c);
    if (code < 0 || name.length == TagName::kLongest) {
      throw std::logic_error("a tag's name the calculators cannot write");
    }
    name.codes[name.length++] = static_cast<char>(code);
  }
  return name;
}

template <std::size_t N>
constexpr std::array<Tag, 256> TableOf(const Row (&rows)[N]) {
  std::array<Tag, 256> table{};
  for (const Row& row : rows) {
    Tag& tag = table[row.tag];
    tag.name = NameOf(row.name);
    tag.form = row.form;
    tag.operands = row.operands;
    tag.endsWithE5 = row.endsWithE5;
    tag.priority = row.priority;
    tag.topIsLeft = row.topIsLeft;
  }
  return table;
}

template <std::size_t N>
constexpr std::array<TagName, 256> NamesOf(const std::string_view (&names)[N]) {
  std::array<TagName, 256> table{};
  for (std::size_t code = 0; code < N; ++code) table[code] = NameOf(names[code]);
  return table;
}

constexpr std::array<Tag, 256> kPrimaryTags = TableOf(kPrimary);
constexpr std::array<Tag, 256> kExtendedTags = TableOf(kExtended);
constexpr std::array<TagName, 256> kInstructionNames = NamesOf(kInstructions);
constexpr std::array<TagName, 256> kSystemVariableNames = NamesOf(kSystemVariables);

}  // namespace

const Tag& PrimaryTag(unsigned char tag) { return kPrimaryTags[tag]; }

const Tag& ExtendedTag(unsigned char tag) { return kExtendedTags[tag]; }

std::string_view InstructionName(unsigned char tag) { return kInstructionNames[tag]; }

std::string_view SystemVariableName(unsigned char tag) { return kSystemVariableNames[tag]; }

bool InstructionHasJump(unsigned char tag) {
  // Cycle, EndFor, EndLoop, EndWhile and Exit.
  return tag == 0x07 || tag == 0x0E || tag == 0x11 || tag == 0x15 || tag == 0x16;
}

}  // namespace orbisk::tokens
